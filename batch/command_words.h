#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// The words of a quorvel4-batch command after its name.
namespace batch {

// A command's operands and the options it was given, of those the tool
// knows: "--from DATE", "--to DATE", "--pdf FILE", "--record KEY", "--save",
// "--replace", and the words of any other option the command takes, by its
// name.
struct Options {
    QStringList operands{};
    QDate from{};
    QDate to{};
    QString pdf{};
    QString record{};
    bool save = false;
    bool replace = false;
    QMap<QString, QString> values{};
};

// The operands and options of `words`, options only of those `taken`;
// nothing, and what is wrong in `wrong`, when they are not the command's.
std::optional<Options> optionsOf(const QString& command, const QStringList& words,
                                 const QStringList& taken, QString& wrong);

// A wrong command: prints what is wrong and where to read how it goes;
// returns the exit status 2.
int misused(QTextStream& err, const QString& what);

}  // namespace batch
