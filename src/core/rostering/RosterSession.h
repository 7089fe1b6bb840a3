#pragma once
// The state of the tab "Escalar Automático" between "Verificar" and "Escalar":
//
//   Idle      "Verificar" only, the target day editable          (start, reset, after a commit)
//   Refused   as Idle, after a refusal (its message in refusal())
//   Verified  lists computed; "Verificar" again or "Desfazer"   ("Continuar a Verificar")
//   Removing  lists emptied; "Verificar" computes with removals ("Retirar algum militar da escala")
//   Ready     "Escalar" or "Desfazer"                           ("Estou pronto para escalar os serviços")
//
// The window shows lists(), buttons() and the refusal; each handler calls one member.

#include "Commit.h"
#include "Computation.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

enum class RosterState { Idle, Refused, Verified, Removing, Ready };

struct RosterButtons {
    bool button6 = true;       // "Verificar" (first step)
    bool bPrever = false;      // "Verificar" under it, shown while removing
    bool bEscalar = false;
    bool bDesfazer = false;
    bool edit1Enabled = true;
};

class RosterSession {
public:
    RosterState state() const { return m_state; }
    RosterButtons buttons() const { return m_buttons; }
    const QString& refusal() const { return m_refusal; }
    const QStringList& rosterLines() const { return m_roster; }     // ListBox2
    const QStringList& messageLines() const { return m_messages; }  // ListBox5
    const QStringList& alertLines() const { return m_alerts; }      // ListBox6
    const RosterRun& lastRun() const { return m_run; }
    // The days offered by "Retirar da Escala": those of the last verified span.
    QList<QDate> spanDays() const { return m_run.spanDays; }

    // "Verificar": every registered service takes part; the removals made so far apply.
    // Returns false when refused (the message is in refusal()).
    bool verify(const QString& targetText);

    // The three choices after a computation.
    void chooseRemoval();    // "Retirar algum militar da escala"
    void chooseReady();      // "Estou pronto para escalar os serviços"
    void chooseContinue();   // "Continuar a Verificar"
    // The choice window closed, however: the selection marks as they were when verifying began.
    void restoreMarks();

    // "Escalar": only when Ready. A target day before the last rostered day asks `confirm` first;
    // declined, nothing is written and the state stays Ready. Throws when the commit is refused;
    // the state stays Ready then. After a commit the state is Idle.
    CommitOutcome commit(const Confirm& confirm = {});

    // A click on the target day, or "Desfazer": the tab back to Idle, the removals emptied.
    // Nothing is written.
    void reset();

private:
    void setState(RosterState state);

    RosterState m_state = RosterState::Idle;
    RosterButtons m_buttons;
    QString m_refusal;
    QStringList m_roster;
    QStringList m_messages;
    QStringList m_alerts;
    RosterRun m_run;
    std::array<int, 31> m_savedMarks{};   // SavedMarks, index = CodSv
};

// The codes of the services whose selection mark is "S" (the services of a removal).
QList<int> MarkedServices();
