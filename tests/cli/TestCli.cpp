// ravelha-cli run as a program on a fresh copy of a data set.
#include "CliRunner.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Result = CliResult;

// The service lines of one day in the listing.
QStringList dayOf(const QStringList& listing, const QString& header)
{
    const int at = listing.indexOf(header);
    QStringList lines;
    for (int i = at + 1; at >= 0 && i < listing.size() && listing.at(i) != QStringLiteral("     ")
         && listing.at(i) != QStringLiteral("== Mensagens");
         ++i)
        lines << listing.at(i);
    return lines;
}

const QString Usage = QStringLiteral("uso: ravelha-cli");

}

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void verificarListsEveryDayWithEveryService()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        const Result result = cli(data, {QStringLiteral("verificar"), QStringLiteral("10/03/04")});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.err, QString());
        // Nine days of a separator, a header and four services; no messages.
        QCOMPARE(result.out.size(), 9 * 6 + 1);
        QCOMPARE(result.out.last(), QStringLiteral("== Mensagens"));
        const QRegularExpression names[] = {
            QRegularExpression(QStringLiteral("^     Cb Gda:  (\\d+-\\S+  ){3}$")),
            QRegularExpression(QStringLiteral("^     Sd Gda:  (\\d+-\\S+  ){3}$")),
            QRegularExpression(QStringLiteral("^     Of Dia:  (\\d+-\\S+  ){1}$")),
            QRegularExpression(QStringLiteral("^     Adj Of:  (\\d+-\\S+  ){1}$")),
        };
        for (int day = 2; day <= 10; ++day) {
            const QDate date(2004, 3, day);
            const QString kind = date.dayOfWeek() >= 6 ? QStringLiteral("Vm") : QStringLiteral("Pt");
            const QString header = QStringLiteral("               %1 (%2)").arg(date.toString(QStringLiteral("dd/MM/yy")), kind);
            QCOMPARE(result.out.at((day - 2) * 6), QStringLiteral("     "));
            QCOMPARE(result.out.at((day - 2) * 6 + 1), header);
            const QStringList services = dayOf(result.out, header);
            QCOMPARE(services.size(), 4);
            for (int s = 0; s < 4; ++s)
                QVERIFY2(names[s].match(services.at(s)).hasMatch(), qPrintable(services.at(s)));
        }
        QCOMPARE(storedState(data), before);   // verifying writes nothing
    }

    void escalarThenDesfazerLeavesEverythingAsBefore()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        const Result escalar = cli(data, {QStringLiteral("escalar"), QStringLiteral("10/03/04")});
        QCOMPARE(escalar.exit, 0);
        QCOMPARE(escalar.out.size(), 9 * 6 + 1);   // the listing of verificar, then the commit says nothing
        QCOMPARE(escalar.out.last(), QStringLiteral("== Mensagens"));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Escala)), QStringList{"10/03/04"});
        const QStringList rostered = storedState(data).filter(QRegularExpression(QStringLiteral("^2004-03-(0[2-9]|10)\\|")));
        QCOMPARE(rostered.size(), 9 * 4);
        QVERIFY(storedState(data) != before);

        const Result desfazer = cli(data, {QStringLiteral("desfazer"), QStringLiteral("02/03/04")});
        QCOMPARE(desfazer.exit, 0);
        QCOMPARE(desfazer.out, QStringList{"Última Escalação: 01/03/04"});
        QCOMPARE(storedState(data), before);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("invalid day") << QStringList{"verificar", "31/02/04"} << "31/02/04 >>> Data inválida\n";
        QTest::newRow("preparation period")
            << QStringList{"escalar", "21/03/04"}
            << "Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
               "                       A data atual vai até o dia 20/03/04\n\n"
               "              Para ampliá-la, use o item 5. da aba /Manutenção/\n";
        QTest::newRow("day already rostered")
            << QStringList{"verificar", "05/03/04", "LAST:28/02/04"} << "O Serviço de Of Dia já foi escalado no dia 29/02/04\n";
        QTest::newRow("undo of no day") << QStringList{"desfazer", "ontem"} << "ontem >>> Data inválida\n";
        QTest::newRow("undo of an empty day") << QStringList{"desfazer", ""} << " >>> Data inválida\n";
        // dd/mm/yy holds the days of 2000 to 2099: no other day is read, or ever written.
        for (const char* typed : {"05/03/0004", "05/03/1904", "01/01/0001", "02/01/2101", "31/12/1999"}) {
            for (const char* command : {"escalar", "desfazer"})
                QTest::addRow("%s %s", command, typed)
                    << QStringList{command, typed} << QString::fromLatin1(typed) + " >>> Data inválida\n";
        }
        QTest::newRow("undo to a day before 2000")
            << QStringList{"desfazer", "01/01/00"}
            << "Não é possível desfazer a partir do dia 01/01/00: a última escalação passaria a ser 31/12/1999, e o "
               "Sistema guarda os dias de 01/01/00 a 31/12/99.\n";
        QTest::newRow("roster beyond 2099")
            << QStringList{"verificar", "31/12/99", "LAST:30/12/99"}
            << "Não é possível escalar até o dia 31/12/99: o cálculo iria até o dia 02/01/2100, e o Sistema guarda os "
               "dias de 01/01/00 a 31/12/99.\n";
        QTest::newRow("escalar before the last rostered day")
            << QStringList{"escalar", "27/02/04", "LAST:01/03/04"}
            << "A última escalação vai até o dia 01/03/04.\n\nEscalar até o dia 27/02/04 desfará os dias de 28/02/04 a "
               "01/03/04, já escalados: os registros do histórico serão eliminados e as contagens e os últimos serviços "
               "dos militares, refeitos.\n\nDeseja continuar?\n"
               "Nada foi alterado. Para confirmar, repita o comando com --desfazer-posteriores.\n";
        QTest::newRow("undo from a day never rostered")
            << QStringList{"desfazer", "03/03/04"}
            << "A última escalação vai até o dia 01/03/04.\n\nDesfazer a partir do dia 03/03/04 levará a última escalação "
               "para o dia 02/03/04: o dia 02/03/04, que nunca foi escalado, passará a contar como escalado e não poderá "
               "mais ser escalado automaticamente.\n\nDeseja continuar?\n"
               "Nada foi alterado. Para confirmar, repita o comando com --forcar.\n";
        QTest::newRow("removal of no soldier")
            << QStringList{"escalar", "10/03/04", "--retirar", "3831:02/03/04"}
            << "Não há militar de número 3831 no Sistema; ninguém foi retirado da escala.\n";
        QTest::newRow("removal of a number too long")
            << QStringList{"verificar", "10/03/04", "--retirar", "00021:02/03/04"}
            << "O número \"00021\" tem mais de 4 caracteres; nenhum militar foi retirado da escala.\n";
        QTest::newRow("eleven days removed")
            << QStringList{"verificar", "10/03/04", "--retirar", "21:02/03/04,03/03/04,04/03/04,05/03/04,06/03/04,07/03/04,"
                                                                  "08/03/04,09/03/04,10/03/04,11/03/04,12/03/04"}
            << "Escolha no máximo 10 dias de cada vez (foram escolhidos 11); o militar 21 não foi retirado.\n\n"
               "Para mais dias, retire-o outra vez com os dias restantes.\n";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        FixtureFolder data(QStringLiteral("inicial"));
        if (arguments.last().startsWith(QStringLiteral("LAST:"))) {
            // A unit rostered up to that day, its calendar prepared as far as days can be written.
            const QDate last = *Dates::parse(arguments.takeLast().mid(5));
            DataFiles::WriteLastRosteredDay(last);
            DataFiles::WritePreparationPeriod({last, Dates::LastDay});
        }
        const QStringList before = storedState(data);
        const Result result = cli(data, arguments);
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, message);
        QVERIFY(result.out.isEmpty());
        QCOMPARE(storedState(data), before);
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("unknown command") << QStringList{"apagar", "10/03/04"};
        QTest::newRow("no day") << QStringList{"verificar"};
        QTest::newRow("print without a file") << QStringList{"imprimir", "10/03/04"};
        QTest::newRow("removal without days") << QStringList{"verificar", "10/03/04", "--retirar", "21"};
        QTest::newRow("removal from no service") << QStringList{"verificar", "10/03/04", "--retirar", "21:9:02/03/04"};
        QTest::newRow("removal on no day") << QStringList{"verificar", "10/03/04", "--retirar", "21:30/02/04"};
        QTest::newRow("past days confirmed when verifying") << QStringList{"verificar", "10/03/04", "--desfazer-posteriores"};
        QTest::newRow("forced roster") << QStringList{"escalar", "10/03/04", "--forcar"};
        QTest::newRow("removal when undoing") << QStringList{"desfazer", "02/03/04", "--retirar", "21:02/03/04"};
        QTest::newRow("one argument too many") << QStringList{"verificar", "10/03/04", "11/03/04"};
    }
    void badUsage()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        const Result result = cli(data, arguments);
        QCOMPARE(result.exit, 2);
        QVERIFY2(result.err.contains(Usage), qPrintable(result.err));
        QCOMPARE(storedState(data), before);
    }

    void questionsAnsweredYesByTheirFlags()
    {
        FixtureFolder data(QStringLiteral("inicial"));   // rostered up to 01/03/04
        QCOMPARE(cli(data, {QStringLiteral("escalar"), QStringLiteral("05/03/04")}).exit, 0);
        const CliResult back =
            cli(data, {QStringLiteral("escalar"), QStringLiteral("03/03/04"), QStringLiteral("--desfazer-posteriores")});
        QCOMPARE(back.exit, 0);
        QCOMPARE(back.err, QString());
        QCOMPARE(back.out, QStringList{"== Mensagens"});   // nothing computed; the later days undone
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Escala)), QStringList{"03/03/04"});
        QVERIFY(storedState(data).filter(QRegularExpression(QStringLiteral("^2004-03-0[45]\\|"))).isEmpty());
        QCOMPARE(storedState(data).filter(QRegularExpression(QStringLiteral("^2004-03-0[23]\\|"))).size(), 2 * 4);

        const CliResult forced = cli(data, {QStringLiteral("desfazer"), QStringLiteral("10/03/04"), QStringLiteral("--forcar")});
        QCOMPARE(forced.exit, 0);
        QCOMPARE(forced.out, QStringList{"Última Escalação: 09/03/04"});
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Escala)), QStringList{"09/03/04"});
    }

    void aReadOnlyEscalaIsANoticeNotARefusal()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        const QString escala = data.file(DataFiles::Escala);
        QVERIFY(QFile::setPermissions(escala, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        // As root, the program runs as nobody, who may write the folder and the database but not
        // Escala.Txt.
        std::function<void()> asNobody;
        QVERIFY(openToNobodyWhereRoot(data, {}, {}, asNobody));
        const QStringList command{QStringLiteral("--dados"), data.path(), QStringLiteral("escalar"), QStringLiteral("04/03/04")};
        const Result committed = cli(command, plainEnvironment(), QString(), asNobody);
        if (asNobody && committed.exit == 126)
            QSKIP("run as root, and the user nobody (65534) cannot be taken or cannot start the program from this build folder: a read-only file cannot be met");
        QCOMPARE(committed.exit, 0);
        QVERIFY2(committed.err.startsWith(QStringLiteral("A gravação nas tabelas foi concluída e vale.\n\n"
                                                         "O arquivo Escala.Txt não pôde ser gravado: o arquivo é "
                                                         "somente leitura.\n\n")),
                 qPrintable(committed.err));
        QCOMPARE(TextFile::readLines(escala), QStringList{"01/03/04"});
        QCOMPARE(storedState(data).filter(QRegularExpression(QStringLiteral("^2004-03-0[234]\\|"))).size(), 3 * 4);

        // The next run goes on from the committed day, and once the file can be written, writes it.
        const Result next = cli({QStringLiteral("--dados"), data.path(), QStringLiteral("verificar"), QStringLiteral("05/03/04")},
                                plainEnvironment(), QString(), asNobody);
        QCOMPARE(next.exit, 0);
        QVERIFY(next.err.startsWith(QStringLiteral("Uma operação anterior gravou as tabelas")));
        QCOMPARE(next.out.at(1), QStringLiteral("               05/03/04 (Pt)"));
        QVERIFY(QFile::setPermissions(escala, QFile::permissions(escala) | QFile::WriteOwner | QFile::WriteOther));
        const Result written = cli(data, {QStringLiteral("verificar"), QStringLiteral("05/03/04")});
        QCOMPARE(written.err, QString());
        QCOMPARE(TextFile::readLines(escala), QStringList{"04/03/04"});
    }

    void removalsApplyToTheirServicesAndDays_data()
    {
        QTest::addColumn<QString>("removal");
        QTest::addColumn<bool>("onSecond");
        QTest::newRow("none") << QString() << true;
        QTest::newRow("every service") << "21:02/03/04" << false;
        QTest::newRow("his service") << "21:3,4:02/03/04,05/03/04" << false;
        QTest::newRow("a service he is not in") << "21:4:02/03/04" << true;
        QTest::newRow("another day") << "21:03/03/04" << true;
    }
    void removalsApplyToTheirServicesAndDays()
    {
        QFETCH(QString, removal);
        QFETCH(bool, onSecond);
        FixtureFolder data(QStringLiteral("inicial"));
        QStringList arguments{QStringLiteral("verificar"), QStringLiteral("04/03/04")};
        if (!removal.isEmpty())
            arguments << QStringLiteral("--retirar") << removal;
        const Result result = cli(data, arguments);
        QCOMPARE(result.exit, 0);
        const QStringList second = dayOf(result.out, QStringLiteral("               02/03/04 (Pt)"));
        QCOMPARE(second.size(), 4);
        QCOMPARE(second.first().contains(QStringLiteral(" 21-Silveira ")), onSecond);
        QVERIFY(second.first().count(QLatin1Char('-')) == 3);
    }

    void dataFolderFromTheEnvironmentMustExist()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        QProcessEnvironment env = plainEnvironment();
        env.insert(QStringLiteral("RAVELHA_DADOS"), data.path());
        QCOMPARE(cli({QStringLiteral("verificar"), QStringLiteral("02/03/04")}, env).exit, 0);

        const QString missing = QDir(data.path()).filePath(QStringLiteral("nao-existe"));
        const Result result = cli({QStringLiteral("--dados"), missing, QStringLiteral("verificar"), QStringLiteral("02/03/04")});
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, QStringLiteral("A pasta de dados \"%1\" não existe.\n").arg(QDir::toNativeSeparators(missing)));
        QVERIFY(!QFileInfo::exists(missing));
    }

    void imprimirWritesThePdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        // A relative file name is taken from the folder the command is given in.
        QTemporaryDir here;
        const Result result = cli({QStringLiteral("--dados"), data.path(), QStringLiteral("imprimir"), QStringLiteral("04/03/04"),
                                   QStringLiteral("--pdf"), QStringLiteral("escala.pdf")},
                                  plainEnvironment(), here.path());
        QCOMPARE(result.exit, 0);
        const QString pdf = QDir(here.path()).filePath(QStringLiteral("escala.pdf"));
        QVERIFY(QFileInfo::exists(pdf));
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY(text.contains(QStringLiteral("Escala de Serviço")));
        for (const char* day : {"02/03/04 (Pt)", "03/03/04 (Pt)", "04/03/04 (Pt)"})
            QVERIFY(text.contains(day));
        QVERIFY(!text.contains(QStringLiteral("05/03/04")));
        QCOMPARE(text.count(QStringLiteral("Of Dia:")), 3);
        QCOMPARE(storedState(data), before);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "TestCli.moc"
