// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/gpiopage.h"
#include "ui_gpiopage.h"

GpioPage::GpioPage(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::GpioPage>())
{
    m_ui->setupUi(this);
    // SPI starts disabled, and the hints only matter for a chosen device.
    showSpiRecommendations(false);
    // A device picked by hand shows its hints at once; a record loaded into the combo
    // announces no activation, so whoever loads it sets the hints too.
    connect(m_ui->spiModeCombo, &QComboBox::activated, this, [this](int index) { showSpiRecommendations(index >= 1); });
}

GpioPage::~GpioPage() = default;

const Ui::GpioPage &GpioPage::controls() const
{
    return *m_ui;
}

void GpioPage::showSpiRecommendations(bool shown)
{
    m_ui->spi_recommendations->setVisible(shown);
}
