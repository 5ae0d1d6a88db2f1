// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "recordkind.h"

#include <QByteArray>

#include <optional>

// The controller's two memories for its settings records: the working copy it runs with
// and the permanent copy it starts from. Saving copies working to permanent; a restart
// reloads working from permanent.
class SettingsMemory
{
public:
    // Both memories start with the given records.
    SettingsMemory(const QByteArray &effects, const QByteArray &hardware);

    QByteArray working(RecordKind kind) const;
    QByteArray permanent(RecordKind kind) const;
    void setWorking(RecordKind kind, const QByteArray &record);
    // Working and permanent at once, as a freshly flashed controller would hold.
    void setBoth(RecordKind kind, const QByteArray &record);

    void save();
    void reload();

    // The permanent memory as one image, the effect record followed by the hardware
    // record, the layout of a state file.
    QByteArray permanentImage() const;
    static int imageSize();
    // Splits an image into its records; nothing when the size is wrong.
    static std::optional<SettingsMemory> fromImage(const QByteArray &image);

private:
    struct Records {
        QByteArray effects;
        QByteArray hardware;
        QByteArray &of(RecordKind kind) { return kind == RecordKind::Effects ? effects : hardware; }
        const QByteArray &of(RecordKind kind) const { return kind == RecordKind::Effects ? effects : hardware; }
    };

    Records m_working;
    Records m_permanent;
};
