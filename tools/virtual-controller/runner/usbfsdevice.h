// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controltransfer.h"
#include "interfaceholder.h"

#include <QHash>

#include <glib.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

class ControlEndpoint;
class KernelDriverHost;

// The kernel's usbfs side of one plugged device: answers the ioctls libusb issues on the
// device node (capabilities, submit, reap and discard of control URBs, claims and the kernel
// driver of interface 0) and hands each control transfer to the device's endpoint. Runs on
// umockdev's ioctl thread; disconnect(), detach() and the binding calls may be called from
// any thread.
//
// Interface 0 is held by the kernel's HID driver, by one client's claim, or by nothing
// (InterfaceHolder). A class or standard request addressed to the interface (or its
// endpoint) claims it for the client on the way, and fails with EBUSY while someone else
// holds it.
//
// A transfer is answered when it is submitted, or after the endpoint's delay. While a
// delayed URB is outstanding, a reap is held back for a few milliseconds at a time instead
// of failing at once, because the node always polls ready and the client would otherwise
// spin; short holds keep the client's own timeout handling on time.
class UsbfsDevice : public std::enable_shared_from_this<UsbfsDevice>
{
public:
    static std::shared_ptr<UsbfsDevice> create(ControlEndpoint *endpoint, KernelDriverHost *host,
                                               bool kernelDriverBound);
    ~UsbfsDevice();

    // The handler to attach to the device node.
    UMockdevIoctlBase *ioctlHandler() const { return m_handler; }
    // The device left the bus: every later request fails with ENODEV, outstanding transfers die.
    void disconnect();
    // The endpoint is going away: it is not called any more. Blocks while a call is running.
    void detach();
    // Who holds interface 0; the kernel driver is bound and unbound through it.
    InterfaceHolder &interface() { return m_interface; }

private:
    struct Urb {
        UMockdevIoctlData *urb = nullptr;
        UMockdevIoctlData *buffer = nullptr;
        ControlSetup setup;
        QByteArray sent;
        qint64 readyAtUs = 0;
    };
    struct ClientUrbs {
        std::deque<Urb> pending;
        std::deque<Urb> completed;
    };

    UsbfsDevice(ControlEndpoint *endpoint, KernelDriverHost *host, bool kernelDriverBound);
    void connectHandler();

    static gboolean onIoctl(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer self);
    static void onClientVanished(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer self);

    void handleIoctl(UMockdevIoctlClient *client);
    void reportCapabilities(UMockdevIoctlClient *client);
    void submit(UMockdevIoctlClient *client);
    void reap(UMockdevIoctlClient *client, bool mayHold);
    void discard(UMockdevIoctlClient *client);
    void claimInterface(UMockdevIoctlClient *client);
    void releaseInterface(UMockdevIoctlClient *client);
    template<typename Action>
    void onInterface(UMockdevIoctlClient *client, Action action);
    void getDriver(UMockdevIoctlClient *client);
    void driverIoctl(UMockdevIoctlClient *client);
    void disconnectAndClaim(UMockdevIoctlClient *client);
    void detachKernelDriver(UMockdevIoctlClient *client, int result);
    void attachKernelDriver(UMockdevIoctlClient *client);
    UMockdevIoctlData *resolveArgument(UMockdevIoctlClient *client, size_t size);
    void holdReap(UMockdevIoctlClient *client, qint64 untilUs);
    void forgetClient(UMockdevIoctlClient *client);

    void answer(Urb &urb);
    void answerReadyUrbs(ClientUrbs &urbs);
    void failPendingUrbs(ClientUrbs &urbs);
    void lose(Urb &urb, int urbStatus, int loggedError);
    static void release(Urb &urb);

    UMockdevIoctlBase *m_handler = nullptr;
    std::mutex m_endpointMutex;
    ControlEndpoint *m_endpoint = nullptr;
    KernelDriverHost *m_host = nullptr;
    std::atomic<bool> m_disconnected = false;
    InterfaceHolder m_interface;
    // Touched on the ioctl thread only.
    QHash<UMockdevIoctlClient *, ClientUrbs> m_clients;
};
