// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/buttonspage.h"
#include "ui_buttonspage.h"

#include "device/inputmapping.h"
#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "inputs/pressedindicator.h"

ButtonsPage::ButtonsPage(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ButtonsPage>())
{
    m_ui->setupUi(this);
    for (int row = 0; row < InputMapping::BUTTONS; ++row) {
        auto *indicator = findChild<PressedIndicator *>(QStringLiteral("buttonPressed_%1").arg(row + 1));
        Q_ASSERT(indicator);
        const auto *label = findChild<QLabel *>(QStringLiteral("buttonLabel_%1").arg(row + 1));
        indicator->setRowName(label->text());
        m_indicators.append(indicator);
    }
}

ButtonsPage::~ButtonsPage() = default;

const Ui::ButtonsPage &ButtonsPage::controls() const
{
    return *m_ui;
}

void ButtonsPage::showLiveInputs(const InputSnapshot &snapshot)
{
    for (int row = 0; row < m_indicators.size(); ++row) {
        const InputButtonState *button = snapshot.button(InputMapping::codeOf(InputMappingEntry::Button, row));
        m_indicators.at(row)->setPressed(button && button->pressed);
    }
}

void ButtonsPage::clearLiveInputs()
{
    for (PressedIndicator *indicator : std::as_const(m_indicators))
        indicator->setPressed(false);
}

void ButtonsPage::showLiveInputProblem(const LiveInputProblem &problem)
{
    m_ui->buttons_live_line->setMessage(problem.describe());
}
