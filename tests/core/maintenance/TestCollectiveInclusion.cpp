// Many soldiers at once, on the small fixture: soldiers 1 to 12 (all in the history), Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12; soldier 5 is away (real) from 01/03 to 05/03/04, today is 03/03/04.
// Its rank models: Cap, 1º Ten, 2º Ten, S Ten, 1º Sgt, 2º Sgt, 3º Sgt, Cb (also "Cabo", "CB"), Sd;
// "1 Ten" is another spelling of 1º Ten.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/Clock.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/CollectiveInclusion.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Today(2004, 3, 3);

// The keeper's answers: a rank spelling to the row of its model, a history question to Yes/No.
struct Keeper {
    QMap<QString, int> rankRows;
    QMap<QString, bool> historyAnswers;   // by number
    QStringList asked;
    QStringList told;
    QStringList correctionsShown;

    CollectiveInclusion include(const QStringList& lines)
    {
        return IncludeCollective(
            lines,
            [this](const QString& question) {
                asked << question;
                for (auto it = historyAnswers.cbegin(); it != historyAnswers.cend(); ++it)
                    if (question == HistoryQuestion(it.key()))
                        return it.value();
                return false;
            },
            [this](const QString& message) { told << message; },
            [this](const QString& spelling, const QStringList&) -> std::optional<int> {
                correctionsShown << spelling;
                if (!rankRows.contains(spelling))
                    return std::nullopt;
                return rankRows.value(spelling);
            });
    }
};

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QStringList everyTable(FixtureFolder& data)
{
    QStringList state = StoredTables(data.module(), {"Basico", "Sv1", "Sv2", "Sv3", "Hist"});
    state << TextFile::readLines(data.file(DataFiles::ModelosPstGrd));
    return state;
}

QStringList numbersIn(const QStringList& rows)
{
    QStringList nums;
    for (const QString& row : rows)
        nums << row.section(QLatin1Char('|'), 0, 0);
    return nums;
}

}

class TestCollectiveInclusion : public QObject {
    Q_OBJECT
private slots:
    void init() { Clock::setToday(Today); }
    void cleanup() { Clock::setToday(QDate()); }

