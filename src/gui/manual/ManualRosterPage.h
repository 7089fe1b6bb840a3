#pragma once
// The tab "Escalar Manual": the grid of services by days that the keeper fills by hand.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTableWidget;

class ManualRosterPage : public QWidget {
    Q_OBJECT
public:
    explicit ManualRosterPage(QWidget* parent = nullptr);

    static constexpr int CodeColumn = 10;   // SGGradeSv's hidden column of service codes
    static constexpr int RowHeight = 26;    // pixels per row of SGGradeSv

    QLabel* Label53 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* Button14 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QLabel* Label57 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QTableWidget* SGGradeSv = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button12 = nullptr;
    QLabel* Label55 = nullptr;
    QListWidget* ListBox4 = nullptr;
    QPushButton* BCarregar = nullptr;
    QPushButton* BCorrigir = nullptr;
    QGroupBox* PrintGroup = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
