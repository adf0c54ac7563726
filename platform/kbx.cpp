#include "platform/kbx.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QSysInfo>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>

namespace kbx {
namespace {

constexpr double kRefnumTicksPerDay = 1e10;

struct SettingsAddress {
    QString file;
    QString key;
};

SettingsAddress addressOf(const QString& hive, const QString& keyPath, const QString& valueName) {
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    while (parts.size() < 2)
        parts.append(QString());
    const QString organisation = parts.takeFirst();
    const QString application = parts.takeFirst();
    parts.append(valueName);
    return {hive + QLatin1Char('/') + organisation + QLatin1Char('/') + application +
                QStringLiteral(".conf"),
            parts.join(QLatin1Char('/'))};
}

// Every value of a settings file, by key.
QMap<QString, QVariant> settingsValues(const QString& file) {
    const QSettings settings(file, QSettings::IniFormat);
    QMap<QString, QVariant> values;
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

// The values a settings file holds on the disk: Qt answers from what it
// keeps in memory of a file it read or wrote, so the file is read under a
// name Qt has never seen.
QMap<QString, QVariant> settingsValuesOnDisk(const QString& file) {
    const QString alias = file + QStringLiteral(".read-") +
                          QString::number(QRandomGenerator::system()->generate64(), 36);
    if (!QFile::link(QFileInfo(file).fileName(), alias))
        return {};
    QMap<QString, QVariant> values = settingsValues(alias);
    QFile::remove(alias);
    return values;
}

// Qt writes a settings file with a short write unnoticed, so the values go
// into a copy beside the file, which is read back whole and compared before
// it takes the file's place.
bool writeSettingsValue(const SettingsAddress& address, const QString& text) {
    QMap<QString, QVariant> expected = settingsValues(address.file);
    expected.insert(address.key, text);
    const QString copy = address.file + QStringLiteral(".part");
    QFile::remove(copy);
    {
        QSettings settings(copy, QSettings::IniFormat);
        for (auto value = expected.cbegin(); value != expected.cend(); ++value)
            settings.setValue(value.key(), value.value());
        settings.sync();
        if (settings.status() != QSettings::NoError || settingsValuesOnDisk(copy) != expected) {
            QFile::remove(copy);
            return false;
        }
    }
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    try {
        whole_file::publish(copy, address.file, whole_file::Existing::Replace);
        return true;
    } catch (const whole_file::WriteError&) {
        return false;
    }
}

std::int64_t ticksOf(double refnum) {
    return std::llround(refnum * kRefnumTicksPerDay);
}

std::mutex refnumMutex;
std::int64_t highestRefnumTicks = 0;

}  // namespace

QString _kbx_Get_Special_Folder_Location(const QString& folder) {
    if (folder != QLatin1String("PERSONAL"))
        return QString();
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString _kbx_Registry_Read_SZ(const QString& hive, const QString& keyPath,
                              const QString& valueName) {
    const SettingsAddress address = addressOf(hive, keyPath, valueName);
    const QSettings settings(address.file, QSettings::IniFormat);
    return settings.value(address.key).toString();
}

QMap<QString, QString> _kbx_Registry_Read_Values(const QString& hive, const QString& keyPath) {
    const SettingsAddress address = addressOf(hive, keyPath, QString());
    QSettings settings(address.file, QSettings::IniFormat);
    settings.beginGroup(address.key);
    QMap<QString, QString> values;
    for (const QString& name : settings.childKeys())
        values.insert(name, settings.value(name).toString());
    return values;
}

bool _kbx_Registry_Write_SZ(const QString& hive, const QString& keyPath, const QString& valueName,
                            const QString& text) {
    const SettingsAddress address = addressOf(hive, keyPath, valueName);
    try {
        whole_file::makeFolders(QFileInfo(address.file).absolutePath());
    } catch (const whole_file::WriteError&) {
        return false;
    }
    return writeSettingsValue(address, text);
}

QString current_user_hive() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString _kbx_Get_Versioning_Info(const QString& item) {
    return item == QLatin1String("FileVersion") ? QStringLiteral(QUORVEL4_VERSION) : QString();
}

QString _kbx_yyyy_mm_dd_hh_mm_ss(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
}

QString _kbx_Date_To_YYYYMMDD(const QDateTime& when) {
    return when.date().toString(QStringLiteral("yyyyMMdd"));
}

QString _kbx_Date_To_MM_DD_YYYY(const QDateTime& when) {
    return when.date().toString(QStringLiteral("MM/dd/yyyy"));
}

double refnum_of(const QDateTime& when) {
    const double days =
        QDate(1899, 12, 30).daysTo(when.date()) + when.time().msecsSinceStartOfDay() / 86'400'000.0;
    return ticksOf(days) / kRefnumTicksPerDay;
}

double _kbx_refnum_from_tdatetime() {
    std::int64_t ticks = ticksOf(refnum_of(QDateTime::currentDateTime()));
    const std::lock_guard lock(refnumMutex);
    ticks = std::max(ticks, highestRefnumTicks + 1);
    highestRefnumTicks = ticks;
    return ticks / kRefnumTicksPerDay;
}

void _kbx_refnum_record_used(double key) {
    const std::lock_guard lock(refnumMutex);
    highestRefnumTicks = std::max(highestRefnumTicks, ticksOf(key));
}

void _kbx_verify_date_diffs(const QString& earlierText, const QString& laterText, bool& isValid,
                            int& days) {
    const QDate earlier = parse_short_date(earlierText);
    const QDate later = parse_short_date(laterText);
    if (!earlier.isValid() || !later.isValid())
        return;
    isValid = true;
    days = static_cast<int>(earlier.daysTo(later));
}

QString _kbx_replace_char_in_string(const QString& text, const QString& from, const QString& to) {
    QString result = text;
    return result.replace(from, to);
}

QString _kbx_ComputerName() {
    return QSysInfo::machineHostName();
}

void _kbx_format_output(const QString& cell, QString& line, int width, int gap, const QString& fill,
                        const QString& flag) {
    const QChar padding = fill.isEmpty() ? QLatin1Char(' ') : fill.front();
    if (flag == QLatin1String("Y"))
        line += cell.rightJustified(width, padding, false);
    else
        line += cell.leftJustified(width, padding, true);
    line += QString(gap, QLatin1Char(' '));
}

QString path_without_drive(const QString& path) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    return QString(path).remove(drive);
}

QString short_date_format() {
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)y{1,2}(?!y)"));
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    return format.replace(shortYear, QStringLiteral("yyyy"));
}

QString short_date_text(const QDate& date) {
    return QLocale().toString(date, short_date_format());
}

QDate parse_short_date(const QString& text) {
    return QLocale().toDate(text.trimmed(), short_date_format());
}

}  // namespace kbx
