// The checks of one value: what each column of the tables accepts, as the engine gives it back or as typed.
#include "data/RowChecks.h"

#include <QTest>

using Kind = TableSchema::Kind;
Q_DECLARE_METATYPE(TableSchema::Kind)

class TestRowChecks : public QObject {
    Q_OBJECT
private slots:
    void valuesOfEachColumn_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("problem");   // empty: accepted
        const QString notWhole = QStringLiteral("não é um número inteiro");
        const QString noDay = QStringLiteral("não é um dia válido");
        const QString empty = QStringLiteral("não pode ficar vazio");
        const QString noList = QStringLiteral("não é uma lista de até 10 dias dd/mm/aa separados por um espaço");
        auto row = [](const char* name, Kind kind, const char* column, const QVariant& value, const QString& problem) {
            QTest::newRow(name) << kind << QString::fromLatin1(column) << value << problem;
        };

        // Counts: a whole number as the engine holds it or as text; empty reads as 0.
        row("count integer", Kind::Roster, "Pt", QVariant(qlonglong(7)), QString());
        row("count negative text", Kind::Roster, "Vm", QVariant(QStringLiteral("-3")), QString());
        row("count with a plus sign", Kind::Roster, "Pt", QVariant(QStringLiteral("+5")), QString());
        row("count whole real", Kind::Roster, "Pt", QVariant(2.0), QString());
        row("count null", Kind::Roster, "Pt", QVariant(), QString());
        row("count empty text", Kind::Roster, "Pt", QVariant(QString()), QString());
        row("count real", Kind::Roster, "Pt", QVariant(2.7), notWhole);
        row("count 7abc", Kind::Roster, "Pt", QVariant(QStringLiteral("7abc")), notWhole);
        row("count with blanks", Kind::Roster, "Pt", QVariant(QStringLiteral(" 7")), notWhole);
        row("count sign alone", Kind::Roster, "Pt", QVariant(QStringLiteral("-")), notWhole);
        row("count bytes", Kind::Roster, "Vm", QVariant(QByteArray("\x01\x02", 2)), notWhole);
        row("count too big", Kind::Roster, "Pt", QVariant(qlonglong(3000000000LL)),
            QStringLiteral("está fora dos limites de um número inteiro"));
        row("count of many digits", Kind::Roster, "Pt", QVariant(QStringLiteral("99999999999999999999")),
            QStringLiteral("está fora dos limites de um número inteiro"));
        // Counts typed or stored as text, at the edges of what a count holds.
        const QString outside = QStringLiteral("está fora dos limites de um número inteiro");
        const QString negative = QStringLiteral("é negativo");
        row("count text at the top", Kind::Roster, "Pt", QVariant(QStringLiteral("2147483647")), QString());
        row("count text past the top", Kind::Roster, "Pt", QVariant(QStringLiteral("2147483648")), outside);
        row("count text at the bottom", Kind::Roster, "Vm", QVariant(QStringLiteral("-2147483648")), QString());
        row("count text past the bottom", Kind::Roster, "Vm", QVariant(QStringLiteral("-2147483649")), outside);
        row("count text of zeros", Kind::Roster, "Pt", QVariant(QStringLiteral("-000")), QString());
        row("count text with leading zeros", Kind::Roster, "Pt", QVariant(QStringLiteral("+0007")), QString());
        row("count text at the 64-bit bottom", Kind::Roster, "Pt", QVariant(QStringLiteral("-9223372036854775808")), outside);
        row("count text past the 64-bit top", Kind::Roster, "Pt", QVariant(QStringLiteral("9223372036854775808")), outside);
        row("count text with a sign inside", Kind::Roster, "Pt", QVariant(QStringLiteral("5-")), notWhole);
        row("count text with two signs", Kind::Roster, "Pt", QVariant(QStringLiteral("--5")), notWhole);
        row("count text with an Arabic digit", Kind::Roster, "Pt", QVariant(QString(QChar(0x0663))), notWhole);
        row("quantity of many negative digits", Kind::Services, "Quant",
            QVariant(QStringLiteral("-99999999999999999999")), negative);
        row("quantity of many digits", Kind::Services, "Quant", QVariant(QStringLiteral("99999999999999999999")), outside);
        row("quantity negative zero", Kind::Services, "Quant", QVariant(QStringLiteral("-0")), QString());
        row("service code with zeros", Kind::Services, "CodSv", QVariant(QStringLiteral("0030")), QString());
        row("service code past 30 with zeros", Kind::Services, "CodSv", QVariant(QStringLiteral("00031")),
            QStringLiteral("não é um código de serviço de 1 a 30"));
        row("count as an int", Kind::Roster, "Pt", QVariant(int(-5)), QString());
        row("count as an unsigned past the top", Kind::Roster, "Pt", QVariant(uint(3000000000u)), outside);

