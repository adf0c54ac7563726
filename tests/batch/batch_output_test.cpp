#include "tests/support/file_limits.h"
#include "tests/support/files.h"
#include "tests/support/test_connection.h"
#include "tests/support/user_home.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// With a umask of 0 every file the program writes is its owner's alone, the
// database it makes too, and so is every folder it makes.
TEST(BatchOutputTest, EveryFileAndFolderIsTheOwnersAloneWhateverTheUmask) {
    const mode_t umask = ::umask(0);
    const UserHome home;
    ::umask(umask);
    const QString program = home.filePath("Documents/kl-db/intrbase/quorvel4");
    const QString csv = home.filePath("jobs.csv"), pack = home.filePath("pack.zip");
    for (const QStringList& command :
         {QStringList{"report", "state", "--save"}, QStringList{"export", "jobs", csv},
          QStringList{"pack", "--from", "2004-01-01", "--to", "2004-12-31", pack}})
        ASSERT_EQ(home.run(Q4_BATCH_EXE, command).status, 0) << command.join(' ').toStdString();
    for (const QString& file :
         {program + "/reports/_JOB_SEARCH_STATE_STATS.txt", csv, pack, home.database(),
          home.filePath(".config/KELBRIDGE_LABS/QUORVEL4.conf")})
        EXPECT_EQ(modeOf(file), 0600u) << file.toStdString();
    for (const QString& folder :
         {home.filePath("Documents"), home.filePath("Documents/kl-db"),
          home.filePath("Documents/kl-db/intrbase"), program, program + "/db", program + "/reports",
          program + "/tmp", home.filePath(".config/KELBRIDGE_LABS")})
        EXPECT_EQ(modeOf(folder), 0700u) << folder.toStdString();
}

// Every output of 15,000 payments is larger than the disk takes, and so is
// the summary of a thousand years of weeks (their contacts, none, would
// fit): each command fails with the system's reason and leaves nothing
// behind.
TEST(BatchOutputTest, AFullDiskFailsEveryOutputWithTheSystemsReasonAndLeavesNoFile) {
    const UserHome home;
    {
        TestConnection connection(home.database());
        connection.execute(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < 15000) DO BEGIN INSERT INTO "
            "QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, CARRIER, ITEM) VALUES (:I + 1, 'SPOUSAL "
            "SUPPORT', CAST('2000-01-01' AS DATE) + :I, 1500, 'USPS CERTIFIED MAIL WITH RETURN "
            "RECEIPT', 'SUPPORT OF THE MONTH AS THE COURT ORDERED IT ON THE FIRST DAY'); I = I + "
            "1; END END");
    }
    const rlim_t fullDisk = (1 << 20) + (64 << 10);  // the engine's lock table takes 1 MB
    const QString reports = home.filePath("Documents/kl-db/intrbase/quorvel4/reports");
    const QString pdf = home.filePath("payments.pdf"), csv = home.filePath("payments.csv"),
                  pack = home.filePath("pack.zip");
    for (const QStringList& command :
         {QStringList{"report", "payments", "--save"},
          QStringList{"report", "payments", "--pdf", pdf}, QStringList{"export", "payments", csv},
          QStringList{"pack", "--from", "2000-01-01", "--to", "2099-12-31", pack},
          QStringList{"report", "weeks", "--from", "1000-01-01", "--to", "2099-12-31", "--csv",
                      home.filePath("")}}) {
        const ToolRun run = home.run(Q4_BATCH_EXE, command, fullDisk);
        EXPECT_EQ(run.status, 1) << command.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(fileTooLarge())) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("Saved to file")) << command.join(' ').toStdString();
    }
    // The database, larger than the room left, still opens and is read.
    const ToolRun report = home.run(Q4_BATCH_EXE, {"report", "payments"}, fullDisk);
    EXPECT_EQ(report.status, 0) << report.err.toStdString();
    EXPECT_EQ(entriesOf(reports), QStringList());
    EXPECT_EQ(entriesOf(home.filePath("")), QStringList({".config/", "Documents/"}));
    EXPECT_EQ(entriesOf(home.filePath("Documents/kl-db/intrbase/quorvel4/tmp")), QStringList());
}

}  // namespace
