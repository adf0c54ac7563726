#include "worksearch/stored_contacts.h"

#include "datastore/locations.h"
#include "datastore/table_names.h"
#include "platform/firebird_rows.h"
#include "platform/windows1252.h"

#include <algorithm>

namespace worksearch {
namespace {

namespace job = columns::jobSearch;

using Text = QString Contact::*;

// The text columns, in the select's order after PK, REFNUM and DATE_.
const std::vector<std::pair<QLatin1String, Text>>& textColumns() {
    static const std::vector<std::pair<QLatin1String, Text>> read = {
        {job::time, &Contact::time},       {job::contactName, &Contact::contactName},
        {job::email, &Contact::email},     {job::posTitle, &Contact::title},
        {job::posCity, &Contact::city},    {job::posState, &Contact::state},
        {job::comment, &Contact::comment}, {job::submitted, &Contact::submitted},
        {job::active, &Contact::active},
    };
    return read;
}

constexpr int kFirstText = 3;

// DATE_ may carry a time of day: it is read as the number of its day from
// the engine's day zero (quicker than as text), and the period runs to the
// start of the day after its last, or to the end when its last is the last
// day a database holds.
const QDate kEngineDayZero(1858, 11, 17);

QString selectSql(bool toTheEnd) {
    QStringList selected{job::pk, job::refnum,
                         QStringLiteral("DATEDIFF(DAY FROM TIMESTAMP '%1 00:00' TO %2) AS %2")
                             .arg(kEngineDayZero.toString(Qt::ISODate), job::date)};
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
    return kEngineDayZero.addDays(static_cast<qint64>(row.number(column)));
}

bool isAscii(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char each) { return uchar(each) < 0x80; });
}

// Stored text is Windows-1252 padded with blanks.
QByteArrayView unpadded(QByteArrayView text) {
    while (text.endsWith(' '))
        text.chop(1);
    return text;
}

// Turns rows into contacts. A text equal to the one of the row before in
// its column (a state, a flag, often an employer) shares that row's string
// instead of being made again.
class ContactReader {
public:
    Contact contactOf(const fb::Row& row) {
        Contact contact;
        contact.pk = numberAt(row, 0);
        contact.refnum = numberAt(row, 1);
        contact.date = dateAt(row, 2);
        int column = kFirstText;
        for (const auto& [name, member] : textColumns()) {
            contact.*member = textAt(row, column, previous_[column - kFirstText]);
            ++column;
        }
        return contact;
    }

private:
    struct Previous {
        bool null = true;
        QString text;
    };

    static QString textAt(const fb::Row& row, int column, Previous& previous) {
        if (row.isNull(column)) {
            previous = {true, QString()};
            return previous.text;
        }
        const QByteArrayView bytes = unpadded(row.text(column));
        if (!isAscii(bytes)) {
            previous = {false, windows1252::decode(bytes.toByteArray())};
        } else if (previous.null || QLatin1StringView(bytes) != previous.text) {
            previous = {false, QString::fromLatin1(bytes)};
        }
        return previous.text;
    }

    std::vector<Previous> previous_ = std::vector<Previous>(textColumns().size());
};

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
    ContactReader reader;
    fb::forEachRow(connection.databaseName(), databaseAccount(), selectSql(toTheEnd), bounds,
                   [&](const fb::Row& row) { contacts.push_back(reader.contactOf(row)); });
    return contacts;
}

}  // namespace worksearch
