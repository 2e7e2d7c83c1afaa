#pragma once

#include <QString>
#include <QVariant>

namespace store {

// The kind of a field, from its declared SQLite type.
enum class FieldKind { Any, Integer, Real, Text, Date };

FieldKind fieldKindOf(const QString &declaredType);

// A value written into a field, converted the way the Jet engine converts
// it: a text into a number ("12", "１２", " 3 ") or a date ("2024/4/1",
// "2024-04-01"); an empty text into Null; a number into a text. Raises
// store::Error ("型が一致しません") for a text that does not convert.
QVariant toFieldValue(const QVariant &value, FieldKind kind, const QString &fieldName);

// A stored value as the program reads it: dates as QDate, integers as
// qlonglong, reals as double, texts as QString.
QVariant fromStoredValue(const QVariant &stored, FieldKind kind);

} // namespace store
