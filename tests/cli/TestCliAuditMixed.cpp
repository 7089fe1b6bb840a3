// `auditoria` after every operation the keeper can run, on a folder installed from the program's own
// initial data set (rostered up to 01/03/04, its history from 02/02/04 written before the log began):
// it finds nothing. And it still finds what was changed behind the program's back.
#include "CliRunner.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

struct Step {
    const char* what;
    QStringList command;
};

void exec(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

// Runs the command, then the audit, which must find nothing.
void runAndAudit(FixtureFolder& data, const Step& step)
{
    const CliResult done = cli(data, step.command);
    QVERIFY2(done.exit == 0, qPrintable(QStringLiteral("%1 (%2): exit %3\n%4%5")
                                            .arg(step.what, step.command.join(' '))
                                            .arg(done.exit)
                                            .arg(done.out.join('\n'), done.err)));
    const CliResult audit = cli(data, {"auditoria"});
    QVERIFY2(audit.exit == 0 && audit.out == QStringList{"Nenhuma divergência."},
             qPrintable(QStringLiteral("after %1 (%2):\n%3%4").arg(step.what, step.command.join(' '),
                                                                    audit.out.join('\n'), audit.err)));
}

// A file for `manual escalar`: one line per service, `COD|cell1|...`.
QString gridFile(const QTemporaryDir& dir, const QString& name, const QStringList& lines)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(lines.join('\n').toUtf8() + '\n');
    return path;
}

}

class TestCliAuditMixed : public QObject {
    Q_OBJECT
private slots:
    void everyOperationLeavesTheAuditClean()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        QTemporaryDir dir;
        // 02/03 to 04/03 by hand: Of Dia with a soldier of another roster (11, listed but never
        // counted), Cb Gda with a soldier after a double blank (29, the same).
        const QString grid = gridFile(dir, "grade.txt",
                                      {"1|7 11|8|9", "2|12|13|15", "3|21 22 23|24 25  29|26 27 28", "4|30 31 32|33 34 35|36 37 38"});
        const QString newcomers = gridFile(dir, "novos.txt", {"70,Sd,PRIMEIRO", "71,Sd,SEGUNDO"});
        const Step steps[] = {
            {"troca B na história anterior ao registro", {"trocar", "6", "5", "01/03/04", "1"}},
            {"troca A e B", {"trocar", "14", "13", "01/03/04", "2", "--a-e-b"}},
            {"troca com A = 0", {"trocar", "0", "7", "28/02/04", "1"}},
            {"troca com B = 0", {"trocar", "29", "0", "01/03/04", "3"}},
            {"desfazer sobre dias trocados e anteriores ao registro", {"desfazer", "28/02/04"}},
            {"escala automática", {"escalar", "01/03/04"}},
            {"escala manual", {"manual", "escalar", "04/03/04", grid}},
            {"troca na escala manual", {"trocar", "25", "40", "03/03/04", "3"}},
            {"desfazer a escala manual", {"desfazer", "03/03/04"}},
            {"inclusão", {"incluir", "60", "Sd", "NOVATO"}},
            {"serviços do incluído", {"--hoje", "03/03/04", "servicos", "60", "1,2"}},
            {"afastamento", {"afastar", "4", "R", "01/03/04", "10/03/04"}},
            {"escala com o afastado", {"escalar", "08/03/04"}},
            {"retorno", {"--hoje", "09/03/04", "retornar", "4"}},
            {"serviço novo", {"servico", "incluir", "5", "Plantão", "1"}},
            {"membros do serviço novo", {"--hoje", "09/03/04", "servicos", "5", "1,5"}},
            {"serviço alterado", {"servico", "alterar", "5", "--quantidade", "2"}},
            {"equalizar", {"--hoje", "09/03/04", "equalizar"}},
            {"zerar", {"zerar", "2,3"}},
            {"tabela: contagem", {"tabela", "alterar", "escala", "1", "5", "Pt", "9"}},
            {"tabela: número", {"tabela", "alterar", "escala", "1", "7", "Num", "61"}},
            {"tabela: nome", {"tabela", "alterar", "militares", "8", "Nome", "OUTRO"}},
            {"escala depois das edições", {"escalar", "12/03/04"}},
            {"exclusão", {"excluir", "60"}},
            {"serviço excluído", {"servico", "excluir", "5", "--apagar-escala"}},
            {"expurgo", {"expurgar", "10/02/04"}},
            {"troca num sábado depois do expurgo", {"trocar", "6", "9", "14/02/04", "1"}},
            {"desfazer até depois do expurgo", {"desfazer", "10/03/04"}},
            {"zerar tudo", {"zerar", "1,2,3,4"}},
            {"escala depois de zerar", {"escalar", "11/03/04"}},
            {"inclusão coletiva", {"incluir-arquivo", newcomers}},
            {"serviços de um incluído", {"--hoje", "11/03/04", "servicos", "71", "3,4"}},
            {"escala com os incluídos", {"escalar", "14/03/04"}},
            {"cópia de segurança", {"backup"}},
            {"desfazer depois da cópia", {"desfazer", "13/03/04"}},
            {"recuperação da cópia", {"restaurar", "--sim"}},
            {"troca depois da recuperação", {"trocar", "71", "0", "14/03/04", "3"}},
            {"reinício", {"reiniciar", "--sim"}},
            {"troca depois do reinício", {"trocar", "6", "5", "01/03/04", "1"}},
        };
        for (const Step& step : steps) {
            runAndAudit(data, step);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // A red day the calendar no longer holds (it keeps 30 days before the last rostered day): its
    // duties were counted as Vm, and a swap or an undo moves Vm, as the history record says.
    void aRedDayDroppedFromTheCalendarKeepsItsKind()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        QStringList calendar = data.readText(DataFiles::SemExped);
        calendar.removeAll(QStringLiteral("07/02/04"));
        calendar.removeAll(QStringLiteral("08/02/04"));
        data.writeText(DataFiles::SemExped, calendar);
        const QString before = cli(data, {"tabela", "escala", "1"}).out.join('\n');
        runAndAudit(data, {"troca num sábado que saiu do calendário", {"trocar", "1", "4", "08/02/04", "1"}});
        const QString after = cli(data, {"tabela", "escala", "1"}).out.join('\n');
        QVERIFY2(before != after, qPrintable(after));
        runAndAudit(data, {"desfazer desde o sábado que saiu do calendário", {"desfazer", "07/02/04"}});
    }

