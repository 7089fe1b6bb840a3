#include "TableBrowser.h"

#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/RowChecks.h"
#include "data/ReadMarks.h"
#include "data/SqlTransaction.h"
#include "audit/CountLog.h"
#include "data/UDMGeral.h"

#include <QDir>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>

namespace {

QString databaseFile()
{
    return QDir(TDMGeral::instance().aliasFolder(Alias::Ravelha)).filePath(QLatin1String(TDMGeral::DatabaseFileName));
}

bool onServer()
{
    return TDMGeral::instance().onServer(Alias::Ravelha);
}

QString engineMessage(const QString& table, const QSqlError& error)
{
    if (onServer())
        return EngineErrorMessage(TDMGeral::instance().database(Alias::Ravelha), table, error);
    return EngineErrorMessage(databaseFile(), table, error);
}

// The column titles as the tables name their fields. A server folds the names it was given
// unquoted to lower case ("num"); the grid and the command line show them as the tables name
// them ("Num") on either engine.
QString fieldTitle(const QString& field)
{
    static const QStringList known = [] {
        QStringList names;
        for (TableSchema::Kind kind : {TableSchema::Kind::Personnel, TableSchema::Kind::Services,
                                       TableSchema::Kind::Roster, TableSchema::Kind::History})
            names << TableSchema::columns(kind);
        return names;
    }();
    for (const QString& name : known) {
        if (name.compare(field, Qt::CaseInsensitive) == 0)
            return name;
    }
    return field;
}

void titleColumns(QAbstractItemModel& model, const QSqlRecord& fields)
{
    if (!onServer())
        return;   // a data folder's tables give their fields' own names
    for (int column = 0; column < fields.count(); ++column)
        model.setHeaderData(column, Qt::Horizontal, fieldTitle(fields.fieldName(column)));
}

bool isWholeField(TableSchema::Kind kind, const QString& column)
{
    static const QStringList roster{"Pt", "Vm"};
    static const QStringList services{"CodSv", "Quant", "Prio"};
    if (kind == TableSchema::Kind::Roster)
        return roster.contains(column, Qt::CaseInsensitive);
    if (kind == TableSchema::Kind::Services)
        return services.contains(column, Qt::CaseInsensitive);
    return false;
}

// The rows an edit of a working roster's row leaves in the log of counts: a changed Pt or Vm, or,
// when the number changed, both counts of the number the row now lists.
QList<CountLog::Row> editedCounts(const QString& table, TableSchema::Kind kind, const QVariantList& before,
                                  const QVariantList& after)
{
    static const QRegularExpression working(QStringLiteral("^Sv([1-9][0-9]?)$"));
    const QRegularExpressionMatch match = working.match(table);
    if (kind != TableSchema::Kind::Roster || !match.hasMatch() || before.size() < 3 || after.size() < 3)
        return {};
    const int code = match.captured(1).toInt();
    const QString num = after.at(0).toString();
    const bool renumbered = before.at(0).toString() != num;
    QList<CountLog::Row> rows;
    const QStringList kinds{CountLog::Black, CountLog::Red};
    for (int k = 0; k < 2; ++k) {
        const int was = renumbered ? 0 : CountLog::cellCount(before.at(k + 1).toString());
        const int now = CountLog::cellCount(after.at(k + 1).toString());
        if (renumbered || was != now)
            rows << CountLog::valueRow(code, num, kinds.at(k), was, now, CountLog::Operation::Edit);
    }
    return rows;
}

QVariant emptyValue()
{
    return QVariant(QMetaType(QMetaType::QString));
}

// A typed text in the form the table keeps: days as yyyy-MM-dd, counts and codes as numbers, an
// empty day or count as an empty column. A text that is not what its column holds is left as typed,
// so that the checks refuse it by its own words.
QVariant storedForm(TableSchema::Kind kind, const QString& column, const QVariant& typed)
{
    if (typed.typeId() != QMetaType::QString)
        return typed;
    const QString text = typed.toString();
    const QString trimmed = text.trimmed();
    if (IsDayField(column)) {
        if (trimmed.isEmpty())
            return emptyValue();
        if (const std::optional<QDate> day = Dates::parse(trimmed))
            return Dates::toStorage(*day);
        return text;
    }
    if (isWholeField(kind, column)) {
        if (trimmed.isEmpty())
            return emptyValue();
        bool ok = false;
        const qlonglong value = trimmed.toLongLong(&ok);
        return ok ? QVariant(value) : QVariant(text);
    }
    if (kind == TableSchema::Kind::Services && column.compare(QLatin1String("Folga"), Qt::CaseInsensitive) == 0) {
        if (trimmed.isEmpty())
            return emptyValue();
        bool ok = false;
        const qlonglong whole = trimmed.toLongLong(&ok);
        if (ok)
            return whole;
        const double real = trimmed.toDouble(&ok);
        return ok ? QVariant(real) : QVariant(text);
    }
    return text;
}

bool sameKey(TableSchema::Kind kind, const QVariant& a, const QVariant& b)
{
    if (kind == TableSchema::Kind::Services) {
        bool okA = false;
        bool okB = false;
        const qlonglong x = a.toString().trimmed().toLongLong(&okA);
        const qlonglong y = b.toString().trimmed().toLongLong(&okB);
        if (okA && okB)
            return x == y;
    }
    return a.toString() == b.toString();
}

}

