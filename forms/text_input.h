#pragma once

class QLineEdit;

// Turns every letter typed into the field to upper case.
void upperCaseAsTyped(QLineEdit* field);
