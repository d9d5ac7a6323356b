// What a field keeps: texts cut to size and limited to Windows Latin-1, blanks stored as NULL,
// dates, times, booleans and numbers as they were given, Italian texts parsed.
#include "store/error.h"
#include "store/table.h"
#include "store/value.h"
#include "store_test_util.h"
#include "support/fixture.h"

#include <cmath>
#include <gtest/gtest.h>

#include <ostream>

using store::Table;
using storetest::raw;

namespace {

struct TextCase {
    const char* name;
    const char* table;
    const char* field;
    QString typed;
    QString kept;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
    return out << c.name;
}

std::string textCaseName(const ::testing::TestParamInfo<TextCase>& info) {
    return info.param.name;
}

} // namespace

class TextStored : public ::testing::TestWithParam<TextCase> {
protected:
    testsupport::YearFolder year;
};

TEST_P(TextStored, KeepsWhatTheFieldCanHold) {
    const TextCase& c = GetParam();
    {
        Table t(year.path(), c.table);
        t.open();
        t.emptyTable();
        t.append();
        t.field(c.field).setAsString(c.typed);
        EXPECT_EQ(t.field(c.field).asString(), c.kept) << "before post";
        t.post();
    }
    // A fresh object reads the file, and so does another connection.
    Table again(year.path(), c.table);
    again.open();
    again.first();
    EXPECT_EQ(again.field(c.field).asString(), c.kept);
    EXPECT_EQ(raw(year.file(QString(c.table) + ".DB"),
                  QString("SELECT \"%1\" FROM \"%2\"").arg(c.field, c.table)),
              QStringList{c.kept});
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TextStored,
    ::testing::Values(TextCase{"ComuneDi35CaratteriNeTiene30", "COMUNI", "COMUNE",
                               "SAN GIOVANNI IN PERSICETO DI SOPRAX",
                               "SAN GIOVANNI IN PERSICETO DI S"},
                      TextCase{"ComuneDi30CaratteriRestaIntero", "COMUNI", "COMUNE",
                               "SAN GIOVANNI IN PERSICETO DI S", "SAN GIOVANNI IN PERSICETO DI S"},
                      TextCase{"GiornoChiusuraTiene20Caratteri", "esercizio", "Giorno_chiusura",
                               "LUNEDI E MARTEDI POMERIGGIO", "LUNEDI E MARTEDI POM"},
                      TextCase{"TipoProvvedimentoTiene20Caratteri", "Lsoggetto_obbligato",
                               "Tipo_provv", "DECRETO DIRIGENZIALE REGIONALE",
                               "DECRETO DIRIGENZIALE"},
                      TextCase{"ProvinciaTieneDueLettere", "esercizio", "Provincia", "ROMA", "RO"},
                      TextCase{"AccentiDentroLaMisuraContanoUno", "COMUNI", "COMUNE",
                               QString::fromUtf8("FORLÌ È CITTÀ DI SAN MARTINO PERÒ"),
                               QString::fromUtf8("FORLÌ È CITTÀ DI SAN MARTINO P")}),
    textCaseName);

INSTANTIATE_TEST_SUITE_P(
    Repertoire, TextStored,
    ::testing::Values(
        TextCase{"EuroEAccentiRestano", "esercizio", "Commenti",
                 QString::fromUtf8("Caffè Società à é ì ò ù € 10,50 – “saldo” ‰ ß ÿ"),
                 QString::fromUtf8("Caffè Società à é ì ò ù € 10,50 – “saldo” ‰ ß ÿ")},
        TextCase{"LettereFuoriDalLatino1DiventanoPuntoInterrogativo", "esercizio", "Commenti",
                 QString::fromUtf8("Łódź Ελλάδα Ştefan 東京"),
                 QString::fromUtf8("?ód? ?????? ?tefan ??")},
        TextCase{"UnCarattereFuoriDalPianoBaseDiventaUnSoloPuntoInterrogativo", "esercizio",
                 "Commenti", QString::fromUtf8("CAFFÈ 😀 BAR"), QString::fromUtf8("CAFFÈ ? BAR")},
        TextCase{"CarattereFuoriDalPianoBaseContaUnoNelTaglio", "esercizio", "Cap",
                 QString::fromUtf8("00😀18X"), QString::fromUtf8("00?18")}),
    textCaseName);

// ---------------------------------------------------------------------------------------------

class FieldValues : public ::testing::Test {
protected:
    testsupport::YearFolder year;
    Table movements{year.path(), "MOV"};
    void SetUp() override { movements.open(); }

