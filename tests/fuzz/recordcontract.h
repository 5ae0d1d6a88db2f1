// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fieldcontract.h"

#include "device/recordfield.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the panels and input pages edit the records' fields, and the check that a record
// gathered after loading another one keeps to it. Where the fields lie comes from the
// tool's record field tables, so a field added, moved or resized there is checked here as
// the record now lays it out, or reported as having no contract.
namespace RecordContract {

// The effects panel's controls.
const std::vector<FieldContract> &effectContracts();
// Hardware panel and GPIO, Buttons and Analog axes pages together.
const std::vector<FieldContract> &hardwareContracts();

// Empty when `gathered` is what the controls must give back after `loaded` was shown:
// every element of every field of `layout` within its control's range and equal to the
// loaded value as the control encodes it, and every reserved byte, or byte no field
// covers, zero. Otherwise the first difference, or where `layout` and `contracts` part:
// a field that is not reserved without a contract, a contract without a field, an
// encoding that does not suit its field's kind and width, a field beyond `recordSize`.
std::string checkGathered(const QList<RecordField> &layout, const std::vector<FieldContract> &contracts,
                          const uint8_t *loaded, const uint8_t *gathered, std::size_t recordSize);

} // namespace RecordContract
