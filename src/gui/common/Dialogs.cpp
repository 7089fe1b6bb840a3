#include "Dialogs.h"

#include "BusyCursor.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, proposed, filter);
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
