// SPDX-License-Identifier: GPL-3.0-or-later
#include "virtualcontroller.h"

#include <QFile>
#include <QJsonDocument>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

constexpr const char *SOCKET_VARIABLE = "VIRTUAL_CONTROLLER_SOCKET";
constexpr const char *LOG_VARIABLE = "VIRTUAL_CONTROLLER_LOG";

} // namespace

VirtualController::VirtualController() = default;

VirtualController::~VirtualController()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool VirtualController::available()
{
    return !qEnvironmentVariableIsEmpty(SOCKET_VARIABLE);
}

QString VirtualController::command(const QString &line, bool *ok)
{
    QByteArray reply;
    const bool answered = connectToRunner() && sendLine(line.toUtf8() + '\n') && readLine(&reply);
    if (!answered) {
        if (ok)
            *ok = false;
        return QStringLiteral("no answer from the virtual controller");
    }
    const QString text = QString::fromUtf8(reply);
    const bool succeeded = text == QLatin1String("ok") || text.startsWith(QLatin1String("ok "));
    if (ok)
        *ok = succeeded;
    return text.section(QLatin1Char(' '), 1);
}

int VirtualController::plug(const QString &description)
{
    bool ok = false;
    const QString id = command(QStringLiteral("plug ") + description, &ok);
    return ok ? id.toInt() : -1;
}

bool VirtualController::unplug(int id)
{
    bool ok = false;
    command(QStringLiteral("unplug %1").arg(id), &ok);
    return ok;
}

bool VirtualController::replug(int id)
{
    bool ok = false;
    command(QStringLiteral("replug %1").arg(id), &ok);
    return ok;
}

bool VirtualController::set(int id, const QString &options)
{
    bool ok = false;
    command(QStringLiteral("set %1 %2").arg(id).arg(options), &ok);
    return ok;
}

bool VirtualController::writeRecord(int id, const QString &which, const QByteArray &bytes)
{
    bool ok = false;
    command(QStringLiteral("write %1 %2 %3").arg(id).arg(which, QString::fromLatin1(bytes.toHex())), &ok);
    return ok;
}

QByteArray VirtualController::readRecord(int id, const QString &which, bool permanent)
{
    bool ok = false;
    const QString hex = command(QStringLiteral("read %1 %2 %3")
                                    .arg(id)
                                    .arg(which, permanent ? QStringLiteral("permanent") : QStringLiteral("working")),
                                &ok);
    return ok ? QByteArray::fromHex(hex.toLatin1()) : QByteArray();
}

bool VirtualController::isPlugged(int id)
{
    return infoValue(id, QStringLiteral("plugged")) == QLatin1String("1");
}

bool VirtualController::isBusy(int id)
{
    return infoValue(id, QStringLiteral("busy")) == QLatin1String("1");
}

bool VirtualController::reset()
{
    bool ok = false;
    command(QStringLiteral("reset"), &ok);
    return ok;
}

bool VirtualController::clearLog()
{
    bool ok = false;
    command(QStringLiteral("clear-log"), &ok);
    return ok;
}

QString VirtualController::hidrawNode(int id)
{
    return infoValue(id, QStringLiteral("hidraw"));
}

QList<Transfer> VirtualController::transfers(Transfer::Kind kind) const
{
    QList<Transfer> transfers;
    for (const QJsonObject &entry : logEntries()) {
        if (entry.contains(QLatin1String("event")))
            continue;
        const Transfer transfer = Transfer::fromJson(entry);
        if (transfer.kind == kind)
            transfers << transfer;
    }
    return transfers;
}

QString VirtualController::eventNode(int id)
{
    return infoValue(id, QStringLiteral("event"));
}

bool VirtualController::setAxis(int id, const QString &axis, int value)
{
    bool ok = false;
    command(QStringLiteral("axis %1 %2 %3").arg(id).arg(axis).arg(value), &ok);
    return ok;
}

bool VirtualController::setButton(int id, int number, bool pressed)
{
    bool ok = false;
    command(QStringLiteral("button %1 %2 %3").arg(id).arg(number).arg(pressed ? 1 : 0), &ok);
    return ok;
}

bool VirtualController::streamAxis(int id, const QString &axis, int hz)
{
    bool ok = false;
    command(QStringLiteral("stream %1 %2 %3").arg(id).arg(axis).arg(hz), &ok);
    return ok;
}

QList<DeviceEvent> VirtualController::events() const
{
    QList<DeviceEvent> events;
    for (const QJsonObject &entry : logEntries())
        if (entry.contains(QLatin1String("event")))
            events << DeviceEvent::fromJson(entry);
    return events;
}

QList<QJsonObject> VirtualController::logEntries() const
{
    QList<QJsonObject> entries;
    QFile log(qEnvironmentVariable(LOG_VARIABLE));
    if (!log.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : log.readAll().split('\n')) {
        const QJsonDocument entry = QJsonDocument::fromJson(line);
        if (entry.isObject())
            entries << entry.object();
    }
    return entries;
}

QString VirtualController::infoValue(int id, const QString &key)
{
    bool ok = false;
    const QString info = command(QStringLiteral("info %1").arg(id), &ok);
    if (!ok)
        return QString();
    for (const QString &field : info.split(QLatin1Char(' ')))
        if (field.startsWith(key + QLatin1Char('=')))
            return field.mid(key.size() + 1);
    return QString();
}

bool VirtualController::connectToRunner()
{
    if (m_socket >= 0)
        return true;
    const QByteArray path = qgetenv(SOCKET_VARIABLE);
    sockaddr_un address{};
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    m_socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket >= 0 && ::connect(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
        return true;
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    return false;
}

bool VirtualController::sendLine(const QByteArray &line)
{
    qsizetype sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::send(m_socket, line.constData() + sent, size_t(line.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

bool VirtualController::readLine(QByteArray *line)
{
    qsizetype end;
    while ((end = m_received.indexOf('\n')) < 0) {
        char buffer[4096];
        const ssize_t n = ::read(m_socket, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        m_received.append(buffer, n);
    }
    *line = m_received.left(end);
    m_received.remove(0, end + 1);
    return true;
}
