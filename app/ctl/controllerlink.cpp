#include "app/ctl/controllerlink.h"

#include "app/ctl/console.h"
#include "device/devicekinds.h"
#include "device/settingsuibackgroundthread.h"
#include "device/usbsession.h"

#include <QCoreApplication>
#include <QEventLoop>

ControllerLink::ControllerLink()
    : session(std::make_unique<UsbSession>())
    , worker(new SettingsUiBackgroundThread(DeviceKinds::productIds().values(), KESTROV_VENDOR_ID))
{
    progress.setSingleShot(true);
    progress.setInterval(PROGRESS_AFTER_MS);
    connect(&progress, &QTimer::timeout, this, &ControllerLink::showProgress);
    connect(worker, &SettingsUiBackgroundThread::busyWaitStarted, &progress, qOverload<>(&QTimer::start));
    connect(worker, &SettingsUiBackgroundThread::busyWaitFinished, &progress, &QTimer::stop);
    // The worker ends on its own thread, as it lived.
    connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
    worker->moveToThread(&thread);
    thread.start();
}

ControllerLink::~ControllerLink()
{
    worker->requestStop();
    QMetaObject::invokeMethod(worker, &SettingsUiBackgroundThread::shutdown, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    // Only now that every channel is closed.
    session.reset();
}

bool ControllerLink::isUsbAvailable() const
{
    return session->isAvailable();
}

ControllerLink::Survey ControllerLink::survey()
{
    Survey found;
    if (!isUsbAvailable())
        return found;
    // Handed over queued, as to the window.
    const auto listed = connect(worker, &SettingsUiBackgroundThread::connectedDevices, this,
                                [&found](const QMap<int, DeviceInfoTypeDef> &devices) { found.connected = devices; });
    const auto refused = connect(worker, &SettingsUiBackgroundThread::deviceAccessIssues, this,
                                 [&found](const DeviceAccessIssues &issues) { found.accessIssues = issues; });
    QMetaObject::invokeMethod(worker, &SettingsUiBackgroundThread::checkDeviceConnections, Qt::BlockingQueuedConnection);
    // The cycle has ended, so what it emitted waits in this thread's queue.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    disconnect(listed);
    disconnect(refused);
    return found;
}

ControllerLink::Reply ControllerLink::run(const Command &command)
{
    Reply reply;
    QEventLoop loop;
    const auto effects = connect(worker, &SettingsUiBackgroundThread::effectSettingsObtained, this,
                                 [&reply](const EffectSettingsTypeDef &settings) {
                                     reply.record = QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
                                 });
    const auto hardware = connect(worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this,
                                  [&reply](const HardwareSettingsTypeDef &settings) {
                                      reply.record = QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
                                  });
    const auto finished = connect(worker, &SettingsUiBackgroundThread::commandFinished, this,
                                  [&reply, &loop](const CommandOutcome &outcome) {
                                      reply.outcome = outcome;
                                      loop.quit();
                                  });
    SettingsUiBackgroundThread *target = worker;
    QMetaObject::invokeMethod(target, [target, command] { command(target); }, Qt::QueuedConnection);
    loop.exec();
    disconnect(effects);
    disconnect(hardware);
    disconnect(finished);
    progress.stop();
    return reply;
}

void ControllerLink::showProgress()
{
    Console::error(QStringLiteral("waiting for the controller to finish..."));
}
