#pragma once
// The red-day calendar (SemExped.Txt) and the preparation period (DataIniFim.Txt).
// A day listed in the calendar is red (a Saturday, a Sunday, a holiday, a day without office
// hours) and counts in Vm; any other day is black and counts in Pt. The system rosters no day
// after the end of the preparation period.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Fills RedDays of the model from SemExped.Txt, in date order. A line that is not a date stops
// the load with a message naming it; more days than the calendar holds are refused.
void LoadRedDays();
// Whether the day is in RedDays (as loaded by the last LoadRedDays).
bool IsRedDay(const QDate& day);
// "Vm" for a red day, "Pt" for a black one.
QString DayKind(const QDate& day);

// The message that refuses a target day after the end of the preparation period, or nothing.
std::optional<QString> PreparationRefusal(const QDate& target);

// The edits of the window "Escala Vermelha". Each takes what the keeper typed or chose, writes
// the files when it succeeds (together, in one transaction of the data folder's database), and
// returns what the window shows. Nothing is written when a message is returned.
namespace RedDayCalendar {

struct Outcome {
    QString message;   // empty when the edit was made
    QString notice;    // the edit was made, but a file could not be written yet (see PendingFiles)
    bool done() const { return message.isEmpty(); }
};

// The outcome of an edit refused with `message`: nothing was written.
inline Outcome refused(const QString& message)
{
    return {message, QString()};
}

// "Incluir Automático": the end of the preparation period becomes `finalDayText` and the
// Saturdays and Sundays after the previous end up to it enter the calendar. Days not later than
// 30 days before `lastRostered` (the last rostered day in memory) leave the calendar.
// `initialDayText` is the last rostered day as the window shows it; it becomes the first line of
// DataIniFim.Txt.
Outcome IncludeWeekends(const QString& finalDayText, const QString& initialDayText, const QDate& lastRostered);

// "Incluir": every non-empty cell must be a date; they enter the calendar, and days earlier than
// 30 days before `initialDay` leave it. Cells that are all empty give the documented message.
Outcome IncludeDays(const QStringList& cells, const QDate& initialDay);

// "Excluir": every day chosen (dd/mm/yy as listed) leaves the calendar, each slot that holds it;
// days earlier than 30 days before `initialDay` leave it too.
Outcome ExcludeDays(const QStringList& chosenDays, const QDate& initialDay);

// The listing: every day of the calendar in date order, as dd/mm/yy.
QStringList ListDays();

// The question of "Sair" after an automatic inclusion.
QString NewPeriodQuestion(const QString& initialDayText, const QString& finalDayText);

inline const QString EmptyGridMessage = QStringLiteral(
    "    Para incluir datas na Escala Vermelha você deverá \nprimeiramente digitá-las na grade ");
inline const QString NothingChosenMessage = QStringLiteral(
    "    Para excluir datas da Escala Vermelha você deverá \nprimeiramente selecioná-las na lista ");

}
