// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>

// A message wrapped on a fixed number of lines: the label keeps its height whatever it says,
// so nothing around it moves. What does not fit ends in "…", and the whole message is the
// tooltip then. Any width will do: the message is fitted to the one the layout gives.
class FixedLinesLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FixedLinesLabel(int lines, QWidget *parent = nullptr);

    void setMessage(const QString &message);
    QString message() const { return m_message; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void reserveLines();
    void fitMessage();
    bool fits(const QString &text) const;

    int m_lines;
    QString m_message;
};
