// What the record rules promise, checked on the files through table objects of the soak's own,
// worked out again here rather than with the rules' own arithmetic.
#include "soak.h"
#include "sweep.h"

#include "store/catalogue.h"
#include "store/engine.h"

#include <QDate>
#include <cstdio>
#include <filesystem>

namespace soak {

void Soak::expect(bool holds, const char* invariant, const QString& detail) {
    invariants_[invariant]++;
    if (!holds)
        throw Violation(std::string(invariant) + ": " + detail.toStdString());
}

void Soak::checkDocument(int id) {
    const QString mine = QStringLiteral("[Id_doc]='%1'").arg(id);
    LineSums sums;
    forEach(year_, "linee_doc", mine, [&](store::Table& line) { sums.add(line); });
    bool found = false;
    forEach(year_, "doc", QStringLiteral("[Id]='%1'").arg(id), [&](store::Table& doc) {
        found = true;
        const QString wrong = sums.against(doc);
        expect(wrong.isEmpty(), "totali del documento uguali alla somma delle righe",
               QStringLiteral("documento %1: %2").arg(id).arg(wrong));
    });
    expect(found, "documento salvato", QStringLiteral("documento %1").arg(id));
}

void Soak::checkVerification(int id) {
    forEach(year_, "misurazioni", QStringLiteral("[ID_MISURAZIONI]='%1'").arg(id),
            [&](store::Table& v) {
                const QDate end = v.field(QStringLiteral("DATA_FINE")).asDate();
                expect(v.field(QStringLiteral("TRIMESTRE")).asString() == expectedQuarter(end),
                       "trimestre della verifica secondo la data di fine",
                       QStringLiteral("verifica %1, fine %2, trimestre %3")
                           .arg(id)
                           .arg(end.toString(Qt::ISODate),
                                v.field(QStringLiteral("TRIMESTRE")).asString()));
                const QString movement = v.field(QStringLiteral("Id_mov")).asString();
                int movements = 0;
                forEach(year_, "MOV", QStringLiteral("[Id]='%1'").arg(movement),
                        [&](store::Table&) { ++movements; });
                expect(movements == 1, "verifica con il suo movimento",
                       QStringLiteral("verifica %1, movimento '%2'").arg(id).arg(movement));
            });
}

void Soak::checkMovementGone(int id) {
    const QString mine = QStringLiteral("[Id_mov]='%1'").arg(id);
    int left = 0;
    for (const char* table : {"misurazioni", "Mov_articoli"})
        forEach(year_, table, mine, [&](store::Table&) { ++left; });
    forEach(year_, "MOV", QStringLiteral("[Id]='%1'").arg(id), [&](store::Table&) { ++left; });
    expect(left == 0, "movimento eliminato con verifiche e ricambi",
           QStringLiteral("movimento %1: %2 record rimasti").arg(id).arg(left));
}

void Soak::checkDocumentGone(int id) {
    int left = 0;
    forEach(year_, "linee_doc", QStringLiteral("[Id_doc]='%1'").arg(id),
            [&](store::Table&) { ++left; });
    forEach(year_, "doc", QStringLiteral("[Id]='%1'").arg(id), [&](store::Table&) { ++left; });
    expect(left == 0, "documento eliminato con le sue righe",
           QStringLiteral("documento %1: %2 record rimasti").arg(id).arg(left));
}

void Soak::checkWarehouse() {
    forEach(year_, "articoli", QStringLiteral("[Barcode]>='SOAK'"), [&](store::Table& part) {
        const QString description = part.field(QStringLiteral("Descrizione")).asString();
        const auto expected = expectedStock_.find(description);
        if (expected == expectedStock_.end())
            return;
        expect(part.field(QStringLiteral("Qta")).asInteger() == expected->second,
               "giacenza del magazzino secondo i ricambi registrati",
               QStringLiteral("%1: %2 in magazzino, attese %3")
                   .arg(description)
                   .arg(part.field(QStringLiteral("Qta")).asInteger())
                   .arg(expected->second));
    });
}

std::set<QString> Soak::sweep() {
    return brokenRecords(year_, invariants_);
}

Soak::Soak(const Options& options)
    : options_(options)
    , random_(options.seed) {
    shape_.movements = options.movements;
    shape_.verifications = options.movements * 3 / 10;
    shape_.documents = std::max(50, options.movements / 20);
    shape_.contracts = std::max(10, options.movements / 200);
    shape_.customers = std::max(200, options.movements / 20);
    bench::ensureYear(bench::builtTemplateFolder(), options.cache, shape_);
    year_ = work_.filePath(QStringLiteral("anno"));
    program_ = work_.filePath(QStringLiteral("verifiche"));
    std::filesystem::copy(options.cache.toStdString(), year_.toStdString());
    const QString vpYear = interchange::verificationYearFolder(program_, QStringLiteral("2026"));
    const QString vpRegisters = interchange::verificationRegisterFolder(program_);
    std::filesystem::create_directories(vpYear.toStdString());
    std::filesystem::create_directories(vpRegisters.toStdString());
    for (const auto& def : store::catalogue::tables(store::TableSet::VerificationYear))
        store::createTableFile(vpYear, def);
    for (const auto& def : store::catalogue::tables(store::TableSet::VerificationRegister))
        store::createTableFile(vpRegisters, def);
    target_.open(program_, QStringLiteral("2026"));

    data_ = std::make_unique<Tdm>();
    rules_ = std::make_unique<RecordRules>(*data_,
                                           [this](const store::rules::Warning&) { ++warnings_; });
    if (!data_->dmCreate(year_))
        throw std::runtime_error("l'anno generato non si apre");
    forEach(year_, "MOV", {}, [&](store::Table& m) {
        highestMovement_ = std::max(highestMovement_, m.field(QStringLiteral("Id")).asInteger());
    });
}

Soak::~Soak() = default;

void Soak::printFigures() const {
    std::uint64_t steps = 0, checked = 0;
    std::printf("passi:\n");
    for (const auto& [kind, n] : steps_) {
        const auto r = refused_.find(kind);
        std::printf("  %-28s %10llu%s\n", kind.c_str(), static_cast<unsigned long long>(n),
                    r == refused_.end()
                        ? ""
                        : qPrintable(QStringLiteral("  (%1 rifiutati)").arg(r->second)));
        steps += n;
    }
    if (const auto zero = refused_.find("riga a quantità zero"); zero != refused_.end())
        std::printf("  righe a quantità zero rifiutate: %llu\n",
                    static_cast<unsigned long long>(zero->second));
    std::printf("invarianti verificati:\n");
    for (const auto& [invariant, n] : invariants_) {
        std::printf("  %-56s %12llu\n", invariant.c_str(), static_cast<unsigned long long>(n));
        checked += n;
    }
    std::printf("totale: %llu passi, %llu invarianti, %llu avvisi delle regole\n",
                static_cast<unsigned long long>(steps), static_cast<unsigned long long>(checked),
                static_cast<unsigned long long>(warnings_));
}

} // namespace soak
