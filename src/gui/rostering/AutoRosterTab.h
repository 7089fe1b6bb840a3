#pragma once
// The handlers of the tab "Escalar Automático": "Verificar", the choice after it, "Escalar",
// "Desfazer", the two message lists and their printing. The road of a roster lives in the core
// (RosterSession); this class reads the controls, calls it, and shows what it answers.

#include "rostering/RosterSession.h"

#include <QObject>

class AutoRosterPage;
class QWidget;

// The line left in the messages when a waiting verification is thrown away.
inline const QString VerificationDiscarded = QStringLiteral("A verificação foi descartada; verifique novamente.");

class AutoRosterTab : public QObject {
    Q_OBJECT
public:
    AutoRosterTab(AutoRosterPage* page, QWidget* window);
    RosterSession& session() { return m_session; }

    // The stored rosters were reloaded under a waiting verification (the main window's
    // activation, an undo): the verification is thrown away, as "Desfazer" would, and the
    // messages say so. Nothing happens when no verification is waiting.
    void discardWaitingVerification();

signals:
    // A commit moved the last rostered day; the other tabs show it too.
    void lastRosteredDayChanged(const QString& text);

public slots:
    void Button6Click();
    void BPreverClick();
    void Edit1Click();
    void BEscalarClick();
    void Button5Click();
    void Button13Click();
    void BExportarCsvClick();
    // "Por que?" for the line `row` of the roster list: the decisions for that service and the
    // day above it. A day line or an empty line does nothing.
    void ListBox2DblClick(int row);
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton7Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void verify();
    void chooseAfterComputation();
    void showSession();
    void untickPrintChoices();
    void print(const QStringList& lines, int which);

    AutoRosterPage* m_page;
    QWidget* m_window;
    RosterSession m_session;
};
