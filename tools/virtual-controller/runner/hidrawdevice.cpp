// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidrawdevice.h"

#include "controlendpoint.h"

#include <umockdev.h>

#include <sys/ioctl.h>
#include <linux/hid.h>
#include <linux/hidraw.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The HID core's limit on one report transfer.
constexpr int MAX_REPORT_BUFFER = 16384;
// USB_CTRL_GET_TIMEOUT and USB_CTRL_SET_TIMEOUT of the kernel's usb_control_msg().
constexpr int CONTROL_TIMEOUT_MS = 5000;

constexpr quint8 REQUEST_CLASS_INTERFACE_IN = 0xA1;
constexpr quint8 REQUEST_CLASS_INTERFACE_OUT = 0x21;
constexpr quint8 HID_GET_REPORT = 0x01;
constexpr quint8 HID_SET_REPORT = 0x09;
// The report type in wValue's high byte: input 1, output 2, feature 3.
constexpr int REPORT_TYPE_INPUT = 1;
constexpr int REPORT_TYPE_OUTPUT = 2;
constexpr int REPORT_TYPE_FEATURE = 3;

void fail(UMockdevIoctlClient *client, int error)
{
    umockdev_ioctl_client_complete(client, -1, error);
}

struct HandlerLink {
    std::weak_ptr<HidrawDevice> device;
};

void deleteLink(gpointer link, GClosure *)
{
    delete static_cast<HandlerLink *>(link);
}

} // namespace

std::shared_ptr<HidrawDevice> HidrawDevice::create(ControlEndpoint *endpoint, const Identity &identity)
{
    std::shared_ptr<HidrawDevice> device(new HidrawDevice(endpoint, identity));
    device->connectHandler();
    return device;
}

HidrawDevice::HidrawDevice(ControlEndpoint *endpoint, const Identity &identity)
    : m_handler(umockdev_ioctl_base_new())
    , m_identity(identity)
    , m_endpoint(endpoint)
{
}

HidrawDevice::~HidrawDevice()
{
    g_object_unref(m_handler);
}

void HidrawDevice::connectHandler()
{
    // Held weakly, as for the usbfs node: a late call on a forgotten device fails with ENODEV.
    g_signal_connect_data(m_handler, "handle-ioctl", G_CALLBACK(onIoctl), new HandlerLink{weak_from_this()},
                          deleteLink, GConnectFlags(0));
}

void HidrawDevice::disconnect()
{
    m_disconnected = true;
}

void HidrawDevice::detach()
{
    m_disconnected = true;
    std::lock_guard lock(m_endpointMutex);
    m_endpoint = nullptr;
}

gboolean HidrawDevice::onIoctl(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link)
{
    if (const std::shared_ptr<HidrawDevice> device = static_cast<HandlerLink *>(link)->device.lock())
        device->handleIoctl(client);
    else
        fail(client, ENODEV);
    return TRUE;
}

