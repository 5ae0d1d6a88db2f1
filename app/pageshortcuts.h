// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pagestates.h"

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAbstractButton;
class QPushButton;
class QTabWidget;
class QWidget;

// Read, Apply and Save from the keyboard: each key clicks the button of the page shown, so
// the same checks and outcomes apply as for a click, and a disabled button does nothing.
class PageShortcuts : public QObject
{
    Q_OBJECT

public:
    static inline const QKeySequence READ_KEYS{Qt::Key_F5};
    static inline const QKeySequence APPLY_KEYS{Qt::CTRL | Qt::Key_Return};
    static inline const QKeySequence SAVE_KEYS{Qt::CTRL | Qt::Key_S};

    // `pages` are pages of `tabs`, each with its own buttons.
    PageShortcuts(QWidget *window, QTabWidget *tabs, const QList<PageStates::Page> &pages);

private:
    void add(const QKeySequence &keys, QPushButton *PageStates::Page::*button);
    static void showKeysInToolTip(QAbstractButton *button, const QKeySequence &keys);

    QWidget *m_window;
    QTabWidget *m_tabs;
    QList<PageStates::Page> m_pages;
};
