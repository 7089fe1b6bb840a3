#include "TableSchema.h"

#include "Capacities.h"
#include "CoreError.h"

#include <QRegularExpression>

namespace TableSchema {

Table tableOf(const QString& tableOrFileName)
{
    static const QRegularExpression form(
        QStringLiteral("^(Rav)?(Basico|Sv|Hist|Sv([1-9]|[12][0-9]|30))(\\.DB)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(tableOrFileName);
    if (!m.hasMatch())
        throw CoreError(QStringLiteral("A tabela %1 não existe.").arg(tableOrFileName));

    const QString prefix = m.captured(1).isEmpty() ? QString() : QStringLiteral("Rav");
    const QString base = m.captured(2);
    if (!m.captured(3).isEmpty())
        return {prefix + QStringLiteral("Sv") + m.captured(3), Kind::Roster};
    if (base.compare(QStringLiteral("Basico"), Qt::CaseInsensitive) == 0)
        return {prefix + QStringLiteral("Basico"), Kind::Personnel};
    if (base.compare(QStringLiteral("Hist"), Qt::CaseInsensitive) == 0)
        return {prefix + QStringLiteral("Hist"), Kind::History};
    return {prefix + QStringLiteral("Sv"), Kind::Services};
}

QString rosterFileName(int serviceCode)
{
    return QStringLiteral("Sv%1.DB").arg(serviceCode);
}

QStringList columns(Kind kind)
{
    switch (kind) {
    case Kind::Personnel:
        return {"Num", "Nome", "PstGrd", "PR", "Ini", "Fim", "USv"};
    case Kind::Services:
        return {"CodSv", "Descr", "Ini", "Fim", "Quant", "Prio", "Folga"};
    case Kind::Roster:
        return {"Num", "Pt", "Vm"};
    case Kind::History:
        return {"Dia", "CodSv", "Descr", "Num", "PtVm"};
    }
    return {};
}

QString keyOrder(Kind kind)
{
    switch (kind) {
    case Kind::Personnel:
    case Kind::Roster:
        return QStringLiteral("ORDER BY Num");
    case Kind::Services:
        return QStringLiteral("ORDER BY CodSv");
    case Kind::History:
        return QStringLiteral("ORDER BY Dia, CodSv");
    }
    return {};
}

namespace {

QString fileCreateStatement(const Table& table)
{
    // Num keys are TEXT so that they order as text ("10" before "9"); days are ISO text.
    switch (table.kind) {
    case Kind::Personnel:
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Num TEXT NOT NULL PRIMARY KEY, Nome TEXT, "
                              "PstGrd TEXT, PR TEXT, Ini TEXT, Fim TEXT, USv TEXT)").arg(table.name);
    case Kind::Services:
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (CodSv INTEGER NOT NULL PRIMARY KEY, Descr TEXT, "
                              "Ini TEXT, Fim TEXT, Quant INTEGER, Prio INTEGER, Folga NUMERIC)").arg(table.name);
    case Kind::Roster:
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Num TEXT NOT NULL PRIMARY KEY, Pt NUMERIC, "
                              "Vm NUMERIC)").arg(table.name);
    case Kind::History:
        return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Dia TEXT NOT NULL, CodSv INTEGER NOT NULL, "
                              "Descr TEXT, Num TEXT, PtVm TEXT, PRIMARY KEY (Dia, CodSv))").arg(table.name);
    }
    return {};
}

}

QString createStatement(const Table& table, Engine engine)
{
    QString statement = fileCreateStatement(table);
    if (engine == Engine::Server)
        statement.replace(QStringLiteral(" TEXT"), QStringLiteral(" TEXT COLLATE \"C\""));
    return statement;
}

QStringList workingTables()
{
    QStringList names{QStringLiteral("Basico"), QStringLiteral("Sv")};
    for (int n = 1; n <= Capacity::Services; ++n)
        names << QStringLiteral("Sv%1").arg(n);
    names << QStringLiteral("Hist");
    return names;
}

QStringList initialTables()
{
    return {"RavBasico", "RavSv", "RavSv1", "RavSv2", "RavSv3", "RavSv4", "RavHist"};
}

}
