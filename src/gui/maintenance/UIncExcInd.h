#pragma once
// "Inclusão/Exclusão de um Militar " (item 1 of "Manutenção"). Shows the window modally over parent.

class QWidget;

void OpenIndividualInclusion(QWidget* parent);
