// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/inputsnapshot.h"

#include <QObject>

#include <optional>

class AnalogAxesPage;
class ButtonsPage;
class ForceTestGroup;
class FullEffectSettingsWidget;
class LiveInputReader;

// The window's live view: reads the selected controller's axes and buttons and shows them on
// the Buttons, Analog axes and Effects pages, with why it cannot where it cannot, and offers
// the force test where the controller has force feedback. It shows
// only; the pages' settings stay as they are. Readings go to the page that is shown; a page
// shown later gets the last one then, so hidden pages cost nothing while a stick moves; and
// while none of the three pages is shown, nothing is read at all.
class LiveInputs : public QObject
{
    Q_OBJECT

public:
    LiveInputs(ButtonsPage *buttons, AnalogAxesPage *analogAxes, FullEffectSettingsWidget *effects,
               ForceTestGroup *forceTest, QObject *parent = nullptr);
    ~LiveInputs() override;

    // Reads the controller with this product id, ending any earlier reading.
    void start(int productId);
    // Ends reading and empties the view and its messages.
    void stop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSnapshot(const InputSnapshot &snapshot);
    void showOnVisiblePages();
    void followVisibility();
    void clear();

    LiveInputReader *m_reader;
    ButtonsPage *m_buttons;
    AnalogAxesPage *m_analogAxes;
    FullEffectSettingsWidget *m_effects;
    ForceTestGroup *m_forceTest;
    // The last reading, for a page shown after it came.
    std::optional<InputSnapshot> m_snapshot;
    bool m_visibilityCheckQueued = false;
};
