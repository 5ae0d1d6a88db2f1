// SPDX-License-Identifier: GPL-3.0-or-later
#include "usbfsdevice.h"

#include "controlendpoint.h"
#include "kerneldriverhost.h"

#include <umockdev.h>

#include <sys/ioctl.h>
#include <linux/usbdevice_fs.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace {

constexpr int SETUP_SIZE = 8;
// Longest a reap is held back while a delayed transfer is outstanding.
constexpr qint64 REAP_HOLD_MAX_US = 20 * 1000;
constexpr quint32 CAPABILITIES = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION
                                 | USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
constexpr unsigned int HID_INTERFACE = 0;

ControlSetup parseSetup(const guint8 *bytes)
{
    ControlSetup setup;
    setup.requestType = bytes[0];
    setup.request = bytes[1];
    setup.value = quint16(bytes[2] | bytes[3] << 8);
    setup.index = quint16(bytes[4] | bytes[5] << 8);
    setup.length = quint16(bytes[6] | bytes[7] << 8);
    return setup;
}

usbdevfs_urb *urbOf(UMockdevIoctlData *data)
{
    return reinterpret_cast<usbdevfs_urb *>(data->data);
}

void fail(UMockdevIoctlClient *client, int error)
{
    umockdev_ioctl_client_complete(client, -1, error);
}

// Lets the handler's signal connections reach the device for as long as it exists.
struct HandlerLink {
    std::weak_ptr<UsbfsDevice> device;
};

void deleteLink(gpointer link, GClosure *)
{
    delete static_cast<HandlerLink *>(link);
}

struct HeldReap {
    std::weak_ptr<UsbfsDevice> device;
    UMockdevIoctlClient *client;
};

// Completes a client's ioctl on the ioctl thread, from whichever thread is done with it.
std::function<void()> completion(UMockdevIoctlClient *client, int result)
{
    struct Completion {
        UMockdevIoctlClient *client;
        int result;
        GMainContext *context;
    };
    auto *pending = new Completion{UMOCKDEV_IOCTL_CLIENT(g_object_ref(client)), result,
                                   g_main_context_ref_thread_default()};
    return [pending] {
        GMainContext *context = pending->context;
        g_main_context_invoke_full(
            context, G_PRIORITY_DEFAULT,
            [](gpointer data) -> gboolean {
                const auto *completion = static_cast<Completion *>(data);
                umockdev_ioctl_client_complete(completion->client, completion->result, 0);
                return G_SOURCE_REMOVE;
            },
            pending,
            [](gpointer data) {
                auto *completion = static_cast<Completion *>(data);
                g_object_unref(completion->client);
                delete completion;
            });
        g_main_context_unref(context);
    };
}

} // namespace

std::shared_ptr<UsbfsDevice> UsbfsDevice::create(ControlEndpoint *endpoint, KernelDriverHost *host,
                                                 bool kernelDriverBound)
{
    std::shared_ptr<UsbfsDevice> device(new UsbfsDevice(endpoint, host, kernelDriverBound));
    device->connectHandler();
    return device;
}

UsbfsDevice::UsbfsDevice(ControlEndpoint *endpoint, KernelDriverHost *host, bool kernelDriverBound)
    : m_handler(umockdev_ioctl_base_new())
    , m_endpoint(endpoint)
    , m_host(host)
    , m_interface(kernelDriverBound)
{
}

UsbfsDevice::~UsbfsDevice()
{
    for (ClientUrbs &urbs : m_clients) {
        for (Urb &urb : urbs.pending)
            release(urb);
        for (Urb &urb : urbs.completed)
            release(urb);
    }
    g_object_unref(m_handler);
}

void UsbfsDevice::connectHandler()
{
    // The links hold the device weakly: a handler the testbed still keeps for a node must not
    // keep a forgotten device alive, and calls that come in afterwards fail with ENODEV.
    g_signal_connect_data(m_handler, "handle-ioctl", G_CALLBACK(onIoctl), new HandlerLink{weak_from_this()},
                          deleteLink, GConnectFlags(0));
    g_signal_connect_data(m_handler, "client-vanished", G_CALLBACK(onClientVanished),
                          new HandlerLink{weak_from_this()}, deleteLink, GConnectFlags(0));
}

void UsbfsDevice::disconnect()
{
    m_disconnected = true;
}

void UsbfsDevice::detach()
{
    m_disconnected = true;
    std::lock_guard lock(m_endpointMutex);
    m_endpoint = nullptr;
    m_host = nullptr;
}

gboolean UsbfsDevice::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link)
{
    if (const std::shared_ptr<UsbfsDevice> device = static_cast<HandlerLink *>(link)->device.lock())
        device->handleIoctl(client);
    else
        fail(client, ENODEV);
    return TRUE;
}

