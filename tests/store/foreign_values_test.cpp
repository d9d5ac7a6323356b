// Values another program or an older copy wrote into a table that do not fit their field: each
// reads as blank, and every filter treats it as the blank it reads as.
#include "store/error.h"
#include "store/table.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <ostream>

using store::Table;

namespace {

struct ForeignValue {
    const char* name;
    const char* field;
    const char* stored; ///< an SQL literal, written by another connection
    const char* read;   ///< what the field reads as; "" for blank
    const char* least;  ///< a literal no value of the field is below
    const char* most;   ///< a literal no value of the field is above
};

std::ostream& operator<<(std::ostream& out, const ForeignValue& c) {
    return out << c.name;
}

} // namespace

class ForeignValues : public ::testing::TestWithParam<ForeignValue> {
protected:
    testsupport::YearFolder year;
    Table movements{year.path(), "MOV"};

    void SetUp() override {
        storetest::raw(year.file("MOV.DB"), QString("INSERT INTO MOV (Id, \"%1\") VALUES (1, %2)")
                                                .arg(GetParam().field, GetParam().stored));
        movements.open();
    }
    /// Whether the filter selects the record.
    bool selects(const QString& filter) {
        movements.setFilter(filter);
        movements.setFiltered(true);
        return movements.recordCount() == 1;
    }
};

TEST_P(ForeignValues, ReadAsBlankAndFilteredAsBlank) {
    const ForeignValue& c = GetParam();
    const QString field = c.field;
    const bool blank = QString(c.read).isEmpty();
    EXPECT_EQ(movements.field(field).asString(), c.read);
    EXPECT_EQ(movements.field(field).isNull(), blank);
    EXPECT_EQ(selects("[" + field + "]=''"), blank);
    EXPECT_EQ(selects("[" + field + "]<>''"), !blank);
    EXPECT_EQ(selects("[" + field + "]>='" + c.least + "'"), !blank);
    EXPECT_EQ(selects("[" + field + "]<='" + c.most + "'"), !blank);
    EXPECT_EQ(selects("[" + field + "]>'" + c.least + "' or [" + field + "]<'" + c.most + "'"),
              !blank);
}

INSTANTIATE_TEST_SUITE_P(
    OutsideTheirType, ForeignValues,
    ::testing::Values(
        ForeignValue{"InteroOltre32Bit", "ID_TECNICO", "3000000000", "", "-2147483648",
                     "2147483647"},
        ForeignValue{"InteroConDecimali", "ID_TECNICO", "2.5", "", "-2147483648", "2147483647"},
        ForeignValue{"InteroScrittoInLettere", "ID_TECNICO", "'dodici'", "", "-2147483648",
                     "2147483647"},
        ForeignValue{"NumeroScrittoInLettere", "Imp_fatt", "'dodici'", "", "-1e300", "1e300"},
        ForeignValue{"LogicoSette", "Evasa_sn", "7", "", "false", "true"},
        ForeignValue{"LogicoScrittoInLettere", "Evasa_sn", "'true'", "", "false", "true"},
        ForeignValue{"DataInesistente", "Data", "'2026-02-31'", "", "01/01/0001", "31/12/9999"},
        ForeignValue{"DataAllItaliana", "Data", "'31/02/2026'", "", "01/01/0001", "31/12/9999"},
        ForeignValue{"DataConTestoInCoda", "Data", "'2026-12-08x'", "", "01/01/0001", "31/12/9999"},
        ForeignValue{"DataAnnoZero", "Data", "'0000-01-01'", "", "01/01/0001", "31/12/9999"},
        ForeignValue{"OraVenticinque", "Ora", "'25:00:00'", "", "00:00", "23:59:59"},
        ForeignValue{"OraSenzaSecondi", "Ora", "'09:05'", "", "00:00", "23:59:59"},
        ForeignValue{"TestoVuotoNonNullo", "Piva", "''", "", " ", "\xc3\xbf\xc3\xbf"},
        ForeignValue{"TestoBinario", "Piva", "x'414243'", "", " ", "\xc3\xbf\xc3\xbf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ForeignValueKept, EditingAnotherFieldLeavesAValueTheObjectCouldNotReadInTheFile) {
    testsupport::YearFolder year;
    storetest::raw(year.file("MOV.DB"),
                   "INSERT INTO MOV (Id, Imp_fatt, Nota1) VALUES (1, 'dodici', 'vecchia')");
    Table movements(year.path(), "MOV");
    movements.open();
    movements.edit();
    movements.field("Nota1").setAsString("nuova");
    movements.post();
    EXPECT_EQ(storetest::raw(year.file("MOV.DB"), "SELECT Imp_fatt || ' ' || Nota1 FROM MOV"),
              QStringList{"dodici nuova"});
}
