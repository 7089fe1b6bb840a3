#include "ParadoxImport.h"
#include "BackupPlace.h"
#include "DataSetCheck.h"
#include "OldFolderTables.h"
#include "ServerUnits.h"
#include "audit/CountLog.h"

#include "data/Capacities.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/InitialDataSet.h"
#include "data/ParadoxTable.h"
#include "data/PendingFiles.h"
#include "data/SqlTransaction.h"
#include "data/TextFile.h"
#include "data/UDMGeral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <map>

namespace ParadoxImport {

namespace {

const QString NothingImported = QStringLiteral("Nada foi importado.");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The text files of the unit, as the program reads them. Without the last rostered day, the
// preparation period or the red days the unit's state is not known: those three must be there;
// the others are taken from the program's own set when the old folder lacks them.
QStringList requiredFiles()
{
    return {DataFiles::Escala, DataFiles::DataIniFim, DataFiles::SemExped};
}

QStringList optionalFiles()
{
    return {DataFiles::Niveis,  DataFiles::UltiEqual, DataFiles::PstGrd,          DataFiles::ModelosPstGrd,
            DataFiles::Manual, QStringLiteral("Entradas.Txt"), QStringLiteral("Entradas2.Txt")};
}

// A wrong file under a right name (a log, a device) is refused rather than read for minutes.
const TextFile::Limits OldTextLimits{QStringLiteral("um arquivo de texto do Sistema"), QStringLiteral("uma linha"),
                                     100000, 10000, 16 * 1024 * 1024};

struct OldTexts {
    std::map<QString, QStringList> lines;   // by bare name; the optional ones only when present
    QString picture;                        // the cover picture's file in the old folder, if any
};

OldTexts readTexts(const QString& oldFolder, Report& report)
{
    OldTexts texts;
    for (const QString& name : requiredFiles() + optionalFiles()) {
        const QString path = OldFolderTables::FileOf(oldFolder, name);
        if (path.isEmpty()) {
            if (requiredFiles().contains(name))
                throw CoreError(QStringLiteral("A pasta \"%1\" não tem o arquivo %2. %3")
                                    .arg(native(oldFolder), name, NothingImported));
            report.notes << QStringLiteral("%1 não está na pasta antiga: veio do conjunto inicial do Sistema.").arg(name);
            continue;
        }
        texts.lines[name] = TextFile::readLinesWithin(path, OldTextLimits);
    }
    return texts;
}

QString lineNamed(const QString& file, int line)
{
    return QStringLiteral("O arquivo %1 da pasta antiga, linha %2,").arg(file).arg(line);
}

QDate requireDay(const QString& file, const QStringList& lines, int index)
{
    const QString text = lines.value(index).left(Width::LastRosteredDay);
    const std::optional<QDate> day = Dates::parse(text);
    if (!day)
        throw CoreError(QStringLiteral("%1 não tem uma data dd/mm/aa: \"%2\". %3")
                            .arg(lineNamed(file, index + 1), text, NothingImported));
    return *day;
}

// The state files checked as the program's readers take them, before anything is written.
void checkStateFiles(const OldTexts& texts, Report& report)
{
    report.lastRosteredDay = requireDay(DataFiles::Escala, texts.lines.at(DataFiles::Escala), 0);
    const QStringList& period = texts.lines.at(DataFiles::DataIniFim);
    requireDay(DataFiles::DataIniFim, period, 0);
    requireDay(DataFiles::DataIniFim, period, 1);
    int redDays = 0;
    const QStringList& red = texts.lines.at(DataFiles::SemExped);
    for (int i = 0; i < red.size(); ++i) {
        if (red.at(i).trimmed().isEmpty())
            continue;
        requireDay(DataFiles::SemExped, red, i);
        ++redDays;
    }
    if (redDays > Capacity::RedDays)
        throw CoreError(QStringLiteral("O arquivo %1 da pasta antiga tem %2 dias; o Sistema guarda no máximo %3. %4")
                            .arg(DataFiles::SemExped)
                            .arg(redDays)
                            .arg(Capacity::RedDays)
                            .arg(NothingImported));
    // Days rostered after the last rostered day could never be rostered again.
    if (report.lastHistoryDay.isValid() && report.lastHistoryDay > report.lastRosteredDay)
        throw CoreError(QStringLiteral("O arquivo %1 da pasta antiga diz que a última escalação foi no dia %2, mas o "
                                       "histórico tem serviços até o dia %3. %4")
                            .arg(DataFiles::Escala, Dates::show(report.lastRosteredDay),
                                 Dates::show(report.lastHistoryDay), NothingImported));
}

bool isPictureName(const QString& name)
{
    static const QStringList suffixes{"bmp", "png", "jpg", "jpeg", "gif"};
    return !name.isEmpty() && suffixes.contains(QFileInfo(name).suffix().toLower());
}

// Niveis.Txt as the new folder keeps it: the cover lines and picture of the old folder, and its
// place of the copy when that place exists here and may take the copy; else the new folder's own.
QStringList newNiveis(OldTexts& texts, const QString& oldFolder, const QString& newFolder,
                      const QStringList& initialNiveis, bool forDesk, Report& report)
{
    const auto old = texts.lines.find(DataFiles::Niveis);
    QStringList lines = old != texts.lines.end() ? old->second : initialNiveis;
    while (lines.size() < 6)
        lines << QString();
    lines = lines.mid(0, 6);

    // The picture is named by its file name; an old folder may give it a Windows path.
    const QString picture = lines[4].section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1).trimmed();
    if (!picture.isEmpty()) {
        const QString source = OldFolderTables::FileOf(oldFolder, picture);
        if (source.isEmpty())
            report.notes << QStringLiteral("A figura da capa, %1, não está na pasta antiga.").arg(picture);
        else if (!isPictureName(picture) || DataFiles::FolderTextFiles().contains(picture, Qt::CaseInsensitive))
            report.notes << QStringLiteral("%1, nomeado como figura da capa, não é uma figura e não foi copiado.")
                                .arg(picture);
        else
            texts.picture = source;
        lines[4] = picture;
    }

