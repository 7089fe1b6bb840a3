#pragma once
// The window "Escala Vermelha": the keeper extends the preparation period (its Saturdays and
// Sundays enter the red-day calendar by themselves), and adds, removes and lists single red days.

#include "common/FormWindow.h"
#include "rostering/Calendar.h"

#include <QDate>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QFrame;

class TFSemExped : public FormWindow {
    Q_OBJECT
public:
    explicit TFSemExped(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QLabel* Label2 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button2 = nullptr;

    // The last rostered day as the main window shows it; set by the opener before showing.
    QString lastRosteredText;

public slots:
    void FormActivate() override;
    void Button1Click();
    void RadioButton1Click();
    void Button3Click();
    void RadioButton2Click();
    void Button4Click();
    void RadioButton3Click();
    void Button2Click();

protected:
    void reject() override;   // Escape does not leave the window: "Sair" is the way out

private:
    void fillList();
    std::optional<QDate> shownLastRosteredDay();
    void showNotice(const RedDayCalendar::Outcome& outcome);
    QString m_newPeriod = QStringLiteral("N");
};

// Item 5 of "Manutenção": the calendar window, modally, for the last rostered day shown.
void OpenRedDayCalendar(QWidget* parent, const QString& lastRosteredText);
