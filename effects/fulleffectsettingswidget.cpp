// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/fulleffectsettingswidget.h"

#include "device/deviceinfo.h"
#include "device/inputmapping.h"
#include "device/inputsnapshot.h"
#include "device/liveinputproblem.h"
#include "effects/axispages.h"
#include "inputs/axisbar.h"
#include "inputs/liveinputline.h"
#include "hardware/fieldencoding.h"
#include "ui_fulleffectsettingswidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MOTION_RANGE_SPIN_MAXIMUM = 9999;
constexpr int MOTION_RANGE_SLIDER_MAXIMUM = 1080;

// The spin boxes that edit one axis block of the record, in the order they are shown.
struct AxisSpinBoxes {
    QSpinBox *motionRange;
    QSpinBox *totalEffectScale;
    QSpinBox *softStopStrength;
    QSpinBox *softStopRange;
    QSpinBox *staticDampening;
    QSpinBox *dynamicDampening;
    QSpinBox *softStopDampening;
    QSpinBox *maxForce;
};

AxisSpinBoxes axisSpinBoxes(const Ui::FullEffectSettingsWidget &ui, int axis)
{
    if (axis == 0) {
        return {ui.motion_range_axis0, ui.total_effect_scale_axis0, ui.soft_stop_strength_axis0,
                ui.soft_stop_range_axis0, ui.static_dampening_axis0, ui.dynamic_dampening_axis0,
                ui.soft_stop_dampening_axis0, ui.max_force_axis0};
    }
    return {ui.motion_range_axis1, ui.total_effect_scale_axis1, ui.soft_stop_strength_axis1,
            ui.soft_stop_range_axis1, ui.static_dampening_axis1, ui.dynamic_dampening_axis1,
            ui.soft_stop_dampening_axis1, ui.max_force_axis1};
}

// Sliders that grow follow any larger value typed into their spin box. Values are set
// only when they differ, so a change settles after one round trip.
void growSliderTo(QSlider *slider, int value)
{
    if (slider->maximum() < value)
        slider->setMaximum(value);
    if (slider->value() != value)
        slider->setValue(value);
}

void followSlider(QSpinBox *spinBox, int value)
{
    if (spinBox->value() != value)
        spinBox->setValue(value);
}

void setRowVisible(QWidget *label, QWidget *slider, QWidget *spinBox, bool visible)
{
    label->setVisible(visible);
    slider->setVisible(visible);
    spinBox->setVisible(visible);
}

// The stored float may be anything the controller or a file holds; converting one
// outside int's range is undefined, so clamp first. The spin box clamps the rest.
int truncatedForce(float kilograms)
{
    if (std::isnan(kilograms))
        return 0;
    return static_cast<int>(std::clamp(kilograms, -1.0e6f, 1.0e6f));
}

} // namespace

FullEffectSettingsWidget::FullEffectSettingsWidget(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::FullEffectSettingsWidget>())
    , m_dialogs(this)
{
    m_ui->setupUi(this);
    prepareProfileBox();
    connect(m_ui->axis_tab, &QTabWidget::currentChanged, this, &FullEffectSettingsWidget::axisPageChanged);
}

FullEffectSettingsWidget::~FullEffectSettingsWidget() = default;

void FullEffectSettingsWidget::loadSettings(const EffectSettingsTypeDef &settings)
{
    using FieldEncoding::loadNumber;
    m_ui->invert_constant_force->setChecked(settings.invert_constant_force > 0);
    loadNumber(m_ui->direct_x_constant_strength, settings.direct_x_constant_strength);
    loadNumber(m_ui->direct_x_spring_strength, settings.direct_x_spring_strength);
    loadNumber(m_ui->direct_x_periodic_strength, settings.direct_x_periodic_strength);

    for (int axis = 0; axis < 2; ++axis) {
        const AxisSpinBoxes spinBoxes = axisSpinBoxes(*m_ui, axis);
        const EffectAxisSettingsTypeDef &source = settings.axis[axis];
        loadNumber(spinBoxes.motionRange, source.motion_range);
        loadNumber(spinBoxes.totalEffectScale, source.total_effect_scale);
        loadNumber(spinBoxes.softStopStrength, source.soft_stop_strength);
        loadNumber(spinBoxes.softStopRange, source.soft_stop_range);
        loadNumber(spinBoxes.staticDampening, source.static_dampening);
        loadNumber(spinBoxes.dynamicDampening, source.dynamic_dampening);
        loadNumber(spinBoxes.softStopDampening, source.soft_stop_dampening);
        loadNumber(spinBoxes.maxForce, truncatedForce(source.max_force));
    }
}

