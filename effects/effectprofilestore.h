// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectsettings.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <climits>
#include <optional>

// Effect profiles on disk: one raw 384-byte record per file in "device_effects_profiles"
// of the working directory, the file named exactly as the profile. Names are checked
// before any file is touched, so a profile can never reach outside that directory.
class EffectProfileStore
{
public:
    static constexpr const char *DIRECTORY_NAME = "device_effects_profiles";

    // Longest file name the file system takes, in encoded (UTF-8) bytes.
    static constexpr qsizetype MAX_NAME_BYTES = NAME_MAX;
    // An atomic save first writes "<name>.XXXXXX" beside the profile and renames it over
    // the profile; a longer name would save once, then never again.
    static constexpr qsizetype SAVE_SUFFIX_BYTES = 7;
    static constexpr qsizetype MAX_SAVED_NAME_BYTES = MAX_NAME_BYTES - SAVE_SUFFIX_BYTES;

    enum class NameProblem {
        None,
        Empty,
        StartsWithDot,
        PathSeparator,
        NulCharacter,
        NotEncodable,
        TooLong,
    };

    // Why loading, deleting, renaming, importing or exporting a profile failed. For an
    // import, Missing to TooShort are about the file imported.
    enum class FileProblem {
        None,
        Unavailable,
        NameRefused,
        Missing,
        NotAFile,
        Unreadable,
        TooShort,
        NotRemoved,
        // The new name is a profile (or another entry) already.
        Exists,
        // The file could not be written or renamed; what was there before stays.
        NotWritten,
    };

    enum class Existing { Refuse, Replace };

    // Creates the profiles directory in the current working directory, if needed, and
    // keeps its absolute path, so later changes of the working directory do not move it.
    EffectProfileStore();

    // False when the directory could not be created or entered; every operation then
    // refuses, rather than falling back to the working directory itself.
    bool isUsable() const;
    QString directoryPath() const;

    // Whether the name can be a file directly inside the profiles directory, and one the
    // list shows: the check before loading and deleting. Anything else Linux allows in a
    // file name (backslashes, control characters) is a name like any other.
    static NameProblem nameProblem(const QString &name);
    // The same, and short enough that every later save of the name succeeds too.
    static NameProblem saveNameProblem(const QString &name);

    // Plain, non-hidden files, sorted by name without regard to case; only those that
    // can be loaded and deleted under the name shown.
    QStringList profileNames() const;

    // Replaces the file atomically: on failure the previous content stays intact.
    bool save(const QString &name, const EffectSettingsTypeDef &settings) const;
    bool remove(const QString &name, FileProblem *problem = nullptr) const;
    // The first 384 bytes of the file; nothing when it cannot be read or is shorter, and
    // then `problem`, when given, says why.
    std::optional<EffectSettingsTypeDef> load(const QString &name, FileProblem *problem = nullptr) const;

    // Gives a profile a new name that save would take and no entry has; refuses otherwise
    // and changes nothing then.
    bool rename(const QString &name, const QString &newName, FileProblem *problem = nullptr) const;
    // Writes the profile's file, byte for byte, to `path` anywhere, replacing it atomically.
    bool exportTo(const QString &name, const QString &path, FileProblem *problem = nullptr) const;
    // Copies the file at `path` in as the profile `name`, byte for byte and atomically, when
    // it loads as a profile (a regular file of at least 384 bytes) and the name saves. An
    // existing profile of that name is replaced only when asked to.
    bool importFrom(const QString &path, const QString &name, Existing existing, FileProblem *problem = nullptr) const;
    // Why the file at `path` could not be imported, whatever its name would be: the check
    // to make before asking for one. None when it loads as a profile.
    static FileProblem importFileProblem(const QString &path);

private:
    bool accepts(const QString &name, FileProblem *problem) const;
    QString filePath(const QString &name) const;

    QDir m_directory;
    bool m_usable = false;
};
