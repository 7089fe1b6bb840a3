// ravelha-cli [--dados DIR] verificar|escalar|desfazer|imprimir DD/MM/YY ...
#include "CliCommands.h"

#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/DataFolder.h"
#include "data/ExportTarget.h"
#include "data/QtMessages.h"
#include "data/Session.h"
#include "ImportCommands.h"
#include "ResetCommands.h"
#include "ProgramStreams.h"
#include "ServerCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#ifdef RAVELHA_CLI_PRINT
#include <QGuiApplication>
#endif

namespace {
void error(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, bytes.size(), stderr);
}
}

int main(int argc, char* argv[])
{
    PrepareStandardStreams();
    KeepQtMessagesForDevelopers();
    QStringList arguments = ProgramArguments(argc, argv);
    const QString folder = DataFolder::choose(arguments);
    ServerAddress server;
    try {
        server = ServerAddresses::choose(arguments);
    } catch (const CoreError& e) {
        error(e.message());
        return Cli::BadUsage;
    }
    // --hoje DD/MM/AA: the day the program takes for today, for every command that reads it.
    const int hoje = arguments.indexOf(QStringLiteral("--hoje"));
    if (hoje >= 0) {
        const std::optional<QDate> today = Dates::parse(arguments.value(hoje + 1));
        if (!today) {
            error(QStringLiteral("--hoje: ") + Dates::invalidDateMessage(arguments.value(hoje + 1)));
            error(Cli::usage());
            return Cli::BadUsage;
        }
        Clock::setToday(*today);
        arguments.remove(hoje, 2);
    }
    Cli::startFolder() = QDir::currentPath();
    Cli::Command command = Cli::parse(arguments);
    if (!command.error.isEmpty()) {
        error(command.error);
        error(Cli::usage());
        return Cli::BadUsage;
    }

    std::unique_ptr<QCoreApplication> app;
#ifdef RAVELHA_CLI_PRINT
    if (command.name == QStringLiteral("imprimir")
        || (command.name == QStringLiteral("tabela") && command.rest.contains(QStringLiteral("--pdf")))) {
        // Printing into a file (the roster, or the browser's situation list) needs fonts, not a
        // screen. (Windows always has its desktop, and its own plugin has the system's fonts.)
#ifndef Q_OS_WIN
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);

    // The session makes the data folder the current folder: a file named on the command line is
    // taken from where the command was given.
    if (!command.pdf.isEmpty())
        command.pdf = Cli::fromStartFolder(command.pdf);
    try {
        // A unit is moved, or a server's units listed, before any folder or unit is opened.
        if (Cli::isServerCommand(command.name))
            return Cli::RunServerCommand(command.name, command.rest, folder, server);
        // An import makes a new data folder, or a new unit, from an old folder.
        if (command.name == QStringLiteral("importar"))
            return Cli::RunImport(command.rest, folder, server);
        ServerAddresses::setCurrent(server);
        // A new data folder is made before any folder is opened.
        if (command.name == QStringLiteral("instalar")) {
            DataFolder::setPath(folder);
            return Cli::RunInstall(command.rest);
        }
        // Only the default folder is filled from the initial data set when it is missing; a
        // folder named by --dados or RAVELHA_DADOS must exist.
        Session session(folder, QDir(folder) == QDir(DataFolder::defaultPath()));
        if (!session.notice().isEmpty())
            error(session.notice());
        // A file the command may not write (the program's own, the backup copy's) is refused
        // before the command runs.
        if (!command.pdf.isEmpty())
            ExportTarget::check(command.pdf);
        if (!command.csv.isEmpty())
            ExportTarget::check(Cli::fromStartFolder(command.csv));
        return Cli::run(command);
    } catch (const CoreError& e) {
        error(e.message());
        return Cli::Refused;
    }
}
