// The rostering gives the same results on a unit kept on a server as in a data folder: each of the
// dozen made-up units of the reference outputs is built into a folder, a copy of the folder is
// published to a unit of the private server, and `verificar`, `escalar` and `desfazer` run on both
// as the keeper runs them. Their exit, output and messages must be the same byte for byte, and so
// must every working table, the log of counts and the state texts after `escalar` and after
// `desfazer`.
#include "CliRunner.h"
#include "GeneratedUnit.h"
#include "PrivateServer.h"
#include "ServerUnitFixture.h"
#include "audit/CountLog.h"
#include "data/CoreError.h"
#include "data/TextFile.h"
#include "data/UnitTexts.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <climits>

namespace {

// A value as text; a null shows apart from an empty text. The server gives a NUMERIC count back as
// a double, whose text is the same as the integer's for whole numbers (3.0 reads "3").
QString valueText(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("<nulo>") : value.toString();
}

QString logRowText(const CountLog::Row& row)
{
    return QStringList{QString::number(row.roster), row.number, row.kind, QString::number(row.before),
                       QString::number(row.after), QString::number(row.delta), row.operation, row.day,
                       QString::number(row.service)}
        .join(QLatin1Char('|'));
}

// What a unit holds after a command, each part as lines to compare.
struct StoredUnit {
    QMap<QString, QStringList> tables;   // every working table in key order, values joined by "|"
    QStringList logStart;                // the log's start rows, sorted
    QStringList logRest;                 // the log's other rows, in the order written
    QMap<QString, QStringList> texts;    // the state texts
};

// The log of counts without Id and Quando. Its start rows are compared as a multiset: a unit
// started afresh on a server writes them in the order of the numbers rather than of the rosters;
// every later row is compared in the order written.
void readLog(const QSqlDatabase& db, StoredUnit& unit)
{
    CountLog::ReadAll(db, [&unit](const CountLog::Row& row) {
        if (row.operation == CountLog::Operation::Start && unit.logRest.isEmpty())
            unit.logStart << logRowText(row);
        else
            unit.logRest << logRowText(row);
    });
    std::sort(unit.logStart.begin(), unit.logStart.end());
}

void readTables(TDMGeral& module, StoredUnit& unit)
{
    for (const QString& table : TableSchema::workingTables()) {
        QStringList lines;
        for (const QVariantList& row : module.readRows(Alias::Ravelha, table, INT_MAX)) {
            QStringList values;
            for (const QVariant& value : row)
                values << valueText(value);
            lines << values.join(QLatin1Char('|'));
        }
        unit.tables.insert(table, lines);
    }
    readLog(module.database(Alias::Ravelha), unit);
}

StoredUnit storedInFolder(const QString& folder)
{
    StoredUnit unit;
    TDMGeral module(folder, QString(), ServerAddress());
    readTables(module, unit);
    for (const QString& name : UnitTexts::StateFiles())
        unit.texts.insert(name, TextFile::readLines(QDir(folder).filePath(name)));
    return unit;
}

StoredUnit storedOnServer(const QString& folder, const ServerAddress& address)
{
    StoredUnit unit;
    TDMGeral module(folder, QString(), address);
    readTables(module, unit);
    for (const QString& name : UnitTexts::StateFiles())
        unit.texts.insert(name, UnitTexts::ReadFrom(module.database(Alias::Ravelha), name, address.label()));
    return unit;
}

// Both units hold the same; `when` names the moment in the failure message.
void compareStored(const StoredUnit& folder, const StoredUnit& server, const char* when)
{
    for (auto table = folder.tables.cbegin(); table != folder.tables.cend(); ++table) {
        const QStringList onServer = server.tables.value(table.key());
        if (onServer != table.value()) {
            qWarning("%s: table %s differs (%lld rows in the folder, %lld on the server)", when,
                     qPrintable(table.key()), qlonglong(table.value().size()), qlonglong(onServer.size()));
            QCOMPARE(onServer, table.value());
        }
    }
    if (server.logStart != folder.logStart || server.logRest != folder.logRest) {
        qWarning("%s: the log of counts differs", when);
        QCOMPARE(server.logStart, folder.logStart);
        QCOMPARE(server.logRest, folder.logRest);
    }
    for (auto text = folder.texts.cbegin(); text != folder.texts.cend(); ++text) {
        if (server.texts.value(text.key()) != text.value()) {
            qWarning("%s: the text %s differs", when, qPrintable(text.key()));
            QCOMPARE(server.texts.value(text.key()), text.value());
        }
    }
}

// The same exit, output and messages.
void compareOutcome(const CliResult& folder, const CliResult& server, const char* command)
{
    QVERIFY2(!folder.crashed && !server.crashed, command);
    // Every command of the recipes succeeds in the folder (the reference outputs show it).
    QVERIFY2(folder.exit == 0, qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(command), folder.err)));
    if (folder.exit != server.exit || folder.out != server.out || folder.err != server.err)
        qWarning("%s: the outcome differs (folder exit %d, server exit %d; server messages: %s)", command,
                 folder.exit, server.exit, qPrintable(server.err));
    QCOMPARE(server.exit, folder.exit);
    QCOMPARE(server.err, folder.err);
    QCOMPARE(server.out, folder.out);
}

}

