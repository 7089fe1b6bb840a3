#pragma once
// "Cadastro dos Serviços" (item 13 of "Manutenção"). Shows the window modally over parent.

class QWidget;

void OpenServiceRegister(QWidget* parent);
