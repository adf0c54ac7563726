#pragma once

#include "datastore/table_model.h"

#include <QObject>
#include <QSqlDatabase>

#include <functional>
#include <map>

// Owns the production connection IBDatabase_quorvel_4 and one model per
// table, shared by every form.
class TDataModule2 : public QObject {
    Q_OBJECT
public:
    explicit TDataModule2(QObject* parent = nullptr);
    ~TDataModule2() override;

    // Closes whatever is open, opens the connection on `path` and every table
    // in the activation order. Throws DatabaseError with the server's message.
    void open(const QString& path);
    // Closes every table and the connection, so that the file is free.
    void close();
    // Runs `work` with the connection closed, and opens the same file again
    // afterwards, also when `work` throws.
    void whileClosed(const std::function<void()>& work);
    bool isOpen() const;
    // The file of the open connection; empty while closed.
    QString openPath() const;

    QSqlDatabase connection() const;
    // The model of a table by its table name ("QUORVEL_4").
    TableModel* table(const QString& tableName) const;
    // The table names in the order they open.
    static const QStringList& openingOrder();

private:
    QString connectionName_;
    std::map<QString, TableModel*> models_;
};
