// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The machine and library versions a benchmark ran on, for the head of its report.
namespace MachineInfo {

QString describe();

// The 1, 5 and 15 minute load averages: how busy other processes keep the machine.
QString loadAverage();

} // namespace MachineInfo