void UsbfsDevice::onClientVanished(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link)
{
    if (const std::shared_ptr<UsbfsDevice> device = static_cast<HandlerLink *>(link)->device.lock())
        device->forgetClient(client);
}

void UsbfsDevice::handleIoctl(UMockdevIoctlClient *client)
{
    const gulong request = umockdev_ioctl_client_get_request(client);
    // Only reaps still work on a device that has gone.
    if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
        reap(client, true);
        return;
    }
    if (m_disconnected) {
        fail(client, ENODEV);
        return;
    }
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES:
        reportCapabilities(client);
        break;
    case USBDEVFS_SUBMITURB:
        submit(client);
        break;
    case USBDEVFS_DISCARDURB:
        discard(client);
        break;
    case USBDEVFS_CLAIMINTERFACE:
        claimInterface(client);
        break;
    case USBDEVFS_RELEASEINTERFACE:
        releaseInterface(client);
        break;
    case USBDEVFS_GETDRIVER:
        getDriver(client);
        break;
    case USBDEVFS_IOCTL:
        driverIoctl(client);
        break;
    case USBDEVFS_DISCONNECT_CLAIM:
        disconnectAndClaim(client);
        break;
    default:
        fail(client, ENOTTY);
        break;
    }
}

void UsbfsDevice::reportCapabilities(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *capabilities =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(quint32), nullptr);
    if (!capabilities) {
        fail(client, EFAULT);
        return;
    }
    const quint32 value = CAPABILITIES;
    std::memcpy(capabilities->data, &value, sizeof value);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(capabilities);
}

void UsbfsDevice::submit(UMockdevIoctlClient *client)
{
    Urb urb;
    urb.urb = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(usbdevfs_urb), nullptr);
    if (!urb.urb) {
        fail(client, EFAULT);
        return;
    }
    const usbdevfs_urb *request = urbOf(urb.urb);
    if (request->type != USBDEVFS_URB_TYPE_CONTROL || (request->endpoint & 0x7F) != 0
        || request->buffer_length < SETUP_SIZE) {
        release(urb);
        fail(client, EINVAL);
        return;
    }
    urb.buffer = umockdev_ioctl_data_resolve(urb.urb, offsetof(usbdevfs_urb, buffer), size_t(request->buffer_length),
                                             nullptr);
    if (!urb.buffer) {
        release(urb);
        fail(client, EFAULT);
        return;
    }
    urb.setup = parseSetup(urb.buffer->data);
    if (urb.setup.length > request->buffer_length - SETUP_SIZE) {
        release(urb);
        fail(client, EINVAL);
        return;
    }
    if (!urb.setup.isDeviceToHost())
        urb.sent = QByteArray(reinterpret_cast<const char *>(urb.buffer->data + SETUP_SIZE), urb.setup.length);

    if (m_disconnected) {
        lose(urb, 0, -ENODEV);
        release(urb);
        fail(client, ENODEV);
        return;
    }
    if (const int refused = m_interface.checkRecipient(client, urb.setup)) {
        lose(urb, 0, refused);
        release(urb);
        fail(client, -refused);
        return;
    }
    int delayMs = 0;
    {
        std::lock_guard lock(m_endpointMutex);
        delayMs = m_endpoint ? m_endpoint->transferDelayMs() : 0;
    }
    ClientUrbs &urbs = m_clients[client];
    if (delayMs > 0) {
        urb.readyAtUs = g_get_monotonic_time() + qint64(delayMs) * 1000;
        urbs.pending.push_back(urb);
    } else {
        answer(urb);
        urbs.completed.push_back(urb);
    }
    umockdev_ioctl_client_complete(client, 0, 0);
}

void UsbfsDevice::reap(UMockdevIoctlClient *client, bool mayHold)
{
    ClientUrbs &urbs = m_clients[client];
    answerReadyUrbs(urbs);
    if (m_disconnected)
        failPendingUrbs(urbs);

    if (!urbs.completed.empty()) {
        Urb urb = urbs.completed.front();
        urbs.completed.pop_front();
        UMockdevIoctlData *target =
            umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(void *), nullptr);
        if (!target) {
            release(urb);
            fail(client, EFAULT);
            return;
        }
        umockdev_ioctl_data_set_ptr(target, 0, urb.urb);
        umockdev_ioctl_client_complete(client, 0, 0);
        g_object_unref(target);
        release(urb);
    } else if (!urbs.pending.empty() && mayHold) {
        holdReap(client, std::min(urbs.pending.front().readyAtUs, g_get_monotonic_time() + REAP_HOLD_MAX_US));
    } else {
        fail(client, m_disconnected ? ENODEV : EAGAIN);
    }
}

