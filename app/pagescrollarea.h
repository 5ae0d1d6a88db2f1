// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

// Holds the contents of one settings page. When the window is too low for them they scroll
// up and down, never sideways: the area is always as wide as the contents need, and it asks
// for room to show them whole, so the window opens without scrolling where the screen allows.
// The mouse wheel scrolls the page: a slider, spin box or combo box under the pointer takes
// the wheel only once the user has clicked or tabbed into it, so scrolling past a value
// never changes it.
class PageScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit PageScrollArea(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void leaveWheelToPageUnlessFocused();
};
