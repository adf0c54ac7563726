#include "forms/error_guard.h"
#include "forms/record_form.h"
#include "platform/database_error.h"
#include "tests/support/scripted_dialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FormFailingToActivate : public RecordForm {
public:
    using RecordForm::RecordForm;
    void FormActivate() override { throw DatabaseError("activation failed"); }

protected:
    void dropChange() override {}
};

std::function<void()> failing(const char* what) {
    return [what] { throw DatabaseError(what); };
}

TEST(Guard, AFailureInAnyKindOfHandlerIsShownAndTheFormCarriesOn) {
    ScriptedDialogs dialogs;
    FormFailingToActivate form(dialogs, nullptr);
    const Guard guard(dialogs, &form);
    auto* button = new QPushButton(&form);
    auto* field = new QLineEdit(&form);
    QAction item;
    guard.connect(button, &QPushButton::clicked, failing("button failed"));
    guard.connect(&item, &QAction::triggered, [] { throw 42; });
    guard.onKey(field, Qt::Key_F2, failing("key failed"));

    form.show();
    button->click();
    item.trigger();
    QTest::keyClick(field, Qt::Key_F2);
    QTest::keyClicks(field, "ok");

    EXPECT_EQ(dialogs.shown(),
              QStringList({"PROGRAM ERROR: activation failed", "PROGRAM ERROR: button failed",
                           "PROGRAM ERROR: An unexpected error stopped the operation.",
                           "PROGRAM ERROR: key failed"}));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(field->text(), "ok");
}

}  // namespace
