// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A lamp beside a button's row: lit while the button is held. Of a fixed size, so lighting
// it never moves anything.
class PressedIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit PressedIndicator(QWidget *parent = nullptr);

    bool isPressed() const { return m_pressed; }
    void setPressed(bool pressed);
    // The row it belongs to, for its tooltip and accessible name: "Button 17".
    void setRowName(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void describe();

    QString m_rowName;
    bool m_pressed = false;
};
