// Item 15 of "Manutenção" through the main window: the cover editor on the small fixture, whose
// cover is "Unidade de Teste", "Companhia de Comando", "", "Sistema de Escalas" and Capa.Bmp.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UPreencheCapa.h"
#include "startup/CapaPage.h"
#include "startup/UPrincipal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

namespace {
const QString Backup = QStringLiteral("/media/pen/Molvedan/Ravelha/Espelho");
}

class TestPreencheCapa : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    QStringList niveis() { return TextFile::readLines(m_data->file(DataFiles::Niveis)); }

    // Opens item 15 and lets `act` work on the editor, which it must leave closed.
    void openItemFifteen(const std::function<void(TFPreencheCapa&)>& act)
    {
        bool opened = false;
        SetModalHook([&](QDialog& window) {
            if (auto* editor = qobject_cast<TFPreencheCapa*>(&window)) {
                opened = true;
                act(*editor);
                [&] { QVERIFY(!editor->isVisible()); }();
            }
            return window.result();
        });
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label15")), Qt::LeftButton);
        QVERIFY(opened);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        DataFiles::CoverSettings settings = DataFiles::ReadNiveis();
        settings.backupFolder = Backup;
        DataFiles::WriteNiveis(settings);
        GlobalModel& g = Global();
        g.CoverLines = settings.coverLines;
        g.CoverLines << settings.picture;
        g.BackupFolder = Backup;
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
    }
    void cleanup()
    {
        SetModalHook({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void theEditorShowsTheFileAsItStands()
    {
        openItemFifteen([](TFPreencheCapa& editor) {
            QCOMPARE(editor.windowTitle(), QStringLiteral("Preenchimento da Capa"));
            QCOMPARE(editor.manualSection(), QStringLiteral("019"));
            QStringList shown;
            for (QLineEdit* edit : editor.Edit)
                shown << edit->text();
            QCOMPARE(shown, (QStringList{"Unidade de Teste", "Companhia de Comando", "", "Sistema de Escalas", "Capa.Bmp"}));
            QTest::mouseClick(editor.Button1, Qt::LeftButton);
        });
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    // "Sair", the close box and Esc all write the cover; the cover tab shows it at once.
    void closingWritesTheCoverKeepsTheBackupFolderAndShowsItAtOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Sair") << "Sair";
        QTest::newRow("close box") << "close";
        QTest::newRow("Esc") << "Esc";
    }
    void closingWritesTheCoverKeepsTheBackupFolderAndShowsItAtOnce()
    {
        QFETCH(QString, way);
        openItemFifteen([&](TFPreencheCapa& editor) {
            editor.Edit[1]->setText(QStringLiteral("2ª Companhia"));
            if (way == "Sair")
                QTest::mouseClick(editor.Button1, Qt::LeftButton);
            else if (way == "close")
                editor.close();
            else
                QTest::keyClick(editor.Edit[1], Qt::Key_Escape);
        });
        QCOMPARE(niveis(), (QStringList{"Unidade de Teste", "2ª Companhia", "", "Sistema de Escalas", "Capa.Bmp", Backup}));
        QCOMPARE(m_window->Capa->Label16->text(), QStringLiteral("Unidade de Teste\n2ª Companhia\n\nSistema de Escalas"));
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    void aPictureThatCannotBeShownIsSaidAfterTheFileIsWritten()
    {
        openItemFifteen([](TFPreencheCapa& editor) {
            editor.Edit[4]->setText(QStringLiteral("NaoExiste.Bmp"));
            QTest::mouseClick(editor.Button1, Qt::LeftButton);
        });
        QCOMPARE(niveis().value(4), QStringLiteral("NaoExiste.Bmp"));
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(m_dialogs->errors().first().contains(QStringLiteral("NaoExiste.Bmp")));
    }
};

QTEST_MAIN(TestPreencheCapa)
#include "TestPreencheCapa.moc"
