#include "generate_year.h"

#include "sqlite_util.h"
#include "store/catalogue.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

namespace {

// Bump when the generated content changes, so that cached years are made again.
constexpr int kGeneratorVersion = 3;
constexpr const char* kStampName = "bench-year.stamp";

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// ---------------------------------------------------------------------------------------------
// Name material. Many shops share their first words ("BAR ", "TABACCHERIA ROSSI"), as in a real
// customer list, so partial searches meet long runs of equal prefixes.

constexpr std::array kSurnames = {
    "ROSSI",   "RUSSO",   "FERRARI",    "ESPOSITO",   "BIANCHI",    "ROMANO",   "COLOMBO",
    "RICCI",   "MARINO",  "GRECO",      "BRUNO",      "GALLO",      "CONTI",    "DE LUCA",
    "MANCINI", "COSTA",   "GIORDANO",   "RIZZO",      "LOMBARDI",   "MORETTI",  "BARBIERI",
    "FONTANA", "SANTORO", "MARIANI",    "RINALDI",    "CARUSO",     "FERRARA",  "GALLI",
    "MARTINI", "LEONE",   "LONGO",      "GENTILE",    "MARTINELLI", "VITALE",   "LOMBARDO",
    "SERRA",   "COPPOLA", "DE SANTIS",  "D'ANGELO",   "MARCHETTI",  "PARISI",   "VILLA",
    "CONTE",   "FERRO",   "FABBRI",     "BIANCO",     "MARINI",     "GRASSO",   "VALENTINI",
    "MESSINA", "SALA",    "DE ANGELIS", "GATTI",      "PELLEGRINI", "PALUMBO",  "SANNA",
    "FARINA",  "RIVA",    "MONTI",      "CATTANEO",   "MORELLI",    "AMATO",    "SILVESTRI",
    "MAZZA",   "TESTA",   "GRASSI",     "PELLEGRINO", "CARBONE",    "GIULIANI", "BENEDETTI",
};

// Men's names first, then women's (kMenNames of them), so that sex and fiscal code agree.
constexpr int kMenNames = 20;
constexpr std::array kFirstNames = {
    "MARIO",     "GIUSEPPE",   "GIOVANNI",  "ANTONIO",   "LUCA",      "MARCO",   "ANDREA",
    "FRANCESCO", "ALESSANDRO", "ROBERTO",   "STEFANO",   "PAOLO",     "ANGELO",  "VINCENZO",
    "SALVATORE", "DOMENICO",   "MASSIMO",   "CLAUDIO",   "FABIO",     "GIORGIO", "MARIA",
    "ANNA",      "GIUSEPPINA", "ROSA",      "ANGELA",    "GIOVANNA",  "TERESA",  "LUCIA",
    "CARMELA",   "CATERINA",   "FRANCESCA", "ANNAMARIA", "ANTONELLA", "CARLA",   "ELENA",
    "PAOLA",     "LAURA",      "SILVIA",    "CHIARA",    "SARA",
};

static_assert(kMenNames < int(kFirstNames.size()));

constexpr std::array kTrades = {
    "BAR",
    "TABACCHERIA",
    "ALIMENTARI",
    "FERRAMENTA",
    "PANIFICIO",
    "MACELLERIA",
    "FARMACIA",
    "PROFUMERIA",
    "EDICOLA",
    "PIZZERIA",
    "RISTORANTE",
    "TRATTORIA",
    "GELATERIA",
    "PASTICCERIA",
    "OTTICA",
    "CALZATURE",
    "ABBIGLIAMENTO",
    "CARTOLERIA",
    "FIORERIA",
    "GIOCATTOLI",
    "LIBRERIA",
    "MERCERIA",
    "ORTOFRUTTA",
    "PESCHERIA",
    "SALUMERIA",
    "ENOTECA",
    "CAFFETTERIA",
    "SUPERMERCATO",
    "MINIMARKET",
    "AUTORICAMBI",
    "ELETTRODOMESTICI",
    "GIOIELLERIA",
    "OROLOGERIA",
    "PARRUCCHIERIA",
    "CENTRO ESTETICO",
    "BAR TABACCHI",
    "BAR PASTICCERIA",
    "PIZZERIA RISTORANTE",
    "DISTRIBUTORE",
    "LAVANDERIA",
};

constexpr std::array kSignNames = {
    "CENTRALE",   "DEL CORSO",    "DELLA STAZIONE", "ROMA",      "ITALIA",      "AURORA",
    "DEL SOLE",   "LA PIAZZETTA", "DA GINO",        "DA MARIO",  "IL GIARDINO", "LA ROTONDA",
    "SAN MARCO",  "MODERNO",      "LA PERLA",       "DEL PORTO", "STELLA",      "IL PORTICO",
    "LA FONTANA", "DEI MILLE",    "GARIBALDI",      "MAZZINI",   "EUROPA",      "DUOMO",
    "LA BOTTEGA", "DEL BORGO",    "SPORT",          "AL PONTE",  "DEL MERCATO", "VERDE",
};

constexpr std::array kLegalForms = {"S.N.C.", "S.R.L.", "S.A.S.", "& C.", "S.R.L.S."};

constexpr std::array kStreets = {
    "VIA ROMA",         "VIA GARIBALDI",  "CORSO ITALIA",  "VIA MAZZINI",
    "PIAZZA DUOMO",     "VIA VERDI",      "VIA CAVOUR",    "VIALE EUROPA",
    "VIA DANTE",        "VIA MARCONI",    "VIA DEI MILLE", "CORSO VITTORIO EMANUELE",
    "VIA XX SETTEMBRE", "PIAZZA MERCATO", "VIA NAZIONALE", "VIA MATTEOTTI",
    "VIA GRAMSCI",      "VIA PO",         "VIA TORINO",
};

constexpr std::array kClosingDays = {"LUNEDI", "MARTEDI", "MERCOLEDI", "GIOVEDI", "DOMENICA"};

constexpr std::array kBrands = {"OLIVETTI", "RCH",   "CUSTOM", "EPSON", "DITRON",
                                "SAREMA",   "HUGIN", "AXON",   "MCT",   "WALTHER"};

constexpr std::array kModelWords = {"PRINT", "FORM",  "SMART", "ONE", "NEXT", "FLAT",
                                    "TOUCH", "LIGHT", "PLUS",  "NET", "CASH", "ECR"};

constexpr std::array kNotes = {
    "SOSTITUZIONE ROTOLO GIORNALE ELETTRONICO",
    "VERIFICA PERIODICA BIENNALE",
    "CAMBIO BATTERIA TAMPONE",
    "AGGIORNAMENTO ALIQUOTE IVA",
    "PROGRAMMAZIONE REPARTI E PLU",
    "STAMPANTE NON TAGLIA LO SCONTRINO",
    "DISPLAY CLIENTE SPENTO",
    "ERRORE MEMORIA FISCALE",
    "ATTIVAZIONE TRASMISSIONE TELEMATICA",
    "CONSEGNA REGISTRATORE NUOVO",
    "RITIRO PER RIPARAZIONE IN LABORATORIO",
    "CHIUSURA GIORNALIERA NON ESEGUITA",
    "INSTALLAZIONE CASSETTO",
    "CONFIGURAZIONE RETE E CERTIFICATO",
};

constexpr std::array kReports = {
    "GUASTO TASTIERA", "CARTA INCEPPATA",       "NON SI ACCENDE",
    "ERRORE DI RETE",  "SCONTRINO ILLEGGIBILE", "BLOCCO IN CHIUSURA",
};

// ---------------------------------------------------------------------------------------------
// Text helpers.

/// Cuts a UTF-8 text to `size` characters, as the store does when it stores a text.
std::string cut(std::string text, int size) {
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue; // continuation byte of the same character
        if (characters++ == size) {
            text.resize(i);
            break;
        }
    }
    return text;
}

