// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/analogaxespage.h"
#include "ui_analogaxespage.h"

#include "device/inputmapping.h"
#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "inputs/axisbar.h"

namespace {

constexpr int OTHER_INPUTS_ROWS = 4;

} // namespace

AnalogAxesPage::AnalogAxesPage(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::AnalogAxesPage>())
{
    m_ui->setupUi(this);
    m_bars = {m_ui->analogAxisBar_1, m_ui->analogAxisBar_2, m_ui->analogAxisBar_3};
    m_lowerDeadZones = {m_ui->lowerDeadZoneSpinBox_1, m_ui->lowerDeadZoneSpinBox_2, m_ui->lowerDeadZoneSpinBox_3};
    m_upperDeadZones = {m_ui->upperDeadZoneSpinBox_1, m_ui->upperDeadZoneSpinBox_2, m_ui->upperDeadZoneSpinBox_3};
    for (int axis = 0; axis < InputMapping::ANALOG_AXES; ++axis) {
        // The overlay follows the spin box at once, applied or not.
        connect(m_lowerDeadZones.at(axis), &QSpinBox::valueChanged, this, [this, axis] { showDeadZones(axis); });
        connect(m_upperDeadZones.at(axis), &QSpinBox::valueChanged, this, [this, axis] { showDeadZones(axis); });
        showDeadZones(axis);
    }
    // A list of a fixed height: inputs coming and going never move the page.
    QListWidget *list = m_ui->other_inputs_list;
    list->setFixedHeight(list->fontMetrics().lineSpacing() * OTHER_INPUTS_ROWS + 2 * list->frameWidth() + 4);
    m_ui->other_inputs_title->setBuddy(list);
}

AnalogAxesPage::~AnalogAxesPage() = default;

const Ui::AnalogAxesPage &AnalogAxesPage::controls() const
{
    return *m_ui;
}

void AnalogAxesPage::showDeadZones(int axis)
{
    m_bars.at(axis)->setDeadZones(double(m_lowerDeadZones.at(axis)->value()) / RAW_MAXIMUM,
                                  double(m_upperDeadZones.at(axis)->value()) / RAW_MAXIMUM);
}

void AnalogAxesPage::showLiveInputs(const InputSnapshot &snapshot)
{
    for (int axis = 0; axis < m_bars.size(); ++axis) {
        const InputAxisState *state = snapshot.axis(InputMapping::codeOf(InputMappingEntry::AnalogAxis, axis));
        if (state)
            m_bars.at(axis)->setValue(state->value, state->minimum, state->maximum);
        else
            m_bars.at(axis)->clearValue();
    }
    // What the controller reports beyond the pages' rows is listed rather than dropped.
    QStringList lines;
    for (const InputAxisState &axis : snapshot.axes)
        if (!InputMapping::forCode(EV_ABS, axis.code))
            lines << tr("%1: %2").arg(axis.name).arg(axis.value);
    for (const InputButtonState &button : snapshot.buttons)
        if (!InputMapping::forCode(EV_KEY, button.code))
            lines << tr("%1: %2").arg(button.name, button.pressed ? tr("pressed") : tr("released"));
    showOtherInputs(lines);
}

void AnalogAxesPage::clearLiveInputs()
{
    for (AxisBar *bar : std::as_const(m_bars))
        bar->clearValue();
    showOtherInputs({});
}

void AnalogAxesPage::showLiveInputProblem(const LiveInputProblem &problem)
{
    m_ui->analog_axes_live_line->setMessage(problem.describe());
}

void AnalogAxesPage::showOtherInputs(const QStringList &lines)
{
    // Rows are rewritten in place, so the list keeps where it was scrolled to.
    QListWidget *list = m_ui->other_inputs_list;
    while (list->count() > lines.size())
        delete list->takeItem(list->count() - 1);
    for (int row = 0; row < lines.size(); ++row) {
        if (row < list->count()) {
            if (list->item(row)->text() != lines.at(row))
                list->item(row)->setText(lines.at(row));
        } else {
            list->addItem(lines.at(row));
        }
    }
}

QStringList AnalogAxesPage::otherInputs() const
{
    QStringList lines;
    for (int row = 0; row < m_ui->other_inputs_list->count(); ++row)
        lines << m_ui->other_inputs_list->item(row)->text();
    return lines;
}
