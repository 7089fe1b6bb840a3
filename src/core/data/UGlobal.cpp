#include "UGlobal.h"

#include "CoreError.h"
#include "Dates.h"
#include "TableSchema.h"

#include <QSqlQuery>

namespace {

std::unique_ptr<GlobalModel>& modelHolder()
{
    static std::unique_ptr<GlobalModel> model = std::make_unique<GlobalModel>();
    return model;
}

QString textOf(const QSqlQuery& row, int column)
{
    return row.value(column).toString();
}

// An empty column leaves the day as it was.
void readDay(const QSqlQuery& row, int column, QDate& day)
{
    const QString text = textOf(row, column);
    if (!text.isEmpty())
        day = Dates::fromStorage(text);
}

int wholeNumber(const QString& cell, const QString& num, const QString& table)
{
    bool ok = false;
    const int value = cell.trimmed().toInt(&ok);
    if (!ok)
        throw CoreError(QStringLiteral("A contagem \"%1\" do militar %2 na tabela %3 não é um número inteiro. "
                                       "Nada foi gravado.")
                            .arg(cell, num, table));
    return value;
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
    QSqlQuery rows = TDMGeral::instance().openTable(alias, table, Capacity::Services);
    std::vector<ServiceRecord> loaded;
    while (rows.next()) {
        const int code = rows.value(0).toInt();
        if (code < 1 || code > Capacity::Services)
            throw CoreError(QStringLiteral("A tabela %1 tem um serviço de código %2; os códigos vão de 1 a %3. "
                                           "Nada foi carregado.")
                                .arg(table).arg(code).arg(Capacity::Services));
        ServiceRecord record = services[code];
        record.CodSv = code;
        record.Descr = cut(textOf(rows, 1), Width::Descr);
        readDay(rows, 2, record.Ini);
        readDay(rows, 3, record.Fim);
        record.Quant = rows.value(4).toInt();
        record.Prio = rows.value(5).toInt();
        loaded.push_back(record);
    }
    for (const ServiceRecord& record : loaded)
        services[record.CodSv] = record;
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
            writer.append({s.CodSv, s.Descr, s.Ini, s.Fim, s.Quant, s.Prio, QVariant()});
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
    QSqlQuery rows = TDMGeral::instance().openTable(alias, table, Capacity::Soldiers);
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (SoldierRecord& s : soldiers)
        s = SoldierRecord();
    int i = 0;
    while (rows.next()) {
        SoldierRecord& s = soldiers[++i];
        s.Num = cut(textOf(rows, 0), Width::Num);
        s.Nome = cut(textOf(rows, 1), Width::Nome);
        s.PstGrd = cut(textOf(rows, 2), Width::PstGrd);
        if (!textOf(rows, 3).isEmpty())
            s.PR = cut(textOf(rows, 3), Width::PR);
        readDay(rows, 4, s.Ini);
        readDay(rows, 5, s.Fim);
        const QString usv = textOf(rows, 6);
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
        writer.append({s.Num, s.Nome, s.PstGrd, s.PR, s.Ini, s.Fim, USvText(s)});
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
            throw CoreError(QStringLiteral("O militar %1 tem um dia inválido entre os últimos serviços: \"%2\".")
                                .arg(s.Num, token));
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
    const std::vector<HistoryRecord>& history = Global().HistoryCache;
    int n = 0;
    while (n < Capacity::History && !history[n + 1].Descr.isEmpty())
        ++n;
    return n;
}

void LoadHistory(Alias alias, const QString& table)
{
    QSqlQuery rows = TDMGeral::instance().openTable(alias, table, Capacity::History);
    // Every record is emptied, not only those in use, so no stale record can come back later.
    std::vector<HistoryRecord>& history = Global().HistoryCache;
    for (HistoryRecord& h : history)
        h = HistoryRecord();
    int i = 0;
    while (rows.next()) {
        HistoryRecord& h = history[++i];
        h.Dia = Dates::fromStorage(textOf(rows, 0));
        h.CodSv = rows.value(1).toInt();
        h.Descr = cut(textOf(rows, 2), Width::Descr);
        h.Num = cut(textOf(rows, 3), Width::HistNum);
        if (!textOf(rows, 4).isEmpty())
            h.PtVm = cut(textOf(rows, 4), Width::PtVm);
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
            writer.append({h.Dia, h.CodSv, h.Descr, h.Num, h.PtVm});
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

void LoadRoster(RosterTable& roster, const QString& tableFileName, Alias alias)
{
    QSqlQuery rows = TDMGeral::instance().openTable(alias, tableFileName, Capacity::RosterRows);
    int row = 0;
    while (rows.next()) {
        ++row;
        roster.cell(RosterTable::NumCol, row) = cut(textOf(rows, 0), Width::Num);
        // An empty count is read as 0.
        roster.cell(RosterTable::PtCol, row) = QString::number(rows.value(1).toLongLong());
        roster.cell(RosterTable::VmCol, row) = QString::number(rows.value(2).toLongLong());
    }
}

void SaveRoster(const RosterTable& roster, const QString& tableFileName, Alias alias)
{
    // Every count is checked before the table is touched: a bad cell changes nothing.
    struct Row {
        QString num;
        int pt;
        int vm;
    };
    std::vector<Row> rows;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty() || num == QStringLiteral("x"))
            continue;
        rows.push_back({num, wholeNumber(roster.cell(RosterTable::PtCol, row), num, tableFileName),
                        wholeNumber(roster.cell(RosterTable::VmCol, row), num, tableFileName)});
    }
    TDMGeral::TableWriter writer(TDMGeral::instance(), alias, tableFileName);
    for (const Row& r : rows)
        writer.append({r.num, r.pt, r.vm});
    writer.commit();
}

void LoadAllRosters(Alias alias)
{
    GlobalModel& g = Global();
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (!registered(g.ServiceTable[n]))
            continue;
        g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
        ClearRoster(*g.CurrentRoster);
        LoadRoster(*g.CurrentRoster, g.CurrentTableName, alias);
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
