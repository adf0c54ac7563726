#include "payments/payment_records_form.h"
#include "forms/date_picker.h"
#include "platform/kbx.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_checks.h"
#include "tests/support/form_driver.h"
#include "tests/support/report_file.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/shown_history.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSqlRecord>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

// Each date field with the picker laid over it.
const char* const kDates[][2] = {
    {"fld_item_date", "item_date"},         {"fld_date_sent", "date_sent"},
    {"fld_date_avail", "date_available"},   {"fld_date_2nd_try", "date_2nd_try"},
    {"fld_date_3rd_try", "date_3rd_try"},   {"fld_date_del", "date_delivered"},
    {"fld_date_returned", "date_returned"}, {"fld_date_cleared", "date_cleared"}};

class PaymentRecordsFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    PaymentRecordsFormTest() {
        form.resize(1024, 740);
        form.show();
    }
    QLineEdit* edit(const QString& name) { return component<QLineEdit>(form, name); }
    DatePicker* picker(const QString& name) { return component<DatePicker>(form, name); }
    void reopen() {
        dataModule.table("QUORVEL_4")->select();
        form.FormActivate();
    }
    // A stored payment, shown: item 1 Feb 2004, sent 2 Feb, available 5 Feb,
    // delivered 9 Feb, cleared 20 Feb, the rest absent; `change` alters it.
    void storePayment(const QString& change = QString()) {
        execute(
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, YYYYMMDD, DATE_SENT, DATE_AVAIL, "
            "DATE_DEL, DATE_CLEAR, SS_AMT, CHECK_NBR) VALUES (38018.5, 'SPOUSAL SUPPORT', "
            "'2004-02-01', '20040201', '2004-02-02', '2004-02-05', '2004-02-09', "
            "'2004-02-20', 1200, '101')");
        if (!change.isEmpty())
            execute(change);
        reopen();
    }
    QStringList stored(const QString& columns) {
        return rows("SELECT " + columns + " FROM QUORVEL_4 ORDER BY PK");
    }

    ScriptedDialogs dialogs;
    Tpayment_records_form form{dataModule, dialogs};
};

// A payment saved at once was made and sent today; nothing else happened yet.
TEST_F(PaymentRecordsFormTest, NewRowSavedAtOnceHoldsOnlyTodayAsItsItemAndSentDates) {
    press(form, "btn_add");
    EXPECT_EQ(enabledButtons(form), "btn_save btn_cancel btn_export_csv btn_open_file");
    component<QComboBox>(form, "fld_category")->setCurrentText("CHILD SUPPORT");
    press(form, "btn_save");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(enabledButtons(form),
              "btn_add btn_edit btn_delete btn_export_csv btn_open_file btn_history");

    const QDate today = QDate::currentDate();
    const QString dates = QStringList(2, today.toString("yyyy-MM-dd") + "T00:00:00.000").join('|') +
                          "|" + QStringList(6, "1901-01-01T00:00:00.000").join('|');
    // DATE_1ST_TRY is not on the form: it keeps its default.
    EXPECT_EQ(stored("CATEGORY, ITEM_DATE, DATE_SENT, DATE_AVAIL, DATE_2ND_TRY, DATE_3RD_TRY, "
                     "DATE_DEL, DATE_RETURNED, DATE_CLEAR, YYYYMMDD, DAYS_SENT_TO_AVAIL, "
                     "DAYS_SENT_TO_DEL, DAYS_AVAIL_TO_DEL, DAYS_DEL_TO_CLEAR, DAYS_SENT_TO_CLEAR, "
                     "SS_AMT, RP_AMT, CS_AMT, OTHER_AMT, DATE_1ST_TRY"),
              QStringList("CHILD SUPPORT|" + dates + "|" + today.toString("yyyyMMdd") +
                          "|-1|-1|-1|-1|-1|0|0|0|0|1901-01-01T00:00:00.000"));
    EXPECT_GT(stored("PK").value(0).toDouble(), 46000.0);
    EXPECT_FALSE(dataModule.table("QUORVEL_4")->isDirty()) << "the grid shows no stored row";
}

