#pragma once
// ravelha-cli equilibrio and auditoria: the balance of a roster and the audit of the counts
// against the log of counts.

#include <QString>
#include <QStringList>

namespace Cli {

// The arguments after "equilibrio": COD. Prints the balance of that roster.
int RunBalance(const QStringList& arguments);
// The arguments after "auditoria": none. Prints every finding; exit 1 when there is one.
int RunAudit(const QStringList& arguments);
// Their lines of the usage text, each ending with a line break.
QString AuditUsage();

}
