#include "maintenance/database_upgrade.h"

#include "maintenance/backup_restore.h"

namespace database_upgrade {

namespace {

QString backUp(const Locations& locations, const QString& path) {
    const auto ignore = [](const QString&) {};
    return backup_restore::backupDatabase(locations, path, {ignore, ignore});
}

QString notUpgraded(const QString& path, const QString& reason) {
    return QStringLiteral(
               "The database %1 was not brought up to date:\n%2\n\nIt is opened as "
               "it was.")
        .arg(path, reason);
}

}  // namespace

Outcome bringUpToDate(const Locations& locations, const QString& path,
                      const schema_upgrade::RememberedImports& imports,
                      const std::vector<schema::UpgradeStep>& steps) {
    locations.ensureFolder(locations.temporaryFolder());
    const schema_upgrade::StoredVersion stored =
        schema_upgrade::storedVersion(path, locations.temporaryFolder());
    const int latest = steps.back().to();
    schema_upgrade::refuseNewer(path, stored, latest);
    if (!schema_upgrade::isBehind(stored, latest))
        return {};
    Outcome outcome;
    try {
        outcome.backup = backUp(locations, path);
    } catch (const DatabaseError& error) {
        outcome.failure = notUpgraded(
            path, QStringLiteral("the backup made before it failed: ") + error.message());
        return outcome;
    }
    try {
        schema_upgrade::upgrade(path, stored, imports, steps);
        outcome.upgraded = QStringLiteral("The database %1 was brought up to date (version %2 "
                                          "to %3).\nThe backup made before is %4.")
                               .arg(path)
                               .arg(stored.version)
                               .arg(latest)
                               .arg(outcome.backup);
    } catch (const schema_upgrade::StepFailed& failure) {
        outcome.failure =
            notUpgraded(path, failure.message() + QStringLiteral("\nThe backup made before is ") +
                                  outcome.backup + QLatin1Char('.'));
    }
    return outcome;
}

}  // namespace database_upgrade