TEST_F(PaymentRecordsFormTest, EditingKeepsTheKeyAndComputesIntervalsFromTheSavedDates) {
    storePayment();
    EXPECT_EQ(edit("fld_date_sent")->text(), kbx::short_date_text(QDate(2004, 2, 2)));
    EXPECT_EQ(edit("fld_date_2nd_try")->text(), "N/A");
    press(form, "btn_edit");
    EXPECT_TRUE(picker("DateTimePicker_date_2nd_try")->isAbsent());
    typeInto(form, "fld_check_nbr", "102a");
    picker("DateTimePicker_date_cleared")->setDate(QDate(2004, 2, 22));
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();

    EXPECT_EQ(
        stored("PK, CHECK_NBR, DATE_CLEAR, DATE_2ND_TRY, DAYS_SENT_TO_AVAIL, DAYS_AVAIL_TO_DEL, "
               "DAYS_SENT_TO_DEL, DAYS_DEL_TO_CLEAR, DAYS_SENT_TO_CLEAR, SS_AMT"),
        QStringList("38018.5|102A|2004-02-22T00:00:00.000|1901-01-01T00:00:00.000|3|4|7|13|"
                    "20|1200"));
}

TEST_F(PaymentRecordsFormTest, PickersLieExactlyOverTheirFieldsOnlyWhileChanging) {
    press(form, "btn_add");
    QTest::qWait(20);
    auto pickerOf = [this](const char* name) { return picker(QString("DateTimePicker_") + name); };
    for (const auto& [field, name] : kDates) {
        EXPECT_TRUE(pickerOf(name)->isVisible()) << name;
        EXPECT_EQ(pickerOf(name)->geometry(), edit(field)->geometry()) << name;
        EXPECT_EQ(pickerOf(name)->parentWidget(), edit(field)->parentWidget());
    }
    form.resize(1200, 800);
    QTest::qWait(20);
    EXPECT_EQ(pickerOf(kDates[3][1])->geometry(), edit(kDates[3][0])->geometry());
    press(form, "btn_cancel");
    for (const auto& [field, name] : kDates)
        EXPECT_FALSE(pickerOf(name)->isVisible()) << name;
    EXPECT_EQ(dataModule.table("QUORVEL_4")->rowCount(), 0);
}

TEST_F(PaymentRecordsFormTest, DeleteAsksAndDeletesOnlyOnYes) {
    storePayment();
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_delete");
    EXPECT_EQ(dialogs.shown(), QStringList("RECORD DELETE REQUESTED: Do You Really Want to "
                                           "Delete The Record, It's permanent!!!!!!!"));
    EXPECT_EQ(stored("PK"), QStringList("38018.5"));

    EXPECT_EQ(count("HISTORY_4"), 0);

    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_delete");
    EXPECT_TRUE(stored("PK").isEmpty());
    EXPECT_EQ(rows("SELECT RECORD_KEY, ACTION, SOURCE FROM HISTORY_4"),
              QStringList("38018.5|DELETED|PAYMENT FORM"));
    const QString held = rows("SELECT CHANGES FROM HISTORY_4").value(0);
    EXPECT_TRUE(held.contains("SS_AMT\t1200.00\t\n")) << held.toStdString();
    EXPECT_TRUE(held.contains("DATE_CLEAR\t2004-02-20\t\n"));
    EXPECT_EQ(held.count('\n') + 1, 31);
}

// A record deleted meanwhile (by another program) is refused, and the
// history gains no entry for it.
TEST_F(PaymentRecordsFormTest, ADeleteOfARecordNoLongerThereIsRefusedAndWritesNoHistory) {
    storePayment();
    execute("DELETE FROM QUORVEL_4");
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_delete");
    EXPECT_TRUE(dialogs.shown().last().contains("The payment record was not deleted."))
        << dialogs.shown().join("\n").toStdString();
    EXPECT_EQ(count("HISTORY_4"), 0);
}

