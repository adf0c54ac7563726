#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The one definition of every table of a Quorvel4 database: columns, types,
// defaults, primary keys and secondary indexes. The CREATE statements, the
// table models' orders and the checks of a created database all come from
// here.
namespace schema {

enum class Type { Char, Varchar, Date, Integer, Numeric, BlobText };

struct Column {
    QString name;
    Type type = Type::Char;
    int size = 0;          // width of a CHAR or VARCHAR, precision of a NUMERIC
    int scale = 0;         // NUMERIC scale
    int segmentSize = 0;   // BLOB segment size
    QString defaultValue;  // SQL literal as written in the DEFAULT clause, or empty
    bool notNull = false;

    QString typeSql() const;
    // The column in a select list, and a parameter written to it. Text
    // columns hold Windows-1252 bytes under the character set NONE; they
    // travel to and from the program as UTF-8, and Firebird refuses a
    // character Windows-1252 cannot hold.
    QString selectSql() const;
    QString parameterSql() const;
    bool isText() const { return type == Type::Char || type == Type::Varchar; }
    // Whether an absent value is the date 1 January 1901 rather than null.
    bool absentIsOldDate() const;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    QStringList primaryKey;
    QString modelName;  // the data module's IBTable_ name; empty when it has none

    // Never null: a name the table does not have throws std::out_of_range
    // naming both.
    const Column* column(const QString& columnName) const;
    // The column's place among the columns; throws as column() does.
    int columnIndex(const QString& columnName) const;
};

struct Index {
    QString name;
    QString table;
    QStringList columns;
    bool descending = false;
    QString logLine;  // how the creation log announces it
};

// Every table, in the order a new database creates them.
const std::vector<Table>& tables();
// The secondary indexes, in the order a new database creates them.
const std::vector<Index>& indexes();

const Table& table(const QString& name);
const Index& index(const QString& name);

QString createTableSql(const Table& table);
QString createIndexSql(const Index& index);

// The version of the tables above. A database records its version in
// SCHEMA_VERSION_4; one without that table is version 1, the 18 tables
// every database had before versions were kept. SCHEMA_VERSION_4 holding no
// row means version 2 whose imported files the settings still hold (the
// table is made by the step to version 2, whose transaction cannot also
// write into it).
int currentVersion();

extern const QString kVersionTable;       // SCHEMA_VERSION_4 (VERSION_)
extern const QString kImportedFileTable;  // IMPORTED_FILE_4

// What brings a database of version `from` to version `from + 1`: statements
// that only add (tables, columns with defaults, indexes), so that nothing an
// older program reads is dropped or renamed. Written out as they were first
// run, never derived from the tables above, which go on changing.
struct UpgradeStep {
    int from = 0;
    QStringList statements;

    int to() const { return from + 1; }
};
// Every step, in order, from version 1 to currentVersion().
const std::vector<UpgradeStep>& upgradeSteps();

}  // namespace schema
