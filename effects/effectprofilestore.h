#pragma once

#include "effects/effectsettings.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

// Effect profiles on disk: one raw 384-byte record per file in "device_effects_profiles"
// of the working directory, the file named exactly as the profile. Names are checked
// before any file is touched, so a profile can never reach outside that directory.
class EffectProfileStore
{
public:
    static constexpr const char *DIRECTORY_NAME = "device_effects_profiles";

    enum class NameProblem {
        None,
        Empty,
        StartsWithDot,
        PathSeparator,
        ControlCharacter,
        TooLong,
    };

    // Creates the profiles directory in the current working directory, if needed, and
    // keeps its absolute path, so later changes of the working directory do not move it.
    EffectProfileStore();

    // False when the directory could not be created or entered; every operation then
    // refuses, rather than falling back to the working directory itself.
    bool isUsable() const;
    QString directoryPath() const;

    static NameProblem nameProblem(const QString &name);

    // Plain, non-hidden files, sorted by name without regard to case.
    QStringList profileNames() const;

    // Replaces the file atomically: on failure the previous content stays intact.
    bool save(const QString &name, const EffectSettingsTypeDef &settings) const;
    bool remove(const QString &name) const;
    // The first 384 bytes of the file; nothing when it cannot be read or is shorter.
    std::optional<EffectSettingsTypeDef> load(const QString &name) const;

private:
    bool accepts(const QString &name) const;
    QString filePath(const QString &name) const;

    QDir m_directory;
    bool m_usable = false;
};
