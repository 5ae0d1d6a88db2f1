// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class AnalogAxesPage;
}

class AxisBar;
class QSpinBox;
struct InputSnapshot;
struct LiveInputProblem;

// The "Analog axes" page: dead zones, smoothing, button thresholds and direction of the
// three analog axes, one row each, with each axis's live value beside them and, below, the
// inputs the controller reports that no page shows. InputSettingsPages carries its values
// to and from the hardware record; the live view never touches them.
class AnalogAxesPage : public QWidget
{
    Q_OBJECT

public:
    // The analog axes' raw range, to which the dead zones belong.
    static constexpr int RAW_MAXIMUM = 32767;

    explicit AnalogAxesPage(QWidget *parent = nullptr);
    ~AnalogAxesPage() override;

    const Ui::AnalogAxesPage &controls() const;
    // Rx, Ry, Rz.
    const QList<AxisBar *> &axisBars() const { return m_bars; }
    // The "Other inputs" list's lines, as shown.
    QStringList otherInputs() const;

public slots:
    void showLiveInputs(const InputSnapshot &snapshot);
    void clearLiveInputs();
    void showLiveInputProblem(const LiveInputProblem &problem);

private:
    void showDeadZones(int axis);
    void showOtherInputs(const QStringList &lines);

    std::unique_ptr<Ui::AnalogAxesPage> m_ui;
    QList<AxisBar *> m_bars;
    QList<QSpinBox *> m_lowerDeadZones;
    QList<QSpinBox *> m_upperDeadZones;
};
