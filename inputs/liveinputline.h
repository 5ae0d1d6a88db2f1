// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// One line for what the live view has to say (why it cannot read the controller's inputs).
// Its height is kept whether it says something or nothing, and a longer text is cut at the
// edge with the whole of it in the tooltip, so no text moves the controls around it.
class LiveInputLine : public QLabel
{
    Q_OBJECT

public:
    explicit LiveInputLine(QWidget *parent = nullptr);

    QString message() const { return m_message; }
    void setMessage(const QString &message);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showElided();

    QString m_message;
};
