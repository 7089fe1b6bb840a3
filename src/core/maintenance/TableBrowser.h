#pragma once
// The table browser: the keeper looks at the tables directly and corrects them in place. It shows
// the service register, the personnel register (whole or by a search), the roster table of one
// service, and one roster with its members' personnel data (read-only, printable).
//
// A value typed into the grid is checked before it is stored, with the rules the loaders read the
// tables by: a row the loaders would refuse is never stored, and a row cannot take the key of
// another. A refused value leaves the row as it was and gives the keeper's message. Days are
// shown and typed as dd/mm/yy (dd/mm/yyyy is accepted); the tables keep them as yyyy-MM-dd.

#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "maintenance/RankModels.h"

#include <QList>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlTableModel>
#include <QString>
#include <optional>

// The searches of the personnel register.
enum class PersonnelSearch { ByNumber, ByName, Planned, Real, PlannedOrReal, All };

// The soldiers a search finds, in number order: the number as typed (exactly), a part of the name
// (typed text taken literally, quotes and wildcards included), the kind of absence, or all.
QSqlQuery SearchPersonnel(PersonnelSearch search, const QString& typed = QString());

// The service the roster views show after the service chooser: the lowest code among the
// registered services (a Descr) marked "S"; nothing when none is marked.
std::optional<int> ShownService(const ServiceList& services);

// Whether a field holds a day (Ini, Fim, and the two absence days of the joined view).
bool IsDayField(const QString& field);

// A value as the grid shows it: a stored day as dd/mm/yy, anything else as its text.
QVariant ShownValue(const QString& field, const QVariant& value);

// One table of the data folder, editable in place: "Sv", "Basico" or a roster ("Sv7.DB").
// Every accepted value is stored at once in its own transaction; the rows are read whole, in key
// order, so no statement stays open while the grid is up.
class BrowserTableModel : public QSqlTableModel {
    Q_OBJECT
public:
    BrowserTableModel(const QString& tableOrFileName, QObject* parent = nullptr);

    const QString& table() const { return m_table; }
    TableSchema::Kind kind() const { return m_kind; }

    // Reads the table again; an engine error throws with the keeper's message.
    void refresh();

    // Days are shown as dd/mm/yy; the edit role gives the stored value.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Checks the typed value and stores it. A refused value stores nothing, leaves the row as it
    // was, keeps the message in lastRefusal() and sends it with editRefused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The message of the last value that was not stored; empty after one that was.
    const QString& lastRefusal() const { return m_refusal; }

    // The row whose key is `key` (a number, or a service code), -1 when there is none.
    int rowOfKey(const QString& key) const;
    // The column of a field named as the table names it (case ignored), -1 when there is none.
    int columnOf(const QString& field) const;

    // Deletes the rows given (model rows), all in one transaction: on an error nothing is deleted,
    // the grid reads the table again and the error is thrown.
    void deleteRows(QList<int> rows);

signals:
    void editRefused(const QString& message);

private:
    bool refuse(const QString& message);
    std::optional<QString> keyTaken(const QVariant& key) const;

    QString m_table;
    TableSchema::Kind m_kind;
    QString m_refusal;
};

// A read-only view of the rows of a statement: the searches, and one roster with its members'
// personnel data. Days are shown as dd/mm/yy.
class BrowserQueryModel : public QSqlQueryModel {
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;

    // Shows the rows of `query` (an open statement); every row is read at once.
    void show(QSqlQuery query);

    QVariant data(const QModelIndex& item, int role = Qt::DisplayRole) const override;
};

// Stores one value typed for one row, as the grid does: the row of `key` in the table, the field
// named `column`. Throws the keeper's message when there is no such row or field, or when the
// value is refused; nothing is then changed.
void StoreTypedValue(const QString& tableOrFileName, const QString& key, const QString& column, const QString& typed);

// When the browser closes: the personnel register is read again, every rank brought to its model
// spelling (a spelling not recognised is put to `choose`, and the answer learned), then the register
// and the rank models are written, the register in one transaction.
NormaliseOutcome RankPassOnClose(const RankChooser& choose);
