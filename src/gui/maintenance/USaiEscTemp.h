#pragma once
// "Afastamento Temporário dos Serviços" (item 3 of "Manutenção") and the return of item 4.

class QWidget;

void OpenAbsences(QWidget* parent);
void ReturnToAllRosters(QWidget* parent);
