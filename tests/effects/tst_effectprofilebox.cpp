// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/fulleffectsettingswidget.h"
#include "effecttesthelpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <functional>
#include <optional>

using namespace EffectTest;

// The profile box of the effects panel, run in a scratch working directory.
class EffectProfileBoxTest : public QObject
{
    Q_OBJECT

private:
    std::optional<ScratchWorkingDirectory> m_workingDirectory;
    // Answers for the dialogs the profile box opens, in order; an unexpected dialog is
    // cancelled and named here. An answer that returns false is tried again a moment later.
    using Answer = std::function<bool(QWidget *)>;
    QList<Answer> m_answers;
    QStringList m_unexpectedDialogs;
    QTimer m_dialogWatch;

    void answerDialogs(const QList<Answer> &answers)
    {
        m_answers = answers;
        m_unexpectedDialogs.clear();
        m_dialogWatch.setInterval(10);
        QObject::disconnect(&m_dialogWatch, nullptr, this, nullptr);
        m_dialogWatch.callOnTimeout(this, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            if (m_answers.isEmpty()) {
                m_unexpectedDialogs << dialog->windowTitle();
                dialog->reject();
                return;
            }
            if (m_answers.first()(dialog))
                m_answers.removeFirst();
        });
        m_dialogWatch.start();
    }

    static Answer typeText(const QString &text)
    {
        return [text](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            if (!input)
                qFatal("%s where a name was asked for", dialog->metaObject()->className());
            input->setTextValue(text);
            input->accept();
            return true;
        };
    }

    static Answer chooseFile(const QString &path)
    {
        return [path](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            if (!files)
                qFatal("%s where a file was asked for", dialog->metaObject()->className());
            // The dialog writes the chosen name into its name field only while that field
            // has no focus; an open dialog takes the file once its folder has been listed.
            if (QWidget *focused = files->focusWidget())
                focused->clearFocus();
            files->selectFile(path);
            if (files->selectedFiles() != QStringList{path})
                return false;
            static_cast<QDialog *>(files)->accept(); // QFileDialog checks the choice there
            return true;
        };
    }

    static Answer pressButton(QMessageBox::ButtonRole role)
    {
        return [role](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (!box)
                qFatal("%s where a question was asked", dialog->metaObject()->className());
            for (QAbstractButton *button : box->buttons()) {
                if (box->buttonRole(button) == role) {
                    button->click();
                    return true;
                }
            }
            qFatal("no button of role %d", int(role));
        };
    }

    static void runFileAction(FullEffectSettingsWidget &panel, const char *action)
    {
        control<QAction>(panel, QString::fromLatin1(action))->trigger();
    }

    static QString profilePath(const QString &name)
    {
        return QStringLiteral("device_effects_profiles/") + name;
    }

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
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

    // Every path below the working directory with its content, to prove nothing changed.
    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(m_workingDirectory->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, readFile(path));
        }
        return files;
    }

    static QComboBox *combo(const FullEffectSettingsWidget &panel)
    {
        return control<QComboBox>(panel, "profile_combo_box");
    }

    static QStringList items(const FullEffectSettingsWidget &panel)
    {
        QStringList texts;
        for (int i = 0; i < combo(panel)->count(); ++i)
            texts << combo(panel)->itemText(i);
        return texts;
    }

    static void typeName(FullEffectSettingsWidget &panel, const QString &name)
    {
        // Keys go to the combo box, which hands them to its line edit, as with real focus.
        combo(panel)->lineEdit()->clear();
        QTest::keyClicks(combo(panel), name);
        QCOMPARE(combo(panel)->currentText(), name);
    }

    // Picks an item from the drop-down list with the keyboard, as a user would.
    static void choose(FullEffectSettingsWidget &panel, int index)
    {
        combo(panel)->showPopup();
        QAbstractItemView *list = combo(panel)->view();
        list->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(list, Qt::Key_Return);
    }

    static void saveAs(FullEffectSettingsWidget &panel, const QString &name)
    {
        typeName(panel, name);
        QTest::mouseClick(control<QPushButton>(panel, "profile_save_button"), Qt::LeftButton);
    }

    static void deleteNamed(FullEffectSettingsWidget &panel, const QString &name)
    {
        typeName(panel, name);
        QTest::mouseClick(control<QPushButton>(panel, "profile_delete_button"), Qt::LeftButton);
    }

    static QByteArray recordWith(int motionRange, int staticDampening)
    {
        EffectSettingsTypeDef settings{};
        settings.invert_constant_force = 1;
        settings.axis[0].soft_stop_range = 5;
        settings.axis[1].soft_stop_range = 6;
        settings.axis[0].motion_range = uint16_t(motionRange);
        settings.axis[1].static_dampening = uint16_t(staticDampening);
        return bytesOf(settings);
    }

    static QString message(const FullEffectSettingsWidget &panel)
    {
        const QLabel *label = control<QLabel>(panel, "profile_message_label");
        return label->isHidden() ? QString() : label->text();
    }

