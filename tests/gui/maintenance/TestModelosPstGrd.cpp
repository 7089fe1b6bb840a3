// Item 14 of "Manutenção": the rank model grid opened from the main window, edited and closed,
// rewrites the model file and the rank list made from it.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/TextFile.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UModelosPstGrd.h"
#include "startup/UPrincipal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <memory>

class TestModelosPstGrd : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    // Item 14 clicked; `act` plays the keeper on the model window, then "Sair" closes it.
    void openItem14(const std::function<void(TFModelosPstGrd&)>& act)
    {
        int shown = 0;
        SetModalHook([&](QDialog& window) {
            ++shown;
            auto* models = qobject_cast<TFModelosPstGrd*>(&window);
            if (models) {
                act(*models);
                QTest::mouseClick(models->Button1, Qt::LeftButton);
            }
            return window.isVisible() ? -1 : window.result();
        });
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label14")), Qt::LeftButton);
        QCOMPARE(shown, 1);
    }

    static void type(QTableWidget* grid, int row, int column, const QString& text)
    {
        grid->setCurrentCell(row, column);
        grid->editItem(grid->item(row, column));
        QLineEdit* editor = nullptr;   // closed editors linger hidden until deleted
        for (QLineEdit* open : grid->findChildren<QLineEdit*>())
            if (open->isVisible())
                editor = open;
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
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

    void editedCellsAreWrittenToBothFilesOnClose()
    {
        QStringList model = DataFiles::ReadRankModels();
        openItem14([&](TFModelosPstGrd& window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Modelos de escrita  dos Postos e Graduações"));
            QCOMPARE(window.Label1->text(), QStringLiteral("Quadro Modelo de Postos e Graduações"));
            QCOMPARE(window.Button1->text(), QStringLiteral("Sair"));
            QCOMPARE(window.SGModelos->rowCount(), 25);
            QCOMPARE(window.SGModelos->columnCount(), 11);
            QCOMPARE(window.SGModelos->item(0, 0)->text(), QStringLiteral("Modelo"));
            QCOMPARE(window.SGModelos->item(2, 0)->text(), QStringLiteral("1º Ten"));
            QCOMPARE(window.SGModelos->item(2, 1)->text(), QStringLiteral("1 Ten"));
            type(window.SGModelos, 10, 0, QStringLiteral("Recruta"));   // a new rank after "Sd"
            type(window.SGModelos, 2, 3, QStringLiteral("Primeiro-Tenente"));
            type(window.SGModelos, 2, 0, QStringLiteral("1º Tenente"));  // still being typed at "Sair"
        });
        QVERIFY(m_dialogs->errors().isEmpty());

        model[2] = QStringLiteral("1º Tenente");
        model[10] = QStringLiteral("Recruta");
        model[25 * 3 + 2] = QStringLiteral("Primeiro-Tenente");
        QCOMPARE(DataFiles::ReadRankModels(), model);
        QCOMPARE(TextFile::readLines(DataFolder::file(DataFiles::ModelosPstGrd)).size(), 275);
        QCOMPARE(DataFiles::ReadRankList(),
                 (QStringList{"Cap", "1º Tenente", "2º Ten", "S Ten", "1º Sgt", "2º Sgt", "3º Sgt", "Cb", "Sd", "Recruta"}));
    }

    void unreadableModelIsReportedAndNothingIsWritten()
    {
        QFile::remove(DataFolder::file(DataFiles::ModelosPstGrd));
        const QStringList ranks = DataFiles::ReadRankList();
        openItem14([](TFModelosPstGrd&) {});
        QCOMPARE(m_dialogs->errors(), QStringList{"O arquivo ModelosPstGrd.Txt não foi encontrado."});
        QVERIFY(!QFile::exists(DataFolder::file(DataFiles::ModelosPstGrd)));
        QCOMPARE(DataFiles::ReadRankList(), ranks);
    }
};

QTEST_MAIN(TestModelosPstGrd)
#include "TestModelosPstGrd.moc"
