// SPDX-License-Identifier: GPL-3.0-or-later
#include "interfaceholder.h"

#include <linux/usbdevice_fs.h>

#include <cerrno>
#include <cstring>

namespace {

// Interfaces a usbfs client can claim (bits of a long), and the one the controller has.
constexpr unsigned int CLAIMABLE_INTERFACES = 8 * sizeof(unsigned long);
constexpr unsigned int HID_INTERFACE = 0;
constexpr quint8 HID_ENDPOINT_IN = 0x81;
constexpr quint8 REQUEST_TYPE_MASK = 0x60;
constexpr quint8 REQUEST_TYPE_VENDOR = 0x40;
constexpr quint8 RECIPIENT_MASK = 0x1F;
constexpr quint8 RECIPIENT_INTERFACE = 1;
constexpr quint8 RECIPIENT_ENDPOINT = 2;
constexpr const char *KERNEL_DRIVER = "usbhid";
constexpr const char *USBFS_DRIVER = "usbfs";

} // namespace

InterfaceHolder::InterfaceHolder(bool kernelDriverBound)
    : m_holder(kernelDriverBound ? Holder::KernelDriver : Holder::Nothing)
{
}

int InterfaceHolder::claim(Client client, unsigned int interface)
{
    std::lock_guard lock(m_mutex);
    return claimLocked(client, interface);
}

int InterfaceHolder::claimLocked(Client client, unsigned int interface)
{
    if (interface >= CLAIMABLE_INTERFACES)
        return -EINVAL;
    if (interface == HID_INTERFACE && m_holder == Holder::Client && m_claimant == client)
        return 0;
    if (interface != HID_INTERFACE)
        return -ENOENT;
    if (m_holder != Holder::Nothing)
        return -EBUSY;
    m_holder = Holder::Client;
    m_claimant = client;
    return 0;
}

int InterfaceHolder::release(Client client, unsigned int interface)
{
    if (interface >= CLAIMABLE_INTERFACES)
        return -EINVAL;
    if (interface != HID_INTERFACE)
        return -ENOENT;
    std::lock_guard lock(m_mutex);
    if (m_holder != Holder::Client || m_claimant != client)
        return -EINVAL;
    m_holder = Holder::Nothing;
    m_claimant = nullptr;
    return 0;
}

int InterfaceHolder::checkRecipient(Client client, const ControlSetup &setup)
{
    if ((setup.requestType & REQUEST_TYPE_MASK) == REQUEST_TYPE_VENDOR)
        return 0;
    const quint8 index = quint8(setup.index & 0xFF);
    switch (setup.requestType & RECIPIENT_MASK) {
    case RECIPIENT_INTERFACE:
        return claim(client, index);
    case RECIPIENT_ENDPOINT:
        if ((index & 0x7F) == 0)
            return 0;
        // The kernel also takes the endpoint number given with the wrong direction.
        if (index != HID_ENDPOINT_IN && (index ^ 0x80) != HID_ENDPOINT_IN)
            return -ENOENT;
        return claim(client, HID_INTERFACE);
    default:
        return 0;
    }
}

const char *InterfaceHolder::driverName(unsigned int interface)
{
    if (interface != HID_INTERFACE)
        return nullptr;
    std::lock_guard lock(m_mutex);
    return driverNameLocked();
}

const char *InterfaceHolder::driverNameLocked() const
{
    switch (m_holder) {
    case Holder::KernelDriver:
        return KERNEL_DRIVER;
    case Holder::Client:
        return USBFS_DRIVER;
    default:
        return nullptr;
    }
}

InterfaceHolder::Holder InterfaceHolder::disconnect()
{
    std::lock_guard lock(m_mutex);
    const Holder before = m_holder;
    m_holder = Holder::Nothing;
    m_claimant = nullptr;
    return before;
}

int InterfaceHolder::disconnectAndClaim(Client client, const char *driver, unsigned int flags, Holder *before)
{
    std::lock_guard lock(m_mutex);
    *before = m_holder;
    if (const char *current = driverNameLocked()) {
        const bool same = std::strncmp(driver, current, USBDEVFS_MAXDRIVERNAME + 1) == 0;
        if (((flags & USBDEVFS_DISCONNECT_CLAIM_IF_DRIVER) && !same)
            || ((flags & USBDEVFS_DISCONNECT_CLAIM_EXCEPT_DRIVER) && same))
            return -EBUSY;
    }
    m_holder = Holder::Nothing;
    m_claimant = nullptr;
    return claimLocked(client, HID_INTERFACE);
}

bool InterfaceHolder::bindKernelDriver()
{
    std::lock_guard lock(m_mutex);
    if (m_holder != Holder::Nothing)
        return false;
    m_holder = Holder::KernelDriver;
    return true;
}

bool InterfaceHolder::unbindKernelDriver()
{
    std::lock_guard lock(m_mutex);
    if (m_holder != Holder::KernelDriver)
        return false;
    m_holder = Holder::Nothing;
    return true;
}

bool InterfaceHolder::isClaimed()
{
    std::lock_guard lock(m_mutex);
    return m_holder == Holder::Client;
}

void InterfaceHolder::forget(Client client)
{
    std::lock_guard lock(m_mutex);
    if (m_holder == Holder::Client && m_claimant == client) {
        m_holder = Holder::Nothing;
        m_claimant = nullptr;
    }
}
