// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

#include <glib.h>

class ControlCommands;

// The control channel: a Unix stream socket on which tests send commands, one per line,
// and read one reply line each. Serves any number of connections on the main loop.
class ControlServer
{
public:
    explicit ControlServer(ControlCommands &commands);
    ~ControlServer();
    ControlServer(const ControlServer &) = delete;
    ControlServer &operator=(const ControlServer &) = delete;

    bool listen(const QString &path, QString *error);

private:
    struct Connection {
        ControlServer *server = nullptr;
        int fd = -1;
        guint source = 0;
        QByteArray pending;
    };

    static gboolean onConnecting(gint fd, GIOCondition condition, gpointer self);
    static gboolean onReadable(gint fd, GIOCondition condition, gpointer connection);
    bool serve(Connection &connection);
    void close(Connection *connection);

    ControlCommands &m_commands;
    int m_listener = -1;
    guint m_listenerSource = 0;
    QString m_path;
    std::vector<std::unique_ptr<Connection>> m_connections;
};
