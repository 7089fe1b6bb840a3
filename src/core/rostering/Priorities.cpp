#include "Priorities.h"

#include "data/UGlobal.h"

#include <algorithm>
#include <array>

const QString PriorityQuestion = QStringLiteral(
    "Os serviços serão escalados na ordem das prioridades (1..2..3..etc)\n\n"
    "Estas prioridades levam em conta a relação (Total de militares na escala / Nº de escalados por dia)."
    "\n\n                                                 Continuar ?");

namespace {

constexpr double NobodyAvailable = 1000;

bool onRealAbsence(const SoldierRecord& soldier, const QDate& today)
{
    // A missing first day is before every day; a missing last day ends nothing.
    return soldier.PR == QStringLiteral("R") && (!soldier.Ini.isValid() || soldier.Ini <= today)
        && soldier.Fim.isValid() && today <= soldier.Fim;
}

int availableMembers(const RosterTable& roster, const QDate& today)
{
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    int available = 0;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        if (roster.lists(soldiers[i].Num) && !onRealAbsence(soldiers[i], today))
            ++available;
    return available;
}

}

std::vector<ServicePriority> RankServices(const QDate& today)
{
    const GlobalModel& g = Global();
    std::vector<ServicePriority> ranking;
    // Place n starts with the record of code n; an empty record (code 0, no places) for a code
    // without a service.
    std::array<ServicePriority, Capacity::Services + 1> places{};
    for (int n = 1; n <= Capacity::Services; ++n) {
        const ServiceRecord& service = g.ServiceTable[n];
        if (service.Descr.isEmpty())
            continue;
        ServicePriority& p = places[n];
        p.code = n;
        p.descr = service.Descr;
        p.places = service.Quant;
        p.available = availableMembers(g.Grades[n], today);
        if (p.places != 0)
            p.ratio = p.available == 0 ? NobodyAvailable : double(p.available) / p.places;
    }
    // The exchange sort of the rules: records without places keep theirs, equal ratios are not
    // exchanged with each other.
    for (int c = 1; c <= Capacity::Services; ++c) {
        if (places[c].places == 0)
            continue;
        for (int d = c + 1; d <= Capacity::Services; ++d)
            if (places[d].places != 0 && *places[c].ratio > *places[d].ratio)
                std::swap(places[c], places[d]);
    }
    for (int i = 1; i <= Capacity::Services; ++i)
        if (places[i].code != 0)
            places[i].priority = i;
    for (const ServicePriority& p : places)
        if (p.code != 0)
            ranking.push_back(p);
    std::sort(ranking.begin(), ranking.end(),
              [](const ServicePriority& a, const ServicePriority& b) { return a.code < b.code; });
    return ranking;
}

std::vector<ServicePriority> PlanPriorities(const QDate& today)
{
    LoadSoldiers();
    // Read into an empty list: a service kept in memory after its row left Sv is not written back.
    ServiceList services{};
    LoadServicesInto(services, Alias::Ravelha, QStringLiteral("Sv"));
    Global().ServiceTable = services;
    LoadAllRosters();
    return RankServices(today);
}

void WritePriorities(const std::vector<ServicePriority>& ranking)
{
    for (const ServicePriority& p : ranking)
        Global().ServiceTable[p.code].Prio = p.priority;
    SaveServices();
}

std::vector<ServicePriority> CalculatePriorities(const QDate& today)
{
    const std::vector<ServicePriority> ranking = PlanPriorities(today);
    WritePriorities(ranking);
    return ranking;
}

QString PriorityLine(const ServicePriority& service)
{
    QString ratio = QStringLiteral("sem razão (nenhum por dia)");
    if (service.ratio)
        ratio = QStringLiteral("razão ") + QString::number(*service.ratio, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("Serviço %1 (%2): %3 disponíveis, %4 por dia, %5, prioridade %6")
        .arg(service.code)
        .arg(service.descr)
        .arg(service.available)
        .arg(service.places)
        .arg(ratio)
        .arg(service.priority);
}
