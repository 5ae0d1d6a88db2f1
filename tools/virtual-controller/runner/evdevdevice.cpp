// SPDX-License-Identifier: GPL-3.0-or-later
#include "evdevdevice.h"

#include "evdevclient.h"
#include "inputreport.h"
#include "eventnoderequests.h"

#include <umockdev.h>

#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

constexpr int BITS_PER_LONG = int(sizeof(unsigned long) * CHAR_BIT);
// evdev's buffer holds this many packets, and at least EVDEV_MIN_BUFFER_SIZE events.
constexpr unsigned EVDEV_BUF_PACKETS = 8;
constexpr unsigned EVDEV_MIN_BUFFER_SIZE = 64;

// The size of the request with its size bits cleared, as evdev matches variable-length ones.
constexpr gulong withoutSize(gulong request)
{
    return request & ~gulong(_IOC_SIZEMASK << _IOC_SIZESHIFT);
}

size_t bitmapBytes(int maxBit)
{
    return size_t((maxBit + BITS_PER_LONG - 1) / BITS_PER_LONG) * sizeof(unsigned long);
}

unsigned roundUpToPowerOfTwo(unsigned value)
{
    unsigned result = 1;
    while (result < value)
        result <<= 1;
    return result;
}

void fail(UMockdevIoctlClient *client, int error)
{
    umockdev_ioctl_client_complete(client, -1, error);
}

// input_defuzz_abs_event().
int defuzz(int value, int old, int fuzz)
{
    if (fuzz) {
        if (value > old - fuzz / 2 && value < old + fuzz / 2)
            return old;
        if (value > old - fuzz && value < old + fuzz)
            return (old * 3 + value) / 4;
        if (value > old - fuzz * 2 && value < old + fuzz * 2)
            return (old + value) / 2;
    }
    return value;
}

timespec now(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return time;
}

struct HandlerLink {
    std::weak_ptr<EvdevDevice> device;
};

void deleteLink(gpointer link, GClosure *)
{
    delete static_cast<HandlerLink *>(link);
}

} // namespace

std::shared_ptr<EvdevDevice> EvdevDevice::create(const Identity &identity, const InputCapabilities &capabilities,
                                                 ForceFeedbackLog log)
{
    std::shared_ptr<EvdevDevice> device(new EvdevDevice(identity, capabilities, std::move(log)));
    device->connectHandler();
    return device;
}

EvdevDevice::EvdevDevice(const Identity &identity, const InputCapabilities &capabilities, ForceFeedbackLog log)
    : m_handler(umockdev_ioctl_base_new())
    , m_identity(identity)
    , m_capabilities(capabilities)
    , m_log(std::move(log))
    // evdev_compute_buffer_size() and the input core's dev->max_vals.
    , m_bufferSize(roundUpToPowerOfTwo(std::max(unsigned(capabilities.eventsPerPacket()) * EVDEV_BUF_PACKETS,
                                                EVDEV_MIN_BUFFER_SIZE)))
    , m_maxValues(size_t(capabilities.eventsPerPacket()) + 2)
    , m_keys(capabilities.bits(EV_KEY).size(), 0)
    , m_effects(capabilities.hasForceFeedback() ? InputCapabilities::EFFECT_SLOTS : 0)
{
    for (const InputCapabilities::Axis &axis : capabilities.axes()) {
        input_absinfo &info = m_absinfo[size_t(axis.code)];
        info.minimum = axis.minimum;
        info.maximum = axis.maximum;
        info.fuzz = axis.fuzz;
        info.flat = axis.flat;
    }
}

EvdevDevice::~EvdevDevice()
{
    m_clients.clear();
    g_object_unref(m_handler);
    if (m_ioctlContext)
        g_main_context_unref(m_ioctlContext);
}

void EvdevDevice::connectHandler()
{
    const auto connect = [this](const char *signal, GCallback callback) {
        g_signal_connect_data(m_handler, signal, callback, new HandlerLink{weak_from_this()}, deleteLink,
                              GConnectFlags(0));
    };
    connect("handle-ioctl", G_CALLBACK(&EvdevDevice::forward<&EvdevDevice::handleIoctl>));
    connect("handle-read", G_CALLBACK(&EvdevDevice::forward<&EvdevDevice::handleRead>));
    connect("handle-write", G_CALLBACK(&EvdevDevice::forward<&EvdevDevice::handleWrite>));
    connect("client-vanished", G_CALLBACK(onVanished));
}

