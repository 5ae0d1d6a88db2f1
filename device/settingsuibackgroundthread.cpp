// SPDX-License-Identifier: GPL-3.0-or-later
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
    qRegisterMetaType<QMap<int, int>>("QMap<int,int>");
    qRegisterMetaType<EffectSettingsTypeDef>("EffectSettingsTypeDef");
    qRegisterMetaType<HardwareSettingsTypeDef>("HardwareSettingsTypeDef");
    qRegisterMetaType<DeviceAccessIssues>("DeviceAccessIssues");
    qRegisterMetaType<CommandOutcome>("CommandOutcome");
}

} // namespace

SettingsUiBackgroundThread::SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId,
                                                       QObject *parent)
    : QObject(parent)
    , m_productIds(productIds)
    , m_pollTimer(new QTimer(this))
    , m_followUpCycle(new QTimer(this))
    , m_vendorId(vendorId)
    , m_opener(vendorId)
{
    registerMetaTypes();
    connect(m_pollTimer, &QTimer::timeout, this, &SettingsUiBackgroundThread::checkDeviceConnections);
    m_followUpCycle->setSingleShot(true);
    connect(m_followUpCycle, &QTimer::timeout, this, [this] { cycleAfterDeviceEvent(false); });
}

SettingsUiBackgroundThread::~SettingsUiBackgroundThread() = default;

void SettingsUiBackgroundThread::start()
{
    if (m_stopping.load())
        return;
    // Made here, on the worker's thread, so that its events are handled between commands.
    // Without udev's events the poll alone finds every change, as it always has.
    m_monitor = new DeviceMonitor(m_vendorId, this);
    if (m_monitor->isListening()) {
        connect(m_monitor, &DeviceMonitor::controllersChanged, this, &SettingsUiBackgroundThread::cycleAfterDeviceEvent);
    } else {
        delete m_monitor;
        m_monitor = nullptr;
    }
    // The first cycle runs at once, so a connected controller is listed without waiting a period.
    checkDeviceConnections();
    m_pollTimer->start(POLL_INTERVAL_MS);
}

void SettingsUiBackgroundThread::shutdown()
{
    m_stopping.store(true);
    m_pollTimer->stop();
    m_followUpCycle->stop();
    delete m_monitor;
    m_monitor = nullptr;
    m_deviceHandles.clear();
    m_openNodes.clear();
}

void SettingsUiBackgroundThread::cycleAfterDeviceEvent(bool arrived)
{
    if (m_stopping.load())
        return;
    // Commands run on this thread, so an event during one is only handled after it; should a
    // busy wait still be under way, the cycle is put off rather than skipped.
    if (m_busy.load()) {
        m_followUpCycle->start(BUSY_POLL_INTERVAL_MS);
        return;
    }
    // This cycle does what a second look still due would have done.
    m_followUpCycle->stop();
    m_lookDue = true;
    const QList<int> openBefore = m_openNodes.keys();
    checkDeviceConnections();
    // The rhythm starts over from here: the event adds one cycle, and the next tick is a
    // whole period away.
    m_pollTimer->start(POLL_INTERVAL_MS);
    const bool openedOne = std::any_of(m_openNodes.keyBegin(), m_openNodes.keyEnd(),
                                       [&openBefore](int productId) { return !openBefore.contains(productId); });
    if (arrived && !openedOne)
        m_followUpCycle->start(SECOND_LOOK_MS);
}

bool SettingsUiBackgroundThread::probe(DeviceChannel &channel, DeviceInfoTypeDef &info) const
{
    ReplyBuffer reply{};
    const int received = HidTransport::getFeatureReport(channel, HidTransport::REPORT_DEVICE_INFO, reply.data(), reply.size());
    return ReplyDecoding::deviceInfo(received, reply.data(), info);
}

