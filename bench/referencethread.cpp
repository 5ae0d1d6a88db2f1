// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/referencethread.h"

ReferenceThread::ReferenceThread()
{
    context.moveToThread(&thread);
    thread.start();
}

ReferenceThread::~ReferenceThread()
{
    thread.quit();
    thread.wait();
}

double ReferenceThread::run(const std::function<double()> &measurement)
{
    double result = -1;
    QMetaObject::invokeMethod(&context, [&] { result = measurement(); }, Qt::BlockingQueuedConnection);
    return result;
}
