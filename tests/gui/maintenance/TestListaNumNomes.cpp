// The personnel lookup: its searches by number, name and rank, its two line formats, "Ver Todos",
// and its use as a selector, driven by real clicks on the controls.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/UListaNumNomes.h"
#include "maintenance/UManual.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QString EmptySearch = QStringLiteral(" Para consultar, você deve preencher um dos campos:\nNumero, Nome ou Posto");

// The small unit and four more soldiers: a number of four digits, a name that holds "ana" twice,
// one that holds "Ana" with a capital, and one without a rank.
void addSoldiers()
{
    LoadSoldiers();
    const SoldierRecord more[] = {
        {QStringLiteral("1234"), QStringLiteral("Sd"), QStringLiteral("Bananal"), {}, {}, {}, {}},
        {QStringLiteral("20"), QString(), QStringLiteral("Semposto"), {}, {}, {}, {}},
        {QStringLiteral("21"), QStringLiteral("Sd"), QStringLiteral("Ana Lima"), {}, {}, {}, {}},
        {QStringLiteral("30"), QStringLiteral("Cb"), QStringLiteral("Mariana"), {}, {}, {}, {}},
    };
    int record = 13;
    for (const SoldierRecord& soldier : more)
        Global().SoldierTable[record++] = soldier;
    SaveSoldiers();
}

// In table order (numbers order as text).
const QStringList EveryNumber{"1", "10", "11", "12", "1234", "2", "20", "21", "3", "30", "4", "5", "6", "7", "8", "9"};

struct Lookup {
    FixtureFolder data;
    ScriptedDialogs dialogs;
    TFListaNumNomes window;

    Lookup()
    {
        addSoldiers();
        window.show();
    }
    template <typename T>
    T* control(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QWidget* widget(const char* name) { return control<QWidget>(name); }
    QListWidget* results() { return control<QListWidget>("ListBox1"); }
    QListWidget* ranks() { return control<QListWidget>("ListBox2"); }

    QStringList resultLines()
    {
        QStringList lines;
        for (int row = 0; row < results()->count(); ++row)
            lines << results()->item(row)->text();
        return lines;
    }
    // The search fields and their labels that are shown, in window order.
    QStringList shownFields()
    {
        QStringList shown;
        for (const char* name : {"LNumero", "Edit5", "LNome", "Edit4", "LPosto", "ListBox2"}) {
            if (widget(name)->isVisible())
                shown << QString::fromLatin1(name);
        }
        return shown;
    }
    bool resultsShown()
    {
        return widget("LSelecione")->isVisible() && results()->isVisible() && widget("Button2")->isVisible();
    }
    // How many lines the rank list shows.
    double rankLinesShown()
    {
        return double(ranks()->viewport()->height()) / ranks()->sizeHintForRow(0);
    }

    void click(const char* name)
    {
        QWidget* target = widget(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }
    void clickFirstRank()
    {
        QTest::mouseClick(ranks()->viewport(), Qt::LeftButton, {},
                          ranks()->visualItemRect(ranks()->item(0)).center());
    }
    // Through the window, as the platform delivers it: press, release, double click, release.
    void doubleClickResults(const QPoint& inList)
    {
        QListWidget* list = results();
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, list->viewport()->mapTo(&window, inList));
    }
    void selectRanks(const QStringList& wanted)
    {
        ranks()->clearSelection();
        for (int row = 0; row < ranks()->count(); ++row)
            ranks()->item(row)->setSelected(wanted.contains(ranks()->item(row)->text()));
    }
};

const QStringList AllFields{"LNumero", "Edit5", "LNome", "Edit4", "LPosto", "ListBox2"};

}