void FullEffectSettingsWidget::gatherSettings(EffectSettingsTypeDef &settings) const
{
    settings.invert_constant_force = m_ui->invert_constant_force->isChecked() ? 1 : -1;
    settings.direct_x_spring_strength = uint8_t(m_ui->direct_x_spring_strength->value());
    settings.direct_x_constant_strength = uint8_t(m_ui->direct_x_constant_strength->value());
    settings.direct_x_periodic_strength = uint8_t(m_ui->direct_x_periodic_strength->value());

    for (int axis = 0; axis < 2; ++axis) {
        const AxisSpinBoxes spinBoxes = axisSpinBoxes(*m_ui, axis);
        // Fields are assigned one by one: references into the packed record would be
        // misaligned.
        settings.axis[axis].total_effect_scale = uint8_t(spinBoxes.totalEffectScale->value());
        settings.axis[axis].soft_stop_strength = uint8_t(spinBoxes.softStopStrength->value());
        settings.axis[axis].soft_stop_range = uint8_t(spinBoxes.softStopRange->value());
        settings.axis[axis].static_dampening = uint16_t(spinBoxes.staticDampening->value());
        settings.axis[axis].dynamic_dampening = uint16_t(spinBoxes.dynamicDampening->value());
        settings.axis[axis].motion_range = uint16_t(spinBoxes.motionRange->value());
        settings.axis[axis].max_force = float(spinBoxes.maxForce->value());
        settings.axis[axis].soft_stop_dampening = uint16_t(spinBoxes.softStopDampening->value());
    }
}

QList<AxisBar *> FullEffectSettingsWidget::forceAxisBars() const
{
    return {m_ui->force_axis_bar_axis0, m_ui->force_axis_bar_axis1};
}

void FullEffectSettingsWidget::showLiveInputs(const InputSnapshot &snapshot)
{
    const QList<AxisBar *> bars = forceAxisBars();
    for (int axis = 0; axis < bars.size(); ++axis) {
        const InputAxisState *state = snapshot.axis(InputMapping::codeOf(InputMappingEntry::ForceAxis, axis));
        if (state)
            bars.at(axis)->setValue(state->value, state->minimum, state->maximum);
        else
            bars.at(axis)->clearValue();
    }
}

void FullEffectSettingsWidget::clearLiveInputs()
{
    for (AxisBar *bar : forceAxisBars())
        bar->clearValue();
}

void FullEffectSettingsWidget::showLiveInputProblem(const LiveInputProblem &problem)
{
    m_ui->effects_live_line->setMessage(problem.describe());
}

void FullEffectSettingsWidget::setDeviceType(int deviceType)
{
    m_deviceType = deviceType;
    showRowsForDeviceType();
    AxisPages::show(m_ui->axis_tab, m_ui->axis0Tab, m_ui->axis1Tab, deviceType);
}

void FullEffectSettingsWidget::showEvent(QShowEvent *event)
{
    if (!m_profilesListed)
        readProfiles();
    QWidget::showEvent(event);
}

