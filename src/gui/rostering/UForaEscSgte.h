#pragma once
// "Retirar da Escala": the keeper takes a soldier out of the roster for some services on some days
// of the verified span; the next "Verificar" computes without him there.

#include "common/FormWindow.h"

#include <QDate>
#include <QList>

class QLineEdit;
class QListWidget;
class QPushButton;

class TFForaEscSgte : public FormWindow {
    Q_OBJECT
public:
    explicit TFForaEscSgte(const QList<QDate>& spanDays, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;

public slots:
    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button3Click();

private:
    QList<QDate> m_spanDays;
};
