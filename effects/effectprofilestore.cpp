#include "effects/effectprofilestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 RECORD_SIZE = sizeof(EffectSettingsTypeDef);

using FileProblem = EffectProfileStore::FileProblem;

void report(FileProblem *problem, FileProblem what)
{
    if (problem)
        *problem = what;
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
    if (name.contains(u'/'))
        return NameProblem::PathSeparator;
    if (name.contains(QChar(0)))
        return NameProblem::NulCharacter;
    // A lone surrogate would be written as a replacement character: the file would carry
    // another name than the profile.
    const QByteArray encoded = QFile::encodeName(name);
    if (QFile::decodeName(encoded) != name)
        return NameProblem::NotEncodable;
    if (encoded.size() > MAX_NAME_BYTES)
        return NameProblem::TooLong;
    return NameProblem::None;
}

EffectProfileStore::NameProblem EffectProfileStore::saveNameProblem(const QString &name)
{
    const NameProblem problem = nameProblem(name);
    if (problem != NameProblem::None)
        return problem;
    if (QFile::encodeName(name).size() > MAX_SAVED_NAME_BYTES)
        return NameProblem::TooLong;
    return NameProblem::None;
}

QStringList EffectProfileStore::profileNames() const
{
    if (!m_usable)
        return {};
    QStringList names = m_directory.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    // Only names that load and delete as shown: an entry the list offers must be usable.
    names.removeIf([this](const QString &name) {
        return nameProblem(name) != NameProblem::None || !QFileInfo(filePath(name)).isFile();
    });
    return names;
}

bool EffectProfileStore::save(const QString &name, const EffectSettingsTypeDef &settings) const
{
    if (!m_usable || saveNameProblem(name) != NameProblem::None)
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

bool EffectProfileStore::remove(const QString &name, FileProblem *problem) const
{
    if (!accepts(name, problem))
        return false;
    const QString path = filePath(name);
    if (QFile::remove(path)) {
        report(problem, FileProblem::None);
        return true;
    }
    // A dangling link does not exist as a file, yet is there to be removed.
    const QFileInfo info(path);
    report(problem, info.exists() || info.isSymLink() ? FileProblem::NotRemoved : FileProblem::Missing);
    return false;
}

std::optional<EffectSettingsTypeDef> EffectProfileStore::load(const QString &name, FileProblem *problem) const
{
    if (!accepts(name, problem))
        return std::nullopt;
    // Regular files only: a FIFO or device of that name would block or never end.
    const QString path = filePath(name);
    const QFileInfo info(path);
    if (!info.exists()) {
        report(problem, FileProblem::Missing);
        return std::nullopt;
    }
    if (!info.isFile()) {
        report(problem, FileProblem::NotAFile);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report(problem, FileProblem::Unreadable);
        return std::nullopt;
    }
    EffectSettingsTypeDef settings;
    const qint64 got = file.read(reinterpret_cast<char *>(&settings), RECORD_SIZE);
    if (got != RECORD_SIZE) {
        report(problem, got < 0 ? FileProblem::Unreadable : FileProblem::TooShort);
        return std::nullopt;
    }
    report(problem, FileProblem::None);
    return settings;
}

bool EffectProfileStore::accepts(const QString &name, FileProblem *problem) const
{
    if (!m_usable) {
        report(problem, FileProblem::Unavailable);
        return false;
    }
    if (nameProblem(name) != NameProblem::None) {
        report(problem, FileProblem::NameRefused);
        return false;
    }
    return true;
}

QString EffectProfileStore::filePath(const QString &name) const
{
    // Joined by hand: QDir would take a name starting with ':' for a resource path and
    // leave the profiles directory.
    return m_directory.absolutePath() + QLatin1Char('/') + name;
}
