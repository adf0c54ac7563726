#pragma once

#include "datastore/schema.h"

#include <QDate>
#include <QString>
#include <QVariant>

// How the forms show a column's value as text and read typed text back.
namespace field_text {

// The date that stands for "no date" in the payment table.
inline const QDate kAbsentDate(1901, 1, 1);
// How an absent date is shown.
inline const QString kAbsentText = QStringLiteral("N/A");

// Dates in the short date format ("N/A" for the absent date, empty for
// null), text without its padding blanks, amounts with their decimals
// after a point in every language, as the reports print them.
QString fromValue(const schema::Column& column, const QVariant& value);

// Why the column cannot take the text ("is not a date", "has more than 2
// decimals", a character Windows-1252 cannot hold), or an empty text when
// it can. A number takes a decimal point, or the language's decimal comma;
// where a point groups thousands, "1.250" could mean either and is refused.
QString refusal(const schema::Column& column, const QString& text);

// The value to store for a text, or an invalid QVariant when the column
// refuses it. Empty text stores null, or the absent date where that is the
// column's absent value.
QVariant toValue(const schema::Column& column, const QString& text);

}  // namespace field_text
