#pragma once
// The priorities of the services (item 11 of "Manutenção", ravelha-cli prioridades): the fewer
// soldiers available per place a service has today, the earlier it chooses in the roster
// computation (lowest Prio first).

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

struct ServicePriority {
    int code = 0;
    QString descr;
    int available = 0;              // members of its roster with a personnel record, not on a real absence today
    int places = 0;                 // soldiers it needs per day (Quant)
    std::optional<double> ratio;    // available / places, 1000 when nobody is available; none when places is 0
    int priority = 0;               // the new Prio
};

// The question the keeper answers before the priorities are written.
extern const QString PriorityQuestion;

// The ranking of the registered services, in code order, from the model as loaded (services,
// soldiers, the roster tables of the registered services). A service that needs nobody per day
// keeps its place among the thirty, as a code without a service does.
std::vector<ServicePriority> RankServices(const QDate& today);

// Loads services, soldiers and rosters and ranks the services; writes nothing.
std::vector<ServicePriority> PlanPriorities(const QDate& today);
// Writes each ranked service's new Prio into Sv (one transaction), over the services as loaded by
// PlanPriorities.
void WritePriorities(const std::vector<ServicePriority>& ranking);
// Both: the ranking written.
std::vector<ServicePriority> CalculatePriorities(const QDate& today);

// One line of the ranking: code, name, available soldiers, places per day, ratio, new priority.
QString PriorityLine(const ServicePriority& service);
