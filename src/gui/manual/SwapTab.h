#pragma once
// The handlers of the tab "Trocas Sv": item 1 lists the soldiers who could take a duty, item 2
// records the exchange of a duty between two soldiers after the keeper has read what will change.
// The work lives in the core (SwapCandidates, Swap); this class reads the controls, calls it, and
// shows what it answers.

#include "manual/Swap.h"

#include <QObject>

class QComboBox;
class QListWidget;
class QWidget;
class SwapPage;

class SwapTab : public QObject {
    Q_OBJECT
public:
    // `alerts`: the message list of "Escalar Automático", where the candidate search's alerts go.
    SwapTab(SwapPage* page, QListWidget* alerts, QWidget* window);

public slots:
    void Label32Click();
    void ComboBox1Click();
    void Edit2Click();
    void Button8Click();
    void Button7Click();
    void Label45Click();
    void ComboBox2Click();
    void Button9Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SwapRequest request() const;
    bool someoneIsNobody() const;
    void showChoice(bool shown);
    void untickChoices();

    SwapPage* m_page;
    QListWidget* m_alerts;
};

// Fills a service list with the 30 entries of the service register in memory; none is chosen.
void FillServiceList(QComboBox* list);
