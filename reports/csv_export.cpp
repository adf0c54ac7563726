#include "reports/csv_export.h"

#include "datastore/locations.h"
#include "datastore/table_model.h"
#include "platform/firebird_rows.h"
#include "platform/windows1252.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace csv_export {

namespace {

constexpr qsizetype kFlushSize = 1 << 20;

// Dates are read as the engine's text ("2004-02-01 00:00:00.0000") and
// text as the bytes the database holds (Windows-1252), turned into UTF-8
// here, where plain ASCII, nearly all of it, needs no change.
QString selectSql(const schema::Column& column) {
    if (column.type == schema::Type::Date)
        return QStringLiteral("CAST(%1 AS VARCHAR(24)) AS %1").arg(column.name);
    return column.name;
}

QString selectStatement(const schema::Table& table, const Rows& rows) {
    QStringList columns;
    for (const schema::Column& column : table.columns)
        columns << selectSql(column);
    QString statement =
        QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), table.name);
    statement += rows.condition.whereClause();
    if (!rows.orderBy.isEmpty())
        statement += QLatin1Char(' ') + rows.orderBy;
    else if (!table.primaryKey.isEmpty())
        statement += QStringLiteral(" ORDER BY ") + table.primaryKey.join(QStringLiteral(", "));
    return statement;
}

void appendQuoted(QByteArray& record, QByteArrayView text) {
    if (text.indexOf(',') < 0 && text.indexOf('"') < 0 && text.indexOf('\r') < 0 &&
        text.indexOf('\n') < 0) {
        record += text;
        return;
    }
    record += '"';
    for (const char byte : text) {
        if (byte == '"')
            record += '"';
        record += byte;
    }
    record += '"';
}

// Text of plain ASCII that needs no quotes goes in as it is, without a
// copy of its own in UTF-8 first.
void appendField(QByteArray& record, QStringView text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar each) {
        return each.unicode() < 0x80 && each != u',' && each != u'"' && each != u'\r' &&
               each != u'\n';
    });
    if (!plain) {
        appendQuoted(record, text.toUtf8());
        return;
    }
    const qsizetype start = record.size();
    record.resize(start + text.size());
    char* bytes = record.data() + start;
    for (const QChar each : text)
        *bytes++ = static_cast<char>(each.unicode());
}

void appendWindows1252(QByteArray& record, QByteArrayView text) {
    for (const char byte : text)
        if (static_cast<unsigned char>(byte) >= 0x80) {
            appendQuoted(record, windows1252::decode(text.toByteArray()).toUtf8());
            return;
        }
    appendQuoted(record, text);
}

// One value as the file holds it, written straight from the fetched row:
// text without its padding, dates as YYYY-MM-DD and empty when absent,
// whole numbers, amounts with their decimals, memos whole.
void appendField(QByteArray& record, const schema::Column& column, const fb::Row& row, int index) {
    if (row.isNull(index))
        return;
    switch (column.type) {
        case schema::Type::Char:
        case schema::Type::Varchar: {
            QByteArrayView text = row.text(index);
            while (text.endsWith(' '))
                text.chop(1);
            appendWindows1252(record, text);
            return;
        }
        case schema::Type::Date: {
            const QByteArrayView date = row.text(index).first(10);
            if (date != "1901-01-01")
                record += date;
            return;
        }
        case schema::Type::Integer:
            record += QByteArray::number(qlonglong(std::llround(row.number(index))));
            return;
        case schema::Type::Numeric:
            record += column.scale <= 3 ? QByteArray::number(row.number(index), 'f', column.scale)
                                        : QByteArray::number(row.number(index), 'g', 15);
            return;
        case schema::Type::BlobText:
            appendWindows1252(record, row.blob(index));
            return;
    }
}

void flush(whole_file::Writer& file, QByteArray& bytes) {
    file.write(bytes);
    bytes.clear();
}

}  // namespace

template <typename Fields>
void appendFields(QByteArray& file, const Fields& fields) {
    bool first = true;
    for (QStringView field : fields) {
        if (!std::exchange(first, false))
            file += ',';
        appendField(file, field);
    }
    file += "\r\n";
}

QByteArray record(const QStringList& fields) {
    QByteArray bytes;
    appendFields(bytes, fields);
    return bytes;
}

void appendRecord(QByteArray& file, std::initializer_list<QStringView> fields) {
    appendFields(file, fields);
}

Rows rowsShownBy(const TableModel& model) {
    return {{model.filter(), model.filterValues()}, model.orderByClause()};
}

// The rows are read through Firebird's own interface on an attachment of
// their own and written byte by byte: Qt's driver alone takes over a second
// to fetch 60,000 job records.
int exportTable(const QSqlDatabase& connection, const schema::Table& table, const Rows& rows,
                const QString& path, whole_file::Existing existing) {
    whole_file::Writer file(path, existing);
    QByteArray buffer;
    for (const schema::Column& column : table.columns) {
        if (!buffer.isEmpty())
            buffer += ',';
        appendQuoted(buffer, column.name.toUtf8());
    }
    buffer += "\r\n";

    int records = 0;
    fb::forEachRow(connection.databaseName(), databaseAccount(), selectStatement(table, rows),
                   rows.condition.values, [&](const fb::Row& row) {
                       for (int column = 0; column < int(table.columns.size()); ++column) {
                           if (column > 0)
                               buffer += ',';
                           appendField(buffer, table.columns[column], row, column);
                       }
                       buffer += "\r\n";
                       ++records;
                       if (buffer.size() > kFlushSize)
                           flush(file, buffer);
                   });
    flush(file, buffer);
    file.commit();
    return records;
}

}  // namespace csv_export