// Random draws are made in separate statements: the operands of one expression (a + b, f(a, b))
// are evaluated in an unspecified order, which would make the data depend on the compiler.

std::string digits(Random& random, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += char('0' + random.below(10));
    return out;
}

std::string letters(Random& random, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += char('A' + random.below(26));
    return out;
}

/// An Italian VAT number with a correct check digit.
std::string vatNumber(Random& random) {
    std::string body = digits(random, 7); // company number
    body += "00";                         // office code 001-009
    body += char('1' + random.below(9));
    int sum = 0;
    for (int position = 1; position <= 10; ++position) {
        const int d = body[std::size_t(position - 1)] - '0';
        sum += position % 2 == 0 ? (2 * d) / 10 + (2 * d) % 10 : d;
    }
    return body + char('0' + (10 - sum % 10) % 10);
}

std::string timeOfDay(int secondsOfDay) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", secondsOfDay / 3600, secondsOfDay / 60 % 60,
                  secondsOfDay % 60);
    return text;
}

/// ISO dates of every generated day, plus a margin for appointments after the last one.
class Calendar {
public:
    explicit Calendar(int extraDays) {
        const QDate first(kFirstYear, 1, 1);
        for (int d = 0; d < kDays + extraDays; ++d)
            dates_.push_back(first.addDays(d).toString(Qt::ISODate).toStdString());
    }
    const std::string& operator[](int day) const { return dates_.at(std::size_t(day)); }
    int month(int day) const { return std::stoi(dates_.at(std::size_t(day)).substr(5, 2)); }

private:
    std::vector<std::string> dates_;
};

