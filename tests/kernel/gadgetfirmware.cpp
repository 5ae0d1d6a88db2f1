// SPDX-License-Identifier: GPL-3.0-or-later
#include "gadgetfirmware.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/usb/functionfs.h>
#include <unistd.h>

namespace {

constexpr quint8 STANDARD_INTERFACE_IN = 0x81;
constexpr quint8 CLASS_INTERFACE_OUT = 0x21;
constexpr quint8 GET_DESCRIPTOR = 0x06;
constexpr quint8 HID_SET_IDLE = 0x0A;
constexpr int HID_REPORT_DESCRIPTOR = 0x22;
constexpr int INPUT_REPORT_INTERVAL_MS = 250;

void append(QByteArray &bytes, std::initializer_list<int> values)
{
    for (int value : values)
        bytes.append(char(value));
}

void appendLe32(QByteArray &bytes, quint32 value)
{
    append(bytes, {int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF), int(value >> 24)});
}

// Interface, HID class and endpoint descriptor of one speed; FunctionFS puts them into the
// configuration descriptor the host reads.
QByteArray interfaceDescriptors(int reportLength, int interval)
{
    QByteArray bytes;
    append(bytes, {9, 4, 0, 0, 1, 3, 0, 0, 0});
    append(bytes, {9, 0x21, 0x11, 0x01, 0, 1, HID_REPORT_DESCRIPTOR, reportLength & 0xFF, reportLength >> 8});
    append(bytes, {7, 5, 0x81, 0x03, 64, 0, interval});
    return bytes;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

GadgetFirmware::GadgetFirmware(std::unique_ptr<EmulatedController> controller, const QByteArray &reportDescriptor,
                               UsbGadget *gadget, const QString &logPath)
    : m_controller(std::move(controller))
    , m_reportDescriptor(reportDescriptor)
    , m_gadget(gadget)
    , m_log(logPath)
    , m_inputReports(InputReports::fromDescriptor(reportDescriptor))
{
    m_elapsed.start();
    (void)m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

GadgetFirmware::~GadgetFirmware()
{
    if (m_inputThread.joinable())
        m_inputThread.detach();
}

int GadgetFirmware::run()
{
    QString error;
    if (!writeDescriptors(&error) || !m_gadget->bind(&error)) {
        log(QStringLiteral("error ") + error);
        qCritical("%s", qPrintable(error));
        return 1;
    }
    for (const InputReports::Extremes &report : m_inputReports)
        log(QStringLiteral("input-report %1 fields=%2 axis-range=%3..%4")
                .arg(report.reportId).arg(report.fields).arg(report.axisMinimum).arg(report.axisMaximum));
    if (m_inputReports.isEmpty())
        log(QStringLiteral("input-report none"));
    else
        m_inputThread = std::thread([this] { sendInputReports(); });
    log(QStringLiteral("bound"));

    usb_functionfs_event event{};
    for (;;) {
        const ssize_t got = ::read(m_ep0, &event, sizeof event);
        if (got < 0 && errno == EINTR)
            continue;
        if (got != ssize_t(sizeof event)) {
            log(QStringLiteral("error reading ep0: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
            return 1;
        }
        switch (event.type) {
        case FUNCTIONFS_SETUP:
            answer({event.u.setup.bRequestType, event.u.setup.bRequest, le16toh(event.u.setup.wValue),
                    le16toh(event.u.setup.wIndex), le16toh(event.u.setup.wLength)});
            break;
        case FUNCTIONFS_ENABLE: log(QStringLiteral("enable")); break;
        case FUNCTIONFS_DISABLE: log(QStringLiteral("disable")); break;
        default: break;
        }
    }
}

bool GadgetFirmware::writeDescriptors(QString *error)
{
    const QString directory = m_gadget->functionFsDirectory();
    m_ep0 = ::open(QFile::encodeName(directory + QStringLiteral("/ep0")).constData(), O_RDWR);
    if (m_ep0 < 0) {
        *error = QStringLiteral("cannot open %1/ep0: %2").arg(directory, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Full speed polls every frame (1 ms), high speed every 2^(4-1) microframes (1 ms).
    const QByteArray fullSpeed = interfaceDescriptors(int(m_reportDescriptor.size()), 1);
    const QByteArray highSpeed = interfaceDescriptors(int(m_reportDescriptor.size()), 4);
    QByteArray descriptors;
    appendLe32(descriptors, FUNCTIONFS_DESCRIPTORS_MAGIC_V2);
    appendLe32(descriptors, 0);
    appendLe32(descriptors, FUNCTIONFS_HAS_FS_DESC | FUNCTIONFS_HAS_HS_DESC);
    appendLe32(descriptors, 3);
    appendLe32(descriptors, 3);
    descriptors += fullSpeed + highSpeed;
    const quint32 length = quint32(descriptors.size());
    for (int i = 0; i < 4; ++i)
        descriptors[4 + i] = char(length >> (8 * i) & 0xFF);
    QByteArray strings;
    appendLe32(strings, FUNCTIONFS_STRINGS_MAGIC);
    appendLe32(strings, 16);
    appendLe32(strings, 0);
    appendLe32(strings, 0);
    if (!writeAll(m_ep0, descriptors) || !writeAll(m_ep0, strings)) {
        *error = QStringLiteral("FunctionFS refused the descriptors: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_ep1 = ::open(QFile::encodeName(directory + QStringLiteral("/ep1")).constData(), O_RDWR);
    if (m_ep1 < 0) {
        *error = QStringLiteral("cannot open %1/ep1: %2").arg(directory, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

// FunctionFS answers a request by the direction of the next ep0 call: data for the host (or
// the status stage) in the request's own direction, a STALL against it. An OUT data stage is
// acknowledged as it is read, so a SET_REPORT the model refuses after its data has arrived
// is logged with the model's -32 but completes on the bus.
void GadgetFirmware::answer(const ControlSetup &setup)
{
    QByteArray data;
    ControlResult result;
    if (setup.isDeviceToHost()) {
        if (setup.requestType == STANDARD_INTERFACE_IN && setup.request == GET_DESCRIPTOR
            && setup.value >> 8 == HID_REPORT_DESCRIPTOR && setup.index == 0) {
            const QByteArray descriptor = m_reportDescriptor.left(setup.length);
            result = {int(descriptor.size()), descriptor, BusEvent::None};
        } else {
            result = m_controller->handleControl(setup, {});
        }
        if (result.status >= 0 && !writeAll(m_ep0, result.reply))
            result.status = -errno;
        else if (result.status < 0)
            (void)::read(m_ep0, nullptr, 0);
        data = result.reply;
    } else if (setup.requestType == CLASS_INTERFACE_OUT && setup.request == HID_SET_IDLE && setup.length == 0) {
        result.status = int(::read(m_ep0, nullptr, 0));
    } else if (setup.length == 0) {
        result = m_controller->handleControl(setup, {});
        if (result.status < 0)
            (void)::write(m_ep0, nullptr, 0);
        else
            (void)::read(m_ep0, nullptr, 0);
    } else {
        data = QByteArray(setup.length, '\0');
        const ssize_t got = ::read(m_ep0, data.data(), size_t(data.size()));
        data.truncate(got < 0 ? 0 : int(got));
        result = got < 0 ? ControlResult{-errno, {}, BusEvent::None} : m_controller->handleControl(setup, data);
    }
    log(QStringLiteral("%1 %2 %3 %4 %5 -> %6 %7")
            .arg(setup.requestType, 2, 16, QLatin1Char('0'))
            .arg(setup.request, 2, 16, QLatin1Char('0'))
            .arg(setup.value, 4, 16, QLatin1Char('0'))
            .arg(setup.index, 4, 16, QLatin1Char('0'))
            .arg(setup.length, 4, 16, QLatin1Char('0'))
            .arg(result.status)
            .arg(hex(data)));
    busEvent(result.busEvent);
}

void GadgetFirmware::busEvent(BusEvent event)
{
    if (event == BusEvent::None)
        return;
    // Lets the host see the status stage complete before the device leaves.
    QThread::msleep(50);
    QString error;
    if (!m_gadget->unbind(&error))
        log(QStringLiteral("error ") + error);
    log(QStringLiteral("unbound"));
    if (event != BusEvent::Reboot)
        return;
    QThread::msleep(ulong(m_controller->options().rebootMs));
    m_controller->restart();
    if (!m_gadget->bind(&error))
        log(QStringLiteral("error ") + error);
    log(QStringLiteral("bound"));
}

// Alternates the low and high reports; a write waits while the host is not polling.
void GadgetFirmware::sendInputReports()
{
    for (bool high = false;; high = !high) {
        for (const InputReports::Extremes &report : m_inputReports)
            (void)writeAll(m_ep1, high ? report.high : report.low);
        QThread::msleep(INPUT_REPORT_INTERVAL_MS);
    }
}

void GadgetFirmware::log(const QString &line)
{
    m_log.write(QStringLiteral("%1 %2\n").arg(double(m_elapsed.elapsed()) / 1000.0, 0, 'f', 3).arg(line).toUtf8());
    m_log.flush();
}
