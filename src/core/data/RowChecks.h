#pragma once
// What a value must be to stand in a column of the tables, so that the model can hold it and write
// it back unchanged. The loaders check every row before the model is touched, the writers every row
// before it is stored; the table browser checks a typed value with the same rules.

#include "TableSchema.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace RowChecks {

// Why `value` cannot stand in `column` of a table of this kind, as the end of a sentence
// ("não é um número inteiro"), or nothing when it can. A value is as the engine gives it back
// (text, whole or real number, bytes, null) or as typed (text); days are in their stored form
// yyyy-MM-dd. A column no operation reads (Folga) accepts anything.
std::optional<QString> problem(TableSchema::Kind kind, const QString& column, const QVariant& value);

// The row named by its key: "no militar 7", "no serviço 3", "no dia 02/03/04, serviço 3".
// `row` holds the values in the table's column order.
QString rowName(TableSchema::Kind kind, const QVariantList& row);

// The keeper's message: A tabela Sv3, no militar 7, tem na coluna Pt o valor "abc", que não é um
// número inteiro. Nada foi alterado.
QString refusal(const QString& table, const QString& row, const QString& column, const QVariant& value,
                const QString& problem);

// The refusal of a typed text longer than the field that stores it, naming the limit, or nothing
// when it fits: "O Nome "..." tem 17 caracteres; o Sistema guarda no máximo 15. Nada foi alterado."
// `field` is the field as the keeper knows it, with its article ("O Nome", "A Descrição").
std::optional<QString> widthRefusal(const QString& field, const QString& text, int width);

// The message for the first value of `row` that cannot stand, or nothing when every one can.
// `table` names the table as the keeper reads it ("Sv3", "Basico da cópia de segurança").
std::optional<QString> checkRow(const QString& table, TableSchema::Kind kind, const QVariantList& row);

}
