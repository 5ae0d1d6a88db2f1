// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/channelopener.h"

#include "device/hidrawchannel.h"
#include "device/usbcontrollers.h"
#include "device/usbchannel.h"
#include "device/usbsession.h"

#include <hidapi.h>
#include <libusb.h>

#include <QString>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

// hidapi does not say why an open failed; asking the system the same question does.
int openError(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

int errnoOfUsbError(int error)
{
    switch (error) {
    case LIBUSB_ERROR_ACCESS:
        return EACCES;
    case LIBUSB_ERROR_BUSY:
        return EBUSY;
    case LIBUSB_ERROR_NO_DEVICE:
        return ENODEV;
    default:
        return EIO;
    }
}

QString usbNode(libusb_device *device)
{
    return QStringLiteral("/dev/bus/usb/%1/%2")
        .arg(libusb_get_bus_number(device), 3, 10, QLatin1Char('0'))
        .arg(libusb_get_device_address(device), 3, 10, QLatin1Char('0'));
}

} // namespace

ChannelOpener::ChannelOpener(int vendorId)
    : m_vendorId(vendorId)
{
}

void ChannelOpener::lookAround()
{
    m_usbNodes = UsbControllers::nodesByProduct(m_vendorId);
    m_hidrawPaths.clear();
    if (!UsbSession::hasHidraw())
        return;
    hid_device_info *devices = hid_enumerate(uint16_t(m_vendorId), 0);
    for (const hid_device_info *device = devices; device; device = device->next) {
        if (!m_hidrawPaths.contains(device->product_id))
            m_hidrawPaths.insert(device->product_id, QByteArray(device->path));
    }
    hid_free_enumeration(devices);
}

ChannelOpener::Result ChannelOpener::open(int productId) const
{
    const auto hidraw = m_hidrawPaths.constFind(productId);
    if (hidraw != m_hidrawPaths.cend())
        return openHidraw(productId, *hidraw);
    return openUsb(productId);
}

QMap<int, int> ChannelOpener::extraControllers() const
{
    QMap<int, int> extra;
    for (auto nodes = m_usbNodes.cbegin(); nodes != m_usbNodes.cend(); ++nodes) {
        if (nodes->size() > 1)
            extra.insert(nodes.key(), int(nodes->size()) - 1);
    }
    return extra;
}

QStringList ChannelOpener::nodesOfExtraControllers() const
{
    QStringList nodes;
    for (const QStringList &ofProduct : m_usbNodes) {
        if (ofProduct.size() > 1)
            nodes += ofProduct;
    }
    return nodes;
}

ChannelOpener::Result ChannelOpener::openHidraw(int productId, const QByteArray &path) const
{
    Result result;
    if (hid_device *device = hid_open_path(path.constData())) {
        result.channel = std::make_unique<HidrawChannel>(device);
        result.node = QString::fromLocal8Bit(path);
        return result;
    }
    const int error = openError(path);
    // Gone since the look around: not there, so nothing to report.
    if (error == ENOENT || error == ENODEV || error == ENXIO)
        return result;
    DeviceAccessIssue issue;
    issue.productId = productId;
    issue.node = QString::fromLocal8Bit(path);
    issue.systemError = error;
    issue.problem = DeviceAccessIssue::problemForError(error);
    result.issue = issue;
    return result;
}

ChannelOpener::Result ChannelOpener::openUsb(int productId) const
{
    Result result;
    if (!UsbSession::hasUsb())
        return result;
    libusb_device **devices = nullptr;
    const ssize_t count = libusb_get_device_list(nullptr, &devices);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(devices[i], &descriptor) != LIBUSB_SUCCESS
            || descriptor.idVendor != m_vendorId || descriptor.idProduct != productId)
            continue;
        libusb_device_handle *handle = nullptr;
        const int opened = libusb_open(devices[i], &handle);
        if (opened == LIBUSB_SUCCESS) {
            result.channel = std::make_unique<UsbChannel>(handle);
            result.node = usbNode(devices[i]);
        } else if (opened != LIBUSB_ERROR_NO_DEVICE) {
            DeviceAccessIssue issue;
            issue.productId = productId;
            issue.node = usbNode(devices[i]);
            issue.systemError = errnoOfUsbError(opened);
            issue.problem = DeviceAccessIssue::problemForError(issue.systemError);
            result.issue = issue;
        }
        // Only the first controller of a product id is ever tried.
        break;
    }
    if (count >= 0)
        libusb_free_device_list(devices, 1);
    return result;
}
