#include "datastore/settings_store.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A value the settings file cannot take is an error the caller sees, not a
// database forgotten in silence.
TEST(SettingsStoreTest, AValueThatCannotBeWrittenIsAnError) {
    QTemporaryDir hive;
    ASSERT_TRUE(QDir().mkpath(hive.filePath("KELBRIDGE_LABS/QUORVEL4.conf")));
    SettingsStore settings(hive.path());
    EXPECT_THROW(settings.recordCurrentDatabase({"books", "/data/books.gdb"}),
                 whole_file::WriteError);
    EXPECT_THROW(settings.recordImportedFile("books", "ab12", "alerts.txt"),
                 whole_file::WriteError);
}

}  // namespace
