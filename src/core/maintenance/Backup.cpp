#include "Backup.h"

#include "BackupLocation.h"
#include "BackupPlace.h"
#include "DataSetCheck.h"
#include "data/Capacities.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/FileErrors.h"
#include "data/KillPoints.h"
#include "data/PendingFiles.h"
#include "audit/CountLog.h"
#include "data/SqlTransaction.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "data/UnitTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace Backup {

namespace {

using BackupPlace::NewSuffix;
using BackupPlace::OldSuffix;

const QString NotSaved = QStringLiteral("A cópia de segurança não foi feita; a anterior continua valendo.");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The backup folder as a path without a trailing separator, so that its siblings can be named, and
// with links resolved, so that they are named beside the folder the copy really is in.
// The backup database is closed first: its folder may be moved.
QString backupFolder()
{
    TDMGeral& module = TDMGeral::instance();
    const QString folder = module.aliasFolder(Alias::BackUpRavSv);
    module.setAliasFolder(Alias::BackUpRavSv, folder);
    if (folder.trimmed().isEmpty())
        return QString();
    return BackupPlace::Resolved(folder);
}

bool exists(const QString& path)
{
    return QFileInfo::exists(path);
}

// Removes a folder only when it holds a set of the program's own.
void removeOwnSet(const QString& path)
{
    if (BackupPlace::IsOwnSet(path))
        QDir(path).removeRecursively();
}

bool registered(const ServiceRecord& service)
{
    return !service.Descr.isEmpty();
}

void tell(const Progress& progress, int step, int steps, const QString& what)
{
    if (progress)
        progress(step, steps, what);
}

// --- save ---

// A text file of the data folder as it stands: lines recorded by an operation and not yet written
// count instead of the file's.
QByteArray dataFileBytes(const QString& name)
{
    if (const std::optional<QStringList> staged = PendingFiles::pending(name))
        return TextFile::encode(*staged);
    if (UnitTexts::OnServer(name))
        return TextFile::encode(UnitTexts::Read(name));
    QFile file(DataFolder::file(name));
    if (!file.open(QIODevice::ReadOnly))
        throw CoreError(QStringLiteral("O arquivo %1 da pasta de dados não pôde ser lido (%2). A cópia de segurança "
                                       "não foi feita; a anterior continua valendo.")
                            .arg(name, FileErrors::reason(file)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CoreError(QStringLiteral("O arquivo %1 da pasta de dados não pôde ser lido (%2). A cópia de segurança "
                                       "não foi feita; a anterior continua valendo.")
                            .arg(name, FileErrors::reason(file)));
    return bytes;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw CoreError(QStringLiteral("O arquivo \"%1\" da cópia de segurança não pôde ser gravado (%2). A cópia "
                                       "anterior continua valendo.")
                            .arg(native(path), FileErrors::reason(file)));
}

// While the new set is built, the backup alias points at it; afterwards at the backup folder again
// (which also closes the new set's database, so that it can be moved).
class AliasPointedAt {
public:
    AliasPointedAt(const QString& building, const QString& folder) : m_folder(folder)
    {
        TDMGeral::instance().setAliasFolder(Alias::BackUpRavSv, building);
    }
    ~AliasPointedAt() { restore(); }
    void restore()
    {
        if (!m_restored)
            TDMGeral::instance().setAliasFolder(Alias::BackUpRavSv, m_folder);
        m_restored = true;
    }

private:
    QString m_folder;
    bool m_restored = false;
};

// Builds the complete new set in `building`.
void buildSet(const QString& building, const QString& folder, const std::vector<QByteArray>& texts,
              const Progress& progress)
{
    removeOwnSet(building);
    if (!QDir().mkpath(building))
        throw CoreError(QStringLiteral("A pasta \"%1\" não pôde ser criada. %2").arg(native(building), NotSaved));
    // Marked first: a set stopped half-way is still known as the program's own.
    BackupPlace::WriteMarker(building);
    tell(progress, 1, 4, QStringLiteral("Copiando os arquivos de texto..."));
    for (int i = 0; i < TextFiles().size(); ++i)
        writeBytes(QDir(building).filePath(TextFiles().at(i)), texts[i]);
    KillPoints::reach("copia-arquivos-copiados");

    tell(progress, 2, 4, QStringLiteral("Gravando as tabelas..."));
    AliasPointedAt alias(building, folder);
    TDMGeral& module = TDMGeral::instance();
    module.createTables(Alias::BackUpRavSv, TableSchema::workingTables());
    {
        SqlTransaction transaction(module.database(Alias::BackUpRavSv));
        SaveHistory(Alias::BackUpRavSv);
        SaveServices(Alias::BackUpRavSv);
        SaveSoldiers(Alias::BackUpRavSv);
        SaveAllRosters(Alias::BackUpRavSv);
        KillPoints::reach("copia-tabelas-gravadas");
        transaction.commit();
    }
    alias.restore();
    KillPoints::reach("copia-nova-pronta");
}

// Puts the complete new set in the place of the old one.
void swapIn(const QString& building, const QString& folder)
{
    const QString old = folder + OldSuffix;
    removeOwnSet(old);
    const bool hadSet = exists(folder);
    if (hadSet && !QDir().rename(folder, old))
        throw CoreError(QStringLiteral("A cópia anterior em \"%1\" não pôde ser substituída (a pasta está em uso ou "
                                       "protegida). Ela continua valendo.")
                            .arg(native(folder)));
    try {
        KillPoints::reach("copia-antiga-afastada");
        if (!QDir().rename(building, folder))
            throw CoreError(QStringLiteral("A nova cópia não pôde ser posta em \"%1\". A cópia anterior continua "
                                           "valendo.")
                                .arg(native(folder)));
    } catch (...) {
        if (hadSet && !exists(folder))
            QDir().rename(old, folder);
        throw;
    }
    KillPoints::reach("copia-nova-no-lugar");
    // The new set is in place; an old one that cannot be removed now is removed by the next save.
    removeOwnSet(old);
}

// --- restore ---

QString cannotRestore(const QString& why)
{
    return QStringLiteral("A cópia de segurança não foi recuperada; nada foi alterado.\n") + why;
}

// The text files of the set, every one present and readable, and the whole set read as a start
// and a verification will read it once restored.
std::vector<QStringList> readSetTexts(const QString& folder)
{
    std::vector<QStringList> texts;
    for (const QString& name : TextFiles()) {
        const QString path = QDir(folder).filePath(name);
        if (!exists(path))
            throw CoreError(cannotRestore(
                QStringLiteral("Falta o arquivo %1 na cópia de segurança em \"%2\".").arg(name, native(folder))));
        try {
            texts.push_back(TextFile::readLines(path));
        } catch (const CoreError& e) {
            throw CoreError(cannotRestore(e.message()));
        }
    }
    try {
        DataSetCheck::CheckFolder(folder);
    } catch (const CoreError& e) {
        throw CoreError(
            cannotRestore(QStringLiteral("Na cópia de segurança em \"%1\":\n%2").arg(native(folder), e.message())));
    }
    return texts;
}

}

const QStringList& TextFiles()
{
    static const QStringList files = {DataFiles::SemExped, DataFiles::DataIniFim,   DataFiles::Escala,
                                      DataFiles::ModelosPstGrd, DataFiles::PstGrd, DataFiles::Niveis,
                                      DataFiles::UltiEqual};
    return files;
}

QString RestoreQuestion(const QString& folder)
{
    return QStringLiteral("Os dados atuais do Sistema (militares, serviços, escalas, histórico e arquivos de "
                          "configuração) serão substituídos pelos da cópia de segurança em \"%1\".\n"
                          "O que foi feito depois da cópia será perdido.\n\nDeseja recuperar a cópia?")
        .arg(native(folder));
}

void TidyBackupSet(const QString& givenFolder)
{
    if (givenFolder.trimmed().isEmpty())
        return;
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(givenFolder));
    const QString building = folder + NewSuffix;
    const QString old = folder + OldSuffix;
    // Only sets of the program's own are moved or removed; a folder of the keeper's under one of
    // these names stays as it is (and a save refuses to work beside it).
    // The old set is moved aside only once the new one is complete: with the old set aside and no
    // set in place, the new one is the set to keep.
    if (!exists(folder) && BackupPlace::IsOwnSet(old)) {
        if (!(BackupPlace::IsOwnSet(building) && QDir().rename(building, folder)))
            QDir().rename(old, folder);
    }
    if (BackupPlace::IsOwnSet(folder))
        removeOwnSet(old);
    removeOwnSet(building);
}

void SaveBackup(const Progress& progress)
{
    const QString folder = backupFolder();
    if (folder.isEmpty())
        throw CoreError(QStringLiteral("O local da cópia de segurança não está definido. Altere o local da cópia "
                                       "e tente novamente."));
    // The save replaces the folder whole: never one that is not the program's own copy.
    if (const std::optional<QString> refusal = BackupPlace::SaveRefusal(folder))
        throw CoreError(*refusal
                        + QStringLiteral("\nA cópia de segurança não foi feita e nada foi apagado. Escolha outro local "
                                         "para a cópia (\"Alterar local da cópia\")."));
    TidyBackupSet(folder);
    const QString building = folder + NewSuffix;

    // Everything is read before anything is built: a data folder the program could not use stops
    // the save here, and the good copy stays.
    tell(progress, 0, 4, QStringLiteral("Lendo os dados..."));
    std::vector<QByteArray> texts;
    for (const QString& name : TextFiles())
        texts.push_back(dataFileBytes(name));
    try {
        DataSetCheck::CheckDataSet();
    } catch (const CoreError& e) {
        throw CoreError(
            QStringLiteral("Os dados do Sistema não podem ser copiados como estão:\n%1\n%2").arg(e.message(), NotSaved));
    }
    LoadServices();
    LoadHistory();
    LoadSoldiers();
    LoadAllRosters();

    try {
        buildSet(building, folder, texts, progress);
        tell(progress, 3, 4, QStringLiteral("Substituindo a cópia anterior..."));
        swapIn(building, folder);
    } catch (...) {
        removeOwnSet(building);
        throw;
    }
    tell(progress, 4, 4, QStringLiteral("Cópia concluída."));
}

namespace {
void restoreFrom(const QString& folder, std::vector<QStringList> texts, const Progress& progress);
}

RestoreOutcome RestoreBackup(const Confirm& confirm, const Progress& progress)
{
    RestoreOutcome outcome;
    const QString folder = backupFolder();
    if (!folder.isEmpty()) {
        if (const std::optional<QString> refusal = BackupPlace::PlaceRefusal(folder))
            throw CoreError(cannotRestore(*refusal));
    }
    TidyBackupSet(folder);
    if (folder.isEmpty() || !exists(QDir(folder).filePath(QLatin1String(TDMGeral::DatabaseFileName)))) {
        outcome.message = NoFilesMessage;
        return outcome;
    }
    // The keeper is asked only about a copy the program can use.
    std::vector<QStringList> texts = readSetTexts(folder);
    if (!confirm(RestoreQuestion(folder)))
        return outcome;

    // A refused restore leaves the model of the run as it was, not half loaded from the copy.
    const GlobalModel before = Global();
    try {
        restoreFrom(folder, std::move(texts), progress);
    } catch (...) {
        Global() = before;
        throw;
    }
    outcome.notice = PendingFiles::finish();
    Global().LastRosteredDay = DataFiles::ReadLastRosteredDay();
    tell(progress, 3, 3, QStringLiteral("Recuperação concluída."));
    outcome.done = true;
    outcome.message = EndMessage;
    return outcome;
}

namespace {

void restoreFrom(const QString& folder, std::vector<QStringList> texts, const Progress& progress)
{
    // The whole set was read and checked first; until the transaction below nothing is written.
    tell(progress, 0, 3, QStringLiteral("Lendo a cópia de segurança..."));
    GlobalModel& g = Global();
    ServiceList saved{};
    LoadServicesInto(saved, Alias::BackUpRavSv, QStringLiteral("Sv"));
    // The services registered now; a register that cannot be read is replaced whole.
    try {
        LoadServices();
    } catch (const CoreError&) {
        g.ServiceTable = ServiceList{};
    }
    QList<int> savedCodes;
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (!registered(saved[n]))
            continue;   // a service registered after the save keeps its record and its roster
        g.ServiceTable[n] = saved[n];
        savedCodes << n;
    }
    LoadHistory(Alias::BackUpRavSv);
    LoadSoldiers(Alias::BackUpRavSv);
    for (int n : savedCodes) {
        ClearRoster(g.Grades[n]);
        LoadRoster(g.Grades[n], TableSchema::rosterFileName(n), Alias::BackUpRavSv);
    }
    TDMGeral::instance().setAliasFolder(Alias::BackUpRavSv, TDMGeral::instance().aliasFolder(Alias::BackUpRavSv));
    // The place of the backup stays the one in use: the sixth line of Niveis.Txt is kept.
    const int niveis = TextFiles().indexOf(DataFiles::Niveis);
    texts[niveis] = BackupLocation::KeepingThePlace(texts[niveis], native(folder));

    tell(progress, 1, 3, QStringLiteral("Gravando os dados recuperados..."));
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        SaveServices();
        SaveHistory();
        SaveSoldiers();
        for (int n : savedCodes)
            SaveRoster(g.Grades[n], TableSchema::rosterFileName(n));
        CountLog::StartAfresh(TDMGeral::instance().database(Alias::Ravelha));
        KillPoints::reach("restaurar-tabelas-gravadas");
        for (int i = 0; i < TextFiles().size(); ++i)
            PendingFiles::stage(TextFiles().at(i), texts[i]);
        KillPoints::reach("restaurar-antes-de-confirmar");
        transaction.commit();
    }
    KillPoints::reach("restaurar-depois-de-confirmar");
    tell(progress, 2, 3, QStringLiteral("Gravando os arquivos de texto..."));
}

}

}
