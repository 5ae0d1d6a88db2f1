#include "device/settingsuibackgroundthread.h"

#include "device/devicechannel.h"
#include "device/devicemonitor.h"
#include "device/hidtransport.h"
#include "device/replydecoding.h"

#include <QElapsedTimer>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

using ReplyBuffer = std::array<uint8_t, HidTransport::READ_LENGTH>;

void registerMetaTypes()
{
    qRegisterMetaType<DeviceInfoTypeDef>("DeviceInfoTypeDef");
    qRegisterMetaType<QMap<int, DeviceInfoTypeDef>>("QMap<int,DeviceInfoTypeDef>");
    qRegisterMetaType<EffectSettingsTypeDef>("EffectSettingsTypeDef");
    qRegisterMetaType<HardwareSettingsTypeDef>("HardwareSettingsTypeDef");
    qRegisterMetaType<DeviceAccessIssues>("DeviceAccessIssues");
    qRegisterMetaType<CommandOutcome>("CommandOutcome");
}

} // namespace

SettingsUiBackgroundThread::SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId,
                                                       QObject *parent)
    : QObject(parent)
    , productIds(productIds)
    , pollTimer(new QTimer(this))
    , followUpCycle(new QTimer(this))
    , vendorId(vendorId)
    , opener(vendorId)
{
    registerMetaTypes();
    connect(pollTimer, &QTimer::timeout, this, &SettingsUiBackgroundThread::checkDeviceConnections);
    followUpCycle->setSingleShot(true);
    connect(followUpCycle, &QTimer::timeout, this, [this] { cycleAfterDeviceEvent(false); });
}

SettingsUiBackgroundThread::~SettingsUiBackgroundThread() = default;

void SettingsUiBackgroundThread::start()
{
    if (stopping.load())
        return;
    // Made here, on the worker's thread, so that its events are handled between commands.
    // Without udev's events the poll alone finds every change, as it always has.
    monitor = new DeviceMonitor(vendorId, this);
    if (monitor->isListening()) {
        connect(monitor, &DeviceMonitor::controllersChanged, this, &SettingsUiBackgroundThread::cycleAfterDeviceEvent);
    } else {
        delete monitor;
        monitor = nullptr;
    }
    // The first cycle runs at once, so a connected controller is listed without waiting a period.
    checkDeviceConnections();
    pollTimer->start(POLL_INTERVAL_MS);
}

void SettingsUiBackgroundThread::shutdown()
{
    stopping.store(true);
    pollTimer->stop();
    followUpCycle->stop();
    delete monitor;
    monitor = nullptr;
    deviceHandles.clear();
    openNodes.clear();
}

