#include "ResetItems.h"

#include "common/BusyCursor.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "maintenance/HistoryPurge.h"
#include "maintenance/Reset.h"

#include <QApplication>
#include <QInputDialog>
#include <QProgressDialog>
#include <optional>

namespace {

// The restart day box. The real box tells Cancel from OK (Cancel must stop the reset, though the
// box proposes a day); other dialogs (tests) give the proposed day back on Cancel, as always.
std::optional<QString> askRestartDay()
{
    if (dynamic_cast<MessageBoxDialogs*>(&Dialogs::current())) {
        PointerWhileAsking pointer;
        bool ok = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), Reset::DayCaption,
                                                   Reset::DayPrompt, QLineEdit::Normal, Reset::ProposedDay, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }
    return Dialogs::current().input(Reset::DayCaption, Reset::DayPrompt, Reset::ProposedDay);
}

}

std::function<void()>& EndAfterReset()
{
    static std::function<void()> end = [] { QCoreApplication::exit(0); };
    return end;
}

void ResetToInitialData(QWidget* parent)
{
    Guarded([parent] {
        if (!AskBeforeLoss(Reset::Question))
            return;
        const std::optional<QString> answer = askRestartDay();
        if (!answer || answer->trimmed().isEmpty()) {
            Dialogs::current().message(Reset::NothingDone);
            return;
        }
        // The initial data set restarts on its own day: the typed day only confirms the reset, and
        // the keeper who typed another is told so before anything changes.
        if (answer->trimmed() != Reset::ProposedDay)
            Dialogs::current().message(Reset::OwnDayNotice(*answer));
        QString notice;
        {
            BusyCursor busy;
            QProgressDialog progress(QStringLiteral("Retornando o Sistema à situação inicial..."), QString(), 0, 1,
                                     parent);
            progress.setWindowTitle(QStringLiteral("Inicializar o Sistema"));
            progress.setObjectName(QStringLiteral("ResetProgress"));
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(0);
            progress.setCancelButton(nullptr);
            progress.setMinimumWidth(360);
            progress.setValue(0);
            notice = Reset::RestoreInitialDataSet([&progress](int done, int total) {
                progress.setMaximum(total);
                progress.setValue(done);
            });
        }
        if (!notice.isEmpty())
            Dialogs::current().message(notice);
        Dialogs::current().message(Reset::Done);
        if (EndAfterReset())
            EndAfterReset()();
    });
}

void PurgeHistory(QWidget*)
{
    Guarded([] {
        Dialogs::current().message(HistoryPurge::Warning);
        const QString answer = Dialogs::current().input(HistoryPurge::Caption, HistoryPurge::Prompt, QString());
        const std::optional<QDate> firstKept = HistoryPurge::FirstDayKept(answer);
        if (!firstKept)
            return;
        // What will go is said before the keeper answers, and a day past the last rostered day is
        // asked again; both boxes default to No and show the ordinary pointer.
        BusyCursor busy;
        HistoryPurge::PurgeAsking(*firstKept, [](const QString& question) {
            return AskBeforeLoss(question);
        });
    });
}
