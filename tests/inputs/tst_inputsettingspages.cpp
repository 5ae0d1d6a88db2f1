// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/inputsettingspages.h"
#include "ui_analogaxespage.h"
#include "ui_buttonspage.h"
#include "ui_gpiopage.h"

#include "device/inputmapping.h"
#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "inputs/analogaxespage.h"
#include "inputs/axisbar.h"
#include "inputs/buttonspage.h"
#include "inputs/gpiopage.h"
#include "inputs/liveinputline.h"
#include "inputs/pressedindicator.h"

#include <QListView>
#include <QTranslator>
#include <QtTest>

#include <cstring>

namespace {

// Bytes of the hardware record that belong to the input pages.
bool isInputByte(int offset)
{
    return (offset >= 5 && offset <= 47) || (offset >= 59 && offset <= 64) || (offset >= 67 && offset <= 84);
}

QList<int> hiddenRows(QComboBox *combo)
{
    QList<int> hidden;
    auto *view = qobject_cast<QListView *>(combo->view());
    for (int row = 0; row < combo->count(); ++row)
        if (view->isRowHidden(row))
            hidden << row;
    return hidden;
}

HardwareSettingsTypeDef inRangeRecord()
{
    HardwareSettingsTypeDef settings{};
    settings.spi_mode = 14;
    for (int pin = 0; pin < 10; ++pin)
        settings.gpio_mode[pin] = uint8_t(9 - pin);
    for (int button = 0; button < 32; ++button)
        settings.button_mode[button] = uint8_t(button % 3);
    for (int axis = 0; axis < 3; ++axis) {
        settings.analog_button_low[axis] = uint8_t(10 + axis);
        settings.analog_button_high[axis] = uint8_t(90 + axis);
        settings.analog_lower_dead_zone[axis] = uint16_t(1000 * axis + 0x1234 % 300);
        settings.analog_upper_dead_zone[axis] = uint16_t(32767 - axis);
        settings.analog_smoothing[axis] = uint8_t(100 - axis);
        settings.analog_invert[axis] = uint8_t(axis == 1);
    }
    return settings;
}

QByteArray bytesOf(const HardwareSettingsTypeDef &settings)
{
    return QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
}

// What the kernel reports for a joystick: the mapped axes and buttons by their codes, and
// one axis and one button no page has a row for.
InputSnapshot joystickSnapshot(int pressedCode)
{
    InputSnapshot snapshot;
    snapshot.axes = {{ABS_X, QStringLiteral("ABS_X"), 100, -32767, 32767},
                     {ABS_RX, QStringLiteral("ABS_RX"), 8192, 0, 32767},
                     {ABS_RZ, QStringLiteral("ABS_RZ"), 32767, 0, 32767},
                     {ABS_THROTTLE, QStringLiteral("ABS_THROTTLE"), 77, 0, 255}};
    for (int code : {BTN_TRIGGER, BTN_THUMB, BTN_TRIGGER_HAPPY1, BTN_TRIGGER_HAPPY2})
        snapshot.buttons.append({code, QString(), code == pressedCode});
    snapshot.buttons.append({BTN_MODE, QStringLiteral("BTN_MODE"), BTN_MODE == pressedCode});
    return snapshot;
}

QList<int> litRows(const ButtonsPage &page)
{
    QList<int> lit;
    for (int row = 0; row < page.indicators().size(); ++row)
        if (page.indicators().at(row)->isPressed())
            lit << row;
    return lit;
}

} // namespace

class TestInputSettingsPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pinFunctionsOfferedPerPin();
    void spiAndButtonLists();
    void loadThenGatherReproducesInputBytes();
    void gatherWritesOnlyInputBytes();
    void valuesBeyondTheListsGoBackUntouched();
    void hiddenFunctionStillShown();
    void numbersClampAndInvertNormalises();
    void deadZonesAreLittleEndianAtOddOffsets();
    void recommendationsFollowTheRecord();
    void recommendationsFollowTheModePickedByHand();
    void pagesAndListsInGerman();
    void pressedButtonLightsItsOwnLamp();
    void axisBarsShowTheRawValueInTheKernelsRange();
    void deadZoneOverlayFollowsTheSpinBoxesAlone();
    void inputsWithoutARowAreListedAsOther();
    void liveProblemSaidOnOneKeptLine();

