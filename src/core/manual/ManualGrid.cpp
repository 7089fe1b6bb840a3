#include "ManualGrid.h"

#include "rostering/Commit.h"

#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"

int ManualGrid::serviceRows() const
{
    int n = 0;
    while (n < rows.size() && n < MaxRows && !rows.at(n).descr.isEmpty())
        ++n;
    return n;
}

std::optional<QDate> ManualGrid::dayOf(int column) const
{
    if (column < 0 || column >= DayColumns || days[column].isEmpty())
        return std::nullopt;
    return Dates::parse(days[column]);
}

bool ManualGrid::hasText() const
{
    for (int r = 0; r < serviceRows(); ++r) {
        for (const QString& cell : rows.at(r).cells) {
            if (!cell.isEmpty())
                return true;
        }
    }
    return false;
}

QString& ManualGrid::cell(int row, int column)
{
    while (rows.size() <= row)
        rows.append(ManualGridRow());
    return rows[row].cells[column];
}

namespace {

ManualPreparation refused(const QString& message)
{
    ManualPreparation preparation;
    preparation.refusal = message;
    return preparation;
}

// The service is in force on the day (a service without a last day never is, as in the
// automatic roster).
bool inForce(const ServiceRecord& service, const QDate& day)
{
    if (!service.Fim.isValid())
        return false;
    return (!service.Ini.isValid() || service.Ini <= day) && day <= service.Fim;
}

}

ManualPreparation PrepareManualGrid(const QString& endText, const ManualGrid& current)
{
    if (endText.isEmpty())
        return refused(NoEndDayMessage);
    const std::optional<QDate> end = Dates::parse(endText);
    if (!end)
        return refused(Dates::invalidDateMessage(endText));
    if (DataFiles::ReadPreparationPeriod().last < *end) {
        const QString periodEnd = DataFiles::PreparationEndText();
        return refused(QStringLiteral("Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
                                      "             A data atual vai até o dia ")
                       + periodEnd + QStringLiteral("\n\nPara ampliá-la, use o item 5. da aba /Manutenção/"));
    }
    // The last rostered day as stored; the tab's label shows the same text.
    const QDate last = LastRosteredDate();
    if (last.daysTo(*end) > ManualGrid::DayColumns)
        return refused(QStringLiteral("Só é possível escalar até o dia ")
                       + Dates::show(last.addDays(ManualGrid::DayColumns)));

    GlobalModel& g = Global();
    LoadServices();
    ManualPreparation preparation;
    preparation.end = *end;
    preparation.lastRostered = last;
    ManualGrid& grid = preparation.grid;
    for (int code = 1; code <= Capacity::Services; ++code) {
        ServiceRecord& service = g.ServiceTable[code];
        if (service.Descr.isEmpty())
            continue;
        // Verification looks for days already rostered of every marked service.
        service.Marca = QStringLiteral("S");
        ManualGridRow row;
        row.descr = service.Descr;
        row.code = code;
        const int at = grid.rows.size();
        if (at < current.rows.size())
            row.cells = current.rows.at(at).cells;
        grid.rows << row;
    }
    for (int c = 0; c < ManualGrid::DayColumns; ++c) {
        const QDate day = last.addDays(c + 1);
        if (day <= *end)
            grid.days[c] = Dates::show(day);
    }
    for (ManualGridRow& row : grid.rows) {
        for (int c = 0; c < ManualGrid::DayColumns; ++c) {
            const std::optional<QDate> day = grid.dayOf(c);
            if (day && !inForce(g.ServiceTable[row.code], *day))
                row.cells[c] = NoServiceMarker;
        }
    }
    return preparation;
}