void SettingsUiBackgroundThread::checkDeviceConnections()
{
    if (m_busy.load() || m_stopping.load())
        return;

    // Where udev announces arrivals, the bus is looked at when a controller was announced
    // (a look also counts the controllers beyond the one used of each kind, so this holds even
    // when every kind is open) and, while some kind is not open, when one could not be opened
    // or stopped answering, or the safety look is due; elsewhere whenever some kind is not
    // open yet, and at the safety look. Looking reads sysfs only; open controllers are probed
    // every cycle.
    const bool allOpen = std::all_of(m_productIds.cbegin(), m_productIds.cend(),
                                     [this](int productId) { return m_deviceHandles.count(productId) != 0; });
    const bool safetyLookDue = !m_sinceLook.isValid() || m_sinceLook.hasExpired(SAFETY_LOOK_MS);
    const bool lookNow = m_monitor ? m_lookDue || (!allOpen && (safetyLookDue || !m_lastAccessIssues.isEmpty()))
                                   : !allOpen || safetyLookDue;
    if (lookNow) {
        m_opener.lookAround();
        m_lookDue = false;
        m_sinceLook.start();
    }

    QMap<int, DeviceInfoTypeDef> answered;
    QList<int> unanswered;
    DeviceAccessIssues accessIssues;
    for (int productId : std::as_const(m_productIds)) {
        auto open = m_deviceHandles.find(productId);
        if (open == m_deviceHandles.end() && !lookNow) {
            // Not looked for this cycle: what was known of it still holds.
            for (const DeviceAccessIssue &issue : std::as_const(m_lastAccessIssues))
                if (issue.productId == productId)
                    accessIssues.append(issue);
            continue;
        }
        if (open == m_deviceHandles.end()) {
            ChannelOpener::Result opened = m_opener.open(productId);
            if (opened.issue)
                accessIssues.append(*opened.issue);
            if (!opened.channel)
                continue;
            open = m_deviceHandles.emplace(productId, std::move(opened.channel)).first;
            m_openNodes.insert(productId, opened.node);
        }
        DeviceInfoTypeDef info;
        if (!probe(*open->second, info)) {
            m_deviceHandles.erase(open);
            m_openNodes.remove(productId);
            // It may still be there, answering again by the next cycle.
            m_lookDue = true;
            unanswered.append(productId);
            continue;
        }
        answered.insert(productId, info);
    }
    if (m_monitor) {
        // The nodes whose removal changes what is listed or what is reported.
        QSet<QString> watched(m_openNodes.cbegin(), m_openNodes.cend());
        for (const DeviceAccessIssue &issue : std::as_const(accessIssues))
            watched.insert(issue.node);
        for (const QString &node : m_opener.nodesOfExtraControllers())
            watched.insert(node);
        m_monitor->watchRemovalOf(watched);
    }
    emit connectedDevices(answered);
    emit unansweredControllers(unanswered);
    if (!m_accessIssuesPublished || accessIssues != m_lastAccessIssues) {
        m_accessIssuesPublished = true;
        m_lastAccessIssues = accessIssues;
        emit deviceAccessIssues(accessIssues);
    }
    QMap<int, int> extra = m_opener.extraControllers();
    extra.removeIf([this](const QMap<int, int>::iterator &counted) { return !m_productIds.contains(counted.key()); });
    if (!m_extraControllersPublished || extra != m_lastExtraControllers) {
        m_extraControllersPublished = true;
        m_lastExtraControllers = extra;
        emit extraControllers(extra);
    }
}

DeviceChannel *SettingsUiBackgroundThread::handleFor(int productId) const
{
    const auto found = m_deviceHandles.find(productId);
    return found == m_deviceHandles.end() ? nullptr : found->second.get();
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
    outcome.busyWaitLimitMs = m_busyWaitLimitMs;
    outcome.requestId = m_currentRequest;
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

void SettingsUiBackgroundThread::readRecord(CommandOutcome outcome, uint8_t reportId, int size)
{
    DeviceChannel *channel = handleFor(outcome.productId);
    if (!channel) {
        outcome.result = CommandOutcome::NotConnected;
        finish(outcome, CommandOutcome::Reading, 0);
        return;
    }
    QByteArray record(size, '\0');
    const int read = readWhole(*channel, reportId, record);
    if (read == 0)
        outcome.record = record;
    finish(outcome, CommandOutcome::Reading, read);
}

void SettingsUiBackgroundThread::readEffectSettings(int productId)
{
    readRecord(outcomeOf(CommandOutcome::ReadEffects, productId), HidTransport::REPORT_EFFECT_SETTINGS,
               int(sizeof(EffectSettingsTypeDef)));
}

void SettingsUiBackgroundThread::readHardwareSettings(int productId)
{
    readRecord(outcomeOf(CommandOutcome::ReadHardware, productId), HidTransport::REPORT_HARDWARE_SETTINGS,
               int(sizeof(HardwareSettingsTypeDef)));
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

void SettingsUiBackgroundThread::runRequest(quint64 requestId, CommandOutcome::Command command, int productId,
                                            const QByteArray &record)
{
    m_currentRequest = requestId;
    const bool effects = command == CommandOutcome::ApplyEffects || command == CommandOutcome::SaveEffects;
    const uint8_t reportId = effects ? HidTransport::REPORT_EFFECT_SETTINGS : HidTransport::REPORT_HARDWARE_SETTINGS;
    const uint8_t write = effects ? HidTransport::COMMAND_WRITE_EFFECT_SETTINGS : HidTransport::COMMAND_WRITE_HARDWARE_SETTINGS;
    switch (command) {
    case CommandOutcome::ReadEffects:
        readEffectSettings(productId);
        break;
    case CommandOutcome::ReadHardware:
        readHardwareSettings(productId);
        break;
    case CommandOutcome::ApplyEffects:
    case CommandOutcome::ApplyHardware:
    case CommandOutcome::SaveEffects:
    case CommandOutcome::SaveHardware: {
        const CommandOutcome outcome = outcomeOf(command, productId);
        writeRecord(outcome, write, reportId, record, outcome.savesRecord());
        break;
    }
    case CommandOutcome::Reboot:
        rebootControllerRequest(productId);
        break;
    case CommandOutcome::SwitchToDfu:
        switchtoDfuRequest(productId);
        break;
    }
    m_currentRequest = 0;
}

int SettingsUiBackgroundThread::waitUntilIdle(DeviceChannel *channel)
{
    if (!channel)
        return -ENODEV;

    m_busy.store(true);
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
        if (busyNow && result == 0 && elapsed.elapsed() >= m_busyWaitLimitMs)
            result = -EBUSY;
    }

    m_busy.store(false);
    emit busyWaitFinished();
    return result;
}
