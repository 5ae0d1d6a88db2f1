// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class MainWindow;
class QSpinBox;

// The settings buttons of the main window, pressed the way a user does, and one edited
// value per record (motion range of axis 0 on "Effects", lower dead zone of Rx on
// "Analog axes"), so that a test can tell the records it sends apart.
class WindowDriver
{
public:
    enum class Action { ReadEffects, ApplyEffects, SaveEffects, ReadHardware, ApplyHardware, SaveHardware };
    static constexpr int HARDWARE_PAGES = 4;

    explicit WindowDriver(MainWindow &window);

    static bool isEffects(Action action);
    static bool isRead(Action action);
    static bool isSave(Action action);
    // Block-write command of the action's record: 18 effects, 17 hardware.
    static int blockCommand(Action action);
    static QString name(Action action);

    // `page` chooses which of the four hardware pages' buttons is used (1 to 4).
    void press(Action action, int page = 1) const;

    int editedValue(bool effects) const;
    void setEditedValue(bool effects, int value) const;
    int editedValueMaximum(bool effects) const;
    // The edited value as a record holds it.
    static int editedValueIn(bool effects, const QByteArray &record);

    // The record that apply or save would send right now.
    QByteArray effectRecord() const;
    QByteArray hardwareRecord() const;
    QByteArray record(bool effects) const { return effects ? effectRecord() : hardwareRecord(); }

private:
    QSpinBox *editedSpinBox(bool effects) const;

    MainWindow &m_window;
};
