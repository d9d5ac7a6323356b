// The whole-year check of the soak finds each broken promise, and only those.
#include "sweep.h"

#include "support/fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>

namespace {

using Values = std::initializer_list<std::pair<const char*, QVariant>>;

void add(const QString& folder, const char* table, Values values) {
    store::Table t(folder, QString::fromLatin1(table));
    t.open();
    t.append();
    for (const auto& [field, value] : values)
        t.field(QString::fromLatin1(field)).setValue(value);
    t.post();
}

void change(const QString& folder, const char* table, const char* field, const QVariant& value) {
    store::Table t(folder, QString::fromLatin1(table));
    t.open();
    t.first();
    t.edit();
    t.field(QString::fromLatin1(field)).setValue(value);
    t.post();
}

/// A movement with its verification and spare part, a document of one counted line at 22% and
/// one descriptive line, as the rules leave them.
void soundYear(const QString& y) {
    add(y, "MOV", {{"Id", 1}});
    add(y, "misurazioni",
        {{"ID_MISURAZIONI", 1},
         {"Id_mov", 1},
         {"ID_ESERCIZIO", 1},
         {"ID_MS", 1},
         {"ID_TECNICO", 1},
         {"DATA_FINE", QDate(2026, 5, 20)},
         {"TRIMESTRE", "2"}});
    add(y, "Mov_articoli", {{"Id", 1}, {"Id_mov", 1}, {"Qta", 2}});
    add(y, "doc", {{"Id", 1}, {"Importo_docE", 20.0}, {"Iva_docE", 4.4}, {"Totale_docE", 24.4}});
    add(y, "linee_doc",
        {{"Id", 1},
         {"Id_doc", 1},
         {"Xtotale", true},
         {"Quantita", 2.0},
         {"PrezzoE", 10.0},
         {"ScontoP", 0.0},
         {"Iva_riga", 22},
         {"Totale_rigaE", 20.0}});
    add(y, "linee_doc", {{"Id", 2}, {"Id_doc", 1}, {"Xtotale", false}, {"Linea", "NOTA"}});
}

TEST(SoakSweep, FindsEachBrokenPromiseOfTheYear) {
    const QString totals = "totali del documento uguali alla somma delle righe 1";
    const struct {
        const char* name;
        std::function<void(const QString&)> damage;
        std::set<QString> broken;
    } cases[] = {
        {"sound", [](const QString&) {}, {}},
        {"total off by a cent",
         [](const QString& y) { change(y, "doc", "Totale_docE", 24.41); },
         {totals}},
        {"line amount not price times quantity",
         [](const QString& y) { change(y, "linee_doc", "Totale_rigaE", 19.0); },
         {totals}},
        {"quarter not of the end date",
         [](const QString& y) { change(y, "misurazioni", "TRIMESTRE", "1"); },
         {"trimestre della verifica secondo la data di fine 1"}},
        {"verification of a movement gone",
         [](const QString& y) { change(y, "misurazioni", "Id_mov", 2); },
         {"verifica con il suo movimento 1"}},
        {"spare part of a movement gone",
         [](const QString& y) { change(y, "Mov_articoli", "Id_mov", 9); },
         {"ricambio con il suo movimento 1"}},
        {"line of a document gone",
         [](const QString& y) { change(y, "linee_doc", "Id_doc", 7); },
         {"riga con il suo documento 7", totals}},
    };
    for (const auto& c : cases) {
        testsupport::YearFolder year;
        soundYear(year.path());
        c.damage(year.path());
        soak::Tally checked;
        EXPECT_EQ(soak::brokenRecords(year.path(), checked), c.broken) << c.name;
    }
}

TEST(SoakSweep, VatRoundedLineByLineIsNoDisagreement) {
    testsupport::YearFolder year;
    const QString y = year.path();
    // Three lines of 0.05 at 22%: 0.01 VAT each, 0.03 in all, where the unrounded sum is 0.033.
    add(y, "doc", {{"Id", 1}, {"Importo_docE", 0.15}, {"Iva_docE", 0.03}, {"Totale_docE", 0.18}});
    for (int id = 1; id <= 3; ++id)
        add(y, "linee_doc",
            {{"Id", id},
             {"Id_doc", 1},
             {"Xtotale", true},
             {"Quantita", 1.0},
             {"PrezzoE", 0.05},
             {"Iva_riga", 22},
             {"Totale_rigaE", 0.05}});
    soak::Tally checked;
    EXPECT_TRUE(soak::brokenRecords(y, checked).empty());
}

} // namespace
