#include "forms/date_picker.h"
#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/arrears_statement_form.h"
#include "obligations/obligation_store.h"
#include "obligations/obligations_form.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using namespace obligations;

class ObligationsFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    ObligationsFormTest() { form.show(); }

    // A monthly child support obligation typed into the fields after Add.
    void typeMonthly(const QString& amount, const QDate& first, const QDate& last) {
        press(form, "btn_add");
        component<QComboBox>(form, "fld_kind")->setCurrentIndex(int(Kind::ChildSupport));
        typeInto(form, "fld_amount", amount);
        component<QComboBox>(form, "fld_frequency")->setCurrentIndex(int(Frequency::Monthly));
        component<QSpinBox>(form, "fld_due_day")->setValue(31);
        component<DatePicker>(form, "fld_first_due")->setDate(first);
        component<DatePicker>(form, "fld_last_due")->setDate(last);
        typeInto(form, "fld_order", "2023-DR-0042");
    }

    ScriptedDialogs dialogs;
    TObligations_Form form{dataModule, dialogs};
};

// What is typed is stored in exact cents, and an edit writes over its own
// row; a last due date before the first is refused with nothing written, and
// the fields keep what was typed.
TEST_F(ObligationsFormTest, SavedObligationIsStoredExactlyAndARefusedOneWritesNothing) {
    typeMonthly("1234.56", QDate(2024, 1, 31), QDate(2023, 12, 31));
    press(form, "btn_save");
    EXPECT_EQ(count("OBLIGATION_4"), 0);
    ASSERT_EQ(dialogs.captions(), QStringList("MESSAGE"));
    EXPECT_TRUE(dialogs.messages[0].text.endsWith("\nNothing was saved."));
    EXPECT_EQ(component<QLineEdit>(form, "fld_amount")->text(), "1234.56");
    EXPECT_EQ(component<DatePicker>(form, "fld_last_due")->date(), QDate(2023, 12, 31));
    EXPECT_TRUE(buttonEnabled(form, "btn_save"));

    component<DatePicker>(form, "fld_last_due")->setDate(QDate(2024, 12, 31));
    press(form, "btn_save");
    EXPECT_EQ(rows("SELECT KIND, AMOUNT, FREQUENCY, DUE_DAY, FIRST_DUE, LAST_DUE, ORDER_REF "
                   "FROM OBLIGATION_4"),
              QStringList("CS|1234.56|MO|31|2024-01-31T00:00:00.000|2024-12-31T00:00:00.000|"
                          "2023-DR-0042"));
    EXPECT_EQ(loadAll(dataModule.connection()).at(0).amount, 123456);
    EXPECT_EQ(component<QTableWidget>(form, "DBGrid1")->item(0, 1)->text(), "1234.56");

    press(form, "btn_edit");
    typeInto(form, "fld_amount", "0.07");
    press(form, "btn_save");
    EXPECT_EQ(rows("SELECT PK, AMOUNT, ORDER_REF FROM OBLIGATION_4"),
              QStringList("1|0.07|2023-DR-0042"));
}

// A change from a date ends the obligation the day before and adds the new
// amount, frequency and due days from that date; the grid shows both.
TEST_F(ObligationsFormTest, ChangeFromDateEndsOneObligationAndStartsTheNext) {
    typeMonthly("1400.00", QDate(2024, 1, 31), QDate(2025, 12, 31));
    press(form, "btn_save");
    QTimer::singleShot(0, [] {
        QWidget* ask = QApplication::activeModalWidget();
        ASSERT_NE(ask, nullptr);
        component<QDateEdit>(*ask, "fld_change_from")->setDate(QDate(2024, 7, 1));
        typeInto(*ask, "fld_new_amount", "1500.05");
        component<QComboBox>(*ask, "fld_new_frequency")
            ->setCurrentIndex(int(Frequency::TwiceAMonth));
        component<QSpinBox>(*ask, "fld_new_due_day")->setValue(1);
        component<QSpinBox>(*ask, "fld_new_second_due_day")->setValue(15);
        static_cast<QDialog*>(ask)->accept();
    });
    press(form, "btn_change_from");
    EXPECT_EQ(rows("SELECT AMOUNT, FREQUENCY, DUE_DAY, SECOND_DUE_DAY, FIRST_DUE, LAST_DUE "
                   "FROM OBLIGATION_4 ORDER BY PK"),
              QStringList({"1400|MO|31|0|2024-01-31T00:00:00.000|2024-06-30T00:00:00.000",
                           "1500.05|SM|1|15|2024-07-01T00:00:00.000|2025-12-31T00:00:00.000"}));
    EXPECT_EQ(component<QTableWidget>(form, "DBGrid1")->rowCount(), 2);
    EXPECT_EQ(dialogs.captions(), QStringList());
}

class ArrearsStatementFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    ArrearsStatementFormTest() {
        Obligation monthly;
        monthly.amount = 123456;
        monthly.firstDue = QDate(2024, 1, 15);
        add(dataModule.connection(), monthly);
        execute(
            "INSERT INTO QUORVEL_4 (PK, ITEM_DATE, CHECK_NBR, CS_AMT, DATE_SENT) VALUES "
            "(1, '2024-01-10', '101', 1234.56, '2024-01-10')");
        execute(
            "INSERT INTO QUORVEL_4 (PK, ITEM_DATE, CHECK_NBR, CS_AMT, DATE_SENT) VALUES "
            "(2, '2024-02-20', '102', 1000.00, '2024-02-20')");
        form.show();
        component<QDateEdit>(form, "fld_from_date")->setDate(QDate(2024, 1, 1));
        component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2024, 3, 31));
    }
    ArrearsStatement statement() const {
        return storedStatement(dataModule.connection(), QDate(2024, 1, 1), QDate(2024, 3, 31),
                               CountingDate::Sent);
    }

    ScriptedDialogs dialogs;
    Locations locations = workspace.locations();
    TArrears_Statement form{dataModule, dialogs, locations, nullptr};
};

// The form shows the statement of what is stored, and exports its amounts
// due as arrears.csv.
TEST_F(ArrearsStatementFormTest, ShowsTheStoredStatementAndExportsItsCsv) {
    press(form, "btn_generate");
    const QStringList expected =
        arrears_report::build(statement(), report_text::configuration(dataModule.connection()));
    EXPECT_EQ(form.lines(), expected);
    EXPECT_TRUE(expected.contains(arrears_report::balanceLine(QDate(2024, 3, 31), 146912)));

    const QString csv = workspace.documents() + "/arrears.csv";
    QDir().mkpath(workspace.documents());
    dialogs.queueChosenFile(csv);
    press(form, "btn_export_csv");
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), arrears_csv::bytes(statement()));
    EXPECT_EQ(dialogs.shown(),
              QStringList("MESSAGE: The arrears statement was exported to " + csv));
}

}  // namespace
