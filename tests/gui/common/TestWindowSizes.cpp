// Every window of the program, with its title, fits a 1024x768 screen, the smallest it is made
// for: its own area leaves room for a frame and a taskbar, and its frame lies on the screen. The
// test runs on an offscreen screen of exactly that size.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/Dialogs.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "maintenance/UListaNumNomes.h"
#include "maintenance/UManual.h"
#include "manual/UEscolherSv.h"
#include "rostering/Commit.h"
#include "rostering/RosterPrintout.h"
#include "rostering/UForaEscSgte.h"
#include "rostering/URetiraAlguem.h"
#include "rostering/USemExped.h"
#include "queries/UQuadroEscalas.h"
#include "queries/UQuadroSv.h"
#include "queries/UPesqSv.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QRect SmallScreen(0, 0, 1024, 768);
const QSize LargestClientArea(1000, 700);   // leaves a frame and a taskbar on the small screen

// Shows a window the way the program does and hands it to `check` while it is up.
using Check = std::function<void(QWidget&)>;
using Opener = std::function<void(const Check&)>;

template <typename Window>
Opener plainWindow()
{
    return [](const Check& check) {
        Window window;
        window.show();
        check(window);
    };
}

// Every control of every tab shown at once: the tabs' largest state.
void showEverything(QWidget& window)
{
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int i = 0; i < tabs->count(); ++i)
        for (QWidget* control : tabs->widget(i)->findChildren<QWidget*>())
            control->show();
}

struct WindowCase {
    const char* title;
    Opener open;
};

QList<WindowCase> windows()
{
    return {
        {"Página Principal da Aplicação",
         [](const Check& check) {
             TFPrincipal window;
             window.show();
             showEverything(window);
             check(window);
         }},
        {"Consulta Pessoal", [](const Check& check) { ShowPersonnelLookup(); check(PersonnelLookup()); }},
        {"Manual do Sistema", [](const Check& check) { OpenManual(QStringLiteral("003")); check(ManualWindow()); }},
        {"Escolher Escalas", plainWindow<TFEscolherSv>()},
        {"Retirar Militar da Escala", plainWindow<TFRetiraAlguem>()},
        {"Retirar da Escala",
         [](const Check& check) {
             QList<QDate> days;
             for (int d = 1; d <= 30; ++d)
                 days << QDate(2004, 3, d);
             TFForaEscSgte window(days);
             window.show();
             window.Button2Click();   // the list of days shown
             check(window);
         }},
        {"Escala Vermelha", plainWindow<TFSemExped>()},
        {"Pesquisa de Serviços", plainWindow<TFPesqSv>()},
        {"Quadro dos Serviços", plainWindow<TFQuadroSv>()},
        {"FQuadroEscalas",   // the board filled with every soldier
         [](const Check& check) {
             TFQuadroEscalas window;
             window.FillWithEverySoldier();
             window.show();
             check(window);
         }},
        {"Escala de Serviço",   // the print preview
         [](const Check& check) {
             SetModalHook([&](QDialog& preview) {
                 [&] { QVERIFY(qobject_cast<QPrintPreviewDialog*>(&preview)); }();
                 check(preview);
                 return 0;
             });
             PrintDocument(nullptr, RosterPrintTitle(RosterPrint::Escala), [](PageDevice& page) {
                 PrintRosterList(page, RosterPrint::Escala, {QStringLiteral("               01/03/04 (Pt)")});
             });
             SetModalHook({});
         }},
        {"Ravelha",   // a Yes/No box with the longest question of the rostering
         [](const Check& check) {
             QTimer::singleShot(0, [&] {
                 QWidget* box = QApplication::activeModalWidget();
                 [&] { QVERIFY(qobject_cast<QMessageBox*>(box)); }();
                 check(*box);
                 box->close();
             });
             MessageBoxDialogs().question(FutureUndoQuestion(QDate(2004, 3, 20), QDate(2004, 2, 29)));
         }},
    };
}

}

class TestWindowSizes : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        LoadServices();
    }
    void cleanup()
    {
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void theScreenIsTheSmallest()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), SmallScreen);
    }

    void everyWindowHasItsTitleAndFitsTheSmallScreen_data()
    {
        QTest::addColumn<int>("index");
        const QList<WindowCase> all = windows();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].title) << i;
    }
    void everyWindowHasItsTitleAndFitsTheSmallScreen()
    {
        QFETCH(int, index);
        const WindowCase window = windows().at(index);
        bool checked = false;
        window.open([&](QWidget& shown) {
            checked = true;
            QCoreApplication::processEvents();
            QCOMPARE(shown.windowTitle(), QString::fromUtf8(window.title));
            const QSize size = shown.size();
            QVERIFY2(size.width() <= LargestClientArea.width() && size.height() <= LargestClientArea.height(),
                     qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
            const QRect frame = shown.frameGeometry();
            QVERIFY2(SmallScreen.contains(frame),
                     qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        });
        QVERIFY(checked);
        QVERIFY(m_dialogs->errors().isEmpty());
    }
};

int main(int argc, char** argv)
{
    // An offscreen screen of 1024x768.
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestWindowSizes test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "TestWindowSizes.moc"
