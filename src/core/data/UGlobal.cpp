#include "UGlobal.h"

#include "CoreError.h"
#include "Dates.h"
#include "PlainCount.h"
#include "RowChecks.h"
#include "TableSchema.h"

#include <QSqlQuery>

namespace {

std::unique_ptr<GlobalModel>& modelHolder()
{
    static std::unique_ptr<GlobalModel> model = std::make_unique<GlobalModel>();
    return model;
}

// The rows a loader reads have passed RowChecks: every value is one the model can hold.
using Rows = std::vector<QVariantList>;

// An empty column leaves the day as it was.
void readDay(const QVariant& value, QDate& day)
{
    const QString text = value.toString();
    if (!text.isEmpty())
        day = Dates::fromStorage(text);
}

// A count cell of a roster as a whole number; an empty cell or any other text stops the save.
int wholeNumber(const QString& cell, const QString& num, const TableSchema::Table& table, const QString& column)
{
    // The usual cell is a count whatever its value: read it at once. Anything else goes through
    // the check that words the refusal.
    int value = 0;
    if (PlainCount(cell, value))
        return value;
    std::optional<QString> why = RowChecks::problem(table.kind, column, cell);
    if (cell.isEmpty())
        why = QStringLiteral("não pode ficar vazio");
    if (why)
        throw CoreError(RowChecks::refusal(table.name, RowChecks::rowName(table.kind, {num}), column, cell, *why));
    return cell.toInt();
}

bool registered(const ServiceRecord& service)
{
    return !service.Descr.isEmpty();
}

}

GlobalModel& Global()
{
    return *modelHolder();
}

void ResetModel()
{
    modelHolder() = std::make_unique<GlobalModel>();
}

RosterTable* SelectRoster(int serviceCode, const QString& kind)
{
    if (serviceCode < 1 || serviceCode > Capacity::Services)
        return nullptr;
    GlobalModel& g = Global();
    g.CurrentTableName = TableSchema::rosterFileName(serviceCode);
    return kind == QStringLiteral("Base") ? &g.Grades[serviceCode] : nullptr;
}

// --- services ---

void LoadServicesInto(ServiceList& services, Alias alias, const QString& table)
{
    const Rows rows = TDMGeral::instance().readRows(alias, table, Capacity::Services);
    // A service that left the table leaves the list too: else a later save would write it back.
    std::array<bool, Capacity::Services + 1> stored{};
    for (const QVariantList& row : rows)
        stored[row.at(0).toInt()] = true;
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (!stored[code])
            services[code] = ServiceRecord();
    }
    for (const QVariantList& row : rows) {
        const int code = row.at(0).toInt();
        ServiceRecord& record = services[code];
        record.CodSv = code;
        record.Descr = row.at(1).toString();
        readDay(row.at(2), record.Ini);
        readDay(row.at(3), record.Fim);
        record.Quant = row.at(4).toInt();
        record.Prio = row.at(5).toInt();
    }
}

void LoadServices(Alias alias)
{
    LoadServicesInto(Global().ServiceTable, alias, QStringLiteral("Sv"));
}

void SaveServices(Alias alias)
{
    TDMGeral::TableWriter writer(TDMGeral::instance(), alias, QStringLiteral("Sv"));
    const ServiceList& services = Global().ServiceTable;
    for (int n = 1; n <= Capacity::Services; ++n) {
        const ServiceRecord& s = services[n];
        if (registered(s))
            writer.append({s.CodSv, cut(s.Descr, Width::Descr), s.Ini, s.Fim, s.Quant, s.Prio, QVariant()});
    }
    writer.commit();
}

// --- soldiers ---

void ClearSoldiers()
{
    for (SoldierRecord& s : Global().SoldierTable) {
        s.Num.clear();
        s.PstGrd.clear();
        s.Nome.clear();
        s.PR.clear();
        s.USv.fill(QDate());
    }
}

