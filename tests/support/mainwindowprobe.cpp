// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindowprobe.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

MainWindowProbe::MainWindowProbe(MainWindow &window)
    : window(window)
{
}

QComboBox *MainWindowProbe::devices() const
{
    return window.findChild<QComboBox *>(QStringLiteral("devices_combo_box"));
}

QTabWidget *MainWindowProbe::pages() const
{
    return window.findChild<QTabWidget *>(QStringLiteral("main_tab_widget"));
}

QList<int> MainWindowProbe::visibleRows() const
{
    QList<int> rows;
    auto *view = qobject_cast<QListView *>(devices()->view());
    for (int row = 0; row < devices()->count(); ++row)
        if (!view->isRowHidden(row))
            rows << row;
    return rows;
}

QList<int> MainWindowProbe::visiblePages() const
{
    QList<int> visible;
    for (int page = 0; page < pages()->count(); ++page)
        if (pages()->isTabVisible(page))
            visible << page;
    return visible;
}

bool MainWindowProbe::deviceButtonsVisible() const
{
    const bool reboot = !window.findChild<QPushButton *>(QStringLiteral("reboot_button"))->isHidden();
    const bool dfu = !window.findChild<QPushButton *>(QStringLiteral("dfu_mode_button"))->isHidden();
    Q_ASSERT(reboot == dfu);
    return reboot && dfu;
}

QString MainWindowProbe::placeholder() const
{
    return devices()->placeholderText();
}

void MainWindowProbe::pick(int row) const
{
    devices()->setCurrentIndex(row);
    emit devices()->activated(row);
}

void answerNextMessageBox(std::function<void(QMessageBox *)> answer)
{
    // Gives up after a while, so a box that never comes leaves nothing behind.
    constexpr int GIVE_UP_AFTER = 1000;
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, ticks = 0]() mutable {
        if (++ticks > GIVE_UP_AFTER) {
            poll->stop();
            poll->deleteLater();
            return;
        }
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (box && box->isVisible()) {
                poll->stop();
                poll->deleteLater();
                answer(box);
                return;
            }
        }
    });
    poll->start();
}
