// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ctl/profilecommands.h"

#include "app/ctl/console.h"
#include "app/ctl/ctlsession.h"
#include "app/ctl/settingsrecord.h"
#include "effects/effectprofilestore.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>
#include <memory>

namespace ProfileCommands {

namespace {

using FileProblem = EffectProfileStore::FileProblem;
using NameProblem = EffectProfileStore::NameProblem;

QString profilesPath(const QString &directory)
{
    return QDir(directory).absoluteFilePath(QString::fromLatin1(EffectProfileStore::DIRECTORY_NAME));
}

// The store works in the current directory, as the window does; it keeps the absolute path.
std::unique_ptr<EffectProfileStore> openStore(const QString &directory)
{
    const QString previous = QDir::currentPath();
    if (!QFileInfo(directory).isDir() || !QDir::setCurrent(directory)) {
        Console::error(QStringLiteral("%1 is not a directory that can be used.").arg(directory));
        return nullptr;
    }
    auto store = std::make_unique<EffectProfileStore>();
    QDir::setCurrent(previous);
    if (!store->isUsable()) {
        Console::error(QStringLiteral("the profiles directory %1 cannot be made or opened.").arg(profilesPath(directory)));
        return nullptr;
    }
    return store;
}

QString nameProblemWords(NameProblem problem, const QString &name)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QStringLiteral("a profile needs a name.");
    case NameProblem::StartsWithDot:
        return QStringLiteral("\"%1\": a profile name cannot start with a dot.").arg(name);
    case NameProblem::PathSeparator:
        return QStringLiteral("\"%1\": a profile name cannot contain \"/\".").arg(name);
    case NameProblem::NulCharacter:
    case NameProblem::NotEncodable:
        return QStringLiteral("\"%1\" cannot be a file name.").arg(name);
    case NameProblem::TooLong:
        return QStringLiteral("\"%1\" is too long for a profile name (at most %2 bytes).")
            .arg(name)
            .arg(EffectProfileStore::MAX_SAVED_NAME_BYTES);
    }
    return {};
}

QString loadProblemWords(FileProblem problem, const QString &name, const QString &directory)
{
    switch (problem) {
    case FileProblem::NameRefused:
        return nameProblemWords(EffectProfileStore::nameProblem(name), name);
    case FileProblem::Missing:
        return QStringLiteral("there is no profile \"%1\" in %2.").arg(name, directory);
    case FileProblem::NotAFile:
        return QStringLiteral("the profile \"%1\" in %2 is not a file.").arg(name, directory);
    case FileProblem::TooShort:
        return QStringLiteral("the profile \"%1\" is shorter than an effect record (%2 bytes).")
            .arg(name)
            .arg(sizeof(EffectSettingsTypeDef));
    default:
        return QStringLiteral("the profile \"%1\" in %2 cannot be read.").arg(name, directory);
    }
}

// Words for a name that save refuses; empty when it takes the name.
QString saveNameWords(const QString &name)
{
    return nameProblemWords(EffectProfileStore::saveNameProblem(name), name);
}

QString importProblemWords(FileProblem problem, const QString &file, const QString &name, const QString &directory)
{
    switch (problem) {
    case FileProblem::Missing:
        return QStringLiteral("%1 does not exist.").arg(file);
    case FileProblem::NotAFile:
        return QStringLiteral("%1 is not a file.").arg(file);
    case FileProblem::Unreadable:
        return QStringLiteral("%1 cannot be read.").arg(file);
    case FileProblem::TooShort:
        return QStringLiteral("%1 is not an effect profile: it has %2 bytes, fewer than an effect record (%3).")
            .arg(file)
            .arg(QFileInfo(file).size())
            .arg(sizeof(EffectSettingsTypeDef));
    case FileProblem::Exists:
        return QStringLiteral("there is a profile \"%1\" in %2 already; --force replaces it.").arg(name, directory);
    default:
        return QStringLiteral("the profile \"%1\" could not be written to %2.").arg(name, directory);
    }
}

} // namespace

QString dataDirectory(const QString &option)
{
    if (!option.isEmpty())
        return option;
    // As the launcher: XDG_DATA_HOME counts only as an absolute path.
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    const QString launcherDirectory = QDir::isAbsolutePath(dataHome)
        ? dataHome + QStringLiteral("/kestrov-setup")
        : QDir::homePath() + QStringLiteral("/.local/share/kestrov-setup");
    return QFileInfo(launcherDirectory).isDir() ? launcherDirectory : QDir::currentPath();
}

ExitStatus list(const CtlArguments &arguments)
{
    const QString directory = dataDirectory(arguments.dataDirectory);
    // Listing makes nothing: without the directory there are no profiles.
    if (!QFileInfo(profilesPath(directory)).isDir())
        return ExitStatus::Done;
    const std::unique_ptr<EffectProfileStore> store = openStore(directory);
    if (!store)
        return ExitStatus::Usage;
    for (const QString &name : store->profileNames())
        Console::out(name);
    return ExitStatus::Done;
}

