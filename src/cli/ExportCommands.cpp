#include "ExportCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "audit/CalendarExport.h"
#include "data/ExportTarget.h"

#include <QDir>

namespace Cli {

bool TakeCsvOption(QStringList& arguments, QString& path, QString& error)
{
    path.clear();
    for (int i = 0; i < arguments.size();) {
        if (arguments.at(i) != QStringLiteral("--csv")) {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
            error = QStringLiteral("--csv precisa do nome do arquivo.");
            return false;
        }
        if (!path.isEmpty()) {
            error = QStringLiteral("--csv foi dado mais de uma vez.");
            return false;
        }
        path = fromStartFolder(arguments.at(i + 1));
        arguments.remove(i, 2);
    }
    // A file the export may not replace is refused before anything is listed.
    if (!path.isEmpty())
        ExportTarget::check(path);
    return true;
}

int RunCalendarExport(const QStringList& arguments)
{
    CalendarExportInput input;
    QString file;
    QStringList rest = arguments;
    while (!rest.isEmpty()) {
        const QString option = rest.takeFirst();
        const bool takesValue = option == QStringLiteral("--de") || option == QStringLiteral("--ate")
                                || option == QStringLiteral("--numero");
        if (takesValue && rest.isEmpty())
            return badUsage(QStringLiteral("%1 precisa de um valor.").arg(option));
        if (option == QStringLiteral("--de"))
            input.firstDay = rest.takeFirst();
        else if (option == QStringLiteral("--ate"))
            input.lastDay = rest.takeFirst();
        else if (option == QStringLiteral("--numero"))
            input.number = rest.takeFirst();
        else if (option.startsWith(QStringLiteral("--")) || !file.isEmpty())
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option));
        else
            file = option;
    }
    if (file.isEmpty())
        return badUsage(QStringLiteral("exportar-ical precisa do arquivo: exportar-ical [--numero N] [--de D] [--ate D] ARQUIVO.ics"));
    const QString path = fromStartFolder(file);
    const int events = ExportCalendar(input, path);
    out(QStringLiteral("%1 evento(s) gravado(s) em %2").arg(events).arg(QDir::toNativeSeparators(path)));
    return Ok;
}

QString ExportUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] exportar-ical [--numero NUM] [--de DD/MM/AA] [--ate DD/MM/AA] ARQUIVO.ics\n"
        "       (os serviços do histórico como eventos de dia inteiro de um calendário iCalendar, de um militar\n"
        "        ou de todos; historico, quadro e verificar aceitam --csv ARQUIVO para gravar também uma planilha)\n");
}

}
