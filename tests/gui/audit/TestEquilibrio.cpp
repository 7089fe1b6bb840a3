// Item 4 of "Consultas" through the main window, on the small fixture: Of Dia 1 to 3, Adj Of 4 to
// 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04, today is 03/03/04.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "audit/BalanceChart.h"
#include "audit/CountLog.h"
#include "audit/UEquilibrio.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "printing/Printer.h"
#include "printing/RecordingPrinter.h"
#include "queries/ConsultasPage.h"
#include "startup/UPrincipal.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

QStringList textsOf(const RecordingPrinter& page)
{
    QStringList lines;
    for (const auto& call : page.texts())
        lines << call.text;
    return lines;
}

QList<RecordingPrinter::Call> picturesOf(const RecordingPrinter& page)
{
    QList<RecordingPrinter::Call> pictures;
    for (const auto& call : page.calls())
        if (call.kind == RecordingPrinter::Call::Picture)
            pictures << call;
    return pictures;
}

}

class TestEquilibrio : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }

    // Opens item 4, lets `act` work on the window, then leaves through "Sair".
    void openItemFour(const std::function<void(TFEquilibrio&)>& act)
    {
        bool opened = false;
        SetModalHook([&](QDialog& window) {
            if (auto* balance = qobject_cast<TFEquilibrio*>(&window)) {
                opened = true;
                act(*balance);
                QTest::mouseClick(balance->ButtonSair, Qt::LeftButton);
            }
            return window.result();
        });
        QTest::mouseClick(m_window->Consultas->LabelEquilibrio, Qt::LeftButton);
        QVERIFY(opened);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 3));
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Consultas);
    }
    void cleanup()
    {
        SetModalHook({});
        SetPrintHook({});
        m_window.reset();
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void showsTheChosenRostersBarsAndFindings()
    {
        // The log holds a start for roster 2 only.
        CountLog::Clear(TDMGeral::instance().database(Alias::Ravelha));
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QList<CountLog::Row> rows;
        QVERIFY(q.exec("SELECT Num, Pt, Vm FROM Sv2"));
        while (q.next())
            rows << CountLog::valueRow(2, q.value(0).toString(), CountLog::Black, 0, q.value(1).toInt(), "início")
                 << CountLog::valueRow(2, q.value(0).toString(), CountLog::Red, 0, q.value(2).toInt(), "início");
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha), rows);
        run("UPDATE Sv2 SET Pt = 4 WHERE Num = '6'");
        RecordingPrinter page;
        SetPrintHook([&](const QString&, const Drawing& draw) { draw(page); });
        openItemFour([&](TFEquilibrio& window) {
            QCOMPARE(window.ComboSv->count(), 3);
            QCOMPARE(window.ComboSv->itemText(1), QStringLiteral("Adj Of (2)"));
            QCOMPARE(ItemsOf(window.ListAchados).value(0).left(14), QStringLiteral("sem referência"));
            window.ComboSv->setCurrentIndex(1);
            const BalanceBars& bars = window.Chart->bars();
            QCOMPARE(bars.pt.value(2), 4);
            QCOMPARE(bars.vm.value(1), 1);
            // Soldier 5 is away: greyed and passed over; 4 is then the next pick of both kinds.
            QCOMPARE(bars.greyed, QList<int>{1});
            QCOMPARE(bars.labels, (QStringList{"▶4", "(5)", "6"}));
            QCOMPARE(window.LabelResumo->text(),
                     QStringLiteral("Diferença entre o maior e o menor (fora os afastados): Pt 3, Vm 1\n"
                                    "Próximo Pt: 4 - Dantas    Próximo Vm: 4 - Dantas"));
            QCOMPARE(ItemsOf(window.ListAchados),
                     QStringList{"Nº 6 (Fagundes): Pt na escala 4, pelo registro 0"});
            QTest::mouseClick(window.ButtonImprimir, Qt::LeftButton);
        });
        SetPrintHook({});
        const QStringList printed = textsOf(page);
        QVERIFY(printed.contains("Nº 6 (Fagundes): Pt na escala 4, pelo registro 0"));
        QVERIFY(printed.contains("6          4     1   divergente"));
        // The chart itself, across the page between the title and the figures, sharp enough for paper.
        const auto pictures = picturesOf(page);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures.at(0).x, 0);
        QCOMPARE(pictures.at(0).width, page.pageWidth());
        QImage chart;
        QVERIFY(chart.loadFromData(pictures.at(0).png, "PNG"));
        QCOMPARE(chart.size(), QSize(2400, 950));
        // The bars are drawn: the black and the red of the counts, and the grey of the absent one.
        QHash<QRgb, int> colours;
        for (int y = 0; y < chart.height(); y += 2)
            for (int x = 0; x < chart.width(); x += 2)
                ++colours[chart.pixel(x, y) & 0xffffff];
        QVERIFY(colours.value(0x282828) > 100);
        QVERIFY(colours.value(0xc82828) > 100);
        QVERIFY(colours.value(0xe6bebe) > 100);
        QCOMPARE(pictures.at(0).height * chart.width(), chart.height() * pictures.at(0).width);
        const auto texts = page.texts();
        QCOMPARE(texts.first().text, QStringLiteral("Equilíbrio das escalas e auditoria dos pontos"));
        QVERIFY(texts.first().y < pictures.at(0).y);
        QCOMPARE(texts.at(1).text, QStringLiteral("Pontos da escala Adj Of (2) em 03/03/04"));
        QCOMPARE(texts.at(3).text, QStringLiteral("Num     Pt    Vm   Marca"));
        QVERIFY(texts.at(2).y >= pictures.at(0).y + pictures.at(0).height);
    }

    void startsTheLogWhereItHasNone()
    {
        // A folder from before the log, with roster 2 alone started (its soldier 6 at 4 by hand).
        const QSqlDatabase db = TDMGeral::instance().database(Alias::Ravelha);
        CountLog::Clear(db);
        CountLog::Append(db, {CountLog::valueRow(2, "6", CountLog::Black, 0, 0, "início")});
        run("UPDATE Sv2 SET Pt = 4 WHERE Num = '6'");
        openItemFour([&](TFEquilibrio& window) {
            QVERIFY(window.ButtonIniciar->isVisibleTo(&window));
            QTest::mouseClick(window.ButtonIniciar, Qt::LeftButton);
            QCOMPARE(m_dialogs->messages(),
                     QStringList{"Registro dos pontos iniciado com os pontos de hoje: Of Dia (1), Cb Gda (3)."});
            QCOMPARE(ItemsOf(window.ListAchados), QStringList{"Sem divergências."});
            QVERIFY(!window.ButtonIniciar->isVisibleTo(&window));
            // Roster 2 kept its own start, so the hand edit still shows.
            window.showRoster(2);
            QVERIFY(!window.ButtonIniciar->isVisibleTo(&window));
            QVERIFY(ItemsOf(window.ListAchados).contains("Nº 6 (Fagundes): Pt na escala 4, pelo registro 0"));
        });
    }

    void printsALongRosterInStripsOverPages()
    {
        // 130 members with the fixture's 6: five strips of at most 28, three on the first page and the
        // fourth, which would pass its bottom, at the top of the second.
        for (int k = 0; k < 130; ++k)
            run(QStringLiteral("INSERT INTO Sv3 (Num, Pt, Vm) VALUES ('%1', %2, %3)").arg(200 + k).arg(k % 7).arg(k % 3));
        RecordingPrinter page;
        SetPrintHook([&](const QString&, const Drawing& draw) { draw(page); });
        openItemFour([&](TFEquilibrio& window) {
            window.showRoster(3);
            QTest::mouseClick(window.ButtonImprimir, Qt::LeftButton);
        });
        SetPrintHook({});
        const auto pictures = picturesOf(page);
        QCOMPARE(pictures.size(), 5);
        for (const auto& picture : pictures)
            QVERIFY(picture.y + picture.height <= page.pageHeight());
        QCOMPARE(pictures.at(2).page, 1);
        QCOMPARE(pictures.at(3).page, 2);
        QCOMPARE(pictures.at(3).y, 0);
        const QStringList printed = textsOf(page);
        QVERIFY(printed.filter(QRegularExpression("^329 +3 +0 ")).size() == 1);
    }

    void savesPngAndPdf()
    {
        QTemporaryDir folder;
        const QString png = folder.filePath("equilibrio.png");
        const QString pdf = folder.filePath("equilibrio.PDF");
        const QString other = folder.filePath("equilibrio.txt");
        m_dialogs->fileAnswers << png << pdf << other << std::nullopt;
        openItemFour([&](TFEquilibrio& window) {
            for (int i = 0; i < 4; ++i)
                QTest::mouseClick(window.ButtonSalvar, Qt::LeftButton);
        });
        for (const QString& file : {png, pdf})
            QVERIFY2(QFileInfo(file).size() > 1000, qPrintable(file));
        QVERIFY(!QFileInfo::exists(other));
        QCOMPARE(m_dialogs->errors(), QStringList{"Dê ao arquivo um nome terminado em .png (imagem) ou .pdf."});
        QCOMPARE(m_dialogs->shown.first(),
                 QStringLiteral("file: Salvar o gráfico | equilibrio-1.png | Imagem PNG (*.png);;Documento PDF (*.pdf)"));
    }

    void neverSavesIntoTheProgramsFolders()
    {
        const QStringList refused{m_data->file("grafico.png"), QDir(m_data->backupPath()).filePath("grafico.pdf")};
        QVERIFY(QDir().mkpath(m_data->backupPath()));
        m_dialogs->fileAnswers << refused.first() << refused.last();
        openItemFour([&](TFEquilibrio& window) {
            QTest::mouseClick(window.ButtonSalvar, Qt::LeftButton);
            QTest::mouseClick(window.ButtonSalvar, Qt::LeftButton);
        });
        const QStringList errors = m_dialogs->errors();
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors.first().startsWith(QDir::toNativeSeparators(refused.first()) + " fica na pasta de dados"),
                 qPrintable(errors.first()));
        QVERIFY2(errors.last().startsWith(QDir::toNativeSeparators(refused.last()) + " fica na pasta da cópia"),
                 qPrintable(errors.last()));
        for (const QString& file : refused)
            QVERIFY(!QFileInfo::exists(file));
    }
};

QTEST_MAIN(TestEquilibrio)
#include "TestEquilibrio.moc"