ExitStatus apply(const CtlArguments &arguments)
{
    const QString name = arguments.operands.at(0);
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    FileProblem problem = FileProblem::None;
    const std::optional<EffectSettingsTypeDef> profile = store->load(name, &problem);
    if (!profile) {
        Console::error(loadProblemWords(problem, name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    const QByteArray record(reinterpret_cast<const char *>(&*profile), sizeof *profile);
    return CtlSession::report(session.run(SettingsRecord::effects().write(session.productId(), record, arguments.save)).outcome);
}

ExitStatus save(const CtlArguments &arguments)
{
    const QString name = arguments.operands.at(0);
    if (const NameProblem problem = EffectProfileStore::saveNameProblem(name); problem != NameProblem::None) {
        Console::error(nameProblemWords(problem, name));
        return ExitStatus::Usage;
    }
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    CtlSession session(arguments.device);
    if (!session.open())
        return session.failure();
    const ControllerLink::Reply reply = session.run(SettingsRecord::effects().read(session.productId()));
    if (const ExitStatus status = CtlSession::report(reply.outcome, true); status != ExitStatus::Done)
        return status;
    EffectSettingsTypeDef settings;
    std::memcpy(static_cast<void *>(&settings), reply.outcome.record.constData(), sizeof settings);
    if (!store->save(name, settings)) {
        Console::error(QStringLiteral("the profile \"%1\" could not be written to %2.").arg(name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("Effect settings read from the controller and kept as the profile \"%1\" in %2.")
                     .arg(name, store->directoryPath()));
    return ExitStatus::Done;
}

ExitStatus remove(const CtlArguments &arguments)
{
    const QString name = arguments.operands.at(0);
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    FileProblem problem = FileProblem::None;
    if (!store->remove(name, &problem)) {
        Console::error(problem == FileProblem::NotRemoved
                           ? QStringLiteral("the profile \"%1\" in %2 could not be deleted.").arg(name, store->directoryPath())
                           : loadProblemWords(problem, name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("Profile \"%1\" deleted from %2.").arg(name, store->directoryPath()));
    return ExitStatus::Done;
}

ExitStatus rename(const CtlArguments &arguments)
{
    const QString name = arguments.operands.at(0);
    const QString newName = arguments.operands.at(1);
    if (const QString words = saveNameWords(newName); !words.isEmpty()) {
        Console::error(words);
        return ExitStatus::Usage;
    }
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    FileProblem problem = FileProblem::None;
    if (!store->rename(name, newName, &problem)) {
        if (problem == FileProblem::Exists)
            Console::error(QStringLiteral("there is a profile \"%1\" in %2 already.").arg(newName, store->directoryPath()));
        else if (problem == FileProblem::NotWritten)
            Console::error(QStringLiteral("the profile \"%1\" in %2 could not be renamed.").arg(name, store->directoryPath()));
        else
            Console::error(loadProblemWords(problem, name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("Profile \"%1\" renamed to \"%2\" in %3.").arg(name, newName, store->directoryPath()));
    return ExitStatus::Done;
}

ExitStatus exportProfile(const CtlArguments &arguments)
{
    const QString name = arguments.operands.at(0);
    const QString file = arguments.operands.at(1);
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    FileProblem problem = FileProblem::None;
    if (!store->exportTo(name, file, &problem)) {
        Console::error(problem == FileProblem::NotWritten ? QStringLiteral("%1 could not be written.").arg(file)
                                                          : loadProblemWords(problem, name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("Profile \"%1\" written to %2.").arg(name, file));
    return ExitStatus::Done;
}

ExitStatus importProfile(const CtlArguments &arguments)
{
    const QString file = arguments.operands.at(0);
    const QString name = arguments.operands.size() > 1 ? arguments.operands.at(1) : QFileInfo(file).completeBaseName();
    if (const QString words = saveNameWords(name); !words.isEmpty()) {
        Console::error(words);
        return ExitStatus::Usage;
    }
    const std::unique_ptr<EffectProfileStore> store = openStore(dataDirectory(arguments.dataDirectory));
    if (!store)
        return ExitStatus::Usage;
    const auto existing = arguments.force ? EffectProfileStore::Existing::Replace : EffectProfileStore::Existing::Refuse;
    FileProblem problem = FileProblem::None;
    if (!store->importFrom(file, name, existing, &problem)) {
        Console::error(importProblemWords(problem, file, name, store->directoryPath()));
        return ExitStatus::Usage;
    }
    Console::out(QStringLiteral("%1 kept as the profile \"%2\" in %3.").arg(file, name, store->directoryPath()));
    return ExitStatus::Done;
}

} // namespace ProfileCommands
