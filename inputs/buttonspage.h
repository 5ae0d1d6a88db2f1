// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

#include <memory>

namespace Ui {
class ButtonsPage;
}

class PressedIndicator;
struct InputSnapshot;
struct LiveInputProblem;

// The "Buttons" page: a mode for each of the 32 buttons, in groups of eight as they are
// wired, and beside each a lamp lit while the button is held. InputSettingsPages fills its
// lists and carries its values to and from the hardware record; the live view never
// touches them.
class ButtonsPage : public QWidget
{
    Q_OBJECT

public:
    explicit ButtonsPage(QWidget *parent = nullptr);
    ~ButtonsPage() override;

    const Ui::ButtonsPage &controls() const;
    // The lamps in row order, button 1 first.
    const QList<PressedIndicator *> &indicators() const { return m_indicators; }

public slots:
    void showLiveInputs(const InputSnapshot &snapshot);
    void clearLiveInputs();
    void showLiveInputProblem(const LiveInputProblem &problem);

private:
    std::unique_ptr<Ui::ButtonsPage> m_ui;
    QList<PressedIndicator *> m_indicators;
};