QSqlQuery SearchPersonnel(PersonnelSearch search, const QString& typed)
{
    TDMGeral& module = TDMGeral::instance();
    switch (search) {
    case PersonnelSearch::ByNumber:
        return module.selectBasicoByNum(typed);
    case PersonnelSearch::ByName:
        return module.selectBasicoByName(typed);
    case PersonnelSearch::Planned:
        return module.selectBasicoByAbsenceKind(QStringLiteral("P"));
    case PersonnelSearch::Real:
        return module.selectBasicoByAbsenceKind(QStringLiteral("R"));
    case PersonnelSearch::PlannedOrReal:
        return module.selectBasicoWithAbsence();
    case PersonnelSearch::All:
        break;
    }
    return module.selectAllBasico();
}

std::optional<int> ShownService(const ServiceList& services)
{
    for (int code = 1; code <= Capacity::Services; ++code) {
        const ServiceRecord& service = services[size_t(code)];
        if (!service.Descr.isEmpty() && service.Marca == QStringLiteral("S"))
            return code;
    }
    return std::nullopt;
}

bool IsDayField(const QString& field)
{
    static const QStringList days{"Ini", "Fim", "Fora Escala de", "Fora Escala ate"};
    return days.contains(field, Qt::CaseInsensitive);
}

QVariant ShownValue(const QString& field, const QVariant& value)
{
    if (!IsDayField(field) || value.typeId() != QMetaType::QString)
        return value;
    const QString text = value.toString();
    const QDate day = Dates::fromStorage(text);
    if (day.isValid() && Dates::toStorage(day) == text)
        return Dates::show(day);
    return value;
}

// --- the editable table ---

BrowserTableModel::BrowserTableModel(const QString& tableOrFileName, QObject* parent)
    : QSqlTableModel(parent, TDMGeral::instance().database(Alias::Ravelha))
{
    const TableSchema::Table table = TableSchema::tableOf(tableOrFileName);
    if (table.kind == TableSchema::Kind::History)
        throw CoreError(QStringLiteral("A tabela %1 não é mostrada pelo editor de tabelas.").arg(table.name));
    m_table = table.name;
    m_kind = table.kind;
    // A server keeps the tables under the lower-case form of their names, and the model quotes the
    // name it is given; a data folder's file takes either.
    setTable(onServer() ? m_table.toLower() : m_table);
    titleColumns(*this, record());
    setEditStrategy(QSqlTableModel::OnFieldChange);
    setSort(0, Qt::AscendingOrder);
}

void BrowserTableModel::refresh()
{
    if (!select())
        throw CoreError(engineMessage(m_table, lastError()));
    while (canFetchMore())
        fetchMore();
}

QVariant BrowserTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const QString field = record().fieldName(index.column());
    if (role == Qt::DisplayRole)
        return ShownValue(field, QSqlTableModel::data(index, role));
    if (role == Qt::TextAlignmentRole && m_kind == TableSchema::Kind::Services
        && field.compare(QLatin1String("Folga"), Qt::CaseInsensitive) == 0)
        return QVariant(Qt::AlignCenter);
    return QSqlTableModel::data(index, role);
}

bool BrowserTableModel::refuse(const QString& message)
{
    m_refusal = message;
    emit editRefused(message);
    return false;
}

std::optional<QString> BrowserTableModel::keyTaken(const QVariant& key) const
{
    const QString keyColumn = TableSchema::columns(m_kind).first();
    QSqlQuery query(database());
    if (!query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(m_table, keyColumn)))
        throw CoreError(engineMessage(m_table, query.lastError()));
    query.addBindValue(key);
    if (!query.exec() || !query.next())
        throw CoreError(engineMessage(m_table, query.lastError()));
    if (query.value(0).toInt() == 0)
        return std::nullopt;
    return m_kind == TableSchema::Kind::Services ? QStringLiteral("já é o código de outro serviço da tabela")
                                                 : QStringLiteral("já é o número de outro militar da tabela");
}

