// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/extracontrollernotice.h"

#include "device/devicekinds.h"

#include <QStringList>

ExtraControllerNotice::ExtraControllerNotice(QWidget *parent)
    : FixedLinesLabel(1, parent)
{
    setObjectName(QStringLiteral("extra_controller_label"));
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void ExtraControllerNotice::showExtraControllers(const QMap<int, int> &extra)
{
    QStringList sentences;
    for (const DeviceKind &kind : DeviceKinds::ALL) {
        const int count = extra.value(kind.productId);
        const QString name = QString::fromLatin1(kind.displayName);
        if (count == 1)
            sentences.append(tr("A second %1 is connected; only one controller of each kind can be configured at a time.")
                                 .arg(name));
        else if (count > 1)
            sentences.append(tr("%n more %1 controllers are connected; only one controller of each kind can be "
                                "configured at a time.", nullptr, count)
                                 .arg(name));
    }
    setMessage(sentences.join(QLatin1Char(' ')));
    setVisible(!sentences.isEmpty());
}