class TestServidorMotores : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QString why;
        if (PrivateServerUrl(&why).isEmpty())
            QFAIL(qPrintable(why));
    }

    void rosteringIsTheSameOnBothEngines_data()
    {
        QTest::addColumn<int>("index");
        const QList<UnitRecipe> all = ReferenceRecipes();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all.at(i).name)) << i;
    }

    void rosteringIsTheSameOnBothEngines()
    {
        QFETCH(int, index);
        try {
            compareEngines(ReferenceRecipes().at(index));
        } catch (const CoreError& e) {
            QFAIL(qPrintable(e.message()));
        }
    }

private:
    void compareEngines(const UnitRecipe& recipe)
    {
        QElapsedTimer clock;
        clock.start();

        FixtureFolder data(QStringLiteral("inicial"));
        BuildUnit(recipe);
        // The desk of the server unit: a copy of the folder, published as it is now.
        QTemporaryDir desk;
        const QString deskFolder = QDir(desk.path()).filePath(QStringLiteral("Ravelha"));
        QVERIFY(desk.isValid() && CopyFolder(data.path(), deskFolder));
        const ServerUnitFixture unit(deskFolder);

        const QStringList onFolder{QStringLiteral("--dados"), data.path(), QStringLiteral("--hoje"), Today(recipe)};
        const QStringList onServer =
            QStringList{QStringLiteral("--dados"), deskFolder, QStringLiteral("--hoje"), Today(recipe)}
            + unit.cliArguments();
        const QStringList removals = RemovalArguments(recipe);
        const QStringList commands[] = {
            QStringList{QStringLiteral("verificar"), TargetDay(recipe)} + removals,
            QStringList{QStringLiteral("escalar"), TargetDay(recipe)} + removals,
            QStringList{QStringLiteral("desfazer"), UndoDay(recipe), QStringLiteral("--forcar")},
        };

        for (const QStringList& command : commands) {
            const QByteArray name = command.first().toUtf8();
            const CliResult folderResult = cli(onFolder + command);
            const CliResult serverResult = cli(onServer + command);
            compareOutcome(folderResult, serverResult, name.constData());
            if (QTest::currentTestFailed())
                return;
            if (command.first() != QStringLiteral("verificar")) {
                compareStored(storedInFolder(data.path()), storedOnServer(deskFolder, unit.address()), name.constData());
                if (QTest::currentTestFailed())
                    return;
            }
        }
        qInfo("%s: %lld ms", qPrintable(recipe.name), qlonglong(clock.elapsed()));
    }
};

QTEST_GUILESS_MAIN(TestServidorMotores)
#include "TestServidorMotores.moc"
