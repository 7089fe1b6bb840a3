// The writers of the data module talk to SQLite directly: every value must land in the table
// exactly as the Qt driver stored it (same type, same bytes, NULL kept apart from an empty text),
// inside the caller's transaction, and the digest of the tables must see any change of any value.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/SqlTransaction.h"
#include "data/SqliteStatement.h"
#include "data/TableSchema.h"
#include "data/UDMGeral.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <climits>

namespace {

// Each stored value of a table, in key order, as the engine holds it: its type and its bytes.
QStringList storedForms(TDMGeral& module, const QString& table)
{
    const TableSchema::Table t = TableSchema::tableOf(table);
    QStringList parts;
    for (const QString& column : TableSchema::columns(t.kind))
        parts << QStringLiteral("typeof(%1) || ':' || hex(%1)").arg(column);
    QSqlQuery q(module.database(Alias::Ravelha));
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2 %3")
                    .arg(parts.join(QStringLiteral(" || ' | ' || ")), t.name, TableSchema::keyOrder(t.kind))))
        return {q.lastError().text()};
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString();
    return rows;
}

// The rows written as the Qt driver writes them: one QSqlQuery insert, each value bound as given
// (a day as its stored text, a null day as a null text).
QString writeThroughQt(TDMGeral& module, const QString& table, const QList<QVariantList>& rows)
{
    const TableSchema::Table t = TableSchema::tableOf(table);
    QSqlDatabase db = module.database(Alias::Ravelha);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("DELETE FROM %1").arg(t.name)))
        return q.lastError().text();
    const QStringList columns = TableSchema::columns(t.kind);
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(t.name, columns.join(QStringLiteral(", ")),
                       QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", "))));
    for (const QVariantList& row : rows) {
        for (int i = 0; i < row.size(); ++i) {
            const QVariant& v = row.at(i);
            if (v.typeId() == QMetaType::QDate)
                q.bindValue(i, v.toDate().isValid() ? QVariant(Dates::toStorage(v.toDate()))
                                                    : QVariant(QMetaType(QMetaType::QString)));
            else
                q.bindValue(i, v);
        }
        if (!q.exec())
            return q.lastError().text();
    }
    return QString();
}

void writeThroughModule(TDMGeral& module, const QString& table, const QList<QVariantList>& rows)
{
    TDMGeral::TableWriter writer(module, Alias::Ravelha, table);
    for (const QVariantList& row : rows)
        writer.append(row);
    writer.commit();
}

QByteArray digest(TDMGeral& module)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    module.hashTables(hash, TableSchema::workingTables());
    return hash.result();
}

bool run(TDMGeral& module, const QString& sql)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    return q.exec(sql);
}

}

class TestSqliteWriters : public QObject {
    Q_OBJECT
private slots:
    void theEngineConnectionIsTheDriversOwn()
    {
        FixtureFolder data;
        QVERIFY(SqliteStatement::connectionOf(data.module().database(Alias::Ravelha)) != nullptr);
    }

