#pragma once
// The road of the tab "Escalar Manual" and the controls it shows at each step:
//
//   Idle       "Preparar Grade"                          (start, "Desfazer", after a commit)
//   Prepared   "Verificar"; the grid and its cell editor
//   Stopped    verification stopped: a day already rostered or a grid prepared before the last
//              rostered day moved gives "Preparar Grade" again; an empty grid leaves no button
//   Verified   "Verificar" again, "Escalar" or "Desfazer"
//
// The window keeps the grid's cells (the keeper types into them); each handler passes the grid it
// holds and shows what the session answers. The command line walks the same road.

#include "ManualCommit.h"
#include "ManualGrid.h"
#include "ManualVerification.h"

#include <memory>

struct ManualButtons {
    bool button10 = true;    // "Preparar Grade"
    bool button11 = false;   // "Verificar"
    bool button12 = false;   // "Escalar"
    bool button14 = false;   // "Desfazer"
    bool edit7 = false;      // the cell editor
    bool label57 = false;    // "Grade de Serviços"
    bool grid = false;       // stays shown once a grid was prepared
    bool messages = false;   // ListBox4 and its title "Mensagens"
};

class ManualSession {
public:
    const ManualButtons& buttons() const { return m_buttons; }
    bool verified() const { return m_verified != nullptr; }
    const QDate& end() const { return m_end; }

    // "Preparar Grade"; a refusal leaves everything as it was.
    ManualPreparation prepare(const QString& endText, const ManualGrid& current = {});
    // "Verificar" of the grid as the keeper left it.
    ManualVerification verify(const ManualGrid& grid);
    // "Escalar"; only after a verification. Throws when refused; nothing is written then.
    ManualCommitOutcome commit(const ManualGrid& grid);
    // A click on "Escalar até", or "Desfazer": back to Idle; nothing is written.
    void reset();

private:
    ManualButtons m_buttons;
    QDate m_end;
    std::shared_ptr<const VerifiedManualGrid> m_verified;
};
