// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forcefeedbackslots.h"
#include "inputcapabilities.h"

#include <QByteArray>
#include <QString>

#include <glib.h>
#include <linux/input.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

class EvdevClient;
class InputReport;

// One force-feedback operation the device's driver received, for the log.
struct ForceFeedbackOperation {
    QString operation; // upload, play, stop, gain, remove, end, erase
    int effectId = -1;
    int effectType = 0;
    int length = 0;
    int value = 0;
};

// The kernel's input device for a bound controller, as hid-input, the input core and evdev
// make it: the controller's reports become events (unchanged values dropped, axes defuzzed),
// each open file of the event node has its own queue, and the node answers evdev's ioctls,
// reads, writes and force-feedback requests with evdev's results and errors.
//
// Handlers run on umockdev's ioctl thread; receiveReport() and disconnect() come from the
// main thread. A read with nothing to read waits until a packet comes (the preload library
// keeps non-blocking readers from getting there); it is completed on the ioctl thread.
class EvdevDevice : public std::enable_shared_from_this<EvdevDevice>
{
public:
    struct Identity {
        QByteArray name;
        QByteArray phys;
        QByteArray uniq;
        int vendorId = 0;
        int productId = 0;
        int version = 0;
    };
    using ForceFeedbackLog = std::function<void(const ForceFeedbackOperation &)>;

    static std::shared_ptr<EvdevDevice> create(const Identity &identity, const InputCapabilities &capabilities,
                                               ForceFeedbackLog log);
    ~EvdevDevice();

    UMockdevIoctlBase *ioctlHandler() const { return m_handler; }
    // The report as hid-input passes it on: each field through the input core, then SYN_REPORT.
    void receiveReport(const InputReport &report);
    // The device went away: waiting reads and every later call fail with ENODEV.
    void disconnect();

private:
    struct Value {
        int type;
        int code;
        int value;
    };

    EvdevDevice(const Identity &identity, const InputCapabilities &capabilities, ForceFeedbackLog log);
    void connectHandler();

    template<void (EvdevDevice::*handle)(UMockdevIoctlClient *)>
    static gboolean forward(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link);
    static void onVanished(UMockdevIoctlBase *, UMockdevIoctlClient *client, gpointer link);

    EvdevClient &clientOf(UMockdevIoctlClient *client);
    void handleIoctl(UMockdevIoctlClient *client);
    bool handleVariableIoctl(UMockdevIoctlClient *client, EvdevClient &state, gulong request);
    void handleRead(UMockdevIoctlClient *client);
    void handleWrite(UMockdevIoctlClient *client);
    void clientVanished(UMockdevIoctlClient *client);
    void releaseClient(UMockdevIoctlClient *client);

    // The input core: input_handle_event() and the passing of a packet to the clients.
    void inputEvent(int type, int code, int value);
    void passValues();
    bool isKeyDown(int code) const;
    // Completes waiting reads, on the ioctl thread.
    void wakeReaders();
    void serveReads();
    static bool fillRead(UMockdevIoctlClient *client, EvdevClient &state);

    void forceFeedbackEvent(int code, int value);
    void uploadEffect(UMockdevIoctlClient *client, gulong request);
    void removeEffect(UMockdevIoctlClient *client, int id);
    void eraseEffectsOf(UMockdevIoctlClient *client);
    void playbackEnded(int id, unsigned long playback);

    void getState(UMockdevIoctlClient *client, EvdevClient &state, int type, int size);
    void getMask(UMockdevIoctlClient *client, EvdevClient &state);
    void setMask(UMockdevIoctlClient *client, EvdevClient &state);
    void grab(UMockdevIoctlClient *client, EvdevClient &state, bool take);
    void revoke(UMockdevIoctlClient *client, EvdevClient &state);

    static unsigned long argumentValue(UMockdevIoctlClient *client);
    static void reply(UMockdevIoctlClient *client, const void *data, size_t size, long result);
    static void replyString(UMockdevIoctlClient *client, const QByteArray &value, int size);

    UMockdevIoctlBase *m_handler = nullptr;
    const Identity m_identity;
    const InputCapabilities m_capabilities;
    const ForceFeedbackLog m_log;
    const unsigned m_bufferSize;
    const size_t m_maxValues;

    std::mutex m_mutex;
    GMainContext *m_ioctlContext = nullptr;
    bool m_exists = true;
    std::map<UMockdevIoctlClient *, std::unique_ptr<EvdevClient>> m_clients;
    EvdevClient *m_grab = nullptr;
    std::vector<unsigned long> m_keys;
    std::array<input_absinfo, ABS_CNT> m_absinfo{};
    std::vector<Value> m_values;
    ForceFeedbackSlots m_effects;
};