void SettingsUiBackgroundThread::cycleAfterDeviceEvent(bool arrived)
{
    if (stopping.load())
        return;
    // Commands run on this thread, so an event during one is only handled after it; should a
    // busy wait still be under way, the cycle is put off rather than skipped.
    if (busy.load()) {
        followUpCycle->start(BUSY_POLL_INTERVAL_MS);
        return;
    }
    // This cycle does what a second look still due would have done.
    followUpCycle->stop();
    const QList<int> openBefore = openNodes.keys();
    checkDeviceConnections();
    // The rhythm starts over from here: the event adds one cycle, and the next tick is a
    // whole period away.
    pollTimer->start(POLL_INTERVAL_MS);
    const bool openedOne = std::any_of(openNodes.keyBegin(), openNodes.keyEnd(),
                                       [&openBefore](int productId) { return !openBefore.contains(productId); });
    if (arrived && !openedOne)
        followUpCycle->start(SECOND_LOOK_MS);
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
            openNodes.insert(productId, opened.node);
        }
        DeviceInfoTypeDef info;
        if (!probe(*open->second, info)) {
            deviceHandles.erase(open);
            openNodes.remove(productId);
            continue;
        }
        answered.insert(productId, info);
    }
    if (monitor) {
        // The nodes whose removal changes what is listed or what is reported.
        QSet<QString> watched(openNodes.cbegin(), openNodes.cend());
        for (const DeviceAccessIssue &issue : std::as_const(accessIssues))
            watched.insert(issue.node);
        monitor->watchRemovalOf(watched);
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

namespace {

CommandOutcome outcomeOf(CommandOutcome::Command command, int productId)
{
    CommandOutcome outcome;
    outcome.command = command;
    outcome.productId = productId;
    return outcome;
}

template<typename Record>
QByteArray bytesOf(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

} // namespace

void SettingsUiBackgroundThread::finish(CommandOutcome outcome, CommandOutcome::Step step, int error)
{
    outcome.step = step;
    outcome.busyWaitLimitMs = busyWaitLimitMs;
    if (error < 0)
        outcome.result = CommandOutcome::resultOfError(error);
    emit commandFinished(outcome);
}

void SettingsUiBackgroundThread::sendRequest(CommandOutcome outcome, uint8_t command)
{
    DeviceChannel *channel = handleFor(outcome.productId);
    if (!channel) {
        outcome.result = CommandOutcome::NotConnected;
        finish(outcome, CommandOutcome::Sending, 0);
        return;
    }
    const int sent = HidTransport::sendCommand(*channel, command);
    finish(outcome, CommandOutcome::Sending, sent == HidTransport::PACKET_SIZE ? 0 : (sent < 0 ? sent : -EIO));
}

void SettingsUiBackgroundThread::rebootControllerRequest(int productId)
{
    sendRequest(outcomeOf(CommandOutcome::Reboot, productId), HidTransport::COMMAND_REBOOT);
}

void SettingsUiBackgroundThread::switchtoDfuRequest(int productId)
{
    sendRequest(outcomeOf(CommandOutcome::SwitchToDfu, productId), HidTransport::COMMAND_SWITCH_TO_DFU);
}

int SettingsUiBackgroundThread::readWhole(DeviceChannel &channel, uint8_t reportId, QByteArray &record) const
{
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(channel, reportId, reply.data(), reply.size());
    if (received < 0)
        return received;
    return ReplyDecoding::settingsRecord(received, reply.data(), record.data(), size_t(record.size())) ? 0 : -EPROTO;
}

template<typename Record>
void SettingsUiBackgroundThread::readRecord(CommandOutcome outcome, uint8_t reportId,
                                            void (SettingsUiBackgroundThread::*obtained)(Record))
{
    DeviceChannel *channel = handleFor(outcome.productId);
    if (!channel) {
        outcome.result = CommandOutcome::NotConnected;
        finish(outcome, CommandOutcome::Reading, 0);
        return;
    }
    QByteArray bytes(int(sizeof(Record)), '\0');
    const int read = readWhole(*channel, reportId, bytes);
    if (read == 0) {
        Record record;
        std::memcpy(static_cast<void *>(&record), bytes.constData(), sizeof record);
        emit (this->*obtained)(record);
    }
    finish(outcome, CommandOutcome::Reading, read);
}

void SettingsUiBackgroundThread::readEffectSettings(int productId)
{
    readRecord(outcomeOf(CommandOutcome::ReadEffects, productId), HidTransport::REPORT_EFFECT_SETTINGS,
               &SettingsUiBackgroundThread::effectSettingsObtained);
}

void SettingsUiBackgroundThread::readHardwareSettings(int productId)
{
    readRecord(outcomeOf(CommandOutcome::ReadHardware, productId), HidTransport::REPORT_HARDWARE_SETTINGS,
               &SettingsUiBackgroundThread::hardwareSettingsObtained);
}

void SettingsUiBackgroundThread::writeRecord(CommandOutcome outcome, uint8_t command, uint8_t reportId,
                                             const QByteArray &record, bool save)
{
    outcome.sent = record;
    DeviceChannel *channel = handleFor(outcome.productId);
    if (!channel) {
        outcome.result = CommandOutcome::NotConnected;
        finish(outcome, CommandOutcome::Writing, 0);
        return;
    }
    int error = 0;
    if (!HidTransport::writeSettingsBlock(*channel, command, reinterpret_cast<const uint8_t *>(record.constData()),
                                          uint16_t(record.size()), &error)) {
        finish(outcome, CommandOutcome::Writing, error);
        return;
    }
    // Only a record the controller has taken and finished with is made permanent.
    if (const int waited = waitUntilIdle(channel); waited < 0) {
        finish(outcome, CommandOutcome::WaitingAfterWrite, waited);
        return;
    }
    if (save) {
        const int sent = HidTransport::sendCommand(*channel, HidTransport::COMMAND_SAVE_SETTINGS);
        if (sent != HidTransport::PACKET_SIZE) {
            finish(outcome, CommandOutcome::Saving, sent < 0 ? sent : -EIO);
            return;
        }
        if (const int waited = waitUntilIdle(channel); waited < 0) {
            finish(outcome, CommandOutcome::WaitingAfterSave, waited);
            return;
        }
    }
    // The controller may clamp or ignore values: what it kept is what counts.
    outcome.kept = QByteArray(record.size(), '\0');
    const int read = readWhole(*channel, reportId, outcome.kept);
    if (read < 0) {
        outcome.kept.clear();
        finish(outcome, CommandOutcome::Verifying, read);
        return;
    }
    if (outcome.kept != outcome.sent)
        outcome.result = CommandOutcome::Differs;
    finish(outcome, CommandOutcome::Verifying, 0);
}

void SettingsUiBackgroundThread::applyEffectSettings(int productId, EffectSettingsTypeDef settings)
{
    writeRecord(outcomeOf(CommandOutcome::ApplyEffects, productId), HidTransport::COMMAND_WRITE_EFFECT_SETTINGS,
                HidTransport::REPORT_EFFECT_SETTINGS, bytesOf(settings), false);
}

void SettingsUiBackgroundThread::saveEffectsSettings(int productId, EffectSettingsTypeDef settings)
{
    writeRecord(outcomeOf(CommandOutcome::SaveEffects, productId), HidTransport::COMMAND_WRITE_EFFECT_SETTINGS,
                HidTransport::REPORT_EFFECT_SETTINGS, bytesOf(settings), true);
}

void SettingsUiBackgroundThread::applyHardwareSettings(int productId, HardwareSettingsTypeDef settings)
{
    writeRecord(outcomeOf(CommandOutcome::ApplyHardware, productId), HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS,
                HidTransport::REPORT_HARDWARE_SETTINGS, bytesOf(settings), false);
}

void SettingsUiBackgroundThread::saveHardwareSettings(int productId, HardwareSettingsTypeDef settings)
{
    writeRecord(outcomeOf(CommandOutcome::SaveHardware, productId), HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS,
                HidTransport::REPORT_HARDWARE_SETTINGS, bytesOf(settings), true);
}

void SettingsUiBackgroundThread::saveSettingsRequest(int productId)
{
    DeviceChannel *channel = handleFor(productId);
    if (channel && HidTransport::sendCommand(*channel, HidTransport::COMMAND_SAVE_SETTINGS) == HidTransport::PACKET_SIZE)
        waitUntilIdle(channel);
}

void SettingsUiBackgroundThread::awaitDeviceNotBusy(DeviceChannel *device)
{
    waitUntilIdle(device);
}

int SettingsUiBackgroundThread::waitUntilIdle(DeviceChannel *channel)
{
    if (!channel)
        return -ENODEV;

    busy.store(true);
    emit busyWaitStarted();

    // Ends when the controller reports idle, when a status request fails (the controller is
    // gone or broken, or did not answer within the channel's timeout) and, at the latest,
    // after the busy-wait limit: bounded by the limit plus one timeout and one pause.
    QElapsedTimer elapsed;
    elapsed.start();
    bool busyNow = true;
    int result = 0;
    while (busyNow && result == 0) {
        ReplyBuffer reply{};
        const int received = HidTransport::getFeatureReport(*channel, HidTransport::REPORT_BUSY_STATUS, reply.data(), reply.size());
        if (!ReplyDecoding::busyStatus(received, reply.data(), busyNow))
            result = received < 0 ? received : -EPROTO;
        QThread::msleep(BUSY_POLL_INTERVAL_MS);
        if (busyNow && result == 0 && elapsed.elapsed() >= busyWaitLimitMs)
            result = -EBUSY;
    }

    busy.store(false);
    emit busyWaitFinished();
    return result;
}
