#include "app/mainwindow.h"

#include "mainwindowprobe.h"
#include "virtualcontroller.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabWidget>
#include <QTranslator>
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
    if (row >= 0)
        probe.pick(row);

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