void LoadSoldiers(Alias alias, const QString& table)
{
    const Rows rows = TDMGeral::instance().readRows(alias, table, Capacity::Soldiers);
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (SoldierRecord& s : soldiers)
        s = SoldierRecord();
    int i = 0;
    for (const QVariantList& row : rows) {
        SoldierRecord& s = soldiers[++i];
        s.Num = row.at(0).toString();
        s.Nome = row.at(1).toString();
        s.PstGrd = row.at(2).toString();
        s.PR = row.at(3).toString();
        readDay(row.at(4), s.Ini);
        readDay(row.at(5), s.Fim);
        const QString usv = row.at(6).toString();
        if (!usv.isEmpty())
            ParseUSv(i, usv);
    }
}

void SaveSoldiers(Alias alias, const QString& table)
{
    TDMGeral::TableWriter writer(TDMGeral::instance(), alias, table);
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers; ++i) {
        const SoldierRecord& s = soldiers[i];
        if (s.Num.isEmpty() || s.Num == QStringLiteral("x"))
            continue;
        writer.append({s.Num, cut(s.Nome, Width::Nome), cut(s.PstGrd, Width::PstGrd), s.PR, s.Ini, s.Fim, USvText(s)});
    }
    writer.commit();
}

void SaveSoldiersToBackup()
{
    LoadSoldiers();
    SaveSoldiers(Alias::BackUpRavSv);
}

QString NextToken(const QString& text, int p)
{
    if (p < 1 || p > text.size())
        return QString();
    const int from = p - 1;
    const int blank = text.indexOf(QLatin1Char(' '), from);
    return blank < 0 ? text.mid(from) : text.mid(from, blank - from);
}

void ParseUSv(int soldier, const QString& text)
{
    SoldierRecord& s = Global().SoldierTable[soldier];
    int position = 1;
    for (int slot = 0; slot < Capacity::ServiceDays; ++slot) {
        const QString token = NextToken(text, position);
        if (token.isEmpty())
            break;
        const std::optional<QDate> day = Dates::parse(token);
        if (!day)
            throw CoreError(RowChecks::refusal(QStringLiteral("Basico"),
                                               RowChecks::rowName(TableSchema::Kind::Personnel, {s.Num}),
                                               QStringLiteral("USv"), text,
                                               QStringLiteral("não é uma lista de dias: \"%1\" não é um dia")
                                                   .arg(token)));
        s.USv[slot] = *day;
        position += token.size() + 1;
    }
}

QString USvText(const SoldierRecord& soldier)
{
    QString text;
    for (const QDate& day : soldier.USv) {
        if (day.isValid())
            text += Dates::show(day) + QLatin1Char(' ');
    }
    return text;
}

void SortServiceDays(int soldier)
{
    std::array<QDate, Capacity::ServiceDays>& days = Global().SoldierTable[soldier].USv;
    // An empty slot comes before every day.
    auto greater = [](const QDate& a, const QDate& b) {
        if (!a.isValid())
            return false;
        return !b.isValid() || a > b;
    };
    for (int a = 0; a < Capacity::ServiceDays; ++a)
        for (int b = a + 1; b < Capacity::ServiceDays; ++b)
            if (greater(days[a], days[b]))
                std::swap(days[a], days[b]);
}

// --- history ---

int HistoryInUse()
{
    return HistoryInUse(Global().HistoryCache);
}

int HistoryInUse(const std::vector<HistoryRecord>& history)
{
    int n = 0;
    while (n < Capacity::History && !history[n + 1].Descr.isEmpty())
        ++n;
    return n;
}

void LoadHistory(Alias alias, const QString& table)
{
    const Rows rows = TDMGeral::instance().readRows(alias, table, Capacity::History);
    // Every record is emptied, not only those in use, so no stale record can come back later.
    std::vector<HistoryRecord>& history = Global().HistoryCache;
    for (HistoryRecord& h : history)
        h = HistoryRecord();
    int i = 0;
    for (const QVariantList& row : rows) {
        HistoryRecord& h = history[++i];
        h.Dia = Dates::fromStorage(row.at(0).toString());
        h.CodSv = row.at(1).toInt();
        h.Descr = row.at(2).toString();
        h.Num = row.at(3).toString();
        h.PtVm = row.at(4).toString();
    }
}

