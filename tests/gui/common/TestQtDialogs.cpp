// Qt's own boxes as the keeper meets them: in Portuguese whatever the machine's locale, and the
// Yes/No box that guards a loss answers No to Enter, under an ordinary pointer.
#include "common/BusyCursor.h"
#include "common/Dialogs.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/QtPortuguese.h"
#include "rostering/RosterPrintout.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {
// Runs `act` on the modal box the next call opens, from inside its own event loop.
void onNextBox(const std::function<void(QWidget&)>& act)
{
    QTimer::singleShot(0, [act] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) {
            QFAIL("no box was opened");
            return;
        }
        act(*box);
    });
}

QStringList buttonTexts(QWidget& box)
{
    QStringList texts;
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>())
        if (button->isVisible())
            texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}
}

class TestQtDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The machine's locale is not Portuguese (the tests run under C.UTF-8).
        QVERIFY(InstallQtPortuguese());
    }

    void yesNoBoxIsPortugueseAndDefaultsToNo()
    {
        QStringList buttons;
        QString defaultButton;
        Qt::CursorShape pointer = Qt::BlankCursor;
        onNextBox([&](QWidget& shown) {
            auto& box = static_cast<QMessageBox&>(shown);
            buttons = buttonTexts(box);
            defaultButton = box.defaultButton() ? box.defaultButton()->text().remove(QLatin1Char('&')) : QString();
            pointer = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BlankCursor;
            QTest::keyClick(&box, Qt::Key_Return);
        });
        bool answer = true;
        {
            BusyCursor busy;   // asked in the middle of an operation
            answer = AskBeforeLoss(QStringLiteral("Deseja continuar?"));
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QCOMPARE(buttons, QStringList({"Não", "Sim"}));
        QCOMPARE(defaultButton, QStringLiteral("Não"));
        QCOMPARE(pointer, Qt::ArrowCursor);
        QVERIFY(!answer);   // Enter answered No
        QVERIFY(!QApplication::overrideCursor());

        onNextBox([](QWidget& box) { static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click(); });
        QVERIFY(AskBeforeLoss(QStringLiteral("Deseja continuar?")));
    }

    void inputBoxCancelIsPortugueseAndGivesTheProposedValue()
    {
        QStringList buttons;
        onNextBox([&](QWidget& box) {
            buttons = buttonTexts(box);
            static_cast<QDialog&>(box).reject();
        });
        QCOMPARE(MessageBoxDialogs().input(QStringLiteral("Desfazer Escalas"), QStringLiteral("Dia:"),
                                           QStringLiteral("01/03/04")),
                 QStringLiteral("01/03/04"));
        QCOMPARE(buttons, QStringList({"Cancelar", "OK"}));
    }

    void printPreviewIsPortuguese()
    {
        QStringList actions;
        SetModalHook([&](QDialog& preview) {
            [&] { QVERIFY(qobject_cast<QPrintPreviewDialog*>(&preview)); }();
            for (QAction* action : preview.findChildren<QAction*>())
                actions << action->text().remove(QLatin1Char('&'));
            return 0;
        });
        PrintDocument(nullptr, RosterPrintTitle(RosterPrint::Escala), [](PageDevice& page) {
            PrintRosterList(page, RosterPrint::Escala, {QStringLiteral("               01/03/04 (Pt)")});
        });
        SetModalHook({});
        QVERIFY2(actions.contains(QStringLiteral("Imprimir")), qPrintable(actions.join(QStringLiteral(" | "))));
        QVERIFY(!actions.contains(QStringLiteral("Print")));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "TestQtDialogs.moc"
