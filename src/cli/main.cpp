// ravelha-cli [--dados DIR] verificar|escalar|desfazer|imprimir DD/MM/YY ...
#include "CliCommands.h"

#include "data/CoreError.h"
#include "data/DataFolder.h"
#include "data/InitialDataSet.h"
#include "data/UDMGeral.h"

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
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString folder = DataFolder::choose(arguments);
    const Cli::Command command = Cli::parse(arguments);
    if (!command.error.isEmpty()) {
        error(command.error);
        error(Cli::usage());
        return Cli::BadUsage;
    }

    std::unique_ptr<QCoreApplication> app;
#ifdef RAVELHA_CLI_PRINT
    if (command.name == QStringLiteral("imprimir")) {
        // Printing into a file needs fonts, not a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
#endif
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);

    try {
        // Only the default folder is filled from the initial data set when it is missing; a
        // folder named by --dados or RAVELHA_DADOS must exist.
        if (!QFileInfo(folder).isDir()) {
            if (QDir(folder) != QDir(DataFolder::defaultPath())) {
                error(QStringLiteral("A pasta de dados \"%1\" não existe.").arg(QDir::toNativeSeparators(folder)));
                return Cli::Refused;
            }
            InitialDataSet::installIfMissing(folder);
        }
        DataFolder::setPath(folder);
        TDMGeral module(folder, QString());
        return Cli::run(command);
    } catch (const CoreError& e) {
        error(e.message());
        return Cli::Refused;
    }
}
