// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/fulleffectsettingswidget.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStorageInfo>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

enum class Trouble { FullDisk, ReadOnlyDirectory };

// Small enough to fill in a moment, large enough for a few profiles.
constexpr const char *VOLUME_OPTIONS = "size=64k,mode=0755";
const QString PROFILES_DIRECTORY = QStringLiteral("device_effects_profiles");
const QString SAVE_FAILED = QStringLiteral("The profile could not be saved.");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(Trouble)

// Saving an effect profile where the file system refuses: the save says it failed, an
// existing profile keeps its content byte for byte, and no temporary or truncated file is
// left behind. The profiles live on a 64 KiB tmpfs that the test fills up or remounts
// read-only (which needs root); without root, a read-only directory is made with chmod.
class TestProfileFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void failedSave_data();
    void failedSave();

private:
    bool makeTrouble(Trouble trouble, QString *why);
    bool liftTrouble(Trouble trouble);
    bool fillVolume();
    void saveAs(const QString &name, int motionRange);
    QByteArray panelRecord() const;
    QStringList profileFiles() const;
    static QString describe(const QString &name, const QByteArray &content);
    QLabel *messageLabel() const;

    std::unique_ptr<QTemporaryDir> base;
    QString volume;
    QString previousDirectory;
    QString mountProblem;
    bool mounted = false;
    std::unique_ptr<FullEffectSettingsWidget> panel;
};

void TestProfileFiles::init()
{
    previousDirectory = QDir::currentPath();
    base = std::make_unique<QTemporaryDir>();
    QVERIFY(base->isValid());
    volume = base->filePath(QStringLiteral("volume"));
    QVERIFY(QDir().mkdir(volume));
    mounted = ::mount("tmpfs", QFile::encodeName(volume).constData(), "tmpfs", 0, VOLUME_OPTIONS) == 0;
    mountProblem = mounted ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    QVERIFY(QDir::setCurrent(volume));
    // The panel makes its profiles directory in the working directory, here on the volume.
    panel = std::make_unique<FullEffectSettingsWidget>();
    panel->show();
    QVERIFY(QDir(volume).exists(PROFILES_DIRECTORY));
}

void TestProfileFiles::cleanup()
{
    panel.reset();
    QDir::setCurrent(previousDirectory);
    if (mounted)
        ::umount2(QFile::encodeName(volume).constData(), MNT_DETACH);
    else
        ::chmod(QFile::encodeName(volume + QLatin1Char('/') + PROFILES_DIRECTORY).constData(), 0755);
    mounted = false;
    base.reset();
}

QLabel *TestProfileFiles::messageLabel() const
{
    return panel->findChild<QLabel *>(QStringLiteral("profile_message_label"));
}

QByteArray TestProfileFiles::panelRecord() const
{
    EffectSettingsTypeDef settings{};
    panel->gatherSettings(settings);
    return QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
}

void TestProfileFiles::saveAs(const QString &name, int motionRange)
{
    panel->findChild<QSpinBox *>(QStringLiteral("motion_range_axis0"))->setValue(motionRange);
    panel->findChild<QComboBox *>(QStringLiteral("profile_combo_box"))->setEditText(name);
    panel->findChild<QPushButton *>(QStringLiteral("profile_save_button"))->click();
}

// Every entry of the profiles directory, hidden ones too, as its name, size and a digest
// of its content, so that a failed comparison reads well.
QStringList TestProfileFiles::profileFiles() const
{
    QStringList files;
    const QDir directory(volume + QLatin1Char('/') + PROFILES_DIRECTORY);
    const auto entries = directory.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                 QDir::Name);
    for (const QFileInfo &entry : entries)
        files << describe(entry.fileName(), contentOf(entry.filePath()));
    return files;
}

QString TestProfileFiles::describe(const QString &name, const QByteArray &content)
{
    return QStringLiteral("%1: %2 bytes, sha1 %3")
        .arg(name)
        .arg(content.size())
        .arg(QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex()));
}

