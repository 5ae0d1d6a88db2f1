// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceinfo.h"
#include "device/fieldlimits.h"
#include "effects/effectrecordfields.h"
#include "effects/fulleffectsettingswidget.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "hardware/hardwarerecordfields.h"
#include "inputs/analogaxespage.h"
#include "inputs/buttonspage.h"
#include "inputs/gpiopage.h"
#include "inputs/inputsettingspages.h"

#include <QComboBox>
#include <QSpinBox>
#include <QtTest>

#include <cstring>
#include <functional>

namespace {

// What the pages show: each spin box's value and each combo box's item.
QHash<QWidget *, int> shown(const QWidget &pages)
{
    QHash<QWidget *, int> values;
    for (QSpinBox *spin : pages.findChildren<QSpinBox *>())
        values.insert(spin, spin->value());
    for (QComboBox *combo : pages.findChildren<QComboBox *>())
        values.insert(combo, combo->currentIndex());
    return values;
}

template<typename Record>
Record recordOf(const QByteArray &bytes)
{
    Record record;
    std::memcpy(&record, bytes.constData(), sizeof record);
    return record;
}

// Loads each limited element at its minimum, then at its maximum, the rest unchanged: the
// one control that moves shows it, and must allow exactly what the table does.
void checkRecord(const QWidget &pages, QSet<QWidget *> &found, const char *record, const QList<RecordField> &fields,
                 int size, const std::function<void(const QByteArray &)> &load)
{
    QByteArray bytes(size, '\0');
    const auto put = [&bytes](const RecordField &field, int index, int value) {
        for (int byte = 0; byte < field.width; ++byte)
            bytes[field.offset + index * field.width + byte] = char(value >> 8 * byte);
    };
    for (const RecordField &field : fields) {
        const FieldLimit *limit = FieldLimits::of(record, field);
        for (int index = 0; limit && index < field.count; ++index) {
            const QByteArray words = RecordFields::describe(field, index).toUtf8();
            put(field, index, limit->minimum);
            load(bytes);
            const QHash<QWidget *, int> before = shown(pages);
            put(field, index, limit->maximum);
            load(bytes);
            QList<QWidget *> moved;
            for (auto control = before.cbegin(); control != before.cend(); ++control)
                if (shown(pages).value(control.key()) != control.value())
                    moved << control.key();
            QVERIFY2(moved.size() == 1 && !found.contains(moved.first()), words.constData());
            found.insert(moved.first());
            const auto *spin = qobject_cast<QSpinBox *>(moved.first());
            const auto *combo = qobject_cast<QComboBox *>(moved.first());
            QVERIFY2(spin ? limit->control == FieldLimit::SpinBox && spin->minimum() == limit->minimum
                                && spin->maximum() == limit->maximum
                          : limit->control == FieldLimit::ComboBox && limit->minimum == 0
                                && combo->count() == limit->maximum + 1,
                     words.constData());
        }
    }
}

} // namespace

// kestrov-ctl refuses records by the limits table, so it must say what the real pages allow:
// else the command line refuses what the window takes, or sends what the window would change.
class TestFieldLimits : public QObject
{
    Q_OBJECT

private slots:
    void pagesAllowWhatTheTableSays()
    {
        QWidget pages;
        auto *effects = new FullEffectSettingsWidget(&pages);
        effects->setDeviceType(DeviceType::Joystick);
        auto *hardware = new FullHardwareSettingsWidget(&pages);
        InputSettingsPages inputs(*new GpioPage(&pages), *new ButtonsPage(&pages), *new AnalogAxesPage(&pages));
        QSet<QWidget *> found;
        checkRecord(pages, found, "effects", effectRecordFields(), sizeof(EffectSettingsTypeDef),
                    [&](const QByteArray &bytes) { effects->loadSettings(recordOf<EffectSettingsTypeDef>(bytes)); });
        checkRecord(pages, found, "hardware", hardwareRecordFields(), sizeof(HardwareSettingsTypeDef), [&](const QByteArray &bytes) {
            hardware->loadSettings(recordOf<HardwareSettingsTypeDef>(bytes));
            inputs.showSettings(recordOf<HardwareSettingsTypeDef>(bytes));
        });
        // No control is left out (a limit with a wrong field name leaves one) but the profile
        // box and the maximum force, a float.
        const QStringList unlimited{"profile_combo_box", "max_force_axis0", "max_force_axis1"};
        for (QWidget *control : shown(pages).keys())
            QVERIFY2(found.contains(control) || unlimited.contains(control->objectName()), qPrintable(control->objectName()));
    }
};

QTEST_MAIN(TestFieldLimits)
#include "tst_fieldlimits.moc"
