#pragma once
// The windows every window may open beside itself, not modally: the manual and the personnel
// lookup. Each exists once; it is made on first use.

#include <QString>

class QWidget;

class TFManual;
class TFListaNumNomes;

// Sets the manual section and shows the manual there; an open manual comes to the front and
// moves to the new section.
void OpenManual(const QString& section);

// Shows the personnel lookup beside the current window.
void ShowPersonnelLookup();

TFManual& ManualWindow();
TFListaNumNomes& PersonnelLookup();

// Whether the window is the manual or the lookup (without making either).
bool IsSharedWindow(const QWidget* window);

// Closes and deletes both (end of the program, end of a test).
void DeleteSharedWindows();
