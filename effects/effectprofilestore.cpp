// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectprofilestore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 RECORD_SIZE = sizeof(EffectSettingsTypeDef);

using FileProblem = EffectProfileStore::FileProblem;

void report(FileProblem *problem, FileProblem what)
{
    if (problem)
        *problem = what;
}

// A relative path joined by hand: QFile would take one starting with ':' for a resource.
QString localPath(const QString &path)
{
    return path.startsWith(u'/') ? path : QDir::currentPath() + QLatin1Char('/') + path;
}

// Regular files only: a FIFO or device of that name would block or never end.
bool openRegularFile(QFile &file, FileProblem *problem)
{
    const QFileInfo info(file.fileName());
    if (!info.exists()) {
        report(problem, FileProblem::Missing);
        return false;
    }
    if (!info.isFile()) {
        report(problem, FileProblem::NotAFile);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        report(problem, FileProblem::Unreadable);
        return false;
    }
    return true;
}

// The whole file, when it loads as a profile.
std::optional<QByteArray> readProfileFile(const QString &path, FileProblem *problem)
{
    QFile file(path);
    if (!openRegularFile(file, problem))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        report(problem, FileProblem::Unreadable);
        return std::nullopt;
    }
    if (bytes.size() < RECORD_SIZE) {
        report(problem, FileProblem::TooShort);
        return std::nullopt;
    }
    return bytes;
}

bool writeAtomically(const QString &path, const char *data, qint64 size)
{
    QSaveFile file(path);
    // Unbuffered, so that a full disk fails the write itself: a write that only failed when
    // the buffer was flushed on commit would still be renamed over the old file as an
    // empty file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(data, size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// Never replaces `to`, not even one made since it was looked for.
bool renameWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without RENAME_NOREPLACE: a link fails as well when the target exists.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    return ::unlink(source.constData()) == 0;
}

// Any entry, even a dangling link, keeps a name from being taken.
bool isTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
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
    return writeAtomically(filePath(name), reinterpret_cast<const char *>(&settings), RECORD_SIZE);
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
    QFile file(filePath(name));
    if (!openRegularFile(file, problem))
        return std::nullopt;
    EffectSettingsTypeDef settings;
    const qint64 got = file.read(reinterpret_cast<char *>(&settings), RECORD_SIZE);
    if (got != RECORD_SIZE) {
        report(problem, got < 0 ? FileProblem::Unreadable : FileProblem::TooShort);
        return std::nullopt;
    }
    report(problem, FileProblem::None);
    return settings;
}

bool EffectProfileStore::rename(const QString &name, const QString &newName, FileProblem *problem) const
{
    if (!accepts(name, problem))
        return false;
    if (saveNameProblem(newName) != NameProblem::None) {
        report(problem, FileProblem::NameRefused);
        return false;
    }
    const QFileInfo info(filePath(name));
    if (!info.exists() || !info.isFile()) {
        report(problem, info.exists() ? FileProblem::NotAFile : FileProblem::Missing);
        return false;
    }
    if (isTaken(filePath(newName))) {
        report(problem, FileProblem::Exists);
        return false;
    }
    if (!renameWithoutReplacing(filePath(name), filePath(newName))) {
        report(problem, isTaken(filePath(newName)) ? FileProblem::Exists : FileProblem::NotWritten);
        return false;
    }
    report(problem, FileProblem::None);
    return true;
}

bool EffectProfileStore::exportTo(const QString &name, const QString &path, FileProblem *problem) const
{
    if (!accepts(name, problem))
        return false;
    const std::optional<QByteArray> bytes = readProfileFile(filePath(name), problem);
    if (!bytes)
        return false;
    if (!writeAtomically(localPath(path), bytes->constData(), bytes->size())) {
        report(problem, FileProblem::NotWritten);
        return false;
    }
    report(problem, FileProblem::None);
    return true;
}

bool EffectProfileStore::importFrom(const QString &path, const QString &name, Existing existing, FileProblem *problem) const
{
    if (!m_usable) {
        report(problem, FileProblem::Unavailable);
        return false;
    }
    if (saveNameProblem(name) != NameProblem::None) {
        report(problem, FileProblem::NameRefused);
        return false;
    }
    const std::optional<QByteArray> bytes = readProfileFile(localPath(path), problem);
    if (!bytes)
        return false;
    if (existing == Existing::Refuse && isTaken(filePath(name))) {
        report(problem, FileProblem::Exists);
        return false;
    }
    if (!writeAtomically(filePath(name), bytes->constData(), bytes->size())) {
        report(problem, FileProblem::NotWritten);
        return false;
    }
    report(problem, FileProblem::None);
    return true;
}

EffectProfileStore::FileProblem EffectProfileStore::importFileProblem(const QString &path)
{
    FileProblem problem = FileProblem::None;
    readProfileFile(localPath(path), &problem);
    return problem;
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
