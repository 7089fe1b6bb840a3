// The manual window: Manual.Txt opened at the section of the window the keeper came from.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "maintenance/UManual.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

namespace {

// A manual long enough to scroll: a mention of "016" inside a line, sections at rows 40 and 120,
// and a second line starting with "016" further down.
QStringList longManual()
{
    QStringList lines{QStringLiteral("Manual de teste"), QStringLiteral("001 - CAPA")};
    while (lines.size() < 30)
        lines << QStringLiteral("Texto da capa, linha %1.").arg(lines.size());
    lines << QStringLiteral("Veja a seção 016 mais adiante.");
    while (lines.size() < 40)
        lines << QStringLiteral("Mais texto da capa.");
    lines << QStringLiteral("016 - CONSULTA PESSOAL");
    while (lines.size() < 120)
        lines << QStringLiteral("Texto da consulta, linha %1.").arg(lines.size());
    lines << QStringLiteral("018 - SERVIÇOS");
    while (lines.size() < 160)
        lines << QStringLiteral("Texto dos serviços.");
    lines << QStringLiteral("016 repetida: não é esta.");
    while (lines.size() < 300)
        lines << QStringLiteral("Fim.");
    return lines;
}

QList<int> selectedRows(const QListWidget& list)
{
    QList<int> rows;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected())
            rows << row;
    }
    return rows;
}

int topRow(const QListWidget& list)
{
    return list.indexAt(QPoint(4, 4)).row();
}

}

class TestManual : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { DeleteSharedWindows(); }

    void opensAtTheSection_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("row");   // -1: no line begins with the section
        QTest::newRow("first section") << "001" << 1;
        QTest::newRow("first line that begins with it") << "016" << 40;
        QTest::newRow("further down") << "018" << 120;
        QTest::newRow("no line begins with it") << "099" << -1;
        QTest::newRow("two characters only") << "01" << -1;
    }

    void opensAtTheSection()
    {
        QFETCH(QString, section);
        QFETCH(int, row);
        FixtureFolder data;
        ScriptedDialogs dialogs;
        TextFile::writeLines(data.file(DataFiles::Manual), longManual());

        OpenManual(section);
        TFManual& manual = ManualWindow();
        QListWidget* list = manual.findChild<QListWidget*>(QStringLiteral("LBManual"));
        QVERIFY(list);
        QVERIFY(manual.isVisible());
        QVERIFY(list->isVisible());
        QCOMPARE(list->count(), 300);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Manual de teste"));
        if (row >= 0) {
            QCOMPARE(selectedRows(*list), QList<int>{row});
            QCOMPARE(topRow(*list), row);
        } else {
            QVERIFY(selectedRows(*list).isEmpty());
            QCOMPARE(topRow(*list), 0);
            QCOMPARE(list->verticalScrollBar()->value(), 0);
        }
        QVERIFY(dialogs.shown.isEmpty());
    }

    void captions()
    {
        FixtureFolder data;
        TFManual manual;
        QCOMPARE(manual.windowTitle(), QStringLiteral("Manual do Sistema"));
        QLabel* title = manual.findChild<QLabel*>(QStringLiteral("LTitulo"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Manual do Sistema "));
    }

    // The manual is open beside one window and the keeper opens it from another: the same window
    // moves to the new section, and back to the beginning for a section the manual lacks.
    void movesToAnotherSectionWhileOpen()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        TextFile::writeLines(data.file(DataFiles::Manual), longManual());

        OpenManual(QStringLiteral("018"));
        TFManual* first = &ManualWindow();
        QListWidget* list = first->findChild<QListWidget*>(QStringLiteral("LBManual"));
        QCOMPARE(topRow(*list), 120);

        OpenManual(QStringLiteral("016"));
        QCOMPARE(&ManualWindow(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(list->count(), 300);   // loaded afresh, not appended
        QCOMPARE(selectedRows(*list), QList<int>{40});
        QCOMPARE(topRow(*list), 40);

        OpenManual(QStringLiteral("099"));
        QVERIFY(selectedRows(*list).isEmpty());
        QCOMPARE(topRow(*list), 0);

        // The manual is read at every opening: a changed file shows at once.
        TextFile::writeLines(data.file(DataFiles::Manual), {QStringLiteral("Outro"), QStringLiteral("099 - NOVA")});
        OpenManual(QStringLiteral("099"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(selectedRows(*list), QList<int>{1});
        QVERIFY(dialogs.shown.isEmpty());
    }

    void fixtureManualAtTheLookupSection()
    {
        FixtureFolder data;
        OpenManual(QStringLiteral("016"));
        QListWidget* list = ManualWindow().findChild<QListWidget*>(QStringLiteral("LBManual"));
        QCOMPARE(list->count(), 7);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("016 - LISTA"));
    }

    void missingManualIsReported()
    {
        FixtureFolder data;
        ScriptedDialogs dialogs;
        QVERIFY(QFile::remove(data.file(DataFiles::Manual)));
        OpenManual(QStringLiteral("001"));
        QCOMPARE(dialogs.errors().size(), 1);
        QVERIFY2(dialogs.errors().first().contains(QStringLiteral("Manual.Txt")), qPrintable(dialogs.errors().first()));
        QCOMPARE(ManualWindow().findChild<QListWidget*>(QStringLiteral("LBManual"))->count(), 0);
    }
};

QTEST_MAIN(TestManual)
#include "TestManual.moc"