void UsbfsDevice::holdReap(UMockdevIoctlClient *client, qint64 untilUs)
{
    const qint64 waitUs = std::max<qint64>(untilUs - g_get_monotonic_time(), 0);
    GSource *timeout = g_timeout_source_new(guint((waitUs + 999) / 1000));
    auto *held = new HeldReap{weak_from_this(), UMOCKDEV_IOCTL_CLIENT(g_object_ref(client))};
    g_source_set_callback(
        timeout,
        [](gpointer data) -> gboolean {
            auto *held = static_cast<HeldReap *>(data);
            // One hold per reap: the client gets EAGAIN and its event loop a chance to act
            // on its own timeouts before it asks again.
            if (const std::shared_ptr<UsbfsDevice> device = held->device.lock())
                device->reap(held->client, false);
            else
                fail(held->client, ENODEV);
            return G_SOURCE_REMOVE;
        },
        held,
        [](gpointer data) {
            auto *held = static_cast<HeldReap *>(data);
            g_object_unref(held->client);
            delete held;
        });
    // The handler runs on the testbed's ioctl thread, whose context is the thread default.
    g_source_attach(timeout, g_main_context_get_thread_default());
    g_source_unref(timeout);
}

void UsbfsDevice::discard(UMockdevIoctlClient *client)
{
    const UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    gulong address = 0;
    std::memcpy(&address, arg->data, std::min<size_t>(sizeof address, size_t(arg->data_len)));

    ClientUrbs &urbs = m_clients[client];
    const auto found = std::find_if(urbs.pending.begin(), urbs.pending.end(),
                                    [address](const Urb &urb) { return urb.urb->client_addr == address; });
    if (found == urbs.pending.end()) {
        fail(client, EINVAL);
        return;
    }
    Urb urb = *found;
    urbs.pending.erase(found);
    lose(urb, -ENOENT, -ETIMEDOUT);
    urbs.completed.push_back(urb);
    umockdev_ioctl_client_complete(client, 0, 0);
}

UMockdevIoctlData *UsbfsDevice::resolveArgument(UMockdevIoctlClient *client, size_t size)
{
    UMockdevIoctlData *argument = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr);
    if (!argument)
        fail(client, EFAULT);
    return argument;
}

void UsbfsDevice::claimInterface(UMockdevIoctlClient *client)
{
    onInterface(client, [this, client](unsigned int interface) { return m_interface.claim(client, interface); });
}

void UsbfsDevice::releaseInterface(UMockdevIoctlClient *client)
{
    onInterface(client, [this, client](unsigned int interface) { return m_interface.release(client, interface); });
}

// CLAIMINTERFACE and RELEASEINTERFACE take the interface number and answer 0 or an errno.
template<typename Action>
void UsbfsDevice::onInterface(UMockdevIoctlClient *client, Action action)
{
    UMockdevIoctlData *argument = resolveArgument(client, sizeof(unsigned int));
    if (!argument)
        return;
    unsigned int interface = 0;
    std::memcpy(&interface, argument->data, sizeof interface);
    g_object_unref(argument);
    const int result = action(interface);
    umockdev_ioctl_client_complete(client, result < 0 ? -1 : 0, -result);
}

void UsbfsDevice::getDriver(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *argument = resolveArgument(client, sizeof(usbdevfs_getdriver));
    if (!argument)
        return;
    auto *request = reinterpret_cast<usbdevfs_getdriver *>(argument->data);
    if (const char *driver = m_interface.driverName(request->interface)) {
        std::memset(request->driver, 0, sizeof request->driver);
        std::strncpy(request->driver, driver, sizeof request->driver - 1);
        umockdev_ioctl_client_complete(client, 0, 0);
    } else {
        fail(client, ENODATA);
    }
    g_object_unref(argument);
}

// USBDEVFS_IOCTL with USBDEVFS_DISCONNECT or USBDEVFS_CONNECT: a client detaches whichever
// driver holds the interface, or attaches the kernel's when nothing does.
void UsbfsDevice::driverIoctl(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *argument = resolveArgument(client, sizeof(usbdevfs_ioctl));
    if (!argument)
        return;
    const usbdevfs_ioctl request = *reinterpret_cast<const usbdevfs_ioctl *>(argument->data);
    g_object_unref(argument);
    if (request.ifno != int(HID_INTERFACE)) {
        fail(client, EINVAL);
    } else if (request.ioctl_code == int(USBDEVFS_CONNECT)) {
        if (m_interface.bindKernelDriver())
            attachKernelDriver(client);
        else
            fail(client, EBUSY);
    } else if (request.ioctl_code == int(USBDEVFS_DISCONNECT)) {
        const InterfaceHolder::Holder before = m_interface.disconnect();
        if (before == InterfaceHolder::Holder::KernelDriver)
            detachKernelDriver(client, 0);
        else if (before == InterfaceHolder::Holder::Client)
            umockdev_ioctl_client_complete(client, 0, 0);
        else
            fail(client, ENODATA);
    } else {
        // Neither usbhid nor usbfs has ioctls of its own.
        fail(client, ENOTTY);
    }
}