// The handlers hold the device weakly: a call on a forgotten device fails with ENODEV.
template<void (EvdevDevice::*handle)(UMockdevIoctlClient *)>
gboolean EvdevDevice::forward(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link)
{
    if (const std::shared_ptr<EvdevDevice> device = static_cast<HandlerLink *>(link)->device.lock())
        (device.get()->*handle)(client);
    else
        fail(client, ENODEV);
    return TRUE;
}

void EvdevDevice::onVanished(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link)
{
    if (const std::shared_ptr<EvdevDevice> device = static_cast<HandlerLink *>(link)->device.lock())
        device->clientVanished(client);
}

// A client is known from its first request on; the handlers hold the lock.
EvdevClient &EvdevDevice::clientOf(UMockdevIoctlClient *client)
{
    if (!m_ioctlContext)
        m_ioctlContext = g_main_context_ref_thread_default();
    std::unique_ptr<EvdevClient> &state = m_clients[client];
    if (!state)
        state = std::make_unique<EvdevClient>(m_bufferSize);
    return *state;
}

void EvdevDevice::receiveReport(const InputReport &report)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_exists)
            return;
        for (const InputCapabilities::Axis &axis : m_capabilities.axes())
            inputEvent(EV_ABS, axis.code, report.axis(axis.code));
        for (int number = 1; number <= InputCapabilities::BUTTONS; ++number) {
            const int code = InputCapabilities::buttonCode(number);
            const bool pressed = report.button(number);
            // hid-input reports the usage as scan code of a button that changes.
            if (isKeyDown(code) != pressed)
                inputEvent(EV_MSC, MSC_SCAN, InputCapabilities::FIRST_BUTTON_USAGE + number - 1);
            inputEvent(EV_KEY, code, pressed ? 1 : 0);
        }
        inputEvent(EV_SYN, SYN_REPORT, 0);
    }
    wakeReaders();
}

void EvdevDevice::disconnect()
{
    {
        std::lock_guard lock(m_mutex);
        m_exists = false;
        m_grab = nullptr;
    }
    wakeReaders();
}

bool EvdevDevice::isKeyDown(int code) const
{
    return (m_keys[size_t(code / BITS_PER_LONG)] >> (code % BITS_PER_LONG) & 1) != 0;
}

// input_handle_event() with input_get_disposition(): what changes nothing is dropped, axes
// are defuzzed, EV_FF goes to the device's driver, and SYN_REPORT hands the packet on.
void EvdevDevice::inputEvent(int type, int code, int value)
{
    if (!m_capabilities.has(0, type))
        return;
    bool pass = false;
    bool flush = false;
    switch (type) {
    case EV_SYN:
        pass = code == SYN_REPORT || code == SYN_CONFIG || code == SYN_MT_REPORT;
        flush = code == SYN_REPORT;
        break;
    case EV_KEY:
        if (m_capabilities.has(EV_KEY, code) && (value == 2 || isKeyDown(code) != (value != 0))) {
            if (value != 2)
                m_keys[size_t(code / BITS_PER_LONG)] ^= 1UL << (code % BITS_PER_LONG);
            pass = true;
        }
        break;
    case EV_ABS:
        if (m_capabilities.has(EV_ABS, code)) {
            input_absinfo &info = m_absinfo[size_t(code)];
            value = defuzz(value, info.value, info.fuzz);
            pass = value != info.value;
            info.value = value;
        }
        break;
    case EV_MSC:
        pass = m_capabilities.has(EV_MSC, code);
        break;
    case EV_FF:
        if (value >= 0) {
            forceFeedbackEvent(code, value);
            pass = true;
        }
        break;
    default:
        break;
    }
    if (!pass)
        return;
    m_values.push_back({type, code, value});
    if (flush) {
        if (m_values.size() >= 2)
            passValues();
        m_values.clear();
    } else if (m_values.size() >= m_maxValues - 2) {
        m_values.push_back({EV_SYN, SYN_REPORT, 0});
        passValues();
        m_values.clear();
    }
}

