// The export into the verification program's tables: one quarter's verifications renumbered in
// place of the year's, every register replaced, and nothing changed when it fails.
#include "interchange/export.h"
#include "interchange_support.h"
#include "store/error.h"
#include "store/read_only.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

using ictest::add;
using ictest::rows;

namespace {

class Export : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    ictest::VerificationProgram vp;
    store::Table verifications{year.path(), "misurazioni"};
    store::Table customers{year.path(), "esercizio"};
    store::Table technicians{year.path(), "tecnici"};
    store::Table subjects{year.path(), "soggetto_obbligato"};
    store::Table authorisations{year.path(), "Lsoggetto_obbligato"};

    void SetUp() override {
        for (store::Table* t :
             {&verifications, &customers, &technicians, &subjects, &authorisations})
            t->open();
        const struct {
            int id;
            const char *quarter, *end, *serial;
            QVariant downloaded;
        } own[] = {{1, "1", "10/01/2006", "Q1", false},
                   {2, "2", "20/05/2006", "LATE", true},
                   {3, "2", "02/04/2006", "EARLY", QVariant()}};
        for (const auto& v : own)
            add(verifications, {{"ID_MISURAZIONI", v.id},
                                {"ID_ESERCIZIO", 4},
                                {"ID_MS", 5},
                                {"ID_TECNICO", 6},
                                {"TRIMESTRE", v.quarter},
                                {"DATA_FINE", v.end},
                                {"MATRICOLA_MS", v.serial},
                                {"SCARICO_SN", v.downloaded}});
        add(customers,
            {{"Id_esercizio", 4}, {"Ragione_sociale", "BAR SPORT"}, {"Piva", "12345678903"}});
        add(technicians,
            {{"Id_tecnico", 6}, {"Cognome", "A"}, {"Nome", "B"}, {"Cogn_nome", "VECCHIO"}});
        add(vp.tables.misurazioni,
            {{"ID_MISURAZIONI", 7}, {"TRIMESTRE", "1"}, {"MATRICOLA_MS", "OLD1"}});
        add(vp.tables.misurazioni,
            {{"ID_MISURAZIONI", 9}, {"TRIMESTRE", "2"}, {"MATRICOLA_MS", "OLD2"}});
        add(vp.tables.esercizio, {{"Id_esercizio", 1}, {"Ragione_sociale", "VECCHIO CLIENTE"}});
        add(vp.tables.sogg, {{"Id_sogg_obbl", 3}, {"Man", "VECCHIO"}});
    }
    QStringList exportedVerifications() {
        return rows(vp.tables.misurazioni,
                    {"ID_MISURAZIONI", "MATRICOLA_MS", "TRIMESTRE", "DATA_FINE", "ID_ESERCIZIO",
                     "ID_TECNICO", "SCARICO_SN"});
    }
    /// Every target table's records.
    QStringList targets() {
        QStringList all;
        for (store::Table* t : vp.tables.all())
            all << ictest::contents(*t) << "--";
        return all;
    }
};

} // namespace

TEST_F(Export, AQuarterReplacesEveryVerificationOfTheYearNumberedFromOneByEndDate) {
    interchange::exportToVerification(year.path(), vp.tables, 2);
    EXPECT_EQ(exportedVerifications(),
              (QStringList{"1|EARLY|2|02/04/2006|4|6|", "2|LATE|2|20/05/2006|4|6|"}));
    EXPECT_EQ(rows(vp.tables.esercizio, {"Id_esercizio", "Ragione_sociale", "Piva"}),
              QStringList{"4|BAR SPORT|12345678903"});
    EXPECT_EQ(rows(vp.tables.tecnici, {"Id_tecnico", "Cogn_nome"}), QStringList{"6|A B"});
    // This system's own tables stay as they were.
    EXPECT_EQ(rows(verifications, {"ID_MISURAZIONI", "SCARICO_SN"}),
              (QStringList{"1|False", "2|True", "3|"}));
}

TEST_F(Export, AQuarterWithoutVerificationsEmptiesThemAndStillReplacesTheRegisters) {
    interchange::exportToVerification(year.path(), vp.tables, 3);
    EXPECT_EQ(exportedVerifications(), QStringList());
    EXPECT_EQ(rows(vp.tables.esercizio, {"Id_esercizio"}), QStringList{"4"});
    EXPECT_EQ(rows(vp.tables.sogg, {"Id_sogg_obbl"}), QStringList());
}

TEST_F(Export, OnlyTheFirstObligedSubjectGoesWithItsOwnAuthorisations) {
    add(subjects, {{"Id_sogg_obbl", 1}, {"Man", "PRIMO"}, {"Piva", "01234567897"}});
    add(subjects, {{"Id_sogg_obbl", 2}, {"Man", "SECONDO"}});
    add(authorisations, {{"Id_Lsogg", 10}, {"Id_sogg", 1}, {"Id_al_sigillo", "S10"}});
    add(authorisations, {{"Id_Lsogg", 11}, {"Id_sogg", 2}, {"Id_al_sigillo", "S11"}});
    add(authorisations, {{"Id_Lsogg", 12}, {"Id_sogg", 1}, {"Id_al_sigillo", "S12"}});
    interchange::exportToVerification(year.path(), vp.tables, 2);
    EXPECT_EQ(rows(vp.tables.sogg, {"Id_sogg_obbl", "Man", "Piva"}),
              QStringList{"1|PRIMO|01234567897"});
    EXPECT_EQ(rows(vp.tables.abilitazioni, {"Id_Lsogg", "Id_sogg", "Id_al_sigillo"}),
              (QStringList{"10|1|S10", "12|1|S12"}));
}

namespace {

struct Failure {
    const char* name;
    /// Makes the export fail; what it returns undoes that when destroyed.
    std::function<std::shared_ptr<void>(ictest::VerificationProgram&)> arrange;
};

std::ostream& operator<<(std::ostream& out, const Failure& f) {
    return out << f.name;
}

class ExportFails : public Export, public ::testing::WithParamInterface<Failure> {};

} // namespace

TEST_P(ExportFails, LeavesEveryTargetTableAsItWas) {
    const QStringList before = targets();
    const auto undo = GetParam().arrange(vp);
    EXPECT_THROW(interchange::exportToVerification(year.path(), vp.tables, 2), store::Error);
    EXPECT_EQ(targets(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, ExportFails,
    ::testing::Values(Failure{"UnwritableTable",
                              [](ictest::VerificationProgram& vp) {
                                  return std::make_shared<storetest::ReadOnly>(
                                      vp.registerFile("Lsoggetto_obbligato"));
                              }},
                      Failure{"RecordRefusedHalfWay",
                              [](ictest::VerificationProgram& vp) {
                                  vp.tables.tecnici.on(store::Event::BeforePost, [](store::Table&) {
                                      throw store::Error("Tecnico rifiutato");
                                  });
                                  return std::shared_ptr<void>();
                              }}),
    [](const auto& info) { return std::string(info.param.name); });