void SaveHistory(Alias alias, const QString& table)
{
    TDMGeral::TableWriter writer(TDMGeral::instance(), alias, table);
    const std::vector<HistoryRecord>& history = Global().HistoryCache;
    const int inUse = HistoryInUse();
    for (int i = 1; i <= inUse; ++i) {
        const HistoryRecord& h = history[i];
        if (!h.Num.isEmpty())
            writer.append({h.Dia, h.CodSv, cut(h.Descr, Width::Descr), h.Num, h.PtVm});
    }
    writer.commit();
}

void SaveHistoryToBackup()
{
    LoadHistory();
    SaveHistory(Alias::BackUpRavSv);
}

// --- rosters ---

void ClearRoster(RosterTable& roster)
{
    for (int row = 0; row <= Capacity::RosterRows; ++row)
        roster.row(row).fill(QString());
}

namespace {
void fillRoster(RosterTable& roster, const Rows& rows)
{
    int row = 0;
    for (const QVariantList& stored : rows) {
        ++row;
        roster.cell(RosterTable::NumCol, row) = stored.at(0).toString();
        // An empty count is read as 0.
        roster.cell(RosterTable::PtCol, row) = QString::number(stored.at(1).toLongLong());
        roster.cell(RosterTable::VmCol, row) = QString::number(stored.at(2).toLongLong());
    }
}
}

void LoadRoster(RosterTable& roster, const QString& tableFileName, Alias alias)
{
    fillRoster(roster, TDMGeral::instance().readRows(alias, tableFileName, Capacity::RosterRows));
}

void SaveRoster(const RosterTable& roster, const QString& tableFileName, Alias alias)
{
    // Every count is checked before the table is touched: a bad cell changes nothing.
    struct Row {
        QString num;
        int pt;
        int vm;
    };
    const TableSchema::Table table = TableSchema::tableOf(tableFileName);
    std::vector<Row> rows;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty() || num == QStringLiteral("x"))
            continue;
        rows.push_back({num, wholeNumber(roster.cell(RosterTable::PtCol, row), num, table, QStringLiteral("Pt")),
                        wholeNumber(roster.cell(RosterTable::VmCol, row), num, table, QStringLiteral("Vm"))});
    }
    TDMGeral::TableWriter writer(TDMGeral::instance(), alias, tableFileName);
    for (const Row& r : rows)
        writer.append({r.num, r.pt, r.vm});
    writer.commit();
}

void LoadAllRosters(Alias alias)
{
    GlobalModel& g = Global();
    // Every roster is read and checked before any is replaced: a refused one leaves all as they were.
    std::vector<Rows> read(Capacity::Services + 1);
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (registered(g.ServiceTable[n]))
            read[n] = TDMGeral::instance().readRows(alias, TableSchema::rosterFileName(n), Capacity::RosterRows);
    }
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (!registered(g.ServiceTable[n]))
            continue;
        g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
        ClearRoster(*g.CurrentRoster);
        fillRoster(*g.CurrentRoster, read[n]);
    }
}

void SaveAllRosters(Alias alias)
{
    GlobalModel& g = Global();
    SqlTransaction transaction(TDMGeral::instance().database(alias));
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (!registered(g.ServiceTable[n]))
            continue;
        g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
        SaveRoster(*g.CurrentRoster, g.CurrentTableName, alias);
    }
    transaction.commit();
}

void ClearSelectionMarks()
{
    for (ServiceRecord& s : Global().ServiceTable) {
        if (s.Marca == QStringLiteral("S"))
            s.Marca.clear();
    }
}
