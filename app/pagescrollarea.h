#pragma once

#include <QScrollArea>

// Holds the contents of one settings page. When the window is too low for them they scroll
// up and down, never sideways: the area is always as wide as the contents need, and it asks
// for room to show them whole, so the window opens without scrolling where the screen allows.
class PageScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit PageScrollArea(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
};