private:
    void buildPages();
    const Ui::GpioPage &pins() const { return gpio->controls(); }
    const Ui::ButtonsPage &buttons() const { return buttonsPage->controls(); }
    const Ui::AnalogAxesPage &axes() const { return axesPage->controls(); }

    // The three pages side by side, as the window's tabs hold them.
    std::unique_ptr<QWidget> host;
    GpioPage *gpio = nullptr;
    ButtonsPage *buttonsPage = nullptr;
    AnalogAxesPage *axesPage = nullptr;
    std::unique_ptr<InputSettingsPages> pages;
};

void TestInputSettingsPages::buildPages()
{
    pages.reset();
    host = std::make_unique<QWidget>();
    gpio = new GpioPage(host.get());
    buttonsPage = new ButtonsPage(host.get());
    axesPage = new AnalogAxesPage(host.get());
    pages = std::make_unique<InputSettingsPages>(*gpio, *buttonsPage, *axesPage);
}

void TestInputSettingsPages::init()
{
    buildPages();
}

void TestInputSettingsPages::cleanup()
{
    pages.reset();
    host.reset();
}

void TestInputSettingsPages::pinFunctionsOfferedPerPin()
{
    const Ui::GpioPage &page = pins();
    const QList<QComboBox *> pins{page.gpioModeCombo_1, page.gpioModeCombo_2, page.gpioModeCombo_3, page.gpioModeCombo_4,
                                  page.gpioModeCombo_5, page.gpioModeCombo_6, page.gpioModeCombo_7, page.gpioModeCombo_8,
                                  page.gpioModeCombo_9, page.gpioModeCombo_10};
    const QStringList items{"Disabled", "Generic button", "Analog", "SPI CS", "SPI SCK", "SPI MISO",
                            "Enable effects switch", "Reset center button", "Reboot button", "Braking PWM"};
    for (QComboBox *pin : pins) {
        QCOMPARE(pin->count(), 10);
        for (int code = 0; code < 10; ++code)
            QCOMPARE(pin->itemText(code), items.at(code));
        QCOMPARE(pin->currentIndex(), 0);
    }
    // Only "Pin 1" to "Pin 3" offer Analog, only "Pin 8" Braking PWM, and the encoder
    // pins offer neither Generic button nor Analog.
    for (int pin = 0; pin < 3; ++pin)
        QCOMPARE(hiddenRows(pins.at(pin)), QList<int>{9});
    for (int pin = 3; pin < 7; ++pin)
        QCOMPARE(hiddenRows(pins.at(pin)), (QList<int>{2, 9}));
    QCOMPARE(hiddenRows(pins.at(7)), QList<int>{2});
    QCOMPARE(hiddenRows(pins.at(8)), (QList<int>{1, 2, 9}));
    QCOMPARE(hiddenRows(pins.at(9)), (QList<int>{1, 2, 9}));
}

void TestInputSettingsPages::spiAndButtonLists()
{
    QCOMPARE(pins().spiModeCombo->count(), 15);
    QCOMPARE(pins().spiModeCombo->itemText(0), QStringLiteral("Disabled"));
    QCOMPARE(pins().spiModeCombo->itemText(1), QStringLiteral("SN74HC165N x 3"));
    QCOMPARE(pins().spiModeCombo->itemText(14), QStringLiteral("TIANHANG F18 (DEBUG)"));
    QVERIFY(hiddenRows(pins().spiModeCombo).isEmpty());
    QVERIFY(pins().spi_recommendations->isHidden());

    for (QComboBox *button : host->findChildren<QComboBox *>(QRegularExpression(QStringLiteral("^buttonMode_\\d+$")))) {
        QCOMPARE(button->count(), 3);
        QCOMPARE(button->itemText(2), QStringLiteral("Inverted"));
        QVERIFY(hiddenRows(button).isEmpty());
    }
    QCOMPARE(host->findChildren<QComboBox *>(QRegularExpression(QStringLiteral("^buttonMode_\\d+$"))).size(), 32);
}

