#pragma once

#include <QDate>
#include <QDateTime>
#include <QMap>
#include <QString>

// The utility module every part of the program leans on: folders, the
// settings store, the version, date and time texts, reference numbers and
// the fixed-width column writer of the reports.
namespace kbx {

// "PERSONAL" gives the user's documents folder without a trailing separator;
// any other name gives an empty text.
QString _kbx_Get_Special_Folder_Location(const QString& folder);

// Settings live in a hive, a folder of settings files, and are addressed as
// "ORGANISATION\APPLICATION[\GROUP...]" plus a value name: the first two
// levels name the file <hive>/ORGANISATION/APPLICATION.conf, the rest the
// groups inside it. An absent value reads as an empty text. A write is on
// the disk when it returns true; the file and the folders it makes are
// readable by their owner only.
QString _kbx_Registry_Read_SZ(const QString& hive, const QString& keyPath,
                              const QString& valueName);
// Every value directly under a key, by value name.
QMap<QString, QString> _kbx_Registry_Read_Values(const QString& hive, const QString& keyPath);
bool _kbx_Registry_Write_SZ(const QString& hive, const QString& keyPath, const QString& valueName,
                            const QString& text);
// The current user's hive: the folder of the user's settings files.
QString current_user_hive();

// "FileVersion" gives the program's version; any other item an empty text.
QString _kbx_Get_Versioning_Info(const QString& item);

// "YYYY-MM-DD-HH-MM-SS" of the local time.
QString _kbx_yyyy_mm_dd_hh_mm_ss(const QDateTime& when = QDateTime::currentDateTime());

QString _kbx_Date_To_YYYYMMDD(const QDateTime& when);
QString _kbx_Date_To_MM_DD_YYYY(const QDateTime& when);

// A reference number: the days since 30 December 1899 with the time of day
// as the fraction, in steps of 1e-10 day (15 significant digits). Each call
// returns a number greater than every one handed out or recorded before in
// this process.
double _kbx_refnum_from_tdatetime();
// Records a key a caller derived from a reference number (an importer adds
// 1e-10 per record), so that later reference numbers stay above it.
void _kbx_refnum_record_used(double key);
// The reference number of a given moment, without the uniqueness guarantee.
double refnum_of(const QDateTime& when);

// When both texts are dates in the short date format, sets `isValid` and the
// whole days from the earlier to the later date; otherwise leaves both alone.
void _kbx_verify_date_diffs(const QString& earlierText, const QString& laterText, bool& isValid,
                            int& days);

QString _kbx_replace_char_in_string(const QString& text, const QString& from, const QString& to);

QString _kbx_ComputerName();

// Appends `cell` fitted to exactly `width` characters, padded with the first
// character of `fill`, then `gap` blanks. Flag "N" aligns left and cuts a
// longer cell to the width; flag "Y" aligns right and never cuts, so a long
// number keeps every digit and runs into the gap.
void _kbx_format_output(const QString& cell, QString& line, int width, int gap, const QString& fill,
                        const QString& flag);

// A path as stored for a chosen file: a leading drive letter and colon
// ("D:") are dropped where present; any other path is kept whole.
QString path_without_drive(const QString& path);

// The locale's short date format with the year always four digits wide.
QString short_date_format();
QString short_date_text(const QDate& date);
// An invalid date when the text is not a date in the short date format.
QDate parse_short_date(const QString& text);

}  // namespace kbx
