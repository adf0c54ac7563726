#include "bench/job_search_data.h"

#include "datastore/create_database.h"
#include "datastore/locations.h"
#include "platform/firebird.h"

// The records are made by the server in one block: inserting tens of
// thousands of rows one statement at a time from here would take minutes.
void fillJobSearch(const QString& path, int count, int longChain) {
    fb::Attachment database = fb::Attachment::attach(path, databaseAccount());
    database.executeInOwnTransaction(
        QStringLiteral(
            "EXECUTE BLOCK AS "
            "DECLARE i INTEGER = 0; DECLARE d DATE; DECLARE chain INTEGER; "
            "BEGIN "
            "  WHILE (i < %1) DO BEGIN "
            "    d = CAST('2003-01-01' AS DATE) + FLOOR(i / 25); "
            "    chain = CASE WHEN i < %2 THEN 0 ELSE 1 + FLOOR(i / 3) END; "
            "    INSERT INTO JSEARCH_4 (PK, ACTIVE_, ACTIVE_CHANGED, REFNUM, DATE_, YYYYMMDD, "
            "      TIME_, CONTACT_NAME, EMAIL, POS_TYPE, POS_CITY, POS_STATE, POS_TITLE, "
            "      SUBMITTED, REASON_NO_SUBMIT, ITEM_FILE, COMMENT, MEMO) VALUES ("
            "      37000 + :i / 1000.0, 'TRUE', '1901-01-01', 36000 + :chain / 1000.0, :d, "
            "      EXTRACT(YEAR FROM :d) || LPAD(EXTRACT(MONTH FROM :d), 2, '0') || "
            "        LPAD(EXTRACT(DAY FROM :d), 2, '0'), "
            "      LPAD(MOD(:i, 24), 2, '0') || ':' || LPAD(MOD(:i, 6) * 10, 2, '0'), "
            "      'RECRUITER ' || MOD(:i, 400), 'TRUE', 'FT', 'CITY ' || MOD(:i, 700), "
            "      'TX', 'SENIOR SOFTWARE ENGINEER ' || MOD(:i, 721), 'FALSE', "
            "      'NOT QUALIFIED', '\\jobs\\posting' || :i || '.txt', 'FROM AN ALERT', "
            "      'Saved from the alert of the day.'); "
            "    i = i + 1; "
            "  END "
            "END")
            .arg(count)
            .arg(longChain));
}

double longChainRefnum() {
    return 36000;
}

QString createJobSearchDatabase(const Locations& locations, int count, int longChain) {
    createDatabase(locations, QStringLiteral("books"), [](const QString&) {});
    const QString path = locations.databasePath(QStringLiteral("books"));
    fillJobSearch(path, count, longChain);
    return path;
}
