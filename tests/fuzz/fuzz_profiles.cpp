// SPDX-License-Identifier: GPL-3.0-or-later
// Effect profile files of any size and content, and profile names of any content.
//
// The input is used twice. As file content: it is written as the profile "fuzzed profile"
// and loaded through EffectProfileStore and through the panel's applyProfile slot. A file
// shorter than a record must be refused and leave the panel as it was, without
// profileApplied; a longer one must load exactly its first 384 bytes. As a name (read as
// UTF-8 and, separately, as UTF-16): the store's name check must refuse ".", "..", the
// empty name and names with '/' or NUL, must not touch the disk for any name it refuses,
// and every name it accepts must resolve to a file of that name directly inside the
// profiles directory, which the store loads and removes.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "profilepanels.h"

#include "effects/effectprofilestore.h"
#include "effects/effectsettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t RECORD_SIZE = sizeof(EffectSettingsTypeDef);
const QString CONTENT_PROFILE = QStringLiteral("fuzzed profile");

EffectProfileStore *store = nullptr;
ProfilePanels *panels = nullptr;

std::string bytesText(const EffectSettingsTypeDef &settings)
{
    return hexBytes(&settings, sizeof settings);
}

bool sameRecord(const EffectSettingsTypeDef &a, const EffectSettingsTypeDef &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

EffectSettingsTypeDef recordOf(const uint8_t *bytes)
{
    EffectSettingsTypeDef settings;
    std::memcpy(&settings, bytes, sizeof settings);
    return settings;
}

// A record unlike anything the checks would otherwise see: each byte its offset's low bits,
// mixed with a salt.
EffectSettingsTypeDef markedRecord(uint8_t salt)
{
    uint8_t bytes[RECORD_SIZE];
    for (std::size_t i = 0; i < RECORD_SIZE; ++i)
        bytes[i] = uint8_t(i ^ salt);
    return recordOf(bytes);
}

QByteArray pathIn(const QString &directory, const QByteArray &encodedName)
{
    return QFile::encodeName(directory) + '/' + encodedName;
}

// Raw file access, bypassing Qt, so that the checks do not share the store's path handling.
int writeRaw(const QByteArray &path, const void *data, std::size_t size, int extraFlags)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | extraFlags, 0644);
    if (fd < 0)
        return errno;
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written <= 0) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        bytes += written;
        size -= std::size_t(written);
    }
    ::close(fd);
    return 0;
}

QByteArray readRaw(const QByteArray &path)
{
    QByteArray content;
    if (FILE *file = std::fopen(path.constData(), "rb")) {
        char buffer[1024];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, qsizetype(got));
        std::fclose(file);
    }
    return content;
}

