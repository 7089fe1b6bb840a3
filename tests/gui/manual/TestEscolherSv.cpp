// The service chooser: the keeper ticks services, the callers read the selection marks.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "manual/UEscolherSv.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {
QStringList markedCodes()
{
    QStringList codes;
    for (int n = 1; n <= 30; ++n)
        if (Global().ServiceTable[n].Marca == QStringLiteral("S"))
            codes << QString::number(n);
    return codes;
}

// Shows the chooser; `act` ticks boxes; then "Pronto" (or the close box) closes it.
void choose(const std::function<void(TFEscolherSv&)>& act, bool closeBox = false)
{
    SetModalHook([&](QDialog& window) {
        auto& chooser = static_cast<TFEscolherSv&>(window);
        act(chooser);
        if (closeBox)
            chooser.close();
        else
            QTest::mouseClick(chooser.Button6, Qt::LeftButton);
        return chooser.result();
    });
    ChooseServices(nullptr);
    SetModalHook({});
}
}

class TestEscolherSv : public QObject {
    Q_OBJECT
private slots:
    void ticksBecomeMarks()
    {
        FixtureFolder data;
        LoadServices();
        Global().ServiceTable[2].Marca = QStringLiteral("S");   // left from an earlier use
        QStringList captions;
        choose([&](TFEscolherSv& chooser) {
            for (int n = 1; n <= 4; ++n)
                captions << chooser.CheckBox[n]->text();
            QVERIFY(chooser.CheckBox[30]->isVisible());
            chooser.CheckBox[1]->setChecked(true);
            chooser.CheckBox[3]->setChecked(true);
        });
        QCOMPARE(captions, QStringList({"Of Dia", "Adj Of", "Cb Gda", ""}));
        QCOMPARE(markedCodes(), QStringList({"1", "3"}));

        // The close box keeps the choice too, and the chooser opens unticked again.
        bool untickedAtOpen = true;
        choose([&](TFEscolherSv& chooser) {
            for (int n = 1; n <= 31; ++n)
                untickedAtOpen = untickedAtOpen && !(n == 31 ? chooser.CheckBox31 : chooser.CheckBox[n])->isChecked();
            chooser.CheckBox[2]->setChecked(true);
        }, true);
        QVERIFY(untickedAtOpen);
        QCOMPARE(markedCodes(), QStringList({"2"}));
    }

    void todosMarksAllThirty()
    {
        FixtureFolder data;
        LoadServices();
        choose([](TFEscolherSv& chooser) { chooser.CheckBox31->setChecked(true); });
        QCOMPARE(markedCodes().size(), 30);
        choose([](TFEscolherSv&) {});
        QCOMPARE(markedCodes(), QStringList());
    }
};

QTEST_MAIN(TestEscolherSv)
#include "TestEscolherSv.moc"