// Choosing a returned date ticks "Save the returned date", and Save stores
// it; the dates the form presets tick nothing, and while the box is not
// ticked every save keeps the stored returned date, absent staying absent.
TEST_F(PaymentRecordsFormTest, AReturnedDateChosenIsSavedAndNeverMovesByItself) {
    auto* box = component<QCheckBox>(form, "cb_save_return_date");
    auto* returned = picker("DateTimePicker_date_returned");
    EXPECT_FALSE(box->isVisible());
    press(form, "btn_add");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->styleSheet().contains("red"));
    EXPECT_TRUE(returned->isAbsent());
    EXPECT_FALSE(box->isChecked());
    press(form, "btn_save");
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(stored("DATE_RETURNED"), QStringList("1901-01-01T00:00:00.000"));

    press(form, "btn_edit");
    returned->setDate(QDate(2004, 3, 3));
    EXPECT_TRUE(box->isChecked());
    press(form, "btn_save");
    EXPECT_EQ(stored("DATE_RETURNED"), QStringList("2004-03-03T00:00:00.000"));
    EXPECT_EQ(edit("fld_date_returned")->text(), kbx::short_date_text(QDate(2004, 3, 3)));

    box->setChecked(false);
    for (const char* check : {"7", "8"}) {
        press(form, "btn_edit");
        EXPECT_EQ(returned->date(), QDate(2004, 3, 3));
        EXPECT_FALSE(box->isChecked());
        typeInto(form, "fld_check_nbr", check);
        press(form, "btn_save");
    }
    EXPECT_EQ(stored("CHECK_NBR, DATE_RETURNED"), QStringList("8|2004-03-03T00:00:00.000"));
}

// Changing a pick list, here through the form F2 opens, never changes what
// the lookup fields of the record being edited hold.
TEST_F(PaymentRecordsFormTest, F2InALookupListOpensPickListsAndKeepsEveryFieldsText) {
    storePayment("UPDATE QUORVEL_4 SET CARRIER = 'UPS   - GROUND', ITEM = 'CHECK'");
    press(form, "btn_edit");
    auto* carrier = component<QComboBox>(form, "fld_carrier");
    QString opened;
    whenModalOpens([&](QWidget* modal) {
        opened = modal ? modal->metaObject()->className() : "";
        TableModel& carriers = *dataModule.table("CARRIER_4");
        carriers.setData(carriers.index(0, 0), "DHL - GROUND");
        TableModel& items = *dataModule.table("ITEM_4");
        items.insertRow(0);
        items.setData(items.index(0, 0), "MONEY ORDER");
        carriers.store();
        items.store();
    });
    QTest::keyClick(carrier->lineEdit(), Qt::Key_F2);
    EXPECT_EQ(opened, "Tpick_list_form");
    EXPECT_EQ(carrier->currentText(), "UPS   - GROUND");
    EXPECT_EQ(component<QComboBox>(form, "fld_item")->currentText(), "CHECK");
    EXPECT_GE(carrier->findText("DHL - GROUND"), 0);
    press(form, "btn_save");
    EXPECT_EQ(stored("CARRIER, ITEM"), QStringList("UPS   - GROUND|CHECK"));
}

TEST_F(PaymentRecordsFormTest, F2InTheItemFileFieldStoresThePathWithoutItsDrive) {
    execute("INSERT INTO CONFIG_4 (BROWSE_START_HERE) VALUES ('/home/pat/scans')");
    dataModule.table("CONFIG_4")->select();
    press(form, "btn_add");
    dialogs.queueChosenFile("D:\\scans\\chk101.tif");
    QTest::keyClick(edit("fld_item_file"), Qt::Key_F2);
    EXPECT_EQ(edit("fld_item_file")->text(), "\\scans\\chk101.tif");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].folder, "/home/pat/scans");
    dialogs.queueChosenFile("");  // cancelled: the field keeps its path
    QTest::keyClick(edit("fld_item_file"), Qt::Key_F2);
    EXPECT_EQ(edit("fld_item_file")->text(), "\\scans\\chk101.tif");
}

