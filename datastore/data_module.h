#pragma once

#include "datastore/table_model.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSqlDatabase>

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// Owns the production connection IBDatabase_quorvel_4 and one model per
// table, shared by every form. After a write it tells every model of the
// tables written, shared or a form's own, to read its table again.
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
    // A model of a table for one form that filters or orders its rows, so
    // that the shared model stays as every other form expects it. It opens
    // and closes with the shared models, reads its table again when the
    // table changes, and is deleted with `owner`.
    TableModel* ownModel(const QString& tableName, QObject* owner);
    // The table names in the order they open.
    static const QStringList& openingOrder();

    // Runs `work`, which writes on the connection in transactions of its own,
    // and afterwards announces every table whose rows it inserted, updated or
    // deleted, as the engine counted them: also when `work` throws, since it
    // may have committed part. Returns what `work` returns. Called within a
    // transaction, where the counts cannot be read, it announces every table.
    template <typename Work>
    auto write(Work&& work) -> decltype(std::forward<Work>(work)());

    // Tells every model of the tables named that their rows changed.
    void announce(const QStringList& tableNames);

signals:
    void tablesChanged(const QStringList& tableNames);

private:
    using WriteCounts = QHash<QString, qint64>;
    // Rows inserted, updated and deleted per table on this connection so far;
    // nothing when they cannot be counted in a transaction of their own.
    std::optional<WriteCounts> writeCounts() const;
    // Announces the tables written since `before`, or every table when the
    // writes could not be counted. Never throws.
    void announceWritesSince(const std::optional<WriteCounts>& before) noexcept;
    TableModel* makeModel(const QString& tableName, QObject* parent);
    // The own models whose form is still there.
    std::vector<TableModel*> livingOwnModels();

    QString connectionName_;
    std::map<QString, TableModel*> models_;
    std::vector<QPointer<TableModel>> ownModels_;
};

template <typename Work>
auto TDataModule2::write(Work&& work) -> decltype(std::forward<Work>(work)()) {
    struct Announcement {
        TDataModule2& dataModule;
        std::optional<WriteCounts> before;
        ~Announcement() { dataModule.announceWritesSince(before); }
    } announcement{*this, writeCounts()};
    return std::forward<Work>(work)();
}
