// What the record rules promise, checked on the files through table objects of the soak's own,
// worked out again here rather than with the rules' own arithmetic.
#include "soak.h"

#include "store/catalogue.h"
#include "store/engine.h"

#include <QDate>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unordered_set>

namespace soak {
namespace {

constexpr double kCent = 0.005 + 1e-9;

QString expectedQuarter(const QDate& end) {
    return end.isValid() ? QString::number((end.month() - 1) / 3 + 1) : QString();
}

/// Calls `each` on every record of `table` in `folder` that `filter` (may be empty) shows.
template <class F>
void forEach(const QString& folder, const char* table, const QString& filter, F each) {
    store::Table t(folder, QString::fromLatin1(table));
    t.open();
    if (!filter.isEmpty()) {
        t.setFilter(filter);
        t.setFiltered(true);
    }
    for (t.first(); !t.eof(); t.next())
        each(t);
}

double number(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).asFloat();
}

/// The sums of a document's lines, each line's amount checked on the way.
struct LineSums {
    double taxable = 0, vat = 0;
    int counted = 0;
    QString badLine;
    void add(store::Table& line) {
        if (!line.field(QStringLiteral("Xtotale")).asBoolean())
            return;
        const double quantity = number(line, "Quantita");
        const double amount = number(line, "Totale_rigaE");
        const double exact =
            number(line, "PrezzoE") * quantity * (1 - number(line, "ScontoP") / 100);
        if (std::abs(amount - exact) > kCent || quantity == 0)
            badLine = line.field(QStringLiteral("Id")).asString();
        taxable += amount;
        vat += amount * line.field(QStringLiteral("Iva_riga")).asInteger() / 100;
        ++counted;
    }
    /// Empty when the document's stored totals agree with its lines; else what differs.
    QString against(store::Table& doc) const {
        const double docTaxable = number(doc, "Importo_docE"), docVat = number(doc, "Iva_docE"),
                     docTotal = number(doc, "Totale_docE");
        if (!badLine.isEmpty())
            return QStringLiteral("importo della riga %1").arg(badLine);
        if (std::abs(docTaxable - taxable) > kCent)
            return QStringLiteral("imponibile %1 contro %2 delle righe")
                .arg(docTaxable)
                .arg(taxable);
        // Each line's VAT is rounded on its own.
        if (std::abs(docVat - vat) > kCent * std::max(1, counted))
            return QStringLiteral("IVA %1 contro %2 delle righe").arg(docVat).arg(vat);
        if (std::abs(docTotal - docTaxable - docVat) > kCent)
            return QStringLiteral("totale %1 contro %2").arg(docTotal).arg(docTaxable + docVat);
        return {};
    }
};

} // namespace

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
    std::set<QString> broken;
    const auto note = [&](bool holds, const char* invariant, const QString& id) {
        invariants_[invariant]++;
        if (!holds)
            broken.insert(QString::fromLatin1(invariant) + QLatin1Char(' ') + id);
    };
    std::unordered_set<int> movementIds, documentIds;
    forEach(year_, "MOV", {}, [&](store::Table& m) {
        movementIds.insert(m.field(QStringLiteral("Id")).asInteger());
    });
    forEach(year_, "misurazioni", {}, [&](store::Table& v) {
        const QString id = v.field(QStringLiteral("ID_MISURAZIONI")).asString();
        note(movementIds.count(v.field(QStringLiteral("Id_mov")).asInteger()),
             "verifica con il suo movimento", id);
        note(v.field(QStringLiteral("TRIMESTRE")).asString() ==
                 expectedQuarter(v.field(QStringLiteral("DATA_FINE")).asDate()),
             "trimestre della verifica secondo la data di fine", id);
    });
    forEach(year_, "Mov_articoli", {}, [&](store::Table& line) {
        note(movementIds.count(line.field(QStringLiteral("Id_mov")).asInteger()),
             "ricambio con il suo movimento", line.field(QStringLiteral("Id")).asString());
    });
    std::map<int, LineSums> sums;
    forEach(year_, "linee_doc", {}, [&](store::Table& line) {
        sums[line.field(QStringLiteral("Id_doc")).asInteger()].add(line);
    });
    forEach(year_, "doc", {}, [&](store::Table& doc) {
        const int id = doc.field(QStringLiteral("Id")).asInteger();
        documentIds.insert(id);
        const auto it = sums.find(id);
        note((it == sums.end() ? LineSums() : it->second).against(doc).isEmpty(),
             "totali del documento uguali alla somma delle righe", QString::number(id));
    });
    for (const auto& [id, lineSums] : sums)
        note(documentIds.count(id), "riga con il suo documento", QString::number(id));
    return broken;
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
