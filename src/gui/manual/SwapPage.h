#pragma once
// The tab "Trocas Sv": finding a candidate for a duty, and recording the exchange of a duty.

#include <QWidget>

class ClickableLabel;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class SwapPage : public QWidget {
    Q_OBJECT
public:
    explicit SwapPage(QWidget* parent = nullptr);

    // Shows the controls of one item and hides those of the other.
    void showCandidateSearch();
    void showSwap();

    ClickableLabel* Label32 = nullptr;
    QLabel* Label43 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label42 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QLabel* Label44 = nullptr;
    QListWidget* ListBox3 = nullptr;

    ClickableLabel* Label45 = nullptr;
    QLabel* Label46 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label47 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLabel* Label49 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label48 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLabel* Label50 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* Button9 = nullptr;

private:
    QList<QWidget*> m_searchControls;
    QList<QWidget*> m_swapControls;
};
