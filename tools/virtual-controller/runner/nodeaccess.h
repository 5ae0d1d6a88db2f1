#pragma once

#include <QString>
#include <QStringList>

#include <map>

// The device nodes a user may not open, as on a machine without the udev rule that grants
// access to the controllers. Kept as a file, one node per line, which the node library in
// the command's LD_PRELOAD reads to refuse opening them with EACCES. Main thread only.
class NodeAccess
{
public:
    explicit NodeAccess(const QString &path);

    // Writes the empty list.
    bool open(QString *error);
    // The nodes of that device that are refused from now on; an empty list grants all.
    void setDenied(int deviceId, const QStringList &nodes);
    QString path() const { return m_path; }

private:
    bool write(QString *error) const;

    const QString m_path;
    std::map<int, QStringList> m_denied;
};
