#pragma once

#include "recordfield.h"

#include <cstdint>
#include <string>
#include <vector>

// The fields the panels and input pages edit, with their controls' ranges, and the check
// that a record gathered after loading another one keeps to them.
namespace RecordContract {

const std::vector<RecordField> &effectFields();
// Hardware panel and GPIO, Buttons and Analog axes pages together.
const std::vector<RecordField> &hardwareFields();

// Empty when `gathered` is what the controls must give back after `loaded` was shown:
// every field within its control's range and equal to the loaded value as the control
// encodes it, and every byte no field covers zero. Otherwise the first difference.
std::string checkGathered(const std::vector<RecordField> &fields, const uint8_t *loaded,
                          const uint8_t *gathered, std::size_t recordSize);

} // namespace RecordContract
