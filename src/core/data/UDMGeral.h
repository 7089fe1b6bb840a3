#pragma once
// The data module: every table and every statement of the program goes through it.
// Two aliases name folders: Ravelha (the data folder) and BackUpRavSv (the backup folder);
// each folder holds one SQLite file, Ravelha.db. Typed texts reach SQL only as bound values.

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>
#include <vector>

#include "ServerAddress.h"
#include "SqlTransaction.h"
#include "TableSchema.h"

class QCryptographicHash;
class SqliteStatement;

enum class Alias { Ravelha, BackUpRavSv };

// The keeper's words for an error of the engine on a database file (while working on `table`, when
// given): a locked, read-only, full, unreadable or damaged file is named as such, and the engine's
// own text follows.
QString EngineErrorMessage(const QString& databaseFile, const QString& table, const QSqlError& error);
// The same for a unit kept on a server (`server` as the keeper reads it: "host/database"): a lost
// connection, a missing permission, a full disk or a conflict is named as such.
QString ServerErrorMessage(const QString& server, const QString& table, const QSqlError& error);
// The message that fits the connection: a server's or a database file's.
QString EngineErrorMessage(const QSqlDatabase& db, const QString& table, const QSqlError& error);

// Runs one statement of a small table of the data layer (`table` names it in a refusal): bound
// when it has values, run as it is when not, since a server cannot prepare a statement that
// creates a table.
QSqlQuery RunStatement(const QSqlDatabase& db, const QString& table, const QString& sql, const QVariantList& values = {});

// The tables a connection's database holds (on a server, those of the unit's schema), and whether
// it holds one: names are compared ignoring case, since a server gives them back in lower case.
QStringList TablesOf(const QSqlDatabase& db);
bool HasTable(const QSqlDatabase& db, const QString& table);

// Whether a query on the connection may read its rows forward only (less memory). Not on a server:
// there a forward-only query drops the rows it has not read yet as soon as the connection runs
// another statement, even the clean-up of a statement done with.
bool ForwardOnlyFits(const QSqlDatabase& db);

// The conditions of a history search; each one is used when it is set, joined by "and".
struct HistSearch {
    QDate from, to;        // both valid: the days between them, inclusive
    QList<int> codes;      // not empty: these services only
    QString soldier;       // not empty: records that list this number
    QString kind;          // "Pt" or "Vm": black or red days only
};

class TDMGeral {
public:
    static constexpr const char* DatabaseFileName = "Ravelha.db";

    // The data alias is the unit on the server current now (ServerAddresses), if any; else the folder.
    TDMGeral(const QString& dataFolder, const QString& backupFolder);
    // The data alias is the unit at `server` (unset: the folder).
    TDMGeral(const QString& dataFolder, const QString& backupFolder, const ServerAddress& server);
    ~TDMGeral();
    TDMGeral(const TDMGeral&) = delete;
    TDMGeral& operator=(const TDMGeral&) = delete;

    // The data module of the run: the latest one created that is still alive (a module made for a
    // moment serves while it lives, then the one before it again); throws when there is none.
    static TDMGeral& instance();

    QString aliasFolder(Alias alias) const;
    void setAliasFolder(Alias alias, const QString& folder);

    // The database of an alias, opened on first use. A folder without Ravelha.db, a file that is no
    // database, or one that lacks one of the working tables, throws a message naming what is wrong.
    // With a server address current when the module was made, the Ravelha alias is the unit's
    // schema on that server (the backup alias stays a folder).
    QSqlDatabase database(Alias alias);

    // Whether the alias is a unit on a server, and that server's address.
    bool onServer(Alias alias = Alias::Ravelha) const;
    const ServerAddress& server() const { return m_server; }
    // On a server: the connection without asking for the unit's tables (to create or list units).
    QSqlDatabase serverConnection();
    // Whether the unit's schema exists on the server.
    bool unitExists();
    // The units the server keeps: the schemas that hold `table`, one every unit has, by name.
    QStringList unitsOnServer(const QString& table);
    // The value of `column` in the row of `table` of unit `schema` whose Nome is `name`, if any.
    std::optional<QString> unitValue(const QString& schema, const QString& table, const QString& column,
                                      const QString& name);

    // Creates the tables named, leaving tables that exist already as they are: in Ravelha.db in the
    // alias's folder (the folder must exist), or in the unit's schema on a server (made when
    // missing). Used to set up a new data or backup folder, or a unit on a server.
    void createTables(Alias alias, const QStringList& tables);

    // The keeper's words for an error of the engine on this alias's database.
    QString engineError(Alias alias, const QString& table, const QSqlError& error) const;

    // --- loaders and writers ---

