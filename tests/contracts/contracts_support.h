#pragma once

// Shared by the contract tests: a working year with every record rule attached (as in the
// program) and a few records made through the data module's objects.
#include "registry/registry_support.h"

#include <QDate>
#include <initializer_list>
#include <utility>

namespace contractstest {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

class Contracts : public regtest::Registers {
protected:
    /// Appends a record with these values and posts it; answers the value of `idField`.
    QVariant add(store::Table& table, Values values,
                 const QString& idField = QStringLiteral("ID")) {
        table.append();
        for (const auto& [name, value] : values)
            table.field(QString::fromLatin1(name)).setValue(value);
        table.post();
        return table.field(idField).value();
    }
    int customer(const QString& name, Values more = {}) {
        data.Tabesercizio.append();
        data.Tabesercizio.field("Ragione_sociale").setAsString(name);
        for (const auto& [field, value] : more)
            data.Tabesercizio.field(QString::fromLatin1(field)).setValue(value);
        data.Tabesercizio.post();
        return data.Tabesercizio.field("Id_esercizio").asInteger();
    }
    int model(const QString& name) {
        return add(data.Tabms, {{"Denominazione_ms", name}, {"Marchio_ms", "RCH"}}, "Id_ms")
            .toInt();
    }
    /// A machine of `owner`, posted through the shared articles object.
    void machine(int owner, int modelId, const QString& serial, const QString& address = {}) {
        add(data.Tabarticoli,
            {{"Id", 100 + serial.right(2).toInt()},
             {"Id_esercizio", owner},
             {"Id_ms", modelId},
             {"Matricola", serial},
             {"Qta", 1},
             {"Indirizzo", address}},
            "Id");
    }
    /// A stored contract with one line for `serial`; answers its identifier.
    int contract(int owner, const QDate& start, const QString& duration, const QString& serial,
                 int type = 1) {
        data.Tabcontratti.setFiltered(false);
        data.Tabcontratti.append();
        data.Tabcontratti.field("ID_CLIENTE").setAsInteger(owner);
        data.Tabcontratti.field("ID_CONTRATTO").setAsInteger(type);
        data.Tabcontratti.field("VAL_DAL").setAsDate(start);
        data.Tabcontratti.field("DURATA").setAsString(duration);
        data.Tabcontratti.post();
        const int id = data.Tabcontratti.field("ID").asInteger();
        add(data.Tablcontratti,
            {{"ID_ELENCO", id}, {"MATRICOLA", serial}, {"DESCRIZIONE", "MODELLO " + serial}});
        return id;
    }
};

} // namespace contractstest
