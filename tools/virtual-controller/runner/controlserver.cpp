// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlserver.h"

#include "controlcommands.h"

#include <glib-unix.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// A line longer than any command can be (a 512-byte record in hex is 1 KiB) is garbage.
constexpr qsizetype MAX_LINE = 64 * 1024;

bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

ControlServer::ControlServer(ControlCommands &commands)
    : m_commands(commands)
{
}

ControlServer::~ControlServer()
{
    while (!m_connections.empty())
        close(m_connections.back().get());
    if (m_listenerSource != 0)
        g_source_remove(m_listenerSource);
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(m_path.toLocal8Bit().constData());
    }
}

bool ControlServer::listen(const QString &path, QString *error)
{
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un address{};
    if (size_t(name.size()) >= sizeof address.sun_path) {
        *error = QStringLiteral("socket path too long: %1").arg(path);
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_listener, 8) != 0) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_path = path;
    m_listenerSource = g_unix_fd_add(m_listener, G_IO_IN, onConnecting, this);
    return true;
}

gboolean ControlServer::onConnecting(gint fd, GIOCondition, gpointer self)
{
    auto *server = static_cast<ControlServer *>(self);
    const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return G_SOURCE_CONTINUE;
    auto connection = std::make_unique<Connection>();
    connection->server = server;
    connection->fd = client;
    connection->source = g_unix_fd_add(client, GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR), onReadable,
                                       connection.get());
    server->m_connections.push_back(std::move(connection));
    return G_SOURCE_CONTINUE;
}

gboolean ControlServer::onReadable(gint, GIOCondition, gpointer data)
{
    auto *connection = static_cast<Connection *>(data);
    if (connection->server->serve(*connection))
        return G_SOURCE_CONTINUE;
    // Removing the source from inside its own callback is done by returning REMOVE.
    connection->source = 0;
    connection->server->close(connection);
    return G_SOURCE_REMOVE;
}

bool ControlServer::serve(Connection &connection)
{
    char buffer[4096];
    const ssize_t n = ::read(connection.fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n <= 0)
        return false;
    connection.pending.append(buffer, n);
    qsizetype end;
    while ((end = connection.pending.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(connection.pending.left(end)).trimmed();
        connection.pending.remove(0, end + 1);
        if (!sendAll(connection.fd, m_commands.execute(line).toUtf8() + '\n'))
            return false;
    }
    return connection.pending.size() <= MAX_LINE;
}

void ControlServer::close(Connection *connection)
{
    if (connection->source != 0)
        g_source_remove(connection->source);
    ::close(connection->fd);
    std::erase_if(m_connections, [connection](const std::unique_ptr<Connection> &c) { return c.get() == connection; });
}
