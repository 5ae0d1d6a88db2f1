// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

class QWidget;

// The questions the profile box asks before renaming, exporting or importing a profile:
// Qt's own dialogs, each answered or cancelled. Cancelled is no answer (nullopt or empty).
class ProfileFileDialogs
{
    Q_DECLARE_TR_FUNCTIONS(ProfileFileDialogs)

public:
    explicit ProfileFileDialogs(QWidget *parent);

    std::optional<QString> newName(const QString &name) const;
    // The file to write the profile to; empty when cancelled.
    QString exportPath(const QString &name) const;
    // The file to read a profile from; empty when cancelled.
    QString importPath() const;
    // The name to keep the imported file under, `suggested` filled in.
    std::optional<QString> importName(const QString &suggested) const;
    bool replaceExisting(const QString &name) const;

private:
    QWidget *m_parent;
};