void TestInputSettingsPages::loadThenGatherReproducesInputBytes()
{
    const HardwareSettingsTypeDef loaded = inRangeRecord();
    pages->showSettings(loaded);
    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    const QByteArray in = bytesOf(loaded), out = bytesOf(gathered);
    for (int offset = 0; offset < 512; ++offset)
        if (isInputByte(offset))
            QVERIFY2(in.at(offset) == out.at(offset), qPrintable(QStringLiteral("byte %1").arg(offset)));
}

void TestInputSettingsPages::gatherWritesOnlyInputBytes()
{
    pages->showSettings(inRangeRecord());
    HardwareSettingsTypeDef gathered;
    std::memcpy(&gathered, QByteArray(sizeof gathered, char(0xAA)).constData(), sizeof gathered);
    pages->gatherSettings(gathered);
    const QByteArray out = bytesOf(gathered);
    for (int offset = 0; offset < 512; ++offset)
        if (!isInputByte(offset))
            QVERIFY2(quint8(out.at(offset)) == 0xAA, qPrintable(QStringLiteral("byte %1").arg(offset)));
}

void TestInputSettingsPages::valuesBeyondTheListsGoBackUntouched()
{
    HardwareSettingsTypeDef settings{};
    settings.gpio_mode[0] = 10;
    settings.spi_mode = 15;
    settings.button_mode[5] = 3;
    pages->showSettings(settings);
    QCOMPARE(pins().gpioModeCombo_1->currentIndex(), -1);
    QCOMPARE(pins().spiModeCombo->currentIndex(), -1);
    QCOMPARE(buttons().buttonMode_6->currentIndex(), -1);
    // The SPI byte is not zero, so the recommendations still show.
    QVERIFY(!pins().spi_recommendations->isHidden());

    QVERIFY(pins().gpioModeCombo_1->placeholderText().contains(QLatin1String("10")));

    // Another field edited: the unknown codes go back as they came; a picked item sends its code.
    pins().gpioModeCombo_2->setCurrentIndex(1);
    buttons().buttonMode_6->setCurrentIndex(2);
    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    QCOMPARE(int(gathered.gpio_mode[0]), 10);
    QCOMPARE(int(gathered.spi_mode), 15);
    QCOMPARE(int(gathered.button_mode[5]), 2);
    QCOMPARE(int(gathered.button_mode[4]), 0);
}

void TestInputSettingsPages::hiddenFunctionStillShown()
{
    HardwareSettingsTypeDef settings{};
    settings.gpio_mode[0] = 9;  // Braking PWM on "Pin 1", not in its pop-up
    settings.gpio_mode[9] = 1;  // Generic button on "Encoder Z1"
    pages->showSettings(settings);
    QCOMPARE(pins().gpioModeCombo_1->currentText(), QStringLiteral("Braking PWM"));
    QCOMPARE(pins().gpioModeCombo_10->currentText(), QStringLiteral("Generic button"));
    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    QCOMPARE(int(gathered.gpio_mode[0]), 9);
    QCOMPARE(int(gathered.gpio_mode[9]), 1);
}

void TestInputSettingsPages::numbersClampAndInvertNormalises()
{
    HardwareSettingsTypeDef settings{};
    settings.analog_lower_dead_zone[0] = 40000;
    settings.analog_upper_dead_zone[2] = 65535;
    settings.analog_smoothing[1] = 101;
    settings.analog_button_low[0] = 200;
    settings.analog_button_high[2] = 255;
    settings.analog_invert[0] = 2;
    settings.analog_invert[1] = 0xFF;
    pages->showSettings(settings);
    QCOMPARE(axes().lowerDeadZoneSpinBox_1->value(), 32767);
    QVERIFY(axes().analogAxisInvert_1->isChecked());

    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    QCOMPARE(int(gathered.analog_lower_dead_zone[0]), 32767);
    QCOMPARE(int(gathered.analog_upper_dead_zone[2]), 32767);
    QCOMPARE(int(gathered.analog_smoothing[1]), 100);
    QCOMPARE(int(gathered.analog_button_low[0]), 100);
    QCOMPARE(int(gathered.analog_button_high[2]), 100);
    QCOMPARE(int(gathered.analog_invert[0]), 1);
    QCOMPARE(int(gathered.analog_invert[1]), 1);
    QCOMPARE(int(gathered.analog_invert[2]), 0);
}

