#include "RosterSession.h"

#include "Commit.h"
#include "Removals.h"

#include "data/CoreError.h"
#include "data/UGlobal.h"

QList<int> MarkedServices()
{
    QList<int> codes;
    const ServiceList& services = Global().ServiceTable;
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (!services[code].Descr.isEmpty() && services[code].Marca == QStringLiteral("S"))
            codes << code;
    }
    return codes;
}

void RosterSession::setState(RosterState state)
{
    m_state = state;
    switch (state) {
    case RosterState::Idle:
        m_buttons = RosterButtons();
        break;
    case RosterState::Refused:
        m_buttons.button6 = true;
        m_buttons.bPrever = false;
        m_buttons.bEscalar = false;
        m_buttons.edit1Enabled = true;
        break;
    case RosterState::Verified:
        m_buttons = {true, false, false, true, false};
        break;
    case RosterState::Removing:
        m_buttons = {true, true, false, true, false};
        break;
    case RosterState::Ready:
        m_buttons = {false, false, true, true, false};
        break;
    }
}

bool RosterSession::verify(const QString& targetText)
{
    m_roster.clear();
    m_messages.clear();
    m_refusal.clear();

    // Every registered service is chosen; the marks are kept to be restored after the choice.
    LoadServices();
    m_savedMarks.fill(0);
    for (int code = 1; code <= Capacity::Services; ++code) {
        ServiceRecord& service = Global().ServiceTable[code];
        if (service.Descr.isEmpty())
            continue;
        service.Marca = QStringLiteral("S");
        m_savedMarks[code] = 1;
    }

    m_run = VerifyRoster(targetText);
    if (m_run.refused) {
        m_refusal = m_run.refusal;
        setState(RosterState::Refused);
        return false;
    }
    m_roster = m_run.roster;
    m_messages = m_run.messages;
    m_alerts = m_run.alerts;
    setState(RosterState::Verified);
    return true;
}

void RosterSession::chooseRemoval()
{
    if (m_state != RosterState::Verified && m_state != RosterState::Removing)
        return;
    m_roster.clear();
    m_messages.clear();
    setState(RosterState::Removing);
}

void RosterSession::chooseReady()
{
    if (m_state != RosterState::Verified && m_state != RosterState::Removing)
        return;
    if (!m_run.verified)
        return;
    m_messages.clear();
    setState(RosterState::Ready);
}

void RosterSession::chooseContinue()
{
    if (m_state == RosterState::Verified || m_state == RosterState::Removing)
        setState(RosterState::Verified);
}

void RosterSession::restoreMarks()
{
    for (int code = 1; code <= Capacity::Services; ++code) {
        ServiceRecord& service = Global().ServiceTable[code];
        service.Marca = m_savedMarks[code] == 1 ? QStringLiteral("S") : QString();
    }
}

CommitOutcome RosterSession::commit(const Confirm& confirm)
{
    if (m_state != RosterState::Ready || !m_run.verified)
        throw CoreError(QStringLiteral("Não há escala verificada e pronta para escalar."));
    const CommitOutcome outcome = CommitRoster(*m_run.verified, confirm);
    if (!outcome.done)
        return outcome;
    m_run = RosterRun();
    m_roster.clear();
    m_messages.clear();
    m_alerts.clear();
    setState(RosterState::Idle);
    return outcome;
}

void RosterSession::reset()
{
    m_roster.clear();
    m_messages.clear();
    m_alerts.clear();
    m_refusal.clear();
    m_run = RosterRun();
    ClearRemovals();
    setState(RosterState::Idle);
}
