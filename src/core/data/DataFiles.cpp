#include "DataFiles.h"

#include "Capacities.h"
#include "CoreError.h"
#include "DataFolder.h"
#include "PendingFiles.h"
#include "Dates.h"
#include "TextFile.h"
#include "UnitTexts.h"

namespace DataFiles {

namespace {

// A file of the unit's state is kept on the server when the unit is; every other one is a file.
// Lines an operation recorded with its tables and not written yet count instead of the file's.
QStringList read(const QString& name)
{
    if (const std::optional<QStringList> staged = PendingFiles::pending(name))
        return *staged;
    if (UnitTexts::OnServer(name))
        return UnitTexts::Read(name);
    return TextFile::readLines(DataFolder::file(name));
}

void write(const QString& name, const QStringList& lines)
{
    if (UnitTexts::OnServer(name))
        return UnitTexts::Write(name, lines);
    TextFile::writeLines(DataFolder::file(name), lines);
}

QString lineAt(const QStringList& lines, int index)
{
    return index < lines.size() ? lines.at(index) : QString();
}

QDate dayOfLine(const QString& name, const QStringList& lines, int index)
{
    const QString text = lineAt(lines, index).trimmed();
    const std::optional<QDate> day = Dates::parse(text);
    if (!day)
        throw CoreError(QStringLiteral("A linha %1 do arquivo %2 não tem uma data válida: \"%3\".")
                            .arg(index + 1)
                            .arg(name, text));
    return *day;
}

}

CoverSettings ReadNiveis()
{
    const QStringList lines = read(Niveis);
    CoverSettings settings;
    for (int i = 0; i < 4; ++i)
        settings.coverLines << lineAt(lines, i);
    settings.picture = lineAt(lines, 4);
    settings.backupFolder = lineAt(lines, 5);
    return settings;
}

void WriteNiveis(const CoverSettings& settings)
{
    QStringList lines;
    for (int i = 0; i < 4; ++i)
        lines << lineAt(settings.coverLines, i);
    lines << settings.picture << settings.backupFolder;
    write(Niveis, lines);
}

QStringList EscalaLines()
{
    return read(Escala);
}

QString ReadLastRosteredDay()
{
    return lineAt(EscalaLines(), 0).left(Width::LastRosteredDay);
}

namespace {
QStringList lastRosteredDayLines(const QDate& day)
{
    if (!Dates::writable(day))
        throw CoreError(QStringLiteral("O dia %1 não pode ser gravado em %2: o Sistema guarda os dias de %3 a %4.")
                            .arg(day.toString(QStringLiteral("dd/MM/yyyy")), Escala, Dates::show(Dates::FirstDay),
                                 Dates::show(Dates::LastDay)));
    return {Dates::show(day)};
}
}

void WriteLastRosteredDay(const QDate& day)
{
    write(Escala, lastRosteredDayLines(day));
}

void StageLastRosteredDay(const QDate& day)
{
    PendingFiles::stage(Escala, lastRosteredDayLines(day));
}

PreparationPeriod ReadPreparationPeriod()
{
    const QStringList lines = read(DataIniFim);
    return {dayOfLine(DataIniFim, lines, 0), dayOfLine(DataIniFim, lines, 1)};
}

QString PreparationEndText()
{
    return lineAt(read(DataIniFim), 1).trimmed();
}

namespace {
QStringList preparationPeriodLines(const PreparationPeriod& period)
{
    return {Dates::show(period.first), Dates::show(period.last)};
}
}

void WritePreparationPeriod(const PreparationPeriod& period)
{
    write(DataIniFim, preparationPeriodLines(period));
}

void StagePreparationPeriod(const PreparationPeriod& period)
{
    PendingFiles::stage(DataIniFim, preparationPeriodLines(period));
}

QStringList ReadRedDayLines()
{
    // Blank lines hold no day and do not count against the calendar's capacity.
    QStringList lines;
    for (const QString& line : read(SemExped)) {
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    if (lines.size() > Capacity::RedDays)
        throw CoreError(QStringLiteral("O arquivo %1 tem %2 dias e o calendário comporta no máximo %3. "
                                       "Nada foi carregado.")
                            .arg(SemExped)
                            .arg(lines.size())
                            .arg(Capacity::RedDays));
    return lines;
}

namespace {
const QStringList& redDayLines(const QStringList& days)
{
    if (days.size() > Capacity::RedDays)
        throw CoreError(QStringLiteral("O calendário comporta no máximo %1 dias; %2 não foram gravados.")
                            .arg(Capacity::RedDays)
                            .arg(days.size()));
    return days;
}
}

void WriteRedDayLines(const QStringList& days)
{
    write(SemExped, redDayLines(days));
}

void StageRedDayLines(const QStringList& days)
{
    PendingFiles::stage(SemExped, redDayLines(days));
}

QStringList ReadRankModels()
{
    const QStringList lines = read(ModelosPstGrd);
    QStringList cells;
    for (int i = 0; i < RankModelColumns * RankModelRows; ++i)
        cells << lineAt(lines, i);
    return cells;
}

void WriteRankModels(const QStringList& cells)
{
    QStringList lines;
    for (int i = 0; i < RankModelColumns * RankModelRows; ++i)
        lines << lineAt(cells, i);
    write(ModelosPstGrd, lines);
}

void WriteRankList()
{
    const QStringList models = read(ModelosPstGrd);
    QStringList ranks;
    for (int i = 1; i < RankModelRows; ++i) {
        const QString rank = lineAt(models, i);
        if (rank.isEmpty())
            break;
        ranks << rank;
    }
    write(PstGrd, ranks);
}

QStringList ReadRankList()
{
    return read(PstGrd);
}

void StageLastEqualisation(const QDate& day)
{
    PendingFiles::stage(UltiEqual, {Dates::show(day)});
}

QStringList ReadManual()
{
    return read(Manual);
}

QStringList FolderTextFiles()
{
    QStringList names{Niveis, Escala, DataIniFim, SemExped, ModelosPstGrd, PstGrd, UltiEqual, Manual,
                      QStringLiteral("Entradas.Txt"), QStringLiteral("Entradas2.Txt")};
    for (const QString& name : QStringList(names))
        names << QStringLiteral("Ini") + name;
    return names;
}

}
