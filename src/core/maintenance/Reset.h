#pragma once
// The return of the whole system to the initial data set kept in the data folder: the tables
// RavSv, RavBasico, RavSv1 to RavSv4 and RavHist, and the text files Ini*. The initial set
// describes a unit in early 2004 whose rostering restarts on 02/03/04, so the restart day is that
// day whatever the keeper typed. After a reset the program ends and is started again.

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace Reset {

// The keeper's texts of item 17.
inline const QString Question =
    QStringLiteral("\nO Sistema retornará à situação inicial de Ravelha. Deseja continuar?");
inline const QString DayCaption = QStringLiteral("Reiniciar a partir do dia: ");
inline const QString DayPrompt = QStringLiteral("Entre com o primeiro dia a ser escalado(dd/mm/aa):  ");
inline const QString ProposedDay = QStringLiteral("02/03/04");
// Told when the keeper typed another day: the practice set restarts on its own day whatever is typed.
inline QString OwnDayNotice(const QString& typed)
{
    return QStringLiteral("O conjunto de treino sempre recomeça em %1; o dia digitado (%2) não muda isso.")
        .arg(ProposedDay, typed.trimmed());
}
inline const QString NothingDone = QStringLiteral(
    "O Sistema nada executou. Motivos possíveis: \n1. data em branco\n2. foi pressionado o botão <Cancel>");
inline const QString Done = QStringLiteral("A aplicação será encerrada. Reinicie logo em seguida.");

// The first day rostered after a reset.
inline const QDate RestartDay(2004, 3, 2);

// The text files restored, each from the file of the same name with "Ini" in front, in this order.
QStringList RestoredTextFiles();

// Called as the reset goes on: `done` of `total` steps.
using Progress = std::function<void(int done, int total)>;

// Puts back the initial data set. Everything it needs is read first: a missing initial table or
// text file, or a row the model cannot hold, is refused by name and nothing is changed. The
// tables are then rewritten in one transaction, with the text files recorded in it and written
// once it has committed. Returns the notice of text files that could not be written yet (empty
// when all were).
QString RestoreInitialDataSet(const Progress& progress = {});

}
