#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

// Which job search records the grid shows: each condition set narrows the
// records, an empty one leaves them all. Text conditions find the text
// anywhere in the column, whatever its case; a state is matched whole.
struct JobSearchFilter {
    enum class Status { Any, True, False };

    QDate from{};  // invalid: no lower limit
    QDate to{};    // invalid: no upper limit
    QString state{};
    QString city{};
    QString contact{};
    QString title{};
    Status submitted = Status::Any;
    Status active = Status::Any;

    bool isEmpty() const;
    // The SQL condition on JSEARCH_4 with `?` for each of `values`; empty
    // when the filter is.
    struct Condition {
        QString sql;
        QVariantList values;
    };
    Condition condition() const;
    // One line a person reads: "STATE TX, CITY contains "PASO"".
    QString description() const;
};
