#pragma once
// Every modal window is shown through ShowModal, so that a test can act on it (tick a choice,
// close it) without a running event loop.

#include <QDialog>
#include <functional>

// Shows the window modally and returns its result when it closes.
int ShowModal(QDialog& window);

// Tests: the hook receives the window, already shown, and returns its result instead of exec().
// An empty hook goes back to exec().
using ModalHook = std::function<int(QDialog&)>;
void SetModalHook(ModalHook hook);