        // Soldier numbers: the key of the register and of the rosters.
        row("number", Kind::Personnel, "Num", QVariant(QStringLiteral("1234")), QString());
        row("deleted mark", Kind::Roster, "Num", QVariant(QStringLiteral("x")), QString());
        row("number empty", Kind::Personnel, "Num", QVariant(QString()), empty);
        row("number with a blank", Kind::Roster, "Num", QVariant(QStringLiteral("1 2")), QStringLiteral("tem espaços em branco"));
        row("number with a tab", Kind::Personnel, "Num", QVariant(QStringLiteral("12\t")), QStringLiteral("tem espaços em branco"));
        row("number too long", Kind::Personnel, "Num", QVariant(QStringLiteral("12345")), QStringLiteral("tem mais de 4 caracteres"));
        row("number as bytes", Kind::Personnel, "Num", QVariant(QByteArray("12")), QStringLiteral("é um valor binário, não um texto"));

        // Texts cut by nothing: the width of their field.
        row("name of 15", Kind::Personnel, "Nome", QVariant(QStringLiteral("Magalhães Souza")), QString());
        row("name of 16", Kind::Personnel, "Nome", QVariant(QStringLiteral("Magalhães Souzas")), QStringLiteral("tem mais de 15 caracteres"));
        row("empty name", Kind::Personnel, "Nome", QVariant(QString()), QString());
        row("rank of 8", Kind::Personnel, "PstGrd", QVariant(QStringLiteral("Capitão!")), QStringLiteral("tem mais de 7 caracteres"));
        row("service name empty", Kind::Services, "Descr", QVariant(QString()), empty);
        row("history name of 9", Kind::History, "Descr", QVariant(QStringLiteral("Motorista")), QStringLiteral("tem mais de 8 caracteres"));
        row("history list of 120", Kind::History, "Num", QVariant(QString(120, QLatin1Char('1'))), QString());
        row("history list of 121", Kind::History, "Num", QVariant(QString(121, QLatin1Char('1'))),
            QStringLiteral("tem mais de 120 caracteres"));

        // Choices.
        row("absence P", Kind::Personnel, "PR", QVariant(QStringLiteral("P")), QString());
        row("absence none", Kind::Personnel, "PR", QVariant(), QString());
        row("absence lower case", Kind::Personnel, "PR", QVariant(QStringLiteral("r")), QStringLiteral("não é \"P\", \"R\" nem vazio"));
        row("kind Vm", Kind::History, "PtVm", QVariant(QStringLiteral("Vm")), QString());
        row("kind X", Kind::History, "PtVm", QVariant(QStringLiteral("X")), QStringLiteral("não é \"Pt\", \"Vm\" nem vazio"));

        // Days, stored as yyyy-MM-dd; empty only where the model has "no day".
        row("leap day", Kind::History, "Dia", QVariant(QStringLiteral("2004-02-29")), QString());
        row("no such day", Kind::History, "Dia", QVariant(QStringLiteral("2003-02-29")), noDay);
        row("day as typed", Kind::Services, "Ini", QVariant(QStringLiteral("01/03/04")), noDay);
        row("day with a time", Kind::Services, "Fim", QVariant(QStringLiteral("2004-03-01T00:00:00")), noDay);
        row("day as a number", Kind::History, "Dia", QVariant(qlonglong(20040301)), noDay);
        row("history day empty", Kind::History, "Dia", QVariant(QString()), empty);
        row("absence start empty", Kind::Personnel, "Ini", QVariant(QString()), QString());
        row("service start empty", Kind::Services, "Ini", QVariant(), QString());
        row("service end empty", Kind::Services, "Fim", QVariant(), empty);

