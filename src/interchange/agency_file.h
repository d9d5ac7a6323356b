#pragma once

#include "store/table.h"

#include <QString>
#include <functional>

namespace interchange {

/// The three staging tables of the agency file (riga1 headers, riga2 technicians, riga3
/// verifications) on data root + "importdb".
struct AgencyStaging {
    explicit AgencyStaging(const QString& folder);
    store::Table riga1, riga2, riga3;

    /// Throws store::Error "Impossibile aprire le tabelle di acquisizione" when one will not open.
    void open();
    void close();
};

/// The staging folder of a data root (which ends with a separator).
QString stagingFolder(const QString& dataRoot);

struct AgencyCounts {
    int headers = 0;
    int technicians = 0;
    int verifications = 0;
};

/// Reads the agency file at `path` into the staging tables, emptied first, each row with the
/// next identifier of its table. All or nothing: a file that cannot be read ("Impossibile
/// leggere il file"), a malformed line or a failing table leaves the tables as they were, and
/// throws store::Error with the message for the user. `progress` hears the percentage read.
AgencyCounts readAgencyFile(const QString& path, AgencyStaging& staging,
                            const std::function<void(int percent)>& progress = {});

} // namespace interchange
