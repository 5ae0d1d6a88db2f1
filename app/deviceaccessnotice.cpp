// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/deviceaccessnotice.h"

#include <QStringList>

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
    // The count stands here, with the reasons, so that the device list need not speak of
    // controllers it cannot offer.
    // Two texts rather than %n: the English source is shown as it is, without plural forms.
    QStringList lines{issues.size() == 1 ? tr("1 controller connected but not usable:")
                                         : tr("%1 controllers connected but not usable:").arg(issues.size())};
    for (const DeviceAccessIssue &issue : issues)
        lines.append(issue.describe(m_names.value(issue.productId, QString::number(issue.productId))));
    setText(issues.isEmpty() ? QString() : lines.join(QLatin1Char('\n')));
    setVisible(!issues.isEmpty());
}