    /// The stored text of one column of movement 1 as another connection reads it.
    QString stored(const QString& column) {
        return raw(year.file("MOV.DB"),
                   QString("SELECT quote(\"%1\") FROM MOV WHERE Id = 1").arg(column))
            .value(0);
    }
};

TEST_F(FieldValues, EmptyTextIsStoredAsNullAndReadsAsEmpty) {
    movements.append();
    movements.field("Id").setAsInteger(1);
    movements.field("Nota1").setAsString("");
    movements.field("Nota2").setAsString("da cancellare");
    movements.field("Nota2").setAsString("");
    movements.field("Nota3").setValue(QString());
    movements.post();
    EXPECT_EQ(stored("Nota1"), "NULL");
    EXPECT_EQ(stored("Nota2"), "NULL");
    EXPECT_EQ(stored("Nota3"), "NULL");

    Table again(year.path(), "MOV");
    again.open();
    EXPECT_TRUE(again.field("Nota2").isNull());
    EXPECT_EQ(again.field("Nota2").asString(), "");
}

TEST_F(FieldValues, BooleanNeverSetIsBlankAndDistinctFromFalse) {
    movements.append();
    movements.field("Id").setAsInteger(1);
    movements.field("Fatt_sn").setAsBoolean(false);
    movements.post();
    EXPECT_EQ(stored("Gia_fatt_sn"), "NULL");
    EXPECT_EQ(stored("Fatt_sn"), "0");

    Table again(year.path(), "MOV");
    again.open();
    EXPECT_TRUE(again.field("Gia_fatt_sn").isNull());
    EXPECT_EQ(again.field("Gia_fatt_sn").asString(), "");
    EXPECT_FALSE(again.field("Fatt_sn").isNull());
    EXPECT_EQ(again.field("Fatt_sn").asString(), "False");
    EXPECT_FALSE(again.field("Fatt_sn").asBoolean());
}

TEST_F(FieldValues, EveryTypeComesBackAsGiven) {
    movements.append();
    movements.field("Id").setAsInteger(1);
    movements.field("ID_TECNICO").setAsInteger(-3);
    movements.field("Data").setAsDate(QDate(2026, 12, 8));
    movements.field("Ora").setAsTime(QTime(9, 5));
    movements.field("Appuntamento").setAsBoolean(true);
    movements.field("Evasa_sn").setAsBoolean(false);
    movements.field("Imp_fatt").setAsFloat(1234.5);
    movements.field("Iva_fatt").setAsFloat(22);
    movements.post();

    EXPECT_EQ(stored("Data"), "'2026-12-08'");
    EXPECT_EQ(stored("Ora"), "'09:05:00'");
    EXPECT_EQ(stored("Appuntamento"), "1");
    EXPECT_EQ(stored("Imp_fatt"), "1234.5");

    Table again(year.path(), "MOV");
    again.open();
    EXPECT_EQ(again.field("ID_TECNICO").asInteger(), -3);
    EXPECT_EQ(again.field("Data").asDate(), QDate(2026, 12, 8));
    EXPECT_EQ(again.field("Data").asString(), "08/12/2026");
    EXPECT_EQ(again.field("Ora").asTime(), QTime(9, 5));
    EXPECT_TRUE(again.field("Appuntamento").asBoolean());
    EXPECT_EQ(again.field("Appuntamento").asString(), "True");
    EXPECT_FALSE(again.field("Evasa_sn").asBoolean());
    EXPECT_DOUBLE_EQ(again.field("Imp_fatt").asFloat(), 1234.5);
    EXPECT_EQ(again.field("Imp_fatt").asString(), "1234,5");
    again.field("Imp_fatt").setDisplayFormat("#,###,##0.00");
    EXPECT_EQ(again.field("Imp_fatt").displayText(), "1.234,50");
    EXPECT_EQ(again.field("Ora").displayText(), "09:05");
    EXPECT_EQ(again.field("Iva_fatt").asInteger(), 22);
    // Blank reads as zero, invalid date, false.
    EXPECT_EQ(again.field("ID_MS").asInteger(), 0);
    EXPECT_FALSE(again.field("Data_app").asDate().isValid());
    EXPECT_FALSE(again.field("Rinnovo_sn").asBoolean());
}

