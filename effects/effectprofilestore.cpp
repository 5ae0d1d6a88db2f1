#include "effects/effectprofilestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// NAME_MAX of the usual Linux file systems, counted in encoded bytes.
constexpr qsizetype MAX_ENCODED_NAME_LENGTH = 255;

constexpr qint64 RECORD_SIZE = sizeof(EffectSettingsTypeDef);

bool isControlCharacter(QChar c)
{
    return c.category() == QChar::Other_Control;
}

} // namespace

EffectProfileStore::EffectProfileStore()
{
    QDir workingDirectory = QDir::current();
    workingDirectory.mkdir(DIRECTORY_NAME);
    m_directory = QDir(workingDirectory.absoluteFilePath(DIRECTORY_NAME));
    const QFileInfo info(m_directory.absolutePath());
    m_usable = info.isDir() && info.isReadable() && info.isExecutable();
}

bool EffectProfileStore::isUsable() const
{
    return m_usable;
}

QString EffectProfileStore::directoryPath() const
{
    return m_directory.absolutePath();
}

EffectProfileStore::NameProblem EffectProfileStore::nameProblem(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    // Covers "." and "..", and keeps profiles from turning into hidden files that the
    // list would never show.
    if (name.startsWith(u'.'))
        return NameProblem::StartsWithDot;
    if (name.contains(u'/') || name.contains(u'\\'))
        return NameProblem::PathSeparator;
    for (const QChar c : name) {
        if (isControlCharacter(c))
            return NameProblem::ControlCharacter;
    }
    if (QFile::encodeName(name).size() > MAX_ENCODED_NAME_LENGTH)
        return NameProblem::TooLong;
    return NameProblem::None;
}

QStringList EffectProfileStore::profileNames() const
{
    if (!m_usable)
        return {};
    return m_directory.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

bool EffectProfileStore::save(const QString &name, const EffectSettingsTypeDef &settings) const
{
    if (!accepts(name))
        return false;
    QSaveFile file(filePath(name));
    // Unbuffered, so that a full disk fails the write itself: a write that only failed when
    // the buffer was flushed on commit would still be renamed over the old profile as an
    // empty file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(reinterpret_cast<const char *>(&settings), RECORD_SIZE) != RECORD_SIZE) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool EffectProfileStore::remove(const QString &name) const
{
    return accepts(name) && QFile::remove(filePath(name));
}

std::optional<EffectSettingsTypeDef> EffectProfileStore::load(const QString &name) const
{
    if (!accepts(name))
        return std::nullopt;
    // Regular files only: a FIFO or device of that name would block or never end.
    const QString path = filePath(name);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    EffectSettingsTypeDef settings;
    if (file.read(reinterpret_cast<char *>(&settings), RECORD_SIZE) != RECORD_SIZE)
        return std::nullopt;
    return settings;
}

bool EffectProfileStore::accepts(const QString &name) const
{
    return m_usable && nameProblem(name) == NameProblem::None;
}

QString EffectProfileStore::filePath(const QString &name) const
{
    // Joined by hand: QDir would take a name starting with ':' for a resource path and
    // leave the profiles directory.
    return m_directory.absolutePath() + QLatin1Char('/') + name;
}
