#pragma once
// The register of services (item 13 of "Manutenção", ravelha-cli servico): adding a service under
// a free code, removing one, changing its description, daily quantity, priority and period.
// A service that still has history rows is retired (both days 01/01/00, priority 10), never
// deleted, so that the history keeps its code and description. Removing or retiring a service
// empties its roster.

#include "data/UGlobal.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class ServiceMode { Incluir, Excluir, Alterar };

// The texts of the register's boxes, as typed.
struct ServiceBoxes {
    QString code;
    QString descr;
    QString quant;
    QString prio;
    QString ini;     // dd/mm/yy
    QString fim;
    QString rest;    // "Folga": shown as "2", required, kept nowhere
};

struct ServiceSaveOutcome {
    bool saved = false;
    // A refusal; the question answered No; or, when saved, the retirement notice (else empty).
    QString message;
    bool declined = false;                   // the question before emptying the roster was answered No
    bool retired = false;                    // removed in name only: the history still lists it
    std::optional<ServiceBoxes> existing;    // "Código já existente": what the code holds
};

// A Yes/No question that guards a loss; an empty one answers No.
using ServiceConfirm = std::function<bool(const QString& question)>;

namespace ServiceRegister {

inline const QString RestShown = QStringLiteral("2");
inline const QString NewServiceStart = QStringLiteral("01/01/00");
inline const QString NewServiceEnd = QStringLiteral("01/01/50");
constexpr int DefaultPriority = 10;
constexpr int DailyCapacity = 24;   // soldiers a day whose numbers surely fit a history record

// "Códigos livres:  " then each free code (CodSv 0), in increasing order, followed by one blank.
QString FreeCodesText(const ServiceList& services);

// "N - Descr" for N = 1 to 30 (a free code as "N - "); services 1 to 15 make the left column,
// 16 to 30 the right one.
QString ListingLine(const ServiceList& services, int code);
QStringList LeftColumn(const ServiceList& services);
QStringList RightColumn(const ServiceList& services);
// The two columns side by side, one line per row (the command line's listing).
QStringList ListingRows(const ServiceList& services);

// Whether the code holds a service (CodSv not 0).
bool InUse(const ServiceList& services, int code);

// A code of 1 to 30 written as digits, or nothing.
std::optional<int> CodeOf(const QString& text);
QString InvalidCodeMessage(const QString& text);
// A whole number of 0 or more, or nothing.
std::optional<int> WholeNumberOf(const QString& text);
QString InvalidQuantityMessage(const QString& text);
QString InvalidPriorityMessage(const QString& text);

// The boxes filled with what a service holds (days as dd/mm/yy), the rest box with "2".
ServiceBoxes BoxesOf(const ServiceRecord& service, int code);

// The warning on leaving the quantity box with more than 24: the value is kept.
QString CapacityWarning();
bool AboveCapacity(const QString& quantityText);

// The retirement notice of a service that still has history rows.
QString RetirementMessage();

// Whether any stored history row names the service.
bool HasHistory(int code);
// The rows of the service's stored roster.
int RosterMembers(int code);
// Asked before a removal empties a roster that has members.
QString EmptyRosterQuestion(int code, const QString& descr, int members);

// The save of the register's button, on Global().ServiceTable as loaded. The checks run in this
// order and the first that fails is the answer, with nothing changed: the days (not in "Excluir",
// whose boxes only show the service), the code (required, 1 to 30, in use or free as the mode
// wants), the required fields, then the quantity and priority as numbers (an empty priority is 10).
// A removal that would empty a roster with members asks `confirm` first. The register and the
// emptied roster are written in one transaction; a failed write leaves both, and the model, as
// they were.
ServiceSaveOutcome SaveService(ServiceMode mode, const ServiceBoxes& boxes, const ServiceConfirm& confirm = {});

}