void FullEffectSettingsWidget::showRowsForDeviceType()
{
    Ui::FullEffectSettingsWidget &ui = *m_ui;
    ui.direct_x_group_box->show();

    // A slider above the new maximum drops to it, and its spin box follows.
    ui.motion_range_axis0->setMaximum(MOTION_RANGE_SPIN_MAXIMUM);
    ui.motion_range_axis1->setMaximum(MOTION_RANGE_SPIN_MAXIMUM);
    ui.motion_range_slider_axis0->setMaximum(MOTION_RANGE_SLIDER_MAXIMUM);
    ui.motion_range_slider_axis1->setMaximum(MOTION_RANGE_SLIDER_MAXIMUM);

    setRowVisible(ui.static_dampening_label_axis0, ui.static_dampening_slider_axis0, ui.static_dampening_axis0, true);
    setRowVisible(ui.static_dampening_label_axis1, ui.static_dampening_slider_axis1, ui.static_dampening_axis1, true);
    setRowVisible(ui.soft_stop_strength_label_axis0, ui.soft_stop_strength_slider_axis0, ui.soft_stop_strength_axis0, true);
    setRowVisible(ui.soft_stop_strength_label_axis1, ui.soft_stop_strength_slider_axis1, ui.soft_stop_strength_axis1, true);
    setRowVisible(ui.soft_stop_range_label_axis0, ui.soft_stop_range_slider_axis0, ui.soft_stop_range_axis0, true);
    setRowVisible(ui.soft_stop_range_label_axis1, ui.soft_stop_range_slider_axis1, ui.soft_stop_range_axis1, true);
    setRowVisible(ui.dynamic_dampening_label_axis0, ui.dynamic_dampening_slider_axis0, ui.dynamic_dampening_axis0, true);
    setRowVisible(ui.dynamic_dampening_label_axis1, ui.dynamic_dampening_slider_axis1, ui.dynamic_dampening_axis1, true);
    ui.profiles_group_box->show();
    setRowVisible(ui.direct_x_spring_label, ui.direct_x_spring_slider, ui.direct_x_spring_strength, true);
    setRowVisible(ui.direct_x_constant_strength_label, ui.direct_x_constant_strength_slider, ui.direct_x_constant_strength, true);
    setRowVisible(ui.direct_x_periodic_strength_label, ui.direct_x_periodic_strength_slider, ui.direct_x_periodic_strength, true);

    // A wheel's force limit lives in its hardware settings.
    const bool showMaxForce = m_deviceType != Wheel;
    setRowVisible(ui.max_force_label_axis0, ui.max_force_slider_axis0, ui.max_force_axis0, showMaxForce);
    setRowVisible(ui.max_force_label_axis1, ui.max_force_slider_axis1, ui.max_force_axis1, showMaxForce);
}

void FullEffectSettingsWidget::on_profile_combo_box_activated(int index)
{
    // Only a pick from the list gets here: prepareProfileBox keeps typed text from
    // activating an item.
    applyProfile(m_ui->profile_combo_box->itemText(index));
}

void FullEffectSettingsWidget::on_profile_save_button_clicked()
{
    const QString name = m_ui->profile_combo_box->currentText();
    if (refuseProfileName(EffectProfileStore::saveNameProblem(name)))
        return;

    EffectSettingsTypeDef settings{};
    gatherSettings(settings);
    const bool replacing = m_profiles.profileNames().contains(name);
    const bool saved = m_profiles.save(name, settings);

    readProfiles();
    selectProfile(name);
    if (!saved)
        showProfileMessage(tr("The profile could not be saved."));
    else
        tellProfileFileDone(replacing ? tr("The profile \"%1\" was replaced with the page's values.").arg(name)
                                      : tr("The profile \"%1\" was saved.").arg(name));
}

void FullEffectSettingsWidget::on_profile_delete_button_clicked()
{
    const QString name = m_ui->profile_combo_box->currentText();
    if (refuseProfileName(EffectProfileStore::nameProblem(name)))
        return;
    EffectProfileStore::FileProblem problem = EffectProfileStore::FileProblem::None;
    const bool removed = m_profiles.remove(name, &problem);
    readProfiles();
    if (!removed) {
        // The name stays in the box for correcting.
        m_ui->profile_combo_box->setEditText(name);
        showProfileMessage(fileProblemText(problem, name));
        return;
    }
    tellProfileFileDone(tr("The profile \"%1\" was deleted.").arg(name));
}

void FullEffectSettingsWidget::applyProfile(QString name)
{
    if (refuseProfileName(EffectProfileStore::nameProblem(name)))
        return;
    // A profile that cannot be read leaves the panel as it is, and says so.
    EffectProfileStore::FileProblem problem = EffectProfileStore::FileProblem::None;
    const std::optional<EffectSettingsTypeDef> settings = m_profiles.load(name, &problem);
    if (!settings) {
        showProfileMessage(fileProblemText(problem, name));
        return;
    }
    clearProfileMessage();
    loadSettings(*settings);
    emit profileApplied();
    // Said where an earlier problem may still stand.
    emit profileFileDone(tr("The profile \"%1\" is on the page; apply or save it to send it.").arg(name));
}

