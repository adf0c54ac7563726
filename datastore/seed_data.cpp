#include "datastore/seed_data.h"

namespace seed {
namespace {

QString quoted(QString value) {
    return QLatin1Char('\'') + value.replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QString insertSql(const QString& table, const QStringList& columns, const QStringList& values) {
    QStringList literals;
    for (const QString& value : values)
        literals.append(quoted(value));
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, columns.join(", "), literals.join(", "));
}

SeedTable oneColumnTable(const QString& logLine, const QString& table, const QString& column,
                         const QStringList& values) {
    SeedTable seed{logLine, table, {}};
    for (const QString& value : values)
        seed.insertStatements.append(insertSql(table, {column}, {value}));
    return seed;
}

SeedTable carriers() {
    return oneColumnTable(
        QStringLiteral("Adding default values into carrier_4"), "CARRIER_4", "CARRIER",
        {"FEDEX - 1DAY FREIGHT",       "FEDEX - 2DAY FREIGHT",  "FEDEX - 2DAY",
         "FEDEX - 3DAY FREIGHT",       "FEDEX - EXPRESS SAVER", "FEDEX - FIRST OVERNIGHT",
         "FEDEX - PRIORITY OVERNIGHT", "FEDEX - SAMEDAY",       "FEDEX - STANDARD OVERNIGHT",
         "UPS   - 2ND DAY AIR A.M.",   "UPS   - 2ND DAY AIR",   "UPS   - 3 DAY SELECT",
         "UPS   - DOCUMENT EXCHANGE",  "UPS   - GROUND",        "UPS   - NEXT DAY AIR EARLY A.M.",
         "UPS   - NEXT DAY AIR SAVER", "UPS   - NEXT DAY AIR",  "UPS   - SONIC AIR BEST FLIGHT",
         "USPS  - CERTIFIED",          "USPS  - FIRST CLASS",   "USPS  - PRIORITY OVERNIGHT",
         "USPS  - PRIORITY",           "USPS  - REGISTERED"});
}

SeedTable categories() {
    return oneColumnTable(
        QStringLiteral("Adding default values into category_4"), "CATEGORY_4", "CATEGORY",
        {"ATTORNEY FEES", "CAR INSURANCE", "CHILD SUPPORT", "CHILD DENTAL PAYMENT",
         "CHILD MEDICAL PAYMENT", "COURT COSTS", "JOB SEARCH", "MEDICAL INSURANCE",
         "MORTGAGE PAYMENT", "RETIRED PAY", "SPOUSAL SUPPORT", "BANK STATEMENT",
         "EMPLOYEE PAY STATEMENT", "IT SLUMP", "LEGAL", "PAYMENT", "CORRESPONDENCE", "OTHER"});
}

SeedTable timesOfDay() {
    SeedTable seed{QStringLiteral("Adding default values into time10_4"), "TIME10_4", {}};
    for (int hour = 0; hour < 24; ++hour) {
        for (int minute = 0; minute < 60; minute += 10) {
            const QString twentyFourHour = QStringLiteral("%1:%2")
                                               .arg(hour, 2, 10, QLatin1Char('0'))
                                               .arg(minute, 2, 10, QLatin1Char('0'));
            seed.insertStatements.append(insertSql("TIME10_4", {"X24_HOUR", "X12_HOUR"},
                                                   {twentyFourHour, twelveHourTime(hour, minute)}));
        }
    }
    return seed;
}

SeedTable states() {
    const QStringList codes = {"AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA",
                               "GU", "HI", "IA", "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD",
                               "ME", "MH", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH",
                               "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA", "RI", "SC", "SD",
                               "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY"};
    SeedTable seed{
        QStringLiteral("Adding default values into stats_st_4 [CURRENTLY NOT ACTIVELY USED]"),
        "STATS_ST_4",
        {}};
    for (const QString& code : codes)
        seed.insertStatements.append(insertSql("STATS_ST_4",
                                               {"STATE", "COUNT_", "PERCENTAGE", "AS_OF_DATE"},
                                               {code, "0", "0", "1/1/1900"}));
    return seed;
}

}  // namespace

QString twelveHourTime(int hour, int minute) {
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(clockHour)
        .arg(minute, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

std::vector<SeedTable> seedTables() {
    return {carriers(), categories(), timesOfDay(), states()};
}

}  // namespace seed