private slots:
    void init() { m_workingDirectory.emplace(); }
    void cleanup()
    {
        m_dialogWatch.stop();
        m_workingDirectory.reset();
    }

    void listIsFilledWhenFirstShown()
    {
        QVERIFY(QDir().mkpath("device_effects_profiles/Folder"));
        for (const char *name : {"beta", "Alpha", "Gamma", ".hidden", "alpha2", "delta"})
            writeFile(profilePath(name), QByteArray(384, '\0'));

        FullEffectSettingsWidget panel;
        QCOMPARE(combo(panel)->count(), 0);
        panel.show();
        QCOMPARE(items(panel), (QStringList{"Alpha", "alpha2", "beta", "delta", "Gamma"}));
        QCOMPARE(combo(panel)->currentIndex(), -1);
        QCOMPARE(combo(panel)->currentText(), QString());

        // Showing again does not reset a selection the user made.
        combo(panel)->setCurrentIndex(2);
        panel.hide();
        panel.show();
        QCOMPARE(combo(panel)->currentIndex(), 2);
    }

    void saveWritesPanelAndSelectsName()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        panel.loadSettings(recordFrom(recordWith(720, 300)));
        saveAs(panel, "Race");

        QCOMPARE(readFile(profilePath("Race")), recordWith(720, 300));
        QCOMPARE(items(panel), QStringList{"Race"});
        QCOMPARE(combo(panel)->currentText(), QString("Race"));
        QCOMPARE(message(panel), QString("The profile \"Race\" was saved."));
    }

    void saveOverwritesExistingProfile()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        panel.loadSettings(recordFrom(recordWith(720, 300)));
        saveAs(panel, "b");
        saveAs(panel, "a");
        panel.loadSettings(recordFrom(recordWith(900, 12)));
        saveAs(panel, "b");

        QCOMPARE(readFile(profilePath("b")), recordWith(900, 12));
        QCOMPARE(readFile(profilePath("a")), recordWith(720, 300));
        QCOMPARE(items(panel), (QStringList{"a", "b"}));
        QCOMPARE(combo(panel)->currentIndex(), 1);
        QCOMPARE(message(panel), QString("The profile \"b\" was replaced with the page's values."));
    }

    void identicalPanelsGiveIdenticalFiles()
    {
        QByteArray noisy = recordWith(100, 100);
        noisy.replace(4, 124, QByteArray(124, char(0xEE)));
        noisy[141] = char(0xEE);
        noisy.replace(300, 50, QByteArray(50, char(0xEE)));

        FullEffectSettingsWidget panel;
        panel.show();
        panel.loadSettings(recordFrom(noisy));
        saveAs(panel, "first");
        saveAs(panel, "second");
        QCOMPARE(readFile(profilePath("first")), readFile(profilePath("second")));
        QCOMPARE(readFile(profilePath("first")), recordWith(100, 100));
    }

    void deleteRemovesFileAndClearsSelection()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        saveAs(panel, "keep");
        saveAs(panel, "drop");
        deleteNamed(panel, "drop");

        QVERIFY(!QFile::exists(profilePath("drop")));
        QVERIFY(QFile::exists(profilePath("keep")));
        QCOMPARE(items(panel), QStringList{"keep"});
        QCOMPARE(combo(panel)->currentIndex(), -1);
        QCOMPARE(message(panel), QString("The profile \"drop\" was deleted."));

        // Emptied when the panel is to show another controller's values.
        typeName(panel, "keep");
        panel.forgetProfileName();
        QCOMPARE(combo(panel)->currentText(), QString());
        QCOMPARE(message(panel), QString());
    }

    void choosingProfileLoadsIt()
    {
        writeFile(profilePath("stored"), recordWith(640, 250));
        FullEffectSettingsWidget panel;
        panel.show();
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);

        choose(panel, 0);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(control<QSpinBox>(panel, "motion_range_axis0")->value(), 640);
        QCOMPARE(control<QSlider>(panel, "static_dampening_slider_axis1")->value(), 250);
        QCOMPARE(combo(panel)->currentIndex(), 0);
    }

    // Save and Delete act on the name exactly as typed; typing never picks or loads another
    // profile, not by completion, nor when Enter or a click on a button ends the editing.
    void typedNameIsTakenAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::newRow("save a prefix") << "Ga" << "profile_save_button";
        QTest::newRow("save another case") << "gamma" << "profile_save_button";
        QTest::newRow("delete a prefix") << "Vi" << "profile_delete_button";
        QTest::newRow("enter on a full name") << "Gamma" << "";
    }

    void typedNameIsTakenAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, button);
        writeFile(profilePath("Gamma"), recordWith(640, 250));
        writeFile(profilePath("Victim"), recordWith(90, 9));
        FullEffectSettingsWidget panel;
        panel.show();
        QApplication::setActiveWindow(&panel);
        panel.loadSettings(recordFrom(recordWith(720, 300)));
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);
        QSignalSpy problems(&panel, &FullEffectSettingsWidget::profileProblem);

        combo(panel)->setFocus();
        typeName(panel, typed);
        if (button.isEmpty())
            QTest::keyClick(combo(panel), Qt::Key_Return);
        else
            QTest::mouseClick(control<QPushButton>(panel, button), Qt::LeftButton);

        QCOMPARE(applied.count(), 0);
        EffectSettingsTypeDef gathered{};
        panel.gatherSettings(gathered);
        QCOMPARE(bytesOf(gathered), recordWith(720, 300));
        QCOMPARE(readFile(profilePath("Gamma")), recordWith(640, 250));
        QCOMPARE(readFile(profilePath("Victim")), recordWith(90, 9));
        if (button == "profile_save_button")
            QCOMPARE(readFile(profilePath(typed)), recordWith(720, 300));
        // Nothing of that name to delete: said, and the name is kept for correcting.
        QCOMPARE(problems.count(), button == "profile_delete_button" ? 1 : 0);
        QCOMPARE(combo(panel)->currentText(), typed);
    }

    void longFileLoadsFromFirst384Bytes()
    {
        writeFile(profilePath("long"), recordWith(512, 64) + QByteArray(16, char(0x7F)));
        FullEffectSettingsWidget panel;
        panel.show();
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);
        choose(panel, 0);
        QCOMPARE(applied.count(), 1);
        QCOMPARE(control<QSpinBox>(panel, "motion_range_axis0")->value(), 512);
        QCOMPARE(control<QSpinBox>(panel, "static_dampening_axis1")->value(), 64);
    }

    void unreadableProfilesLeavePanelUnchangedAndSaySo_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("short") << "short";
        QTest::newRow("empty") << "empty";
        QTest::newRow("directory") << "directory";
    }

    void unreadableProfilesLeavePanelUnchangedAndSaySo()
    {
        QFETCH(QString, kind);
        if (kind == "short")
            writeFile(profilePath("p"), recordWith(777, 777).left(383));
        else if (kind == "empty")
            writeFile(profilePath("p"), QByteArray());
        else
            QVERIFY(QDir().mkpath(profilePath("p")));

        FullEffectSettingsWidget panel;
        panel.show();
        panel.loadSettings(recordFrom(recordWith(100, 200)));
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);
        QSignalSpy problems(&panel, &FullEffectSettingsWidget::profileProblem);

        // A directory is not listed; only a name handed to the slot reaches it.
        if (kind == "directory")
            QMetaObject::invokeMethod(&panel, "applyProfile", Q_ARG(QString, "p"));
        else
            choose(panel, 0);
        QCOMPARE(applied.count(), 0);
        EffectSettingsTypeDef gathered{};
        panel.gatherSettings(gathered);
        QCOMPARE(bytesOf(gathered), recordWith(100, 200));
        QCOMPARE(problems.count(), 1);
        const QString said = problems.at(0).at(0).toString();
        QVERIFY2(said.contains("\"p\""), qPrintable(said));
        QCOMPARE(message(panel), said);
        QCOMPARE(combo(panel)->toolTip(), said);
    }

    void fileWithoutReadPermissionLeavesPanelUnchanged()
    {
        writeFile(profilePath("locked"), recordWith(555, 5));
        QVERIFY(QFile::setPermissions(profilePath("locked"), QFile::Permissions()));
        QFile probe(profilePath("locked"));
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("permission bits are not enforced for this user");

        FullEffectSettingsWidget panel;
        panel.show();
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);
        choose(panel, 0);
        QCOMPARE(applied.count(), 0);
        QCOMPARE(control<QSpinBox>(panel, "motion_range_axis0")->value(), 0);
    }

    void refusedNamesTouchNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../x";
        QTest::newRow("nested") << "a/b";
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << ".";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("too long to save") << QString(EffectProfileStore::MAX_SAVED_NAME_BYTES + 1, u'x');
    }

    void refusedNamesTouchNoFile()
    {
        QFETCH(QString, name);
        QVERIFY(QDir().mkpath("device_effects_profiles/a"));
        writeFile("x", recordWith(1, 1));
        writeFile(profilePath("a/b"), recordWith(2, 2));

        FullEffectSettingsWidget panel;
        panel.show();
        panel.loadSettings(recordFrom(recordWith(100, 200)));
        QSignalSpy applied(&panel, &FullEffectSettingsWidget::profileApplied);
        const QMap<QString, QByteArray> before = snapshot();

        typeName(panel, name);
        QTest::mouseClick(control<QPushButton>(panel, "profile_save_button"), Qt::LeftButton);
        QVERIFY(!message(panel).isEmpty());
        QCOMPARE(combo(panel)->currentText(), name); // kept for correcting
        QTest::mouseClick(control<QPushButton>(panel, "profile_delete_button"), Qt::LeftButton);
        QVERIFY(!message(panel).isEmpty());
        QMetaObject::invokeMethod(&panel, "applyProfile", Q_ARG(QString, name));

        QCOMPARE(snapshot(), before);
        QCOMPARE(applied.count(), 0);
        EffectSettingsTypeDef gathered{};
        panel.gatherSettings(gathered);
        QCOMPARE(bytesOf(gathered), recordWith(100, 200));
    }

    void messageGoesWhenNameIsEdited()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        saveAs(panel, "a/b");
        QVERIFY(!message(panel).isEmpty());
        QTest::keyClick(combo(panel), Qt::Key_Backspace);
        QCOMPARE(message(panel), QString());
    }

    // Rename, export and import through the box's menu and Qt's dialogs: bytes kept as they
    // are, the panel's values untouched, and a replace only when the user says so.
    void renameExportAndImport()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        writeFile(profilePath("Alpha"), recordWith(720, 300) + "tail");
        writeFile(profilePath("Taken"), recordWith(1, 2));
        panel.loadSettings(recordFrom(recordWith(100, 200)));
        QMetaObject::invokeMethod(&panel, "readProfiles");

        typeName(panel, "Alpha");
        answerDialogs({typeText("Taken")});
        runFileAction(panel, "profile_rename_action");
        QVERIFY(message(panel).contains("Taken"));
        QCOMPARE(readFile(profilePath("Alpha")), recordWith(720, 300) + "tail");

        typeName(panel, "Alpha");
        answerDialogs({typeText("Beta")});
        runFileAction(panel, "profile_rename_action");
        QCOMPARE(items(panel), (QStringList{"Beta", "Taken"}));
        QCOMPARE(combo(panel)->currentText(), QString("Beta"));
        QCOMPARE(readFile(profilePath("Beta")), recordWith(720, 300) + "tail");

        const QString exported = m_workingDirectory->path() + "/shared/Beta for Anna.profile";
        QVERIFY(QDir().mkpath(QFileInfo(exported).path()));
        answerDialogs({chooseFile(exported)});
        runFileAction(panel, "profile_export_action");
        QCOMPARE(readFile(exported), recordWith(720, 300) + "tail");

        // Imported under the file's base name, then again over it: refused, then replaced.
        answerDialogs({chooseFile(exported), typeText("Beta for Anna")});
        runFileAction(panel, "profile_import_action");
        QCOMPARE(readFile(profilePath("Beta for Anna")), recordWith(720, 300) + "tail");
        writeFile(exported, recordWith(5, 6));
        QString suggested;
        answerDialogs({chooseFile(exported),
                       [&suggested](QWidget *dialog) {
                           if (auto *input = qobject_cast<QInputDialog *>(dialog))
                               suggested = input->textValue();
                           return typeText(suggested)(dialog);
                       },
                       pressButton(QMessageBox::RejectRole)});
        runFileAction(panel, "profile_import_action");
        QCOMPARE(suggested, QString("Beta for Anna"));
        QCOMPARE(readFile(profilePath("Beta for Anna")), recordWith(720, 300) + "tail");
        answerDialogs({chooseFile(exported), typeText("Beta for Anna"), pressButton(QMessageBox::DestructiveRole)});
        runFileAction(panel, "profile_import_action");
        QCOMPARE(readFile(profilePath("Beta for Anna")), recordWith(5, 6));
        QVERIFY(items(panel).contains("Beta for Anna"));

        QCOMPARE(m_unexpectedDialogs, QStringList());
        QVERIFY(m_answers.isEmpty());
        EffectSettingsTypeDef gathered{};
        panel.gatherSettings(gathered);
        QCOMPARE(bytesOf(gathered), recordWith(100, 200));
    }

    // A file that is no profile is refused with the reason before any name is asked for.
    void importRefusesWhatIsNoProfile()
    {
        FullEffectSettingsWidget panel;
        panel.show();
        const QString shortFile = m_workingDirectory->path() + "/short";
        writeFile(shortFile, QByteArray(383, 'x'));
        const QMap<QString, QByteArray> before = snapshot();
        QSignalSpy problems(&panel, &FullEffectSettingsWidget::profileProblem);
        answerDialogs({chooseFile(shortFile)});
        runFileAction(panel, "profile_import_action");
        QCOMPARE(problems.count(), 1);
        QVERIFY2(message(panel).contains("384"), qPrintable(message(panel)));
        QCOMPARE(m_unexpectedDialogs, QStringList());
        QCOMPARE(snapshot(), before);

        // Nor is a profile that is not there exported anywhere.
        typeName(panel, "Nobody");
        runFileAction(panel, "profile_export_action");
        QVERIFY(message(panel).contains("Nobody"));
        QCOMPARE(m_unexpectedDialogs, QStringList());
    }

    void profileBoxDisabledWithoutDirectory()
    {
        writeFile("device_effects_profiles", "a file where the directory should be");
        writeFile("config.ini", "[UI]\n");
        FullEffectSettingsWidget panel;
        panel.show();
        QVERIFY(!control<QGroupBox>(panel, "profiles_group_box")->isEnabled());
        QCOMPARE(combo(panel)->count(), 0);

        const QMap<QString, QByteArray> before = snapshot();
        QMetaObject::invokeMethod(&panel, "readProfiles");
        QCOMPARE(combo(panel)->count(), 0);
        combo(panel)->setEditText("config.ini");
        QMetaObject::invokeMethod(&panel, "on_profile_delete_button_clicked");
        QCOMPARE(snapshot(), before);
    }
};

QTEST_MAIN(EffectProfileBoxTest)
#include "tst_effectprofilebox.moc"