    // Whatever the model hands over is stored as the Qt driver stored it, value for value.
    void valuesAreStoredAsTheDriverStoredThem_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QList<QVariantList>>("rows");
        const QVariant nullText{QMetaType(QMetaType::QString)};
        QTest::newRow("empty texts, null texts and no days")
            << "Basico"
            << QList<QVariantList>{{"7", QString(""), QString(), QString(""), QDate(), QDate(), QString()},
                                   {"8", nullText, nullText, QVariant(), QVariant(), QVariant(), nullText}};
        QTest::newRow("accents and quotes")
            << "Basico"
            << QList<QVariantList>{{"9", QStringLiteral("Conceição Ávila"), QStringLiteral("3º Sgt"), "P",
                                    QDate(2004, 3, 1), QDate(2004, 3, 9), "01/03/04 29/02/04 "},
                                   {"10", QStringLiteral("O'Neil \"Zé\""), QStringLiteral("Cb'\""), "R",
                                    QDate(1999, 12, 31), QDate(2000, 1, 1), "31/12/99"}};
        QTest::newRow("services: days, negative numbers and a free column")
            << "Sv"
            << QList<QVariantList>{{1, "Guarda", QDate(2004, 1, 1), QDate(2004, 12, 31), 2, 3, QVariant()},
                                   {2, QStringLiteral("Ronda çã"), QDate(), QDate(2004, 2, 29), 0, -5, -1.5},
                                   {3, "Sv", QDate(), QDate(2038, 1, 19), INT_MAX, INT_MIN, QByteArray("\0\1x", 3)},
                                   {4, "A", QDate(), QDate(2004, 1, 1), qint64(7), uint(9), true},
                                   {5, "B", QDate(), QDate(2004, 1, 1), "12", "-4", QVariant::fromValue<short>(5)},
                                   {6, "C", QDate(), QDate(2004, 1, 1), 1, 1, QString(QChar(0xD800))},
                                   {7, "D", QDate(), QDate(2004, 1, 1), 1, 1, QStringLiteral("😀 ok")},
                                   {8, "E", QDate(), QDate(2004, 1, 1), 1, 1, QVariant::fromValue<float>(2.5f)},
                                   {9, "F", QDate(), QDate(2004, 1, 1), 1, 1, QString("")}};
        QTest::newRow("a roster: counts as numbers, as text and empty")
            << "Sv3.DB"
            << QList<QVariantList>{{"1", 0, 0}, {"2", -3, INT_MIN}, {"3", "7", "-2"}, {"4", QVariant(), nullText},
                                   {"5", qint64(INT_MAX), 2.0}};
        QTest::newRow("history")
            << "Hist"
            << QList<QVariantList>{{QDate(2004, 3, 1), 1, "Guarda", "12 345 7", "Pt"},
                                   {QDate(2004, 3, 1), 2, QStringLiteral("Permanê"), "1", QString()},
                                   {QDate(2004, 3, 2), 1, "Guarda", "1 ", "Vm"}};
        QTest::newRow("nothing at all") << "Sv3.DB" << QList<QVariantList>{};
    }
    void valuesAreStoredAsTheDriverStoredThem()
    {
        QFETCH(QString, table);
        QFETCH(QList<QVariantList>, rows);
        FixtureFolder data;
        QCOMPARE(writeThroughQt(data.module(), table, rows), QString());
        const QStringList expected = storedForms(data.module(), table);
        QCOMPARE(expected.size(), rows.size());

        run(data.module(), QStringLiteral("DELETE FROM %1").arg(TableSchema::tableOf(table).name));
        writeThroughModule(data.module(), table, rows);
        QCOMPARE(storedForms(data.module(), table), expected);
    }

    // A few forms spelled out, so that the comparison above cannot pass by both sides being wrong.
    void nullStaysApartFromEmptyText()
    {
        FixtureFolder data;
        writeThroughModule(data.module(), QStringLiteral("Basico"),
                           {{"7", QStringLiteral("ç"), QString(""), "P", QDate(2004, 3, 1), QDate(), QString()}});
        QCOMPARE(storedForms(data.module(), QStringLiteral("Basico")),
                 QStringList{"text:37 | text:C3A7 | text: | text:50 | text:323030342D30332D3031 | null: | null:"});
    }

    void aRefusedRowLeavesTheTableAsItWas()
    {
        FixtureFolder data;
        const QStringList before = StoredRows(data.module(), QStringLiteral("Sv3"));
        QVERIFY(!before.isEmpty());
        try {
            writeThroughModule(data.module(), QStringLiteral("Sv3.DB"), {{"1", 1, 1}, {"2", "abc", 0}});
            QFAIL("a count that is no number was stored");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A tabela Sv3, no militar 2, tem na coluna Pt o valor \"abc\", que não é "
                                                 "um número inteiro. Nada foi alterado."));
        }
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Sv3")), before);
    }

    // A row the engine refuses (a repeated key) is named in the very words the Qt driver gave.
    void anEngineRefusalIsNamedAsBefore()
    {
        FixtureFolder data;
        const QList<QVariantList> rows{{"1", 1, 1}, {"1", 2, 2}};
        const QString qtText = writeThroughQt(data.module(), QStringLiteral("Sv3"), rows);
        QVERIFY(!qtText.isEmpty());
        run(data.module(), QStringLiteral("DELETE FROM Sv3"));
        run(data.module(), QStringLiteral("INSERT INTO Sv3 VALUES ('9', 4, 5)"));
        const QStringList before = StoredRows(data.module(), QStringLiteral("Sv3"));
        try {
            writeThroughModule(data.module(), QStringLiteral("Sv3.DB"), rows);
            QFAIL("a repeated key was stored");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("Erro no banco de dados Ravelha.db da pasta \"%1\" (tabela Sv3).\n"
                                                 "Resposta do banco de dados: %2")
                                      .arg(QDir::toNativeSeparators(data.path()), qtText));
        }
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Sv3")), before);
    }

    // The writer's rows are part of the caller's transaction: rolled back with it, kept with it.
    void theWritesJoinTheOuterTransaction_data()
    {
        QTest::addColumn<bool>("committed");
        QTest::newRow("rolled back") << false;
        QTest::newRow("committed") << true;
    }
    void theWritesJoinTheOuterTransaction()
    {
        QFETCH(bool, committed);
        FixtureFolder data;
        const QStringList before = StoredTables(data.module(), {"Sv3", "Basico"});
        {
            SqlTransaction outer(data.module().database(Alias::Ravelha));
            writeThroughModule(data.module(), QStringLiteral("Sv3.DB"), {{"1", 5, 6}});
            writeThroughModule(data.module(), QStringLiteral("Basico"),
                               {{"1", "Novo", "Sd", "", QDate(), QDate(), QString()}});
            QCOMPARE(StoredRows(data.module(), QStringLiteral("Sv3")), QStringList{"1|5|6"});
            if (committed)
                outer.commit();
        }
        if (committed) {
            QCOMPARE(StoredRows(data.module(), QStringLiteral("Sv3")), QStringList{"1|5|6"});
            QCOMPARE(StoredRows(data.module(), QStringLiteral("Basico")), QStringList{"1|Novo|Sd||||"});
        } else {
            QCOMPARE(StoredTables(data.module(), {"Sv3", "Basico"}), before);
        }
    }

    // A writer that fails half-way inside an outer transaction spoils it: nothing is kept.
    void aFailureInsideAnOuterTransactionKeepsNothing()
    {
        FixtureFolder data;
        const QStringList before = StoredTables(data.module(), {"Sv2", "Sv3"});
        {
            SqlTransaction outer(data.module().database(Alias::Ravelha));
            writeThroughModule(data.module(), QStringLiteral("Sv2.DB"), {{"1", 5, 6}});
            QVERIFY_THROWS_EXCEPTION(CoreError, writeThroughModule(data.module(), QStringLiteral("Sv3.DB"),
                                                                   {{"1", 1, 1}, {"x y", 1, 1}}));
            QVERIFY_THROWS_EXCEPTION(CoreError, outer.commit());
        }
        QCOMPARE(StoredTables(data.module(), {"Sv2", "Sv3"}), before);
    }

    // The digest of the stored state sees any change of any value, and nothing else.
    void theDigestSeesEveryChange_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("one count") << "UPDATE Sv3 SET Pt = 1 WHERE Num = '7'"
                                   << "UPDATE Sv3 SET Pt = 2 WHERE Num = '7'";
        QTest::newRow("null or empty text") << "UPDATE Basico SET PR = NULL WHERE Num = '1'"
                                            << "UPDATE Basico SET PR = '' WHERE Num = '1'";
        QTest::newRow("two counts swapped") << "UPDATE Sv3 SET Pt = 1, Vm = 2 WHERE Num = '7'"
                                            << "UPDATE Sv3 SET Pt = 2, Vm = 1 WHERE Num = '7'";
        QTest::newRow("text moved between columns") << "UPDATE Basico SET Nome = 'AB', PstGrd = 'C' WHERE Num = '1'"
                                                    << "UPDATE Basico SET Nome = 'A', PstGrd = 'BC' WHERE Num = '1'";
        QTest::newRow("a row moved between tables") << "INSERT INTO Sv1 VALUES ('999', 0, 0)"
                                                    << "INSERT INTO Sv2 VALUES ('999', 0, 0)";
        QTest::newRow("bytes or their text") << "UPDATE Sv SET Folga = X'41' WHERE CodSv = 1"
                                             << "UPDATE Sv SET Folga = 'A' WHERE CodSv = 1";
        QTest::newRow("close reals") << "UPDATE Sv SET Folga = 0.1 WHERE CodSv = 1"
                                     << "UPDATE Sv SET Folga = 0.10000000000000002 WHERE CodSv = 1";
        QTest::newRow("one history letter") << "UPDATE Hist SET Num = Num || 'a' WHERE rowid = (SELECT MIN(rowid) FROM Hist)"
                                            << "UPDATE Hist SET Num = Num || 'b' WHERE rowid = (SELECT MIN(rowid) FROM Hist)";
    }
    void theDigestSeesEveryChange()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        FixtureFolder data;
        QVERIFY(run(data.module(), QStringLiteral("SAVEPOINT probe")));
        QVERIFY(run(data.module(), first));
        const QByteArray one = digest(data.module());
        QCOMPARE(digest(data.module()), one);   // nothing changed: the same digest
        QVERIFY(run(data.module(), QStringLiteral("ROLLBACK TO probe")));
        QVERIFY(run(data.module(), second));
        QVERIFY(digest(data.module()) != one);
        QVERIFY(run(data.module(), QStringLiteral("ROLLBACK TO probe")));
        QVERIFY(run(data.module(), first));
        QCOMPARE(digest(data.module()), one);
        QVERIFY(run(data.module(), QStringLiteral("RELEASE probe")));
    }

    // Rewriting the tables with what they hold changes nothing the digest can see.
    void aRewriteOfTheSameRowsKeepsTheDigest()
    {
        FixtureFolder data;
        const QByteArray before = digest(data.module());
        for (const QString& table : {QStringLiteral("Sv3"), QStringLiteral("Basico"), QStringLiteral("Hist")}) {
            const std::vector<QVariantList> rows = data.module().readRows(Alias::Ravelha, table, INT_MAX);
            writeThroughModule(data.module(), table, QList<QVariantList>(rows.begin(), rows.end()));
        }
        QCOMPARE(digest(data.module()), before);
    }
};

QTEST_GUILESS_MAIN(TestSqliteWriters)
#include "TestSqliteWriters.moc"