void TestInputSettingsPages::deadZonesAreLittleEndianAtOddOffsets()
{
    QByteArray raw(512, '\0');
    raw[69] = char(0x34); // Ry lower dead zone, low byte first
    raw[70] = char(0x12);
    raw[73] = char(0xFF); // Rx upper dead zone 0x7FFF
    raw[74] = char(0x7F);
    HardwareSettingsTypeDef settings;
    std::memcpy(&settings, raw.constData(), sizeof settings);
    pages->showSettings(settings);
    QCOMPARE(axes().lowerDeadZoneSpinBox_2->value(), 0x1234);
    QCOMPARE(axes().upperDeadZoneSpinBox_1->value(), 0x7FFF);
    // Lower above upper is accepted as it stands.
    axes().lowerDeadZoneSpinBox_3->setValue(30000);
    axes().upperDeadZoneSpinBox_3->setValue(5);

    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    const QByteArray out = bytesOf(gathered);
    QCOMPARE(quint8(out.at(69)), quint8(0x34));
    QCOMPARE(quint8(out.at(70)), quint8(0x12));
    QCOMPARE(quint8(out.at(71)), quint8(30000 & 0xFF));
    QCOMPARE(quint8(out.at(72)), quint8(30000 >> 8));
    QCOMPARE(quint8(out.at(77)), quint8(5));
}

void TestInputSettingsPages::recommendationsFollowTheRecord()
{
    HardwareSettingsTypeDef settings{};
    settings.spi_mode = 3;
    pages->showSettings(settings);
    QVERIFY(!pins().spi_recommendations->isHidden());
    QCOMPARE(pins().spiModeCombo->currentText(), QStringLiteral("Thrustmaster"));
    settings.spi_mode = 0;
    pages->showSettings(settings);
    QVERIFY(pins().spi_recommendations->isHidden());
}

void TestInputSettingsPages::recommendationsFollowTheModePickedByHand()
{
    QComboBox *spi = pins().spiModeCombo;
    QTest::keyClick(spi, Qt::Key_End);
    QCOMPARE(spi->currentText(), QStringLiteral("TIANHANG F18 (DEBUG)"));
    QVERIFY(!pins().spi_recommendations->isHidden());
    QTest::keyClick(spi, Qt::Key_Home);
    QCOMPARE(spi->currentIndex(), 0);
    QVERIFY(pins().spi_recommendations->isHidden());
}

void TestInputSettingsPages::pagesAndListsInGerman()
{
    // Each page's texts and list items are looked up in the page's own context.
    QTranslator german;
    QVERIFY(german.load(QStringLiteral(KESTROV_TRANSLATIONS_DIR "/hardware_settings_ui_de.qm")));
    QCoreApplication::installTranslator(&german);
    buildPages();
    QCoreApplication::removeTranslator(&german);

    QCOMPARE(pins().gpio_modes_group->title(), QStringLiteral("GPIO-Modi (Neustart nötig)"));
    QCOMPARE(pins().spi_cs_recommendation->text(), QStringLiteral("- CS-Leitung an PIN 5"));
    QCOMPARE(pins().gpioModeCombo_1->itemText(1), QStringLiteral("Allgemeine Taste"));
    QCOMPARE(pins().gpioModeCombo_8->itemText(9), QStringLiteral("Brems-PWM"));
    QCOMPARE(pins().spiModeCombo->itemText(0), QStringLiteral("Deaktiviert"));
    QCOMPARE(buttons().button_group_2->title(), QStringLiteral("Schieberegister 1"));
    QCOMPARE(buttons().buttonLabel_32->text(), QStringLiteral("Taste 32"));
    QCOMPARE(buttons().buttonMode_32->itemText(2), QStringLiteral("Invertiert"));
    QCOMPARE(axes().smoothing_title->text(), QStringLiteral("Glättung (%)"));
    QCOMPARE(axes().analogAxisInvert_3->text(), QStringLiteral("Umkehren"));
}

