#pragma once
// Units made up from a recipe and a seed, for the reference outputs of the rostering and for the
// benchmarks: soldiers with their absences and recent duties, services with their periods and
// priorities, rosters with their counts, a history, the red days, the last rostered day and the
// period of preparation. The same recipe always gives the same unit.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct UnitRecipe {
    QString name;
    quint32 seed = 1;
    int services = 8;             // codes 1 to `services`
    int members = 60;             // members of each roster, at most
    int soldiers = 160;           // personnel records 1 to `soldiers`
    int quantity = 2;             // soldiers a service a day, at most (each service draws 1 to this)
    QDate lastRostered{2004, 3, 1};
    int days = 31;                // the days to roster after the last rostered one
    int historyDays = 30;         // days of history before the last rostered one (and on it)
    int absencePercent = 0;       // soldiers with an absence (planned, real or without a kind)
    int holidayPercent = 0;       // weekdays made red besides the weekends
    bool wideCounts = false;      // counts from -5 to 1200 (text order and negative counts)
    bool strangers = false;       // some roster numbers without a personnel record
    bool periods = false;         // some services start or end inside the days to roster
    int removals = 0;             // soldiers the keeper removes from some days (--retirar)
    bool sameCounts = false;      // many equal counts, so the order of equals shows
};

// The dozen units whose rostering outputs are kept byte for byte (tests/fixtures/referencia), from
// "minima" to "capacidade" (30 services of up to 500 members from 1000 soldiers, up to 3 a day) and
// "capacidade-variada"; "tipica" is 8 services of up to 60 from 160 soldiers, up to 2 a day.
QList<UnitRecipe> ReferenceRecipes();
// One of them by name (the program stops on a name that is none of them).
UnitRecipe ReferenceRecipe(const QString& name);
// "capacidade" with a history that fills the model too: 10000 records up to the last rostered day.
UnitRecipe FullCapacityRecipe();

// Builds the unit into the data folder open in the data module (the model is left loaded with it),
// and starts the log of counts afresh from its rosters.
void BuildUnit(const UnitRecipe& recipe);

// The --retirar arguments of the recipe's removals, drawn from the built unit ("--retirar", value, ...).
QStringList RemovalArguments(const UnitRecipe& recipe);

// The day to roster to and the day to undo from, as ravelha-cli takes them (dd/mm/yy).
QString TargetDay(const UnitRecipe& recipe);
QString UndoDay(const UnitRecipe& recipe);
QString Today(const UnitRecipe& recipe);
