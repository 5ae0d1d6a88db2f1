// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "mainwindowprobe.h"
#include "virtualcontroller.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTranslator>
#include <QWheelEvent>
#include <QtTest>

// Runs with "normal" or "advanced" as the tool's command line (see the registration). The
// test installs the German translation itself, as any command line keeps config.ini unread.
class TestWindowSize : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fitsSmallestScreen_data();
    void fitsSmallestScreen();
    void wheelScrollsPastUnfocusedValues();

private:
    QTemporaryDir workingDirectory;
};

void TestWindowSize::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
}

void TestWindowSize::fitsSmallestScreen_data()
{
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("row");
    const QStringList kinds{QStringLiteral("generic"), QStringLiteral("joystick"), QStringLiteral("rudder"),
                            QStringLiteral("wheel"), QStringLiteral("collective")};
    for (const bool german : {false, true}) {
        const char *language = german ? "de" : "en";
        QTest::addRow("%s, no controller", language) << german << QString() << -1;
        for (int row = 0; row < kinds.size(); ++row)
            QTest::addRow("%s, %s", language, qPrintable(kinds.at(row))) << german << kinds.at(row) << row;
    }
}

void TestWindowSize::fitsSmallestScreen()
{
    QFETCH(bool, german);
    QFETCH(QString, kind);
    QFETCH(int, row);
    // A 1280x720 screen less a panel: the smallest desktop the window has to fit.
    const QSize smallestScreen(1280, 700);

    QTranslator translator;
    if (german) {
        QVERIFY(translator.load(QStringLiteral(KESTROV_TRANSLATIONS_DIR "/hardware_settings_ui_de.qm")));
        QCoreApplication::installTranslator(&translator);
    }
    VirtualController controller;
    QVERIFY(controller.reset());
    if (row >= 0)
        controller.plug(kind);

    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(probe.visibleRows(), row < 0 ? QList<int>{} : QList<int>{row}, 3000);
    if (row >= 0) {
        probe.pick(row);
        // The read's outcome goes to the status bar: wait for it, or it lands among the
        // messages below on a busy machine.
        QTRY_COMPARE_WITH_TIMEOUT(window.pendingCommands(), 0, 5000);
    }

    // Each page is looked at on its own: one shown for the first time is laid out anew.
    QList<int> pages = probe.visiblePages();
    if (pages.isEmpty())
        pages << -1;
    for (int page : pages) {
        if (page >= 0)
            probe.pages()->setCurrentIndex(page);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const QSize smallest = window.minimumSize().expandedTo(window.minimumSizeHint());
        const QString where = page >= 0 ? probe.pages()->widget(page)->objectName() : QStringLiteral("no page");
        QVERIFY2(smallest.boundedTo(smallestScreen) == smallest,
                 qPrintable(QStringLiteral("%1: at least %2x%3").arg(where).arg(smallest.width()).arg(smallest.height())));
        if (row < 0)
            continue;

        // At its smallest the window shows the page's own buttons and the device's buttons
        // whole and outside the scrolled part, and the page's contents uncut at the right.
        window.resize(smallest);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QList<QPushButton *> buttons{probe.find<QPushButton>(QStringLiteral("dfu_mode_button")),
                                     probe.find<QPushButton>(QStringLiteral("reboot_button"))};
        if (page >= 0) {
            const QWidget *shown = probe.pages()->widget(page);
            buttons << shown->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("settings_button")));
            QCOMPARE(buttons.size(), 5);
            const QScrollArea *contents = shown->findChild<QScrollArea *>();
            QVERIFY2(contents && contents->viewport()->width() >= contents->widget()->minimumSizeHint().width(),
                     qPrintable(where));
        }
        for (const QPushButton *button : buttons) {
            const QString what = where + QLatin1Char('/') + button->objectName();
            QVERIFY2(button->isVisible() && button->visibleRegion() == QRegion(button->rect()), qPrintable(what));
            for (const QWidget *parent = button->parentWidget(); parent; parent = parent->parentWidget())
                QVERIFY2(!qobject_cast<const QAbstractScrollArea *>(parent), qPrintable(what + QStringLiteral(" scrolls")));
        }

        // No status message moves them, however long: the next click lands where the user aimed.
        const auto places = [&] {
            QList<QRect> rects;
            for (const QPushButton *button : buttons)
                rects << QRect(button->mapTo(&window, QPoint()), button->size());
            return rects;
        };
        const QList<QRect> before = places();
        const QString sentence = QStringLiteral("The controller left before confirming the save to permanent memory. ");
        for (const QString &message : {QStringLiteral("Read."), sentence.repeated(2), sentence.repeated(12),
                                       QStringLiteral("/dev/hidraw1").repeated(30)}) {
            window.statusBar()->showMessage(message);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QVERIFY2(places() == before, qPrintable(where + QStringLiteral(": ") + message.left(40)));
            // What fits in the status line's lines is shown whole.
            if (message.size() < 200)
                QCOMPARE(probe.find<QLabel>(QStringLiteral("status_message"))->text(), message);
        }
        window.statusBar()->clearMessage();
    }
}