TEST_F(PaymentRecordsFormTest, AnEmptyTableShowsEmptyFieldsAndNothingToEditOrDelete) {
    EXPECT_EQ(component<QComboBox>(form, "fld_category")->currentText(), "");
    EXPECT_EQ(component<QComboBox>(form, "fld_carrier")->currentText(), "");
    press(form, "btn_edit");
    press(form, "btn_delete");
    press(form, "btn_history");
    EXPECT_EQ(dialogs.shown(),
              QStringList({"MESSAGE: There is no payment record to edit: press Add to make one.",
                           "MESSAGE: There is no payment record to delete.",
                           "MESSAGE: There is no payment record to show the history of."}));
    press(form, "btn_add");
    typeInto(form, "fld_check_nbr", "303");
    press(form, "btn_cancel");
    EXPECT_EQ(edit("fld_check_nbr")->text(), "");
}

TEST_F(PaymentRecordsFormTest, ClosingWhileChangingAsksBeforeTheChangeIsLost) {
    press(form, "btn_add");
    typeInto(form, "fld_check_nbr", "303");
    dialogs.queueAnswer(Answer::No);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(dialogs.captions(), QStringList("MESSAGE"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(edit("fld_check_nbr")->text(), "303");

    dialogs.queueAnswer(Answer::Yes);
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(dataModule.table("QUORVEL_4")->isDirty());
    EXPECT_TRUE(stored("PK").isEmpty());
}

TEST_F(PaymentRecordsFormTest, GridShowsTheEightColumnsAndMovesBetweenRecords) {
    storePayment("INSERT INTO QUORVEL_4 (PK, CATEGORY, CHECK_NBR) VALUES (38020, 'LEGAL', '202')");
    auto* grid = component<QTableView>(form, "DBGrid1");
    QStringList shown;
    const QSqlRecord columns = dataModule.table("QUORVEL_4")->record();
    for (int column = 0; column < columns.count(); ++column)
        if (!grid->isColumnHidden(column))
            shown.append(columns.fieldName(column));
    EXPECT_EQ(shown, QStringList({"CATEGORY", "ITEM_DATE", "DATE_SENT", "CHECK_NBR", "SS_AMT",
                                  "RP_AMT", "CS_AMT", "OTHER_AMT"}));
    EXPECT_EQ(edit("fld_check_nbr")->text(), "101");
    grid->selectRow(1);
    EXPECT_EQ(edit("fld_check_nbr")->text(), "202");
    press(form, "btn_edit");
    EXPECT_FALSE(grid->isEnabled());
}

// Export writes the stored records the table shows, in its order; a
// cancelled dialog writes nothing, and a record being changed is saved or
// cancelled first.
TEST_F(PaymentRecordsFormTest, ExportWritesTheRecordsTheTableShows) {
    for (const char* pk : {"3", "1", "2"})
        execute(
            QString("INSERT INTO QUORVEL_4 (PK, CATEGORY) VALUES (%1, 'CHILD SUPPORT')").arg(pk));
    dataModule.table("QUORVEL_4")->setFilter("PK <> ?", {2});
    reopen();
    const QString file = workspace.documents() + "/shown.csv";

    dialogs.queueChosenFile(QString());
    press(form, "btn_export_csv");
    EXPECT_FALSE(QFile::exists(file));

    dialogs.queueChosenFile(file);
    press(form, "btn_export_csv");
    EXPECT_EQ(dialogs.messages.back().text, "2 records exported to " + file);
    const QList<QByteArray> lines = bytesOf(file).split('\n');
    ASSERT_EQ(lines.size(), 4);  // the header, two records, the end
    EXPECT_TRUE(lines[1].startsWith("1,CHILD SUPPORT,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("3,CHILD SUPPORT,")) << lines[2].toStdString();

    press(form, "btn_edit");
    press(form, "btn_export_csv");
    EXPECT_TRUE(dialogs.messages.back().text.startsWith("Save or cancel the record"));
}

// Open file hands the item file to the desktop, or says why it cannot; the
// grid shows the payments whose item file is missing on a red ground.
TEST_F(PaymentRecordsFormTest, ItemFilesOpenAndMissingOnesAreMarked) {
    const QString proof = workspace.documents() + "/cheque 1042.pdf";
    writeFile(proof, "");
    const QString gone = workspace.documents() + "/moved away.pdf";
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_FILE) VALUES (1, 'A', '" + proof + "')");
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_FILE) VALUES (2, 'B', '" + gone + "')");
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY) VALUES (3, 'C')");
    reopen();
    auto* grid = component<QTableView>(form, "DBGrid1");
    const int category = dataModule.table("QUORVEL_4")->fieldIndex("CATEGORY");

    grid->setCurrentIndex(grid->model()->index(0, category));
    press(form, "btn_open_file");
    QTest::mouseDClick(edit("fld_item_file"), Qt::LeftButton);
    EXPECT_EQ(dialogs.openedFiles, QStringList({proof, proof}));
    EXPECT_TRUE(dialogs.messages.empty());

    for (int row : {1, 2}) {
        grid->setCurrentIndex(grid->model()->index(row, category));
        press(form, "btn_open_file");
    }
    EXPECT_EQ(dialogs.openedFiles.size(), 2);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("The item file " + gone + " is not there"));
    EXPECT_EQ(dialogs.messages[1].text, "This payment names no item file.");

    grid->clearSelection();
    const QImage shown = grid->viewport()->grab().toImage();
    auto ground = [&](int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, category));
        return shown.pixelColor(cell.right() - 2, cell.center().y());
    };
    EXPECT_EQ(ground(1), QColor(255, 200, 200));
    EXPECT_NE(ground(0), QColor(255, 200, 200));
    EXPECT_NE(ground(2), QColor(255, 200, 200));
}