void UsbfsDevice::disconnectAndClaim(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *argument = resolveArgument(client, sizeof(usbdevfs_disconnect_claim));
    if (!argument)
        return;
    const usbdevfs_disconnect_claim request = *reinterpret_cast<const usbdevfs_disconnect_claim *>(argument->data);
    g_object_unref(argument);
    if (request.interface != HID_INTERFACE) {
        fail(client, EINVAL);
        return;
    }
    InterfaceHolder::Holder before = InterfaceHolder::Holder::Nothing;
    const int result = m_interface.disconnectAndClaim(client, request.driver, request.flags, &before);
    if (result < 0)
        fail(client, -result);
    else if (before == InterfaceHolder::Holder::KernelDriver)
        detachKernelDriver(client, 0);
    else
        umockdev_ioctl_client_complete(client, 0, 0);
}

void UsbfsDevice::detachKernelDriver(UMockdevIoctlClient *client, int result)
{
    std::function<void()> done = completion(client, result);
    std::lock_guard lock(m_endpointMutex);
    if (m_host)
        m_host->kernelDriverDetached(std::move(done));
    else
        done();
}

void UsbfsDevice::attachKernelDriver(UMockdevIoctlClient *client)
{
    // USBDEVFS_CONNECT answers 1 when a driver took the interface.
    std::function<void()> done = completion(client, 1);
    std::lock_guard lock(m_endpointMutex);
    if (m_host)
        m_host->kernelDriverAttached(std::move(done));
    else
        done();
}

void UsbfsDevice::forgetClient(UMockdevIoctlClient *client)
{
    m_interface.forget(client);
    const auto found = m_clients.find(client);
    if (found == m_clients.end())
        return;
    for (Urb &urb : found->pending)
        release(urb);
    for (Urb &urb : found->completed)
        release(urb);
    m_clients.erase(found);
}

void UsbfsDevice::answer(Urb &urb)
{
    usbdevfs_urb *reply = urbOf(urb.urb);
    ControlResult result;
    {
        std::lock_guard lock(m_endpointMutex);
        if (!m_endpoint) {
            reply->status = -ESHUTDOWN;
            reply->actual_length = 0;
            return;
        }
        result = m_endpoint->transfer(urb.setup, urb.sent, HostPath::Usbfs);
    }
    if (result.status < 0) {
        reply->status = result.status;
        reply->actual_length = 0;
    } else {
        std::copy(result.reply.cbegin(), result.reply.cend(), urb.buffer->data + SETUP_SIZE);
        reply->status = 0;
        reply->actual_length = result.status;
    }
    if (result.busEvent != BusEvent::None)
        m_disconnected = true;
}

void UsbfsDevice::answerReadyUrbs(ClientUrbs &urbs)
{
    const qint64 now = g_get_monotonic_time();
    while (!urbs.pending.empty() && urbs.pending.front().readyAtUs <= now && !m_disconnected) {
        Urb urb = urbs.pending.front();
        urbs.pending.pop_front();
        answer(urb);
        urbs.completed.push_back(urb);
    }
}

void UsbfsDevice::failPendingUrbs(ClientUrbs &urbs)
{
    while (!urbs.pending.empty()) {
        Urb urb = urbs.pending.front();
        urbs.pending.pop_front();
        lose(urb, -ESHUTDOWN, -ENODEV);
        urbs.completed.push_back(urb);
    }
}

void UsbfsDevice::lose(Urb &urb, int urbStatus, int loggedError)
{
    if (urbStatus != 0) {
        urbOf(urb.urb)->status = urbStatus;
        urbOf(urb.urb)->actual_length = 0;
    }
    std::lock_guard lock(m_endpointMutex);
    if (m_endpoint)
        m_endpoint->transferLost(urb.setup, urb.sent, loggedError, HostPath::Usbfs);
}

void UsbfsDevice::release(Urb &urb)
{
    if (urb.buffer)
        g_object_unref(urb.buffer);
    if (urb.urb)
        g_object_unref(urb.urb);
    urb.buffer = nullptr;
    urb.urb = nullptr;
}
