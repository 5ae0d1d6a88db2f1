// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "inputs/numberglyphs.h"

#include <QRect>
#include <QWidget>

// A live axis: where its raw value stands in the range the kernel gives, with the number
// written on it, and optionally the dead zones at both ends. Of a fixed height, and its
// width does not follow the value, so updates never move the page.
class AxisBar : public QWidget
{
    Q_OBJECT

public:
    explicit AxisBar(QWidget *parent = nullptr);

    void setValue(int value, int minimum, int maximum);
    // Nothing to show: no reading, or the axis is not reported.
    void clearValue();
    bool hasValue() const { return m_hasValue; }
    int value() const { return m_value; }
    // The text drawn on the bar: the raw value, empty without one.
    QString valueText() const;
    // The reading in words, for the tooltip and screen readers.
    QString description() const;

    // The dead zones as parts (0 to 1) of the range, from the lower and the upper end.
    void setDeadZones(double lower, double upper);
    // Where the dead zones are drawn; empty when none.
    QRect lowerDeadZoneRect() const;
    QRect upperDeadZoneRect() const;
    // Where the value's marker is drawn; empty without a value.
    QRect markerRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect groove() const;

    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 0;
    bool m_hasValue = false;
    double m_lowerDeadZone = 0;
    double m_upperDeadZone = 0;
    NumberGlyphs m_numberGlyphs;
};