        // Codes and quantities.
        row("code 30", Kind::History, "CodSv", QVariant(30), QString());
        row("code 0", Kind::Services, "CodSv", QVariant(0), QStringLiteral("não é um código de serviço de 1 a 30"));
        row("code 31 as text", Kind::History, "CodSv", QVariant(QStringLiteral("31")), QStringLiteral("não é um código de serviço de 1 a 30"));
        row("quantity 0", Kind::Services, "Quant", QVariant(0), QString());
        row("quantity -1", Kind::Services, "Quant", QVariant(-1), QStringLiteral("é negativo"));
        row("quantity empty", Kind::Services, "Quant", QVariant(), empty);
        row("priority negative", Kind::Services, "Prio", QVariant(-2), QString());
        row("priority text", Kind::Services, "Prio", QVariant(QStringLiteral("alta")), notWhole);
        row("rest is not read", Kind::Services, "Folga", QVariant(QStringLiteral("?")), QString());

        // Recent service days: what ParseUSv reads whole and USvText writes back the same.
        row("two days", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04 05/03/04 ")), QString());
        row("without the last blank", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04 05/03/04")), QString());
        row("ten days", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04 ").repeated(10)), QString());
        row("eleven days", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04 ").repeated(11)), noList);
        // Bytes that were no UTF-8 come back as replacement or C1 control characters.
        const QString unreadable = QStringLiteral("tem caracteres ilegíveis (bytes que não formam texto UTF-8)");
        row("name with a replacement character", Kind::Personnel, "Nome", QVariant(QStringLiteral("Jo\uFFFDo")), unreadable);
        row("service with a C1 control", Kind::Services, "Descr", QVariant(QStringLiteral("Of\u0085Dia")), unreadable);
        row("history numbers with a replacement character", Kind::History, "Num", QVariant(QStringLiteral("7 \uFFFD")),
            unreadable);
        row("name with accents and ordinals", Kind::Personnel, "Nome", QVariant(QStringLiteral("Conceição ºª")), QString());
        row("two blanks", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04  05/03/04 ")), noList);
        row("leading blank", Kind::Personnel, "USv", QVariant(QStringLiteral(" 01/03/04")), noList);
        row("no day", Kind::Personnel, "USv", QVariant(QStringLiteral("01/03/04 31/02/04 ")), noList);
    }
    void valuesOfEachColumn()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, problem);
        QCOMPARE(RowChecks::problem(kind, column, value).value_or(QString()), problem);
    }

    void aTypedTextLongerThanItsFieldIsRefusedNamingTheLimit()
    {
        QVERIFY(!RowChecks::widthRefusal(QStringLiteral("O Nome"), QString(15, QLatin1Char('a')), 15));
        QCOMPARE(RowChecks::widthRefusal(QStringLiteral("O Número"), QStringLiteral("12345"), 4).value_or(QString()),
                 QStringLiteral("O Número \"12345\" tem 5 caracteres; o Sistema guarda no máximo 4. Nada foi alterado."));
    }

    void aRowIsNamedByItsKeyAndItsFirstBadValue()
    {
        const QVariantList soldier{QStringLiteral("7"), QStringLiteral("Gonçalves"), QStringLiteral("Cb"), QStringLiteral("Q"),
                                   QString(), QString(), QString()};
        QCOMPARE(RowChecks::checkRow(QStringLiteral("Basico"), Kind::Personnel, soldier).value_or(QString()),
                 QStringLiteral("A tabela Basico, no militar 7, tem na coluna PR o valor \"Q\", que não é \"P\", \"R\" nem "
                                "vazio. Nada foi alterado."));
        const QVariantList history{QStringLiteral("2004-03-02"), qlonglong(3), QStringLiteral("Cb Gda"), QStringLiteral("7 8"),
                                   QStringLiteral("Pt")};
        QVERIFY(!RowChecks::checkRow(QStringLiteral("Hist"), Kind::History, history));
        QCOMPARE(RowChecks::rowName(Kind::History, history), QStringLiteral("no dia 02/03/04, serviço 3"));
        QCOMPARE(RowChecks::rowName(Kind::Services, {qlonglong(12)}), QStringLiteral("no serviço 12"));
        // A long value is shown by its start.
        const QString refusal = RowChecks::refusal(QStringLiteral("Hist"), QStringLiteral("no dia 02/03/04, serviço 3"),
                                                   QStringLiteral("Num"), QString(300, QLatin1Char('9')),
                                                   QStringLiteral("tem mais de 120 caracteres"));
        QVERIFY(refusal.contains(QString(130, QLatin1Char('9')) + QStringLiteral("…\", que tem mais de 120")));
    }
};

QTEST_GUILESS_MAIN(TestRowChecks)
#include "TestRowChecks.moc"
