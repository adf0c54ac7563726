#include "forms/record_binding.h"
#include "forms/column_delegate.h"
#include "platform/kbx.h"
#include "tests/support/books_database.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A form of payment fields bound to QUORVEL_4, each with its label.
class RecordBindingTest : public ::testing::Test, protected BooksDatabase {
protected:
    RecordBindingTest() {
        layout = new QFormLayout(&form);
        binding = new RecordBinding(*dataModule.table("QUORVEL_4"), &form);
        for (const char* column :
             {"PK", "CHECK_NBR", "DATE_SENT", "ITEM_DATE", "DAYS_SENT_TO_DEL", "SS_AMT"})
            add(column, new QLineEdit);
        auto* list = new QComboBox;
        list->setEditable(true);
        add("CATEGORY", list);
        add("MEMO", new QPlainTextEdit);
    }
    void add(const QString& column, QWidget* field) {
        layout->addRow(column + " LABEL", field);
        binding->bind(field, column);
        fields[column] = field;
    }
    void type(const QString& column, const QString& text) { setEditorText(fields[column], text); }
    QString shown(const QString& column) { return editorText(fields[column]); }
    QStringList stored(const QString& columns) {
        return rows("SELECT " + columns + " FROM QUORVEL_4 ORDER BY PK");
    }
    void post() {
        ASSERT_FALSE(binding->writeFields().has_value());
        QString error;
        ASSERT_TRUE(binding->post(&error)) << error.toStdString();
    }

    QWidget form;
    QFormLayout* layout;
    RecordBinding* binding;
    std::map<QString, QWidget*> fields;
};

TEST_F(RecordBindingTest, WhatIsTypedIsStoredOnPostAndShownAgainAsTyped) {
    const QString sent = kbx::short_date_text(QDate(2004, 2, 9));
    const std::map<QString, QString> typed = {
        {"PK", "38018.5"},          {"CHECK_NBR", "101"},
        {"DATE_SENT", sent},        {"ITEM_DATE", ""},
        {"DAYS_SENT_TO_DEL", "-1"}, {"SS_AMT", "1200.5"},
        {"CATEGORY", "ALIMONY"},    {"MEMO", "Sent late.\nSigned by J."}};
    binding->appendRow();
    for (const auto& [column, text] : typed)
        type(column, text);
    EXPECT_TRUE(stored("PK").isEmpty());
    EXPECT_EQ(qobject_cast<QLineEdit*>(fields["CHECK_NBR"])->maxLength(), 6);
    EXPECT_EQ(qobject_cast<QComboBox*>(fields["CATEGORY"])->lineEdit()->maxLength(), 25);
    post();
    EXPECT_EQ(stored("PK, CHECK_NBR, DATE_SENT, ITEM_DATE IS NULL, DAYS_SENT_TO_DEL, SS_AMT, "
                     "CATEGORY"),
              QStringList("38018.5|101|2004-02-09T00:00:00.000|true|-1|1200.5|ALIMONY"));

    dataModule.table("QUORVEL_4")->select();
    binding->showRow(0);
    for (const auto& [column, text] : typed)
        EXPECT_EQ(shown(column), column == "SS_AMT" ? "1200.50" : text) << column.toStdString();
}

TEST_F(RecordBindingTest, PostShowsThePostedRowWhereverItsKeyPutsItAndCancelGoesBack) {
    execute("INSERT INTO QUORVEL_4 (PK, CHECK_NBR) VALUES (2, '200')");
    execute("INSERT INTO QUORVEL_4 (PK, CHECK_NBR) VALUES (3, '300')");
    dataModule.table("QUORVEL_4")->select();
    binding->showRow(1);
    binding->appendRow();
    type("PK", "1");
    type("CHECK_NBR", "100");
    post();
    EXPECT_EQ(binding->currentRow(), 0);
    EXPECT_EQ(shown("CHECK_NBR"), "100");

    binding->showRow(2);
    type("CHECK_NBR", "999");
    binding->cancel();
    EXPECT_EQ(shown("CHECK_NBR"), "300");
    binding->appendRow();
    binding->cancel();
    EXPECT_EQ(shown("CHECK_NBR"), "300");
    EXPECT_EQ(dataModule.table("QUORVEL_4")->rowCount(), 3);
    EXPECT_FALSE(dataModule.table("QUORVEL_4")->isDirty());
    EXPECT_EQ(stored("CHECK_NBR"), QStringList({"100", "200", "300"}));
}

}  // namespace
