#include "device/settingsuibackgroundthread.h"

#include "device/hidtransport.h"
#include "device/replydecoding.h"

#include <libusb.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <array>

namespace {

using ReplyBuffer = std::array<uint8_t, HidTransport::READ_LENGTH>;

void registerMetaTypes()
{
    qRegisterMetaType<DeviceInfoTypeDef>("DeviceInfoTypeDef");
    qRegisterMetaType<QMap<int, DeviceInfoTypeDef>>("QMap<int,DeviceInfoTypeDef>");
    qRegisterMetaType<EffectSettingsTypeDef>("EffectSettingsTypeDef");
    qRegisterMetaType<HardwareSettingsTypeDef>("HardwareSettingsTypeDef");
}

} // namespace

SettingsUiBackgroundThread::SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId,
                                                       QObject *parent)
    : QObject(parent)
    , productIds(productIds)
    , pollTimer(new QTimer(this))
    , vendorId(vendorId)
{
    registerMetaTypes();
    connect(pollTimer, &QTimer::timeout, this, &SettingsUiBackgroundThread::checkDeviceConnections);
}

SettingsUiBackgroundThread::~SettingsUiBackgroundThread()
{
    for (libusb_device_handle *handle : std::as_const(deviceHandles))
        libusb_close(handle);
}

void SettingsUiBackgroundThread::start()
{
    if (stopping.load())
        return;
    // The first cycle runs at once, so a connected controller is listed without waiting a period.
    checkDeviceConnections();
    pollTimer->start(POLL_INTERVAL_MS);
}

void SettingsUiBackgroundThread::shutdown()
{
    stopping.store(true);
    pollTimer->stop();
    for (libusb_device_handle *handle : std::as_const(deviceHandles))
        libusb_close(handle);
    deviceHandles.clear();
}

bool SettingsUiBackgroundThread::probe(libusb_device_handle *handle, DeviceInfoTypeDef &info) const
{
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(handle, HidTransport::REPORT_DEVICE_INFO, reply.data(), reply.size());
    return ReplyDecoding::deviceInfo(received, reply.data(), info);
}

void SettingsUiBackgroundThread::checkDeviceConnections()
{
    if (busy.load() || stopping.load())
        return;

    QMap<int, DeviceInfoTypeDef> answered;
    for (int productId : std::as_const(productIds)) {
        libusb_device_handle *handle = deviceHandles.value(productId);
        const bool known = handle != nullptr;
        if (!known) {
            handle = libusb_open_device_with_vid_pid(nullptr, uint16_t(vendorId), uint16_t(productId));
            if (!handle)
                continue;
        }
        DeviceInfoTypeDef info;
        if (!probe(handle, info)) {
            libusb_close(handle);
            deviceHandles.remove(productId);
            continue;
        }
        deviceHandles.insert(productId, handle);
        answered.insert(productId, info);
    }
    emit connectedDevices(answered);
}

libusb_device_handle *SettingsUiBackgroundThread::handleFor(int productId) const
{
    return deviceHandles.value(productId);
}

void SettingsUiBackgroundThread::rebootControllerRequest(int productId)
{
    if (libusb_device_handle *handle = handleFor(productId))
        HidTransport::sendCommand(handle, HidTransport::COMMAND_REBOOT);
}

void SettingsUiBackgroundThread::switchtoDfuRequest(int productId)
{
    if (libusb_device_handle *handle = handleFor(productId))
        HidTransport::sendCommand(handle, HidTransport::COMMAND_SWITCH_TO_DFU);
}

template<typename Record>
bool SettingsUiBackgroundThread::readRecord(int productId, uint8_t reportId, Record &record) const
{
    libusb_device_handle *handle = handleFor(productId);
    if (!handle)
        return false;
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(handle, reportId, reply.data(), reply.size());
    return ReplyDecoding::settingsRecord(received, reply.data(), record);
}

void SettingsUiBackgroundThread::readEffectSettings(int productId)
{
    EffectSettingsTypeDef settings;
    if (readRecord(productId, HidTransport::REPORT_EFFECT_SETTINGS, settings))
        emit effectSettingsObtained(settings);
}

void SettingsUiBackgroundThread::readHardwareSettings(int productId)
{
    HardwareSettingsTypeDef settings;
    if (readRecord(productId, HidTransport::REPORT_HARDWARE_SETTINGS, settings))
        emit hardwareSettingsObtained(settings);
}

bool SettingsUiBackgroundThread::writeAndWait(int productId, uint8_t command, const void *record, uint16_t length)
{
    libusb_device_handle *handle = handleFor(productId);
    if (!handle)
        return false;
    if (!HidTransport::writeSettingsBlock(handle, command, static_cast<const uint8_t *>(record), length))
        return false;
    return waitUntilIdle(handle);
}

void SettingsUiBackgroundThread::commitToPermanentMemory(int productId)
{
    libusb_device_handle *handle = handleFor(productId);
    if (!handle)
        return;
    if (HidTransport::sendCommand(handle, HidTransport::COMMAND_SAVE_SETTINGS) == HidTransport::PACKET_SIZE)
        waitUntilIdle(handle);
}

void SettingsUiBackgroundThread::applyEffectSettings(int productId, EffectSettingsTypeDef settings)
{
    writeAndWait(productId, HidTransport::COMMAND_WRITE_EFFECT_SETTINGS, &settings, sizeof settings);
}

void SettingsUiBackgroundThread::saveEffectsSettings(int productId, EffectSettingsTypeDef settings)
{
    // Only a record the controller has taken and finished with is made permanent.
    if (writeAndWait(productId, HidTransport::COMMAND_WRITE_EFFECT_SETTINGS, &settings, sizeof settings))
        commitToPermanentMemory(productId);
}

void SettingsUiBackgroundThread::applyHardwareSettings(int productId, HardwareSettingsTypeDef settings)
{
    writeAndWait(productId, HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS, &settings, sizeof settings);
}

void SettingsUiBackgroundThread::saveHardwareSettings(int productId, HardwareSettingsTypeDef settings)
{
    if (writeAndWait(productId, HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS, &settings, sizeof settings))
        commitToPermanentMemory(productId);
}

void SettingsUiBackgroundThread::saveSettingsRequest(int productId)
{
    commitToPermanentMemory(productId);
}

void SettingsUiBackgroundThread::awaitDeviceNotBusy(libusb_device_handle *device)
{
    waitUntilIdle(device);
}

bool SettingsUiBackgroundThread::waitUntilIdle(libusb_device_handle *handle)
{
    if (!handle)
        return false;

    busy.store(true);
    emit busyWaitStarted();

    // Ends when the controller reports idle, when a status request fails (the controller is
    // gone or broken) and, at the latest, after the busy-wait limit.
    QElapsedTimer elapsed;
    elapsed.start();
    bool busyNow = true;
    bool answering = true;
    while (busyNow && answering) {
        ReplyBuffer reply{};
        const int received = HidTransport::getFeatureReport(handle, HidTransport::REPORT_BUSY_STATUS, reply.data(), reply.size());
        answering = ReplyDecoding::busyStatus(received, reply.data(), busyNow);
        QThread::msleep(BUSY_POLL_INTERVAL_MS);
        if (elapsed.elapsed() >= busyWaitLimitMs)
            break;
    }
    const bool idle = answering && !busyNow;

    busy.store(false);
    emit busyWaitFinished();
    return idle;
}
