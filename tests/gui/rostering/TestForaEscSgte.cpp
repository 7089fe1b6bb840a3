// "Retirar da Escala": the keeper takes soldiers out of the roster for some days, one number after
// another. A number that names nobody is refused, and after any refusal the keeper types again at
// once in the number box.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "rostering/Removals.h"
#include "rostering/UForaEscSgte.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
QList<QDate> marchDays(int count)
{
    QList<QDate> days;
    for (int d = 1; d <= count; ++d)
        days << QDate(2004, 3, d);
    return days;
}

QList<QDate> daysOf(const TipoVetSgte& entry)
{
    QList<QDate> days;
    for (const QDate& day : entry.Dias)
        if (day.isValid())
            days << day;
    return days;
}
}

class TestForaEscSgte : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFForaEscSgte> m_window;

    TFForaEscSgte& openWindow(int spanDays)
    {
        m_window = std::make_unique<TFForaEscSgte>(marchDays(spanDays));
        m_window->show();
        return *m_window;
    }

    // Types `num`, selects the first `days` days, and presses "Retirar da escala" as the keeper
    // does (the button takes the focus).
    void remove(const QString& num, int days = 0)
    {
        TFForaEscSgte& w = *m_window;
        w.Edit1->setText(num);
        QTest::mouseClick(w.Button2, Qt::LeftButton);
        for (int row = 0; row < days; ++row)
            w.ListBox1->item(row)->setSelected(true);
        w.Button4->setFocus();
        QTest::mouseClick(w.Button4, Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        LoadServices();
        for (int code = 1; code <= 3; ++code)
            Global().ServiceTable[code].Marca = QStringLiteral("S");
        ClearRemovals();
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
        ClearRemovals();
    }

    void refusedEntriesTakeNothingAndGiveTheNumberBoxBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("saying");
        QTest::newRow("no soldier of that number") << "99" << 1 << "Não há militar de número 99";
        QTest::newRow("longer than a number") << "12345" << 1 << "mais de 4 caracteres";
        QTest::newRow("no number") << "  " << 1 << "Digite o número";
        QTest::newRow("more than ten days") << "8" << 11 << "no máximo 10 dias";
    }
    void refusedEntriesTakeNothingAndGiveTheNumberBoxBack()
    {
        QFETCH(QString, typed);
        QFETCH(int, days);
        QFETCH(QString, saying);
        TFForaEscSgte& w = openWindow(12);
        remove(typed, days);
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY2(m_dialogs->messages().first().contains(saying), qPrintable(m_dialogs->messages().first()));
        QCOMPARE(RemovalCount(), 0);
        QCOMPARE(w.focusWidget(), w.Edit1);
        QCOMPARE(w.Edit1->text(), typed);   // kept, selected, to be corrected
        QCOMPARE(w.Edit1->selectedText(), typed);
        QVERIFY(w.isVisible());
    }

    // Soldier after soldier: the days chosen stay chosen, the number box is emptied and keeps
    // the focus; a number typed with blanks around it is the soldier's number.
    void theChosenDaysStayFromOneEntryToTheNext()
    {
        TFForaEscSgte& w = openWindow(3);
        remove(QStringLiteral(" 8 "), 2);
        QVERIFY(m_dialogs->messages().isEmpty());
        QCOMPARE(w.focusWidget(), w.Edit1);
        QVERIFY(w.Edit1->text().isEmpty());
        QVERIFY(!w.ListBox1->isVisibleTo(&w));
        remove(QStringLiteral("12"));   // no new choice of days
        QCOMPARE(RemovalCount(), 2);
        const RemovalList& list = RosterRemovals();
        QCOMPARE(list.entries[0].Num, QStringLiteral("8"));
        QCOMPARE(list.entries[1].Num, QStringLiteral("12"));
        const QList<QDate> chosen{QDate(2004, 3, 1), QDate(2004, 3, 2)};
        QCOMPARE(daysOf(list.entries[0]), chosen);
        QCOMPARE(daysOf(list.entries[1]), chosen);
        QVERIFY(!NotRemoved(QStringLiteral("8"), 3, QDate(2004, 3, 2)));
        QVERIFY(NotRemoved(QStringLiteral("8"), 3, QDate(2004, 3, 3)));

        QTest::mouseClick(w.Button3, Qt::LeftButton);   // "Fim"
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestForaEscSgte)
#include "TestForaEscSgte.moc"
