#include "payments/payments_report_form.h"
#include "payments/payments_report.h"
#include "reports/report_page.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/report_file.h"
#include "tests/support/scripted_dialogs.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {

class PaymentsReportFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    PaymentsReportFormTest() {
        for (const char* values : {"1, '2004-02-01', 'FEBRUARY'", "2, '2004-03-01', 'MARCH'"})
            execute("INSERT INTO QUORVEL_4 (PK, ITEM_DATE, ITEM, CATEGORY, SS_AMT) VALUES (" +
                    QString(values) + ", 'SPOUSAL SUPPORT', 1500)");
        form.show();
    }

    QListWidgetItem* item(int row) {
        return component<QListWidget>(form, "CheckListBox1")->item(row);
    }
    QStringList memoLines() { return form.lines(); }
    // Every column ticked over payments whose texts fill their columns.
    void tickEveryColumnOfLongText() {
        execute(
            "UPDATE QUORVEL_4 SET CARRIER = 'UNITED STATES POSTAL SERVICE CERTIFIED', "
            "CARR_NBR = '7003 2260 0000 1234 5678 RETURN RECEIPT', ITEM = 'CHEQUE FOR "
            "THE SPOUSAL SUPPORT OF THE MONTH AS THE DECREE ORDERS IT', COMMENT = 'SIGNED "
            "FOR BY THE FORMER SPOUSE AT THE FRONT DOOR, RECEIPT KEPT IN FILE 12'");
        for (int row = 0; row < int(payments_report::items().size()); ++row)
            item(row)->setCheckState(Qt::Checked);
    }

    ScriptedDialogs dialogs;
    TPayments_Report form{dataModule, dialogs, workspace.locations(), nullptr};
};

// Every activation sets the ticks again; the item date cannot be unticked.
TEST_F(PaymentsReportFormTest, ActivationResetsTheTicksAndTheText) {
    item(0)->setCheckState(Qt::Unchecked);
    item(21)->setCheckState(Qt::Checked);
    component<QPlainTextEdit>(form, "fld_memo")->setPlainText("old report");
    form.hide();
    form.show();
    EXPECT_EQ(form.ticks(), payments_report::startTicks());
    EXPECT_EQ(item(19)->checkState(), Qt::Checked);
    EXPECT_FALSE(item(19)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(memoLines(), QStringList{""});
}

// A range of item dates limits the report, which names it under the banner.
// The payment table every form shares is neither filtered nor read again: a
// change the payment form has not saved yet is still there, among every row.
TEST_F(PaymentsReportFormTest, ItemDateRangeLimitsTheReportAndLeavesTheSharedPaymentsAlone) {
    TableModel& payments = *dataModule.table("QUORVEL_4");
    payments.reread();
    const QModelIndex item = payments.index(0, payments.fieldIndex("ITEM"));
    payments.setData(item, "NOT SAVED YET");
    component<QCheckBox>(form, "cb_item_dates")->setChecked(true);
    component<QDateEdit>(form, "fld_from_date")->setDate(QDate(2004, 2, 15));
    component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2004, 3, 31));
    press(form, "btn_generate");
    EXPECT_EQ(memoLines().filter("MARCH").size(), 1);
    EXPECT_EQ(memoLines().filter("FEBRUARY").size(), 0);
    EXPECT_EQ(memoLines().mid(4, 4),
              QStringList({"", "", "ITEM DATES 02/15/2004 TO 03/31/2004", ""}));
    EXPECT_TRUE(payments.filter().isEmpty());
    EXPECT_EQ(payments.rowCount(), 2);
    EXPECT_EQ(payments.data(item).toString(), "NOT SAVED YET");
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// What the user typed into the report is saved, with the closing lines
// both in the file and on screen.
TEST_F(PaymentsReportFormTest, SaveWritesTheEditedTextAndShowsTheClosingLines) {
    press(form, "btn_generate");
    auto* memo = component<QPlainTextEdit>(form, "fld_memo");
    memo->appendPlainText("Checked by my lawyer.");
    const QStringList report = memoLines();
    press(form, "btn_save");
    const QStringList files =
        QDir(workspace.locations().reportsFolder()).entryList({"PAYMENTS___*.TXT"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString path = workspace.locations().reportsFolder() + "/" + files.first();
    const QStringList closing{"", "Saved to file: " + path};
    EXPECT_EQ(memoLines(), report + closing);
    EXPECT_EQ(bytesOf(path), fileBytes(memoLines()));
}

// The PDF, offered in the reports folder, holds every line of the report
// whole, also with every column ticked, on pages each numbered at its foot
// out of the pages the PDF has; a cancelled dialog writes nothing.
TEST_F(PaymentsReportFormTest, PdfHoldsEveryReportLineWholeOnNumberedPages) {
    execute(
        "EXECUTE BLOCK AS DECLARE i INTEGER = 10; BEGIN WHILE (i < 250) DO BEGIN "
        "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT) VALUES (:i, "
        "'SPOUSAL SUPPORT', '2004-02-01', 10); i = i + 1; END END");
    tickEveryColumnOfLongText();
    press(form, "btn_generate");
    dialogs.queueChosenFile(QString());
    press(form, "btn_pdf");
    EXPECT_TRUE(QDir(workspace.documents()).entryList({"*.pdf"}, QDir::Files).isEmpty());
    const QString pdf = workspace.documents() + "/report.pdf";
    dialogs.queueChosenFile(pdf);
    press(form, "btn_pdf");
    EXPECT_EQ(dialogs.fileRequests.at(1).folder, workspace.locations().reportsFolder());
    const QString text = pdfText(pdf);
    // The text comes back with its runs of blanks of other lengths.
    QStringList printed;
    for (const QString& line : text.split('\n'))
        printed << line.simplified();
    ASSERT_GT(memoLines().filter("FORMER SPOUSE AT THE FRONT DOOR").size(), 0);
    for (const QString& line : memoLines())
        EXPECT_TRUE(printed.contains(line.simplified())) << line.toStdString();
    const QStringList pages = text.split('\f');  // the last one empty
    ASSERT_GE(pages.size(), 3);
    for (qsizetype page = 1; page < pages.size(); ++page)
        EXPECT_TRUE(
            pages[page - 1].contains(QString("Page %1 of %2").arg(page).arg(pages.size() - 1)))
            << page;
}

// Paper cannot grow: lines too long for it continue on the next page,
// each starting with its item date again.
TEST_F(PaymentsReportFormTest, PrintedLinesTooLongForThePaperContinueOnTheNextPage) {
    tickEveryColumnOfLongText();
    press(form, "btn_generate");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(workspace.documents() + "/printed.pdf");
    printer.setPageOrientation(QPageLayout::Landscape);
    paintReport(printer, memoLines());
    QList<QStringList> pages;
    for (const QString& page : pdfText(printer.outputFileName()).split('\f')) {
        pages.append(QStringList());
        for (const QString& row : page.split('\n'))
            pages.back() << row.simplified();
    }
    ASSERT_EQ(pages.size(), 3);  // the last one empty
    EXPECT_TRUE(pages[1].contains("Page 2 of 2, the lines of page 1 continued"));
    for (const QString& line : memoLines()) {
        const QString whole = line.simplified();
        QString first;
        for (const QString& row : pages[0])
            if (whole.startsWith(row) && row.size() > first.size())
                first = row;
        const QString rest = whole.mid(first.size()).trimmed();
        if (!rest.isEmpty()) {
            EXPECT_TRUE(pages[1].contains(line.left(12).simplified() + " " + rest))
                << line.toStdString();
        }
    }
}

}  // namespace