// Scrolling a low window's page with the mouse wheel passes over sliders, spin boxes and combo
// boxes: none of them changes unless the user has clicked or tabbed into it first.
void TestWindowSize::wheelScrollsPastUnfocusedValues()
{
    VirtualController controller;
    QVERIFY(controller.reset());
    controller.plug(QStringLiteral("joystick"));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE_WITH_TIMEOUT(probe.visibleRows(), QList<int>{1}, 3000);
    probe.pick(1);
    QTRY_COMPARE_WITH_TIMEOUT(window.pendingCommands(), 0, 5000);
    window.resize(window.minimumSizeHint());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    const auto valueOf = [](QWidget *control) {
        if (auto *slider = qobject_cast<QAbstractSlider *>(control))
            return QString::number(slider->value());
        if (auto *spinBox = qobject_cast<QAbstractSpinBox *>(control))
            return spinBox->text();
        return QString::number(qobject_cast<QComboBox *>(control)->currentIndex());
    };
    const auto turnWheel = [](QWidget *control, int delta) {
        const QPointF centre = QRectF(control->rect()).center();
        QWheelEvent turn(centre, control->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(control, &turn);
    };
    for (int page : probe.visiblePages()) {
        probe.pages()->setCurrentIndex(page);
        auto *area = probe.pages()->widget(page)->findChild<QScrollArea *>();
        QVERIFY(area);
        QList<QWidget *> controls;
        for (QWidget *child : area->widget()->findChildren<QWidget *>())
            if ((qobject_cast<QAbstractSlider *>(child) || qobject_cast<QAbstractSpinBox *>(child)
                 || qobject_cast<QComboBox *>(child)) && child->isVisible() && child->isEnabled())
                controls << child;
        QVERIFY(!controls.isEmpty());
        for (QWidget *control : controls) {
            const QString what = area->objectName() + QLatin1Char('/') + control->objectName();
            area->verticalScrollBar()->setValue(0);
            const QString before = valueOf(control);
            turnWheel(control, -120);
            QVERIFY2(valueOf(control) == before, qPrintable(what));
            QVERIFY2(!control->hasFocus(), qPrintable(what));
            QVERIFY2(area->verticalScrollBar()->maximum() == 0 || area->verticalScrollBar()->value() > 0, qPrintable(what));
        }
        // Focused, a control takes the wheel as before, one way or the other.
        const auto focusable = [&] {
            for (QWidget *control : controls)
                if (qobject_cast<QAbstractSpinBox *>(control))
                    return control;
            for (QWidget *control : controls)
                if (auto *list = qobject_cast<QComboBox *>(control); !list || list->count() > 1)
                    return control;
            return controls.first();
        };
        QWidget *focused = focusable();
        focused->setFocus();
        QVERIFY(focused->hasFocus());
        const QString before = valueOf(focused);
        turnWheel(focused, -120);
        if (valueOf(focused) == before)
            turnWheel(focused, 120);
        QVERIFY2(valueOf(focused) != before, qPrintable(focused->objectName()));
    }
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    TestWindowSize test;
    char *testArguments[] = {argv[0]};
    return QTest::qExec(&test, 1, testArguments);
}

#include "tst_windowsize.moc"
