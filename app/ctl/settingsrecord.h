// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/controllerlink.h"
#include "device/recordjson.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One of the two settings records as the command line names them, "effects" and "hardware":
// its layout, the worker's commands for it, and its files, raw or JSON.
class SettingsRecord
{
public:
    static SettingsRecord effects();
    static SettingsRecord hardware();
    static std::optional<SettingsRecord> named(const QString &name);

    const QString &name() const { return m_layout.name; }
    int size() const { return m_layout.size; }
    bool isEffects() const;

    ControllerLink::Request read(int productId) const;
    ControllerLink::Request write(int productId, const QByteArray &record, bool save) const;

    // The record in `path` ("-" for standard input): a file of exactly the record's size is
    // the raw record, anything else must be its JSON document. Empty, with `problem`, when
    // the file cannot be used.
    QByteArray load(const QString &path, QString *problem) const;
    QByteArray toJson(const QByteArray &record) const;
    // The values of `record` the window's pages could not show, and so not send back as
    // they are, in the pages' words; empty when the pages could carry the whole record.
    QStringList valuesBeyondWindow(const QByteArray &record) const;

private:
    explicit SettingsRecord(const RecordJson::Layout &layout);

    RecordJson::Layout m_layout;
};
