#pragma once
// The service lists of the tabs "Escalar Manual" and "Trocas Sv": one entry per code 1 to 30, and
// the code read back from the entry the keeper chose.

#include <QString>
#include <QStringList>
#include <optional>

// The 30 entries from the service register in memory: the stored code (0 for a code that holds no
// service), three blanks and the short name.
QStringList ServiceEntries();

// The code of a chosen entry: its first two characters without trailing blanks, as a number.
// Nothing when no entry is chosen; 0 when the text is no number.
std::optional<int> ServiceCodeOfEntry(const QString& entry);

// The refusal of a chosen code that names no registered service (an entry shown with code 0);
// nothing when the service is registered. The service register must be loaded.
std::optional<QString> UnregisteredServiceRefusal(int code);

// The answer when no service was chosen.
inline const QString NoServiceChosen = QStringLiteral("Você deve selecionar um serviço");