// In the order hidraw_ioctl() decides, down to its errors for requests it does not know.
void HidrawDevice::handleIoctl(UMockdevIoctlClient *client)
{
    const gulong request = umockdev_ioctl_client_get_request(client);
    // A report request on a node whose device has left is logged as failed, as on the usbfs
    // node, so that a log shows where a command stopped.
    const bool reportRequest = _IOC_TYPE(request) == 'H'
                               && (_IOC_NR(request) == _IOC_NR(HIDIOCSFEATURE(0))
                                   || _IOC_NR(request) == _IOC_NR(HIDIOCGFEATURE(0)));
    if (m_disconnected && !reportRequest) {
        fail(client, ENODEV);
        return;
    }
    switch (request) {
    case HIDIOCGRDESCSIZE:
        reportDescriptorSize(client);
        return;
    case HIDIOCGRDESC:
        reportDescriptor(client);
        return;
    case HIDIOCGRAWINFO:
        rawInfo(client);
        return;
    default:
        break;
    }
    if (_IOC_TYPE(request) != 'H') {
        fail(client, EINVAL);
        return;
    }
    const int length = int(_IOC_SIZE(request));
    switch (_IOC_NR(request)) {
    case _IOC_NR(HIDIOCSFEATURE(0)):
        return report(client, false, REPORT_TYPE_FEATURE, length);
    case _IOC_NR(HIDIOCGFEATURE(0)):
        return report(client, true, REPORT_TYPE_FEATURE, length);
    case _IOC_NR(HIDIOCSINPUT(0)):
        return report(client, false, REPORT_TYPE_INPUT, length);
    case _IOC_NR(HIDIOCGINPUT(0)):
        return report(client, true, REPORT_TYPE_INPUT, length);
    case _IOC_NR(HIDIOCSOUTPUT(0)):
        return report(client, false, REPORT_TYPE_OUTPUT, length);
    case _IOC_NR(HIDIOCGOUTPUT(0)):
        return report(client, true, REPORT_TYPE_OUTPUT, length);
    default:
        break;
    }
    if (_IOC_DIR(request) != _IOC_READ) {
        fail(client, EINVAL);
        return;
    }
    switch (_IOC_NR(request)) {
    case _IOC_NR(HIDIOCGRAWNAME(0)):
        return rawString(client, m_identity.name, length);
    case _IOC_NR(HIDIOCGRAWPHYS(0)):
        return rawString(client, m_identity.phys, length);
    case _IOC_NR(HIDIOCGRAWUNIQ(0)):
        return rawString(client, m_identity.uniq, length);
    default:
        fail(client, ENOTTY);
    }
}

void HidrawDevice::reportDescriptorSize(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *size = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), nullptr);
    if (!size) {
        fail(client, EFAULT);
        return;
    }
    const int value = int(m_identity.reportDescriptor.size());
    std::memcpy(size->data, &value, sizeof value);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(size);
}

void HidrawDevice::reportDescriptor(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *descriptor = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                                sizeof(hidraw_report_descriptor), nullptr);
    if (!descriptor) {
        fail(client, EFAULT);
        return;
    }
    auto *target = reinterpret_cast<hidraw_report_descriptor *>(descriptor->data);
    if (target->size > HID_MAX_DESCRIPTOR_SIZE - 1) {
        fail(client, EINVAL);
    } else {
        const size_t length = std::min<size_t>(target->size, size_t(m_identity.reportDescriptor.size()));
        std::memcpy(target->value, m_identity.reportDescriptor.constData(), length);
        umockdev_ioctl_client_complete(client, 0, 0);
    }
    g_object_unref(descriptor);
}

void HidrawDevice::rawInfo(UMockdevIoctlClient *client)
{
    UMockdevIoctlData *info =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(hidraw_devinfo), nullptr);
    if (!info) {
        fail(client, EFAULT);
        return;
    }
    hidraw_devinfo value{};
    value.bustype = BUS_USB;
    value.vendor = __s16(m_identity.vendorId);
    value.product = __s16(m_identity.productId);
    std::memcpy(info->data, &value, sizeof value);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(info);
}

// The string with its terminating zero, cut to the caller's length; the result is the
// number of bytes copied.
void HidrawDevice::rawString(UMockdevIoctlClient *client, const QByteArray &value, int length)
{
    const int copied = std::min(int(value.size()) + 1, length);
    UMockdevIoctlData *target =
        copied > 0 ? umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size_t(copied), nullptr)
                   : nullptr;
    if (copied > 0 && !target) {
        fail(client, EFAULT);
        return;
    }
    if (target)
        std::memcpy(target->data, value.constData(), size_t(copied)); // QByteArray data ends in a zero
    umockdev_ioctl_client_complete(client, copied, 0);
    if (target)
        g_object_unref(target);
}

