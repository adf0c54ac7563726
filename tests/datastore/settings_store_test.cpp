#include "datastore/settings_store.h"
#include "tests/support/file_limits.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A value the settings file cannot take (a full disk) is an error the
// caller sees, with the system's reason, not a database forgotten in
// silence; the file keeps what it held, and nothing else is left beside it.
TEST(SettingsStoreTest, AValueThatCannotBeWrittenIsAnErrorWithItsReason) {
    QTemporaryDir hive;
    SettingsStore settings(hive.path());
    settings.recordCurrentDatabase({"books", "/data/books.gdb"});
    const QString said = underFileSizeLimit(
        1024, [&] { settings.recordCurrentDatabase({QString(2000, 'b'), "/data/books.gdb"}); });
    EXPECT_TRUE(said.startsWith("The settings file " + hive.path() +
                                "/KELBRIDGE_LABS/QUORVEL4.conf cannot be written (" +
                                fileTooLarge() + ")"))
        << said.toStdString();
    EXPECT_EQ(QDir(hive.filePath("KELBRIDGE_LABS")).entryList(QDir::Files),
              QStringList{"QUORVEL4.conf"});
    EXPECT_EQ(SettingsStore(hive.path()).currentDatabase().path, "/data/books.gdb");
}

}  // namespace
