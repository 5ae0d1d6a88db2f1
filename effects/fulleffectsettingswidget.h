// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectprofilestore.h"
#include "effects/effectsettings.h"
#include "effects/profilefiledialogs.h"

#include <QString>
#include <QWidget>

#include <memory>

namespace Ui {
class FullEffectSettingsWidget;
}

class AxisBar;
class QShowEvent;
struct InputSnapshot;
struct LiveInputProblem;

// The "Effects" page: shows one effect settings record as slider and spin box pairs,
// fills a record back from them, adapts its rows to the device type and carries the
// profile box. It never talks to the controller itself.
class FullEffectSettingsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit FullEffectSettingsWidget(QWidget *parent = nullptr);
    ~FullEffectSettingsWidget() override;

    void loadSettings(const EffectSettingsTypeDef &settings);
    // Writes the edited fields only; the caller zero-fills the record beforehand.
    void gatherSettings(EffectSettingsTypeDef &settings) const;
    void setDeviceType(int deviceType);
    // Empties the profile box: its name was about other values than the panel now shows.
    void forgetProfileName();
    // The force axes' live positions (axis 0, axis 1), one on each axis page.
    QList<AxisBar *> forceAxisBars() const;

public slots:
    // The live view: the force axes' positions, and why they cannot be read.
    void showLiveInputs(const InputSnapshot &snapshot);
    void clearLiveInputs();
    void showLiveInputProblem(const LiveInputProblem &problem);

signals:
    // Another axis page is on display (a force test runs for the one that was).
    void axisPageChanged();
    void profileApplied();
    // A profile could not be saved, deleted or loaded, or its name was refused; `message`
    // says so in a sentence for the user. The panel shows it too, under the profile box.
    void profileProblem(const QString &message);
    // A profile was saved, replaced, deleted, loaded, renamed, exported or imported;
    // `message` says which.
    void profileFileDone(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void showRowsForDeviceType();
    void on_profile_combo_box_activated(int index);
    void on_profile_save_button_clicked();
    void on_profile_delete_button_clicked();
    void applyProfile(QString name);
    void readProfiles();
    void renameProfile();
    void exportProfile();
    void importProfile();
    void on_motion_range_axis0_valueChanged(int value);
    void on_motion_range_axis1_valueChanged(int value);
    void on_motion_range_slider_axis0_valueChanged(int value);
    void on_motion_range_slider_axis1_valueChanged(int value);
    void on_static_dampening_axis0_valueChanged(int value);
    void on_dynamic_dampening_axis0_valueChanged(int value);
    void on_soft_stop_dampening_axis0_valueChanged(int value);
    void on_static_dampening_slider_axis0_valueChanged(int value);
    void on_dynamic_dampening_slider_axis0_valueChanged(int value);
    void on_soft_stop_dampening_slider_axis0_valueChanged(int value);
    void on_static_dampening_axis1_valueChanged(int value);
    void on_dynamic_dampening_axis1_valueChanged(int value);
    void on_soft_stop_dampening_axis1_valueChanged(int value);
    void on_static_dampening_slider_axis1_valueChanged(int value);
    void on_dynamic_dampening_slider_axis1_valueChanged(int value);
    void on_soft_stop_dampening_slider_axis1_valueChanged(int value);

private:
    bool refuseProfileName(EffectProfileStore::NameProblem problem);
    static QString fileProblemText(EffectProfileStore::FileProblem problem, const QString &name);
    static QString importProblemText(EffectProfileStore::FileProblem problem, const QString &path);
    void selectProfile(const QString &name);
    void tellProfileFileDone(const QString &message);
    void showProfileMessage(const QString &message);
    void clearProfileMessage();
    void prepareProfileBox();

    std::unique_ptr<Ui::FullEffectSettingsWidget> m_ui;
    EffectProfileStore m_profiles;
    ProfileFileDialogs m_dialogs;
    int m_deviceType = -1; // unset until the first setDeviceType
    bool m_profilesListed = false;
};
