// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelcoupling.h"

#include <QSlider>
#include <QSpinBox>
#include <QWidget>

#include <cstdlib>

namespace PanelCoupling {

namespace {

template<typename T>
T *control(const QWidget &panel, const char *name)
{
    T *found = panel.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("the panel has no %s named %s", T::staticMetaObject.className(), name);
    return found;
}

} // namespace

const std::vector<SliderPair> &effectPairs()
{
    static const std::vector<SliderPair> pairs{
        {"motion_range_slider_axis0", "motion_range_axis0"},
        {"horizontalSlider_2", "total_effect_scale_axis0"},
        {"soft_stop_strength_slider_axis0", "soft_stop_strength_axis0"},
        {"soft_stop_range_slider_axis0", "soft_stop_range_axis0"},
        {"static_dampening_slider_axis0", "static_dampening_axis0"},
        {"dynamic_dampening_slider_axis0", "dynamic_dampening_axis0"},
        {"soft_stop_dampening_slider_axis0", "soft_stop_dampening_axis0"},
        {"max_force_slider_axis0", "max_force_axis0"},
        {"motion_range_slider_axis1", "motion_range_axis1"},
        {"horizontalSlider_3", "total_effect_scale_axis1"},
        {"soft_stop_strength_slider_axis1", "soft_stop_strength_axis1"},
        {"soft_stop_range_slider_axis1", "soft_stop_range_axis1"},
        {"static_dampening_slider_axis1", "static_dampening_axis1"},
        {"dynamic_dampening_slider_axis1", "dynamic_dampening_axis1"},
        {"soft_stop_dampening_slider_axis1", "soft_stop_dampening_axis1"},
        {"max_force_slider_axis1", "max_force_axis1"},
        {"direct_x_spring_slider", "direct_x_spring_strength"},
        {"direct_x_constant_strength_slider", "direct_x_constant_strength"},
        {"direct_x_periodic_strength_slider", "direct_x_periodic_strength"},
    };
    return pairs;
}

const std::vector<SliderPair> &hardwarePairs()
{
    static const std::vector<SliderPair> pairs{
        {"horizontalSlider_11", "power_limit"},
        {"horizontalSlider_15", "calibration_magnitude"},
        {"calibration_speed_slider", "calibration_speed"},
        {"calibration_current_slider", "calibration_current"},
        {"braking_slider", "braking_limit"},
        {"speed_sample_buffer_size_slider", "speed_sample_buffer_size"},
        {"position_smoothing_slider", "position_smoothing"},
    };
    return pairs;
}

std::string checkSettled(const QWidget &panel, const std::vector<SliderPair> &pairs)
{
    for (const SliderPair &pair : pairs) {
        const int sliderValue = control<QSlider>(panel, pair.slider)->value();
        const int spinValue = control<QSpinBox>(panel, pair.spinBox)->value();
        if (sliderValue != spinValue) {
            return std::string(pair.slider) + " stands at " + std::to_string(sliderValue) + " but " + pair.spinBox +
                   " at " + std::to_string(spinValue);
        }
    }
    return {};
}

} // namespace PanelCoupling
