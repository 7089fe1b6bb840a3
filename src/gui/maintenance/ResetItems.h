#pragma once
// Items 17 ("Inicializar o Sistema") and 12 (the purge of old history) of "Manutenção": no window
// of their own, only their questions, input boxes and messages.

#include <functional>

class QWidget;

// Asks, then puts the whole system back to the initial data set with a progress box, and ends the
// program so that it starts again on the restored files. An error stops the reset with nothing
// changed, and the program goes on.
void ResetToInitialData(QWidget* parent);

// Warns, asks for the first day kept, says how many records of which days will go and asks
// (again for a day after the last rostered day), then deletes the history before it. Nothing is
// shown after.
void PurgeHistory(QWidget* parent);

// What ends the program after a reset (the application's event loop ends); tests put their own.
std::function<void()>& EndAfterReset();
