#include "TableCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/CoreError.h"
#include "data/ExportTarget.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "maintenance/TableBrowser.h"
#include "maintenance/TableBrowserPrintout.h"

#include <QSqlRecord>
#include <optional>

#ifdef RAVELHA_CLI_PRINT
#include "PainterPrinter.h"
#include "PdfFile.h"

#include <QGuiApplication>
#endif

namespace Cli {

namespace {

// The roster table of a registered service, or a refusal on stderr.
std::optional<QString> rosterOf(int code)
{
    LoadServices();
    if (Global().ServiceTable[size_t(code)].Descr.isEmpty()) {
        err(QStringLiteral("Não há serviço cadastrado com o código %1.").arg(code));
        return std::nullopt;
    }
    SelectRoster(code, QStringLiteral("Base"));
    return Global().CurrentTableName;
}

// The rows as the grid shows them: a heading line with the column titles, then one line a row,
// the values separated by " | ". `only` limits the rows to one (-1: all).
void printRows(const QAbstractItemModel& model, int only = -1)
{
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column)
        titles << model.headerData(column, Qt::Horizontal).toString();
    out(titles.join(QStringLiteral(" | ")));
    for (int row = 0; row < model.rowCount(); ++row) {
        if (only >= 0 && row != only)
            continue;
        QStringList values;
        for (int column = 0; column < model.columnCount(); ++column)
            values << model.data(model.index(row, column)).toString();
        out(values.join(QStringLiteral(" | ")));
    }
}

void printServiceHeading(int code)
{
    out(QStringLiteral("Situação da Escada de : ") + Global().ServiceTable[size_t(code)].Descr);
}

int showTable(const QString& tableOrFileName)
{
    BrowserTableModel model(tableOrFileName);
    model.refresh();
    printRows(model);
    return Ok;
}

int runPersonnel(QStringList arguments)
{
    PersonnelSearch search = PersonnelSearch::All;
    QString typed;
    if (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        if (arguments.size() != 1)
            return badUsage(arguments.isEmpty() ? QStringLiteral("Falta o valor de %1.").arg(option)
                                                : QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), TableUsage());
        typed = arguments.first();
        if (option == QStringLiteral("--numero")) {
            search = PersonnelSearch::ByNumber;
        } else if (option == QStringLiteral("--nome")) {
            search = PersonnelSearch::ByName;
        } else if (option == QStringLiteral("--afastamento")) {
            if (typed == QStringLiteral("P"))
                search = PersonnelSearch::Planned;
            else if (typed == QStringLiteral("R"))
                search = PersonnelSearch::Real;
            else if (typed == QStringLiteral("P+R"))
                search = PersonnelSearch::PlannedOrReal;
            else
                return badUsage(QStringLiteral("--afastamento: use P, R ou P+R."), TableUsage());
        } else {
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option), TableUsage());
        }
    }
    if (search == PersonnelSearch::All && typed.isEmpty())
        return showTable(QStringLiteral("Basico"));
    BrowserQueryModel model;
    model.show(SearchPersonnel(search, typed));
    printRows(model);
    return Ok;
}

int runRoster(const QStringList& arguments)
{
    if (arguments.size() != 1)
        return badUsage(arguments.isEmpty() ? QStringLiteral("Falta o código do serviço.")
                                            : QStringLiteral("Argumento inesperado: %1").arg(arguments.at(1)), TableUsage());
    const std::optional<int> code = serviceCode(arguments.first());
    if (!code)
        return badUsage(QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30).").arg(arguments.first()), TableUsage());
    const std::optional<QString> table = rosterOf(*code);
    if (!table)
        return Refused;
    printServiceHeading(*code);
    return showTable(*table);
}

int runSituation(QStringList arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta o código do serviço."), TableUsage());
    const QString codeText = arguments.takeFirst();
    QString pdf;
    while (!arguments.isEmpty()) {
        const QString option = arguments.takeFirst();
        if (option == QStringLiteral("--pdf") && !arguments.isEmpty() && pdf.isEmpty())
            pdf = fromStartFolder(arguments.takeFirst());
        else
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(option), TableUsage());
    }
    const std::optional<int> code = serviceCode(codeText);
    if (!code)
        return badUsage(QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30).").arg(codeText), TableUsage());
    const std::optional<QString> table = rosterOf(*code);
    if (!table)
        return Refused;
    // A file the export may not replace is refused before anything is listed.
    if (!pdf.isEmpty())
        ExportTarget::check(pdf);
    BrowserQueryModel model;
    model.show(TDMGeral::instance().selectRosterWithPersonnel(*table));
    printServiceHeading(*code);
    printRows(model);
    if (pdf.isEmpty())
        return Ok;