    // The rows of a table in key order. A table with more rows than `capacity` is refused before
    // anything is read.
    QSqlQuery openTable(Alias alias, const QString& tableOrFileName, int capacity);

    // The rows of a table in key order, each value as stored, for a loader. A table larger than
    // `capacity`, or any row the model cannot hold as it is (RowChecks), is refused with a message
    // naming the table, the row and the column before anything is returned.
    std::vector<QVariantList> readRows(Alias alias, const QString& tableOrFileName, int capacity);

    // Adds every value of the tables named, in this order and each in key order, to `hash`: the
    // table's name, then each value with its kind (null, number, text, bytes) and its length, so
    // that a changed value, a null for an empty text or two values swapped between columns all
    // give another digest. The digest is only compared within one run, never stored.
    void hashTables(QCryptographicHash& hash, const QStringList& tables, Alias alias = Alias::Ravelha);
    // The SHA-1 of one table as hashTables gives it; on a server, what a desk's read of the table
    // marks (ReadMarks) is this digest of the rows it read.
    QByteArray tableDigest(Alias alias, const QString& table);

    // Rewrites one table whole: every row deleted, then each appended row added, all in one
    // transaction (joined with an outer one when there is one). Not committed = nothing changed.
    class TableWriter {
    public:
        TableWriter(TDMGeral& module, Alias alias, const QString& tableOrFileName);
        ~TableWriter();
        TableWriter(const TableWriter&) = delete;
        TableWriter& operator=(const TableWriter&) = delete;
        // Values in the table's column order; a QDate is stored as its day (null = empty). A row
        // the loaders would refuse is refused here, and the transaction then changes nothing.
        void append(const QVariantList& values);
        void commit();

    private:
        SqlTransaction m_transaction;
        void flush();

        // For a driver other than SQLite's: rows in batches of BatchRows, one statement each.
        static constexpr int BatchRows = 100;
        QSqlDatabase m_db;
        QString m_insertHead;                      // INSERT INTO table (columns) VALUES
        QString m_rowMarks;                        // (?, ?, ...)
        QVariantList m_batch;                      // the values of the rows not sent yet
        int m_batchRows = 0;
        QSqlQuery m_insert;                        // the statement of a full batch
        std::unique_ptr<SqliteStatement> m_rows;   // on SQLite: the insert, straight to the engine
        TDMGeral& m_module;
        Alias m_alias;
        QVariantList m_storable;                   // a row as stored, kept between rows
        int m_columns = 0;
        QString m_table;
        QString m_label;   // the table as the keeper reads it in messages
        QString m_file;
        TableSchema::Kind m_kind;
    };

    // --- the statements of the program ---

    QSqlQuery selectAllHist();
    QSqlQuery selectAllBasico();
    // A roster with each member's personnel data (number, rank, name, counts, absence, days).
    QSqlQuery selectRosterWithPersonnel(const QString& rosterFileName);
    QSqlQuery selectBasicoByNum(const QString& num);
    QSqlQuery selectBasicoByName(const QString& part);
    QSqlQuery selectBasicoByAbsenceKind(const QString& kind);   // "P" or "R"
    QSqlQuery selectBasicoWithAbsence();                        // every soldier with P or R
    QSqlQuery selectHistWithSoldier(const QString& num);
    QSqlQuery searchHist(const HistSearch& search);
    // These three check every history row first: a row whose day is no day would be taken or kept
    // by its text, not by its day.
    QSqlQuery selectHistFrom(const QDate& day);
    int deleteHistFrom(const QDate& day);
    int countHist();   // the records stored
    int deleteHistBefore(const QDate& day);
    void zeroRosterCounts(int serviceCode);
    void insertRosterRow(int serviceCode, const QString& num, int pt, int vm);
    // Empties Sv1 to Sv6, Sv, Hist and Basico, in this order (the start of a reset).
    void emptyTablesForReset();

    // The condition that finds a soldier number alone, first, in the middle or last in a history
    // number list, and its four bound values.
    static QString soldierCondition();
    static QVariantList soldierPatterns(const QString& num);

private:
    QSqlQuery run(Alias alias, const QString& sql, const QVariantList& values);
    QString connectionName(Alias alias) const;
    QString databaseFile(Alias alias) const;
    void requireSoundHistory();
    // A table written other than whole: on a server, its next whole write is not checked.
    void forgetReadMark(const QString& table);

    QSqlDatabase openServer(const QString& name, bool requireUnit);
    bool unitExistsOn(const QSqlDatabase& db, QString& refusal) const;

    QString m_folders[2];
    QString m_connectionPrefix;
    ServerAddress m_server;
};
