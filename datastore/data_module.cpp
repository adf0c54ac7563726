#include "datastore/data_module.h"

#include "datastore/locations.h"
#include "platform/database_error.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>

#include <stdexcept>

TDataModule2::TDataModule2(QObject* parent)
    : QObject(parent), connectionName_(QStringLiteral("IBDatabase_quorvel_4")) {
    setObjectName(QStringLiteral("DataModule2"));
    QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connectionName_);
    for (const QString& tableName : openingOrder())
        models_[tableName] = makeModel(tableName, this);
}

TDataModule2::~TDataModule2() {
    close();
    for (auto& [name, model] : models_)
        delete model;
    models_.clear();
    QSqlDatabase::removeDatabase(connectionName_);
}

const QStringList& TDataModule2::openingOrder() {
    static const QStringList order = {
        "QUORVEL_4",  "CARRIER_4",      "CATEGORY_4", "CITY_4",     "COMMENT_4", "COMMENT_JS_4",
        "CONFIG_4",   "CONTACT_NAME_4", "ITEM_4",     "JS_EDIT_4",  "JSEARCH_4", "POSCODE_4",
        "POSTITLE_4", "REASON_4",       "STATS_JT_4", "STATS_ST_4", "TIME10_4"};
    return order;
}

QSqlDatabase TDataModule2::connection() const {
    return QSqlDatabase::database(connectionName_, false);
}

namespace {

void openConnection(QSqlDatabase& database, const QString& path) {
    const fb::Account account = databaseAccount();
    database.setDatabaseName(path);
    database.setUserName(account.user);
    database.setPassword(account.password);
    if (!database.open())
        throw DatabaseError(QStringLiteral("Unable to open the database %1: %2")
                                .arg(path, database.lastError().text()));
}

int pageBuffers(const QSqlDatabase& database) {
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT MON$PAGE_BUFFERS FROM MON$DATABASE")) || !query.next())
        throw DatabaseError(query.lastError().text());
    const int pages = query.value(0).toInt();
    query.finish();
    return pages;
}

}  // namespace

void TDataModule2::open(const QString& path) {
    close();
    QSqlDatabase database = connection();
    openConnection(database, path);
    // A database made elsewhere (an older file, a restore) gets the cache
    // size once; the engine reads it when the file is next opened.
    if (pageBuffers(database) < kDatabasePageBuffers) {
        database.close();
        fb::Attachment::setPageBuffers(path, databaseAccount(), kDatabasePageBuffers);
        openConnection(database, path);
    }
    for (const QString& tableName : openingOrder())
        models_.at(tableName)->open();
    for (TableModel* model : livingOwnModels())
        model->open();
}

void TDataModule2::close() {
    for (auto& [name, model] : models_)
        model->close();
    for (TableModel* model : livingOwnModels())
        model->close();
    QSqlDatabase database = connection();
    if (database.isOpen())
        database.close();
}

void TDataModule2::whileClosed(const std::function<void()>& work) {
    const QString path = openPath();
    close();
    try {
        work();
    } catch (...) {
        if (!path.isEmpty())
            open(path);
        throw;
    }
    if (!path.isEmpty())
        open(path);
}

bool TDataModule2::isOpen() const {
    return connection().isOpen();
}

QString TDataModule2::openPath() const {
    const QSqlDatabase database = connection();
    return database.isOpen() ? database.databaseName() : QString();
}

TableModel* TDataModule2::table(const QString& tableName) const {
    const auto found = models_.find(tableName);
    if (found == models_.end())
        throw std::out_of_range("no model for table " + tableName.toStdString());
    return found->second;
}

TableModel* TDataModule2::ownModel(const QString& tableName, QObject* owner) {
    TableModel* model = makeModel(tableName, owner);
    ownModels_.emplace_back(model);
    if (isOpen())
        model->openLike(*table(tableName));
    return model;
}

// Every model reads its table again when the table changes, and announces
// the changes it stores itself.
TableModel* TDataModule2::makeModel(const QString& tableName, QObject* parent) {
    auto* model = new TableModel(schema::table(tableName), connection(), parent);
    connect(this, &TDataModule2::tablesChanged, model, [model](const QStringList& tableNames) {
        if (tableNames.contains(model->definition().name))
            model->refresh();
    });
    connect(model, &TableModel::changesCommitted, this,
            [this, model] { announce({model->definition().name}); });
    return model;
}

std::vector<TableModel*> TDataModule2::livingOwnModels() {
    std::erase_if(ownModels_, [](const QPointer<TableModel>& model) { return model.isNull(); });
    std::vector<TableModel*> living;
    for (const QPointer<TableModel>& model : ownModels_)
        living.push_back(model.data());
    return living;
}

void TDataModule2::announce(const QStringList& tableNames) {
    if (!tableNames.isEmpty())
        emit tablesChanged(tableNames);
}

// The engine's own counts of this attachment, read in a transaction of their
// own: the monitoring tables show one snapshot for the whole of a
// transaction.
std::optional<TDataModule2::WriteCounts> TDataModule2::writeCounts() const {
    QSqlDatabase database = connection();
    if (!database.isOpen() || !database.transaction())
        return std::nullopt;
    QSqlQuery query(database);
    query.setForwardOnly(true);
    bool read = query.exec(
        QStringLiteral("SELECT TRIM(T.MON$TABLE_NAME), "
                       "R.MON$RECORD_INSERTS + R.MON$RECORD_UPDATES + R.MON$RECORD_DELETES "
                       "FROM MON$ATTACHMENTS A "
                       "JOIN MON$TABLE_STATS T ON T.MON$STAT_ID = A.MON$STAT_ID "
                       "JOIN MON$RECORD_STATS R ON R.MON$STAT_ID = T.MON$RECORD_STAT_ID "
                       "WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION "
                       "AND T.MON$TABLE_NAME NOT STARTING WITH 'RDB$'"));
    WriteCounts counts;
    while (read && query.next())
        counts.insert(query.value(0).toString(), query.value(1).toLongLong());
    if (!read)
        qWarning() << "Counting the writes failed:" << query.lastError().text();
    query.finish();
    database.commit();
    return read ? std::optional(counts) : std::nullopt;
}

void TDataModule2::announceWritesSince(const std::optional<WriteCounts>& before) noexcept {
    try {
        const std::optional<WriteCounts> after = writeCounts();
        if (!before || !after) {
            announce(openingOrder());
            return;
        }
        QStringList written;
        for (auto count = after->cbegin(); count != after->cend(); ++count)
            if (count.value() != before->value(count.key()))
                written.append(count.key());
        announce(written);
    } catch (const std::exception& error) {
        qWarning() << "Telling the views of a write failed:" << error.what();
    }
}
