// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/firstframewatch.h"

#include "bench/processclock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

FirstFrameWatch::FirstFrameWatch(QWidget &widget)
    : widget(widget)
{
    QCoreApplication::instance()->installEventFilter(this);
}

FirstFrameWatch::~FirstFrameWatch()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FirstFrameWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (framed() || event->type() != QEvent::Expose || watched != widget.windowHandle())
        return false;
    // The frame is painted while the window handles this event, so it is delivered here and
    // timed when it returns, instead of being passed on.
    auto *window = static_cast<QWindow *>(watched);
    static_cast<QObject *>(window)->event(event);
    if (window->isExposed()) {
        frameEndNs = ProcessClock::nowNs();
        QCoreApplication::instance()->removeEventFilter(this);
        emit firstFrame();
    }
    return true;
}