// evdev_events(): one time stamp for the packet, in each client's clock; a grab keeps the
// packet to the grabbing client.
void EvdevDevice::passValues()
{
    const timespec real = now(CLOCK_REALTIME);
    const timespec monotonic = now(CLOCK_MONOTONIC);
    const timespec boot = now(CLOCK_BOOTTIME);
    for (const auto &[key, client] : m_clients) {
        if (client->isRevoked() || (m_grab && m_grab != client.get()))
            continue;
        input_event event{};
        const clockid_t clock = client->clock();
        event.time = EvdevClient::toTimeval(clock == CLOCK_MONOTONIC ? monotonic : clock == CLOCK_BOOTTIME ? boot : real);
        for (const Value &value : m_values) {
            if (client->isFiltered(value.type, value.code))
                continue;
            // An empty report is not passed on.
            if (value.type == EV_SYN && value.code == SYN_REPORT && client->queue().isAtPacketStart())
                continue;
            event.type = __u16(value.type);
            event.code = __u16(value.code);
            event.value = value.value;
            client->queue().push(event);
        }
    }
}

void EvdevDevice::wakeReaders()
{
    GMainContext *context = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (!m_ioctlContext)
            return; // no client yet, so nobody waits
        context = g_main_context_ref(m_ioctlContext);
    }
    // Called at once when this is the ioctl thread.
    g_main_context_invoke_full(
        context, G_PRIORITY_DEFAULT,
        [](gpointer data) -> gboolean {
            if (const std::shared_ptr<EvdevDevice> device = static_cast<HandlerLink *>(data)->device.lock())
                device->serveReads();
            return G_SOURCE_REMOVE;
        },
        new HandlerLink{weak_from_this()}, [](gpointer data) { delete static_cast<HandlerLink *>(data); });
    g_main_context_unref(context);
}

void EvdevDevice::serveReads()
{
    std::lock_guard lock(m_mutex);
    for (const auto &[key, client] : m_clients) {
        if (!m_exists || client->isRevoked() || client->queue().readableCount() > 0)
            client->notify();
        if (!client->pendingRead())
            continue;
        if (!m_exists || client->isRevoked()) {
            UMockdevIoctlClient *reader = client->takePendingRead();
            fail(reader, ENODEV);
            g_object_unref(reader);
        } else if (client->queue().readableCount() > 0) {
            UMockdevIoctlClient *reader = client->takePendingRead();
            fillRead(reader, *client);
            g_object_unref(reader);
        }
    }
}

// As many whole events as fit, of whole packets.
bool EvdevDevice::fillRead(UMockdevIoctlClient *client, EvdevClient &state)
{
    UMockdevIoctlData *buffer = umockdev_ioctl_client_get_arg(client);
    size_t count = 0;
    input_event event{};
    while ((count + 1) * sizeof event <= size_t(buffer->data_len) && state.queue().fetch(&event)) {
        std::memcpy(buffer->data + count * sizeof event, &event, sizeof event);
        ++count;
    }
    if (count == 0)
        return false;
    umockdev_ioctl_client_complete(client, glong(count * sizeof event), 0);
    return true;
}

// evdev_read(), blocking: the preload library answers EAGAIN for a non-blocking file.
void EvdevDevice::handleRead(UMockdevIoctlClient *client)
{
    std::lock_guard lock(m_mutex);
    EvdevClient &state = clientOf(client);
    const int count = umockdev_ioctl_client_get_arg(client)->data_len;
    if (count != 0 && size_t(count) < sizeof(input_event))
        fail(client, EINVAL);
    else if (!m_exists || state.isRevoked())
        fail(client, ENODEV);
    else if (count == 0)
        umockdev_ioctl_client_complete(client, 0, 0);
    else if (fillRead(client, state))
        return;
    else if (state.isNonBlocking())
        fail(client, EAGAIN);
    else
        state.setPendingRead(client);
}

// evdev_write(): every whole event is injected as if the device sent it; a trailing part of
// an event is left unwritten.
void EvdevDevice::handleWrite(UMockdevIoctlClient *client)
{
    {
        std::lock_guard lock(m_mutex);
        EvdevClient &state = clientOf(client);
        UMockdevIoctlData *buffer = umockdev_ioctl_client_get_arg(client);
        const size_t count = size_t(buffer->data_len);
        if (count != 0 && count < sizeof(input_event)) {
            fail(client, EINVAL);
            return;
        }
        if (!m_exists || state.isRevoked()) {
            fail(client, ENODEV);
            return;
        }
        size_t written = 0;
        for (; written + sizeof(input_event) <= count; written += sizeof(input_event)) {
            input_event event{};
            std::memcpy(&event, buffer->data + written, sizeof event);
            inputEvent(event.type, event.code, event.value);
        }
        umockdev_ioctl_client_complete(client, glong(written), 0);
    }
    wakeReaders();
}

