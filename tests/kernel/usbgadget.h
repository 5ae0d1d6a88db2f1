// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A USB gadget made through the kernel's configfs: device descriptor fields, strings, one
// configuration with one FunctionFS function, and its binding to a UDC (one port of
// dummy_hcd). Binding plugs the device into the host side; unbinding pulls it out.
class UsbGadget
{
public:
    struct Identity {
        int vendorId = 0;
        int productId = 0;
        int deviceRelease = 0;
        QString manufacturer;
        QString product;
        QString serial;
    };

    UsbGadget(const QString &name, const QString &udc);

    // Creates the gadget and mounts its FunctionFS instance at functionFsDirectory().
    bool create(const Identity &identity, QString *error);
    QString functionFsDirectory() const;
    bool bind(QString *error);
    bool unbind(QString *error);

private:
    bool write(const QString &relativePath, const QString &value, QString *error) const;
    bool makeDirectory(const QString &relativePath, QString *error) const;

    QString m_name;
    QString m_udc;
    QString m_directory;
};
