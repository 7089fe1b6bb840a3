// Units moved to and from the private server of the run with ravelha-cli, listed, and the
// addresses and units that are refused.
#include "CliRunner.h"
#include "PrivateServer.h"
#include "ServerUnitFixture.h"

#include "data/UnitTexts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestServidorUnidades : public QObject {
    Q_OBJECT

private slots:
    void publishListAndBringBack()
    {
        FixtureFolder data;
        const ServerAddress address = PrivateServerAddress(NewServerUnitName());
        const CliResult published = cli(WithServer(address, {"--dados", data.path(), "publicar"}));
        QCOMPARE(published.exit, 0);
        QVERIFY2(published.out.value(0).startsWith(QStringLiteral("A pasta de dados ")), qPrintable(published.err));

        // Rostered on the server, the unit is listed with its new last day.
        QCOMPARE(cli(WithServer(address, {"--dados", data.path(), "escalar", "03/03/04"})).exit, 0);
        const CliResult listed = cli({"--banco", address.url, "unidades"});
        QCOMPARE(listed.exit, 0);
        QVERIFY2(listed.out.contains(QStringLiteral("%1  última escalação: 03/03/04").arg(address.schema())),
                 qPrintable(listed.out.join('\n')));

        // A second publication of the same unit is refused and changes nothing.
        const CliResult again = cli(WithServer(address, {"--dados", data.path(), "publicar"}));
        QCOMPARE(again.exit, 1);
        QVERIFY(again.err.contains(QStringLiteral("já existe no servidor")));

        // Brought back into an empty folder, the unit is what the server holds.
        QTemporaryDir place;
        const QString copy = QDir(place.path()).filePath(QStringLiteral("copia"));
        QVERIFY(QDir().mkpath(copy));
        QFile(QDir(copy).filePath(QStringLiteral("x"))).open(QIODevice::WriteOnly);
        const CliResult full = cli(WithServer(address, {"--dados", copy, "baixar"}));
        QCOMPARE(full.exit, 1);
        QVERIFY(full.err.contains(QStringLiteral("não está vazia")));
        QVERIFY(QFile::remove(QDir(copy).filePath(QStringLiteral("x"))));
        QCOMPARE(cli(WithServer(address, {"--dados", copy, "baixar"})).exit, 0);

        QStringList onServer;
        {
            TDMGeral server(QString(), QString(), address);
            onServer = StoredTables(server, TableSchema::workingTables());
            for (const QString& name : UnitTexts::StateFiles())
                onServer << name << UnitTexts::ReadFrom(server.database(Alias::Ravelha), name, address.label());
        }
        QStringList brought;
        {
            TDMGeral folder(copy, QString(), ServerAddress());
            brought = StoredTables(folder, TableSchema::workingTables());
            for (const QString& name : UnitTexts::StateFiles())
                brought << name << TextFile::readLines(QDir(copy).filePath(name));
        }
        QCOMPARE(brought, onServer);
        QVERIFY(brought.contains(QStringLiteral("03/03/04")));
        QVERIFY(!QFileInfo::exists(copy + QStringLiteral(".baixando")));
        // The copy of the folder brought back is kept beside it, not beside the name it was built under.
        const QString expectedPlace = QDir::toNativeSeparators(QDir(copy).filePath(QStringLiteral("Espelho")));
        QCOMPARE(TextFile::readLines(QDir(copy).filePath(QStringLiteral("Niveis.Txt"))).value(5), expectedPlace);
        QCOMPARE(TextFile::readLines(QDir(copy).filePath(QStringLiteral("IniNiveis.Txt"))).value(5), expectedPlace);

        {
            QSqlDatabase db = OpenPrivateServer(QStringLiteral("limpeza"));
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(address.schema())));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("limpeza"));
    }

    void refusedAddressesAndUnits_data()
    {
        QTest::addColumn<QString>("urlSuffix");   // appended to the private server's address
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("no such unit") << "" << "ninguem" << 1 << "não existe no servidor";
        QTest::newRow("a name that is no name") << "" << "um;drop" << 1 << "não serve";
        QTest::newRow("a password in the address") << "&password=x" << "ninguem" << 2 << "não pode levar a senha";
    }
    void refusedAddressesAndUnits()
    {
        QFETCH(QString, urlSuffix);
        QFETCH(QString, unit);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        const ServerAddress address = PrivateServerAddress(unit);
        const CliResult result = cli({"--dados", data.path(), "--banco", address.url + urlSuffix, "--unidade", unit,
                                      "verificar", "03/03/04"});
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServidorUnidades)
#include "TestServidorUnidades.moc"
