#include "CollectiveInclusion.h"

#include "ServiceMembership.h"
#include "data/CoreError.h"
#include "data/SqlTransaction.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"

#include <QSet>

namespace {

const QString LinePrefix = QStringLiteral("              Registro: ");

// Why a line cannot be registered, or nothing when it can.
QString lineFault(const QString& line)
{
    const CollectiveEntry entry = SplitCollectiveLine(line);
    if (entry.Num.isEmpty() || entry.PstGrd.isEmpty() || entry.Nome.isEmpty())
        return EmptyFieldMessage(line);
    // A longer number would be cut to 4 characters and could take another soldier's; a blank would
    // split it in the lists and the history; "x" is the mark of a record being dropped.
    if (entry.Num.size() > Width::Num || entry.Num.contains(QLatin1Char(' ')) || entry.Num == QStringLiteral("x"))
        return LinePrefix + line + QStringLiteral("\n\n")
               + QStringLiteral("Número inválido: o Número deve ter de 1 a 4 caracteres, sem espaços em branco");
    return QString();
}

// An empty line is a gap between records; a line of blanks is a record with its fields empty, and is
// reported as one.
bool isBlank(const QString& line)
{
    return line.isEmpty();
}

// The record of the number among the records in use, or 0; `free` gets the first free record.
int recordOf(const QString& num, int& free)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    free = 0;
    for (int i = 1; i <= Capacity::Soldiers; ++i) {
        if (soldiers[size_t(i)].Num.isEmpty()) {
            free = i;
            return 0;
        }
        if (soldiers[size_t(i)].Num == num)
            return i;
    }
    return 0;
}

QString listLine(const SoldierRecord& soldier)
{
    return soldier.Num + QLatin1Char(' ') + soldier.PstGrd + QLatin1Char(' ') + soldier.Nome;
}

}

QStringList ReadCollectiveFile(const QString& path)
{
    QStringList lines;
    for (const QString& line : TextFile::readLinesWithin(path, CollectiveFileLimits))
        if (!isBlank(line))
            lines << line;
    return lines;
}

CollectiveEntry SplitCollectiveLine(const QString& line)
{
    CollectiveEntry entry;
    const int first = line.indexOf(QLatin1Char(','));
    if (first < 0) {
        entry.Num = line;
        return entry;
    }
    entry.Num = line.left(first);
    const int second = line.indexOf(QLatin1Char(','), first + 1);
    if (second < 0) {
        entry.PstGrd = line.mid(first + 1);
        return entry;
    }
    entry.PstGrd = line.mid(first + 1, second - first - 1);
    entry.Nome = line.mid(second + 1);
    return entry;
}

QString EmptyFieldMessage(const QString& line)
{
    return LinePrefix + line + QStringLiteral("\n\n") + QStringLiteral("Campos Número, Posto e Nome devem ser preenchidos");
}

QString AlreadyRegisteredMessage(const QString& line)
{
    return QStringLiteral("        Registro: ") + line + QStringLiteral("\n\n") + QStringLiteral(" Já está incluído no Sistema");
}

QString HistoryQuestion(const QString& num)
{
    return QStringLiteral("Ainda há o número ") + num + QStringLiteral(" no Arquivo Histórico. Incluir mesmo assim ?");
}

