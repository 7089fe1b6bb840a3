// ravelha-cli importar into a new unit of the private server of the run: the old folder of Paradox
// tables written here from a generated unit becomes a unit holding the same tables and state
// files, that rosters the same days; a unit that exists already is never written over.
#include "CliRunner.h"
#include "GeneratedUnit.h"
#include "ParadoxWriter.h"
#include "PrivateServer.h"
#include "ServerUnitFixture.h"

#include "data/UnitTexts.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The stored tables with an empty value written empty on both engines (a server's null number
// would read as 0).
QStringList tablesOf(TDMGeral& module)
{
    QStringList state;
    for (const QString& table : TableSchema::workingTables()) {
        state << QStringLiteral("== ") + table;
        QSqlQuery q = module.openTable(Alias::Ravelha, table, 100000);
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << (q.isNull(c) ? QString() : q.value(c).toString());
            state << values.join(QLatin1Char('|'));
        }
    }
    return state;
}

}

class TestServidorImportar : public QObject {
    Q_OBJECT

private slots:
    void importIntoANewUnit()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const UnitRecipe recipe = ReferenceRecipe(QStringLiteral("tipica"));
        BuildUnit(recipe);
        QTemporaryDir temp;
        const QString old = QDir(temp.path()).filePath(QStringLiteral("antiga"));
        WriteOldFolder(data.module(), data.path(), old);
        const ServerAddress address = PrivateServerAddress(NewServerUnitName());

        const CliResult imported = cli(WithServer(address, {"importar", old}));
        QCOMPARE(imported.exit, 0);
        QVERIFY2(imported.out.value(0) == QStringLiteral("Dados importados para %1:").arg(address.label()),
                 qPrintable(imported.out.join('\n') + imported.err));
        QVERIFY(imported.out.contains(QStringLiteral("Militares: %1").arg(recipe.soldiers)));

        QStringList source = tablesOf(data.module());
        for (const QString& name : UnitTexts::StateFiles())
            source << name << TextFile::readLines(data.file(name));
        QStringList onServer;
        {
            TDMGeral server(QString(), QString(), address);
            onServer = tablesOf(server);
            for (const QString& name : UnitTexts::StateFiles())
                onServer << name << UnitTexts::ReadFrom(server.database(Alias::Ravelha), name, address.label());
        }
        QCOMPARE(onServer, source);

        // The unit rosters as the folder it came from; its audit is clean.
        const QStringList verify{"--hoje", Today(recipe), "verificar", TargetDay(recipe)};
        const CliResult fromFolder = cli(data, verify);
        const CliResult fromUnit = cli(WithServer(address, QStringList{"--dados", data.path()} + verify));
        QCOMPARE(fromUnit.exit, 0);
        QCOMPARE(fromUnit.out, fromFolder.out);
        const CliResult audit = cli(WithServer(address, {"--dados", data.path(), "auditoria"}));
        QCOMPARE(audit.out.value(audit.out.size() - 1), QStringLiteral("Nenhuma divergência."));

        // A second import into the same unit is refused and changes nothing.
        const CliResult again = cli(WithServer(address, {"importar", old}));
        QCOMPARE(again.exit, 1);
        QVERIFY2(again.err.contains(QStringLiteral("já existe no servidor")), qPrintable(again.err));

        {
            QSqlDatabase db = OpenPrivateServer(QStringLiteral("limpeza"));
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(address.schema())));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("limpeza"));
    }
};

QTEST_GUILESS_MAIN(TestServidorImportar)
#include "TestServidorImportar.moc"