/// The day of row `index` of `count`: the rows follow the calendar, as records are entered day
/// by day, with a few days' jitter for records entered late or early.
int dayOf(Random& random, std::int64_t index, std::int64_t count) {
    // 64-bit: 1,000,000 rows × 1,096 days overflows nothing, but a larger shape would in int.
    const std::int64_t day = index * kDays / count + random.between(-2, 2);
    return int(std::clamp<std::int64_t>(day, 0, kDays - 1));
}

// ---------------------------------------------------------------------------------------------
// Writing.

/// One table file opened for bulk writing: no journal and no syncing (a failed generation is
/// thrown away whole), a large cache and one transaction.
class BulkFile {
public:
    BulkFile(const QString& folder, const char* table)
        : db_(sql::open(localPath(
              QDir(folder).filePath(QString::fromLatin1(table) + QStringLiteral(".DB"))))) {
        sql::exec(db_.get(), "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
                             "PRAGMA cache_size=-262144; PRAGMA locking_mode=EXCLUSIVE; BEGIN");
    }
    void commit() { sql::exec(db_.get(), "COMMIT"); }
    sqlite3* db() const { return db_.get(); }

private:
    sql::Db db_;
};

/// An INSERT of some columns of a catalogue table, bound column by column in the order given.
/// Texts are cut to their field's size, as the store would.
class Inserter {
public:
    Inserter(const BulkFile& file, const char* table, std::vector<const char*> columns)
        : db_(file.db()) {
        const store::TableDef& def = store::catalogue::year(QString::fromLatin1(table));
        std::string names, marks;
        for (const char* column : columns) {
            const store::FieldDef* field = def.field(QString::fromLatin1(column));
            if (!field)
                throw std::runtime_error(std::string("no field ") + column + " in " + table);
            fields_.push_back(*field);
            names += (names.empty() ? "" : ", ") + sql::quoted(column);
            marks += marks.empty() ? "?" : ", ?";
        }
        stmt_ = sql::prepare(db_, "INSERT INTO " + sql::quoted(def.name.toStdString()) + " (" +
                                      names + ") VALUES (" + marks + ")");
    }

