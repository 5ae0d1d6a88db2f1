// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ctl/controllerchoice.h"
#include "app/ctl/controllerlink.h"
#include "app/ctl/exitstatus.h"

// A command's way to its controller: finds the one the command line names, warns when its
// firmware is not the tool's, runs the worker's commands on it and puts their outcomes into words.
class CtlSession
{
public:
    explicit CtlSession(const QString &device);

    // False, with the reason printed, when there is no controller to use; `failure` then
    // gives the exit status.
    bool open();
    ExitStatus failure() const { return m_choice.status; }
    int productId() const { return m_choice.productId; }
    const DeviceInfoTypeDef &info() const { return m_choice.info; }

    ControllerLink::Reply run(const ControllerLink::Request &request);

    // Prints how a command ended, a success on standard output unless `quiet`, a failure
    // or fields the controller kept otherwise on standard error; the exit status for it.
    static ExitStatus report(const CommandOutcome &outcome, bool quiet = false);

private:
    QString m_device;
    ControllerLink m_link;
    ControllerChoice m_choice;
};
