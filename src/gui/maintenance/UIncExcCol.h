#pragma once
// "Inclusão/Exclusão Coletiva" (item 2 of "Manutenção"). Shows the window modally over parent.

class QWidget;

void OpenCollectiveInclusion(QWidget* parent);
