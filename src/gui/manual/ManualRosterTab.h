#pragma once
// The handlers of the tab "Escalar Manual": "Preparar Grade", the cell editor, "Verificar",
// "Escalar", "Desfazer", the two printouts and the two sample contents. The road lives in the core
// (ManualSession); this class reads the grid and the boxes, calls it, and shows what it answers.

#include "manual/ManualSession.h"

#include <QObject>

class ManualRosterPage;
class QWidget;

class ManualRosterTab : public QObject {
    Q_OBJECT
public:
    ManualRosterTab(ManualRosterPage* page, QWidget* window);
    ManualSession& session() { return m_session; }

signals:
    // A commit moved the last rostered day; the other tabs show it too.
    void lastRosteredDayChanged(const QString& text);

public slots:
    void Button10Click();
    void Edit6Click();      // also "Desfazer" (Button14)
    void SGGradeSvClick(int row, int column);
    void Edit7Change(const QString& text);
    void Button11Click();
    void Button12Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void BCarregarClick();
    void BCorrigirClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showButtons();
    void untickPrintChoices();
    void print(const QString& title, const QStringList& lines, bool grid);

    ManualRosterPage* m_page;
    QWidget* m_window;
    ManualSession m_session;
};
