#pragma once
// One soldier into and out of the register (Basico), and into and out of the rosters of the
// services the keeper chose. Used by the window "Inclusão/Exclusão de um Militar " and by
// ravelha-cli incluir, excluir and servicos.

#include <QDate>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

// A Yes/No question put to the keeper; true is Yes.
using AskKeeper = std::function<bool(const QString& question)>;

inline const QString StillInHistoryQuestion = QStringLiteral("Ainda há este Número no Arquivo Histórico. Gravar ?");
inline const QString NumberAlreadyRegistered = QStringLiteral("Número já existente no Sistema");
inline const QString FieldsMustBeFilled = QStringLiteral("Campos Nome e Posto devem ser preenchidos");
inline const QString NumberNotFound = QStringLiteral("Número não encontrado");
inline const QString SoldierNotRegistered = QStringLiteral("Militar não está cadastrado no Sistema");

struct PersonnelOutcome {
    bool done = false;
    QString message;          // what the keeper reads when it was not done; empty when he said No
    QString registeredName;   // the number is registered already: the name it stands for
    QString num;              // done: the number as stored
};

// Registers a new soldier. The number, rank and name are taken without leading and trailing
// blanks; one longer than its field (4, 7 and 15 characters) is refused, naming the limit. A number that a history record still lists is
// registered only when `ask` answers Yes to StillInHistoryQuestion. Nothing is written unless the
// soldier is added. Loads the soldiers.
PersonnelOutcome IncludeSoldier(const QString& num, const QString& rank, const QString& name, const AskKeeper& ask);

// Takes a soldier out of every roster and out of the register, in one transaction; the history
// keeps his number. Clears the selection marks. Loads services, soldiers and rosters.
PersonnelOutcome ExcludeSoldier(const QString& num, const QDate& today);

// Puts a registered soldier into the rosters of the registered services among `chosen` and takes
// him out of every other roster: a present member keeps his row, a newcomer starts at the
// roster's lowest counts on `today`. Loads services, soldiers and rosters.
PersonnelOutcome SaveServicesOf(const QString& num, const QSet<int>& chosen, const QDate& today);

// A roster the soldier belongs to, with his counts in it.
struct SoldierInService {
    int code = 0;
    QString descr;
    QString pt;
    QString vm;
};

// The registered services whose roster lists the number, in code order. Loads services and rosters.
std::vector<SoldierInService> RostersOfSoldier(const QString& num);
// "Serviço 3 (Cb Gda): Pt 1, Vm 0"
QString SoldierInServiceLine(const SoldierInService& service);