void TestInputSettingsPages::pressedButtonLightsItsOwnLamp()
{
    QCOMPARE(buttonsPage->indicators().size(), 32);
    buttonsPage->show();
    const QRect lampBefore = buttonsPage->indicators().at(16)->geometry();
    const QRect comboBefore = buttons().buttonMode_17->geometry();

    // Button 17 is the kernel's BTN_TRIGGER_HAPPY1, not BTN_TRIGGER + 16.
    buttonsPage->showLiveInputs(joystickSnapshot(BTN_TRIGGER_HAPPY1));
    QCOMPARE(litRows(*buttonsPage), QList<int>{16});
    QVERIFY(buttonsPage->indicators().at(16)->toolTip().startsWith(QStringLiteral("Button 17")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(buttonsPage->indicators().at(16)->geometry(), lampBefore);
    QCOMPARE(buttons().buttonMode_17->geometry(), comboBefore);

    buttonsPage->showLiveInputs(joystickSnapshot(BTN_TRIGGER));
    QCOMPARE(litRows(*buttonsPage), QList<int>{0});
    // An unmapped button lights no row.
    buttonsPage->showLiveInputs(joystickSnapshot(BTN_MODE));
    QCOMPARE(litRows(*buttonsPage), QList<int>{});
    buttonsPage->showLiveInputs(joystickSnapshot(BTN_TRIGGER_HAPPY2));
    buttonsPage->clearLiveInputs();
    QCOMPARE(litRows(*buttonsPage), QList<int>{});
    // The modes are the record's, whatever the buttons do.
    QCOMPARE(buttons().buttonMode_17->currentIndex(), 0);
}

void TestInputSettingsPages::axisBarsShowTheRawValueInTheKernelsRange()
{
    axesPage->resize(1000, 400);
    axesPage->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QList<AxisBar *> &bars = axesPage->axisBars();
    QCOMPARE(bars.size(), 3);
    for (AxisBar *bar : bars)
        QVERIFY(!bar->hasValue());

    axesPage->showLiveInputs(joystickSnapshot(0));
    QCOMPARE(bars.at(0)->valueText(), QStringLiteral("8192"));
    QVERIFY(!bars.at(1)->hasValue());   // Ry not reported
    QCOMPARE(bars.at(2)->valueText(), QStringLiteral("32767"));
    // A quarter of the way in and at the very end of 0 to 32767.
    const QRect area = bars.at(0)->rect();
    QVERIFY(qAbs(bars.at(0)->markerRect().center().x() - area.width() / 4) <= 3);
    QVERIFY(bars.at(2)->markerRect().right() >= area.right() - 2);
    const int height = bars.at(0)->height();

    InputSnapshot moved = joystickSnapshot(0);
    moved.axes[1].value = 123456;   // beyond the range: kept at the end
    axesPage->showLiveInputs(moved);
    QCOMPARE(bars.at(0)->valueText(), QStringLiteral("123456"));
    QVERIFY(bars.at(0)->markerRect().right() >= area.right() - 2);
    QCOMPARE(bars.at(0)->height(), height);

    // The number is drawn glyph by glyph: all of it, centred, as wide as the font writes it.
    moved.axes[1].value = -40213;
    axesPage->showLiveInputs(moved);
    const QImage drawn = bars.at(0)->grab().toImage();
    const QRect marker = bars.at(0)->markerRect();
    int inkLeft = drawn.width();
    int inkRight = -1;
    for (int x = 0; x < drawn.width(); ++x)
        for (int y = 0; y < drawn.height(); ++y)
            if (!marker.contains(x, y) && qGray(drawn.pixel(x, y)) < 80) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    const int inkWidth = bars.at(0)->fontMetrics().boundingRect(QStringLiteral("-40213")).width();
    QVERIFY2(qAbs((inkRight - inkLeft + 1) - inkWidth) <= 3, qPrintable(QStringLiteral("%1 to %2, %3 wide").arg(inkLeft).arg(inkRight).arg(inkWidth)));
    QVERIFY2(qAbs(inkLeft - (drawn.width() - 1 - inkRight)) <= 3, qPrintable(QStringLiteral("%1 to %2").arg(inkLeft).arg(inkRight)));

    axesPage->clearLiveInputs();
    QVERIFY(!bars.at(0)->hasValue());
    QCOMPARE(bars.at(0)->valueText(), QString());
}

void TestInputSettingsPages::deadZoneOverlayFollowsTheSpinBoxesAlone()
{
    axesPage->resize(1000, 400);
    axesPage->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    pages->showSettings(inRangeRecord());
    HardwareSettingsTypeDef before{};
    pages->gatherSettings(before);

    AxisBar *ry = axesPage->axisBars().at(1);
    const int width = ry->rect().adjusted(1, 1, -1, -1).width();
    axes().lowerDeadZoneSpinBox_2->setValue(AnalogAxesPage::RAW_MAXIMUM / 2);
    QVERIFY(qAbs(ry->lowerDeadZoneRect().width() - width / 2) <= 1);
    QCOMPARE(ry->lowerDeadZoneRect().left(), 1);
    axes().upperDeadZoneSpinBox_2->setValue(AnalogAxesPage::RAW_MAXIMUM / 4);
    QVERIFY(qAbs(ry->upperDeadZoneRect().width() - width / 4) <= 1);
    QCOMPARE(ry->upperDeadZoneRect().right(), width);
    axes().upperDeadZoneSpinBox_2->setValue(0);
    QVERIFY(ry->upperDeadZoneRect().isEmpty());
    // The other axes' overlays stay.
    QCOMPARE(axesPage->axisBars().at(0)->lowerDeadZoneRect().width(),
             int(std::lround(width * double(inRangeRecord().analog_lower_dead_zone[0]) / AnalogAxesPage::RAW_MAXIMUM)));

    // A reading changes none of the page's settings.
    axes().upperDeadZoneSpinBox_2->setValue(before.analog_upper_dead_zone[1]);
    axes().lowerDeadZoneSpinBox_2->setValue(before.analog_lower_dead_zone[1]);
    axesPage->showLiveInputs(joystickSnapshot(BTN_TRIGGER));
    buttonsPage->showLiveInputs(joystickSnapshot(BTN_TRIGGER));
    HardwareSettingsTypeDef after{};
    pages->gatherSettings(after);
    QCOMPARE(bytesOf(after), bytesOf(before));
}

void TestInputSettingsPages::inputsWithoutARowAreListedAsOther()
{
    axesPage->showLiveInputs(joystickSnapshot(BTN_MODE));
    QCOMPARE(axesPage->otherInputs(), (QStringList{QStringLiteral("ABS_THROTTLE: 77"), QStringLiteral("BTN_MODE: pressed")}));
    const int listHeight = axes().other_inputs_list->height();
    InputSnapshot more = joystickSnapshot(0);
    for (int code = ABS_HAT0X; code <= ABS_HAT3Y; ++code)
        more.axes.append({code, QStringLiteral("ABS_HAT%1").arg(code), 0, -1, 1});
    axesPage->showLiveInputs(more);
    QCOMPARE(axesPage->otherInputs().size(), 10);
    QCOMPARE(axesPage->otherInputs().constLast(), QStringLiteral("BTN_MODE: released"));
    QCOMPARE(axes().other_inputs_list->height(), listHeight);
    axesPage->clearLiveInputs();
    QVERIFY(axesPage->otherInputs().isEmpty());
}

void TestInputSettingsPages::liveProblemSaidOnOneKeptLine()
{
    axesPage->show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const int height = axes().analog_axes_live_line->height();
    LiveInputProblem problem;
    problem.kind = LiveInputProblem::NoPermission;
    problem.node = QStringLiteral("/dev/input/event7");
    axesPage->showLiveInputProblem(problem);
    buttonsPage->showLiveInputProblem(problem);
    QCOMPARE(axes().analog_axes_live_line->message(), problem.describe());
    QVERIFY(axes().analog_axes_live_line->message().contains(QStringLiteral("/dev/input/event7")));
    QCOMPARE(buttons().buttons_live_line->message(), problem.describe());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(axes().analog_axes_live_line->height(), height);
    axesPage->showLiveInputProblem(LiveInputProblem());
    QVERIFY(axes().analog_axes_live_line->message().isEmpty());
}

QTEST_MAIN(TestInputSettingsPages)
#include "tst_inputsettingspages.moc"
