// SPDX-License-Identifier: GPL-3.0-or-later
// kestrov-gadget-firmware KIND[,key=value...] UDC LOG
//
// Plugs one controller of KIND into the guest kernel through the UDC (a port of dummy_hcd)
// and answers it as its firmware, with the virtual controller's model and device options,
// logging every request to LOG. Runs until it is killed.
#include "controllerkind.h"
#include "deviceoptions.h"
#include "gadgetfirmware.h"
#include "steadyclock.h"
#include "usbdescriptors.h"
#include "usbgadget.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4) {
        qCritical("usage: kestrov-gadget-firmware KIND[,key=value...] UDC LOG");
        return 2;
    }
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(arguments.at(1), {}, &error);
    static SteadyClock clock;
    std::unique_ptr<EmulatedController> controller = options ? EmulatedController::create(*options, clock, &error)
                                                             : nullptr;
    if (!controller) {
        qCritical("%s", qPrintable(error));
        return 2;
    }
    const QString name = ControllerKinds::name(options->kind);
    UsbGadget gadget(name, arguments.at(2));
    const UsbGadget::Identity identity{UsbDescriptors::VENDOR_ID, options->productId, UsbDescriptors::DEVICE_RELEASE, QStringLiteral("Kestrov"),
                                       ControllerKinds::productName(options->kind),
                                       QStringLiteral("KG%1").arg(options->productId)};
    if (!gadget.create(identity, &error)) {
        qCritical("%s", qPrintable(error));
        return 1;
    }
    GadgetFirmware firmware(std::move(controller), UsbDescriptors::hidReport(options->kind), &gadget, arguments.at(3));
    return firmware.run();
}
