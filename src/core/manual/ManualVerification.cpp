#include "ManualVerification.h"

#include "rostering/Calendar.h"
#include "rostering/Commit.h"
#include "rostering/Rules.h"

#include "data/Dates.h"
#include "data/UGlobal.h"

namespace {

ManualVerification stopped(ManualVerification::Stop stop, const QString& message)
{
    ManualVerification verification;
    verification.stop = stop;
    verification.stopMessage = message;
    return verification;
}

bool validCode(int code)
{
    return code >= 1 && code <= Capacity::Services;
}

// The first record of a service of the grid already in the history between `first` and `end`.
std::optional<QString> conflict(const ManualGrid& grid, const QDate& first, const QDate& end)
{
    const GlobalModel& g = Global();
    const int inUse = HistoryInUse();
    for (int r = 0; r < grid.serviceRows(); ++r) {
        const int code = grid.rows.at(r).code;
        for (int i = 1; i <= inUse; ++i) {
            const HistoryRecord& h = g.HistoryCache[i];
            if (h.CodSv == code && h.Dia >= first && h.Dia <= end)
                return QStringLiteral("O Serviço de ") + g.ServiceTable[code].Descr
                    + QStringLiteral(" já foi escalado no dia ") + Dates::show(h.Dia);
        }
    }
    return std::nullopt;
}

}

QStringList RepeatedNumbers(const ManualGrid& grid)
{
    QStringList lines;
    grid.forEachFilledCell([&](int, const ManualGridRow& row, int c, const QString& cell) {
        if (!grid.dayOf(c))
            return;
        QStringList seen;
        QStringList repeated;
        for (const QString& num : cell.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (seen.contains(num) && !repeated.contains(num))
                repeated << num;
            seen << num;
        }
        if (!repeated.isEmpty())
            lines << QStringLiteral("Serviço de %1, dia %2: %3 %4 mais de uma vez (\"%5\").")
                         .arg(row.descr, grid.days[c], repeated.join(QStringLiteral(", ")),
                              repeated.size() == 1 ? QStringLiteral("está") : QStringLiteral("estão"), cell);
    });
    return lines;
}

ManualVerification VerifyManualGrid(const ManualGrid& grid, const QDate& end)
{
    using Stop = ManualVerification::Stop;
    GlobalModel& g = Global();

    // Every verification starts from the stored state.
    const QByteArray digest = StoredStateDigest();
    LoadServices();
    LoadAllRosters();
    ClearSoldiers();
    LoadSoldiers();
    LoadHistory();

    // The grid's days follow the last rostered day it was prepared after; had that day moved
    // (a commit or an undo in between), its days would leave a gap or overlap.
    const QDate last = LastRosteredDate();
    const std::optional<QDate> firstColumn = grid.dayOf(0);
    if (firstColumn && *firstColumn != last.addDays(1))
        return stopped(Stop::Stale,
                       QStringLiteral("A última escalação vai até o dia %1, mas a Grade de Serviços começa no dia %2: "
                                      "ela foi preparada antes de a última escalação mudar.\n\n"
                                      "Prepare a grade de novo.")
                           .arg(Dates::show(last), Dates::show(*firstColumn)));
    if (const std::optional<QString> message = conflict(grid, last.addDays(1), end))
        return stopped(Stop::Conflict, *message);

    LoadRedDays();
    ManualVerification verification;
    verification.grid = grid;
    ManualGrid& checked = verification.grid;
    for (int r = 0; r < checked.serviceRows(); ++r) {
        for (QString& cell : checked.rows[r].cells) {
            if (cell == NoServiceMarker)
                cell.clear();
        }
    }
    if (!checked.hasText()) {
        verification.stop = Stop::Empty;
        verification.stopMessage = EmptyGridMessage;
        return verification;
    }
    // The history would list him twice and his count would rise twice for one duty.
    if (const QStringList repeated = RepeatedNumbers(checked); !repeated.isEmpty()) {
        verification.stop = Stop::Repeated;
        verification.stopMessage = QStringLiteral("Um militar não pode estar duas vezes no mesmo serviço do mesmo dia:\n\n")
            + repeated.join(QLatin1Char('\n'))
            + QStringLiteral("\n\nCorrija a Grade de Serviços e clique em \"Verificar\" de novo; nada pode ser escalado "
                             "antes disso.");
        return verification;
    }

    auto verified = std::make_shared<VerifiedManualGrid>();
    for (int c = 0; c < ManualGrid::DayColumns; ++c) {
        if (const std::optional<QDate> day = checked.dayOf(c))
            verified->kinds[c] = DayKind(*day);
    }
    const RosterTable noRoster;
    const ServiceRecord noService;
    verified->counted.resize(checked.serviceRows());
    for (int r = 0; r < checked.serviceRows(); ++r) {
        const ManualGridRow& row = checked.rows.at(r);
        const RosterTable& roster = validCode(row.code) ? *SelectRoster(row.code, QStringLiteral("Base")) : noRoster;
        const ServiceRecord& service = validCode(row.code) ? g.ServiceTable[row.code] : noService;
        for (int c = 0; c < ManualGrid::DayColumns; ++c) {
            const std::optional<QDate> day = checked.dayOf(c);
            if (!day)
                continue;
            const QString& cell = row.cells[c];
            int count = 0;
            int position = 1;
            // The first empty token ends the cell: a leading blank, or two in a row, end it early.
            for (QString num = NextToken(cell, position); !num.isEmpty(); num = NextToken(cell, position)) {
                position += num.size() + 1;
                ++count;
                if (roster.lists(num)) {
                    if (CheckManualAssignment(num, verified->kinds[c], *day, verification.lines))
                        verified->counted[r][c] << num;
                } else
                    verification.lines << num + QStringLiteral("  não concorre à escala de ") + row.descr;
            }
            if (count < service.Quant)
                verification.countMessages << QStringLiteral(" Dia: ") + checked.days[c]
                        + QStringLiteral(" Falta escalar militar no Serviço de ") + service.Descr;
            else if (count > service.Quant)
                verification.countMessages << QStringLiteral(" Dia: ") + checked.days[c]
                        + QStringLiteral(" Excesso de militares escalados no Serviço de ") + service.Descr;
        }
    }

    verified->grid = checked;
    verified->end = end;
    verified->grades = g.Grades;
    verified->soldiers = g.SoldierTable;
    verified->history = g.HistoryCache;
    verified->storedDigest = digest;
    verification.verified = verified;
    return verification;
}
