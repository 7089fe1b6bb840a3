#include "Dialogs.h"

#include "BusyCursor.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace {
Dialogs*& installed()
{
    static Dialogs* dialogs = nullptr;
    return dialogs;
}

QString title()
{
    return QStringLiteral("Ravelha");
}
}

Dialogs& Dialogs::current()
{
    static MessageBoxDialogs real;
    return installed() ? *installed() : real;
}

void Dialogs::install(Dialogs* dialogs)
{
    installed() = dialogs;
}

void MessageBoxDialogs::message(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), title(), text);
}

bool MessageBoxDialogs::question(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}

bool MessageBoxDialogs::questionYesByDefault(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
           == QMessageBox::Yes;
}

QString MessageBoxDialogs::input(const QString& caption, const QString& prompt, const QString& proposed)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal,
                                               proposed, &ok);
    return ok ? text : proposed;
}

void MessageBoxDialogs::error(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), title(), text);
}

QString MessageBoxDialogs::saveFileName(const QString& caption, const QString& proposed, const QString& filter)
{
    PointerWhileAsking pointer;
    // A bare name is offered in the keeper's documents, not in the current folder (the data
    // folder, where no export may go).
    QString offered = proposed;
    if (QFileInfo(proposed).isRelative()) {
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty() || !QFileInfo(documents).isDir())
            documents = QDir::homePath();
        offered = QDir(documents).filePath(proposed);
    }
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, offered, filter);
}

bool AskBeforeLoss(const QString& question)
{
    PointerWhileAsking pointer;
    return Dialogs::current().question(question);
}

bool AskYesByDefault(const QString& question)
{
    PointerWhileAsking pointer;
    return Dialogs::current().questionYesByDefault(question);
}

QString MessageBoxDialogs::folderName(const QString& caption, const QString& proposed)
{
    PointerWhileAsking pointer;
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption,
                                             proposed.isEmpty() ? QDir::homePath() : proposed);
}
