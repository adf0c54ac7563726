#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Runs one statement on `connection`, in the transaction open there, with
// `values` bound to its `?` marks in order, and returns the query, forward
// only, to read its rows. Throws DatabaseError with the server's message.
QSqlQuery executed(const QSqlDatabase& connection, const QString& statement,
                   const QVariantList& values = {});