void EvdevDevice::clientVanished(UMockdevIoctlClient *client)
{
    std::lock_guard lock(m_mutex);
    releaseClient(client);
}

// evdev_release() and the flush before it: the file's effects are stopped and erased.
void EvdevDevice::releaseClient(UMockdevIoctlClient *client)
{
    const auto found = m_clients.find(client);
    if (found == m_clients.end())
        return;
    if (m_grab == found->second.get())
        m_grab = nullptr;
    if (m_exists)
        eraseEffectsOf(client);
    m_clients.erase(found);
}

// input_ff_event(): FF_GAIN sets the gain, an effect id plays (value times) or stops (0).
void EvdevDevice::forceFeedbackEvent(int code, int value)
{
    if (code == FF_GAIN) {
        if (m_capabilities.has(EV_FF, FF_GAIN) && unsigned(value) <= 0xffffU)
            m_log({QStringLiteral("gain"), -1, 0, 0, value});
        return;
    }
    if (!m_effects.exists(code))
        return;
    if (value == 0) {
        m_effects.stop(code);
        m_log({QStringLiteral("stop"), code, 0, 0, 0});
        return;
    }
    const ff_effect &effect = m_effects.effect(code);
    const unsigned long playback = m_effects.start(code);
    m_log({QStringLiteral("play"), code, effect.type, effect.replay.length, value});
    if (effect.replay.length == 0)
        return; // plays until stopped
    // Each repetition waits its delay, then plays its length.
    const guint64 ms = guint64(value) * (guint64(effect.replay.delay) + effect.replay.length);
    struct Ending {
        std::weak_ptr<EvdevDevice> device;
        int id;
        unsigned long playback;
    };
    GSource *timer = g_timeout_source_new(guint(std::min<guint64>(ms, G_MAXUINT)));
    g_source_set_callback(
        timer,
        [](gpointer data) -> gboolean {
            const auto *ending = static_cast<Ending *>(data);
            if (const std::shared_ptr<EvdevDevice> device = ending->device.lock())
                device->playbackEnded(ending->id, ending->playback);
            return G_SOURCE_REMOVE;
        },
        new Ending{weak_from_this(), code, playback}, [](gpointer data) { delete static_cast<Ending *>(data); });
    g_source_attach(timer, m_ioctlContext);
    g_source_unref(timer);
}

void EvdevDevice::playbackEnded(int id, unsigned long playback)
{
    std::lock_guard lock(m_mutex);
    if (!m_exists || !m_effects.isPlaying(id, playback))
        return;
    m_effects.stop(id);
    m_log({QStringLiteral("end"), id, 0, 0, 0});
}

// EVIOCSFF: input_ff_effect_from_user() and input_ff_upload().
void EvdevDevice::uploadEffect(UMockdevIoctlClient *client, gulong request)
{
    if (_IOC_SIZE(request) != sizeof(ff_effect)) {
        fail(client, EFAULT);
        return;
    }
    UMockdevIoctlData *buffer =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(ff_effect), nullptr);
    if (!buffer) {
        fail(client, EFAULT);
        return;
    }
    ff_effect effect{};
    std::memcpy(&effect, buffer->data, sizeof effect);
    int result = 0;
    if (!m_capabilities.has(0, EV_FF))
        result = -ENOSYS;
    else if (effect.type < FF_EFFECT_MIN || effect.type > FF_EFFECT_MAX || !m_capabilities.has(EV_FF, effect.type))
        result = -EINVAL;
    else if (effect.type == FF_PERIODIC
             && (effect.u.periodic.waveform < FF_WAVEFORM_MIN || effect.u.periodic.waveform > FF_WAVEFORM_MAX
                 || !m_capabilities.has(EV_FF, effect.u.periodic.waveform)))
        result = -EINVAL;
    else
        result = m_effects.upload(effect, client);
    if (result == 0) {
        std::memcpy(buffer->data + offsetof(ff_effect, id), &effect.id, sizeof effect.id);
        m_log({QStringLiteral("upload"), effect.id, effect.type, effect.replay.length, 0});
        umockdev_ioctl_client_complete(client, 0, 0);
    } else {
        fail(client, -result);
    }
    g_object_unref(buffer);
}

