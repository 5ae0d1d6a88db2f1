// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controltransfer.h"

#include <QByteArray>

#include <glib.h>

#include <atomic>
#include <memory>
#include <mutex>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

class ControlEndpoint;

// The kernel's hidraw side of one bound controller: answers the ioctls on its hidraw node.
// Feature (and input and output) report ioctls become exactly the control transfers the USB
// HID driver sends for them, handed to the device's endpoint; the descriptor and identity
// ioctls are answered from what the driver knows. Runs on umockdev's ioctl thread;
// disconnect() and detach() may be called from any thread.
//
// A transfer the device answers late is completed from a timer, so that other clients are
// served meanwhile; one it does not answer within the kernel's control timeout fails with
// ETIMEDOUT and never reaches the device.
class HidrawDevice : public std::enable_shared_from_this<HidrawDevice>
{
public:
    struct Identity {
        int vendorId = 0;
        int productId = 0;
        QByteArray name;
        QByteArray phys;
        QByteArray uniq;
        QByteArray reportDescriptor;
    };

    static std::shared_ptr<HidrawDevice> create(ControlEndpoint *endpoint, const Identity &identity);
    ~HidrawDevice();

    // The handler to attach to the hidraw node.
    UMockdevIoctlBase *ioctlHandler() const { return m_handler; }
    // The device or its driver went away: every later request fails with ENODEV.
    void disconnect();
    // The endpoint is going away: it is not called any more. Blocks while a call is running.
    void detach();

private:
    // One report request on its way to the device.
    struct Request {
        UMockdevIoctlClient *client = nullptr;
        UMockdevIoctlData *buffer = nullptr;
        ControlSetup setup;
        QByteArray sent;
        // Report id 0 is not sent: the data stage starts at byte 1 of the buffer.
        int offset = 0;
    };

    HidrawDevice(ControlEndpoint *endpoint, const Identity &identity);
    void connectHandler();

    static gboolean onIoctl(UMockdevIoctlBase *handler, UMockdevIoctlClient *client, gpointer link);

    void handleIoctl(UMockdevIoctlClient *client);
    void reportDescriptorSize(UMockdevIoctlClient *client);
    void reportDescriptor(UMockdevIoctlClient *client);
    void rawInfo(UMockdevIoctlClient *client);
    void rawString(UMockdevIoctlClient *client, const QByteArray &value, int length);
    void report(UMockdevIoctlClient *client, bool isGet, int reportType, int length);
    void answerAfter(int ms, const Request &request, bool timesOut);
    void answer(Request &request);
    void giveUp(Request &request, int loggedError, int error);
    static void finish(Request &request, int result, int error);

    UMockdevIoctlBase *m_handler = nullptr;
    const Identity m_identity;
    std::mutex m_endpointMutex;
    ControlEndpoint *m_endpoint = nullptr;
    std::atomic<bool> m_disconnected = false;
};
