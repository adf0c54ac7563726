#include "forms/text_input.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

void upperCaseAsTyped(QLineEdit* field) {
    field->setValidator(new UpperCaseValidator(field));
}