class TestListaNumNomes : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        DeleteSharedWindows();
        SetModalHook({});
    }

    void activationOffersTheThreeSearchFields()
    {
        Lookup lookup;
        QCOMPARE(lookup.window.windowTitle(), QStringLiteral("Consulta Pessoal"));
        QCOMPARE(lookup.control<QLabel>("Label5")->text(), QStringLiteral("Clicar no interior do campo a pesquisar"));
        QCOMPARE(lookup.control<QLabel>("LNumero")->text(), QStringLiteral("Número"));
        QCOMPARE(lookup.control<QLabel>("LNome")->text(), QStringLiteral("Nome"));
        QCOMPARE(lookup.control<QLabel>("LPosto")->text(), QStringLiteral("Posto"));
        QCOMPARE(lookup.control<QLabel>("LSelecione")->text(), QStringLiteral("Selecione os Militares"));
        QCOMPARE(lookup.control<QPushButton>("Button1")->text(), QStringLiteral("Executar a Pesquisa"));
        QCOMPARE(lookup.control<QPushButton>("Button3")->text(), QStringLiteral("Ver Todos"));
        QCOMPARE(lookup.control<QPushButton>("Button2")->text(), QStringLiteral("Sair"));
        QCOMPARE(lookup.results()->toolTip(), QStringLiteral("Para selecionar Todos, dê 2 clics"));
        QVERIFY(lookup.results()->selectionMode() != QAbstractItemView::SingleSelection);
        QVERIFY(lookup.ranks()->selectionMode() != QAbstractItemView::SingleSelection);

        QCOMPARE(lookup.shownFields(), AllFields);
        QVERIFY(lookup.widget("Label5")->isVisible());
        QVERIFY(!lookup.widget("LSelecione")->isVisible());
        QVERIFY(!lookup.results()->isVisible());
        QVERIFY(!lookup.widget("Button2")->isVisible());
        QCOMPARE(lookup.ranks()->count(), 9);
        QCOMPARE(lookup.ranks()->item(0)->text(), QStringLiteral("Cap"));
        QCOMPARE(lookup.ranks()->item(8)->text(), QStringLiteral("Sd"));
        QVERIFY(lookup.rankLinesShown() >= 1 && lookup.rankLinesShown() < 2);
        // The hidden result list already holds every soldier, reloaded from the register.
        QCOMPARE(lookup.results()->count(), EveryNumber.size());
        QCOMPARE(lookup.results()->item(0)->text(), QStringLiteral("1     Cap  Andrade"));

        // A search narrows the window; the next activation starts afresh and rereads the register.
        lookup.click("Edit4");
        QTest::keyClicks(lookup.control<QLineEdit>("Edit4"), QStringLiteral("Dan"));
        lookup.click("Button1");
        QCOMPARE(lookup.resultLines(), QStringList{"4     1º Sgt  Dantas"});
        LoadSoldiers();
        Global().SoldierTable[17] = {QStringLiteral("40"), QStringLiteral("Sd"), QStringLiteral("Novo"), {}, {}, {}, {}};
        SaveSoldiers();
        lookup.window.hide();
        lookup.window.show();
        QCOMPARE(lookup.shownFields(), AllFields);
        QVERIFY(lookup.control<QLineEdit>("Edit4")->text().isEmpty());
        QVERIFY(!lookup.results()->isVisible());
        QCOMPARE(lookup.results()->count(), EveryNumber.size() + 1);
        QCOMPARE(lookup.ranks()->count(), 9);   // not loaded twice
    }

    void searches_data()
    {
        QTest::addColumn<QString>("field");           // the control clicked first; empty: none
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("rankList");    // the ranks selected
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("numbers");     // of the lines, all selected
        QTest::addColumn<bool>("restored");           // all three fields shown again afterwards

        const QStringList none;
        QTest::newRow("number 12, format B")
            << "Edit5" << "12" << "" << none << QStringList{"12      Cb  Magalhães"} << QStringList{"12"} << true;
        QTest::newRow("12345 looked up as 1234")
            << "Edit5" << "12345" << "" << none << QStringList{"1234      Sd  Bananal"} << QStringList{"1234"} << true;
        QTest::newRow("number 1 is not 10 or 1234")
            << "Edit5" << "1" << "" << none << QStringList{"1      Cap  Andrade"} << QStringList{"1"} << true;
        QTest::newRow("number not found") << "Edit5" << "99" << "" << none << none << none << false;
        QTest::newRow("lower case name, each soldier once, format A")
            << "Edit4" << "" << "ana" << none << QStringList{"1234  Sd  Bananal", "30    Cb  Mariana"}
            << QStringList{"1234", "30"} << false;
        QTest::newRow("capital letters are distinct")
            << "Edit4" << "" << "Ana" << none << QStringList{"21    Sd  Ana Lima"} << QStringList{"21"} << false;
        QTest::newRow("name not found") << "Edit4" << "" << "ANDRADE" << none << none << none << false;
        QTest::newRow("empty name with a rank left selected lists nobody")
            << "Edit4" << "" << "" << QStringList{"Cap"} << none << none << false;
        QTest::newRow("two ranks, the first of the list among them")
            << "ListBox2" << "" << "" << QStringList{"Cap", "Cb"}
            << QStringList{"1      Cap  Andrade", "10      Cb  Jardim", "11      Cb  Lemos", "12      Cb  Magalhães",
                           "30      Cb  Mariana", "7      Cb  Gonçalves", "8      Cb  Henriques", "9      Cb  Inácio"}
            << QStringList{"1", "10", "11", "12", "30", "7", "8", "9"} << true;
        QTest::newRow("one rank") << "ListBox2" << "" << "" << QStringList{"2º Sgt"}
                                  << QStringList{"5      2º Sgt  Esteves"} << QStringList{"5"} << true;
        QTest::newRow("rank nobody holds") << "ListBox2" << "" << "" << QStringList{"S Ten"} << none << none << true;
        // No field clicked: the number search ends the search when it finds him ...
        QTest::newRow("no click, number found")
            << "" << "3" << "" << none << QStringList{"3      2º Ten  Cardoso"} << QStringList{"3"} << true;
        // ... otherwise the searches run in turn and the last one decides.
        QTest::newRow("no click, name and rank: the rank decides")
            << "" << "" << "Dan" << QStringList{"Cap"} << QStringList{"1      Cap  Andrade"} << QStringList{"1"} << true;
        QTest::newRow("no click, number not found, name: the empty rank search decides")
            << "" << "99" << "Dan" << none << none << none << true;
    }

    void searches()
    {
        QFETCH(QString, field);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QStringList, rankList);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, numbers);
        QFETCH(bool, restored);
        Lookup lookup;

        // A click on a field leaves it alone on the window.
        if (field == QLatin1String("Edit5")) {
            lookup.click("Edit5");
            QCOMPARE(lookup.shownFields(), QStringList({"LNumero", "Edit5"}));
        } else if (field == QLatin1String("Edit4")) {
            lookup.click("Edit4");
            QCOMPARE(lookup.shownFields(), QStringList({"LNome", "Edit4"}));
        } else if (field == QLatin1String("ListBox2")) {
            lookup.clickFirstRank();
            QCOMPARE(lookup.shownFields(), QStringList({"LPosto", "ListBox2"}));
            QCOMPARE(lookup.ranks()->height(), 250);
            QCOMPARE(lookup.ranks()->selectedItems().size(), 1);   // the click selected the first rank
        }
        if (!rankList.isEmpty())
            lookup.selectRanks(rankList);
        QTest::keyClicks(lookup.control<QLineEdit>("Edit5"), number);
        QTest::keyClicks(lookup.control<QLineEdit>("Edit4"), name);
        lookup.click("Button1");

        QCOMPARE(lookup.resultLines(), lines);
        QVERIFY(lookup.resultsShown());
        QVERIFY(lookup.dialogs.shown.isEmpty());   // nothing found is no message either
        lookup.results()->selectAll();
        QCOMPARE(lookup.window.selectedNumbers(), numbers);
        if (restored) {
            QCOMPARE(lookup.shownFields(), AllFields);
            QVERIFY(lookup.control<QLineEdit>("Edit5")->text().isEmpty());
            QVERIFY(lookup.control<QLineEdit>("Edit4")->text().isEmpty());
            QVERIFY(lookup.rankLinesShown() < 2);
        } else {
            QCOMPARE(lookup.shownFields().size(), 2);
        }
    }

    // A blank line in the rank file offers an empty rank; it never lists the soldier without one.
    void rankSearchSkipsSoldiersWithoutRank()
    {
        Lookup lookup;
        TextFile::writeLines(lookup.data.file(DataFiles::PstGrd), {"Cap", "", "Sd"});
        lookup.window.hide();
        lookup.window.show();
        QCOMPARE(lookup.ranks()->count(), 3);
        lookup.clickFirstRank();
        lookup.ranks()->selectAll();
        lookup.click("Button1");
        QCOMPARE(lookup.resultLines(),
                 QStringList({"1      Cap  Andrade", "1234      Sd  Bananal", "21      Sd  Ana Lima"}));
    }

    void emptySearchAsksForAField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("no field clicked") << "";
        QTest::newRow("number field clicked") << "Edit5";
        QTest::newRow("name field clicked") << "Edit4";
    }

    void emptySearchAsksForAField()
    {
        QFETCH(QString, field);
        Lookup lookup;
        if (!field.isEmpty())
            lookup.click(field.toLatin1().constData());
        const QStringList shown = lookup.shownFields();
        lookup.click("Button1");
        QCOMPARE(lookup.dialogs.messages(), QStringList{EmptySearch});
        QVERIFY(lookup.resultsShown());
        QCOMPARE(lookup.shownFields(), shown);   // the keeper can fill the field in now
    }

    // As a selector (the services-per-soldier summary, the board): "Ver Todos", a double click on
    // the result list and "Sair" give the caller every soldier.
    void verTodosAndDoubleClickSelectEverySoldier()
    {
        Lookup lookup;
        lookup.window.hide();
        QStringList inMemory = EveryNumber;
        // What the keeper does in the window while it is shown modally.
        const auto actAsKeeper = [&] {
            lookup.click("Edit5");
            QTest::keyClicks(lookup.control<QLineEdit>("Edit5"), QStringLiteral("99"));
            lookup.click("Button1");
            QCOMPARE(lookup.shownFields(), QStringList({"LNumero", "Edit5"}));

            // "Ver Todos" lists the soldiers as they are in memory, not reloaded.
            Global().SoldierTable[17] = {QStringLiteral("50"), QStringLiteral("Sd"), QStringLiteral("Memória"), {}, {}, {}, {}};
            inMemory << QStringLiteral("50");
            lookup.click("Button3");
            QCOMPARE(lookup.shownFields(), AllFields);
            QVERIFY(lookup.resultsShown());
            QCOMPARE(lookup.results()->count(), inMemory.size());
            QCOMPARE(lookup.results()->item(0)->text(), QStringLiteral("1     Cap  Andrade"));
            QCOMPARE(lookup.results()->item(4)->text(), QStringLiteral("1234  Sd  Bananal"));
            QCOMPARE(lookup.results()->item(6)->text(), QStringLiteral("20      Semposto"));
            QCOMPARE(lookup.results()->item(16)->text(), QStringLiteral("50    Sd  Memória"));

            lookup.doubleClickResults(lookup.results()->visualItemRect(lookup.results()->item(2)).center());
            lookup.click("Button2");
        };
        SetModalHook([&](QDialog& shown) {
            actAsKeeper();
            return shown.isVisible() ? -1 : shown.result();
        });
        QVERIFY(ShowModal(lookup.window) != -1);   // "Sair" closed it
        QCOMPARE(lookup.window.selectedNumbers(), inMemory);
    }

    void doubleClickSelectsEveryLine_data()
    {
        QTest::addColumn<bool>("onALine");
        QTest::newRow("on a line") << true;
        QTest::newRow("below the last line") << false;
    }

    void doubleClickSelectsEveryLine()
    {
        QFETCH(bool, onALine);
        Lookup lookup;
        lookup.click("Edit4");
        QTest::keyClicks(lookup.control<QLineEdit>("Edit4"), QStringLiteral("ana"));
        lookup.click("Button1");
        QListWidget* list = lookup.results();
        QCOMPARE(list->count(), 2);
        const QRect last = list->visualItemRect(list->item(1));
        QVERIFY(last.bottom() + 20 < list->viewport()->height());
        lookup.doubleClickResults(onALine ? last.center() : QPoint(last.center().x(), last.bottom() + 10));
        QCOMPARE(lookup.window.selectedNumbers(), QStringList({"1234", "30"}));
    }

    void selectedNumbersFollowListOrder()
    {
        Lookup lookup;
        lookup.click("Button3");
        QListWidget* list = lookup.results();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(9)).center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualItemRect(list->item(1)).center());
        QCOMPARE(lookup.window.selectedNumbers(), QStringList({"10", "30"}));
    }

    void backgroundPressOpensTheManualAtItsSection()
    {
        Lookup lookup;
        const QPoint background(2, 2);
        QVERIFY(!lookup.window.childAt(background));
        QTest::mousePress(&lookup.window, Qt::LeftButton, {}, background);
        QVERIFY(ManualWindow().isVisible());
        QListWidget* manual = ManualWindow().findChild<QListWidget*>(QStringLiteral("LBManual"));
        QCOMPARE(manual->currentItem()->text(), QStringLiteral("016 - LISTA"));
    }
};

QTEST_MAIN(TestListaNumNomes)
#include "TestListaNumNomes.moc"