bool BrowserTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole)
        return QSqlTableModel::setData(index, value, role);
    m_refusal.clear();
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return false;

    const QStringList columns = TableSchema::columns(m_kind);
    const QString field = record().fieldName(index.column());
    // The field as the table's columns name it: a server gives the names in lower case.
    qsizetype position = -1;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(field, Qt::CaseInsensitive) == 0)
            position = i;
    }
    // The row as stored (the edit role gives the stored values; the display role shows days).
    QVariantList before;
    for (const QString& column : columns)
        before << QSqlTableModel::data(this->index(index.row(), record().indexOf(column)), Qt::EditRole);
    const QVariant stored = storedForm(m_kind, field, value);
    QVariantList after = before;
    if (position >= 0)
        after[position] = stored;

    // The whole row as it would stand: a row the loaders would refuse is never stored.
    if (const std::optional<QString> refusal = RowChecks::checkRow(m_table, m_kind, after))
        return refuse(*refusal);
    try {
        if (position == 0 && !sameKey(m_kind, before.first(), stored)) {
            if (const std::optional<QString> taken = keyTaken(stored))
                return refuse(RowChecks::refusal(m_table, RowChecks::rowName(m_kind, before), columns.first(), stored,
                                                 *taken));
        }
        SqlTransaction transaction(database());
        if (!QSqlTableModel::setData(index, stored, role)) {
            const QSqlError error = lastError();
            revertAll();
            return refuse(engineMessage(m_table, error));
        }
        CountLog::Append(database(), editedCounts(m_table, m_kind, before, after));
        // One row changed here: the desk's model of the table is no longer what it read.
        ReadMarks::forget(database().connectionName(), m_table);
        transaction.commit();
    } catch (const CoreError& e) {
        revertAll();
        return refuse(e.message());
    }
    return true;
}

int BrowserTableModel::rowOfKey(const QString& key) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (sameKey(m_kind, QSqlTableModel::data(index(row, 0)), key))
            return row;
    }
    return -1;
}

int BrowserTableModel::columnOf(const QString& field) const
{
    const QSqlRecord fields = record();
    for (int column = 0; column < fields.count(); ++column) {
        if (fields.fieldName(column).compare(field, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

void BrowserTableModel::deleteRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    try {
        SqlTransaction transaction(database());
        for (int row : rows) {
            if (row < 0 || row >= rowCount())
                continue;
            if (!removeRow(row))
                throw CoreError(engineMessage(m_table, lastError()));
        }
        ReadMarks::forget(database().connectionName(), m_table);
        transaction.commit();
    } catch (const CoreError&) {
        revertAll();
        refresh();
        throw;
    }
    refresh();
}

// --- the read-only views ---

void BrowserQueryModel::show(QSqlQuery query)
{
    setQuery(std::move(query));
    if (lastError().isValid())
        throw CoreError(engineMessage(QString(), lastError()));
    titleColumns(*this, record());
    while (canFetchMore())
        fetchMore();
}

QVariant BrowserQueryModel::data(const QModelIndex& item, int role) const
{
    if (role == Qt::DisplayRole && item.isValid())
        return ShownValue(record().fieldName(item.column()), QSqlQueryModel::data(item, role));
    return QSqlQueryModel::data(item, role);
}

// --- the command line's way in, and the closing pass ---

void StoreTypedValue(const QString& tableOrFileName, const QString& key, const QString& column, const QString& typed)
{
    BrowserTableModel model(tableOrFileName);
    model.refresh();
    const int row = model.rowOfKey(key);
    if (row < 0) {
        if (model.kind() == TableSchema::Kind::Services)
            throw CoreError(QStringLiteral("A tabela %1 não tem o serviço %2. Nada foi alterado.").arg(model.table(), key));
        throw CoreError(QStringLiteral("A tabela %1 não tem o militar %2. Nada foi alterado.").arg(model.table(), key));
    }
    const int field = model.columnOf(column);
    if (field < 0)
        throw CoreError(QStringLiteral("A tabela %1 não tem a coluna %2 (colunas: %3). Nada foi alterado.")
                            .arg(model.table(), column, TableSchema::columns(model.kind()).join(QStringLiteral(", "))));
    if (!model.setData(model.index(row, field), typed))
        throw CoreError(model.lastRefusal());
}

NormaliseOutcome RankPassOnClose(const RankChooser& choose)
{
    LoadSoldiers();
    RankModelGrid grid = LoadRankModels();
    const NormaliseOutcome outcome = NormaliseRanks(grid, Global().SoldierTable, choose);
    // The register first: a rank file that cannot be written leaves it as it was.
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    SaveSoldiers();
    SaveRankModels(grid);
    transaction.commit();
    return outcome;
}
