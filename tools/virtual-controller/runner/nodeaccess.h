// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <set>

// The device nodes a user may not open, as on a machine without the udev rule that grants
// access to the controllers, and those whose device has gone. Kept as a file, one node per
// line ("gone " before the path for the latter), which the node library in the command's
// LD_PRELOAD reads to refuse opening them with EACCES (or ENOENT). Main thread only.
class NodeAccess
{
public:
    explicit NodeAccess(const QString &path);

    // Writes the empty list.
    bool open(QString *error);
    // The nodes of that device that are refused from now on; an empty list grants all.
    void setDenied(int deviceId, const QStringList &nodes);
    // A node whose device has gone: opening it fails with ENOENT, as once the kernel has
    // destroyed the node, although umockdev keeps the file for handles opened before.
    void setGone(const QString &node, bool gone);
    QString path() const { return m_path; }

private:
    bool write(QString *error) const;

    const QString m_path;
    std::map<int, QStringList> m_denied;
    std::set<QString> m_gone;
};
