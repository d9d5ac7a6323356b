#include "interchange/agency_file.h"

#include "interchange/agency_parser.h"
#include "interchange/verification_tables.h"
#include "store/error.h"
#include "store/rules.h"

#include <QFile>

namespace interchange {

namespace {

QString unreadable() {
    return QStringLiteral("Impossibile leggere il file");
}

/// Appends the rows of one staging table, numbered on from its next identifier.
class StagingWriter {
public:
    explicit StagingWriter(store::Table& table)
        : table_(table)
        , next_(store::rules::nextIdentifier(table, QStringLiteral("Id"))) {}

    void add(const AgencyRow& row) {
        const auto& layout = agencyLayout(row.kind);
        table_.append();
        table_.field(0).setAsInteger(next_++);
        for (size_t i = 0; i < layout.size(); ++i)
            table_.field(int(i) + 1).setAsString(row.values[qsizetype(i)]);
        table_.post();
    }

private:
    store::Table& table_;
    int next_;
};

} // namespace

AgencyStaging::AgencyStaging(const QString& folder)
    : riga1(folder, QStringLiteral("riga1"), store::TableSet::Staging)
    , riga2(folder, QStringLiteral("riga2"), store::TableSet::Staging)
    , riga3(folder, QStringLiteral("riga3"), store::TableSet::Staging) {
}

void AgencyStaging::open() {
    try {
        for (store::Table* t : {&riga1, &riga2, &riga3})
            if (!t->active())
                t->open();
    } catch (const store::Error&) {
        close();
        throw store::Error(QStringLiteral("Impossibile aprire le tabelle di acquisizione"));
    }
}

void AgencyStaging::close() {
    for (store::Table* t : {&riga1, &riga2, &riga3})
        t->close();
}

QString stagingFolder(const QString& dataRoot) {
    return dataRoot + QStringLiteral("importdb");
}

AgencyCounts readAgencyFile(const QString& path, AgencyStaging& staging,
                            const std::function<void(int percent)>& progress) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw store::Error(unreadable());
    staging.open();
    std::unique_ptr<store::AtomicWrite> scope;
    try {
        scope = std::make_unique<store::AtomicWrite>(
            std::vector<store::Table*>{&staging.riga1, &staging.riga2, &staging.riga3});
        for (store::Table* t : {&staging.riga1, &staging.riga2, &staging.riga3})
            t->emptyTable();
    } catch (const store::Error&) {
        throw store::Error(QStringLiteral("Impossibile aprire le tabelle di acquisizione"));
    }
    StagingWriter headers(staging.riga1), technicians(staging.riga2), verifications(staging.riga3);
    AgencyCounts counts;
    AgencyParser parser([&](const AgencyRow& row) {
        switch (row.kind) {
        case AgencyKind::Header:
            headers.add(row);
            ++counts.headers;
            break;
        case AgencyKind::Technician:
            technicians.add(row);
            ++counts.technicians;
            break;
        case AgencyKind::Verification:
            verifications.add(row);
            ++counts.verifications;
            break;
        }
    });
    const qint64 total = file.size();
    qint64 done = 0;
    int shown = -1;
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    try {
        for (;;) {
            const qint64 got = file.read(chunk.data(), chunk.size());
            if (got < 0)
                throw store::Error(unreadable());
            if (got == 0)
                break;
            parser.feed(chunk.constData(), got);
            done += got;
            const int percent = total > 0 ? int(done * 100 / total) : 100;
            if (progress && percent != shown)
                progress(shown = percent);
        }
        parser.finish();
        scope->commit();
    } catch (...) {
        cancelPending({&staging.riga1, &staging.riga2, &staging.riga3});
        throw;
    }
    for (store::Table* t : {&staging.riga1, &staging.riga2, &staging.riga3})
        t->first();
    return counts;
}

} // namespace interchange
