// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// Notes when a top-level widget's first frame is complete: the end of the handling of its
// window's first expose, during which Qt paints and flushes the whole widget tree.
class FirstFrameWatch : public QObject
{
    Q_OBJECT

public:
    // Watches through the application object; create it before the widget is shown.
    explicit FirstFrameWatch(QWidget &widget);
    ~FirstFrameWatch() override;

    bool framed() const { return frameEndNs > 0; }
    qint64 frameEnd() const { return frameEndNs; }   // ProcessClock time

signals:
    void firstFrame();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &widget;
    qint64 frameEndNs = 0;
};
