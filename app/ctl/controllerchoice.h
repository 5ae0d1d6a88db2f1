// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/controllerlink.h"
#include "app/ctl/exitstatus.h"

#include <QString>
#include <QStringList>

#include <optional>

// Which controller a command is for: the one named by --device, or the only one on the bus.
// When there is none to use, `status` and `problem` say why, with the fix.
struct ControllerChoice {
    int productId = -1;
    DeviceInfoTypeDef info;
    ExitStatus status = ExitStatus::Done;
    QString problem;

    bool isChosen() const { return status == ExitStatus::Done; }

    static ControllerChoice pick(const ControllerLink::Survey &survey, const QString &device);

    // The product id --device names: a number, or a kind ("wheel"); nothing for anything else.
    static std::optional<int> productIdOf(const QString &device);
    // "wheel" for 22999, the command line's name of a product id's kind.
    static QString kindOf(int productId);
    static QStringList kindNames();
    // Why a controller cannot be opened and what fixes it.
    static QString accessProblem(const DeviceAccessIssue &issue);
    // A controller on the bus that did not answer when asked who it is.
    static QString silentProblem(int productId);
    // "wheel 22999 Kestrov Wheel PRO, firmware 241123": a controller on a line of its own.
    static QString line(int productId, const DeviceInfoTypeDef &info);
};
