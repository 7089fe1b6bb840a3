// The rostering's outputs on a dozen made-up units, from a tiny one to one at the model's capacity,
// kept byte for byte: the listing and messages of `verificar`, then the tables and text files after
// `escalar` and after `desfazer` (the time of day of the log of counts aside). The references in
// tests/fixtures/referencia were written by the program before its heart was made faster; any
// change of the rostering's results shows here first.
//
// RAVELHA_GRAVAR_REFERENCIAS=1 writes the references anew instead of comparing (only when a
// change of results is intended, and said so in its commit).
#include "CliRunner.h"
#include "GeneratedUnit.h"
#include "audit/CountLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

QString sha(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// A command's exit, output and messages, as lines.
QStringList outcome(const QString& title, const CliResult& result)
{
    QStringList lines{QStringLiteral("== %1").arg(title), QStringLiteral("exit %1").arg(result.exit)};
    lines << QStringLiteral("-- saída") << result.out;
    lines << QStringLiteral("-- mensagens") << result.err.split(QLatin1Char('\n'));
    return lines;
}

// Every table in rowid order (the log of counts without its time of day) and every text file of
// the folder, each as its size and a digest of its contents.
QStringList storedDigest(FixtureFolder& data)
{
    QStringList lines;
    const QSqlDatabase db = data.module().database(Alias::Ravelha);
    QStringList tables = db.tables();
    tables.sort();
    for (const QString& table : tables) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table))) {
            lines << QStringLiteral("tabela %1 ilegível").arg(table);
            continue;
        }
        QByteArray text;
        int rows = 0;
        while (query.next()) {
            const QSqlRecord record = query.record();
            QStringList values;
            for (int c = 0; c < record.count(); ++c)
                if (!(table == CountLog::Table && record.fieldName(c) == QStringLiteral("Quando")))
                    values << query.value(c).toString();
            text += values.join(QLatin1Char('|')).toUtf8() + '\n';
            ++rows;
        }
        lines << QStringLiteral("tabela %1: %2 linhas %3").arg(table).arg(rows).arg(sha(text));
    }
    const QDir folder(data.path());
    for (const QString& name : folder.entryList({QStringLiteral("*.Txt"), QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) {
            lines << QStringLiteral("arquivo %1 ilegível").arg(name);
            continue;
        }
        // Niveis.Txt names the backup folder, which lies beside the temporary data folder.
        QByteArray bytes = file.readAll();
        bytes.replace(QFileInfo(data.path()).absolutePath().toUtf8(), QByteArrayLiteral("<pasta>"));
        lines << QStringLiteral("arquivo %1: %2 bytes %3").arg(name).arg(bytes.size()).arg(sha(bytes));
    }
    return lines;
}

QString referenceFile(const QString& name)
{
    return QStringLiteral(RAVELHA_FIXTURES_DIR "/referencia/%1.txt").arg(name);
}

}

class TestReferenceOutputs : public QObject {
    Q_OBJECT
private slots:
    void unitGivesItsReference_data()
    {
        QTest::addColumn<int>("index");
        const QList<UnitRecipe> all = ReferenceRecipes();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all.at(i).name)) << i;
    }

    void unitGivesItsReference()
    {
        QFETCH(int, index);
        const UnitRecipe recipe = ReferenceRecipes().at(index);
        FixtureFolder data(QStringLiteral("inicial"));
        BuildUnit(recipe);
        const QStringList today{QStringLiteral("--hoje"), Today(recipe)};
        const QStringList removals = RemovalArguments(recipe);

        QStringList lines{QStringLiteral("# unidade %1").arg(recipe.name)};
        lines << outcome(QStringLiteral("verificar"),
                         cli(data, today + QStringList{QStringLiteral("verificar"), TargetDay(recipe)} + removals));
        lines << outcome(QStringLiteral("escalar"),
                         cli(data, today + QStringList{QStringLiteral("escalar"), TargetDay(recipe)} + removals));
        lines << storedDigest(data);
        lines << outcome(QStringLiteral("desfazer"),
                         cli(data, today + QStringList{QStringLiteral("desfazer"), UndoDay(recipe), QStringLiteral("--forcar")}));
        lines << storedDigest(data);
        const QByteArray actual = lines.join(QLatin1Char('\n')).toUtf8() + '\n';

        QFile reference(referenceFile(recipe.name));
        if (qEnvironmentVariableIntValue("RAVELHA_GRAVAR_REFERENCIAS") == 1) {
            QDir().mkpath(QFileInfo(reference).absolutePath());
            QVERIFY(reference.open(QIODevice::WriteOnly | QIODevice::Truncate));
            reference.write(actual);
            return;
        }
        QVERIFY2(reference.open(QIODevice::ReadOnly), qPrintable(reference.fileName()));
        const QByteArray expected = reference.readAll();
        if (actual != expected) {
            QFile written(QDir::temp().filePath(QStringLiteral("referencia-%1.txt").arg(recipe.name)));
            if (written.open(QIODevice::WriteOnly | QIODevice::Truncate))
                written.write(actual);
            qWarning("The outputs were written to %s", qPrintable(written.fileName()));
        }
        QCOMPARE(QString::fromUtf8(actual).split(QLatin1Char('\n')), QString::fromUtf8(expected).split(QLatin1Char('\n')));
    }
};

QTEST_GUILESS_MAIN(TestReferenceOutputs)
#include "TestReferenceOutputs.moc"
