// The window "Escala Vermelha", driven by its controls on a small unit rostered to 29/02/04.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/KillPoints.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "rostering/USemExped.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

namespace {
// Opens the window as item 5 does; `act` works in it while it is open. Returns whether it closed.
bool withCalendar(const std::function<void(TFSemExped&)>& act, const QString& lastRostered = QStringLiteral("29/02/04"))
{
    bool closed = false;
    SetModalHook([&](QDialog& window) {
        act(static_cast<TFSemExped&>(window));
        closed = !window.isVisible();
        return window.result();
    });
    OpenRedDayCalendar(nullptr, lastRostered);
    SetModalHook({});
    return closed;
}
}

class TestSemExped : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DeleteSharedWindows(); }

    void extendsThePeriodAndAsksAboutHolidaysOnLeaving()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        Global().LastRosteredDay = QStringLiteral("29/02/04");
        dialogs.questionAnswers << true << false;   // "Incluir agora?": yes stays, then no leaves
        const bool closed = withCalendar([](TFSemExped& w) {
            QCOMPARE(w.Edit2->text(), QStringLiteral("29/02/04"));
            QVERIFY(!w.Edit2->isEnabled());
            QCOMPARE(w.Edit1->text(), QStringLiteral("20/03/04"));
            QVERIFY(!w.StringGrid1->isVisible() && !w.ListBox1->isVisible());
            w.Edit1->setText(QStringLiteral("31/03/04"));
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QTest::mouseClick(w.Button2, Qt::LeftButton);
            QVERIFY(w.isVisible());
            QTest::mouseClick(w.Button2, Qt::LeftButton);
        });
        QVERIFY(closed);
        QCOMPARE(dialogs.shown.size(), 2);
        QVERIFY(dialogs.shown.first().startsWith(
            QStringLiteral("question:        Você incluiu um novo período de 29/02/04 até 31/03/04.")));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::DataIniFim)), QStringList({"29/02/04", "31/03/04"}));
        const QStringList red = DataFiles::ReadRedDayLines();
        for (const char* day : {"27/03/04", "28/03/04", "21/03/04"})
            QVERIFY2(red.contains(QLatin1String(day)), day);
    }

    void includesListsAndExcludesSingleDays()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        withCalendar([&](TFSemExped& w) {
            w.RadioButton1->click();
            QVERIFY(w.StringGrid1->isVisible() && w.Button3->isVisible());
            QTest::mouseClick(w.Button3, Qt::LeftButton);   // an empty grid
            QCOMPARE(dialogs.messages(), QStringList{QStringLiteral(
                "    Para incluir datas na Escala Vermelha você deverá \nprimeiramente digitá-las na grade ")});
            w.StringGrid1->setItem(0, 0, new QTableWidgetItem(QStringLiteral("09/03/04")));
            w.StringGrid1->setItem(3, 0, new QTableWidgetItem(QStringLiteral("10/03/04")));
            QTest::mouseClick(w.Button3, Qt::LeftButton);
            QVERIFY(!w.StringGrid1->isVisible());

            w.RadioButton2->click();
            QVERIFY(w.ListBox1->isVisible() && w.Button4->isVisible());
            const QList<QListWidgetItem*> found = w.ListBox1->findItems(QStringLiteral("09/03/04"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            found.first()->setSelected(true);
            QTest::mouseClick(w.Button4, Qt::LeftButton);
            QVERIFY(w.ListBox1->findItems(QStringLiteral("09/03/04"), Qt::MatchExactly).isEmpty());
            QCOMPARE(w.ListBox1->findItems(QStringLiteral("10/03/04"), Qt::MatchExactly).size(), 1);
            QTest::mouseClick(w.Button2, Qt::LeftButton);   // no new period: closes without asking
        });
        QCOMPARE(dialogs.messages().size(), 1);
        const QStringList red = DataFiles::ReadRedDayLines();
        QVERIFY(red.contains(QStringLiteral("10/03/04")));
        QVERIFY(!red.contains(QStringLiteral("09/03/04")));
    }

    void invalidDayIsAnswered()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        const QStringList before = DataFiles::ReadRedDayLines();
        withCalendar([](TFSemExped& w) {
            w.Edit1->setText(QStringLiteral("31/02/04"));
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QTest::mouseClick(w.Button2, Qt::LeftButton);
        });
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("31/02/04 >>> Data inválida")});
        QCOMPARE(DataFiles::ReadRedDayLines(), before);
    }

    // The main window shows what a bad Escala.Txt holds: "Incluir" and "Excluir" stop on it, as
    // "Incluir Automático" does, instead of keeping every old day.
    void aDiaInicialThatIsNoDateStopsEveryEdit()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        const QStringList before = DataFiles::ReadRedDayLines();
        withCalendar(
            [](TFSemExped& w) {
                w.RadioButton1->click();
                w.StringGrid1->setItem(0, 0, new QTableWidgetItem(QStringLiteral("09/03/04")));
                QTest::mouseClick(w.Button3, Qt::LeftButton);
                w.RadioButton2->click();
                w.ListBox1->item(0)->setSelected(true);
                QTest::mouseClick(w.Button4, Qt::LeftButton);
                QTest::mouseClick(w.Button2, Qt::LeftButton);
            },
            QStringLiteral("xx/yy/zz"));
        QCOMPARE(dialogs.messages(), QStringList(2, QStringLiteral("xx/yy/zz >>> Data inválida")));
        QCOMPARE(DataFiles::ReadRedDayLines(), before);
    }

    // The period file cannot be written once the calendar's transaction committed: the extension
    // stands, the keeper is told, and the program takes the recorded period.
    void aPeriodFileThatCannotBeWrittenIsANotice()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        dialogs.questionAnswers << false;
        KillPoints::setActionForTests([&](const QString& step) {
            if (step == QStringLiteral("depois-de-confirmar")) {
                QFile::remove(data.file(DataFiles::DataIniFim));
                QDir(data.path()).mkdir(DataFiles::DataIniFim);
            }
        });
        withCalendar([](TFSemExped& w) {
            w.Edit1->setText(QStringLiteral("31/03/04"));
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QTest::mouseClick(w.Button2, Qt::LeftButton);
        });
        KillPoints::setActionForTests({});
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().first().contains(QStringLiteral("O arquivo DataIniFim.Txt não pôde ser gravado")),
                 qPrintable(dialogs.messages().first()));
        QCOMPARE(DataFiles::ReadPreparationPeriod().last, QDate(2004, 3, 31));
        QVERIFY(DataFiles::ReadRedDayLines().contains(QStringLiteral("27/03/04")));
    }
};

QTEST_MAIN(TestSemExped)
#include "TestSemExped.moc"