CollectiveInclusion IncludeCollective(const QStringList& selectedLines, const CollectiveQuestion& ask,
                                      const CollectiveNotice& tell, const RankChooser& choose)
{
    QStringList lines;
    for (const QString& line : selectedLines)
        if (!isBlank(line))
            lines << line;
    if (lines.isEmpty())
        throw CoreError(QStringLiteral("Você deve selecionar os militares a serem incluídos"));

    // Every line is checked before any is registered: one bad line and the run registers nothing.
    QStringList faults;
    for (const QString& line : lines) {
        const QString fault = lineFault(line);
        if (!fault.isEmpty())
            faults << fault;
    }
    if (!faults.isEmpty())
        throw CoreError(faults.join(QStringLiteral("\n\n")) + QStringLiteral("\n\nNenhum militar foi incluído."));

    LoadSoldiers();
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    CollectiveInclusion result;
    QList<int> registered;
    for (const QString& line : lines) {
        const CollectiveEntry entry = SplitCollectiveLine(line);
        int free = 0;
        // A number already registered is skipped whatever the history holds: nothing to ask.
        if (recordOf(entry.Num, free)) {
            const QString message = AlreadyRegisteredMessage(line);
            result.skipped << message;
            if (tell)
                tell(message);
            continue;
        }
        if (NumberInHistory(entry.Num) && !(ask && ask(HistoryQuestion(entry.Num))))
            continue;
        if (!free)
            throw CoreError(QStringLiteral("O Sistema já tem %1 militares cadastrados: não há lugar para o registro\n%2\n\n"
                                           "Nenhum militar foi incluído.")
                                .arg(Capacity::Soldiers)
                                .arg(line));
        SoldierRecord& soldier = soldiers[size_t(free)];
        soldier = SoldierRecord();
        soldier.Num = entry.Num;
        soldier.PstGrd = cut(entry.PstGrd, Width::PstGrd);
        soldier.Nome = cut(entry.Nome, Width::Nome);
        registered << free;
    }

    RankModelGrid grid = LoadRankModels();
    // Without a chooser an unknown spelling is kept as written and nothing is learned.
    const RankChooser keep = [](const QString&, const QStringList&) { return std::optional<int>(); };
    result.ranks = NormaliseRanks(grid, soldiers, choose ? choose : keep);
    {
        // The register first: a rank file that cannot be written leaves it as it was.
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        SaveSoldiers();
        SaveRankModels(grid);
        transaction.commit();
    }
    for (int record : registered)
        result.beigeLines << listLine(soldiers[size_t(record)]);
    return result;
}

QStringList RegisteredSoldierLines()
{
    LoadSoldiers();
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    QStringList lines;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[size_t(i)].Num.isEmpty(); ++i)
        lines << listLine(soldiers[size_t(i)]);
    return lines;
}

QString NumberOfListLine(const QString& line)
{
    return line.section(QLatin1Char(' '), 0, 0);
}

QStringList ExcludeCollective(const QStringList& nums)
{
    LoadServices();
    LoadSoldiers();
    LoadAllRosters();
    GlobalModel& g = Global();
    QStringList removed;
    for (const QString& num : nums) {
        if (num.isEmpty() || num == QStringLiteral("x"))
            continue;
        SoldierRecord* soldier = nullptr;
        for (int i = 1; i <= Capacity::Soldiers && !soldier; ++i)
            if (g.SoldierTable[size_t(i)].Num == num)
                soldier = &g.SoldierTable[size_t(i)];
        if (!soldier)
            continue;
        soldier->Num = QStringLiteral("x");
        removed << num;
        for (int n = 1; n <= Capacity::Services; ++n) {
            if (g.ServiceTable[n].Descr.isEmpty())
                continue;
            RosterTable& roster = g.Grades[size_t(n)];
            for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
                if (roster.cell(RosterTable::NumCol, row) == num) {
                    for (int column = 0; column < RosterTable::Columns; ++column)
                        roster.cell(column, row) = QStringLiteral("x");
                    break;
                }
            }
        }
    }
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        SaveAllRosters();
        SaveSoldiers();
        transaction.commit();
    }
    LoadAllRosters();
    ClearSoldiers();
    LoadSoldiers();
    return removed;
}

QString ExclusionQuestion(int count)
{
    const QString who = count == 1 ? QStringLiteral("o militar selecionado") : QStringLiteral("os %1 militares selecionados").arg(count);
    return QStringLiteral("Excluir %1 do Sistema e de todas as escalas?\n"
                          "Seus pontos nas escalas serão perdidos e não há como desfazer.")
        .arg(who);
}

QStringList SaveServicesForSelection(const QStringList& nums, const QDate& today)
{
    QStringList messages;
    for (const QString& num : PlaceInServices(nums, MarkedServices(), today))
        messages << num + QStringLiteral(" Número não está incluído no sistema");
    return messages;
}
