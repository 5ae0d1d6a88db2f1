// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class QWidget;

// Slider and spin box pairs of the two panels: once a load has settled, every slider must
// stand at its spin box's value, whichever way the pair is coupled.
namespace PanelCoupling {

struct SliderPair {
    const char *slider;
    const char *spinBox;
};

const std::vector<SliderPair> &effectPairs();
const std::vector<SliderPair> &hardwarePairs();

// Empty when every pair agrees, otherwise the first pair that does not.
std::string checkSettled(const QWidget &panel, const std::vector<SliderPair> &pairs);

} // namespace PanelCoupling
