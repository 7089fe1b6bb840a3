#include "ManualSession.h"

#include "data/CoreError.h"

ManualPreparation ManualSession::prepare(const QString& endText, const ManualGrid& current)
{
    ManualPreparation preparation = PrepareManualGrid(endText, current);
    if (!preparation.prepared())
        return preparation;
    m_end = preparation.end;
    m_verified.reset();
    m_buttons.edit7 = true;
    m_buttons.button11 = true;
    m_buttons.label57 = true;
    m_buttons.grid = true;
    m_buttons.button10 = false;
    m_buttons.button12 = false;
    return preparation;
}

ManualVerification ManualSession::verify(const ManualGrid& grid)
{
    if (!m_end.isValid())
        throw CoreError(QStringLiteral("Prepare a Grade de Serviços antes de verificá-la."));
    m_verified.reset();
    m_buttons.messages = true;
    m_buttons.label57 = true;
    m_buttons.edit7 = true;
    ManualVerification verification = VerifyManualGrid(grid, m_end);
    switch (verification.stop) {
    case ManualVerification::Stop::Conflict:
    case ManualVerification::Stop::Stale:
        // Nothing verified is left to commit: "Escalar" goes too.
        m_buttons.button10 = true;
        m_buttons.button11 = false;
        m_buttons.button12 = false;
        break;
    case ManualVerification::Stop::Repeated:
        // The keeper corrects the cell and verifies again; nothing verified is left to commit.
        m_buttons.button12 = false;
        break;
    case ManualVerification::Stop::Empty:
        m_buttons.button11 = false;
        m_buttons.button12 = false;
        break;
    case ManualVerification::Stop::None:
        m_verified = verification.verified;
        m_buttons.button12 = true;
        m_buttons.button14 = true;
        break;
    }
    return verification;
}

ManualCommitOutcome ManualSession::commit(const ManualGrid& grid)
{
    if (!m_verified)
        throw CoreError(QStringLiteral("Clique em \"Verificar\" antes de escalar."));
    const ManualCommitOutcome outcome = CommitManualGrid(*m_verified, grid);
    if (!outcome.done) {
        m_buttons.button11 = false;
        m_buttons.button12 = false;
        return outcome;
    }
    m_verified.reset();
    m_end = QDate();
    m_buttons.button11 = false;
    m_buttons.button14 = false;
    m_buttons.button12 = false;
    m_buttons.button10 = true;
    return outcome;
}

void ManualSession::reset()
{
    m_verified.reset();
    m_end = QDate();
    const bool gridShown = m_buttons.grid;
    m_buttons = ManualButtons();
    m_buttons.grid = gridShown;
}
