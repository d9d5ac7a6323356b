#pragma once

#include "store/dm.h"
#include "store/rules.h"

#include <QString>

/// Registers and movements posted straight through the data module's objects, for the
/// verification tests to stand on.
namespace vertest {

/// A valid VAT number.
inline const QString kVat = QStringLiteral("12345678903");

/// A customer shop in VENEZIA (whose province and postcode the customer rules fill in).
inline int postCustomer(Tdm& data, const QString& name, const QString& vat) {
    store::Table& t = data.Tabesercizio;
    t.append();
    t.field("Ragione_sociale").setAsString(name);
    t.field("Piva").setAsString(vat);
    t.field("Indirizzo").setAsString("CALLE LARGA 1");
    t.field("Comune").setAsString("VENEZIA");
    t.post();
    return t.field("Id_esercizio").asInteger();
}

inline int postTechnician(Tdm& data, const QString& surname, bool qualified) {
    store::Table& t = data.Tabtecnico;
    t.append();
    t.field("Cognome").setAsString(surname);
    t.field("Nome").setAsString("MARIO");
    t.field("Id_nu_sigillo").setAsString("77");
    t.field("Vf_sn").setAsBoolean(qualified);
    t.post();
    return t.field("Id_tecnico").asInteger();
}

inline int postModel(Tdm& data, const QString& brand, const QString& name) {
    store::Table& t = data.Tabms;
    t.append();
    t.field("Marchio_ms").setAsString(brand);
    t.field("Denominazione_ms").setAsString(name);
    t.field("Logotipo_ms").setAsString("AB");
    t.post();
    return t.field("Id_ms").asInteger();
}

/// A movement for the customer (0: none) with its technician and machine; the data module's
/// movement object stays on it.
inline int postMovement(Tdm& data, int customer, int technician, int model) {
    store::Table& t = data.Tabmov;
    const int id = store::rules::nextIdentifier(t, "Id");
    t.append();
    t.field("Id").setAsInteger(id);
    if (customer)
        t.field("ID_ESERCIZIO").setAsInteger(customer);
    t.field("ID_TECNICO").setAsInteger(technician);
    t.field("ID_MS").setAsInteger(model);
    t.field("MATRICOLA_MS").setAsString("AB1234567");
    // The movement's own address, which a verification must not take.
    t.field("INDIRIZZO").setAsString("VIA DEL MOVIMENTO 9");
    t.field("Data").setAsDate(QDate(2026, 12, 9));
    t.post();
    return id;
}

} // namespace vertest
