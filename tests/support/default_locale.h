#pragma once

#include <QLocale>

// The language the program takes numbers in, for as long as this lives.
class DefaultLocale {
public:
    explicit DefaultLocale(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
    ~DefaultLocale() { QLocale::setDefault(before_); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;

private:
    QLocale before_;
};
