#pragma once
// Qt's own warnings ("QStandardPaths: XDG_RUNTIME_DIR not set", "QPainter::begin(): Returned
// false") are English notes for developers: the keeper's terminal does not show them. With
// RAVELHA_DEPURAR set (to anything but 0 or empty) every message of Qt is shown as before.

// Installs the filter; called first thing by the programs' main().
void KeepQtMessagesForDevelopers();

// Whether RAVELHA_DEPURAR asks for Qt's messages.
bool QtMessagesWanted();