    const QString defaultPlace = native(QDir(newFolder).filePath(BackupPlace::DefaultPlaceName));
    const QString oldPlace = lines[5].trimmed();
    const DataFolder::For dataFolder(newFolder);
    const bool keep = !oldPlace.isEmpty() && QFileInfo(oldPlace).isDir() && !BackupPlace::PlaceRefusal(oldPlace);
    if (!keep) {
        if (!oldPlace.isEmpty() && forDesk)
            report.notes << QStringLiteral("O local da cópia de segurança da pasta antiga, %1, não existe aqui: a "
                                           "cópia será feita em %2.")
                                .arg(oldPlace, defaultPlace);
        lines[5] = defaultPlace;
    }
    return lines;
}

void fillReport(const std::map<QString, OldFolderTables::Rows>& tables, Report& report)
{
    report.soldiers = int(tables.at(QStringLiteral("Basico")).size());
    std::map<int, QString> names;
    for (const QVariantList& row : tables.at(QStringLiteral("Sv")))
        names[row.at(0).toInt()] = row.at(1).toString();
    report.services = int(names.size());
    for (int code = 1; code <= Capacity::Services; ++code) {
        const int members = int(tables.at(QStringLiteral("Sv%1").arg(code)).size());
        const auto name = names.find(code);
        if (name != names.end() || members > 0)
            report.rosters << Report::Roster{code, name != names.end() ? name->second : QString(), members};
    }
    const OldFolderTables::Rows& history = tables.at(QStringLiteral("Hist"));
    report.historyRecords = int(history.size());
    for (const QVariantList& row : history) {
        const QDate day = Dates::fromStorage(row.at(0).toString());
        if (!report.firstHistoryDay.isValid() || day < report.firstHistoryDay)
            report.firstHistoryDay = day;
        if (!report.lastHistoryDay.isValid() || day > report.lastHistoryDay)
            report.lastHistoryDay = day;
    }
}

// Writes the unit into `building`, a folder holding the program's initial set: the tables, the
// log of counts started afresh, and the text files recorded in the same transaction, written once
// it has committed.
QString writeUnit(const QString& building, const std::map<QString, OldFolderTables::Rows>& tables,
                  const std::map<QString, QStringList>& files)
{
    const DataFolder::For dataFolder(building);
    TDMGeral module(building, QString(), ServerAddress());
    const QSqlDatabase db = module.database(Alias::Ravelha);
    {
        SqlTransaction transaction(db);
        for (const auto& [table, rows] : tables) {
            TDMGeral::TableWriter writer(module, Alias::Ravelha, table);
            for (const QVariantList& row : rows)
                writer.append(row);
            writer.commit();
        }
        CountLog::StartAfresh(db);
        for (const auto& [name, lines] : files)
            PendingFiles::stage(name, lines);
        transaction.commit();
    }
    return PendingFiles::finish();
}

void requireNewFolder(const QString& newFolder)
{
    const QFileInfo place(newFolder);
    if (place.exists() || place.isSymLink()) {
        if (place.isSymLink() || !place.isDir()
            || !QDir(newFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            throw CoreError(QStringLiteral("A pasta \"%1\" já existe e não está vazia; os dados não foram importados.")
                                .arg(native(newFolder)));
    }
}

}

QStringList ReportLines(const Report& report, const QString& destination)
{
    QStringList lines;
    lines << QStringLiteral("Dados importados para %1:").arg(destination);
    lines << QStringLiteral("Militares: %1").arg(report.soldiers);
    lines << QStringLiteral("Serviços: %1").arg(report.services);
    for (const Report::Roster& roster : report.rosters)
        lines << QStringLiteral("  Escala do serviço %1 (%2): %3 militares")
                     .arg(roster.code)
                     .arg(roster.descr.isEmpty() ? QStringLiteral("não cadastrado") : roster.descr)
                     .arg(roster.members);
    if (report.historyRecords == 0)
        lines << QStringLiteral("Histórico: nenhum registro");
    else
        lines << QStringLiteral("Histórico: %1 registros, de %2 a %3")
                     .arg(report.historyRecords)
                     .arg(Dates::show(report.firstHistoryDay), Dates::show(report.lastHistoryDay));
    lines << QStringLiteral("Última escalação: %1").arg(Dates::show(report.lastRosteredDay));
    lines << QStringLiteral("O registro dos pontos começa nesta importação.");
    return lines + report.notes;
}

namespace {

// `forDesk`: the folder is a desk's data folder, not the passage of a unit to its server.
Report importFolder(const QString& oldFolder, const QString& newFolder, bool forDesk)
{
    if (!ParadoxTable::Available())
        throw CoreError(ParadoxTable::UnavailableMessage());
    if (!QFileInfo(oldFolder).isDir())
        throw CoreError(QStringLiteral("A pasta antiga \"%1\" não existe. %2").arg(native(oldFolder), NothingImported));
    requireNewFolder(newFolder);
    const QString target = QFileInfo(newFolder).absoluteFilePath();

    // Everything is read and checked before anything is written.
    Report report;
    const std::map<QString, OldFolderTables::Rows> tables = OldFolderTables::Read(oldFolder);
    fillReport(tables, report);
    OldTexts texts = readTexts(oldFolder, report);
    checkStateFiles(texts, report);

    const QString building = target + QStringLiteral(".importando");
    QDir(building).removeRecursively();
    QString notice;
    try {
        InitialDataSet::install(building);
        // The program's own copies stand for the files the old folder lacks; its cover settings
        // name the new folder's place of the copy.
        const QStringList initialNiveis = TextFile::readLines(QDir(building).filePath(QStringLiteral("IniNiveis.Txt")));
        std::map<QString, QStringList> files = texts.lines;
        files[DataFiles::Niveis] = newNiveis(texts, oldFolder, target, initialNiveis, forDesk, report);
        QStringList initialCopy = initialNiveis;
        while (initialCopy.size() < 6)
            initialCopy << QString();
        initialCopy[5] = native(QDir(target).filePath(BackupPlace::DefaultPlaceName));
        files[QStringLiteral("IniNiveis.Txt")] = initialCopy;
        if (!texts.picture.isEmpty()) {
            const QString copy = QDir(building).filePath(QFileInfo(files[DataFiles::Niveis].at(4)).fileName());
            QFile::remove(copy);
            if (!QFile::copy(texts.picture, copy))
                throw CoreError(QStringLiteral("A figura da capa %1 não pôde ser copiada. %2")
                                    .arg(native(texts.picture), NothingImported));
            QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
        }
        notice = writeUnit(building, tables, files);
        // The new folder is read as a start reads it before it is put in place.
        DataSetCheck::CheckFolder(building);
    } catch (...) {
        QDir(building).removeRecursively();
        throw;
    }
    if (QFileInfo(target).isDir())
        QDir().rmdir(target);
    if (!QDir().rename(building, target)) {
        QDir(building).removeRecursively();
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada. %2").arg(native(newFolder), NothingImported));
    }
    if (!notice.isEmpty())
        report.notes << notice;
    return report;
}

}

Report ImportIntoFolder(const QString& oldFolder, const QString& newFolder)
{
    return importFolder(oldFolder, newFolder, true);
}

Report ImportIntoUnit(const QString& oldFolder, const ServerAddress& unit)
{
    unit.requireValid();
    QTemporaryDir temp;
    if (!temp.isValid())
        throw CoreError(QStringLiteral("Não foi possível criar uma pasta temporária para a importação. %1")
                            .arg(NothingImported));
    const QString folder = QDir(temp.path()).filePath(QStringLiteral("unidade"));
    const Report report = importFolder(oldFolder, folder, false);
    // The unit's state goes to the server; what belongs to a desk (the cover, the place of the
    // copy, the manual) stays in each desk's own folder.
    ServerUnits::Publish(folder, unit);
    return report;
}

}
