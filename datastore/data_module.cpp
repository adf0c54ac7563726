#include "datastore/data_module.h"

#include "datastore/locations.h"
#include "platform/database_error.h"

#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

TDataModule2::TDataModule2(QObject* parent)
    : QObject(parent), connectionName_(QStringLiteral("IBDatabase_quorvel_4")) {
    setObjectName(QStringLiteral("DataModule2"));
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connectionName_);
    for (const QString& tableName : openingOrder())
        models_[tableName] = new TableModel(schema::table(tableName), database, this);
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
}

void TDataModule2::close() {
    for (auto& [name, model] : models_)
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