    Inserter& integer(std::int64_t v) {
        sqlite3_bind_int64(stmt_.get(), advance(), v);
        return *this;
    }
    Inserter& boolean(bool v) { return integer(v ? 1 : 0); }
    Inserter& real(double v) {
        sqlite3_bind_double(stmt_.get(), advance(), v);
        return *this;
    }
    Inserter& text(const std::string& v) {
        const int index = advance();
        const store::FieldDef& field = fields_[std::size_t(index - 1)];
        if (v.empty()) // the store keeps an empty text as blank
            sqlite3_bind_null(stmt_.get(), index);
        else if (field.type == store::FieldType::Text && field.size > 0)
            sql::bindText(stmt_.get(), index, cut(v, field.size));
        else
            sql::bindText(stmt_.get(), index, v);
        return *this;
    }
    Inserter& null() {
        sqlite3_bind_null(stmt_.get(), advance());
        return *this;
    }
    /// Stores the row; every column must have been bound.
    void row() {
        if (next_ != int(fields_.size()))
            throw std::runtime_error("row bound with the wrong number of values");
        sql::stepDone(db_, stmt_.get());
        sqlite3_clear_bindings(stmt_.get());
        next_ = 0;
    }

private:
    int advance() {
        if (next_ >= int(fields_.size()))
            throw std::runtime_error("too many values for the row");
        return ++next_;
    }

    sqlite3* db_;
    sql::Stmt stmt_;
    std::vector<store::FieldDef> fields_;
    int next_ = 0;
};

struct Place {
    std::string comune, provincia, cap;
};

struct Customer {
    std::string piva, comune, provincia, cap, indirizzo;
};

std::vector<Place> readPlaces(const QString& folder) {
    std::vector<Place> places;
    const sql::Db db = sql::open(localPath(QDir(folder).filePath(QStringLiteral("COMUNI.DB"))),
                                 SQLITE_OPEN_READONLY);
    const sql::Stmt s = sql::prepare(db.get(), "SELECT COMUNE, PROVINCIAI, CAP FROM COMUNI");
    auto column = [&](int i) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), i));
        return std::string(t ? t : "");
    };
    while (sqlite3_step(s.get()) == SQLITE_ROW)
        places.push_back({column(0), column(1), column(2)});
    if (places.empty())
        places.push_back({"ROMA", "RM", "00100"});
    return places;
}

std::string businessName(Random& random) {
    const std::string surname = random.pick(kSurnames);
    const std::string name = random.pick(kFirstNames);
    const std::string trade = random.pick(kTrades);
    const std::string sign = random.pick(kSignNames);
    const std::string partner = random.pick(kSurnames);
    const std::string form = random.pick(kLegalForms);
    const int kind = random.below(100);
    if (kind < 30)
        return trade + " " + surname + " " + name;
    if (kind < 50)
        return trade + " " + sign;
    if (kind < 65)
        return trade + " " + sign + " DI " + surname + " " + name;
    if (kind < 80)
        return surname + " " + name;
    if (kind < 90)
        return surname + " & " + partner + " " + form;
    return sign + " " + form;
}

