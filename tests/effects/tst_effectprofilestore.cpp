// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectprofilestore.h"
#include "effecttesthelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <tuple>

#include <unistd.h>

using namespace EffectTest;

// Profile files on disk, without any widget: names, paths and what reaches the file.
class EffectProfileStoreTest : public QObject
{
    Q_OBJECT

private:
    std::optional<ScratchWorkingDirectory> m_workingDirectory;

    QString profilePath(const QString &name) const
    {
        return m_workingDirectory->filePath(QStringLiteral("device_effects_profiles/") + name);
    }

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    static EffectSettingsTypeDef sampleRecord(uint8_t marker)
    {
        EffectSettingsTypeDef settings{};
        settings.invert_constant_force = -1;
        settings.direct_x_spring_strength = marker;
        settings.axis[0].static_dampening = 0x0102;
        settings.axis[1].max_force = 12.0f;
        return settings;
    }

    // Root ignores permission bits, so a test relying on them cannot run as root.
    static bool permissionsAreEnforced(const QString &readOnlyDirectory)
    {
        QFile probe(readOnlyDirectory + QStringLiteral("/probe"));
        const bool created = probe.open(QIODevice::WriteOnly);
        if (created)
            probe.remove();
        return !created;
    }

private slots:
    void init() { m_workingDirectory.emplace(); }
    void cleanup() { m_workingDirectory.reset(); }

    void createsDirectoryInWorkingDirectory()
    {
        EffectProfileStore store;
        QVERIFY(store.isUsable());
        QVERIFY(QFileInfo(m_workingDirectory->filePath("device_effects_profiles")).isDir());
        QCOMPARE(QDir(store.directoryPath()), QDir(m_workingDirectory->filePath("device_effects_profiles")));
    }

    void existingDirectoryIsReused()
    {
        QVERIFY(QDir().mkdir("device_effects_profiles"));
        writeFile(profilePath("kept"), QByteArray(384, '\1'));
        EffectProfileStore store;
        QVERIFY(store.isUsable());
        QCOMPARE(store.profileNames(), QStringList{"kept"});
    }

    void directoryStaysWhereItWasMade()
    {
        EffectProfileStore store;
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        QVERIFY(store.save("moved", sampleRecord(1)));
        QVERIFY(QFile::exists(profilePath("moved")));
        QVERIFY(!QFile::exists(elsewhere.filePath("device_effects_profiles/moved")));
    }

    void unusableWhenDirectoryCannotBeMade()
    {
        writeFile("device_effects_profiles", "not a directory");
        writeFile("bystander", QByteArray(384, '\0'));
        EffectProfileStore store;
        QVERIFY(!store.isUsable());
        QVERIFY(store.profileNames().isEmpty());
        QVERIFY(!store.remove("bystander"));
        QVERIFY(QFile::exists("bystander"));
        QVERIFY(!store.save("fresh", sampleRecord(1)));
        QVERIFY(!store.load("bystander"));
    }

