// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceclient.h"

#include "device/devicekinds.h"
#include "device/devicereply.h"
#include "device/settingsuibackgroundthread.h"
#include "device/usbsession.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

DeviceClient::DeviceClient(QObject *parent)
    : QObject(parent)
    , m_session(std::make_unique<UsbSession>())
    , m_worker(new SettingsUiBackgroundThread(DeviceKinds::productIds().values(), KESTROV_VENDOR_ID))
{
    connect(m_worker, &SettingsUiBackgroundThread::connectedDevices, this, &DeviceClient::connectedDevices);
    connect(m_worker, &SettingsUiBackgroundThread::deviceAccessIssues, this, &DeviceClient::deviceAccessIssues);
    connect(m_worker, &SettingsUiBackgroundThread::extraControllers, this, &DeviceClient::extraControllers);
    connect(m_worker, &SettingsUiBackgroundThread::busyWaitStarted, this, &DeviceClient::busyWaitStarted);
    connect(m_worker, &SettingsUiBackgroundThread::busyWaitFinished, this, &DeviceClient::busyWaitFinished);
    connect(m_worker, &SettingsUiBackgroundThread::commandFinished, this, &DeviceClient::deliver);
    // The worker ends on its own thread, as it lived: no other thread touches its handles.
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

DeviceClient::~DeviceClient()
{
    shutDown();
}

void DeviceClient::shutDown()
{
    if (!m_worker)
        return;
    // Polls stop at once; requests already sent finish (each is bounded); then every handle
    // is closed on the worker's thread before the thread and the USB libraries end.
    m_worker->requestStop();
    QMetaObject::invokeMethod(m_worker, &SettingsUiBackgroundThread::shutdown, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_worker = nullptr;
    m_session.reset();
}

bool DeviceClient::isUsbAvailable() const
{
    return m_session && m_session->isAvailable();
}

void DeviceClient::startPolling()
{
    if (m_pollingStarted || !isUsbAvailable())
        return;
    m_pollingStarted = true;
    QMetaObject::invokeMethod(m_worker, &SettingsUiBackgroundThread::start, Qt::QueuedConnection);
}

void DeviceClient::stopPolling()
{
    if (m_worker)
        m_worker->requestStop();
}

void DeviceClient::setBusyWaitLimit(int milliseconds)
{
    SettingsUiBackgroundThread *worker = m_worker;
    QMetaObject::invokeMethod(worker, [worker, milliseconds] { worker->setBusyWaitLimit(milliseconds); },
                              Qt::BlockingQueuedConnection);
}

DeviceClient::Survey DeviceClient::survey()
{
    Survey found;
    if (!isUsbAvailable())
        return found;
    const auto listed = connect(this, &DeviceClient::connectedDevices, this,
                                [&found](const QMap<int, DeviceInfoTypeDef> &devices) { found.connected = devices; });
    const auto refused = connect(this, &DeviceClient::deviceAccessIssues, this,
                                 [&found](const DeviceAccessIssues &issues) { found.accessIssues = issues; });
    const auto unused = connect(this, &DeviceClient::extraControllers, this,
                                [&found](const QMap<int, int> &extra) { found.extraControllers = extra; });
    const auto silent = connect(m_worker, &SettingsUiBackgroundThread::unansweredControllers, this,
                                [&found](const QList<int> &productIds) { found.unanswered = productIds; });
    QMetaObject::invokeMethod(m_worker, &SettingsUiBackgroundThread::checkDeviceConnections, Qt::BlockingQueuedConnection);
    // The cycle has ended, so what it emitted waits in this thread's queue.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    disconnect(listed);
    disconnect(refused);
    disconnect(silent);
    disconnect(unused);
    return found;
}

DeviceReply *DeviceClient::send(CommandOutcome::Command command, int productId, const QByteArray &record)
{
    CommandOutcome asked;
    asked.command = command;
    // A write carries its whole record, and nothing else does.
    Q_ASSERT(asked.writesRecord()
                 ? record.size() == int(asked.isEffects() ? sizeof(EffectSettingsTypeDef) : sizeof(HardwareSettingsTypeDef))
                 : record.isEmpty());
    const quint64 id = ++m_lastRequestId;
    auto *reply = new DeviceReply(id, this);
    m_pending.insert(id, reply);
    SettingsUiBackgroundThread *worker = m_worker;
    QMetaObject::invokeMethod(
        worker, [worker, id, command, productId, record] { worker->runRequest(id, command, productId, record); },
        Qt::QueuedConnection);
    return reply;
}

CommandOutcome DeviceClient::sendAndWait(CommandOutcome::Command command, int productId, const QByteArray &record)
{
    DeviceReply *reply = send(command, productId, record);
    CommandOutcome outcome;
    QEventLoop loop;
    connect(reply, &DeviceReply::finished, &loop, [&](const CommandOutcome &ended) {
        outcome = ended;
        loop.quit();
    });
    loop.exec();
    return outcome;
}

void DeviceClient::deliver(const CommandOutcome &outcome)
{
    const auto found = m_pending.constFind(outcome.requestId);
    if (found == m_pending.cend())
        return;
    const QPointer<DeviceReply> reply = *found;
    m_pending.erase(found);
    if (reply)
        reply->finish(outcome);
    if (m_pending.isEmpty())
        emit idle();
}