// History lists the current payment's entries newest first, one line per
// column an entry changed, old and new; another payment's entries are not
// among them. While a record is changed the button is not offered.
TEST_F(PaymentRecordsFormTest, HistoryListsTheCurrentPaymentsChangesNewestFirst) {
    for (const char* check : {"202", "101"}) {
        press(form, "btn_add");
        typeInto(form, "fld_check_nbr", check);
        typeInto(form, "fld_spousal_support_amt", "1200");
        press(form, "btn_save");
    }
    press(form, "btn_edit");
    EXPECT_FALSE(buttonEnabled(form, "btn_history"));
    typeInto(form, "fld_spousal_support_amt", "1250.5");
    picker("DateTimePicker_date_cleared")->setDate(QDate(2004, 2, 22));
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();
    const QString key = QString::number(
        rows("SELECT PK FROM QUORVEL_4 WHERE CHECK_NBR = '101'").value(0).toDouble(), 'g', 15);

    const ShownHistory shown = shownHistory([this] { press(form, "btn_history"); });
    EXPECT_EQ(shown.caption, "HISTORY OF PAYMENT " + key);
    const QStringList& lines = shown.lines;
    ASSERT_GT(lines.size(), 4);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\|CHANGED\|DATE_CLEAR\|\|)"
                                   R"(2004-02-22\|PAYMENT FORM$)")
                    .match(lines[0])
                    .hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(lines.mid(1, 2).contains("||SS_AMT|1200.00|1250.50|")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith("|ADDED|PK||" + key + "|PAYMENT FORM")) << lines[3].toStdString();
    EXPECT_EQ(lines.filter("|CHECK_NBR|"), QStringList("||CHECK_NBR||101|"));
}

// Tab walks the fields in reading order, row by row, also on from the
// pickers showing "N/A", and on through the memo to the buttons.
TEST_F(PaymentRecordsFormTest, TabWalksEveryFieldAndButtonInReadingOrder) {
    press(form, "btn_add");
    EXPECT_TRUE(picker("DateTimePicker_date_2nd_try")->isAbsent());
    EXPECT_EQ(tabChain(form, component<QComboBox>(form, "fld_category")).join(' '),
              "fld_category fld_check_nbr fld_item DateTimePicker_item_date "
              "DateTimePicker_date_sent DateTimePicker_date_available DateTimePicker_date_2nd_try "
              "DateTimePicker_date_3rd_try DateTimePicker_date_delivered "
              "DateTimePicker_date_returned DateTimePicker_date_cleared fld_sent_to_avail "
              "fld_sent_to_del fld_avail_to_del fld_del_to_clear fld_sent_to_clear "
              "cb_save_return_date fld_spousal_support_amt fld_retired_pay_amt fld_other_amt "
              "fld_child_support_amt fld_carrier fld_carrier_nbr fld_item_file fld_comment "
              "fld_memo btn_save btn_cancel btn_export_csv btn_open_file");
}

}  // namespace