    void nameProblems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<EffectProfileStore::NameProblem>("problem");
        QTest::addColumn<EffectProfileStore::NameProblem>("saveProblem");
        using P = EffectProfileStore::NameProblem;
        QTest::newRow("plain") << "Race car" << P::None << P::None;
        QTest::newRow("unicode") << QString::fromUtf8("Flug \u00fcber Land") << P::None << P::None;
        QTest::newRow("inner dot") << "v1.2" << P::None << P::None;
        QTest::newRow("backslash") << "a\\b" << P::None << P::None;
        QTest::newRow("tab") << "a\tb" << P::None << P::None;
        QTest::newRow("empty") << "" << P::Empty << P::Empty;
        QTest::newRow("dot") << "." << P::StartsWithDot << P::StartsWithDot;
        QTest::newRow("dot dot") << ".." << P::StartsWithDot << P::StartsWithDot;
        QTest::newRow("hidden") << ".secret" << P::StartsWithDot << P::StartsWithDot;
        QTest::newRow("parent") << "../x" << P::StartsWithDot << P::StartsWithDot;
        QTest::newRow("slash") << "a/b" << P::PathSeparator << P::PathSeparator;
        QTest::newRow("absolute") << "/etc/passwd" << P::PathSeparator << P::PathSeparator;
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << P::NulCharacter
                             << P::NulCharacter;
        QTest::newRow("lone surrogate") << QString(QStringLiteral("a") + QChar(0xD800)) << P::NotEncodable
                                        << P::NotEncodable;
        QTest::newRow("248 bytes") << QString(248, u'x') << P::None << P::None;
        QTest::newRow("249 bytes") << QString(249, u'x') << P::None << P::TooLong;
        QTest::newRow("255 bytes") << QString(255, u'x') << P::None << P::TooLong;
        QTest::newRow("256 bytes") << QString(256, u'x') << P::TooLong << P::TooLong;
    }

    void nameProblems()
    {
        QFETCH(QString, name);
        QFETCH(EffectProfileStore::NameProblem, problem);
        QFETCH(EffectProfileStore::NameProblem, saveProblem);
        QCOMPARE(EffectProfileStore::nameProblem(name), problem);
        QCOMPARE(EffectProfileStore::saveNameProblem(name), saveProblem);
    }

    // A name that saves once saves again: the atomic save's temporary file is longer.
    void longestSavableNameSavesAgain()
    {
        EffectProfileStore store;
        const QChar twoBytes(0x00FC);
        for (const QString &name : {QString(248, u'x'), QString(124, twoBytes)}) {
            QVERIFY(store.save(name, sampleRecord(1)));
            QVERIFY(store.save(name, sampleRecord(2)));
            QCOMPARE(readFile(profilePath(name)), bytesOf(sampleRecord(2)));
            QVERIFY(!store.save(name + u'x', sampleRecord(3)));
        }
    }

    // What the list shows loads and deletes under that name, even a name too long to save.
    void listedNamesLoadAndDelete()
    {
        EffectProfileStore store;
        const QStringList names{"back\\slash", "tab\there", QString(255, u'y')};
        for (const QString &name : names)
            writeFile(profilePath(name), bytesOf(sampleRecord(7)));
        QCOMPARE(store.profileNames(), names);
        for (const QString &name : names) {
            const std::optional<EffectSettingsTypeDef> loaded = store.load(name);
            QVERIFY2(loaded && bytesOf(*loaded) == bytesOf(sampleRecord(7)), qPrintable(name));
            QVERIFY(store.remove(name));
        }
        QVERIFY(store.profileNames().isEmpty());
    }

    void saveWritesTheRawRecord()
    {
        EffectProfileStore store;
        const EffectSettingsTypeDef settings = sampleRecord(7);
        QVERIFY(store.save("raw", settings));
        const QByteArray content = readFile(profilePath("raw"));
        QCOMPARE(content.size(), 384);
        QCOMPARE(content, bytesOf(settings));
        QCOMPARE(uint8_t(content[131]), uint8_t(0x02)); // little-endian at its odd offset
        QCOMPARE(uint8_t(content[132]), uint8_t(0x01));
        QCOMPARE(floatAt(content, 265), 12.0f);
    }

    void nameLikeAResourcePathStaysInTheDirectory()
    {
        // Qt reads a path starting with ':' as a resource; a profile of that name must
        // still be a plain file in the profiles directory.
        EffectProfileStore store;
        QVERIFY(store.save(":x profile", sampleRecord(3)));
        QVERIFY(!QFile::exists(QDir::current().filePath(":x profile")));
        QCOMPARE(readFile(profilePath(":x profile")), bytesOf(sampleRecord(3)));
        QVERIFY(store.profileNames().contains(":x profile"));
        QVERIFY(store.load(":x profile").has_value());
        QVERIFY(store.remove(":x profile"));
        QVERIFY(!QFile::exists(profilePath(":x profile")));
    }

    void saveReplacesRatherThanRewritesInPlace()
    {
        EffectProfileStore store;
        QVERIFY(store.save("shared", sampleRecord(1)));
        // A second name for the old file: an in-place rewrite would change it too, an
        // atomic replacement leaves it with the old content.
        const QByteArray oldPath = QFile::encodeName(profilePath("shared"));
        const QByteArray linkPath = QFile::encodeName(m_workingDirectory->filePath("old-copy"));
        QCOMPARE(::link(oldPath.constData(), linkPath.constData()), 0);

        QVERIFY(store.save("shared", sampleRecord(2)));
        QCOMPARE(readFile(profilePath("shared")), bytesOf(sampleRecord(2)));
        QCOMPARE(readFile(m_workingDirectory->filePath("old-copy")), bytesOf(sampleRecord(1)));
    }

    void failedSaveKeepsOldFile()
    {
        EffectProfileStore store;
        QVERIFY(store.save("kept", sampleRecord(1)));
        QFile::Permissions writable = QFileInfo(store.directoryPath()).permissions();
        QVERIFY(QFile::setPermissions(store.directoryPath(), QFile::ReadOwner | QFile::ExeOwner));
        const bool enforced = permissionsAreEnforced(store.directoryPath());
        if (enforced)
            QVERIFY(!store.save("kept", sampleRecord(2)));
        QFile::setPermissions(store.directoryPath(), writable);
        if (!enforced)
            QSKIP("permission bits are not enforced for this user");
        QCOMPARE(readFile(profilePath("kept")), bytesOf(sampleRecord(1)));
    }

    void savingOverADirectoryFails()
    {
        EffectProfileStore store;
        QVERIFY(QDir().mkpath("device_effects_profiles/folder"));
        QVERIFY(!store.save("folder", sampleRecord(1)));
        QVERIFY(QFileInfo(profilePath("folder")).isDir());
    }

    void loadAndRemoveSayWhyTheyFail()
    {
        using F = EffectProfileStore::FileProblem;
        EffectProfileStore store;
        writeFile(profilePath("short"), bytesOf(sampleRecord(1)).left(383));
        writeFile(profilePath("empty"), QByteArray());
        QVERIFY(QDir().mkpath("device_effects_profiles/folder"));
        const QList<std::pair<QString, F>> cases{
            {"short", F::TooShort}, {"empty", F::TooShort}, {"missing", F::Missing}, {"folder", F::NotAFile}};
        F problem = F::None;
        for (const auto &[name, expected] : cases) {
            QVERIFY(!store.load(name, &problem));
            QCOMPARE(problem, expected);
        }
        QVERIFY(!store.remove("missing", &problem));
        QCOMPARE(problem, F::Missing);
    }

    void renameMovesTheFileOnlyToAFreeSavableName()
    {
        using F = EffectProfileStore::FileProblem;
        EffectProfileStore store;
        QVERIFY(store.save("one", sampleRecord(1)));
        QVERIFY(store.save("two", sampleRecord(2)));
        F problem = F::None;
        QVERIFY(store.rename("one", "uno", &problem));
        QCOMPARE(problem, F::None);
        QCOMPARE(store.profileNames(), (QStringList{"two", "uno"}));
        QCOMPARE(readFile(profilePath("uno")), bytesOf(sampleRecord(1)));

        QVERIFY(QDir().mkpath("device_effects_profiles/folder"));
        const QList<std::pair<QString, F>> refusals{
            {"two", F::Exists}, {"folder", F::Exists}, {".two", F::NameRefused}, {QString(249, u'x'), F::NameRefused}};
        for (const auto &[newName, expected] : refusals) {
            QVERIFY(!store.rename("uno", newName, &problem));
            QCOMPARE(problem, expected);
        }
        QVERIFY(!store.rename("one", "eins", &problem));
        QCOMPARE(problem, F::Missing);
        QCOMPARE(store.profileNames(), (QStringList{"two", "uno"}));
        QCOMPARE(readFile(profilePath("two")), bytesOf(sampleRecord(2)));
    }

    // The whole file goes out and comes back, bytes after the record too.
    void exportAndImportCopyTheFileByteForByte()
    {
        using F = EffectProfileStore::FileProblem;
        using E = EffectProfileStore::Existing;
        EffectProfileStore store;
        const QByteArray longer = bytesOf(sampleRecord(5)) + "tail";
        writeFile(profilePath("longer"), longer);
        QVERIFY(store.save("kept", sampleRecord(1)));
        F problem = F::None;
        QVERIFY(store.exportTo("longer", "out.bin", &problem));
        QCOMPARE(readFile("out.bin"), longer);
        QVERIFY(!store.importFrom("out.bin", "kept", E::Refuse, &problem));
        QCOMPARE(problem, F::Exists);
        QCOMPARE(readFile(profilePath("kept")), bytesOf(sampleRecord(1)));
        QVERIFY(store.importFrom("out.bin", "kept", E::Replace, &problem));
        QCOMPARE(readFile(profilePath("kept")), longer);

        writeFile("short.bin", longer.left(383));
        QVERIFY(QDir().mkdir("folder.bin"));
        const QList<std::tuple<QString, QString, F>> refusals{{"short.bin", "short", F::TooShort},
                                                              {"folder.bin", "folder", F::NotAFile},
                                                              {"missing.bin", "missing", F::Missing},
                                                              {"out.bin", ".hidden", F::NameRefused}};
        for (const auto &[file, name, expected] : refusals) {
            QVERIFY(!store.importFrom(file, name, E::Replace, &problem));
            QCOMPARE(problem, expected);
        }
        QCOMPARE(store.profileNames(), (QStringList{"kept", "longer"}));

        QVERIFY(!store.exportTo("missing", "none.bin", &problem));
        QCOMPARE(problem, F::Missing);
        QVERIFY(!store.exportTo("kept", "no-such-directory/out.bin", &problem));
        QCOMPARE(problem, F::NotWritten);
        QVERIFY(!QFile::exists("none.bin"));
    }

    void removeDeletesOnlyThatFile()
    {
        EffectProfileStore store;
        QVERIFY(store.save("one", sampleRecord(1)));
        QVERIFY(store.save("two", sampleRecord(2)));
        QVERIFY(store.remove("one"));
        QCOMPARE(store.profileNames(), QStringList{"two"});
        QVERIFY(!store.remove("one"));
    }
};

QTEST_GUILESS_MAIN(EffectProfileStoreTest)
#include "tst_effectprofilestore.moc"