// EVIOCRMFF: input_ff_erase().
void EvdevDevice::removeEffect(UMockdevIoctlClient *client, int id)
{
    const int result = m_capabilities.has(0, EV_FF) ? m_effects.erase(id, client) : -ENOSYS;
    if (result == 0)
        m_log({QStringLiteral("remove"), id, 0, 0, 0});
    umockdev_ioctl_client_complete(client, result == 0 ? 0 : -1, -result);
}

// input_ff_flush().
void EvdevDevice::eraseEffectsOf(UMockdevIoctlClient *client)
{
    for (int id : m_effects.ownedBy(client)) {
        m_effects.erase(id, client);
        m_log({QStringLiteral("erase"), id, 0, 0, 0});
    }
}

// evdev_ioctl_handler() and evdev_do_ioctl(), in their order and with their errors.
void EvdevDevice::handleIoctl(UMockdevIoctlClient *client)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        EvdevClient &state = clientOf(client);
        const gulong request = umockdev_ioctl_client_get_request(client);
        const bool gone = !m_exists || state.isRevoked();
        if (request == VIRTUAL_CONTROLLER_QUEUED_BYTES) {
            const int bytes = state.queue().readableCount() * int(sizeof(input_event));
            if (gone)
                fail(client, ENODEV);
            else
                reply(client, &bytes, sizeof bytes, 0);
            return;
        }
        if (request == VIRTUAL_CONTROLLER_NONBLOCK) {
            UMockdevIoctlData *flag =
                umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), nullptr);
            if (!flag) {
                fail(client, EFAULT);
                return;
            }
            int on = 0;
            std::memcpy(&on, flag->data, sizeof on);
            g_object_unref(flag);
            state.setNonBlocking(on != 0);
            umockdev_ioctl_client_complete(client, 0, 0);
            return;
        }
        if (request == VIRTUAL_CONTROLLER_NOTIFY) {
            UMockdevIoctlData *path = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                                  VIRTUAL_CONTROLLER_NOTIFY_PATH_SIZE, nullptr);
            if (!path) {
                fail(client, EFAULT);
                return;
            }
            std::string text(reinterpret_cast<const char *>(path->data), VIRTUAL_CONTROLLER_NOTIFY_PATH_SIZE);
            g_object_unref(path);
            state.setNotifyPath(text.c_str());
            umockdev_ioctl_client_complete(client, 0, 0);
            return;
        }
        if (request == VIRTUAL_CONTROLLER_RELEASE) {
            releaseClient(client);
            umockdev_ioctl_client_complete(client, 0, 0);
            return;
        }
        if (gone) {
            fail(client, ENODEV);
            return;
        }
        switch (request) {
        case EVIOCGVERSION: {
            const int version = EV_VERSION;
            return reply(client, &version, sizeof version, 0);
        }
        case EVIOCGID: {
            const input_id id{BUS_USB, __u16(m_identity.vendorId), __u16(m_identity.productId),
                              __u16(m_identity.version)};
            return reply(client, &id, sizeof id, 0);
        }
        case EVIOCGREP:
        case EVIOCSREP:
            return fail(client, ENOSYS); // no EV_REP
        case EVIOCRMFF:
            return removeEffect(client, int(argumentValue(client)));
        case EVIOCGEFFECTS: {
            const int effects = m_capabilities.has(0, EV_FF) ? m_effects.count() : 0;
            return reply(client, &effects, sizeof effects, 0);
        }
        case EVIOCGRAB:
            return grab(client, state, argumentValue(client) != 0);
        case EVIOCREVOKE:
            if (argumentValue(client) != 0)
                return fail(client, EINVAL);
            revoke(client, state);
            wake = true;
            break;
        case EVIOCGMASK:
            return getMask(client, state);
        case EVIOCSMASK:
            return setMask(client, state);
        case EVIOCSCLOCKID: {
            UMockdevIoctlData *clock =
                umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), nullptr);
            if (!clock)
                return fail(client, EFAULT);
            int id = 0;
            std::memcpy(&id, clock->data, sizeof id);
            g_object_unref(clock);
            if (!state.setClock(clockid_t(id), now(clockid_t(id == CLOCK_MONOTONIC || id == CLOCK_BOOTTIME ? id : CLOCK_REALTIME))))
                return fail(client, EINVAL);
            return umockdev_ioctl_client_complete(client, 0, 0);
        }
        default:
            if (!handleVariableIoctl(client, state, request))
                fail(client, EINVAL);
            return;
        }
    }
    if (wake)
        wakeReaders();
}

