#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

// Runs `work` on a connection of its own to the database at `path`, as the
// data module connects, opened for it and closed after it, for work on a
// database that is not the open one (one being upgraded or restored).
// Throws DatabaseError: what `work` threw, or why the database did not open.
void onOwnConnection(const QString& path, const std::function<void(const QSqlDatabase&)>& work);
