#pragma once

#include <QString>

// A database as the create operation made it before databases recorded a
// version: the statements it ran then, kept in datastore/version1_database.sql.
void makeVersion1Database(const QString& path);
