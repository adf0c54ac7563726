#include "datastore/field_text.h"

#include "platform/kbx.h"
#include "platform/windows1252.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace field_text {
namespace {

bool isAbsentDate(const QVariant& value) {
    return !value.isNull() && value.toDateTime().date() == kAbsentDate;
}

QString withoutPadding(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString dateText(const QVariant& value) {
    if (value.isNull())
        return QString();
    if (isAbsentDate(value))
        return kAbsentText;
    return kbx::short_date_text(value.toDateTime().date());
}

bool isEmptyDate(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || trimmed.compare(kAbsentText, Qt::CaseInsensitive) == 0;
}

QVariant dateValue(const schema::Column& column, const QString& text) {
    if (isEmptyDate(text))
        return column.absentIsOldDate() ? QVariant(QDateTime(kAbsentDate, QTime(0, 0)))
                                        : QVariant(QMetaType(QMetaType::QDateTime));
    return QDateTime(kbx::parse_short_date(text), QTime(0, 0));
}

// A number is typed with a decimal point, or with the language's decimal
// comma where it has one, and never with group separators, so that "1,200"
// is never read as 1200 by one user and meant as 1.2 by another.
struct TypedNumber {
    std::optional<double> number;
    QString refusal;  // why there is none
};

// Where a point groups thousands, "1.250" may be meant either way.
bool looksGrouped(const QString& text) {
    static const QRegularExpression grouped(QStringLiteral("^[+-]?[1-9][0-9]{0,2}(\\.[0-9]{3})+$"));
    return QLocale().groupSeparator() == QStringLiteral(".") && grouped.match(text).hasMatch();
}

TypedNumber readNumber(const QString& typed) {
    QString text = typed.trimmed();
    if (looksGrouped(text))
        return {std::nullopt,
                QStringLiteral("is unclear where a point groups thousands: write %1 without the "
                               "point, or %2 with the decimal comma")
                    .arg(QString(text).remove(QLatin1Char('.')),
                         QString(text).replace(QLatin1Char('.'), QLatin1Char(',')))};
    if (QLocale().decimalPoint() == QStringLiteral(",") && !text.contains(QLatin1Char('.')))
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = numbers.toDouble(text, &ok);
    if (ok && std::isfinite(number))
        return {number, QString()};
    return {std::nullopt, QStringLiteral("is not a number")};
}

// The number a NUMERIC column keeps: amounts (up to three decimals) exactly
// to their scale, so that what is shown is what is stored.
double keptNumber(const schema::Column& column, double number) {
    if (column.scale > 3)
        return number;
    const double unit = std::pow(10.0, column.scale);
    return std::round(number * unit) / unit;
}

QString numberRefusal(const schema::Column& column, double number) {
    if (column.type == schema::Type::Integer) {
        if (number != std::trunc(number))
            return QStringLiteral("is not a whole number");
        if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return QStringLiteral("is too large");
        return QString();
    }
    if (column.scale <= 3 &&
        std::abs(keptNumber(column, number) - number) > 1e-9 * std::max(1.0, std::abs(number)))
        return QStringLiteral("has more than %1 decimals").arg(column.scale);
    const int integerDigits = column.size - column.scale;
    if (std::abs(keptNumber(column, number)) >= std::pow(10.0, integerDigits))
        return QStringLiteral("is too large: at most %1 digits before the point")
            .arg(integerDigits);
    return QString();
}

QVariant numberValue(const schema::Column& column, const QString& text) {
    if (text.trimmed().isEmpty())
        return QVariant(
            QMetaType(column.type == schema::Type::Integer ? QMetaType::Int : QMetaType::Double));
    const double number = *readNumber(text).number;
    if (column.type == schema::Type::Integer)
        return QVariant(static_cast<int>(number));
    return QVariant(keptNumber(column, number));
}

}  // namespace

QString fromValue(const schema::Column& column, const QVariant& value) {
    switch (column.type) {
        case schema::Type::Char:
        case schema::Type::Varchar:
            return withoutPadding(value.toString());
        case schema::Type::Date:
            return dateText(value);
        case schema::Type::Integer:
            return value.isNull() ? QString() : QString::number(value.toInt());
        case schema::Type::Numeric:
            if (value.isNull())
                return QString();
            return column.scale <= 3 ? QString::number(value.toDouble(), 'f', column.scale)
                                     : QString::number(value.toDouble(), 'g', 15);
        case schema::Type::BlobText:
            return windows1252::decode(value.toByteArray());
    }
    return value.toString();
}

QString refusal(const schema::Column& column, const QString& text) {
    switch (column.type) {
        case schema::Type::Date:
            if (isEmptyDate(text) || kbx::parse_short_date(text).isValid())
                return QString();
            return QStringLiteral("is not a date like %1")
                .arg(kbx::short_date_text(QDate(2004, 2, 1)));
        case schema::Type::Integer:
        case schema::Type::Numeric: {
            if (text.trimmed().isEmpty())
                return QString();
            const TypedNumber typed = readNumber(text);
            return typed.number ? numberRefusal(column, *typed.number) : typed.refusal;
        }
        case schema::Type::Char:
        case schema::Type::Varchar:
        case schema::Type::BlobText: {
            const QString unstorable = windows1252::firstUnstorable(text);
            if (unstorable.isEmpty())
                return QString();
            return QStringLiteral("holds %1, a character that cannot be stored").arg(unstorable);
        }
    }
    return QString();
}

QVariant toValue(const schema::Column& column, const QString& text) {
    if (!refusal(column, text).isEmpty())
        return QVariant();
    switch (column.type) {
        case schema::Type::Date:
            return dateValue(column, text);
        case schema::Type::Integer:
        case schema::Type::Numeric:
            return numberValue(column, text);
        case schema::Type::BlobText:
            return *windows1252::encode(text);
        case schema::Type::Char:
        case schema::Type::Varchar:
            return text;
    }
    return text;
}

}  // namespace field_text
