#pragma once
// The model read afresh when the main window comes back to the front: the services, the last
// rostered day and every roster, the rosters written back as read (rows marked "x" dropped).

// All in one transaction: on a server it first takes the unit's turn, so another desk's commit
// lands before the read or after the write, never between them (where the write would undo it).
void RefreshModelFromStore();
