// Item 6 of "Manutenção" through the main window, on the small fixture: Of Dia 1 to 3, Adj Of 4 to
// 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04, today is 03/03/04.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UEqualZerar.h"
#include "manual/UEscolherSv.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <functional>
#include <memory>

class TestEqualZerar : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;
    QList<int> m_ticked;
    bool m_chooserShown = false;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    QStringList rosters() { return StoredTables(m_data->module(), {"Sv1", "Sv2", "Sv3"}); }

    // Opens item 6, lets `act` press its buttons, then leaves through "Sair".
    void openItemSix(const std::function<void(TFEqualZerar&)>& act)
    {
        bool opened = false;
        SetModalHook([&](QDialog& window) {
            if (auto* chooser = qobject_cast<TFEscolherSv*>(&window)) {
                m_chooserShown = true;
                for (int code : m_ticked)
                    chooser->CheckBox[code]->setChecked(true);
                QTest::mouseClick(chooser->Button6, Qt::LeftButton);
            } else if (auto* equal = qobject_cast<TFEqualZerar*>(&window)) {
                opened = true;
                act(*equal);
                QTest::mouseClick(equal->Button3, Qt::LeftButton);
                [&] { QVERIFY(!equal->isVisible()); }();
            }
            return window.result();
        });
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label6")), Qt::LeftButton);
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
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
        m_ticked.clear();
        m_chooserShown = false;
    }
    void cleanup()
    {
        SetModalHook({});
        m_window.reset();
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void theWindowAsTheKeeperSeesIt()
    {
        TFEqualZerar window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Equalizar / Zerar Arquivos dos Serviços"));
        QCOMPARE(window.Label1->text(), QStringLiteral("Escolha uma opção"));
        QCOMPARE(window.Button1->text(), QStringLiteral("Equalizar Tabelas"));
        QCOMPARE(window.Button2->text(), QStringLiteral("Zerar Tabelas"));
        QCOMPARE(window.Button3->text(), QStringLiteral("Sair"));
        QCOMPARE(window.manualSection(), QStringLiteral("025"));
    }

    void equalisesEveryRosterAndRecordsTheDay()
    {
        run("UPDATE Sv2 SET Pt = 5, Vm = 3 WHERE Num = '4'");
        run("UPDATE Sv2 SET Pt = 1, Vm = 1 WHERE Num = '5'");   // away today: not the level
        run("UPDATE Sv2 SET Pt = 7, Vm = 2 WHERE Num = '6'");
        run("UPDATE Sv1 SET Pt = Pt + 4, Vm = Vm + 1");
        const QStringList sv1 = StoredRows(m_data->module(), "Sv1");
        openItemSix([](TFEqualZerar& window) { QTest::mouseClick(window.Button1, Qt::LeftButton); });
        QCOMPARE(StoredRows(m_data->module(), "Sv2"), (QStringList{"4|0|1", "5|0|0", "6|2|0"}));
        // Of Dia raised by (4, 1) everywhere comes back to where it was, at its own level.
        QStringList lowered;
        for (const QString& row : sv1) {
            const QStringList f = row.split('|');
            lowered << QStringLiteral("%1|%2|%3").arg(f[0]).arg(f[1].toInt() - 4).arg(f[2].toInt() - 1);
        }
        QCOMPARE(StoredRows(m_data->module(), "Sv1"), lowered);
        QCOMPARE(TextFile::readLines(m_data->file(DataFiles::UltiEqual)), QStringList{"03/03/04"});
        // Nothing asked, nothing reported.
        QCOMPARE(m_dialogs->messages(), QStringList());
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    void zeroesTheTickedRosters_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::newRow("Adj Of and Cb Gda") << QList<int>{2, 3};
        QTest::newRow("nothing ticked") << QList<int>();
    }
    void zeroesTheTickedRosters()
    {
        QFETCH(QList<int>, ticked);
        run("UPDATE Sv1 SET Pt = 3, Vm = 2");
        run("UPDATE Sv2 SET Pt = 4, Vm = 5");
        run("UPDATE Sv3 SET Pt = 6, Vm = 1");
        QStringList wanted;
        for (int code = 1; code <= 3; ++code) {
            const QString table = QStringLiteral("Sv%1").arg(code);
            wanted << "== " + table;
            for (const QString& row : StoredRows(m_data->module(), table))
                wanted << (ticked.contains(code) ? row.section('|', 0, 0) + "|0|0" : row);
        }
        const QString day = TextFile::readLines(m_data->file(DataFiles::UltiEqual)).join('\n');
        m_ticked = ticked;
        openItemSix([](TFEqualZerar& window) { QTest::mouseClick(window.Button2, Qt::LeftButton); });
        QVERIFY(m_chooserShown);
        QCOMPARE(rosters(), wanted);
        QCOMPARE(TextFile::readLines(m_data->file(DataFiles::UltiEqual)).join('\n'), day);
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    void aRefusedRosterIsAnErrorAndChangesNothing()
    {
        run("UPDATE Sv1 SET Pt = 3, Vm = 2");
        run("UPDATE Sv3 SET Vm = 'x1' WHERE Num = '7'");
        const QStringList before = rosters();
        const QString day = TextFile::readLines(m_data->file(DataFiles::UltiEqual)).join('\n');
        openItemSix([](TFEqualZerar& window) { QTest::mouseClick(window.Button1, Qt::LeftButton); });
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(m_dialogs->errors().first().contains("Sv3"));
        QCOMPARE(rosters(), before);
        QCOMPARE(TextFile::readLines(m_data->file(DataFiles::UltiEqual)).join('\n'), day);
    }
};

QTEST_MAIN(TestEqualZerar)
#include "TestEqualZerar.moc"