#ifdef RAVELHA_CLI_PRINT
    // Printing needs the fonts of a graphical application (made by main for the printing commands).
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QString service = Global().ServiceTable[size_t(*code)].Descr;
        const QList<SituationRow> rows = SituationRows(model, {});
        WritePdf(pdf, [&](PageDevice& page) { PrintSituation(page, service, rows); },
                 PdfPageLayout(QPageLayout::Landscape), service);
        return Ok;
    }
#endif
    err(QStringLiteral("Esta compilação de ravelha-cli não imprime."));
    return Refused;
}

// alterar servicos COD COLUNA VALOR | militares NUM COLUNA VALOR | escala COD NUM COLUNA VALOR
int runChange(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta a tabela: servicos, militares ou escala."), TableUsage());
    const QString which = arguments.first();
    QString table;
    QStringList rest = arguments.mid(1);
    if (which == QStringLiteral("servicos")) {
        table = QStringLiteral("Sv");
    } else if (which == QStringLiteral("militares")) {
        table = QStringLiteral("Basico");
    } else if (which == QStringLiteral("escala")) {
        if (rest.isEmpty())
            return badUsage(QStringLiteral("Falta o código do serviço."), TableUsage());
        const std::optional<int> code = serviceCode(rest.first());
        if (!code)
            return badUsage(QStringLiteral("Código de serviço inválido: \"%1\" (de 1 a 30).").arg(rest.first()), TableUsage());
        const std::optional<QString> roster = rosterOf(*code);
        if (!roster)
            return Refused;
        table = *roster;
        rest.removeFirst();
    } else {
        return badUsage(QStringLiteral("Tabela desconhecida: %1 (servicos, militares ou escala).").arg(which), TableUsage());
    }
    if (rest.size() != 3)
        return badUsage(rest.size() < 3 ? QStringLiteral("Faltam a chave, a coluna e o valor.")
                                        : QStringLiteral("Argumento inesperado: %1").arg(rest.at(3)), TableUsage());
    const QString& key = rest.at(0);
    const QString& column = rest.at(1);
    StoreTypedValue(table, key, column, rest.at(2));

    if (table == QStringLiteral("Basico")) {
        // As when the window closes: every rank brought to its model spelling. The command line
        // cannot ask, so a spelling not recognised stays as typed and is told.
        const NormaliseOutcome ranks =
            RankPassOnClose([](const QString&, const QStringList&) { return std::optional<int>(); });
        for (const QString& spelling : ranks.leftAsTyped)
            err(QStringLiteral("Posto ou graduação não reconhecido, mantido como digitado: %1").arg(spelling));
    }
    BrowserTableModel model(table);
    model.refresh();
    const QString shownKey = column.compare(model.record().fieldName(0), Qt::CaseInsensitive) == 0 ? rest.at(2) : key;
    printRows(model, model.rowOfKey(shownKey.trimmed()));
    return Ok;
}

}

int RunTable(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return badUsage(QStringLiteral("Falta o que mostrar: servicos, militares, escala, situacao ou alterar."), TableUsage());
    const QString what = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (what == QStringLiteral("servicos")) {
        if (!rest.isEmpty())
            return badUsage(QStringLiteral("Argumento inesperado: %1").arg(rest.first()), TableUsage());
        return showTable(QStringLiteral("Sv"));
    }
    if (what == QStringLiteral("militares"))
        return runPersonnel(rest);
    if (what == QStringLiteral("escala"))
        return runRoster(rest);
    if (what == QStringLiteral("situacao"))
        return runSituation(rest);
    if (what == QStringLiteral("alterar"))
        return runChange(rest);
    return badUsage(QStringLiteral("Argumento inesperado: %1").arg(what), TableUsage());
}

QString TableUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] tabela servicos\n"
        "     ravelha-cli [--dados PASTA] tabela militares [--numero NUM | --nome PARTE | --afastamento P|R|P+R]\n"
        "     ravelha-cli [--dados PASTA] tabela escala COD\n"
        "     ravelha-cli [--dados PASTA] tabela situacao COD [--pdf ARQUIVO]\n"
        "     ravelha-cli [--dados PASTA] tabela alterar servicos COD COLUNA VALOR\n"
        "     ravelha-cli [--dados PASTA] tabela alterar militares NUM COLUNA VALOR\n"
        "     ravelha-cli [--dados PASTA] tabela alterar escala COD NUM COLUNA VALOR\n"
        "       (dias como DD/MM/AA; um valor vazio como \"\"; após alterar militares os postos vão à\n"
        "        escrita modelo)\n");
}

}
