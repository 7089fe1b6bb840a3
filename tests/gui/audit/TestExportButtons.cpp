// The export buttons of "Pesquisa de Serviços", "Quadro dos Serviços" and the tab "Escalar
// Automático", on the small fixture (rostered up to 29/02/04): the file chooser is scripted, the
// file is written, a message says where; Cancel writes nothing.
#include "FileBytes.h"
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "manual/UEscolherSv.h"
#include "printing/Printer.h"
#include "queries/UPesqSv.h"
#include "queries/UQuadroSv.h"
#include "rostering/AutoRosterPage.h"
#include "rostering/Removals.h"
#include "rostering/URetiraAlguem.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

}

class TestExportButtons : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QTemporaryDir m_out;

    QString out(const QString& name) const { return QDir(m_out.path()).filePath(name); }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        for (const QString& file : QDir(m_out.path()).entryList(QDir::Files))
            QFile::remove(out(file));
    }
    void cleanup()
    {
        SetModalHook({});
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void historySearchToCalendarAndSpreadsheet()
    {
        TFPesqSv window;
        window.show();
        QCOMPARE(window.BExportarIcal->text(), QStringLiteral("Exportar iCal"));
        window.Edit1->setText(QStringLiteral("28/02/04"));
        window.Edit2->setText(QStringLiteral("29/02/04"));
        window.Edit3->setText(QStringLiteral("9"));

        // Cancel: no file, no message.
        m_dialogs->fileAnswers << std::nullopt;
        QTest::mouseClick(window.BExportarIcal, Qt::LeftButton);
        QCOMPARE(QDir(m_out.path()).entryList(QDir::Files), QStringList());
        QCOMPARE(m_dialogs->messages(), QStringList());

        m_dialogs->fileAnswers << out("cb.ics");
        QTest::mouseClick(window.BExportarIcal, Qt::LeftButton);
        QVERIFY(m_dialogs->shown.contains("file: Exportar para calendário | servicos.ics | Calendário iCalendar (*.ics)"));
        QCOMPARE(m_dialogs->messages(),
                 QStringList{"1 serviço(s) gravado(s) no calendário " + QDir::toNativeSeparators(out("cb.ics"))});
        const QByteArray calendar = BytesOf(out("cb.ics"));
        QVERIFY(calendar.contains("UID:20040228-sv3-n9@ravelha\r\n"));
        QCOMPARE(calendar.count("BEGIN:VEVENT"), 1);

        // A bad day in the boxes: an error, nothing written.
        window.Edit1->setText(QStringLiteral("30/02/04"));
        m_dialogs->fileAnswers << out("mau.ics");
        QTest::mouseClick(window.BExportarIcal, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(!QFile::exists(out("mau.ics")));

        window.Edit1->setText(QStringLiteral("28/02/04"));
        window.Edit2->setText(QStringLiteral("28/02/04"));
        window.Edit3->clear();
        QTest::mouseClick(window.Button2, Qt::LeftButton);
        m_dialogs->fileAnswers << out("pesquisa.csv");
        QTest::mouseClick(window.BExportarCsv, Qt::LeftButton);
        QCOMPARE(BytesOf(out("pesquisa.csv")), Bom + "Dia;PtVm;Descr;Num;CodSv\r\n28/02/04;Vm;Of Dia;2;1\r\n"
                                                      "28/02/04;Vm;Adj Of;5;2\r\n28/02/04;Vm;Cb Gda;9 10;3\r\n");
        QCOMPARE(m_dialogs->messages().last(),
                 "3 linha(s) da pesquisa gravada(s) em " + QDir::toNativeSeparators(out("pesquisa.csv")));

        // The search cleared the boxes: the calendar is that of the search's period.
        QCOMPARE(window.Edit1->text(), QString());
        m_dialogs->fileAnswers << out("dia.ics");
        QTest::mouseClick(window.BExportarIcal, Qt::LeftButton);
        QCOMPARE(BytesOf(out("dia.ics")).count("BEGIN:VEVENT"), 3);
        QCOMPARE(m_dialogs->errors().size(), 1);   // only the bad day above

        // A search of red days of two services: the calendar holds the rows of the grid, not the
        // whole period.
        window.Edit1->setText(QStringLiteral("27/02/04"));
        window.Edit2->setText(QStringLiteral("29/02/04"));
        SetModalHook([](QDialog& chooser) {
            auto& services = static_cast<TFEscolherSv&>(chooser);
            services.CheckBox[1]->setChecked(true);
            services.CheckBox[3]->setChecked(true);
            services.Button6->click();
            return services.result();
        });
        QTest::mouseClick(window.Button3, Qt::LeftButton);
        SetModalHook({});
        window.RadioButton2->setChecked(true);
        QTest::mouseClick(window.Button2, Qt::LeftButton);
        const int shown = window.DBGPesqSv->model()->rowCount();
        QVERIFY(shown > 0);
        m_dialogs->fileAnswers << out("filtrada.ics");
        QTest::mouseClick(window.BExportarIcal, Qt::LeftButton);
        const QByteArray filtered = BytesOf(out("filtrada.ics"));
        QCOMPARE(int(filtered.count("BEGIN:VEVENT")), shown);
        QVERIFY(!filtered.contains("-sv2@") && !filtered.contains("-sv2-"));
        QVERIFY(!filtered.contains("escala preta"));
    }

    void noButtonSavesOverTheProgramsFiles()
    {
        // Ravelha.db, SemExped.Txt and the backup copy named in the chooser: an error box, nothing
        // written, no message of success.
        const QString database = m_data->file("Ravelha.db");
        const QStringList guarded{database, m_data->path() + "/./SemExped.Txt",
                                  QDir(m_data->backupPath()).filePath("Ravelha.db")};
        QVERIFY(QDir().mkpath(m_data->backupPath()));
        QVERIFY(QFile::copy(database, guarded.last()));
        QList<QByteArray> before;
        for (const QString& file : guarded)
            before << BytesOf(file);

        Clock::setToday(QDate(2004, 3, 15));
        TFPesqSv search;
        search.show();
        search.Edit1->setText(QStringLiteral("28/02/04"));
        QTest::mouseClick(search.Button2, Qt::LeftButton);
        TFQuadroSv summary;
        summary.show();
        summary.Edit1->setText(QStringLiteral("27/02/04"));
        summary.Edit2->setText(QStringLiteral("29/02/04"));
        QTest::mouseClick(summary.BExecutar, Qt::LeftButton);
        for (QPushButton* button : {search.BExportarIcal, search.BExportarCsv, summary.BExportarCsv}) {
            for (const QString& file : guarded) {
                m_dialogs->fileAnswers << file;
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        const QStringList errors = m_dialogs->errors();
        QCOMPARE(errors.size(), 9);
        for (int i = 0; i < errors.size(); ++i)
            QVERIFY2(errors.at(i).startsWith(QDir::toNativeSeparators(guarded.at(i % 3)) + " fica na pasta "),
                     qPrintable(errors.at(i)));
        QCOMPARE(m_dialogs->messages(), QStringList());
        for (int i = 0; i < guarded.size(); ++i)
            QCOMPARE(BytesOf(guarded.at(i)), before.at(i));
    }

    void aPrintIntoAFileIsAnExport()
    {
        // "Imprimir" of any window, then the print dialog's file: the same guard and writer.
        const Drawing draw = [](PageDevice& page) {
            PageLines lines(page, QStringLiteral("Courier New"), 12, 50);
            lines.line(QStringLiteral("Escala de Serviço"));
            lines.end();
        };
        const QString database = m_data->file("Ravelha.db");
        const QByteArray before = BytesOf(database);
        for (const QString& file : {database, out("escala.pdf")}) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            PrintOn(printer, QStringLiteral("Escala"), draw);
        }
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY2(m_dialogs->errors().first().startsWith(QDir::toNativeSeparators(database) + " fica na pasta de dados"),
                 qPrintable(m_dialogs->errors().first()));
        QCOMPARE(BytesOf(database), before);
        QVERIFY(BytesOf(out("escala.pdf")).startsWith("%PDF-"));
    }

    void servicesPerSoldierToSpreadsheet()
    {
        Clock::setToday(QDate(2004, 3, 15));
        TFQuadroSv window;
        window.show();
        QTest::mouseClick(window.BExportarCsv, Qt::LeftButton);   // nothing searched yet
        QCOMPARE(m_dialogs->messages(), QStringList{"Faça a pesquisa antes de exportar."});

        window.Edit1->setText(QStringLiteral("27/02/04"));
        window.Edit2->setText(QStringLiteral("29/02/04"));
        QTest::mouseClick(window.BExecutar, Qt::LeftButton);
        m_dialogs->fileAnswers << out("quadro.csv");
        QTest::mouseClick(window.BExportarCsv, Qt::LeftButton);
        const QByteArray bytes = BytesOf(out("quadro.csv"));
        QVERIFY2(bytes.startsWith(Bom + "Nº;Of Dia;Adj Of;Cb Gda;SOMA\r\n1;1;;;1\r\n"), bytes.constData());
        QVERIFY2(bytes.contains("\r\nSOMA;3;3;6;12\r\n"), bytes.constData());
        QCOMPARE(m_dialogs->messages().last(), "Quadro gravado em " + QDir::toNativeSeparators(out("quadro.csv")));
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    void verifiedRosterToSpreadsheet()
    {
        ClearRemovals();
        TFPrincipal window;
        window.show();
        AutoRosterPage& page = *window.EscalarAutomatico;
        QVERIFY(!page.BExportarCsv->isVisibleTo(&page));   // nothing verified yet

        SetModalHook([](QDialog& dialog) {
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(dialog).RadioButton3, Qt::LeftButton);   // continue
            return dialog.result();
        });
        page.Edit1->setText(QStringLiteral("01/03/04"));
        QTest::mouseClick(page.Button6, Qt::LeftButton);
        SetModalHook({});
        QVERIFY(page.ListBox2->count() > 0);
        QVERIFY(page.BExportarCsv->isVisibleTo(&page));
        m_dialogs->fileAnswers << out("escala.csv");
        QTest::mouseClick(page.BExportarCsv, Qt::LeftButton);
        QCOMPARE(BytesOf(out("escala.csv")), Bom + "Dia;PtVm;Serviço;Números;Nomes\r\n"
                                                    "01/03/04;Pt;Of Dia;1;Cap Andrade\r\n"
                                                    "01/03/04;Pt;Adj Of;4;1º Sgt Dantas\r\n"
                                                    "01/03/04;Pt;Cb Gda;8 7;Cb Henriques / Cb Gonçalves\r\n");
        QCOMPARE(m_dialogs->messages().last(), "Escala gravada em " + QDir::toNativeSeparators(out("escala.csv")));
        QCOMPARE(m_dialogs->errors(), QStringList());
    }
};

QTEST_MAIN(TestExportButtons)
#include "TestExportButtons.moc"
