#include "datastore/field_text.h"
#include "platform/kbx.h"
#include "tests/support/default_locale.h"
#include "tests/support/printers.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

using namespace field_text;

const schema::Column& columnOf(const char* table, const char* column) {
    return *schema::table(table).column(column);
}

QString date(int year, int month, int day) {
    return kbx::short_date_text(QDate(year, month, day));
}

// Typed text, what is stored for it and how the stored value is shown again,
// for each kind of column; an invalid stored value means the text is refused.
TEST(FieldText, TypedTextIsStoredAndShownAgainOrRefused) {
    const DefaultLocale english(QLocale::English);
    const QVariant refused;
    const QVariant nullDate(QMetaType(QMetaType::QDateTime));
    const QDateTime absent(kAbsentDate, QTime(0, 0));
    struct Case {
        const char* table;
        const char* column;
        QString typed;
        QVariant stored;
        QString shown;
    };
    const Case cases[] = {
        {"QUORVEL_4", "CHECK_NBR", " 101", " 101", " 101"},  // text keeps its leading blanks
        {"QUORVEL_4", "COMMENT", "Jos\u00e9 \u2013 \u20ac5", "Jos\u00e9 \u2013 \u20ac5",
         "Jos\u00e9 \u2013 \u20ac5"},
        {"QUORVEL_4", "COMMENT", "smile \U0001F600", refused, ""},  // no Windows-1252 byte
        {"QUORVEL_4", "MEMO", "Caf\u00e9\nok", QByteArray("Caf\xe9\nok"), "Caf\u00e9\nok"},
        {"QUORVEL_4", "MEMO", "\u4e2d", refused, ""},
        {"QUORVEL_4", "DATE_SENT", date(2004, 2, 9), QDateTime(QDate(2004, 2, 9), QTime()),
         date(2004, 2, 9)},
        {"QUORVEL_4", "DATE_SENT", "", absent, "N/A"},  // the absent date, not null
        {"QUORVEL_4", "DATE_SENT", "n/a", absent, "N/A"},
        {"QUORVEL_4", "ITEM_DATE", "", nullDate, ""},  // no absent value: null
        {"QUORVEL_4", "DATE_SENT", date(2004, 2, 9) + "x", refused, ""},
        {"QUORVEL_4", "DATE_SENT", "30/30/2004", refused, ""},
        {"QUORVEL_4", "DAYS_SENT_TO_DEL", "-1", -1, "-1"},
        {"QUORVEL_4", "DAYS_SENT_TO_DEL", "7.5", refused, ""},
        {"QUORVEL_4", "DAYS_SENT_TO_DEL", "3000000000", refused, ""},
        {"QUORVEL_4", "SS_AMT", "1200", 1200.0, "1200.00"},
        {"QUORVEL_4", "SS_AMT", " 0.10 ", 0.1, "0.10"},
        {"QUORVEL_4", "SS_AMT", "-12.5", -12.5, "-12.50"},
        {"QUORVEL_4", "SS_AMT", "99999999.99", 99999999.99, "99999999.99"},
        {"QUORVEL_4", "SS_AMT", "100000000", refused, ""},  // NUMERIC(10,2) holds 8 digits
        {"QUORVEL_4", "SS_AMT", "12.345", refused, ""},     // and 2 decimals
        {"QUORVEL_4", "SS_AMT", "1,200", refused, ""},
        {"QUORVEL_4", "SS_AMT", "inf", refused, ""},
        {"QUORVEL_4", "PK", "38018.5000000001", 38018.5000000001, "38018.5000000001"},
    };
    for (const Case& c : cases) {
        const schema::Column& column = columnOf(c.table, c.column);
        const QVariant stored = toValue(column, c.typed);
        SCOPED_TRACE(std::string(c.column) + " \"" + c.typed.toStdString() + "\"");
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(refusal(column, c.typed).isEmpty(), c.stored.isValid());
        if (stored.isValid()) {
            EXPECT_EQ(fromValue(column, stored), c.shown);
        }
    }
}

// Where the comma is the decimal separator, an amount takes it as well as
// the point and is shown as stored; "1.250" groups thousands there, so it
// could mean 1250 as well as 1.25, and is refused.
TEST(FieldText, AmountsTakeTheDecimalCommaOfTheLanguage) {
    const DefaultLocale german(QLocale::German);
    const schema::Column& amount = columnOf("QUORVEL_4", "SS_AMT");
    for (const QString typed : {"12,50", "12.50", " 12,5 "}) {
        EXPECT_EQ(toValue(amount, typed), QVariant(12.5)) << typed.toStdString();
        EXPECT_EQ(fromValue(amount, toValue(amount, typed)), "12.50");
    }
    EXPECT_EQ(refusal(amount, "1.250"),
              "is unclear where a point groups thousands: write 1250 without the point, or "
              "1,250 with the decimal comma");
    EXPECT_FALSE(toValue(amount, "1.250").isValid());
    EXPECT_FALSE(toValue(amount, "1.250,50").isValid());
}

}  // namespace
