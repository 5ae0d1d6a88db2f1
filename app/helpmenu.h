// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QMainWindow;

// The window's "Help" menu: what the tool is, which controllers it configures, its keys and
// where its files are on this machine; and Qt's own about box.
class HelpMenu : public QObject
{
    Q_OBJECT

public:
    explicit HelpMenu(QMainWindow *window);

    // The about box's text, for the working directory the tool runs in now.
    static QString aboutText();

private:
    void showAbout();

    QMainWindow *m_window;
};
