// The steps of the soak: what the screens do, through the functions they call.
#include "soak.h"

#include "articles/article_rules.h"
#include "articles/movement_articles.h"
#include "documents/from_movements.h"
#include "interchange/export.h"
#include "movements/movement_commands.h"
#include "movements/movement_filter.h"
#include "movements/movement_rules.h"
#include "movements/verification_rules.h"
#include "store/error.h"

#include <QDate>
#include <QElapsedTimer>
#include <QTime>
#include <array>
#include <cstdio>

namespace soak {
namespace {

const QString kDay = QStringLiteral("dd/MM/yyyy");

void set(store::Table& t, const char* field, const QVariant& value) {
    t.field(QString::fromLatin1(field)).setValue(value);
}
QVariant get(store::Table& t, const char* field) {
    return t.field(QString::fromLatin1(field)).value();
}

QDate dayOf(bench::Random& random) {
    return QDate(bench::kFirstYear, 1, 1).addDays(random.below(bench::kDays));
}

} // namespace

bool Soak::toSomeMovement() {
    store::Table& mov = data_->Tabmov;
    for (int attempt = 0; attempt < 20; ++attempt)
        if (mov.locate(QStringLiteral("Id"), random_.between(1, highestMovement_)))
            return true;
    return false;
}

bool Soak::toSomeDocument() {
    if (documents_.empty())
        return false;
    const int id = documents_[std::size_t(random_.below(int(documents_.size())))];
    data_->Tabdoc.setFiltered(false);
    expect(data_->Tabdoc.locate(QStringLiteral("Id"), id), "documento del soak presente",
           QStringLiteral("documento %1").arg(id));
    return true;
}

void Soak::newMovement() {
    static const std::array<QString, 3> kinds{movements::kindIntervention, movements::kindRepair,
                                              movements::kindSale};
    store::Table& mov = data_->Tabmov;
    movements::newMovement(*data_, movements::kindId(*data_, random_.pick(kinds)));
    set(mov, "ID_ESERCIZIO", random_.between(1, shape_.customers));
    set(mov, "ID_MS", random_.between(1, shape_.models));
    set(mov, "ID_TECNICO", random_.between(1, shape_.technicians));
    set(mov, "MATRICOLA_MS",
        QStringLiteral("SK%1").arg(random_.below(10'000'000), 7, 10, QLatin1Char('0')));
    set(mov, "Nota1", QStringLiteral("PASSO %1").arg(step_));
    set(mov, "Da_fatt_sn", random_.percent(50));
    set(mov, "Rip_art_fatt", random_.percent(50));
    if (random_.percent(60)) {
        set(mov, "Da_fatt4", QStringLiteral("ASSISTENZA TECNICA"));
        set(mov, "Imp_fatt", random_.between(100, 20'000) / 100.0);
        set(mov, "Iva_fatt", random_.percent(80) ? 22 : 10);
    }
    mov.post();
    highestMovement_ = std::max(highestMovement_, get(mov, "Id").toInt());
}

void Soak::editMovement() {
    if (!toSomeMovement())
        return refused_["modifica movimento"]++, void();
    store::Table& mov = data_->Tabmov;
    mov.edit();
    set(mov, "Nota2", QStringLiteral("RIVISTO AL PASSO %1").arg(step_));
    set(mov, "Appuntamento", true);
    set(mov, "Data_app", dayOf(random_));
    set(mov, "Ora_app", QTime(random_.between(8, 18), 0));
    set(mov, "Evasa_sn", random_.percent(50));
    mov.post();
}

void Soak::removeMovement() {
    if (!toSomeMovement())
        return refused_["elimina movimento"]++, void();
    const int id = get(data_->Tabmov, "Id").toInt();
    movements::deleteMovement(*data_);
    movementsWithParts_.erase(id);
    checkMovementGone(id);
}

void Soak::newVerification() {
    if (!toSomeMovement() || movements::newVerificationRefusal(*data_))
        return refused_["nuova verifica"]++, void();
    movements::appendVerification(*data_);
    store::Table& v = data_->Tabmisurazioni;
    if (get(v, "ID_TECNICO").isNull())
        set(v, "ID_TECNICO", random_.between(1, shape_.technicians));
    if (get(v, "ID_MS").isNull())
        set(v, "ID_MS", random_.between(1, shape_.models));
    if (get(v, "MATRICOLA_MS").toString().isEmpty())
        set(v, "MATRICOLA_MS", QStringLiteral("SV%1").arg(step_ % 10'000'000));
    set(v, "TIPO_INTERVENTO", QString::number(random_.between(1, 5)));
    const QDate end = dayOf(random_);
    set(v, "DATA_INI", end.addDays(-random_.below(3)));
    set(v, "DATA_FINE", end);
    set(v, "ESITO", random_.percent(90) ? "0" : "1");
    if (!movements::checkVerificationSave(*data_).message.isEmpty()) {
        v.cancel();
        return refused_["nuova verifica"]++, void();
    }
    v.post();
    const int id = get(v, "ID_MISURAZIONI").toInt();
    touchedVerifications_.insert(id);
    checkVerification(id);
}

void Soak::editVerification() {
    store::Table& v = data_->Tabmisurazioni;
    const int count = v.recordCount();
    if (count == 0)
        return refused_["modifica verifica"]++, void();
    v.setRecNo(random_.between(1, count));
    v.edit();
    set(v, "DATA_FINE", random_.percent(5) ? QVariant() : QVariant(dayOf(random_)));
    v.post();
    const int id = get(v, "ID_MISURAZIONI").toInt();
    touchedVerifications_.insert(id);
    checkVerification(id);
}

void Soak::makeSpareParts() {
    store::Table& parts = data_->Tabarticoli;
    for (int i = 1; i <= 12; ++i) {
        articles::appendArticle(*data_);
        const QString description = QStringLiteral("RICAMBIO SOAK %1").arg(i);
        set(parts, "Descrizione", description);
        set(parts, "Barcode", QStringLiteral("SOAK%1").arg(i));
        set(parts, "Qta", 500);
        set(parts, "Prezzo_vend", 1.5 + i * 2.35);
        set(parts, "Iva", i % 3 ? 22.0 : 10.0);
        parts.post();
        expectedStock_[description] = 500;
    }
}

void Soak::partIn() {
    if (!toSomeMovement())
        return refused_["ricambio al movimento"]++, void();
    store::Table& parts = data_->Tabarticoli;
    articles::showWarehouse(parts);
    const auto it = std::next(expectedStock_.begin(), random_.below(int(expectedStock_.size())));
    expect(parts.locate(QStringLiteral("Descrizione"), it->first), "ricambio in magazzino",
           it->first);
    const int n = random_.between(1, 4);
    if (!articles::addToMovement(parts, data_->Tablmov, n).done())
        return refused_["ricambio al movimento"]++, void();
    it->second -= n;
    movementsWithParts_.insert(get(data_->Tabmov, "Id").toInt());
    checkWarehouse();
}

void Soak::partOut() {
    if (movementsWithParts_.empty())
        return refused_["ricambio al magazzino"]++, void();
    const int id =
        *std::next(movementsWithParts_.begin(), random_.below(int(movementsWithParts_.size())));
    store::Table& mov = data_->Tabmov;
    store::Table& lines = data_->Tablmov;
    expect(mov.locate(QStringLiteral("Id"), id), "movimento con ricambi presente",
           QStringLiteral("movimento %1").arg(id));
    if (lines.isEmpty()) {
        movementsWithParts_.erase(id);
        return refused_["ricambio al magazzino"]++, void();
    }
    lines.setRecNo(random_.between(1, lines.recordCount()));
    const QString description = get(lines, "Descrizione").toString();
    const int n = random_.between(1, std::max(1, get(lines, "Qta").toInt()));
    articles::showWarehouse(data_->Tabarticoli);
    if (!articles::removeFromMovement(data_->Tabarticoli, lines, n).done())
        return refused_["ricambio al magazzino"]++, void();
    if (expectedStock_.count(description))
        expectedStock_[description] += n;
    checkWarehouse();
}

namespace {

/// One line as the document's properties screen stores it; a counted line of quantity zero
/// must be refused by the rules.
bool addLine(store::Table& lines, bench::Random& random, std::uint64_t step) {
    static const std::array<double, 5> discounts{0, 0, 5, 10, 12.5};
    static const std::array<int, 5> rates{22, 22, 10, 4, 0};
    const bool counted = random.percent(85);
    const bool zero = counted && random.percent(4);
    lines.append();
    set(lines, "Linea", QStringLiteral("RIGA DEL PASSO %1").arg(step));
    set(lines, "Xtotale", counted);
    set(lines, "Quantita", zero ? 0.0 : random.between(1, 40) / (random.percent(80) ? 1.0 : 4.0));
    set(lines, "PrezzoE", random.between(1, 500'000) / 100.0);
    set(lines, "ScontoP", random.pick(discounts));
    set(lines, "Iva_riga", random.pick(rates));
    try {
        lines.post();
    } catch (const store::Error&) {
        lines.cancel();
        if (zero)
            return false;
        throw;
    }
    if (zero)
        throw Violation("riga contata di quantità zero accettata");
    return true;
}

} // namespace

void Soak::newDocument() {
    const int id = documents::newDocument(*data_);
    store::Table& doc = data_->Tabdoc;
    set(doc, "Id_cliente", random_.between(1, shape_.customers));
    set(doc, "Data_doc", dayOf(random_));
    for (int i = random_.between(1, 8); i > 0; --i)
        if (!addLine(data_->Tablinee_doc, random_, step_))
            refused_["riga a quantità zero"]++;
    documents::storeDocument(*data_);
    documents_.push_back(id);
    checkDocument(id);
}

void Soak::documentFromMovement() {
    if (!toSomeMovement())
        return refused_["documento da movimento"]++, void();
    const int id =
        documents::generateDocument(*data_, data_->Tabmov, data_->Tablmov, dayOf(random_));
    documents::confirmGenerated(*data_, data_->Tabmov);
    documents_.push_back(id);
    checkDocument(id);
}

void Soak::editDocument() {
    if (!toSomeDocument())
        return refused_["modifica documento"]++, void();
    store::Table& lines = data_->Tablinee_doc;
    const int id = get(data_->Tabdoc, "Id").toInt();
    if (lines.isEmpty() || random_.percent(35)) {
        if (!addLine(lines, random_, step_))
            refused_["riga a quantità zero"]++;
    } else {
        lines.setRecNo(random_.between(1, lines.recordCount()));
        if (random_.percent(30)) {
            lines.deleteRecord();
        } else {
            lines.edit();
            set(lines, "Quantita", random_.between(1, 12));
            set(lines, "PrezzoE", random_.between(1, 90'000) / 100.0);
            lines.post();
        }
    }
    documents::storeDocument(*data_);
    checkDocument(id);
}

void Soak::removeDocument() {
    if (!toSomeDocument())
        return refused_["elimina documento"]++, void();
    const int id = get(data_->Tabdoc, "Id").toInt();
    documents::deleteDocument(*data_);
    std::erase(documents_, id);
    checkDocumentGone(id);
}

void Soak::filterMovements() {
    movements::FilterCriteria c;
    const QDate from = dayOf(random_), to = from.addDays(random_.below(60));
    const bool byInsertion = random_.percent(60), byCustomer = random_.percent(40);
    if (byInsertion) {
        c.insertedFrom = from.toString(kDay);
        c.insertedTo = to.toString(kDay);
    } else {
        c.appointmentFrom = from.toString(kDay);
        c.appointmentTo = to.toString(kDay);
    }
    if (byCustomer)
        c.customer = random_.between(1, shape_.customers);
    if (random_.percent(30))
        c.technician = random_.between(1, shape_.technicians);
    if (random_.percent(30))
        c.type = movements::kindId(*data_, movements::kindIntervention);
    c.fulfilment = random_.pick(std::array{movements::Fulfilment::All, movements::Fulfilment::Done,
                                           movements::Fulfilment::Open});
    const QString text = movements::composeFilter(c);
    const movements::AppliedFilter applied = movements::applyMovementFilter(*data_, text, true);
    expect(!applied.refusal, "filtro composto accettato", text);
    store::Table& mov = data_->Tabmov;
    const int count = mov.recordCount();
    const int date = mov.field(QStringLiteral("Data")).index();
    const int customer = mov.field(QStringLiteral("ID_ESERCIZIO")).index();
    for (int i = 0; i < count && i < 40; ++i) {
        const std::vector<QVariant> row = mov.recordAt(random_.below(count));
        if (byInsertion) {
            const QDate d = row[std::size_t(date)].toDate();
            expect(d >= from && d <= to, "filtro per data di inserimento", text);
        }
        if (byCustomer)
            expect(row[std::size_t(customer)].toInt() == *c.customer, "filtro per esercizio", text);
    }
    movements::applyMovementFilter(*data_, QString(), false);
}

void Soak::exportQuarter() {
    const int quarter = random_.between(1, 4);
    interchange::exportToVerification(year_, target_, quarter);
    store::Table own(year_, QStringLiteral("misurazioni"));
    own.open();
    own.setFilter(interchange::quarterFilter(quarter));
    own.setFiltered(true);
    target_.misurazioni.refresh();
    expect(own.recordCount() == target_.misurazioni.recordCount(),
           "esportate tutte le verifiche del trimestre",
           QStringLiteral("trimestre %1: %2 nell'anno, %3 esportate")
               .arg(quarter)
               .arg(own.recordCount())
               .arg(target_.misurazioni.recordCount()));
}

void Soak::run() {
    using Step = void (Soak::*)();
    struct Kind {
        const char* name;
        Step step;
        int weight;
    };
    static const Kind kinds[] = {
        {"nuovo movimento", &Soak::newMovement, 15},
        {"modifica movimento", &Soak::editMovement, 10},
        {"elimina movimento", &Soak::removeMovement, 5},
        {"nuova verifica", &Soak::newVerification, 12},
        {"modifica verifica", &Soak::editVerification, 8},
        {"ricambio al movimento", &Soak::partIn, 10},
        {"ricambio al magazzino", &Soak::partOut, 7},
        {"nuovo documento", &Soak::newDocument, 8},
        {"documento da movimento", &Soak::documentFromMovement, 5},
        {"modifica documento", &Soak::editDocument, 10},
        {"elimina documento", &Soak::removeDocument, 3},
        {"filtro movimenti", &Soak::filterMovements, 6},
        {"esportazione", &Soak::exportQuarter, 1},
    };
    int total = 0;
    for (const Kind& k : kinds)
        total += k.weight;

    kind_ = "dati generati";
    baseline_ = sweep();
    std::printf("anno di %d movimenti; %zu record già fuori regola nei dati generati\n",
                options_.movements, baseline_.size());
    kind_ = "ricambi";
    makeSpareParts();

    QElapsedTimer clock, sinceSweep;
    clock.start();
    sinceSweep.start();
    while (clock.elapsed() < qint64(options_.seconds * 1000)) {
        ++step_;
        int pick = random_.below(total);
        const Kind* k = kinds;
        while (pick >= k->weight)
            pick -= k++->weight;
        kind_ = k->name;
        (this->*k->step)();
        steps_[k->name]++;
        if (sinceSweep.elapsed() > 120'000) {
            kind_ = "verifica completa";
            for (const QString& broken : sweep())
                expect(baseline_.count(broken), "regole dell'anno intero", broken);
            sinceSweep.restart();
            std::printf("%.1f min, %llu passi\n", clock.elapsed() / 60000.0,
                        static_cast<unsigned long long>(step_));
            std::fflush(stdout);
        }
    }
    kind_ = "verifica finale";
    for (const QString& broken : sweep())
        expect(baseline_.count(broken), "regole dell'anno intero", broken);
}

} // namespace soak