void FullEffectSettingsWidget::readProfiles()
{
    m_profilesListed = true;
    QComboBox *combo = m_ui->profile_combo_box;
    combo->clear();
    combo->addItems(m_profiles.profileNames());
    combo->setCurrentIndex(-1);
    clearProfileMessage();
}

void FullEffectSettingsWidget::forgetProfileName()
{
    m_ui->profile_combo_box->setCurrentIndex(-1);
    m_ui->profile_combo_box->setEditText(QString());
    clearProfileMessage();
}

void FullEffectSettingsWidget::selectProfile(const QString &name)
{
    // Shows the name without activating its item: the panel keeps its values.
    QComboBox *combo = m_ui->profile_combo_box;
    combo->setCurrentIndex(combo->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void FullEffectSettingsWidget::renameProfile()
{
    const QString name = m_ui->profile_combo_box->currentText();
    if (refuseProfileName(EffectProfileStore::nameProblem(name)))
        return;
    const std::optional<QString> newName = m_dialogs.newName(name);
    if (!newName || *newName == name)
        return;
    if (refuseProfileName(EffectProfileStore::saveNameProblem(*newName)))
        return;
    EffectProfileStore::FileProblem problem = EffectProfileStore::FileProblem::None;
    const bool renamed = m_profiles.rename(name, *newName, &problem);
    readProfiles();
    if (!renamed) {
        m_ui->profile_combo_box->setEditText(name);
        const bool aboutNewName = problem == EffectProfileStore::FileProblem::Exists;
        showProfileMessage(fileProblemText(problem, aboutNewName ? *newName : name));
        return;
    }
    selectProfile(*newName);
    tellProfileFileDone(tr("The profile \"%1\" is now named \"%2\".").arg(name, *newName));
}

void FullEffectSettingsWidget::exportProfile()
{
    const QString name = m_ui->profile_combo_box->currentText();
    if (refuseProfileName(EffectProfileStore::nameProblem(name)))
        return;
    // Asks for no file when there is nothing to export.
    EffectProfileStore::FileProblem problem = EffectProfileStore::FileProblem::None;
    if (!m_profiles.load(name, &problem)) {
        showProfileMessage(fileProblemText(problem, name));
        return;
    }
    const QString path = m_dialogs.exportPath(name);
    if (path.isEmpty())
        return;
    if (!m_profiles.exportTo(name, path, &problem)) {
        showProfileMessage(problem == EffectProfileStore::FileProblem::NotWritten
                               ? tr("The profile \"%1\" could not be written to %2.").arg(name, path)
                               : fileProblemText(problem, name));
        return;
    }
    tellProfileFileDone(tr("The profile \"%1\" was exported to %2.").arg(name, path));
}

void FullEffectSettingsWidget::importProfile()
{
    const QString path = m_dialogs.importPath();
    if (path.isEmpty())
        return;
    // A file that is no profile is refused before any name is asked for.
    EffectProfileStore::FileProblem problem = EffectProfileStore::importFileProblem(path);
    if (problem != EffectProfileStore::FileProblem::None) {
        showProfileMessage(importProblemText(problem, path));
        return;
    }
    const std::optional<QString> name = m_dialogs.importName(QFileInfo(path).completeBaseName());
    if (!name || refuseProfileName(EffectProfileStore::saveNameProblem(*name)))
        return;
    bool imported = m_profiles.importFrom(path, *name, EffectProfileStore::Existing::Refuse, &problem);
    if (!imported && problem == EffectProfileStore::FileProblem::Exists) {
        if (!m_dialogs.replaceExisting(*name))
            return;
        imported = m_profiles.importFrom(path, *name, EffectProfileStore::Existing::Replace, &problem);
    }
    if (!imported) {
        showProfileMessage(problem == EffectProfileStore::FileProblem::NotWritten || problem == EffectProfileStore::FileProblem::Exists
                               ? fileProblemText(problem, *name)
                               : importProblemText(problem, path));
        return;
    }
    // Listed, not loaded: the panel keeps what the user set until a profile is picked.
    readProfiles();
    tellProfileFileDone(tr("%1 was imported as the profile \"%2\".").arg(path, *name));
}

void FullEffectSettingsWidget::on_motion_range_axis0_valueChanged(int value)
{
    growSliderTo(m_ui->motion_range_slider_axis0, value);
}

void FullEffectSettingsWidget::on_motion_range_axis1_valueChanged(int value)
{
    growSliderTo(m_ui->motion_range_slider_axis1, value);
}

void FullEffectSettingsWidget::on_motion_range_slider_axis0_valueChanged(int value)
{
    followSlider(m_ui->motion_range_axis0, value);
}

void FullEffectSettingsWidget::on_motion_range_slider_axis1_valueChanged(int value)
{
    followSlider(m_ui->motion_range_axis1, value);
}

void FullEffectSettingsWidget::on_static_dampening_axis0_valueChanged(int value)
{
    growSliderTo(m_ui->static_dampening_slider_axis0, value);
}

void FullEffectSettingsWidget::on_dynamic_dampening_axis0_valueChanged(int value)
{
    growSliderTo(m_ui->dynamic_dampening_slider_axis0, value);
}

void FullEffectSettingsWidget::on_soft_stop_dampening_axis0_valueChanged(int value)
{
    growSliderTo(m_ui->soft_stop_dampening_slider_axis0, value);
}

void FullEffectSettingsWidget::on_static_dampening_slider_axis0_valueChanged(int value)
{
    followSlider(m_ui->static_dampening_axis0, value);
}

void FullEffectSettingsWidget::on_dynamic_dampening_slider_axis0_valueChanged(int value)
{
    followSlider(m_ui->dynamic_dampening_axis0, value);
}

void FullEffectSettingsWidget::on_soft_stop_dampening_slider_axis0_valueChanged(int value)
{
    followSlider(m_ui->soft_stop_dampening_axis0, value);
}

void FullEffectSettingsWidget::on_static_dampening_axis1_valueChanged(int value)
{
    growSliderTo(m_ui->static_dampening_slider_axis1, value);
}

void FullEffectSettingsWidget::on_dynamic_dampening_axis1_valueChanged(int value)
{
    growSliderTo(m_ui->dynamic_dampening_slider_axis1, value);
}

void FullEffectSettingsWidget::on_soft_stop_dampening_axis1_valueChanged(int value)
{
    growSliderTo(m_ui->soft_stop_dampening_slider_axis1, value);
}

void FullEffectSettingsWidget::on_static_dampening_slider_axis1_valueChanged(int value)
{
    followSlider(m_ui->static_dampening_axis1, value);
}

void FullEffectSettingsWidget::on_dynamic_dampening_slider_axis1_valueChanged(int value)
{
    followSlider(m_ui->dynamic_dampening_axis1, value);
}

void FullEffectSettingsWidget::on_soft_stop_dampening_slider_axis1_valueChanged(int value)
{
    followSlider(m_ui->soft_stop_dampening_axis1, value);
}

bool FullEffectSettingsWidget::refuseProfileName(EffectProfileStore::NameProblem problem)
{
    switch (problem) {
    case EffectProfileStore::NameProblem::None:
        return false;
    case EffectProfileStore::NameProblem::Empty:
        showProfileMessage(tr("Type a profile name first."));
        break;
    case EffectProfileStore::NameProblem::StartsWithDot:
        showProfileMessage(tr("A profile name cannot start with a dot."));
        break;
    case EffectProfileStore::NameProblem::PathSeparator:
        showProfileMessage(tr("A profile name cannot contain /."));
        break;
    case EffectProfileStore::NameProblem::NulCharacter:
        showProfileMessage(tr("A profile name cannot contain a NUL character."));
        break;
    case EffectProfileStore::NameProblem::NotEncodable:
        showProfileMessage(tr("The profile name contains a character that cannot be part of a file name."));
        break;
    case EffectProfileStore::NameProblem::TooLong:
        showProfileMessage(tr("The profile name is too long: a saved name takes at most %1 bytes, where plain "
                              "letters and digits take one, accented letters two and other scripts up to four.")
                               .arg(EffectProfileStore::MAX_SAVED_NAME_BYTES));
        break;
    }
    return true;
}

QString FullEffectSettingsWidget::fileProblemText(EffectProfileStore::FileProblem problem, const QString &name)
{
    switch (problem) {
    case EffectProfileStore::FileProblem::None:
        break;
    case EffectProfileStore::FileProblem::Unavailable:
        return tr("Profiles are unavailable: the folder \"%1\" could not be created.")
            .arg(QString::fromLatin1(EffectProfileStore::DIRECTORY_NAME));
    case EffectProfileStore::FileProblem::NameRefused:
        return tr("\"%1\" cannot be the name of a profile.").arg(name);
    case EffectProfileStore::FileProblem::Missing:
        return tr("There is no profile named \"%1\".").arg(name);
    case EffectProfileStore::FileProblem::NotAFile:
        return tr("\"%1\" is not a profile file.").arg(name);
    case EffectProfileStore::FileProblem::Unreadable:
        return tr("The profile \"%1\" could not be read.").arg(name);
    case EffectProfileStore::FileProblem::TooShort:
        return tr("The profile \"%1\" was not loaded: its file is shorter than the %2 bytes of a profile.")
            .arg(name)
            .arg(sizeof(EffectSettingsTypeDef));
    case EffectProfileStore::FileProblem::NotRemoved:
        return tr("The profile \"%1\" could not be deleted.").arg(name);
    case EffectProfileStore::FileProblem::Exists:
        return tr("There is a profile named \"%1\" already.").arg(name);
    case EffectProfileStore::FileProblem::NotWritten:
        return tr("The profile \"%1\" could not be written; what was there before is unchanged.").arg(name);
    }
    return {};
}

QString FullEffectSettingsWidget::importProblemText(EffectProfileStore::FileProblem problem, const QString &path)
{
    switch (problem) {
    case EffectProfileStore::FileProblem::Missing:
        return tr("%1 was not imported: it does not exist.").arg(path);
    case EffectProfileStore::FileProblem::NotAFile:
        return tr("%1 was not imported: it is not a file.").arg(path);
    case EffectProfileStore::FileProblem::TooShort:
        return tr("%1 was not imported: it is not an effect profile, being shorter than the %2 bytes of one.")
            .arg(path)
            .arg(sizeof(EffectSettingsTypeDef));
    default:
        return tr("%1 was not imported: it could not be read.").arg(path);
    }
}

void FullEffectSettingsWidget::tellProfileFileDone(const QString &message)
{
    m_ui->profile_message_label->setText(message);
    m_ui->profile_message_label->show();
    emit profileFileDone(message);
}

void FullEffectSettingsWidget::showProfileMessage(const QString &message)
{
    m_ui->profile_message_label->setText(message);
    m_ui->profile_message_label->show();
    m_ui->profile_combo_box->setToolTip(message);
    emit profileProblem(message);
}

void FullEffectSettingsWidget::clearProfileMessage()
{
    m_ui->profile_message_label->clear();
    m_ui->profile_message_label->hide();
    m_ui->profile_combo_box->setToolTip(QString());
}

void FullEffectSettingsWidget::prepareProfileBox()
{
    clearProfileMessage();
    QComboBox *combo = m_ui->profile_combo_box;
    // The message belongs to the name it was about; editing the name retires it.
    connect(combo, &QComboBox::editTextChanged, this, [this] { clearProfileMessage(); });

    // Typing only edits the name that Save and Delete act on. Without this the box would
    // complete "Ga" to an existing "Gamma", and, when editing finished (Enter, or focus
    // moving to Save), activate the item matching the text, loading that profile over the
    // user's edits. Picking an item from the list still activates it.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);

    auto *fileMenu = new QMenu(m_ui->profile_more_button);
    fileMenu->addAction(tr("Rename…"), this, &FullEffectSettingsWidget::renameProfile)->setObjectName(QStringLiteral("profile_rename_action"));
    fileMenu->addAction(tr("Export…"), this, &FullEffectSettingsWidget::exportProfile)->setObjectName(QStringLiteral("profile_export_action"));
    fileMenu->addAction(tr("Import…"), this, &FullEffectSettingsWidget::importProfile)->setObjectName(QStringLiteral("profile_import_action"));
    m_ui->profile_more_button->setMenu(fileMenu);

    if (!m_profiles.isUsable()) {
        // Without its own directory the box would list, and delete, files of the
        // working directory.
        m_ui->profiles_group_box->setEnabled(false);
        m_ui->profiles_group_box->setToolTip(fileProblemText(EffectProfileStore::FileProblem::Unavailable, {}));
    }
}
