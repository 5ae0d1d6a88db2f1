// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pageshortcuts.h"

#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

PageShortcuts::PageShortcuts(QWidget *window, QTabWidget *tabs, const QList<PageStates::Page> &pages)
    : QObject(window)
    , m_window(window)
    , m_tabs(tabs)
    , m_pages(pages)
{
    add(READ_KEYS, &PageStates::Page::read);
    add(APPLY_KEYS, &PageStates::Page::apply);
    add(SAVE_KEYS, &PageStates::Page::save);
}

void PageShortcuts::add(const QKeySequence &keys, QPushButton *PageStates::Page::*button)
{
    for (const PageStates::Page &page : std::as_const(m_pages))
        showKeysInToolTip(page.*button, keys);
    auto *shortcut = new QShortcut(keys, m_window);
    connect(shortcut, &QShortcut::activated, this, [this, button] {
        // A hidden page (no controller chosen) is not the page shown, whatever tab is current.
        if (!m_tabs->isVisible() || !m_tabs->isTabVisible(m_tabs->currentIndex()))
            return;
        for (const PageStates::Page &page : std::as_const(m_pages))
            if (page.page == m_tabs->currentWidget())
                (page.*button)->click();
    });
}

void PageShortcuts::showKeysInToolTip(QAbstractButton *button, const QKeySequence &keys)
{
    QString tip = button->toolTip();
    if (tip.isEmpty())
        tip = button->text().remove(QLatin1Char('&'));
    button->setToolTip(tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}
