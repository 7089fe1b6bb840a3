// ravelha-cli importar: an old folder of Paradox tables written here from a generated unit becomes a
// new data folder that rosters the same days as the unit it came from, with a clean audit; a bad
// command line, a folder that is not empty and a damaged old folder change nothing.
#include "CliRunner.h"
#include "GeneratedUnit.h"
#include "ParadoxWriter.h"
#include "data/Dates.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCliImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    QString oldFolder() const { return m_temp.filePath(QStringLiteral("antiga")); }
    QString newFolder() const { return m_temp.filePath(QStringLiteral("nova")); }

    CliResult import(const QStringList& more = {})
    {
        return cli(QStringList{"--dados", newFolder(), "importar"} + more);
    }

private slots:
    void init()
    {
        QDir(oldFolder()).removeRecursively();
        QDir(newFolder()).removeRecursively();
    }

    void importedUnitRostersAsTheOldOne()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const UnitRecipe recipe = ReferenceRecipe(QStringLiteral("tipica"));
        BuildUnit(recipe);
        WriteOldFolder(data.module(), data.path(), oldFolder());

        const CliResult imported = import({oldFolder()});
        QCOMPARE(imported.exit, 0);
        QCOMPARE(imported.out.value(0), QStringLiteral("Dados importados para %1:").arg(newFolder()));
        QVERIFY2(imported.out.contains(QStringLiteral("Militares: %1").arg(recipe.soldiers)), qPrintable(imported.err));
        QVERIFY(imported.out.contains(QStringLiteral("Serviços: %1").arg(recipe.services)));
        QVERIFY(imported.out.contains(QStringLiteral("Última escalação: %1").arg(Dates::show(recipe.lastRostered))));

        const QStringList verify{"--hoje", Today(recipe), "verificar", TargetDay(recipe)};
        const CliResult before = cli(data, verify);
        const CliResult after = cli(QStringList{"--dados", newFolder()} + verify);
        QCOMPARE(before.exit, 0);
        QCOMPARE(after.exit, 0);
        QVERIFY(after.out.size() > 10);
        QCOMPARE(after.out, before.out);

        const CliResult audit = cli({"--dados", newFolder(), "auditoria"});
        QCOMPARE(audit.exit, 0);
        QCOMPARE(audit.out.value(audit.out.size() - 1), QStringLiteral("Nenhuma divergência."));
    }

    void refusalsChangeNothing()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        WriteOldFolder(data.module(), data.path(), oldFolder());

        const CliResult noFolder = import();
        QCOMPARE(noFolder.exit, 2);
        QVERIFY(noFolder.err.contains(QStringLiteral("Falta a pasta antiga")));
        QCOMPARE(import({oldFolder(), "outra"}).exit, 2);

        QVERIFY(QDir().mkpath(newFolder()));
        QFile note(QDir(newFolder()).filePath(QStringLiteral("nota.txt")));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.close();
        const CliResult notEmpty = import({oldFolder()});
        QCOMPARE(notEmpty.exit, 1);
        QVERIFY2(notEmpty.err.contains(QStringLiteral("não está vazia")), qPrintable(notEmpty.err));
        QCOMPARE(QDir(newFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"nota.txt"});
        QVERIFY(QDir(newFolder()).removeRecursively());

        QVERIFY(QFile::remove(QDir(oldFolder()).filePath(QStringLiteral("Basico.DB"))));
        const CliResult damaged = import({oldFolder()});
        QCOMPARE(damaged.exit, 1);
        QVERIFY2(damaged.err.contains(QStringLiteral("Basico.DB")), qPrintable(damaged.err));
        QVERIFY(!QFileInfo::exists(newFolder()));
    }
};

QTEST_GUILESS_MAIN(TestCliImport)
#include "TestCliImport.moc"
