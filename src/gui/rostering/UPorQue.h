#pragma once
// "Por que?": the decisions the computation took for one service and one day of the roster list,
// one line a soldier in the order the roster was walked. The keeper reads them and can print them.

#include "common/FormWindow.h"

#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

class TFPorQue : public FormWindow {
    Q_OBJECT
public:
    // `title`: "Por que: <service> <dd/mm/yy>"; `lines`: the decisions.
    TFPorQue(const QString& title, const QStringList& lines, QWidget* parent = nullptr);

    QLabel* LTitulo = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* BImprimir = nullptr;
    QPushButton* BSair = nullptr;

public slots:
    void BImprimirClick();

private:
    QString m_title;
    QStringList m_lines;
};