std::vector<Customer> writeCustomers(const QString& folder, const YearShape& shape,
                                     Random& random) {
    const std::vector<Place> places = readPlaces(folder);
    std::vector<Customer> customers;
    customers.reserve(std::size_t(shape.customers));
    BulkFile file(folder, "esercizio");
    Inserter insert(file, "esercizio",
                    {"Id_esercizio", "Ragione_sociale", "Piva", "Comune", "Provincia", "Indirizzo",
                     "Cap", "Tel1", "Cell1", "Cognome_nome", "Email1", "Giorno_chiusura",
                     "Commenti"});
    // Identifiers in entry order, names in no order: rs_index order is not insertion order.
    for (int id = 1; id <= shape.customers; ++id) {
        const Place& place = random.pick(places);
        const std::string street = random.pick(kStreets);
        const int number = random.between(1, 250);
        Customer c{vatNumber(random), place.comune, place.provincia, place.cap,
                   street + " " + std::to_string(number)};
        const std::string ownerSurname = random.pick(kSurnames);
        const std::string owner = ownerSurname + " " + random.pick(kFirstNames);
        const std::string phone = digits(random, 2);
        const std::string mobile = random.percent(70) ? digits(random, 9) : std::string();
        insert.integer(id)
            .text(businessName(random))
            .text(c.piva)
            .text(c.comune)
            .text(c.provincia)
            .text(c.indirizzo)
            .text(c.cap)
            .text("0" + phone + " " + digits(random, 7))
            .text(mobile.empty() ? mobile : "3" + mobile)
            .text(owner)
            .text(random.percent(40) ? "cliente" + std::to_string(id) + "@esempio.it" : "")
            .text(random.percent(60) ? random.pick(kClosingDays) : "")
            .text(random.percent(10) ? "PAGA A 30 GIORNI" : "")
            .row();
        customers.push_back(std::move(c));
    }
    file.commit();
    return customers;
}

void writeTechnicians(const QString& folder, const YearShape& shape, const Calendar& calendar,
                      Random& random) {
    BulkFile file(folder, "tecnici");
    Inserter insert(file, "tecnici",
                    {"Id_tecnico", "Cf", "Cognome", "Nome", "Sesso", "Comune_nascita",
                     "Prov_nascita", "Id_nu_sigillo", "Responsabile", "Titolo_studio", "Cogn_nome",
                     "Cogn_no_sigillo", "Data_inizio", "Data_nascita", "Id_sogg", "Vf_sn"});
    for (int id = 1; id <= shape.technicians; ++id) {
        const std::string surname = random.pick(kSurnames);
        const int nameIndex = random.below(int(kFirstNames.size()));
        const std::string name = kFirstNames[std::size_t(nameIndex)];
        const bool man = nameIndex < kMenNames;
        const std::string seal = digits(random, 4);
        const int year = random.between(1960, 1999);
        const int month = random.between(1, 12);
        const int day = random.between(1, 28);
        const std::string born = QDate(year, month, day).toString(Qt::ISODate).toStdString();
        char birth[16]; // the fiscal code's birth part: year, month letter, day (+40 for women)
        std::snprintf(birth, sizeof birth, "%02d%c%02d", year % 100, "ABCDEHLMPRST"[month - 1],
                      man ? day : day + 40);
        std::string code = surname.substr(0, 3) + name.substr(0, 3) + birth + "H";
        code += digits(random, 3);
        code += letters(random, 1);
        insert.integer(id)
            .text(code)
            .text(surname)
            .text(name)
            .text(man ? "M" : "F")
            .text("ROMA")
            .text("RM")
            .text(seal)
            .text(id == 1 ? "S" : "N")
            .text("2")
            .text(surname + " " + name)
            .text(surname + " " + name + " " + seal)
            .text(calendar[random.below(60)])
            .text(born)
            .integer(1)
            .boolean(random.percent(50))
            .row();
    }
    file.commit();
}

void writeModels(const QString& folder, const YearShape& shape, Random& random) {
    BulkFile file(folder, "ms");
    Inserter insert(file, "ms", {"Id_ms", "Marchio_ms", "Denominazione_ms", "Logotipo_ms"});
    for (int id = 1; id <= shape.models; ++id) {
        const std::string brand = random.pick(kBrands);
        const std::string word = random.pick(kModelWords);
        const int number = random.between(1, 99);
        insert.integer(id)
            .text(brand)
            .text(word + " " + std::to_string(number))
            .text(letters(random, 2))
            .row();
    }
    file.commit();
}

std::string serialNumber(Random& random) {
    std::string serial = letters(random, 2);
    return serial + digits(random, 7);
}

