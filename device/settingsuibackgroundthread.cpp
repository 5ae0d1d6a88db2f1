#include "device/settingsuibackgroundthread.h"

#include "device/devicechannel.h"
#include "device/hidtransport.h"
#include "device/replydecoding.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

using ReplyBuffer = std::array<uint8_t, HidTransport::READ_LENGTH>;

void registerMetaTypes()
{
    qRegisterMetaType<DeviceInfoTypeDef>("DeviceInfoTypeDef");
    qRegisterMetaType<QMap<int, DeviceInfoTypeDef>>("QMap<int,DeviceInfoTypeDef>");
    qRegisterMetaType<EffectSettingsTypeDef>("EffectSettingsTypeDef");
    qRegisterMetaType<HardwareSettingsTypeDef>("HardwareSettingsTypeDef");
    qRegisterMetaType<DeviceAccessIssues>("DeviceAccessIssues");
}

} // namespace

SettingsUiBackgroundThread::SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId,
                                                       QObject *parent)
    : QObject(parent)
    , productIds(productIds)
    , pollTimer(new QTimer(this))
    , vendorId(vendorId)
    , opener(vendorId)
{
    registerMetaTypes();
    connect(pollTimer, &QTimer::timeout, this, &SettingsUiBackgroundThread::checkDeviceConnections);
}

SettingsUiBackgroundThread::~SettingsUiBackgroundThread() = default;

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
    deviceHandles.clear();
}

bool SettingsUiBackgroundThread::probe(DeviceChannel &channel, DeviceInfoTypeDef &info) const
{
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(channel, HidTransport::REPORT_DEVICE_INFO, reply.data(), reply.size());
    return ReplyDecoding::deviceInfo(received, reply.data(), info);
}

void SettingsUiBackgroundThread::checkDeviceConnections()
{
    if (busy.load() || stopping.load())
        return;

    // The bus is looked at only when some controller is not open yet.
    const bool allOpen = std::all_of(productIds.cbegin(), productIds.cend(),
                                     [this](int productId) { return deviceHandles.count(productId) != 0; });
    if (!allOpen)
        opener.lookAround();

    QMap<int, DeviceInfoTypeDef> answered;
    DeviceAccessIssues accessIssues;
    for (int productId : std::as_const(productIds)) {
        auto open = deviceHandles.find(productId);
        if (open == deviceHandles.end()) {
            ChannelOpener::Result opened = opener.open(productId);
            if (opened.issue)
                accessIssues.append(*opened.issue);
            if (!opened.channel)
                continue;
            open = deviceHandles.emplace(productId, std::move(opened.channel)).first;
        }
        DeviceInfoTypeDef info;
        if (!probe(*open->second, info)) {
            deviceHandles.erase(open);
            continue;
        }
        answered.insert(productId, info);
    }
    emit connectedDevices(answered);
    if (!accessIssuesPublished || accessIssues != lastAccessIssues) {
        accessIssuesPublished = true;
        lastAccessIssues = accessIssues;
        emit deviceAccessIssues(accessIssues);
    }
}

DeviceChannel *SettingsUiBackgroundThread::handleFor(int productId) const
{
    const auto found = deviceHandles.find(productId);
    return found == deviceHandles.end() ? nullptr : found->second.get();
}

void SettingsUiBackgroundThread::rebootControllerRequest(int productId)
{
    if (DeviceChannel *channel = handleFor(productId))
        HidTransport::sendCommand(*channel, HidTransport::COMMAND_REBOOT);
}

void SettingsUiBackgroundThread::switchtoDfuRequest(int productId)
{
    if (DeviceChannel *channel = handleFor(productId))
        HidTransport::sendCommand(*channel, HidTransport::COMMAND_SWITCH_TO_DFU);
}

template<typename Record>
bool SettingsUiBackgroundThread::readRecord(int productId, uint8_t reportId, Record &record) const
{
    DeviceChannel *channel = handleFor(productId);
    if (!channel)
        return false;
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(*channel, reportId, reply.data(), reply.size());
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
    DeviceChannel *channel = handleFor(productId);
    if (!channel)
        return false;
    if (!HidTransport::writeSettingsBlock(*channel, command, static_cast<const uint8_t *>(record), length))
        return false;
    return waitUntilIdle(channel);
}

void SettingsUiBackgroundThread::commitToPermanentMemory(int productId)
{
    DeviceChannel *channel = handleFor(productId);
    if (!channel)
        return;
    if (HidTransport::sendCommand(*channel, HidTransport::COMMAND_SAVE_SETTINGS) == HidTransport::PACKET_SIZE)
        waitUntilIdle(channel);
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

void SettingsUiBackgroundThread::awaitDeviceNotBusy(DeviceChannel *device)
{
    waitUntilIdle(device);
}

bool SettingsUiBackgroundThread::waitUntilIdle(DeviceChannel *channel)
{
    if (!channel)
        return false;

    busy.store(true);
    emit busyWaitStarted();

    // Ends when the controller reports idle, when a status request fails (the controller is
    // gone or broken, or did not answer within the channel's timeout) and, at the latest,
    // after the busy-wait limit: bounded by the limit plus one timeout and one pause.
    QElapsedTimer elapsed;
    elapsed.start();
    bool busyNow = true;
    bool answering = true;
    while (busyNow && answering) {
        ReplyBuffer reply{};
        const int received = HidTransport::getFeatureReport(*channel, HidTransport::REPORT_BUSY_STATUS, reply.data(), reply.size());
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
