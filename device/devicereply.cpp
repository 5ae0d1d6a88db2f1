// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicereply.h"

DeviceReply::DeviceReply(quint64 id, QObject *parent)
    : QObject(parent)
    , m_id(id)
{
}

void DeviceReply::finish(const CommandOutcome &outcome)
{
    if (m_finished)
        return;
    m_finished = true;
    m_outcome = outcome;
    emit finished(m_outcome);
    deleteLater();
}
