// The private PostgreSQL server of the run gives what the program relies on: the QPSQL driver
// reaches it through its socket (and only there), schemas come and go, Portuguese text survives a
// bound write, an advisory lock held by one desk's transaction keeps another desk out until commit,
// and a rollback leaves nothing. Every name here carries this process's id, so other programs may
// use the same database at the same time.
#include "PrivateServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QVariant>

namespace {

const QString Schema = QStringLiteral("fumo_%1").arg(QCoreApplication::applicationPid());

// The single value of a one-row query; fails the test on an SQL error.
QVariant scalar(QSqlDatabase& db, const QString& sql, const QVariantList& bound = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql)) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return {};
    }
    for (const QVariant& value : bound)
        q.addBindValue(value);
    if (!q.exec() || !q.next()) {
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return {};
    }
    return q.value(0);
}

bool run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return false;
}

// An open connection named `name`, closed and removed again when it goes out of scope.
class Desk {
public:
    explicit Desk(const QString& name) : m_name(name), m_db(OpenPrivateServer(name, &m_why)) {}
    ~Desk()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase& db() { return m_db; }
    QString why() const { return m_why; }

private:
    QString m_name;
    QString m_why;
    QSqlDatabase m_db;
};

}

class TestServidorPrivado : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")),
                 "the QPSQL driver is missing (package libqt6sql6-psql)");
        QString why;
        QVERIFY2(!PrivateServerUrl(&why).isEmpty(), qPrintable(why));
        Desk desk(QStringLiteral("preparar"));
        QVERIFY2(desk.db().isOpen(), qPrintable(desk.why()));
        QVERIFY(run(desk.db(), QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(Schema)));
        QVERIFY(run(desk.db(), QStringLiteral("CREATE SCHEMA %1").arg(Schema)));
        QVERIFY(run(desk.db(), QStringLiteral("CREATE TABLE %1.servico (codigo integer PRIMARY KEY, nome text)")
                                   .arg(Schema)));
    }

    void cleanupTestCase()
    {
        Desk desk(QStringLiteral("arrumar"));
        QVERIFY2(desk.db().isOpen(), qPrintable(desk.why()));
        QVERIFY(run(desk.db(), QStringLiteral("DROP SCHEMA %1 CASCADE").arg(Schema)));
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = ?"), {Schema})
                     .toInt(),
                 0);
    }

    // The connection is to this run's own server, by its socket, in UTF-8: never a TCP server
    // such as a system cluster on the same machine.
    void opensThePrivateServerThroughItsSocket()
    {
        Desk desk(QStringLiteral("socket"));
        QVERIFY2(desk.db().isOpen(), qPrintable(desk.why()));
        const QString folder = QUrlQuery(QUrl(PrivateServerUrl())).queryItemValue(QStringLiteral("host"));
        QVERIFY(QDir(folder).exists(QStringLiteral(".s.PGSQL.5432")));
        const QString setting = QStringLiteral("SELECT current_setting(?)");
        QCOMPARE(scalar(desk.db(), setting, {QStringLiteral("unix_socket_directories")}).toString(), folder);
        QCOMPARE(scalar(desk.db(), setting, {QStringLiteral("listen_addresses")}).toString(), QString());
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT current_database()")).toString(),
                 QStringLiteral("ravelha_teste"));
        QCOMPARE(scalar(desk.db(), setting, {QStringLiteral("server_encoding")}).toString(), QStringLiteral("UTF8"));
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = ?"), {Schema})
                     .toInt(),
                 1);
    }

    void portugueseTextReadsBackEqual()
    {
        Desk desk(QStringLiteral("texto"));
        QVERIFY2(desk.db().isOpen(), qPrintable(desk.why()));
        const QString name = QStringLiteral("Guarda do Quartel — ação");
        QSqlQuery insert(desk.db());
        QVERIFY(insert.prepare(QStringLiteral("INSERT INTO %1.servico (codigo, nome) VALUES (?, ?)").arg(Schema)));
        insert.addBindValue(1);
        insert.addBindValue(name);
        QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT nome FROM %1.servico WHERE codigo = 1").arg(Schema))
                     .toString(),
                 name);
        // Stored as characters, not as the bytes of some other encoding.
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT char_length(nome) FROM %1.servico WHERE codigo = 1")
                                       .arg(Schema))
                     .toInt(),
                 int(name.size()));
        QCOMPARE(scalar(desk.db(), QStringLiteral("SELECT codigo FROM %1.servico WHERE nome = ?").arg(Schema), {name})
                     .toInt(),
                 1);
        QVERIFY(run(desk.db(), QStringLiteral("DELETE FROM %1.servico").arg(Schema)));
    }

    // One desk's transaction holding the lock keeps another desk out until it commits.
    void advisoryLockHoldsUntilCommit()
    {
        Desk first(QStringLiteral("secretaria1"));
        Desk second(QStringLiteral("secretaria2"));
        QVERIFY2(first.db().isOpen(), qPrintable(first.why()));
        QVERIFY2(second.db().isOpen(), qPrintable(second.why()));
        const qint64 key = 7'000'000'000LL + QCoreApplication::applicationPid();
        const QString tryLock = QStringLiteral("SELECT pg_try_advisory_xact_lock(?)");

        QVERIFY(first.db().transaction());
        QCOMPARE(scalar(first.db(), QStringLiteral("SELECT count(*) FROM (SELECT pg_advisory_xact_lock(?)) AS held"),
                        {key})
                     .toInt(),
                 1);
        QCOMPARE(scalar(second.db(), tryLock, {key}).toBool(), false);
        // Another key stays free: the lock is the key's, not the whole server's.
        QCOMPARE(scalar(second.db(), tryLock, {key + 1}).toBool(), true);
        QCOMPARE(scalar(second.db(), tryLock, {key}).toBool(), false);
        QVERIFY(first.db().commit());
        QCOMPARE(scalar(second.db(), tryLock, {key}).toBool(), true);
    }

    void rollbackLeavesNothing()
    {
        Desk writer(QStringLiteral("escrever"));
        Desk reader(QStringLiteral("ler"));
        QVERIFY2(writer.db().isOpen(), qPrintable(writer.why()));
        QVERIFY2(reader.db().isOpen(), qPrintable(reader.why()));
        const QString count = QStringLiteral("SELECT count(*) FROM %1.servico").arg(Schema);

        QVERIFY(writer.db().transaction());
        QVERIFY(run(writer.db(),
                    QStringLiteral("INSERT INTO %1.servico VALUES (2, 'Plantão'), (3, 'Ronda')").arg(Schema)));
        QVERIFY(run(writer.db(), QStringLiteral("CREATE TABLE %1.sv2 (numero integer)").arg(Schema)));
        QCOMPARE(scalar(writer.db(), count).toInt(), 2);
        QCOMPARE(scalar(reader.db(), count).toInt(), 0);
        QVERIFY(writer.db().rollback());

        QCOMPARE(scalar(writer.db(), count).toInt(), 0);
        QCOMPARE(scalar(reader.db(), count).toInt(), 0);
        // Even the table made inside the transaction is gone.
        QCOMPARE(scalar(reader.db(), QStringLiteral("SELECT to_regclass(?) IS NULL"), {Schema + QStringLiteral(".sv2")})
                     .toBool(),
                 true);
    }
};

QTEST_GUILESS_MAIN(TestServidorPrivado)
#include "TestServidorPrivado.moc"
