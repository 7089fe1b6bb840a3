// Item 18 of "Manutenção" (the import of an old folder) through the main window, and the offer of
// the first start on a data folder that does not exist yet, on old folders written here with
// pxlib's writer from the small fixture.
#include "FixtureFolder.h"
#include "ParadoxWriter.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/SharedWindows.h"
#include "data/TableSchema.h"
#include "maintenance/ImportItems.h"
#include "maintenance/MaintenancePage.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestImportItems : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    QString oldFolder() const { return m_temp.filePath(QStringLiteral("antiga")); }
    QString newFolder() const { return m_temp.filePath(QStringLiteral("nova")); }
    QStringList imported()
    {
        TDMGeral module(newFolder(), QString(), ServerAddress());
        return StoredTables(module, TableSchema::workingTables());
    }

private slots:
    void init()
    {
        QDir(oldFolder()).removeRecursively();
        QDir(newFolder()).removeRecursively();
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        WriteOldFolder(m_data->module(), m_data->path(), oldFolder());
    }
    void cleanup()
    {
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    // The two folders are chosen, the unit comes over and the report says how to open it.
    void itemImportsIntoTheChosenFolder()
    {
        TFPrincipal window;
        window.show();
        window.PageControl1->setCurrentWidget(window.Manutencao);
        m_dialogs->fileAnswers << oldFolder() << newFolder();
        QTest::mouseClick(window.Manutencao->item(QStringLiteral("LImportar")), Qt::LeftButton);

        QCOMPARE(m_dialogs->errors(), QStringList());
        QCOMPARE(m_dialogs->messages().size(), 1);
        const QString report = m_dialogs->messages().first();
        QVERIFY2(report.startsWith(QStringLiteral("Dados importados para %1:").arg(QDir::toNativeSeparators(newFolder()))),
                 qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("ravelha --dados")));
        QCOMPARE(imported(), StoredTables(m_data->module(), TableSchema::workingTables()));
        QVERIFY(!QApplication::overrideCursor());
    }

    // Cancel in either chooser imports nothing; a refusal is shown in an error box.
    void cancelOrRefusalImportsNothing()
    {
        TFPrincipal window;
        window.show();
        m_dialogs->fileAnswers << std::nullopt << oldFolder() << std::nullopt;
        ImportOldFolder(&window);
        ImportOldFolder(&window);
        QVERIFY(m_dialogs->messages().isEmpty());

        QVERIFY(QFile::remove(QDir(oldFolder()).filePath(QStringLiteral("Hist.DB"))));
        m_dialogs->fileAnswers << oldFolder() << newFolder();
        ImportOldFolder(&window);
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY2(m_dialogs->errors().first().contains(QStringLiteral("Hist.DB")), qPrintable(m_dialogs->errors().first()));
        QVERIFY(!QFileInfo::exists(newFolder()));
    }

    // At the first start the offer fills the new data folder from the old one; a refusal is told
    // and asked again; No leaves the start to the initial data set.
    void firstStartOffer()
    {
        m_dialogs->questionAnswers << false;
        QVERIFY(!OfferImportAtFirstStart(newFolder()));
        QVERIFY(!QFileInfo::exists(newFolder()));

        const QString wrong = m_temp.filePath(QStringLiteral("vazia"));
        QVERIFY(QDir().mkpath(wrong));
        m_dialogs->questionAnswers << true << true;
        m_dialogs->fileAnswers << wrong << oldFolder();
        QVERIFY(OfferImportAtFirstStart(newFolder()));
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(m_dialogs->errors().first().contains(QStringLiteral("Basico.DB")));
        QCOMPARE(imported(), StoredTables(m_data->module(), TableSchema::workingTables()));
    }
};

QTEST_MAIN(TestImportItems)
#include "TestImportItems.moc"
