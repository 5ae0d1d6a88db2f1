#include "app/deviceaccessnotice.h"

#include <QStringList>

#include <cstring>

DeviceAccessNotice::DeviceAccessNotice(const QMap<int, QString> &names, QWidget *parent)
    : QLabel(parent)
    , m_names(names)
{
    setObjectName(QStringLiteral("device_access_label"));
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    hide();
}

void DeviceAccessNotice::showIssues(const DeviceAccessIssues &issues)
{
    QStringList lines;
    for (const DeviceAccessIssue &issue : issues)
        lines.append(describe(issue));
    setText(lines.join(QLatin1Char('\n')));
    setVisible(!lines.isEmpty());
}

QString DeviceAccessNotice::describe(const DeviceAccessIssue &issue) const
{
    const QString name = m_names.value(issue.productId, QString::number(issue.productId));
    switch (issue.problem) {
    case DeviceAccessIssue::NoPermission:
        return tr("%1 is connected, but this user may not open it (%2). Install the tool's udev rule "
                  "(see \"Using it with a controller\" in the README), then unplug the controller and "
                  "plug it in again.")
            .arg(name, issue.node);
    case DeviceAccessIssue::InUse:
        return tr("%1 is connected, but another program holds it (%2). Close that program.").arg(name, issue.node);
    case DeviceAccessIssue::OpenFailed:
        break;
    }
    return tr("%1 is connected, but could not be opened (%2: %3).")
        .arg(name, issue.node, QString::fromLocal8Bit(std::strerror(issue.systemError)));
}