QStringList entriesOf(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

// Everything in the working directory and in the profiles directory, one list.
QStringList diskSnapshot()
{
    QStringList entries = entriesOf(FuzzApplication::workingDirectory());
    for (const QString &entry : entriesOf(store->directoryPath()))
        entries.append(QStringLiteral("profiles/") + entry);
    return entries;
}

void checkContentProfile(const uint8_t *data, std::size_t size)
{
    const std::optional<EffectSettingsTypeDef> loaded = store->load(CONTENT_PROFILE);
    const EffectSettingsTypeDef before = panels->gathered();
    const bool applied = panels->applyProfile(CONTENT_PROFILE);
    const EffectSettingsTypeDef after = panels->gathered();

    if (size < RECORD_SIZE) {
        FUZZ_REQUIRE(!loaded, "the store loaded a profile of only " + std::to_string(size) + " bytes");
        FUZZ_REQUIRE(!applied, "profileApplied for a profile of only " + std::to_string(size) + " bytes");
        FUZZ_REQUIRE(sameRecord(before, after), "a profile of only " + std::to_string(size) +
                                                    " bytes changed the panel from " + bytesText(before) + " to " +
                                                    bytesText(after));
        return;
    }

    const EffectSettingsTypeDef head = recordOf(data);
    FUZZ_REQUIRE(loaded, "the store refused a profile of " + std::to_string(size) + " bytes");
    FUZZ_REQUIRE(sameRecord(*loaded, head), "the store did not load the first 384 bytes of the file: got " +
                                                bytesText(*loaded));
    FUZZ_REQUIRE(applied, "no profileApplied for a profile of " + std::to_string(size) + " bytes");
    panels->loadReference(head);
    const EffectSettingsTypeDef expected = panels->referenceGathered();
    FUZZ_REQUIRE(sameRecord(after, expected), "applying the profile gathers " + bytesText(after) +
                                                  " but loading its first 384 bytes gathers " + bytesText(expected));
}

void checkContent(const uint8_t *data, std::size_t size)
{
    const QByteArray path = pathIn(store->directoryPath(), QFile::encodeName(CONTENT_PROFILE));
    FUZZ_REQUIRE(writeRaw(path, data, size, O_TRUNC) == 0, "cannot write the profile file " + path.toStdString());
    checkContentProfile(data, size);
    // The name checks start from an empty profiles directory.
    ::unlink(path.constData());
}

void checkRefusedName(const QString &name)
{
    const QStringList before = diskSnapshot();
    FUZZ_REQUIRE(!store->load(name), "a refused name loaded a profile");
    FUZZ_REQUIRE(!store->save(name, markedRecord(0x11)), "a refused name was saved");
    FUZZ_REQUIRE(!store->remove(name), "a refused name was removed");
    FUZZ_REQUIRE(!panels->applyProfile(name), "profileApplied for a refused name");
    FUZZ_REQUIRE(diskSnapshot() == before, "a refused name changed the disk");
}

void checkAcceptedName(const QString &name)
{
    const std::string shown =
        name.toStdString() + " (UTF-16 " + hexBytes(name.utf16(), std::size_t(name.size()) * 2) + ")";
    FUZZ_REQUIRE(!name.isEmpty(), "the empty name was accepted");
    FUZZ_REQUIRE(name != QLatin1String(".") && name != QLatin1String(".."), "accepted " + shown);
    FUZZ_REQUIRE(!name.contains(u'/') && !name.contains(QChar(0)), "accepted a name with '/' or NUL: " + shown);

    const QString directory = store->directoryPath();
    const QString canonicalDirectory = QFileInfo(directory).canonicalFilePath();
    const QByteArray path = pathIn(directory, QFile::encodeName(name));
    const QStringList before = diskSnapshot();

    // A file of that name placed in the profiles directory by other means must be the one
    // the store reads and removes.
    const EffectSettingsTypeDef bait = markedRecord(0x5A);
    const int error = writeRaw(path, &bait, RECORD_SIZE, O_EXCL);
    FUZZ_REQUIRE(error == 0, "accepted a name the file system refuses (" + std::string(std::strerror(error)) +
                                 "): " + shown);
    const QFileInfo placed(QFile::decodeName(path));
    FUZZ_REQUIRE(placed.isFile() && QFileInfo(placed.canonicalFilePath()).canonicalPath() == canonicalDirectory,
                 "the name does not stay directly inside the profiles directory: " + shown);

    const std::optional<EffectSettingsTypeDef> loaded = store->load(name);
    FUZZ_REQUIRE(loaded && sameRecord(*loaded, bait),
                 "the store does not read the file of that name in the profiles directory: " + shown);
    FUZZ_REQUIRE(panels->applyProfile(name), "the panel did not apply the profile " + shown);
    panels->loadReference(bait);
    FUZZ_REQUIRE(sameRecord(panels->gathered(), panels->referenceGathered()),
                 "the panel applied another profile than " + shown);

    FUZZ_REQUIRE(store->remove(name) && !QFileInfo::exists(QFile::decodeName(path)),
                 "the store did not remove the file of that name: " + shown);
    FUZZ_REQUIRE(diskSnapshot() == before, "removing " + shown + " left the disk changed");

    // Saving writes that same file, or nothing at all.
    const EffectSettingsTypeDef record = markedRecord(0x11);
    if (store->save(name, record)) {
        const QByteArray written = readRaw(path);
        FUZZ_REQUIRE(written == QByteArray(reinterpret_cast<const char *>(&record), RECORD_SIZE),
                     "the store saved somewhere else than the file of that name: " + shown);
        QStringList added = diskSnapshot();
        for (const QString &entry : before)
            added.removeOne(entry);
        FUZZ_REQUIRE(added.size() == 1 && added.front().startsWith(QLatin1String("profiles/")),
                     "saving " + shown + " added [" + added.join(u'|').toStdString() + "], not one profile file");
        FUZZ_REQUIRE(store->remove(name), "the saved profile could not be removed: " + shown);
    }
    FUZZ_REQUIRE(diskSnapshot() == before, "saving " + shown + " left the disk changed");
}

void checkName(const QString &name)
{
    if (EffectProfileStore::nameProblem(name) == EffectProfileStore::NameProblem::None)
        checkAcceptedName(name);
    else
        checkRefusedName(name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzApplication::start(argc, argv);
    store = new EffectProfileStore; // in the private working directory, for the whole run
    if (!store->isUsable())
        qFatal("the profiles directory could not be made in %s", qPrintable(FuzzApplication::workingDirectory()));
    panels = new ProfilePanels;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    checkContent(data, size);
    checkName(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    // Copied first: the input need not be aligned for 16-bit units.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    checkName(QString::fromStdU16String(units));
    return 0;
}