// The requests that carry their buffer's size, then those that carry a type or axis.
bool EvdevDevice::handleVariableIoctl(UMockdevIoctlClient *client, EvdevClient &state, gulong request)
{
    const int size = int(_IOC_SIZE(request));
    switch (withoutSize(request)) {
    case withoutSize(EVIOCGPROP(0)): {
        const std::vector<unsigned long> none(bitmapBytes(INPUT_PROP_MAX) / sizeof(unsigned long), 0);
        const size_t length = std::min(bitmapBytes(INPUT_PROP_MAX), size_t(size));
        reply(client, none.data(), length, glong(length));
        return true;
    }
    case withoutSize(EVIOCGKEY(0)):
        getState(client, state, EV_KEY, size);
        return true;
    case withoutSize(EVIOCGLED(0)):
        getState(client, state, EV_LED, size);
        return true;
    case withoutSize(EVIOCGSND(0)):
        getState(client, state, EV_SND, size);
        return true;
    case withoutSize(EVIOCGSW(0)):
        getState(client, state, EV_SW, size);
        return true;
    case withoutSize(EVIOCGNAME(0)):
        replyString(client, m_identity.name, size);
        return true;
    case withoutSize(EVIOCGPHYS(0)):
        replyString(client, m_identity.phys, size);
        return true;
    case withoutSize(EVIOCGUNIQ(0)):
        replyString(client, m_identity.uniq, size);
        return true;
    case withoutSize(EVIOCSFF):
        uploadEffect(client, request);
        return true;
    default:
        break;
    }
    if (_IOC_TYPE(request) != 'E')
        return false;
    const unsigned number = _IOC_NR(request);
    if (_IOC_DIR(request) == _IOC_READ && (number & ~unsigned(EV_MAX)) == _IOC_NR(EVIOCGBIT(0, 0))) {
        const int type = int(number & EV_MAX);
        const int max = InputCapabilities::maxCode(type);
        if (max < 0)
            return false;
        const std::vector<unsigned long> bits = m_capabilities.bits(type);
        const size_t length = std::min(bitmapBytes(max), size_t(size));
        reply(client, bits.data(), length, glong(length));
        return true;
    }
    if (_IOC_DIR(request) == _IOC_READ && (number & ~unsigned(ABS_MAX)) == _IOC_NR(EVIOCGABS(0))) {
        const input_absinfo &info = m_absinfo[number & ABS_MAX];
        reply(client, &info, std::min(sizeof info, size_t(size)), 0);
        return true;
    }
    if (_IOC_DIR(request) == _IOC_WRITE && (number & ~unsigned(ABS_MAX)) == _IOC_NR(EVIOCSABS(0))) {
        const size_t length = std::min(sizeof(input_absinfo), size_t(size));
        UMockdevIoctlData *given =
            length ? umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, nullptr) : nullptr;
        if (length && !given) {
            fail(client, EFAULT);
            return true;
        }
        input_absinfo info{};
        if (given)
            std::memcpy(&info, given->data, length);
        if ((number & ABS_MAX) == ABS_MT_SLOT) {
            fail(client, EINVAL);
        } else {
            m_absinfo[number & ABS_MAX] = info;
            umockdev_ioctl_client_complete(client, 0, 0);
        }
        if (given)
            g_object_unref(given);
        return true;
    }
    return false;
}

// evdev_handle_get_val(): the state, with the events of that type taken out of the queue,
// since the reader now knows it.
void EvdevDevice::getState(UMockdevIoctlClient *client, EvdevClient &state, int type, int size)
{
    const int max = InputCapabilities::maxCode(type);
    std::vector<unsigned long> bits(bitmapBytes(max) / sizeof(unsigned long), 0);
    if (type == EV_KEY)
        bits = m_keys;
    state.queue().flushType(type);
    const size_t length = std::min(bitmapBytes(max), size_t(size));
    reply(client, bits.data(), length, glong(length));
}

// The caller's struct input_mask, copied into `given`; null, with EFAULT answered, when it
// cannot be read. The caller unrefs the data it returns.
static UMockdevIoctlData *resolveInputMask(UMockdevIoctlClient *client, input_mask *given)
{
    UMockdevIoctlData *mask =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(input_mask), nullptr);
    if (!mask) {
        fail(client, EFAULT);
        return nullptr;
    }
    std::memcpy(given, mask->data, sizeof *given);
    return mask;
}