void writeMovements(const QString& folder, const YearShape& shape, const Calendar& calendar,
                    const std::vector<Customer>& customers, Random& random) {
    BulkFile file(folder, "MOV");
    Inserter insert(file, "MOV",
                    {"Id",           "Id_tipomov",       "ID_ESERCIZIO", "ID_MS",    "ID_TECNICO",
                     "MATRICOLA_MS", "TIPO_INTERVENTO",  "ESITO",        "Piva",     "COMUNE",
                     "PROVINCIA",    "INDIRIZZO",        "CAP",          "Data",     "Ora",
                     "Nota1",        "Segnalazione",     "Appuntamento", "Data_app", "Ora_app",
                     "Evasa_sn",     "Dal_magazzino_sn", "Da_fatt_sn",   "Fatt_sn",  "Gia_fatt_sn",
                     "Imp_fatt",     "Iva_fatt",         "Rip_art_fatt"});
    for (int id = 1; id <= shape.movements; ++id) {
        const int day = dayOf(random, id - 1, shape.movements);
        const int kind = random.below(100) < 45 ? 1 : random.below(100) < 60 ? 2 : 3;
        const int customer = random.below(shape.customers);
        const Customer& c = customers[std::size_t(customer)];
        const bool appointment = kind != 3 && random.percent(30);
        const bool toInvoice = random.percent(40);
        insert.integer(id)
            .integer(kind)
            .integer(customer + 1)
            .integer(random.between(1, shape.models))
            .integer(random.between(1, shape.technicians))
            .text(serialNumber(random))
            .text(std::to_string(random.between(1, 4)))
            .text(kind == 1 ? (random.percent(95) ? "P" : "N") : "")
            .text(c.piva)
            .text(c.comune)
            .text(c.provincia)
            .text(c.indirizzo)
            .text(c.cap)
            .text(calendar[day])
            .text(timeOfDay(7 * 3600 + 1800 + random.below(12 * 3600)))
            .text(random.pick(kNotes))
            .text(kind == 2 ? random.pick(kReports) : "")
            .boolean(appointment);
        if (appointment)
            insert.text(calendar[day + random.between(1, 30)])
                .text(timeOfDay(8 * 3600 + random.below(20) * 1800));
        else
            insert.null().null();
        insert.boolean(random.percent(85))
            .boolean(kind == 3 && random.percent(20))
            .boolean(toInvoice)
            .boolean(toInvoice && random.percent(70))
            .boolean(toInvoice && random.percent(60));
        if (toInvoice)
            insert.real(random.between(2000, 90000) / 100.0).real(22.0);
        else
            insert.null().null();
        insert.boolean(random.percent(30)).row();
    }
    file.commit();
}

void writeVerifications(const QString& folder, const YearShape& shape, const Calendar& calendar,
                        const std::vector<Customer>& customers, Random& random) {
    BulkFile file(folder, "misurazioni");
    Inserter insert(file, "misurazioni",
                    {"ID_MISURAZIONI", "Id_mov", "ID_ESERCIZIO", "ID_MS", "ID_TECNICO",
                     "MATRICOLA_MS", "TIPO_INTERVENTO", "DATA_INI", "DATA_FINE", "ESITO",
                     "SCARICO_SN", "TRIMESTRE", "COMUNE", "PROVINCIA", "INDIRIZZO", "CAP", "PIVA"});
    for (int id = 1; id <= shape.verifications; ++id) {
        const int day = dayOf(random, id - 1, shape.verifications);
        const int customer = random.below(shape.customers);
        const Customer& c = customers[std::size_t(customer)];
        // The quarter follows the end day, which may fall past a quarter's edge.
        const int end = day + random.below(2);
        insert.integer(id)
            .integer(random.between(1, shape.movements))
            .integer(customer + 1)
            .integer(random.between(1, shape.models))
            .integer(random.between(1, shape.technicians))
            .text(serialNumber(random))
            .text(std::to_string(random.between(1, 4)))
            .text(calendar[day])
            .text(calendar[end])
            .text(random.percent(96) ? "P" : "N")
            .boolean(random.percent(10))
            .text(std::to_string((calendar.month(end) - 1) / 3 + 1))
            .text(c.comune)
            .text(c.provincia)
            .text(c.indirizzo)
            .text(c.cap)
            .text(c.piva)
            .row();
    }
    file.commit();
}