    void splitsALine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("a comma in the name") << "1234,Sgt,Silva, J." << QStringList{"1234", "Sgt", "Silva, J."};
        QTest::newRow("no comma: all number") << "1234 Sgt Silva" << QStringList{"1234 Sgt Silva", "", ""};
        QTest::newRow("one comma: no name") << "1234,Sgt" << QStringList{"1234", "Sgt", ""};
        QTest::newRow("blanks kept") << " 12 , Cb ,Lima " << QStringList{" 12 ", " Cb ", "Lima "};
        QTest::newRow("empty number") << ",Cb,Lima" << QStringList{"", "Cb", "Lima"};
    }
    void splitsALine()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        const CollectiveEntry entry = SplitCollectiveLine(line);
        QCOMPARE((QStringList{entry.Num, entry.PstGrd, entry.Nome}), fields);
    }

    void readsTheFileAndReportsOneThatCannotBeRead()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("Novos.Txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("30,Cb,Gon\xE7" "alves\r\n\r\n   \r\n31,Sd,Lima\r\n");   // Windows-1252
        file.close();
        // The empty line is a gap; the line of blanks is a record, to be reported like other lines.
        QCOMPARE(ReadCollectiveFile(path), (QStringList{QStringLiteral("30,Cb,Gonçalves"), "   ", "31,Sd,Lima"}));

        try {
            ReadCollectiveFile(folder.filePath("Faltando.Txt"));
            QFAIL("a missing file was read");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains("Faltando.Txt"), qPrintable(e.message()));
        }
    }

    // A wrong file (a device, a huge log) is refused by name, and the line, before it fills the
    // memory: the register holds 1000 soldiers of short lines.
    void aFilePastWhatItCanHoldIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");   // empty: /dev/zero
        QTest::addColumn<QString>("message");
        QTest::newRow("a device that never ends")
            << QByteArray() << "O arquivo zero é grande demais para um arquivo de inclusão coletiva: passa de 512 KB já "
                               "na linha 1 (no máximo 1000 linhas, cada uma com um militar). Nada foi alterado.";
        QTest::newRow("one line of 6 MB") << "30,Cb,Lima\r\n" + QByteArray(6 << 20, 'A')
                                          << "O arquivo Novos.Txt é grande demais para um arquivo de inclusão coletiva: "
                                             "passa de 512 KB já na linha 2";
        QTest::newRow("a line of 201 characters")
            << "30,Cb,Lima\r\n\r\n31,Sd," + QByteArray(195, 'B') + "\r\n"
            << "A linha 3 do arquivo Novos.Txt tem 201 caracteres; uma linha de um arquivo de inclusão coletiva tem no "
               "máximo 200. Nada foi alterado.";
        QByteArray many;
        for (int i = 1; i <= 1001; ++i)
            many += QByteArray::number(i) + ",Sd,Soldado\r\n\r\n";
        QTest::newRow("1001 soldiers") << many
                                       << "O arquivo Novos.Txt tem mais de 1000 linhas preenchidas (a linha 2001 é a "
                                          "1001ª); um arquivo de inclusão coletiva tem no máximo 1000";
    }
    void aFilePastWhatItCanHoldIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QString path = QStringLiteral("/dev/zero");
        if (!content.isEmpty()) {
            path = folder.filePath("Novos.Txt");
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        try {
            ReadCollectiveFile(path);
            QFAIL("the file was read");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().startsWith(message), qPrintable(e.message()));
        }
    }

    void aFileAsLargeAsTheRegisterIsRead()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("Novos.Txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 1000; ++i)
            file.write(QByteArray::number(i) + ",Sd," + QByteArray(190, 'C') + "\r\n\r\n");
        file.close();
        QCOMPARE(ReadCollectiveFile(path).size(), 1000);
    }

    void registersTheLinesAndBringsTheirRanksToTheModels()
    {
        FixtureFolder data;
        Keeper keeper;
        keeper.rankRows = {{"Sgt", 5}, {"Soldado", 9}};
        const CollectiveInclusion result =
            keeper.include({"1234,Sgt,Silva, J.", "20,1 Ten,Nogueira", "21,Cabo,Quintela Albuquerque", "22,Sgt,Rocha",
                            "23,Soldado,Souto"});
        QCOMPARE(result.beigeLines, (QStringList{"1234 1º Sgt Silva, J.", "20 1º Ten Nogueira", "21 Cb Quintela Albuqu",
                                                 "22 1º Sgt Rocha", "23 Sd Souto"}));
        // Asked once per unknown spelling; the answer is learned in the first free column of its row.
        QCOMPARE(keeper.correctionsShown, (QStringList{"Sgt", "Soldado"}));
        QCOMPARE(result.ranks.learned, (QStringList{"Sgt", "Soldado"}));
        const QStringList models = TextFile::readLines(data.file(DataFiles::ModelosPstGrd));
        QCOMPARE(models.value(25 * 1 + 5), QStringLiteral("Sgt"));
        QCOMPARE(models.value(25 * 1 + 9), QStringLiteral("Soldado"));
        const QStringList basico = StoredRows(data.module(), "Basico");
        QVERIFY(basico.contains("1234|Silva, J.|1º Sgt||||"));
        QVERIFY(basico.contains("21|Quintela Albuqu|Cb||||"));
        QCOMPARE(basico.size(), 17);
        QCOMPARE(keeper.asked, QStringList());
        QCOMPARE(keeper.told, QStringList());
    }

    void aBadLineRegistersNothing_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("message");
        const QString empty = "Campos Número, Posto e Nome devem ser preenchidos";
        QTest::newRow("no comma") << QStringList{"30,Sd,Lima", "31 Sd Rocha"}
                                  << "              Registro: 31 Sd Rocha\n\n" + empty;
        QTest::newRow("one comma") << QStringList{"31,Sd", "30,Sd,Lima"} << "              Registro: 31,Sd\n\n" + empty;
        QTest::newRow("empty rank") << QStringList{"30,Sd,Lima", "31,,Rocha"} << "Registro: 31,,Rocha\n\n" + empty;
        QTest::newRow("number too long") << QStringList{"30,Sd,Lima", "12345,Sd,Rocha"}
                                         << "Registro: 12345,Sd,Rocha\n\nNúmero inválido";
        QTest::newRow("number with a blank") << QStringList{"3 1,Sd,Rocha"} << "Registro: 3 1,Sd,Rocha\n\nNúmero inválido";
        QTest::newRow("the dropped mark") << QStringList{"x,Sd,Rocha"} << "Registro: x,Sd,Rocha\n\nNúmero inválido";
        QTest::newRow("a line of blanks") << QStringList{"30,Sd,Lima", "   "} << "              Registro:    \n\n" + empty;
        QTest::newRow("nothing selected") << QStringList{"", ""} << "Você deve selecionar os militares a serem incluídos";
    }
    void aBadLineRegistersNothing()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = everyTable(data);
        Keeper keeper;
        try {
            keeper.include(lines);
            QFAIL("the run was not refused");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(everyTable(data), before);
        QCOMPARE(keeper.asked, QStringList());
        QCOMPARE(keeper.correctionsShown, QStringList());
    }

    void numbersAlreadyThereAreReportedAndSkipped()
    {
        FixtureFolder data;
        Keeper keeper;
        const CollectiveInclusion result = keeper.include({"30,Sd,Primeiro", "30,Sd,Segundo", "5,Cb,Outro", "31,Cb,Lima"});
        QCOMPARE(result.beigeLines, (QStringList{"30 Sd Primeiro", "31 Cb Lima"}));
        QCOMPARE(keeper.told, (QStringList{"        Registro: 30,Sd,Segundo\n\n Já está incluído no Sistema",
                                           "        Registro: 5,Cb,Outro\n\n Já está incluído no Sistema"}));
        QCOMPARE(result.skipped, keeper.told);
        const QStringList basico = StoredRows(data.module(), "Basico");
        QVERIFY(basico.contains("30|Primeiro|Sd||||"));
        QVERIFY(basico.contains("5|Esteves|2º Sgt|R|2004-03-01|2004-03-05|28/02/04 "));
        QCOMPARE(basico.size(), 14);
        // Soldier 5 was not asked about, although his number is in the history.
        QCOMPARE(keeper.asked, QStringList());
    }

    void aNumberStillInTheHistoryIsAskedAbout()
    {
        FixtureFolder data;
        run("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-02-26', 3, 'Cb Gda', '77 78', 'Pt')");
        Keeper keeper;
        keeper.historyAnswers = {{"77", false}, {"78", true}};
        const CollectiveInclusion result = keeper.include({"77,Cb,Antunes", "78,Cb,Borges", "7,Cb,Costa", "79,Cb,Dias"});
        QCOMPARE(keeper.asked, (QStringList{"Ainda há o número 77 no Arquivo Histórico. Incluir mesmo assim ?",
                                            "Ainda há o número 78 no Arquivo Histórico. Incluir mesmo assim ?"}));
        QCOMPARE(result.beigeLines, (QStringList{"78 Cb Borges", "79 Cb Dias"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Basico")).filter(QRegularExpression("^7\\d$")),
                 (QStringList{"78", "79"}));
    }

    void aQuestionThatStopsTheRunWritesNothing()
    {
        FixtureFolder data;
        run("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-02-26', 3, 'Cb Gda', '78', 'Pt')");
        const QStringList before = everyTable(data);
        const auto stop = [](const QString&) -> bool { throw CoreError("parado"); };
        QVERIFY_THROWS_EXCEPTION(CoreError, IncludeCollective({"77,Cb,Antunes", "78,Cb,Borges"}, stop, {}, {}));
        QCOMPARE(everyTable(data), before);
    }

    void excludesFromTheRegisterAndEveryRoster()
    {
        FixtureFolder data;
        const QStringList hist = StoredRows(data.module(), "Hist");
        const QStringList removed = ExcludeCollective({"2", "5", "99", "8"});
        QCOMPARE(removed, (QStringList{"2", "5", "8"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Basico")),
                 (QStringList{"1", "10", "11", "12", "3", "4", "6", "7", "9"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Sv1")), (QStringList{"1", "3"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Sv2")), (QStringList{"4", "6"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Sv3")), (QStringList{"10", "11", "12", "7", "9"}));
        QCOMPARE(StoredRows(data.module(), "Hist"), hist);
        QCOMPARE(RegisteredSoldierLines().size(), 9);
    }

    void newcomersToOneServiceStartAtTheLevelBefore()
    {
        FixtureFolder data;
        run("UPDATE Sv3 SET Pt = 4 + Num, Vm = 20 - Num");   // lowest Pt 11 (7), lowest Vm 8 (12)
        Keeper keeper;
        keeper.include({"30,Cb,Lima", "31,Cb,Rocha"});
        LoadServices();
        ClearSelectionMarks();
        Global().ServiceTable[3].Marca = "S";
        const QStringList messages = SaveServicesForSelection({"30", "99", "31"}, Today);
        QCOMPARE(messages, QStringList{"99 Número não está incluído no sistema"});
        QCOMPARE(StoredRows(data.module(), "Sv3"), (QStringList{"10|14|10", "11|15|9", "12|16|8", "30|11|8", "31|11|8",
                                                               "7|11|13", "8|12|12", "9|13|11"}));
    }

    void membersOfATickedServiceKeepTheirCountsAndLeaveTheOthers()
    {
        FixtureFolder data;
        run("UPDATE Sv2 SET Pt = 6, Vm = 2 WHERE Num = '6'");
        run("UPDATE Sv2 SET Pt = 9, Vm = 7 WHERE Num = '4'");
        run("UPDATE Sv3 SET Pt = 5, Vm = 3");
        run("UPDATE Sv3 SET Pt = 8, Vm = 4 WHERE Num = '7'");
        LoadServices();
        ClearSelectionMarks();
        Global().ServiceTable[2].Marca = "S";
        QCOMPARE(SaveServicesForSelection({"6", "7"}, Today), QStringList());
        // 6 stays with his counts; 7 leaves Cb Gda and joins Adj Of at its level (5 is away).
        QCOMPARE(StoredRows(data.module(), "Sv2"), (QStringList{"4|9|7", "5|0|1", "6|6|2", "7|6|2"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Sv3")), (QStringList{"10", "11", "12", "8", "9"}));
        QCOMPARE(numbersIn(StoredRows(data.module(), "Sv1")), (QStringList{"1", "2", "3"}));
    }
};

QTEST_MAIN(TestCollectiveInclusion)
#include "TestCollectiveInclusion.moc"
