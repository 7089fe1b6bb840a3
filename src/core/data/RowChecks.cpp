#include "RowChecks.h"

#include "Capacities.h"
#include "Dates.h"

#include <climits>
#include <cmath>
#include <vector>

namespace RowChecks {

namespace {

// What a column must hold.
struct Rule {
    enum Check { Key, Text, Day, Whole, Code, Choice, DayList, Free };
    const char* column;
    Check check;
    bool required = false;     // an empty value is refused
    int width = 0;             // Key, Text: the most characters the record holds
    qint64 min = INT_MIN;      // Whole
    qint64 max = INT_MAX;
    QStringList choices = {};  // Choice: the values besides the empty one
};

const std::vector<Rule>& rulesOf(TableSchema::Kind kind)
{
    using K = TableSchema::Kind;
    // A soldier number is the key of the register and of every roster: lists of numbers are split
    // at blanks, so a number with a blank could never be found again. "x", the deleted mark, is
    // kept: the next save drops its row.
    static const std::vector<Rule> personnel{
        {"Num", Rule::Key, true, Width::Num},
        {"Nome", Rule::Text, false, Width::Nome},
        {"PstGrd", Rule::Text, false, Width::PstGrd},
        {"PR", Rule::Choice, false, 0, 0, 0, {"P", "R"}},
        {"Ini", Rule::Day},
        {"Fim", Rule::Day},
        {"USv", Rule::DayList},
    };
    // A service without a last day or a quantity would never be rostered, without a word.
    static const std::vector<Rule> services{
        {"CodSv", Rule::Code, true},
        {"Descr", Rule::Text, true, Width::Descr},
        {"Ini", Rule::Day},
        {"Fim", Rule::Day, true},
        {"Quant", Rule::Whole, true, 0, 0, INT_MAX},
        {"Prio", Rule::Whole, true},
        {"Folga", Rule::Free},
    };
    // An empty count is read as 0.
    static const std::vector<Rule> roster{
        {"Num", Rule::Key, true, Width::Num},
        {"Pt", Rule::Whole},
        {"Vm", Rule::Whole},
    };
    // The records in use end at the first empty Descr: an empty one would hide the records after it.
    static const std::vector<Rule> history{
        {"Dia", Rule::Day, true},
        {"CodSv", Rule::Code, true},
        {"Descr", Rule::Text, true, Width::Descr},
        {"Num", Rule::Text, true, Width::HistNum},
        {"PtVm", Rule::Choice, false, 0, 0, 0, {"Pt", "Vm"}},
    };
    switch (kind) {
    case K::Personnel:
        return personnel;
    case K::Services:
        return services;
    case K::Roster:
        return roster;
    case K::History:
        return history;
    }
    return personnel;
}

// A value as the checks see it.
struct Seen {
    enum Form { Empty, Text, Integer, Real, Bytes } form = Empty;
    QString text;
    qint64 integer = 0;
    double real = 0;
    qsizetype bytes = 0;
};

Seen see(const QVariant& value)
{
    Seen s;
    if (!value.isValid() || value.isNull())
        return s;
    // The forms every row is made of are read in place; the others through QVariant's conversions.
    switch (value.typeId()) {
    case QMetaType::QString:
        s.text = *static_cast<const QString*>(value.constData());
        s.form = s.text.isEmpty() ? Seen::Empty : Seen::Text;
        return s;
    case QMetaType::Int:
        s.form = Seen::Integer;
        s.integer = *static_cast<const int*>(value.constData());
        return s;
    case QMetaType::LongLong:
        s.form = Seen::Integer;
        s.integer = *static_cast<const qlonglong*>(value.constData());
        return s;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        s.form = Seen::Integer;
        s.integer = value.toLongLong();
        return s;
    case QMetaType::Double:
    case QMetaType::Float:
        s.form = Seen::Real;
        s.real = value.toDouble();
        return s;
    case QMetaType::QByteArray:
        s.form = Seen::Bytes;
        s.bytes = value.toByteArray().size();
        return s;
    default:
        s.text = value.toString();
        s.form = s.text.isEmpty() ? Seen::Empty : Seen::Text;
        return s;
    }
}

const QString NotWhole = QStringLiteral("não é um número inteiro");
const QString Empty = QStringLiteral("não pode ficar vazio");

// A text of a whole number: an optional sign, then digits only.
bool wholeText(const QString& text, qint64& value)
{
    const qsizetype size = text.size();
    const QChar* c = text.constData();
    const bool negative = size > 0 && c[0] == QLatin1Char('-');
    const qsizetype start = negative || (size > 0 && c[0] == QLatin1Char('+')) ? 1 : 0;
    if (start == size)
        return false;
    // The digits read as they come; more digits than any count is out of range, not "no number".
    constexpr quint64 limit = quint64(LLONG_MAX) + 1;   // the size of the most negative count
    quint64 magnitude = 0;
    bool over = false;
    for (qsizetype i = start; i < size; ++i) {
        const char16_t d = c[i].unicode();
        if (d < u'0' || d > u'9')
            return false;
        const unsigned digit = d - u'0';
        if (magnitude > (limit - digit) / 10)
            over = true;
        else if (!over)
            magnitude = magnitude * 10 + digit;
    }
    if (negative)
        value = over ? LLONG_MIN : magnitude == limit ? LLONG_MIN : -qint64(magnitude);
    else
        value = over || magnitude == limit ? LLONG_MAX : qint64(magnitude);
    return true;
}

std::optional<QString> wholeProblem(const Rule& rule, const Seen& s)
{
    qint64 value = 0;
    switch (s.form) {
    case Seen::Empty:
        return rule.required ? std::optional<QString>(Empty) : std::nullopt;
    case Seen::Integer:
        value = s.integer;
        break;
    case Seen::Real:
        // A whole real (2.0) keeps its value when written back; 2.7 would be rounded.
        if (!std::isfinite(s.real) || s.real != std::trunc(s.real) || std::fabs(s.real) > 9.0e18)
            return NotWhole;
        value = qint64(s.real);
        break;
    case Seen::Text:
        if (!wholeText(s.text, value))
            return NotWhole;
        break;
    case Seen::Bytes:
        return NotWhole;
    }
    if (rule.check == Rule::Code && (value < 1 || value > Capacity::Services))
        return QStringLiteral("não é um código de serviço de 1 a %1").arg(Capacity::Services);
    if (rule.min == 0 && value < 0)
        return QStringLiteral("é negativo");
    if (value < rule.min || value > rule.max)
        return QStringLiteral("está fora dos limites de um número inteiro");
    return std::nullopt;
}

bool storedDay(const QString& text)
{
    return Dates::toStorage(Dates::fromStorage(text)) == text;
}

// Days dd/mm/yy, each followed by one blank (the last one may lack it), at most ten.
bool dayList(const QString& text)
{
    QStringList tokens = text.split(QLatin1Char(' '));
    if (text.endsWith(QLatin1Char(' ')))
        tokens.removeLast();
    if (tokens.size() > Capacity::ServiceDays)
        return false;
    for (const QString& token : tokens) {
        if (token.isEmpty() || !Dates::parse(token))
            return false;
    }
    return true;
}

std::optional<QString> textProblem(const Rule& rule, const Seen& s)
{
    if (s.form == Seen::Bytes)
        return QStringLiteral("é um valor binário, não um texto");
    if (s.form == Seen::Empty)
        return rule.required ? std::optional<QString>(Empty) : std::nullopt;
    const QString text = s.form == Seen::Text ? s.text
                         : s.form == Seen::Integer ? QString::number(s.integer)
                                                   : QString::number(s.real);
    if (text.size() > rule.width)
        return QStringLiteral("tem mais de %1 caracteres").arg(rule.width);
    for (const QChar c : text) {
        // Bytes written outside the program that are no UTF-8 come back from the engine as
        // replacement or control characters; the next save would store those in their place.
        if (c == QChar::ReplacementCharacter || (c.unicode() >= 0x80 && c.unicode() <= 0x9F))
            return QStringLiteral("tem caracteres ilegíveis (bytes que não formam texto UTF-8)");
        if (rule.check == Rule::Key && c.isSpace())
            return QStringLiteral("tem espaços em branco");
    }
    return std::nullopt;
}

std::optional<QString> check(const Rule& rule, const QVariant& value)
{
    const Seen s = see(value);
    switch (rule.check) {
    case Rule::Free:
        return std::nullopt;
    case Rule::Key:
    case Rule::Text:
        return textProblem(rule, s);
    case Rule::Whole:
    case Rule::Code:
        return wholeProblem(rule, s);
    case Rule::Day:
        if (s.form == Seen::Empty)
            return rule.required ? std::optional<QString>(Empty) : std::nullopt;
        if (s.form != Seen::Text || !storedDay(s.text))
            return QStringLiteral("não é um dia válido");
        return std::nullopt;
    case Rule::Choice:
        if (s.form == Seen::Empty || (s.form == Seen::Text && rule.choices.contains(s.text)))
            return std::nullopt;
        return QStringLiteral("não é \"%1\" nem vazio").arg(rule.choices.join(QStringLiteral("\", \"")));
    case Rule::DayList:
        if (s.form == Seen::Empty || (s.form == Seen::Text && dayList(s.text)))
            return std::nullopt;
        return QStringLiteral("não é uma lista de até %1 dias dd/mm/aa separados por um espaço")
            .arg(Capacity::ServiceDays);
    }
    return std::nullopt;
}

// A key as the keeper reads it: plain when it is a plain number or word, else between quotes.
QString keyText(const QVariant& value)
{
    const Seen s = see(value);
    switch (s.form) {
    case Seen::Integer:
        return QString::number(s.integer);
    case Seen::Text:
        for (const QChar c : s.text) {
            if (c.isSpace() || c == QLatin1Char('"'))
                return QLatin1Char('"') + s.text + QLatin1Char('"');
        }
        return s.text;
    case Seen::Real:
        return QLatin1Char('"') + QString::number(s.real) + QLatin1Char('"');
    case Seen::Bytes:
        return QStringLiteral("binário");
    case Seen::Empty:
        break;
    }
    return QStringLiteral("\"\"");
}

QString shownValue(const QVariant& value)
{
    const Seen s = see(value);
    QString text;
    switch (s.form) {
    case Seen::Bytes:
        return QStringLiteral("o valor binário de %1 bytes").arg(s.bytes);
    case Seen::Integer:
        text = QString::number(s.integer);
        break;
    case Seen::Real:
        text = QString::number(s.real, 'g', 15);
        break;
    case Seen::Text:
        // A very long value is shown by its start; it is still refused whole.
        text = s.text.size() > 130 ? s.text.left(130) + QStringLiteral("…") : s.text;
        break;
    case Seen::Empty:
        break;
    }
    return QStringLiteral("o valor \"%1\"").arg(text);
}

}

std::optional<QString> problem(TableSchema::Kind kind, const QString& column, const QVariant& value)
{
    for (const Rule& rule : rulesOf(kind)) {
        // Names of another length never match: the costly comparison is left for the one that may.
        const QLatin1String name(rule.column);
        if (column.size() == name.size() && column.compare(name, Qt::CaseInsensitive) == 0)
            return check(rule, value);
    }
    return std::nullopt;
}

QString rowName(TableSchema::Kind kind, const QVariantList& row)
{
    const QVariant first = row.value(0);
    switch (kind) {
    case TableSchema::Kind::Personnel:
    case TableSchema::Kind::Roster:
        if (see(first).form == Seen::Empty)
            return QStringLiteral("no militar sem número");
        return QStringLiteral("no militar ") + keyText(first);
    case TableSchema::Kind::Services:
        return QStringLiteral("no serviço ") + keyText(first);
    case TableSchema::Kind::History: {
        const Seen day = see(first);
        const QString dayText = day.form == Seen::Text && storedDay(day.text)
                                    ? Dates::show(Dates::fromStorage(day.text))
                                    : QLatin1Char('"') + day.text + QLatin1Char('"');
        return QStringLiteral("no dia %1, serviço %2").arg(dayText, keyText(row.value(1)));
    }
    }
    return QString();
}

std::optional<QString> widthRefusal(const QString& field, const QString& text, int width)
{
    if (text.size() <= width)
        return std::nullopt;
    return QStringLiteral("%1 \"%2\" tem %3 caracteres; o Sistema guarda no máximo %4. Nada foi alterado.")
        .arg(field, text)
        .arg(text.size())
        .arg(width);
}

QString refusal(const QString& table, const QString& row, const QString& column, const QVariant& value,
                const QString& problem)
{
    return QStringLiteral("A tabela %1, %2, tem na coluna %3 %4, que %5. Nada foi alterado.")
        .arg(table, row, column, shownValue(value), problem);
}

std::optional<QString> checkRow(const QString& table, TableSchema::Kind kind, const QVariantList& row)
{
    const std::vector<Rule>& rules = rulesOf(kind);
    const qsizetype columns = std::min<qsizetype>(row.size(), qsizetype(rules.size()));
    for (qsizetype i = 0; i < columns; ++i) {
        if (const std::optional<QString> why = check(rules[i], row.at(i)))
            return refusal(table, rowName(kind, row), QLatin1String(rules[i].column), row.at(i), *why);
    }
    return std::nullopt;
}

}
