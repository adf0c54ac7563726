#include "datastore/field_text.h"

#include "platform/kbx.h"

#include <QDateTime>
#include <QLocale>

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

QVariant dateValue(const schema::Column& column, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(kAbsentText, Qt::CaseInsensitive) == 0)
        return column.absentIsOldDate() ? QVariant(QDateTime(kAbsentDate, QTime(0, 0)))
                                        : QVariant(QMetaType(QMetaType::QDateTime));
    const QDate date = kbx::parse_short_date(trimmed);
    return date.isValid() ? QVariant(QDateTime(date, QTime(0, 0))) : QVariant();
}

QVariant numberValue(const schema::Column& column, const QString& text) {
    if (text.trimmed().isEmpty())
        return QVariant(
            QMetaType(column.type == schema::Type::Integer ? QMetaType::Int : QMetaType::Double));
    const std::optional<double> number = parseNumber(text);
    if (!number)
        return QVariant();
    if (column.type == schema::Type::Integer)
        return QVariant(static_cast<int>(*number));
    return QVariant(*number);
}

}  // namespace

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (ok)
        return number;
    return std::nullopt;
}

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
            return QString::fromUtf8(value.toByteArray());
    }
    return value.toString();
}

QVariant toValue(const schema::Column& column, const QString& text) {
    switch (column.type) {
        case schema::Type::Date:
            return dateValue(column, text);
        case schema::Type::Integer:
        case schema::Type::Numeric:
            return numberValue(column, text);
        case schema::Type::Char:
        case schema::Type::Varchar:
        case schema::Type::BlobText:
            return text;
    }
    return text;
}

}  // namespace field_text