TEST_F(FieldValues, PicturesAndRichTextsComeBackByteForByte) {
    Table settings(year.path(), "impostazioni");
    settings.open();
    QByteArray picture(600, '\0');
    for (int i = 0; i < picture.size(); ++i)
        picture[i] = char(i * 7);
    const QByteArray html = QString::fromUtf8("<p>Contratto di <b>assistenza</b> – €</p>").toUtf8();
    settings.edit();
    settings.field("Logo_ca").setValue(picture);
    settings.field("Dicitura_ca").setValue(html);
    settings.post();

    Table again(year.path(), "impostazioni");
    again.open();
    EXPECT_EQ(again.field("Logo_ca").asBytes(), picture);
    EXPECT_EQ(again.field("Dicitura_ca").asBytes(), html);
}

TEST_F(FieldValues, APostedRecordShowsWhatTheFileKeeps) {
    const struct {
        const char* field;
        QVariant given, kept;
    } cases[] = {
        {"Ora", QTime(9, 5, 7, 450), QTime(9, 5, 7)},       {"Imp_fatt", std::nan(""), QVariant()},
        {"Data", QDate(10000, 1, 1), QVariant()},           {"Data", QDate(-5, 1, 1), QVariant()},
        {"Data", QDate(9999, 12, 31), QDate(9999, 12, 31)},
    };
    int id = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " <- " + c.given.toString().toStdString());
        movements.append();
        movements.field("Id").setAsInteger(++id);
        movements.field(c.field).setValue(c.given);
        movements.post();
        EXPECT_EQ(movements.field(c.field).value(), c.kept);
        Table again(year.path(), "MOV");
        again.open();
        ASSERT_TRUE(again.locate("Id", id));
        EXPECT_EQ(again.field(c.field).value(), c.kept);
    }
}

struct ParseCase {
    const char* field;
    const char* typed;
    QVariant value;
};

TEST_F(FieldValues, ItalianTextsAreParsedByFieldType) {
    const ParseCase cases[] = {
        {"Data", "08/12/2026", QDate(2026, 12, 8)},
        {"Data", "8/1/2026", QDate(2026, 1, 8)},
        {"Data", " 29/02/2028 ", QDate(2028, 2, 29)},
        {"Imp_fatt", "12,50", 12.5},
        {"Imp_fatt", "12.50", 12.5},
        {"Imp_fatt", "1.234,50", 1234.5},
        {"Imp_fatt", "-0,5", -0.5},
        {"Ora", "9:05", QTime(9, 5)},
        {"Ora", "17:45:30", QTime(17, 45, 30)},
        {"Evasa_sn", "true", true},
        {"Evasa_sn", "False", false},
        {"ID_TECNICO", " 42 ", 42},
        {"ID_TECNICO", "", QVariant()},
        {"Data", "", QVariant()},
    };
    movements.append();
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " <- " + c.typed);
        movements.field(c.field).setAsString(c.typed);
        EXPECT_EQ(movements.field(c.field).value(), c.value);
    }
}

TEST_F(FieldValues, TextsThatDoNotFitTheirFieldAreRefusedAndTheFieldKeepsItsValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"Data", "32/13/2026"},        {"Data", "29/02/2027"}, {"Data", "2026-12-08x"},
        {"Imp_fatt", "12,50 euro"},    {"ID_TECNICO", "abc"},  {"ID_TECNICO", "3,5"},
        {"ID_TECNICO", "99999999999"}, {"Ora", "25:00"},       {"Evasa_sn", "forse"},
    };
    movements.append();
    movements.field("Data").setAsString("08/12/2026");
    movements.field("Imp_fatt").setAsString("1,5");
    movements.field("ID_TECNICO").setAsString("7");
    movements.field("Ora").setAsString("10:00");
    movements.field("Evasa_sn").setAsString("true");
    for (const auto& [field, typed] : cases) {
        SCOPED_TRACE(std::string(field) + " <- " + typed);
        const QString before = movements.field(field).asString();
        EXPECT_THROW(movements.field(field).setAsString(typed), store::Error);
        EXPECT_EQ(movements.field(field).asString(), before);
    }
}

TEST(Repertoire, OnlyWindowsLatin1Survives) {
    // The five code points Windows Latin-1 leaves unassigned in 0x80-0x9F are not kept either.
    EXPECT_EQ(store::value::toCp1252Repertoire(QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")),
              QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"));
    EXPECT_EQ(store::value::toCp1252Repertoire(QString(QChar(0x81)) + QChar(0x9D) + QChar(0xA0) +
                                               QChar(0xFF) + QChar(0x100)),
              QString("??") + QChar(0xA0) + QChar(0xFF) + "?");
}
