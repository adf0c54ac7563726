#pragma once

#include "datastore/schema.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

// A row of a table as a value of the program's own types, one member per
// column: text without the blanks that pad it (a null text is NULL), dates
// with absent as a state of their own, amounts in cents, numbers that may
// be missing. Rows are read and written with bound parameters, their text
// as Windows-1252 cut to the column's width, as the table models do.
namespace record_columns {

// A member's value as the table models hold it. Text Windows-1252 cannot
// hold is refused with a DatabaseError naming the column.
QVariant valueOf(const schema::Column& column, const QString& text);
QVariant valueOf(const schema::Column& column, const std::optional<QDate>& date);
QVariant valueOf(const schema::Column& column, qint64 cents);
QVariant valueOf(const schema::Column& column, int number);
QVariant valueOf(const schema::Column& column, const std::optional<double>& number);

// A member from the value a column holds, as read or as a table model holds it.
void read(const schema::Column& column, const QVariant& value, QString& text);
void read(const schema::Column& column, const QVariant& value, std::optional<QDate>& date);
void read(const schema::Column& column, const QVariant& value, qint64& cents);
void read(const schema::Column& column, const QVariant& value, int& number);
void read(const schema::Column& column, const QVariant& value, std::optional<double>& number);

// The values of the row whose primary key holds `key`, in the order of the
// table's columns, read in a short transaction of its own; nothing when no
// row has that key. Throws DatabaseError.
std::optional<QVariantList> selectRow(const QSqlDatabase& connection, const schema::Table& table,
                                      const QVariant& key);
// Deletes the row whose primary key holds `key` on the connection's current
// transaction and returns the values it held, in the order of the table's
// columns; refuses when no row has it. Throws DatabaseError.
QVariantList deleteRow(const QSqlDatabase& connection, const schema::Table& table,
                       const QVariant& key);
// Adds a row, its values in the order of the table's columns, on the
// connection's current transaction. Throws DatabaseError.
void insertRow(const QSqlDatabase& connection, const schema::Table& table,
               const QVariantList& values);
// Writes values to the named columns of the row whose primary key holds
// `key`, on the connection's current transaction; refuses when no row has
// it. Throws DatabaseError.
void updateRow(const QSqlDatabase& connection, const schema::Table& table,
               const QStringList& columnNames, const QVariantList& values, const QVariant& key);

template <typename Record>
using Member = std::variant<QString Record::*, std::optional<QDate> Record::*, qint64 Record::*,
                            int Record::*, std::optional<double> Record::*>;

// The members of a record bound to the columns of its table, given in the
// order of the table's columns, each column once.
template <typename Record>
class Columns {
public:
    Columns(const QString& tableName, std::vector<std::pair<QString, Member<Record>>> members)
        : table_(schema::table(tableName)), members_(std::move(members)) {
        bool same = members_.size() == table_.columns.size();
        for (std::size_t each = 0; same && each < members_.size(); ++each)
            same = members_[each].first == table_.columns[each].name;
        if (!same)
            throw std::logic_error("the members do not follow the columns of " +
                                   tableName.toStdString());
    }

    const schema::Table& table() const { return table_; }

    QVariant value(const Record& record, const QString& columnName) const {
        const std::size_t at = position(columnName);
        return std::visit([&](auto member) { return valueOf(table_.columns[at], record.*member); },
                          members_[at].second);
    }

    void setValue(Record& record, const QString& columnName, const QVariant& value) const {
        const std::size_t at = position(columnName);
        std::visit([&](auto member) { read(table_.columns[at], value, record.*member); },
                   members_[at].second);
    }

    std::optional<Record> load(const QSqlDatabase& connection, const QVariant& key) const {
        const std::optional<QVariantList> values = selectRow(connection, table_, key);
        if (!values)
            return std::nullopt;
        Record record;
        for (std::size_t each = 0; each < members_.size(); ++each)
            setValue(record, members_[each].first, values->at(int(each)));
        return record;
    }

    // Adds the record as a new row.
    void insert(const QSqlDatabase& connection, const Record& record) const {
        QVariantList values;
        for (const auto& [columnName, member] : members_)
            values.append(value(record, columnName));
        insertRow(connection, table_, values);
    }

    // Writes the members that differ from `stored`, the record as it was
    // read, to its row; the others keep exactly what the row holds.
    void update(const QSqlDatabase& connection, const Record& record, const Record& stored,
                const QVariant& storedKey) const {
        QStringList changed;
        QVariantList values;
        for (const auto& [columnName, member] : members_) {
            const bool differs =
                std::visit([&](auto each) { return !(record.*each == stored.*each); }, member);
            if (!differs)
                continue;
            changed.append(columnName);
            values.append(value(record, columnName));
        }
        if (!changed.isEmpty())
            updateRow(connection, table_, changed, values, storedKey);
    }

private:
    std::size_t position(const QString& columnName) const {
        for (std::size_t each = 0; each < members_.size(); ++each)
            if (members_[each].first == columnName)
                return each;
        throw std::out_of_range("no column " + columnName.toStdString() + " in " +
                                table_.name.toStdString());
    }

    const schema::Table& table_;
    std::vector<std::pair<QString, Member<Record>>> members_;
};

}  // namespace record_columns
