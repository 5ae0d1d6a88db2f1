// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/profilefiledialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label, const QString &text)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &accepted);
    if (!accepted)
        return std::nullopt;
    return answer;
}

} // namespace

ProfileFileDialogs::ProfileFileDialogs(QWidget *parent)
    : m_parent(parent)
{
}

std::optional<QString> ProfileFileDialogs::newName(const QString &name) const
{
    return askText(m_parent, tr("Rename Profile"), tr("New name for the profile \"%1\":").arg(name), name);
}

QString ProfileFileDialogs::exportPath(const QString &name) const
{
    // Profile files are raw records without an extension; no filter adds one.
    return QFileDialog::getSaveFileName(m_parent, tr("Export Profile \"%1\"").arg(name),
                                        QDir::home().filePath(name));
}

QString ProfileFileDialogs::importPath() const
{
    return QFileDialog::getOpenFileName(m_parent, tr("Import Profile"), QDir::homePath());
}

std::optional<QString> ProfileFileDialogs::importName(const QString &suggested) const
{
    return askText(m_parent, tr("Import Profile"), tr("Keep the file as the profile:"), suggested);
}

bool ProfileFileDialogs::replaceExisting(const QString &name) const
{
    QMessageBox question(QMessageBox::Question, tr("Import Profile"),
                         tr("There is a profile named \"%1\" already. Replace it with the imported file?").arg(name),
                         QMessageBox::NoButton, m_parent);
    QPushButton *replace = question.addButton(tr("Replace"), QMessageBox::DestructiveRole);
    question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Cancel);
    question.exec();
    return question.clickedButton() == replace;
}
