// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class GpioPage;
}

// The "GPIO" page: a function for each of the ten pins and the SPI extension device, whose
// wiring hints show while a device is chosen. InputSettingsPages fills its lists and
// carries its values to and from the hardware record.
class GpioPage : public QWidget
{
    Q_OBJECT

public:
    explicit GpioPage(QWidget *parent = nullptr);
    ~GpioPage() override;

    const Ui::GpioPage &controls() const;
    void showSpiRecommendations(bool shown);

private:
    std::unique_ptr<Ui::GpioPage> m_ui;
};
