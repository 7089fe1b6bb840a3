// ravelha-cli equilibrio and auditoria on fresh copies of the small fixture: Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04.
#include "CliRunner.h"
#include "audit/CountLog.h"

#include <QTest>

namespace {

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

// The log started from the stored counts of every roster.
void startLog(FixtureFolder& data)
{
    const QSqlDatabase db = data.module().database(Alias::Ravelha);
    QList<CountLog::Row> rows;
    for (int code = 1; code <= 3; ++code) {
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT Num, Pt, Vm FROM Sv%1").arg(code)));
        while (q.next())
            rows << CountLog::valueRow(code, q.value(0).toString(), CountLog::Black, 0, q.value(1).toInt(),
                                       CountLog::Operation::Start)
                 << CountLog::valueRow(code, q.value(0).toString(), CountLog::Red, 0, q.value(2).toInt(),
                                       CountLog::Operation::Start);
    }
    CountLog::Append(db, rows);
}

}

class TestCliAudit : public QObject {
    Q_OBJECT
private slots:
    void balanceTable()
    {
        FixtureFolder data;
        run(data, "UPDATE Sv2 SET Pt = 3, Vm = 1 WHERE Num = '4'");
        startLog(data);
        run(data, "UPDATE Sv2 SET Pt = 1, Vm = 2 WHERE Num = '6'");
        const CliResult result = cli(data, {"--hoje", "03/03/04", "equilibrio", "2"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{
                                     "Equilíbrio da escala Adj Of (2) em 03/03/04",
                                     "Num | Nome | Pt | Vm | Registro Pt | Registro Vm | Marca",
                                     "4 | Dantas | 3 | 1 | 3 | 1 | próximo Vm",
                                     "5 | Esteves | 0 | 1 | 0 | 1 | afastado",
                                     "6 | Fagundes | 1 | 2 | 0 | 1 | próximo Pt, divergente",
                                     "Diferença entre o maior e o menor (fora os afastados): Pt 2, Vm 1",
                                     "Divergência: Nº 6 (Fagundes): Pt na escala 1, pelo registro 0",
                                     "Divergência: Nº 6 (Fagundes): Vm na escala 2, pelo registro 1",
                             }));
    }

    void balanceWithoutReferenceAndBadCodes()
    {
        FixtureFolder data;
        CountLog::Clear(data.module().database(Alias::Ravelha));
        const CliResult plain = cli(data, {"--hoje", "10/03/04", "equilibrio", "1"});
        QCOMPARE(plain.exit, 0);
        QCOMPARE(plain.out.last(), QStringLiteral("Auditoria: sem referência (o registro dos pontos ainda não tem "
                                                   "valor inicial para esta escala)."));
        QVERIFY(plain.out.at(2) == (QStringLiteral("1 | Andrade | 1 | 0 | - | - | próximo Vm")));
        const struct {
            QStringList arguments;
            int exit;
            QString message;
        } bad[] = {{{"equilibrio"}, 2, "Falta o código do serviço."},
                   {{"equilibrio", "abc"}, 2, "Código de serviço inválido: abc (de 1 a 30)."},
                   {{"equilibrio", "1", "2"}, 2, "Argumento inesperado: 2"},
                   {{"equilibrio", "9"}, 1, "Não há serviço cadastrado com o código 9."},
                   {{"auditoria", "x"}, 2, "Argumento inesperado: x"}};
        for (const auto& c : bad) {
            const CliResult result = cli(data, c.arguments);
            QCOMPARE(result.exit, c.exit);
            QVERIFY2(result.err.startsWith(c.message), qPrintable(result.err));
            QVERIFY(result.out.isEmpty());
        }
    }

