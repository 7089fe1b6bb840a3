// The correction of an unrecognised rank spelling: what the window offers, a pick closes it with
// the pick's row, and a window closed without a pick changes and learns nothing.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/TextFile.h"
#include "maintenance/UCorrigePstGrd.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <memory>

namespace {

const QStringList Models{"Cap", "1º Ten", "2º Ten", "S Ten", "1º Sgt", "2º Sgt", "3º Sgt", "Cb", "Sd"};

std::vector<SoldierRecord> soldiersWithRanks(const QStringList& ranks)
{
    std::vector<SoldierRecord> soldiers(Capacity::Soldiers + 1);
    for (int i = 0; i < ranks.size(); ++i) {
        soldiers[size_t(i) + 1].Num = QString::number(i + 1);
        soldiers[size_t(i) + 1].PstGrd = ranks[i];
    }
    return soldiers;
}

}

class TestCorrigePstGrd : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        SetModalHook({});
        m_dialogs.reset();
        m_data.reset();
    }

    void pickClosesWithTheRowOfTheModelSpelling_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("first rank") << 0;
        QTest::newRow("third rank") << 2;
        QTest::newRow("last rank") << 8;
    }
    void pickClosesWithTheRowOfTheModelSpelling()
    {
        QFETCH(int, index);
        int shown = 0;
        SetModalHook([&](QDialog& window) {
            ++shown;
            auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
            [&] {
                QCOMPARE(window.windowTitle(), QStringLiteral("Correção de Posto ou Graduação"));
                QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Não reconheço "));
                QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("Ten 2"));
                QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label3"))->text(), QStringLiteral("Corrigir"));
                QVERIFY(combo);
                QCOMPARE(combo->maxVisibleItems(), 25);
                QStringList offered;
                for (int i = 0; i < combo->count(); ++i)
                    offered << combo->itemText(i);
                QCOMPARE(offered, Models);
                QCOMPARE(combo->currentText(), QString());
            }();
            combo->setCurrentIndex(index);
            emit combo->activated(index);   // the keeper's pick
            return window.isVisible() ? -1 : window.result();
        });
        QCOMPARE(AskRankCorrection(nullptr, QStringLiteral("Ten 2"), Models), std::optional<int>(index + 1));
        QCOMPARE(shown, 1);
    }

    void passThroughTheWindowAppliesAndLearnsThePick()
    {
        RankModelGrid grid = LoadRankModels();
        std::vector<SoldierRecord> soldiers = soldiersWithRanks({"Ten 2", "Cap", "Ten 2"});
        int shown = 0;
        SetModalHook([&](QDialog& window) {
            ++shown;
            auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
            emit combo->activated(2);
            return window.result();
        });
        NormaliseRanks(grid, soldiers, CorrectionWindowChooser(nullptr));
        SaveRankModels(grid);
        QCOMPARE(shown, 1);
        QCOMPARE(soldiers[1].PstGrd, QStringLiteral("2º Ten"));
        QCOMPARE(soldiers[3].PstGrd, QStringLiteral("2º Ten"));
        QCOMPARE(DataFiles::ReadRankModels().at(25 + 3), QStringLiteral("Ten 2"));
    }

    void closedWithoutAPickKeepsTheSpellingAndLearnsNothing()
    {
        const QStringList modelBefore = DataFiles::ReadRankModels();
        RankModelGrid grid = LoadRankModels();
        std::vector<SoldierRecord> soldiers = soldiersWithRanks({"Ten 2", "Cap", "Ten 2"});
        int shown = 0;
        SetModalHook([&](QDialog& window) {
            ++shown;
            window.close();
            return window.result();
        });
        const NormaliseOutcome outcome = NormaliseRanks(grid, soldiers, CorrectionWindowChooser(nullptr));
        SaveRankModels(grid);
        QCOMPARE(shown, 1);   // not asked again for the same spelling in the pass
        QCOMPARE(soldiers[1].PstGrd, QStringLiteral("Ten 2"));
        QCOMPARE(soldiers[2].PstGrd, QStringLiteral("Cap"));
        QCOMPARE(soldiers[3].PstGrd, QStringLiteral("Ten 2"));
        QCOMPARE(outcome.leftAsTyped, QStringList{"Ten 2"});
        QCOMPARE(DataFiles::ReadRankModels(), modelBefore);
    }
};

QTEST_MAIN(TestCorrigePstGrd)
#include "TestCorrigePstGrd.moc"