    // What changed behind the program's back is still found: a count, a history record of a duty
    // the log followed, and a record of the history the log found when it began.
    void findsWhatWasChangedByHand_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("finding");
        QTest::newRow("a count edited") << "UPDATE Sv1 SET Pt = 99 WHERE Num = '1'"
                                       << "Of Dia (1): Nº 1 (Albuquerque): Pt na escala 99, pelo registro 5";
        QTest::newRow("a record of the initial history deleted")
                << "DELETE FROM Hist WHERE CodSv = 2 AND Dia = '2004-02-28'"
                << "Adj Of (2): 28/02/04 Nº 16";
        QTest::newRow("a record written after a swap deleted")
                << "DELETE FROM Hist WHERE CodSv = 1 AND Dia = '2004-03-01'"
                << "Of Dia (1): 01/03/04 Nº 5";
        QTest::newRow("a number of a record edited")
                << "UPDATE Hist SET Num = '40 26 27 ' WHERE CodSv = 3 AND Dia = '2004-02-28'"
                << "Cb Gda (3): 28/02/04 Nº 27";
    }
    void findsWhatWasChangedByHand()
    {
        QFETCH(QString, statement);
        QFETCH(QString, finding);
        FixtureFolder data(QStringLiteral("inicial"));
        QCOMPARE(cli(data, {"trocar", "6", "5", "01/03/04", "1"}).exit, 0);
        exec(data, statement);
        const CliResult audit = cli(data, {"auditoria"});
        QCOMPARE(audit.exit, 1);
        QVERIFY2(!audit.out.filter(finding).isEmpty(), qPrintable(audit.out.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCliAuditMixed)
#include "TestCliAuditMixed.moc"