void writeDocuments(const QString& folder, const YearShape& shape, const Calendar& calendar,
                    const std::vector<Customer>& customers, Random& random) {
    BulkFile file(folder, "doc");
    Inserter insert(file, "doc",
                    {"Id", "Id_cliente", "Id_tipodoc", "Numero_doc", "Data_doc", "Piva",
                     "Tipopagamento", "Importo_docE", "Iva_docE", "Totale_docE", "PagataSNP",
                     "Provincia", "Indirizzo", "Comune", "Cap", "Iva1", "Imp1", "Id_mov"});
    std::array<int, 2> numbers{}; // running number per document type
    for (int id = 1; id <= shape.documents; ++id) {
        const int day = dayOf(random, id - 1, shape.documents);
        const int type = random.percent(80) ? 1 : 2;
        const int customer = random.below(shape.customers);
        const Customer& c = customers[std::size_t(customer)];
        const std::int64_t cents = random.between(1000, 250000);
        const std::int64_t vat = (cents * 22 + 50) / 100;
        insert.integer(id)
            .integer(customer + 1)
            .integer(type)
            .integer(++numbers[std::size_t(type - 1)])
            .text(calendar[day])
            .text(c.piva)
            .text(random.percent(50) ? "RIMESSA DIRETTA" : "BONIFICO BANCARIO 30 GG")
            .real(double(cents) / 100.0)
            .real(double(vat) / 100.0)
            .real(double(cents + vat) / 100.0)
            .text(random.percent(70) ? "S" : "N")
            .text(c.provincia)
            .text(c.indirizzo)
            .text(c.comune)
            .text(c.cap)
            .real(22.0)
            .real(double(cents) / 100.0)
            .integer(random.between(1, shape.movements))
            .row();
    }
    file.commit();
}

void writeContracts(const QString& folder, const YearShape& shape, const Calendar& calendar,
                    Random& random) {
    BulkFile file(folder, "ele_contratti");
    Inserter insert(file, "ele_contratti",
                    {"ID", "ID_CLIENTE", "ID_CONTRATTO", "VAL_DAL", "VAL_AL", "DURATA", "IMPORTO",
                     "STATO_PAG", "IVA", "Rinnovo_tacito", "Stato_fatt"});
    for (int id = 1; id <= shape.contracts; ++id) {
        const int day = random.below(kDays - 365);
        insert.integer(id)
            .integer(random.between(1, shape.customers))
            .integer(1)
            .text(calendar[day])
            .text(calendar[day + 364])
            .text("12 MESI")
            .real(random.between(60, 400))
            .text(random.percent(80) ? "PAGATO" : "DA PAGARE")
            .real(22.0)
            .boolean(random.percent(70))
            .text(random.percent(80) ? "FATTURATO" : "")
            .row();
    }
    file.commit();
}

