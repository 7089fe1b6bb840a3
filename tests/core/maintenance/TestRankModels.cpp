// The rank spelling models: the model file read and written column by column, the rank list made
// from it, and the pass that brings every soldier's rank to its model spelling.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/TextFile.h"
#include "maintenance/RankModels.h"

#include <QTest>
#include <memory>

namespace {

QStringList fileLines(const QString& name)
{
    return TextFile::readLines(DataFolder::file(name));
}

// A model file whose cells are given as {column, row, text}; every other cell empty.
struct Cell {
    int column;
    int row;
    QString text;
};
void writeModelFile(const QList<Cell>& cells)
{
    QStringList lines(275);
    for (const Cell& c : cells)
        lines[25 * c.column + c.row] = c.text;
    TextFile::writeLines(DataFolder::file(DataFiles::ModelosPstGrd), lines);
}

std::vector<SoldierRecord> soldiersWithRanks(const QStringList& ranks)
{
    std::vector<SoldierRecord> soldiers(Capacity::Soldiers + 1);
    for (int i = 0; i < ranks.size(); ++i) {
        soldiers[size_t(i) + 1].Num = QString::number(i + 1);
        soldiers[size_t(i) + 1].PstGrd = ranks[i];
    }
    return soldiers;
}

// The grid of the recognition cases: ranks 1 to 4 in use, row 5 empty so "Cb" in row 6 is unseen;
// rank 2 has all ten other spellings.
const QList<Cell> RecognitionGrid{
    {0, 0, "Modelo"}, {1, 0, "Outras"},
    {0, 1, "Cap"}, {1, 1, "Capitão"},
    {0, 2, "Sgt"}, {1, 2, "S1"}, {2, 2, "S2"}, {3, 2, "S3"}, {4, 2, "S4"}, {5, 2, "S5"},
    {6, 2, "S6"}, {7, 2, "S7"}, {8, 2, "S8"}, {9, 2, "S9"}, {10, 2, "S10"},
    {0, 3, "2º Ten"}, {1, 3, "2Ten"}, {2, 3, "2 Tenente"},
    {0, 4, "Subtenente"},
    {0, 6, "Cb"}, {1, 6, "Cabo"},
};

}

class TestRankModels : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