// As hidraw_get_report()/hidraw_send_report() and usbhid_get_raw_report()/_set_raw_report():
// byte 0 of the buffer holds the report id; a GET's data stage lands at byte 0 (the device
// puts the id in front itself, or not), a SET sends the whole buffer. Report id 0 is left out
// of the transfer and counted in the result.
void HidrawDevice::report(UMockdevIoctlClient *client, bool isGet, int reportType, int length)
{
    if (length > MAX_REPORT_BUFFER || length < 2) {
        fail(client, EINVAL);
        return;
    }
    Request request;
    request.buffer = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size_t(length), nullptr);
    if (!request.buffer) {
        fail(client, EFAULT);
        return;
    }
    const quint8 reportId = request.buffer->data[0];
    request.offset = reportId == 0 ? 1 : 0;
    request.setup.requestType = isGet ? REQUEST_CLASS_INTERFACE_IN : REQUEST_CLASS_INTERFACE_OUT;
    request.setup.request = isGet ? HID_GET_REPORT : HID_SET_REPORT;
    request.setup.value = quint16(reportType << 8 | reportId);
    request.setup.index = 0;
    request.setup.length = quint16(length - request.offset);
    if (!isGet)
        request.sent = QByteArray(reinterpret_cast<const char *>(request.buffer->data + request.offset),
                                  request.setup.length);
    request.client = UMOCKDEV_IOCTL_CLIENT(g_object_ref(client));
    if (m_disconnected) {
        giveUp(request, -ENODEV, ENODEV);
        return;
    }

    int delayMs = 0;
    {
        std::lock_guard lock(m_endpointMutex);
        delayMs = m_endpoint ? m_endpoint->transferDelayMs() : 0;
    }
    if (delayMs > CONTROL_TIMEOUT_MS)
        answerAfter(CONTROL_TIMEOUT_MS, request, true);
    else if (delayMs > 0)
        answerAfter(delayMs, request, false);
    else
        answer(request);
}

void HidrawDevice::answerAfter(int ms, const Request &request, bool timesOut)
{
    struct Pending {
        std::weak_ptr<HidrawDevice> device;
        Request request;
        bool timesOut;
    };
    GSource *timeout = g_timeout_source_new(guint(ms));
    g_source_set_callback(
        timeout,
        [](gpointer data) -> gboolean {
            auto *pending = static_cast<Pending *>(data);
            const std::shared_ptr<HidrawDevice> device = pending->device.lock();
            if (!device)
                finish(pending->request, -1, ENODEV);
            else if (pending->timesOut)
                device->giveUp(pending->request, -ETIMEDOUT, ETIMEDOUT);
            else
                device->answer(pending->request);
            return G_SOURCE_REMOVE;
        },
        new Pending{weak_from_this(), request, timesOut},
        [](gpointer data) { delete static_cast<Pending *>(data); });
    // The handler runs on the testbed's ioctl thread, whose context is the thread default.
    g_source_attach(timeout, g_main_context_get_thread_default());
    g_source_unref(timeout);
}

void HidrawDevice::answer(Request &request)
{
    if (m_disconnected) {
        // Gone while the transfer was on its way.
        giveUp(request, -ENODEV, ESHUTDOWN);
        return;
    }
    ControlResult result;
    {
        std::lock_guard lock(m_endpointMutex);
        if (!m_endpoint) {
            finish(request, -1, ENODEV);
            return;
        }
        result = m_endpoint->transfer(request.setup, request.sent, HostPath::Hidraw);
    }
    if (result.busEvent != BusEvent::None)
        m_disconnected = true;
    if (result.status < 0) {
        finish(request, -1, -result.status);
        return;
    }
    if (request.setup.isDeviceToHost()) {
        const qsizetype copied = std::min<qsizetype>(result.reply.size(), request.setup.length);
        std::copy_n(result.reply.cbegin(), copied, request.buffer->data + request.offset);
    }
    finish(request, result.status + request.offset, 0);
}

void HidrawDevice::giveUp(Request &request, int loggedError, int error)
{
    {
        std::lock_guard lock(m_endpointMutex);
        if (m_endpoint)
            m_endpoint->transferLost(request.setup, request.sent, loggedError, HostPath::Hidraw);
    }
    finish(request, -1, error);
}

void HidrawDevice::finish(Request &request, int result, int error)
{
    umockdev_ioctl_client_complete(request.client, result, error);
    g_object_unref(request.buffer);
    g_object_unref(request.client);
    request.buffer = nullptr;
    request.client = nullptr;
}
