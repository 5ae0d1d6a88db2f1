// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulatedcontroller.h"
#include "inputreports.h"
#include "usbgadget.h"

#include <QElapsedTimer>
#include <QFile>

#include <memory>
#include <thread>

// The virtual controller's model as the firmware of a real USB device: a configfs gadget
// whose FunctionFS function carries one HID interface with an interrupt IN endpoint. It
// answers the setup requests the host's kernel sends on endpoint 0 (the report descriptor,
// SET_IDLE, and GET_REPORT/SET_REPORT through the model), logs each one, sends input
// reports on the IN endpoint, and leaves and rejoins the bus for reboot and DFU by
// unbinding and binding its UDC.
class GadgetFirmware
{
public:
    GadgetFirmware(std::unique_ptr<EmulatedController> controller, const QByteArray &reportDescriptor, UsbGadget *gadget,
                   const QString &logPath);
    ~GadgetFirmware();

    // Writes the descriptors, binds the gadget and answers endpoint 0 until an error.
    int run();

private:
    bool writeDescriptors(QString *error);
    void answer(const ControlSetup &setup);
    void busEvent(BusEvent event);
    void sendInputReports();
    void log(const QString &line);

    std::unique_ptr<EmulatedController> m_controller;
    QByteArray m_reportDescriptor;
    UsbGadget *m_gadget;
    QFile m_log;
    QElapsedTimer m_elapsed;
    QList<InputReports::Extremes> m_inputReports;
    int m_ep0 = -1;
    int m_ep1 = -1;
    std::thread m_inputThread;
};