    void auditExitsOneOnAFinding()
    {
        FixtureFolder data;
        CountLog::Clear(data.module().database(Alias::Ravelha));
        const CliResult none = cli(data, {"auditoria"});
        QCOMPARE(none.exit, 0);
        QCOMPARE(none.out, (QStringList{"Of Dia (1): sem referência", "Adj Of (2): sem referência",
                                        "Cb Gda (3): sem referência", "Nenhuma divergência."}));
        startLog(data);
        const CliResult agrees = cli(data, {"auditoria"});
        QCOMPARE(agrees.exit, 0);
        QCOMPARE(agrees.out, QStringList{"Nenhuma divergência."});
        run(data, "UPDATE Sv3 SET Vm = 4 WHERE Num = '12'");
        run(data, "UPDATE Sv1 SET Pt = 0 WHERE Num = '1'");
        const CliResult found = cli(data, {"auditoria"});
        QCOMPARE(found.exit, 1);
        QCOMPARE(found.out, (QStringList{"Of Dia (1): Nº 1 (Andrade): Pt na escala 0, pelo registro 1",
                                         "Cb Gda (3): Nº 12 (Magalhães): Vm na escala 4, pelo registro 1"}));
    }

    void startsTheLogWhereItHasNone()
    {
        FixtureFolder data;
        CountLog::Clear(data.module().database(Alias::Ravelha));
        startLog(data);
        run(data, "DELETE FROM LogPontos WHERE CodSv = 2");
        run(data, "UPDATE Sv1 SET Pt = 5 WHERE Num = '1'");
        const CliResult first = cli(data, {"auditoria", "--iniciar"});
        QCOMPARE(first.exit, 1);
        QCOMPARE(first.out, (QStringList{"Registro dos pontos iniciado com os pontos de hoje: Adj Of (2).",
                                         "Of Dia (1): Nº 1 (Andrade): Pt na escala 5, pelo registro 1"}));
        const CliResult again = cli(data, {"auditoria", "--iniciar"});
        QCOMPARE(again.out.first(), QStringLiteral("Todas as escalas já tinham valor inicial no registro dos pontos."));
        const CliResult twice = cli(data, {"auditoria", "--iniciar", "--iniciar"});
        QCOMPARE(twice.exit, 2);
        QVERIFY(twice.err.startsWith("Argumento inesperado: --iniciar"));
    }

    // A folder from before the log, started late: the history it had is recorded with the start, so
    // a swap and an undo of those days are matched, and a record deleted by hand is still found.
    void aLogStartedLateKnowsTheHistoryItFound()
    {
        FixtureFolder data;
        run(data, "DELETE FROM LogPontos");
        QCOMPARE(cli(data, {"auditoria", "--iniciar"}).exit, 0);
        for (const QStringList& command : {QStringList{"trocar", "3", "1", "29/02/04", "1"},
                                           QStringList{"desfazer", "28/02/04"}}) {
            QCOMPARE(cli(data, command).exit, 0);
            const CliResult audit = cli(data, {"auditoria"});
            QVERIFY2(audit.exit == 0, qPrintable(command.join(' ') + ":\n" + audit.out.join('\n')));
        }
        run(data, "DELETE FROM Hist WHERE CodSv = 3 AND Dia = '2004-02-27'");
        const CliResult found = cli(data, {"auditoria"});
        QCOMPARE(found.exit, 1);
        QCOMPARE(found.out, (QStringList{"Cb Gda (3): 27/02/04 Nº 7 (Gonçalves): Pt serviço no registro sem a linha do "
                                         "histórico (registro 1, histórico 0)",
                                         "Cb Gda (3): 27/02/04 Nº 8 (Henriques): Pt serviço no registro sem a linha do "
                                         "histórico (registro 1, histórico 0)"}));
    }

    void rosteringThroughTheProgramLeavesNothingToFind()
    {
        // The installed folder starts the log; the duties of escalar and desfazer are logged.
        FixtureFolder data;
        for (const QStringList& command : {QStringList{"escalar", "10/03/04"}, QStringList{"auditoria"},
                                           QStringList{"desfazer", "08/03/04"}, QStringList{"auditoria"}}) {
            const CliResult result = cli(data, command);
            QVERIFY2(result.exit == 0, qPrintable(command.join(' ') + ": " + result.err + result.out.join('\n')));
        }
        QCOMPARE(cli(data, {"escalar", "10/03/04"}).exit, 0);
        run(data, "DELETE FROM Hist WHERE rowid = (SELECT MAX(rowid) FROM Hist)");
        const CliResult found = cli(data, {"auditoria"});
        QCOMPARE(found.exit, 1);
        QVERIFY(!found.out.isEmpty());
        for (const QString& line : found.out)
            QVERIFY2(line.contains("serviço no registro sem a linha do histórico"), qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestCliAudit)
#include "TestCliAudit.moc"
