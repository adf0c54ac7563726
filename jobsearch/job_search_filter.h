#pragma once

#include "datastore/sql_condition.h"

#include <QDate>
#include <QString>

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
    // The condition on JSEARCH_4; empty when the filter is.
    SqlCondition condition() const;
    // One line a person reads: "STATE TX, CITY contains "PASO"".
    QString description() const;
};
