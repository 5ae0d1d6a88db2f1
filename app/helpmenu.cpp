// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/helpmenu.h"

#include "app/closequestion.h"
#include "app/pageshortcuts.h"
#include "device/deviceinfo.h"
#include "device/devicekinds.h"
#include "effects/effectprofilestore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {

QString keyText(const QKeySequence &keys)
{
    return keys.toString(QKeySequence::NativeText).toHtmlEscaped();
}

QString listItems(const QStringList &items)
{
    return QStringLiteral("<ul><li>") + items.join(QStringLiteral("</li><li>")) + QStringLiteral("</li></ul>");
}

} // namespace

HelpMenu::HelpMenu(QMainWindow *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("help_menu"));
    QMenu *menu = window->menuBar()->addMenu(tr("&Help"));
    menu->setObjectName(QStringLiteral("help_menu"));
    QAction *about = menu->addAction(tr("&About Kestrov Setup"));
    about->setObjectName(QStringLiteral("about_action"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &HelpMenu::showAbout);
    QAction *aboutQt = menu->addAction(tr("About &Qt"));
    aboutQt->setObjectName(QStringLiteral("about_qt_action"));
    aboutQt->setMenuRole(QAction::AboutQtRole);
    connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
}

QString HelpMenu::aboutText()
{
    QStringList controllers;
    for (const DeviceKind &kind : DeviceKinds::ALL)
        controllers << QString::fromLatin1(kind.displayName).toHtmlEscaped();
    const QStringList keys{
        tr("%1: read the shown page's settings from the controller").arg(keyText(PageShortcuts::READ_KEYS)),
        tr("%1: apply the shown page's settings to the controller's working memory").arg(keyText(PageShortcuts::APPLY_KEYS)),
        tr("%1: save the shown page's settings to the controller's permanent memory").arg(keyText(PageShortcuts::SAVE_KEYS)),
        tr("%1: quit").arg(keyText(CloseQuestion::quitKeys().constFirst())),
    };
    const QDir working = QDir::current();
    const QString profiles =
        QDir::toNativeSeparators(working.absoluteFilePath(QString::fromLatin1(EffectProfileStore::DIRECTORY_NAME)) + QLatin1Char('/'));
    const QString config = QDir::toNativeSeparators(working.absoluteFilePath(QStringLiteral("config.ini")));
    return QStringLiteral("<h3>Kestrov Setup %1</h3>").arg(SETUP_VERSION)
        + tr("<p>Configures the Kestrov force-feedback controllers:</p>") + listItems(controllers)
        + tr("<p>Licence: GPL-3.0-or-later. This program comes with no warranty.</p>")
        + tr("<p>Keyboard:</p>") + listItems(keys)
        + tr("<p>Effect profiles: %1<br>Configuration file: %2</p>").arg(profiles.toHtmlEscaped(), config.toHtmlEscaped());
}

void HelpMenu::showAbout()
{
    QMessageBox::about(m_window, tr("About Kestrov Setup"), aboutText());
}
