#include "IndividualInclusion.h"

#include "ServiceMembership.h"
#include "data/UDMGeral.h"
#include "data/RowChecks.h"
#include "data/UGlobal.h"

#include <tuple>

namespace {

PersonnelOutcome refused(const QString& message)
{
    PersonnelOutcome outcome;
    outcome.message = message;
    return outcome;
}

// The record of the number among the records in use (1 up to the first empty Num), or 0; `free`
// receives the first empty record, or 0 when all are in use.
int recordOf(const QString& num, int* free = nullptr)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers; ++i) {
        if (soldiers[i].Num.isEmpty()) {
            if (free)
                *free = i;
            return 0;
        }
        if (soldiers[i].Num == num)
            return i;
    }
    if (free)
        *free = 0;
    return 0;
}

// Why a number cannot be a soldier's number, or nothing. Lists of numbers are split at blanks, and
// "x" marks a record or a row to be dropped at the next save.
QString numberProblem(const QString& num)
{
    if (num.contains(QLatin1Char(' ')))
        return QStringLiteral("Número inválido: \"%1\" (o número não pode conter espaços).").arg(num);
    if (num == QStringLiteral("x"))
        return QStringLiteral("Número inválido: \"x\" (reservado pelo sistema).");
    return QString();
}

}

PersonnelOutcome IncludeSoldier(const QString& typedNum, const QString& typedRank, const QString& typedName,
                                const AskKeeper& ask)
{
    const QString num = typedNum.trimmed();
    const QString rank = typedRank.trimmed();
    const QString name = typedName.trimmed();
    if (const QString problem = numberProblem(num); !problem.isEmpty())
        return refused(problem);
    // Nothing is stored other than typed: a number cut to four characters would be another
    // soldier's (12345 stored as 1234), and a cut name or rank would be taken for the whole.
    for (const auto& [field, text, width] : {std::tuple{QStringLiteral("O Número"), num, Width::Num},
                                             std::tuple{QStringLiteral("O Posto/Graduação"), rank, Width::PstGrd},
                                             std::tuple{QStringLiteral("O Nome"), name, Width::Nome}}) {
        if (const std::optional<QString> refusal = RowChecks::widthRefusal(field, text, width))
            return refused(*refusal);
    }

    if (!num.isEmpty() && NumberInHistory(num) && !ask(StillInHistoryQuestion))
        return refused(QString());

    LoadSoldiers();
    int free = 0;
    if (const int record = recordOf(num, &free)) {
        PersonnelOutcome outcome = refused(NumberAlreadyRegistered);
        outcome.registeredName = Global().SoldierTable[record].Nome;
        return outcome;
    }
    if (num.isEmpty() || rank.isEmpty() || name.isEmpty())
        return refused(FieldsMustBeFilled);
    if (!free)
        return refused(QStringLiteral("O cadastro já tem %1 militares: não há lugar para mais um. Nada foi gravado.")
                           .arg(Capacity::Soldiers));

    SoldierRecord& record = Global().SoldierTable[free];
    record = SoldierRecord();
    record.Num = num;
    record.PstGrd = rank;
    record.Nome = name;
    try {
        SaveSoldiers();
    } catch (...) {
        record = SoldierRecord();   // the model goes back to what is stored
        throw;
    }
    PersonnelOutcome outcome;
    outcome.done = true;
    outcome.num = num;
    return outcome;
}

PersonnelOutcome ExcludeSoldier(const QString& typedNum, const QDate& today)
{
    const QString num = typedNum.trimmed();
    LoadSoldiers();
    if (num.isEmpty() || !recordOf(num))
        return refused(NumberNotFound);

    ClearSelectionMarks();
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    try {
        PlaceInServices({num}, QSet<int>(), today);   // out of every roster; reloads the soldiers
        SoldierRecord& record = Global().SoldierTable[recordOf(num)];
        record.Num.clear();
        record.Nome.clear();
        SaveSoldiers();
        transaction.commit();
    } catch (...) {
        // Nothing was stored: the model is read back so that it shows the tables as they are.
        try {
            LoadSoldiers();
            LoadAllRosters();
        } catch (...) {
        }
        throw;
    }
    LoadSoldiers();
    PersonnelOutcome outcome;
    outcome.done = true;
    outcome.num = num;
    return outcome;
}

PersonnelOutcome SaveServicesOf(const QString& typedNum, const QSet<int>& chosen, const QDate& today)
{
    const QString num = typedNum.trimmed();
    LoadSoldiers();
    if (num.isEmpty() || !recordOf(num))
        return refused(SoldierNotRegistered);
    PlaceInServices({num}, chosen, today);
    PersonnelOutcome outcome;
    outcome.done = true;
    outcome.num = num;
    return outcome;
}

std::vector<SoldierInService> RostersOfSoldier(const QString& num)
{
    const QList<int> codes = ServicesOfSoldier(num.trimmed());
    const GlobalModel& g = Global();
    std::vector<SoldierInService> services;
    for (int code : codes) {
        const RosterTable& roster = g.Grades[code];
        for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
            if (roster.cell(RosterTable::NumCol, row) == num.trimmed()) {
                services.push_back({code, g.ServiceTable[code].Descr, roster.cell(RosterTable::PtCol, row),
                                    roster.cell(RosterTable::VmCol, row)});
                break;
            }
        }
    }
    return services;
}

QString SoldierInServiceLine(const SoldierInService& service)
{
    return QStringLiteral("Serviço %1 (%2): Pt %3, Vm %4").arg(service.code).arg(service.descr, service.pt, service.vm);
}
