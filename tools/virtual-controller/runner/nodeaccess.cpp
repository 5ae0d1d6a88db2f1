// SPDX-License-Identifier: GPL-3.0-or-later
#include "nodeaccess.h"

#include <QSaveFile>

#include <glib.h>

NodeAccess::NodeAccess(const QString &path)
    : m_path(path)
{
}

bool NodeAccess::open(QString *error)
{
    m_denied.clear();
    return write(error);
}

void NodeAccess::setDenied(int deviceId, const QStringList &nodes)
{
    const auto found = m_denied.find(deviceId);
    if (found == m_denied.end() ? nodes.isEmpty() : found->second == nodes)
        return;
    if (nodes.isEmpty())
        m_denied.erase(deviceId);
    else
        m_denied[deviceId] = nodes;
    QString error;
    if (!write(&error))
        g_printerr("virtual-controller: %s\n", qPrintable(error));
}

void NodeAccess::setGone(const QString &node, bool gone)
{
    if (node.isEmpty() || (gone ? !m_gone.insert(node).second : m_gone.erase(node) == 0))
        return;
    QString error;
    if (!write(&error))
        g_printerr("virtual-controller: %s\n", qPrintable(error));
}

// Replaced as a whole, so that a reader sees the old list or the new one and notices the
// change by the file's identity.
bool NodeAccess::write(QString *error) const
{
    QByteArray text;
    for (const auto &[id, nodes] : m_denied)
        for (const QString &node : nodes)
            text += node.toLocal8Bit() + '\n';
    for (const QString &node : m_gone)
        text += "gone " + node.toLocal8Bit() + '\n';
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}
