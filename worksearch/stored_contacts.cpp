#include "worksearch/stored_contacts.h"

#include "datastore/locations.h"
#include "datastore/table_names.h"
#include "platform/firebird_rows.h"
#include "platform/windows1252.h"

#include <algorithm>
#include <tuple>

namespace worksearch {
namespace {

namespace job = columns::jobSearch;

using Text = QString Contact::*;

// The text columns, in the select's order after PK, REFNUM and DATE_.
const std::vector<std::pair<QLatin1String, Text>>& textColumns() {
    static const std::vector<std::pair<QLatin1String, Text>> read = {
        {job::time, &Contact::time},
        {job::contactName, &Contact::contactName},
        {job::email, &Contact::email},
        {job::posTitle, &Contact::title},
        {job::posCity, &Contact::city},
        {job::posState, &Contact::state},
        {job::comment, &Contact::comment},
        {job::submitted, &Contact::submitted},
        {job::active, &Contact::active},
    };
    return read;
}

constexpr int kFirstText = 3;

// DATE_ is read as the engine's text ("2004-02-01 00:00:00.0000"); it may
// carry a time of day, so the period runs to the start of the day after its
// last, or to the end when its last is the last day a database holds.
QString selectSql(bool toTheEnd) {
    QStringList selected{job::pk, job::refnum,
                         QStringLiteral("CAST(%1 AS VARCHAR(24)) AS %1").arg(job::date)};
    for (const auto& [column, member] : textColumns())
        selected.append(column);
    const QString sql = toTheEnd ? QStringLiteral("SELECT %1 FROM %2 WHERE %3 >= ?")
                                 : QStringLiteral("SELECT %1 FROM %2 WHERE %3 >= ? AND %3 < ?");
    return sql.arg(selected.join(QStringLiteral(", ")), tables::jobSearch, job::date);
}

std::optional<double> numberAt(const fb::Row& row, int column) {
    if (row.isNull(column))
        return std::nullopt;
    return row.number(column);
}

std::optional<QDate> dateAt(const fb::Row& row, int column) {
    if (row.isNull(column))
        return std::nullopt;
    const QByteArrayView text = row.text(column);
    if (text.size() < 10)
        return std::nullopt;
    return QDate(text.first(4).toInt(), text.sliced(5, 2).toInt(), text.sliced(8, 2).toInt());
}

bool isAscii(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char each) { return uchar(each) < 0x80; });
}

// Stored text is Windows-1252 padded with blanks.
QString textAt(const fb::Row& row, int column) {
    if (row.isNull(column))
        return QString();
    QByteArrayView text = row.text(column);
    while (text.endsWith(' '))
        text.chop(1);
    if (isAscii(text))
        return QString::fromLatin1(text);
    return windows1252::decode(text.toByteArray());
}

Contact contactOf(const fb::Row& row) {
    Contact contact;
    contact.pk = numberAt(row, 0);
    contact.refnum = numberAt(row, 1);
    contact.date = dateAt(row, 2);
    int column = kFirstText;
    for (const auto& [name, member] : textColumns())
        contact.*member = textAt(row, column++);
    return contact;
}

bool readsBefore(const Contact& one, const Contact& other) {
    return std::tie(one.date, one.time, one.pk) < std::tie(other.date, other.time, other.pk);
}

}  // namespace

// Read through Firebird's own interface on an attachment of its own: Qt's
// driver alone takes longer than the whole weekly log may.
std::vector<Contact> contactsBetween(const QSqlDatabase& connection, const QDate& from,
                                               const QDate& to) {
    // The weeks around the first and last days a database holds reach past them.
    const QDate firstHeld(1, 1, 1), lastHeld(9999, 12, 31);
    const bool toTheEnd = to >= lastHeld;
    QVariantList bounds{QDateTime(std::max(from, firstHeld), QTime(0, 0))};
    if (!toTheEnd)
        bounds.append(QDateTime(to.addDays(1), QTime(0, 0)));
    std::vector<Contact> contacts;
    fb::forEachRow(connection.databaseName(), databaseAccount(), selectSql(toTheEnd), bounds,
                   [&](const fb::Row& row) { contacts.push_back(contactOf(row)); });
    std::sort(contacts.begin(), contacts.end(), readsBefore);
    return contacts;
}

}  // namespace worksearch
