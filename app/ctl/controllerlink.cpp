// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/controllerlink.h"

#include "app/ctl/console.h"

ControllerLink::ControllerLink()
{
    m_progress.setSingleShot(true);
    m_progress.setInterval(PROGRESS_AFTER_MS);
    connect(&m_progress, &QTimer::timeout, this, &ControllerLink::showProgress);
    connect(&m_client, &DeviceClient::busyWaitStarted, &m_progress, qOverload<>(&QTimer::start));
    connect(&m_client, &DeviceClient::busyWaitFinished, &m_progress, &QTimer::stop);
}

ControllerLink::Reply ControllerLink::run(const Request &request)
{
    Reply reply;
    reply.outcome = m_client.sendAndWait(request.command, request.productId, request.record);
    m_progress.stop();
    return reply;
}

void ControllerLink::showProgress()
{
    Console::error(QStringLiteral("waiting for the controller to finish..."));
}