/// What the cached year was made from: generator, shape, and the structure of every template
/// table (so that a changed catalogue makes the cache stale).
QByteArray stampFor(const QString& templateFolder, const YearShape& shape) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QDir dir(templateFolder);
    QStringList files =
        dir.entryList({QStringLiteral("*.DB"), QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw std::runtime_error("no template tables in " + templateFolder.toStdString());
    for (const QString& name : files) {
        hash.addData(name.toUtf8());
        const sql::Db db = sql::open(localPath(dir.filePath(name)), SQLITE_OPEN_READONLY);
        const sql::Stmt s = sql::prepare(
            db.get(), "SELECT coalesce(sql, '') FROM sqlite_master ORDER BY type, name");
        while (sqlite3_step(s.get()) == SQLITE_ROW)
            hash.addData(
                QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0))));
    }
    QByteArray stamp = QStringLiteral("generator %1\nseed %2\ncustomers %3\ntechnicians %4\n"
                                      "models %5\nmovements %6\nverifications %7\n"
                                      "documents %8\ncontracts %9\n")
                           .arg(kGeneratorVersion)
                           .arg(shape.seed)
                           .arg(shape.customers)
                           .arg(shape.technicians)
                           .arg(shape.models)
                           .arg(shape.movements)
                           .arg(shape.verifications)
                           .arg(shape.documents)
                           .arg(shape.contracts)
                           .toUtf8();
    return stamp + "template " + hash.result().toHex() + "\n";
}

void copyTemplate(const QString& templateFolder, const QString& folder) {
    QDir target(folder);
    if (target.exists() && !target.removeRecursively())
        throw std::runtime_error("cannot empty " + folder.toStdString());
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create " + folder.toStdString());
    const QDir source(templateFolder);
    const QStringList files = source.entryList(QDir::Files);
    if (files.isEmpty())
        throw std::runtime_error("empty template folder " + templateFolder.toStdString());
    for (const QString& name : files)
        if (!QFile::copy(source.filePath(name), target.filePath(name)))
            throw std::runtime_error("cannot copy " + name.toStdString());
}

} // namespace

void generateYear(const QString& templateFolder, const QString& folder, const YearShape& shape) {
    if (shape.customers < 1 || shape.technicians < 1 || shape.models < 1 || shape.movements < 1 ||
        shape.verifications < 1 || shape.documents < 1 || shape.contracts < 1)
        throw std::runtime_error("every table of the synthetic year needs at least one record");
    copyTemplate(templateFolder, folder);
    Random random(shape.seed);
    const Calendar calendar(40);
    const std::vector<Customer> customers = writeCustomers(folder, shape, random);
    writeTechnicians(folder, shape, calendar, random);
    writeModels(folder, shape, random);
    writeMovements(folder, shape, calendar, customers, random);
    writeVerifications(folder, shape, calendar, customers, random);
    writeDocuments(folder, shape, calendar, customers, random);
    writeContracts(folder, shape, calendar, random);
}

bool ensureYear(const QString& templateFolder, const QString& folder, const YearShape& shape,
                bool force) {
    const QByteArray stamp = stampFor(templateFolder, shape);
    QFile existing(QDir(folder).filePath(QString::fromLatin1(kStampName)));
    if (!force && existing.open(QIODevice::ReadOnly) && existing.readAll() == stamp)
        return false;
    existing.close();
    // Made aside and moved in place, so an interrupted run never leaves a half year behind.
    const QString partial = folder + QStringLiteral(".partial");
    generateYear(templateFolder, partial, shape);
    QFile out(QDir(partial).filePath(QString::fromLatin1(kStampName)));
    if (!out.open(QIODevice::WriteOnly) || out.write(stamp) != stamp.size())
        throw std::runtime_error("cannot write " + out.fileName().toStdString());
    out.close();
    if (QDir(folder).exists() && !QDir(folder).removeRecursively())
        throw std::runtime_error("cannot replace " + folder.toStdString());
    if (!QDir().rename(partial, folder))
        throw std::runtime_error("cannot move " + partial.toStdString() + " to " +
                                 folder.toStdString());
    return true;
}

QString builtTemplateFolder() {
    return QStringLiteral(MISURATORI_TEMPLATE_DIR);
}

QString defaultYearFolder() {
    const QByteArray fromEnvironment = qgetenv("MISURATORI_BENCH_DATA");
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    return QStringLiteral(MISURATORI_BENCH_DATA_DIR);
}

} // namespace bench