// evdev_get_mask(): without a mask every code passes, shown as all bits set.
void EvdevDevice::getMask(UMockdevIoctlClient *client, EvdevClient &state)
{
    input_mask given{};
    UMockdevIoctlData *mask = resolveInputMask(client, &given);
    if (!mask)
        return;
    const int max = InputCapabilities::maxCode(int(given.type));
    if (max < 0 || given.codes_size == 0) {
        umockdev_ioctl_client_complete(client, 0, 0);
        g_object_unref(mask);
        return;
    }
    UMockdevIoctlData *codes = umockdev_ioctl_data_resolve(mask, offsetof(input_mask, codes_ptr), given.codes_size, nullptr);
    if (!codes) {
        fail(client, EFAULT);
        g_object_unref(mask);
        return;
    }
    const size_t length = std::min<size_t>(bitmapBytes(max + 1), given.codes_size);
    std::memset(codes->data, 0, given.codes_size);
    if (const std::vector<unsigned long> *bits = state.mask(int(given.type)))
        std::memcpy(codes->data, bits->data(), length);
    else
        std::memset(codes->data, 0xff, length);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(codes);
    g_object_unref(mask);
}

// evdev_set_mask(): unknown types are refused; a short mask leaves the rest cleared.
void EvdevDevice::setMask(UMockdevIoctlClient *client, EvdevClient &state)
{
    input_mask given{};
    UMockdevIoctlData *mask = resolveInputMask(client, &given);
    if (!mask)
        return;
    const int max = InputCapabilities::maxCode(int(given.type));
    if (max < 0) {
        fail(client, EINVAL);
        g_object_unref(mask);
        return;
    }
    std::vector<unsigned long> bits(bitmapBytes(max + 1) / sizeof(unsigned long), 0);
    const size_t length = std::min<size_t>(bitmapBytes(max), given.codes_size);
    UMockdevIoctlData *codes =
        length ? umockdev_ioctl_data_resolve(mask, offsetof(input_mask, codes_ptr), length, nullptr) : nullptr;
    if (length && !codes) {
        fail(client, EFAULT);
    } else {
        if (codes)
            std::memcpy(bits.data(), codes->data, length);
        state.setMask(int(given.type), std::move(bits));
        umockdev_ioctl_client_complete(client, 0, 0);
    }
    if (codes)
        g_object_unref(codes);
    g_object_unref(mask);
}

// evdev_grab() and evdev_ungrab().
void EvdevDevice::grab(UMockdevIoctlClient *client, EvdevClient &state, bool take)
{
    if (take && m_grab)
        return fail(client, EBUSY);
    if (!take && m_grab != &state)
        return fail(client, EINVAL);
    m_grab = take ? &state : nullptr;
    umockdev_ioctl_client_complete(client, 0, 0);
}

// evdev_revoke(): the file is dead from now on, its effects erased.
void EvdevDevice::revoke(UMockdevIoctlClient *client, EvdevClient &state)
{
    state.revoke();
    if (m_grab == &state)
        m_grab = nullptr;
    eraseEffectsOf(client);
    umockdev_ioctl_client_complete(client, 0, 0);
}

// For requests whose argument is a number rather than a pointer.
unsigned long EvdevDevice::argumentValue(UMockdevIoctlClient *client)
{
    const UMockdevIoctlData *argument = umockdev_ioctl_client_get_arg(client);
    unsigned long value = 0;
    std::memcpy(&value, argument->data, std::min(sizeof value, size_t(argument->data_len)));
    return value;
}

void EvdevDevice::reply(UMockdevIoctlClient *client, const void *data, size_t size, long result)
{
    if (size == 0) {
        umockdev_ioctl_client_complete(client, result, 0);
        return;
    }
    UMockdevIoctlData *target = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr);
    if (!target) {
        fail(client, EFAULT);
        return;
    }
    std::memcpy(target->data, data, size);
    umockdev_ioctl_client_complete(client, result, 0);
    g_object_unref(target);
}

// str_to_user(): with its zero, cut to the caller's size.
void EvdevDevice::replyString(UMockdevIoctlClient *client, const QByteArray &value, int size)
{
    const size_t length = std::min(size_t(value.size()) + 1, size_t(size));
    reply(client, value.constData(), length, glong(length));
}
