// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controltransfer.h"

#include <mutex>

// Who holds interface 0 of one plugged device: the kernel's HID driver, one usbfs client's
// claim, or nothing; with the kernel's rules for claiming it (claimintf(), releaseintf()),
// for requests that need it (check_ctrlrecip()) and for detaching the driver. Errors are
// negative errnos. Safe to use from any thread.
class InterfaceHolder
{
public:
    enum class Holder { Nothing, KernelDriver, Client };
    // A usbfs client, as the ioctl handler knows it.
    using Client = const void *;

    explicit InterfaceHolder(bool kernelDriverBound);

    int claim(Client client, unsigned int interface);
    int release(Client client, unsigned int interface);
    // A control transfer to the interface or its endpoint claims the interface on the way;
    // vendor requests and those to the device pass.
    int checkRecipient(Client client, const ControlSetup &setup);
    // USBDEVFS_GETDRIVER: "usbhid", "usbfs" while claimed, nullptr when nothing holds it.
    const char *driverName(unsigned int interface);
    // USBDEVFS_DISCONNECT: whatever held the interface lets go. What held it before.
    Holder disconnect();
    // USBDEVFS_DISCONNECT_CLAIM with its driver name and flags; `before` tells what held the
    // interface until then.
    int disconnectAndClaim(Client client, const char *driver, unsigned int flags, Holder *before);
    // The kernel driver takes the interface when nothing holds it.
    bool bindKernelDriver();
    // The kernel driver lets go; false when it did not hold the interface.
    bool unbindKernelDriver();
    bool isClaimed();
    // The client closed its handle, which gives up its claim.
    void forget(Client client);

private:
    int claimLocked(Client client, unsigned int interface);
    const char *driverNameLocked() const;

    std::mutex m_mutex;
    Holder m_holder;
    Client m_claimant = nullptr;
};
