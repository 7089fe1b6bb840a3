#include "ManualCommands.h"

#include "CliCommands.h"
#include "CliSupport.h"

#include "data/CoreError.h"
#include "data/TextFile.h"
#include "manual/ManualSession.h"

#include <QHash>

namespace Cli {

namespace {

constexpr char Separator = '|';

// A grid file holds a line per service; a line is the code and six cells, each a list of numbers
// the history can keep (120 characters), with room for blanks.
const TextFile::Limits GridFileLimits{QStringLiteral("uma Grade de Serviços"), QStringLiteral("um serviço"),
                                      Capacity::Services, 1024, 128 * 1024};

// A line of a bad grid file, named by file and line.
CoreError badLine(const QString& file, int line, const QString& what)
{
    return CoreError(QStringLiteral("A linha %1 do arquivo %2 %3").arg(line).arg(file, what));
}

// Puts the cells of the grid file into the rows of their services: one line per service code,
// COD|cell1|...|cell6; blank lines are passed over. A cell is taken as written, blanks included.
void fillFromFile(ManualGrid& grid, const QString& typedName)
{
    const QStringList lines = TextFile::readLinesWithin(fromStartFolder(typedName), GridFileLimits);
    QHash<int, int> lineOfCode;
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        if (lines.at(i).trimmed().isEmpty())
            continue;
        const QStringList parts = lines.at(i).split(QLatin1Char(Separator));
        bool ok = false;
        const int code = parts.first().trimmed().toInt(&ok);
        int row = -1;
        for (int r = 0; ok && r < grid.serviceRows(); ++r) {
            if (grid.rows.at(r).code == code)
                row = r;
        }
        if (row < 0)
            throw badLine(typedName, number, QStringLiteral("começa por \"%1\", que não é o código de um serviço cadastrado.")
                                                 .arg(parts.first()));
        if (lineOfCode.contains(code))
            throw badLine(typedName, number, QStringLiteral("repete o serviço %1, já dado na linha %2.")
                                                 .arg(code)
                                                 .arg(lineOfCode.value(code)));
        lineOfCode.insert(code, number);
        const QStringList cells = parts.mid(1);
        if (cells.size() > ManualGrid::DayColumns)
            throw badLine(typedName, number, QStringLiteral("tem %1 células; a grade tem no máximo %2 dias.")
                                                 .arg(cells.size())
                                                 .arg(ManualGrid::DayColumns));
        for (int c = 0; c < cells.size(); ++c)
            grid.rows[row].cells[c] = cells.at(c);
    }
}

}

int RunManual(const QStringList& arguments)
{
    const QString action = arguments.value(0);
    if (arguments.size() != 3 || (action != QStringLiteral("verificar") && action != QStringLiteral("escalar"))) {
        err(arguments.size() != 3 ? QStringLiteral("manual: use verificar|escalar DD/MM/AA ARQUIVO.")
                                  : QStringLiteral("manual: ação desconhecida: %1").arg(action));
        err(usage());
        return BadUsage;
    }

    ManualSession session;
    ManualPreparation preparation = session.prepare(arguments.at(1));
    if (!preparation.prepared()) {
        err(preparation.refusal);
        return Refused;
    }
    ManualGrid grid = preparation.grid;
    fillFromFile(grid, arguments.at(2));

    const ManualVerification verification = session.verify(grid);
    if (!verification.verifiedOk()) {
        err(verification.stopMessage);
        return Refused;
    }
    for (const QString& line : verification.lines)
        out(line);
    out(QStringLiteral("== Mensagens"));
    for (const QString& message : verification.countMessages)
        out(message);
    if (action == QStringLiteral("verificar"))
        return Ok;

    // Like "Escalar", a commit says nothing of its own.
    const ManualCommitOutcome outcome = session.commit(verification.grid);
    if (!outcome.done) {
        err(outcome.message);
        return Refused;
    }
    if (!outcome.notice.isEmpty())
        err(outcome.notice);
    return Ok;
}

QString ManualUsage()
{
    return QStringLiteral(
        "     ravelha-cli [--dados PASTA] manual verificar|escalar DD/MM/AA ARQUIVO\n"
        "       (a Grade de Serviços até DD/MM/AA; ARQUIVO tem uma linha por serviço, COD|célula1|...|célula6:\n"
        "        a célula i é a do i-ésimo dia, com os números dos militares separados por um espaço, e pode\n"
        "        ficar vazia)\n");
}

}
