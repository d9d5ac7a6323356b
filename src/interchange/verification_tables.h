#pragma once

#include "store/table.h"

#include <QString>
#include <initializer_list>
#include <vector>

namespace interchange {

/// The verification program's year folder (holding `misurazioni`) under the folder the user
/// gives, which may be written with backslashes.
QString verificationYearFolder(const QString& folder, const QString& year);
/// Its register folder "dati" (customers, technicians, models, municipalities, the obliged
/// subject and its authorisations).
QString verificationRegisterFolder(const QString& folder);

/// One table object on each table of the verification program.
struct VerificationTables {
    VerificationTables();
    store::Table misurazioni, esercizio, tecnici, ms, comuni, sogg, abilitazioni;

    /// Opens every table on the folders of `folder` and `year`. Throws the table store's
    /// store::Error for the first one missing, and leaves them all closed.
    void open(const QString& folder, const QString& year);
    void close();
    std::vector<store::Table*> all();
};

/// The filter of one quarter's verifications: "[TRIMESTRE]='2'".
QString quarterFilter(int quarter);

/// Empties `target` (whatever its filter) and appends a copy of every record `source` shows,
/// its fields set in the order given.
void replaceRecords(store::Table& source, store::Table& target,
                    std::initializer_list<const char*> fields);

/// Drops the record being appended or edited on each object, as after a failed write.
void cancelPending(const std::vector<store::Table*>& tables);

/// Copies the named fields from the current record of one table object to that of another, each
/// value as it stands: a blank stays blank, a text longer than its target keeps its first
/// characters. The fields are found once, when it is made.
class FieldCopy {
public:
    FieldCopy(store::Table& from, store::Table& to, std::initializer_list<const char*> fields);
    void operator()() const;

private:
    store::Table& from_;
    store::Table& to_;
    std::vector<std::pair<int, int>> positions_;
};

} // namespace interchange
