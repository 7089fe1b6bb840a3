#pragma once
// The commands of ravelha-cli, on the same core as the windows.

#include "CliSupport.h"

#include <QString>
#include <QStringList>

namespace Cli {

struct Command {
    QString name;            // verificar, escalar, desfazer, imprimir
    QString day;             // the day typed
    QStringList removals;    // each --retirar value
    QString pdf;             // imprimir: the file
    QString csv;             // verificar --csv: the roster list also written as a spreadsheet
    QStringList explain;     // verificar --explicar: each DD/MM/AA:COD whose decisions are printed
    bool undoLater = false;  // escalar --desfazer-posteriores: yes to undoing the days after the target
    bool force = false;      // desfazer --forcar: yes to an undo from a day never rostered
    QStringList rest;        // the arguments of a command of another subsystem, after its name
    QString error;           // bad usage: what is wrong
};

QString usage();

// A command used the wrong way: what is wrong, then how it is used (`help`, else every command's
// usage) on standard error; returns the exit of bad usage.
int badUsage(const QString& text, const QString& help = usage());

// The command of the arguments left after --dados was taken out (the program name first).
Command parse(const QStringList& arguments);

// Runs a parsed command on the data folder already chosen; writes to stdout and stderr.
int run(const Command& command);

}
