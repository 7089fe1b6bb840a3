// Item 16 of "Manutenção" through the main window, on the small fixture: the backup window saves
// and restores (then the program ends), and its location window moves the copy to another medium.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"
#include "maintenance/CoverSettings.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UBackup.h"
#include "maintenance/UCopiaSeg.h"
#include "rostering/AutoRosterPage.h"
#include "startup/CapaPage.h"
#include "startup/UPrincipal.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Scripted dialogs that also note, at each question, the progress boxes then in existence.
class WatchedDialogs : public ScriptedDialogs {
public:
    QStringList progressAtQuestions;
    bool question(const QString& text) override
    {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* box = qobject_cast<QProgressDialog*>(widget))
                progressAtQuestions << box->windowTitle();
        }
        return ScriptedDialogs::question(text);
    }
};

}

class TestBackupWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<WatchedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;
    int m_ended = 0;

    QStringList dataState()
    {
        QStringList state = StoredTables(m_data->module(), TableSchema::workingTables());
        for (const QString& file : Backup::TextFiles())
            state << QStringLiteral("== ") + file << TextFile::readLines(m_data->file(file));
        return state;
    }
    QStringList questions() const { return m_dialogs->shown.filter(QRegularExpression("^question: ")); }

    // Opens item 16 and lets `act` work in it; `location` acts in the location window when it opens.
    void openItemSixteen(const std::function<void(TFBackup&)>& act,
                         const std::function<void(TFCopiaSeg&)>& location = {})
    {
        bool opened = false;
        SetModalHook([&](QDialog& window) {
            if (auto* copia = qobject_cast<TFCopiaSeg*>(&window)) {
                if (location)
                    location(*copia);
            } else if (auto* backup = qobject_cast<TFBackup*>(&window)) {
                opened = true;
                act(*backup);
                if (backup->isVisible())
                    QTest::mouseClick(backup->BSair, Qt::LeftButton);
                [&] { QVERIFY(!backup->isVisible()); }();
            }
            return window.result();
        });
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label18")), Qt::LeftButton);
        QVERIFY(opened);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<WatchedDialogs>();
        m_ended = 0;
        SetProgramEndForTests([this] { ++m_ended; });
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
    }
    void cleanup()
    {
        SetModalHook({});
        SetProgramEndForTests({});
        BackupLocation::SetMountedMediaForTests({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void savedThenRestored()
    {
        const QString medium = QDir::toNativeSeparators(BackupLocation::MediumOf(m_data->backupPath()));
        openItemSixteen([&](TFBackup& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Cópia de Segurança"));
            QCOMPARE(window.Label2->text(), QStringLiteral("   Atualmente realizadas em: ") + medium);
            QCOMPARE(window.BSalvar->text(), QStringLiteral("Salvar em   ") + medium);
            QCOMPARE(window.BRecuperar->text(), QStringLiteral("Recuperar de   ") + medium);
            QTest::mouseClick(window.BSalvar, Qt::LeftButton);
            QVERIFY(window.isVisible());
        });
        QCOMPARE(m_dialogs->shown, QStringList());
        QVERIFY(QFileInfo::exists(QDir(m_data->backupPath()).filePath("Ravelha.db")));

        // After the save: another last rostered day, another cover, a soldier gone.
        TextFile::writeLines(m_data->file(DataFiles::Escala), {"12/03/04"});
        SaveCover(CoverText{{"Outra capa", "", "", ""}, QStringLiteral("Capa.Bmp")});
        QSqlQuery(m_data->module().database(Alias::Ravelha)).exec("DELETE FROM Basico WHERE Num = '2'");
        m_window->EscalarAutomatico->LUltimaEscala->setText(QStringLiteral("12/03/04"));
        m_window->Capa->Label16->setText(QStringLiteral("Outra capa"));

        m_dialogs->questionAnswers.enqueue(true);
        openItemSixteen([&](TFBackup& window) {
            QTest::mouseClick(window.BRecuperar, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        });
        QCOMPARE(questions().size(), 1);
        // The progress shows once the keeper said Yes, never over the question.
        QCOMPARE(m_dialogs->progressAtQuestions, QStringList());
        QCOMPARE(m_dialogs->messages(), QStringList{Backup::EndMessage});
        QCOMPARE(m_ended, 1);
        QCOMPARE(StoredRows(m_data->module(), "Basico").filter(QRegularExpression("^2\\|")).size(), 1);
        // The main window shows what was restored.
        QCOMPARE(m_window->EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("29/02/04"));
        QVERIFY(m_window->Capa->Label16->text().startsWith(QStringLiteral("Unidade de Teste")));
    }

    void restoreThatChangesNothing_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("nothing in the backup folder") << false << QStringList{Backup::NoFilesMessage};
        QTest::newRow("the keeper says No") << true << QStringList();
    }
    void restoreThatChangesNothing()
    {
        QFETCH(bool, saved);
        QFETCH(QStringList, messages);
        if (saved)
            Backup::SaveBackup();
        TextFile::writeLines(m_data->file(DataFiles::Escala), {"12/03/04"});
        const QStringList before = dataState();
        m_dialogs->questionAnswers.enqueue(false);
        openItemSixteen([&](TFBackup& window) { QTest::mouseClick(window.BRecuperar, Qt::LeftButton); });
        QCOMPARE(questions().size(), saved ? 1 : 0);
        QCOMPARE(m_dialogs->messages(), messages);
        QCOMPARE(m_ended, 0);
        QCOMPARE(dataState(), before);
    }

    void closingTheLocationWindow_data()
    {
        QTest::addColumn<QString>("inUse");    // "A" and "B" are mounted; "C" is there but not listed; "gone" is not
        QTest::addColumn<QString>("chosen");   // empty: "Alterar" not pressed; "-": pressed, nothing chosen
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no change while the medium is missing")
            << "gone" << "" << QStringList{BackupLocation::MissingMediumMessage};
        QTest::newRow("no change, medium present") << "A" << "" << QStringList();
        QTest::newRow("the medium in use chosen") << "A" << "A" << QStringList();
        QTest::newRow("another medium chosen") << "A" << "B" << QStringList{BackupLocation::ChangedMessage};
        QTest::newRow("nothing chosen, the medium in use not listed") << "C" << "-" << QStringList();
        QTest::newRow("another medium chosen, the medium in use not listed")
            << "C" << "B" << QStringList{BackupLocation::ChangedMessage};
    }
    void closingTheLocationWindow()
    {
        QFETCH(QString, inUse);
        QFETCH(QString, chosen);
        QFETCH(QStringList, messages);
        QTemporaryDir media;
        QVERIFY(QDir(media.path()).mkdir("A") && QDir(media.path()).mkdir("B") && QDir(media.path()).mkdir("C"));
        auto medium = [&](const QString& name) { return QDir(media.path()).filePath(name); };
        BackupLocation::SetMountedMediaForTests([&] { return QStringList{medium("A"), medium("B")}; });
        const QString folder = BackupLocation::FolderOn(medium(inUse));
        SaveBackupFolderSetting(folder);
        m_data->module().setAliasFolder(Alias::BackUpRavSv, folder);
        // A cover edited earlier in this run.
        SaveCover(CoverText{{"Capa desta sessão", "linha 2", "", ""}, QStringLiteral("Capa.Bmp")});
        const QStringList niveis = TextFile::readLines(m_data->file(DataFiles::Niveis));
        const bool changes = !chosen.isEmpty() && chosen != QLatin1String("-") && chosen != inUse;
        const bool listed = inUse == QLatin1String("A") || inUse == QLatin1String("B");

        QString shownAfter;
        openItemSixteen(
            [&](TFBackup& window) {
                QTest::mouseClick(window.Button1, Qt::LeftButton);
                shownAfter = window.Label2->text();
            },
            [&](TFCopiaSeg& window) {
                QCOMPARE(window.EDrive->text(), medium(inUse));
                QVERIFY(window.EDrive->isReadOnly());
                QVERIFY(window.CBDrive->isHidden() && window.Label2->isHidden());
                if (!chosen.isEmpty()) {
                    QTest::mouseClick(window.BAlterar, Qt::LeftButton);
                    QVERIFY(!window.CBDrive->isHidden());
                    QCOMPARE(window.CBDrive->count(), listed ? 2 : 3);
                    // The chooser starts at the place in use, not at the first volume.
                    QCOMPARE(window.CBDrive->currentText(), medium(inUse));
                    if (chosen != QLatin1String("-"))
                        window.CBDrive->setCurrentIndex(window.CBDrive->findText(medium(chosen)));
                }
                QTest::mouseClick(window.Button1, Qt::LeftButton);
                QVERIFY(!window.isVisible());
            });
        QCOMPARE(m_dialogs->messages(), messages);
        QCOMPARE(m_ended, changes ? 1 : 0);
        const QStringList after = TextFile::readLines(m_data->file(DataFiles::Niveis));
        if (!changes) {
            QCOMPARE(after, niveis);
            QCOMPARE(m_data->module().aliasFolder(Alias::BackUpRavSv), folder);
            return;
        }
        const QString moved = BackupLocation::FolderOn(medium(chosen));
        QCOMPARE(after, niveis.mid(0, 5) << moved);
        QCOMPARE(after.first(), QStringLiteral("Capa desta sessão"));
        QCOMPARE(shownAfter, QStringLiteral("   Atualmente realizadas em: ") + medium(chosen));
    }
};

QTEST_MAIN(TestBackupWindows)
#include "TestBackupWindows.moc"