private slots:
    void init() { m_data = std::make_unique<FixtureFolder>(); }
    void cleanup() { m_data.reset(); }

    void modelFileIsReadAndWrittenColumnByColumn()
    {
        QStringList lines;
        for (int line = 0; line < 275; ++line)
            lines << (line % 7 == 3 ? QString() : QStringLiteral("c%1r%2ª").arg(line / 25).arg(line % 25));
        TextFile::writeLines(DataFolder::file(DataFiles::ModelosPstGrd), lines);

        RankModelGrid grid = LoadRankModels();
        for (int column = 0; column < 11; ++column)
            for (int row = 0; row < 25; ++row)
                QCOMPARE(grid.cell(column, row), lines[25 * column + row]);

        grid.setCell(10, 24, QStringLiteral("último"));
        grid.setCell(2, 0, QString());
        grid.setCell(12, 3, QStringLiteral("só nesta passagem"));   // beyond the stored grid
        SaveRankModels(grid);
        lines[274] = QStringLiteral("último");
        lines[50] = QString();
        QCOMPARE(fileLines(DataFiles::ModelosPstGrd), lines);
    }

    void shortModelFileGivesEmptyCells()
    {
        TextFile::writeLines(DataFolder::file(DataFiles::ModelosPstGrd), {"Modelo", "Cap"});
        const RankModelGrid grid = LoadRankModels();
        QCOMPARE(grid.cell(0, 1), QStringLiteral("Cap"));
        QCOMPARE(grid.cell(0, 2), QString());
        QCOMPARE(grid.cell(10, 24), QString());
        SaveRankModels(grid);
        QCOMPARE(fileLines(DataFiles::ModelosPstGrd).size(), 275);
    }

    void rankListIsColumnZeroUpToItsFirstEmptyCell_data()
    {
        QTest::addColumn<int>("emptyRow");   // 0: none
        QTest::addColumn<int>("expected");
        QTest::newRow("no empty cell in rows 1 to 24") << 0 << 24;
        QTest::newRow("empty in row 5") << 5 << 4;
        QTest::newRow("empty in row 1") << 1 << 0;
    }
    void rankListIsColumnZeroUpToItsFirstEmptyCell()
    {
        QFETCH(int, emptyRow);
        QFETCH(int, expected);
        RankModelGrid grid;
        grid.setCell(0, 0, QStringLiteral("Modelo"));
        for (int row = 1; row < 25; ++row)
            grid.setCell(0, row, row == emptyRow ? QString() : QStringLiteral("P%1").arg(row));
        grid.setCell(1, 1, QStringLiteral("outra"));   // other spellings never reach the list
        SaveRankModels(grid);
        TextFile::writeLines(DataFolder::file(DataFiles::PstGrd), {"antiga"});

        WriteRankList();

        QStringList ranks;
        for (int row = 1; row <= expected; ++row)
            ranks << QStringLiteral("P%1").arg(row);
        QCOMPARE(fileLines(DataFiles::PstGrd), ranks);
        QCOMPARE(grid.modelSpellings(), ranks);
    }

    void missingModelFileIsAnErrorAndWritesNothing()
    {
        QFile::remove(DataFolder::file(DataFiles::ModelosPstGrd));
        const QStringList before = fileLines(DataFiles::PstGrd);
        QVERIFY_THROWS_EXCEPTION(CoreError, LoadRankModels());
        QVERIFY_THROWS_EXCEPTION(CoreError, WriteRankList());
        QCOMPARE(fileLines(DataFiles::PstGrd), before);
    }

    void normaliseRanks_data()
    {
        QTest::addColumn<QStringList>("typed");       // one soldier each
        QTest::addColumn<QList<int>>("answers");      // rows chosen, in order; 0 closes without a choice
        QTest::addColumn<QStringList>("expected");    // ranks after the pass
        QTest::addColumn<QStringList>("asked");       // spellings put to the keeper
        QTest::addColumn<QStringList>("stored");      // "column,row=text" cells of the saved file

        QTest::newRow("model and other spellings")
            << QStringList{"Cap", "2 Tenente", "2Ten", "Capitão"} << QList<int>{}
            << QStringList{"Cap", "2º Ten", "2º Ten", "Cap"} << QStringList{} << QStringList{"1,1=Capitão"};
        QTest::newRow("long model spelling is cut to 7")
            << QStringList{"Subtenente"} << QList<int>{} << QStringList{"Subtene"} << QStringList{} << QStringList{};
        QTest::newRow("case differs: asked, learned after the other spellings")
            << QStringList{"cap"} << QList<int>{1} << QStringList{"Cap"} << QStringList{"cap"}
            << QStringList{"1,1=Capitão", "2,1=cap"};
        QTest::newRow("same spelling twice is asked once")
            << QStringList{"Ten 2", "Cap", "Ten 2"} << QList<int>{3} << QStringList{"2º Ten", "Cap", "2º Ten"}
            << QStringList{"Ten 2"} << QStringList{"3,3=Ten 2"};
        QTest::newRow("ranks after the first empty model are unseen")
            << QStringList{"Cabo"} << QList<int>{4} << QStringList{"Subtene"} << QStringList{"Cabo"}
            << QStringList{"1,4=Cabo", "1,6=Cabo"};
        QTest::newRow("closed without a choice keeps the spelling and learns nothing")
            << QStringList{"Maj", "Maj", "Cap"} << QList<int>{0} << QStringList{"Maj", "Maj", "Cap"}
            << QStringList{"Maj"} << QStringList{};
        QTest::newRow("full row learns for the pass only")
            << QStringList{"Sargento", "Sargento"} << QList<int>{2} << QStringList{"Sgt", "Sgt"}
            << QStringList{"Sargento"} << QStringList{"10,2=S10"};
        QTest::newRow("empty rank is left alone")
            << QStringList{"", "Cap"} << QList<int>{} << QStringList{"", "Cap"} << QStringList{} << QStringList{};
    }
    void normaliseRanks()
    {
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, stored);
        writeModelFile(RecognitionGrid);
        std::vector<SoldierRecord> soldiers = soldiersWithRanks(typed);

        QStringList seen;
        RankModelGrid grid = LoadRankModels();
        NormaliseRanks(grid, soldiers, [&](const QString& spelling, const QStringList& models) -> std::optional<int> {
            seen << spelling;
            [&] { QCOMPARE(models, (QStringList{"Cap", "Sgt", "2º Ten", "Subtenente"})); }();
            if (answers.isEmpty())
                return std::nullopt;
            const int row = answers.takeFirst();
            return row == 0 ? std::nullopt : std::optional<int>(row);
        });
        SaveRankModels(grid);

        QCOMPARE(seen, asked);
        QVERIFY(answers.isEmpty());
        for (int i = 0; i < typed.size(); ++i)
            QCOMPARE(soldiers[size_t(i) + 1].PstGrd, expected[i]);
        // The saved model is the one read, with the learned cells and nothing else.
        QStringList file(275);
        for (const Cell& c : RecognitionGrid)
            file[25 * c.column + c.row] = c.text;
        for (const QString& cell : stored) {
            const int column = cell.section(',', 0, 0).toInt();
            const int row = cell.section(',', 1).section('=', 0, 0).toInt();
            file[25 * column + row] = cell.section('=', 1);
        }
        QCOMPARE(fileLines(DataFiles::ModelosPstGrd), file);
    }

    void passStopsAtTheFirstEmptyNumber()
    {
        writeModelFile(RecognitionGrid);
        std::vector<SoldierRecord> soldiers = soldiersWithRanks({"Capitão", "2Ten"});
        soldiers[1].Num.clear();
        RankModelGrid grid = LoadRankModels();
        const NormaliseOutcome outcome = NormaliseRanks(grid, soldiers, [](const QString&, const QStringList&) {
            return std::optional<int>(1);
        });
        QCOMPARE(soldiers[1].PstGrd, QStringLiteral("Capitão"));
        QCOMPARE(soldiers[2].PstGrd, QStringLiteral("2Ten"));
        QCOMPARE(outcome.changed, 0);
    }

    void outcomeTellsWhatWasLearnedAndWhatWasNot()
    {
        writeModelFile(RecognitionGrid);
        std::vector<SoldierRecord> soldiers = soldiersWithRanks({"Sargento", "cap", "Maj", "Capitão"});
        QList<int> answers{2, 1, 0};
        RankModelGrid grid = LoadRankModels();
        const NormaliseOutcome outcome = NormaliseRanks(grid, soldiers, [&](const QString&, const QStringList&) {
            const int row = answers.takeFirst();
            return row == 0 ? std::nullopt : std::optional<int>(row);
        });
        QCOMPARE(outcome.changed, 3);
        QCOMPARE(outcome.learned, QStringList{"cap"});
        QCOMPARE(outcome.learnedForPassOnly, QStringList{"Sargento"});
        QCOMPARE(outcome.leftAsTyped, QStringList{"Maj"});
    }
};

QTEST_GUILESS_MAIN(TestRankModels)
#include "TestRankModels.moc"
