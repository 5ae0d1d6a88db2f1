#pragma once

#include "effects/effectprofilestore.h"
#include "effects/effectsettings.h"

#include <QString>
#include <QWidget>

namespace Ui {
class FullEffectSettingsWidget;
}

class QShowEvent;

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

signals:
    void profileApplied();
    // A profile could not be saved, deleted or loaded, or its name was refused; `message`
    // says so in a sentence for the user. The panel shows it too, under the profile box.
    void profileProblem(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void disableUnsupportedElements();
    void on_profile_combo_box_activated(int index);
    void on_profile_save_button_clicked();
    void on_profile_delete_button_clicked();
    void applyProfile(QString name);
    void readProfiles();
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
    void showProfileMessage(const QString &message);
    void clearProfileMessage();
    void prepareProfileBox();

    Ui::FullEffectSettingsWidget *m_ui;
    EffectProfileStore m_profiles;
    int m_deviceType = -1; // unset until the first setDeviceType
    bool m_profilesListed = false;
};
