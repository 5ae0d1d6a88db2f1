#include "inputs/inputsettingspages.h"
#include "ui_mainwindow.h"

#include <QListView>
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
    void valuesBeyondTheListsGather255();
    void hiddenFunctionStillShown();
    void numbersClampAndInvertNormalises();
    void deadZonesAreLittleEndianAtOddOffsets();
    void recommendationsFollowTheRecord();

private:
    std::unique_ptr<QMainWindow> host;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<InputSettingsPages> pages;
};

void TestInputSettingsPages::init()
{
    host = std::make_unique<QMainWindow>();
    ui = std::make_unique<Ui::MainWindow>();
    ui->setupUi(host.get());
    pages = std::make_unique<InputSettingsPages>(*ui);
}

void TestInputSettingsPages::cleanup()
{
    pages.reset();
    ui.reset();
    host.reset();
}

void TestInputSettingsPages::pinFunctionsOfferedPerPin()
{
    const QList<QComboBox *> pins{ui->gpioModeCombo_1, ui->gpioModeCombo_2, ui->gpioModeCombo_3, ui->gpioModeCombo_4,
                                  ui->gpioModeCombo_5, ui->gpioModeCombo_6, ui->gpioModeCombo_7, ui->gpioModeCombo_8,
                                  ui->gpioModeCombo_9, ui->gpioModeCombo_10};
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
    QCOMPARE(ui->spiModeCombo->count(), 15);
    QCOMPARE(ui->spiModeCombo->itemText(0), QStringLiteral("Disabled"));
    QCOMPARE(ui->spiModeCombo->itemText(1), QStringLiteral("SN74HC165N x 3"));
    QCOMPARE(ui->spiModeCombo->itemText(14), QStringLiteral("TIANHANG F18 (DEBUG)"));
    QVERIFY(hiddenRows(ui->spiModeCombo).isEmpty());
    QVERIFY(ui->spi_recommendations->isHidden());

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

void TestInputSettingsPages::valuesBeyondTheListsGather255()
{
    HardwareSettingsTypeDef settings{};
    settings.gpio_mode[0] = 10;
    settings.spi_mode = 15;
    settings.button_mode[5] = 3;
    pages->showSettings(settings);
    QCOMPARE(ui->gpioModeCombo_1->currentIndex(), -1);
    QCOMPARE(ui->spiModeCombo->currentIndex(), -1);
    QCOMPARE(ui->buttonMode_6->currentIndex(), -1);
    // The SPI byte is not zero, so the recommendations still show.
    QVERIFY(!ui->spi_recommendations->isHidden());

    HardwareSettingsTypeDef gathered{};
    pages->gatherSettings(gathered);
    QCOMPARE(int(gathered.gpio_mode[0]), 255);
    QCOMPARE(int(gathered.spi_mode), 255);
    QCOMPARE(int(gathered.button_mode[5]), 255);
    QCOMPARE(int(gathered.button_mode[4]), 0);
}

void TestInputSettingsPages::hiddenFunctionStillShown()
{
    HardwareSettingsTypeDef settings{};
    settings.gpio_mode[0] = 9;  // Braking PWM on "Pin 1", not in its pop-up
    settings.gpio_mode[9] = 1;  // Generic button on "Encoder Z1"
    pages->showSettings(settings);
    QCOMPARE(ui->gpioModeCombo_1->currentText(), QStringLiteral("Braking PWM"));
    QCOMPARE(ui->gpioModeCombo_10->currentText(), QStringLiteral("Generic button"));
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
    QCOMPARE(ui->lowerDeadZoneSpinBox_1->value(), 32767);
    QVERIFY(ui->analogAxisInvert_1->isChecked());

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
    QCOMPARE(ui->lowerDeadZoneSpinBox_2->value(), 0x1234);
    QCOMPARE(ui->upperDeadZoneSpinBox_1->value(), 0x7FFF);
    // Lower above upper is accepted as it stands.
    ui->lowerDeadZoneSpinBox_3->setValue(30000);
    ui->upperDeadZoneSpinBox_3->setValue(5);

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
    QVERIFY(!ui->spi_recommendations->isHidden());
    QCOMPARE(ui->spiModeCombo->currentText(), QStringLiteral("Thrustmaster"));
    settings.spi_mode = 0;
    pages->showSettings(settings);
    QVERIFY(ui->spi_recommendations->isHidden());
}

QTEST_MAIN(TestInputSettingsPages)
#include "tst_inputsettingspages.moc"
