// SPDX-License-Identifier: GPL-3.0-or-later
#include "usbgadget.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

namespace {

QString hex(int value)
{
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

UsbGadget::UsbGadget(const QString &name, const QString &udc)
    : m_name(name)
    , m_udc(udc)
    , m_directory(QStringLiteral("/sys/kernel/config/usb_gadget/") + name)
{
}

bool UsbGadget::create(const Identity &identity, QString *error)
{
    const QString function = QStringLiteral("functions/ffs.") + m_name;
    if (!makeDirectory(QString(), error) || !write(QStringLiteral("idVendor"), hex(identity.vendorId), error)
        || !write(QStringLiteral("idProduct"), hex(identity.productId), error)
        || !write(QStringLiteral("bcdDevice"), hex(identity.deviceRelease), error)
        || !write(QStringLiteral("bcdUSB"), hex(0x0200), error)
        || !makeDirectory(QStringLiteral("strings/0x409"), error)
        || !write(QStringLiteral("strings/0x409/manufacturer"), identity.manufacturer, error)
        || !write(QStringLiteral("strings/0x409/product"), identity.product, error)
        || !write(QStringLiteral("strings/0x409/serialnumber"), identity.serial, error)
        || !makeDirectory(QStringLiteral("configs/c.1"), error)
        || !write(QStringLiteral("configs/c.1/MaxPower"), QStringLiteral("500"), error)
        || !makeDirectory(function, error))
        return false;
    const QString link = m_directory + QStringLiteral("/configs/c.1/ffs.") + m_name;
    if (!QFile::exists(link) && ::symlink(QFile::encodeName(m_directory + QLatin1Char('/') + function).constData(),
                                          QFile::encodeName(link).constData()) != 0) {
        *error = QStringLiteral("cannot link %1: %2").arg(link, systemError());
        return false;
    }
    const QString mountPoint = functionFsDirectory();
    if (!QDir().mkpath(mountPoint)
        || ::mount(m_name.toUtf8().constData(), QFile::encodeName(mountPoint).constData(), "functionfs", 0, nullptr) != 0) {
        *error = QStringLiteral("cannot mount FunctionFS at %1: %2").arg(mountPoint, systemError());
        return false;
    }
    return true;
}

QString UsbGadget::functionFsDirectory() const
{
    return QStringLiteral("/dev/ffs-") + m_name;
}

bool UsbGadget::bind(QString *error)
{
    return write(QStringLiteral("UDC"), m_udc, error);
}

bool UsbGadget::unbind(QString *error)
{
    return write(QStringLiteral("UDC"), QStringLiteral("\n"), error);
}

bool UsbGadget::write(const QString &relativePath, const QString &value, QString *error) const
{
    QFile file(m_directory + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(value.toUtf8()) < 0 || !file.flush()) {
        *error = QStringLiteral("cannot write \"%1\" to %2: %3").arg(value.trimmed(), file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool UsbGadget::makeDirectory(const QString &relativePath, QString *error) const
{
    const QString path = relativePath.isEmpty() ? m_directory : m_directory + QLatin1Char('/') + relativePath;
    if (QDir().mkpath(path))
        return true;
    *error = QStringLiteral("cannot create %1").arg(path);
    return false;
}