bool TestProfileFiles::fillVolume()
{
    QFile filler(volume + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block, byte by byte.
    while (filler.write("x", 1) == 1) {
    }
    filler.close();
    QStorageInfo storage(volume);
    storage.refresh();
    return storage.bytesAvailable() == 0;
}

bool TestProfileFiles::makeTrouble(Trouble trouble, QString *why)
{
    const QByteArray volumePath = QFile::encodeName(volume);
    switch (trouble) {
    case Trouble::FullDisk:
        if (!mounted) {
            *why = QStringLiteral("a small tmpfs cannot be mounted here (%1); mounting needs root").arg(mountProblem);
            return false;
        }
        if (!fillVolume()) {
            *why = QStringLiteral("the volume could not be filled");
            return false;
        }
        return true;
    case Trouble::ReadOnlyDirectory:
        if (mounted) {
            if (::mount("tmpfs", volumePath.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, VOLUME_OPTIONS) == 0)
                return true;
            *why = QStringLiteral("the tmpfs cannot be remounted read-only: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        // Root writes into a directory whatever its mode says.
        if (::geteuid() == 0) {
            *why = QStringLiteral("running as root without the right to mount (%1): no directory is read-only to root").arg(mountProblem);
            return false;
        }
        return ::chmod(QFile::encodeName(volume + QLatin1Char('/') + PROFILES_DIRECTORY).constData(), 0555) == 0;
    }
    return false;
}

bool TestProfileFiles::liftTrouble(Trouble trouble)
{
    switch (trouble) {
    case Trouble::FullDisk:
        return QFile::remove(volume + QStringLiteral("/filler"));
    case Trouble::ReadOnlyDirectory:
        if (mounted)
            return ::mount("tmpfs", QFile::encodeName(volume).constData(), "tmpfs", MS_REMOUNT, VOLUME_OPTIONS) == 0;
        return ::chmod(QFile::encodeName(volume + QLatin1Char('/') + PROFILES_DIRECTORY).constData(), 0755) == 0;
    }
    return false;
}

void TestProfileFiles::failedSave_data()
{
    QTest::addColumn<Trouble>("trouble");
    QTest::addColumn<bool>("overExisting");
    QTest::newRow("full disk, existing profile") << Trouble::FullDisk << true;
    QTest::newRow("full disk, new profile") << Trouble::FullDisk << false;
    QTest::newRow("read-only directory, existing profile") << Trouble::ReadOnlyDirectory << true;
    QTest::newRow("read-only directory, new profile") << Trouble::ReadOnlyDirectory << false;
}

void TestProfileFiles::failedSave()
{
    QFETCH(Trouble, trouble);
    QFETCH(bool, overExisting);
    const QString name = QStringLiteral("Race day");

    if (overExisting) {
        saveAs(name, 120);
        QCOMPARE(messageLabel()->text(), QStringLiteral("The profile \"Race day\" was saved."));
        QCOMPARE(profileFiles(), QStringList{describe(name, panelRecord())});
    }
    const QStringList before = profileFiles();

    QString why;
    if (!makeTrouble(trouble, &why))
        QSKIP(qPrintable(why));
    QSignalSpy problems(panel.get(), &FullEffectSettingsWidget::profileProblem);
    saveAs(name, 240);

    // The directory exactly as it was: the old profile byte for byte, no new, truncated or
    // temporary file. And a clear outcome.
    QCOMPARE(profileFiles(), before);
    QVERIFY(messageLabel()->isVisible());
    QCOMPARE(messageLabel()->text(), SAVE_FAILED);
    QCOMPARE(problems.count(), 1);
    QCOMPARE(problems.at(0).at(0).toString(), SAVE_FAILED);

    // Once the file system takes it again, the same save goes through and says so.
    QVERIFY(liftTrouble(trouble));
    saveAs(name, 240);
    QCOMPARE(messageLabel()->text(), overExisting ? QStringLiteral("The profile \"Race day\" was replaced with the page's values.")
                                                  : QStringLiteral("The profile \"Race day\" was saved."));
    QCOMPARE(profileFiles(), QStringList{describe(name, panelRecord())});
}

QTEST_MAIN(TestProfileFiles)
#include "tst_profilefiles.moc"
