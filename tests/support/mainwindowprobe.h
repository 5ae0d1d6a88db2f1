// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow.h"

#include <QList>
#include <QString>

#include <functional>

class QComboBox;
class QMessageBox;
class QTabWidget;

// Reads the main window's state the way a user sees it: texts, visible rows and pages.
class MainWindowProbe
{
public:
    explicit MainWindowProbe(MainWindow &window);

    QComboBox *devices() const;
    QTabWidget *pages() const;
    QList<int> visibleRows() const;
    QList<int> visiblePages() const;
    bool deviceButtonsVisible() const;
    QString placeholder() const;
    // Picks a row of the device list as a user does.
    void pick(int row) const;
    template<typename T>
    T *find(const QString &name) const;

private:
    MainWindow &window;
};

// Runs `answer` on the next message box that opens, from within its own event loop.
void answerNextMessageBox(std::function<void(QMessageBox *)> answer);

template<typename T>
T *MainWindowProbe::find(const QString &name) const
{
    return window.findChild<T *>(name);
}
