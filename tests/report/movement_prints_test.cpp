// The movement prints: which movements and blocks each list prints, the done mark, the filter
// title, and the work sheet's header and footer around the article lines on every page.
// With REPORT_PDF_DIR set, each print of a filtered list is also written there as a PDF.
#include "report/prn_appuntamenti.h"
#include "report/prn_elemov.h"
#include "report/prn_fl.h"
#include "report/render.h"
#include "report_support.h"
#include "store/dm.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace report;
using reporttest::add;
using reporttest::words;

namespace {

struct Movement {
    int id;
    const char* segnalazione;
    bool appuntamento;
    bool evasa;
    const char* rapporto;
};

// Three movements of one week, one of each shape the lists tell apart.
const Movement movements[] = {
    {1, "NON STAMPA LO SCONTRINO", true, true, "SOSTITUITA TESTINA TERMICA"},
    {2, "DISPLAY SPENTO", true, false, "RAPPORTO NON ANCORA SCRITTO"},
    {3, "VERIFICA PERIODICA", false, true, "VERIFICA ESEGUITA SENZA RILIEVI"},
};

class MovementData {
public:
    MovementData() {
        // What the movement rules calculate, in short: the technician's name and seal.
        data.Tabmov.on(store::Event::CalcFields, [](store::Table& t) {
            t.field(QStringLiteral("cogn_no_idnumsig"))
                .setAsString(QStringLiteral("ROSSI MARIO sigillo %1")
                                 .arg(t.field(QStringLiteral("ID_TECNICO")).asInteger()));
        });
        EXPECT_TRUE(data.dmCreate(year.path()));
        add(data.Tabesercizio,
            {{"Id_esercizio", 7}, {"Ragione_sociale", QStringLiteral("BAR DELLA STAZIONE SNC")}});
        for (const Movement& m : movements)
            add(data.Tabmov,
                {{"Id", m.id},
                 {"Id_tipomov", 1},
                 {"ID_ESERCIZIO", 7},
                 {"ID_TECNICO", 4},
                 {"Data", QDate(2025, 3, m.id)},
                 {"Ora", QTime(9, 30)},
                 {"Segnalazione", QString::fromLatin1(m.segnalazione)},
                 {"Appuntamento", m.appuntamento},
                 {"Data_app", m.appuntamento ? QVariant(QDate(2025, 3, 10 + m.id)) : QVariant()},
                 {"Ora_app", m.appuntamento ? QVariant(QTime(15, 0)) : QVariant()},
                 {"Evasa_sn", m.evasa},
                 {"Rapp1", QString::fromLatin1(m.rapporto)},
                 {"Nota1", QStringLiteral("Chiamare prima di passare")},
                 {"Parlato_con", QStringLiteral("SIG.RA BIANCHI")},
                 {"Rec_urgente", QStringLiteral("333 1234567")},
                 {"Accordi", QStringLiteral("Passare dopo le 15, chiuso il lunedì")},
                 {"INDIRIZZO", QStringLiteral("VIA ROMA 12")},
                 {"COMUNE", QStringLiteral("FORLÌ")},
                 {"MATRICOLA_MS", QStringLiteral("AB1234567")},
                 {"Da_fatt1", QStringLiteral("Intervento tecnico in sede")},
                 {"Imp_fatt", 45.0},
                 {"Iva_fatt", 22.0}});
    }

    void addLines(int movementId, int count) {
        data.Tabmov.locate(QStringLiteral("Id"), movementId);
        for (int i = 0; i < count; ++i)
            add(data.Tablmov, {{"Id", movementId * 1000 + i},
                               {"Id_mov", movementId},
                               {"Descrizione", QStringLiteral("RICAMBIO %1 del movimento %2")
                                                   .arg(i + 1, 2, 10, QLatin1Char('0'))
                                                   .arg(movementId)},
                               {"Barcode", QStringLiteral("80%1").arg(1000 + i)},
                               {"Qta", 1 + i % 3},
                               {"Prezzo_vend", 12.5},
                               {"Iva", 22}});
    }

    testsupport::YearFolder year;
    Tdm data;
};

void keepPdf(const Document& document, const char* name) {
    const QString dir = qEnvironmentVariable("REPORT_PDF_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(writePdf(document, QDir(dir).filePath(QString::fromLatin1(name) + ".pdf")));
    }
}

} // namespace

TEST(MovementLists, PrintTheMovementsAndBlocksOfTheirKind) {
    struct Case {
        const char* name;
        std::function<Document(Tdm&)> print;
        QStringList printed;
        QStringList absent;
        int doneMarks;
    };
    const Case cases[] = {
        {"elenco",
         [](Tdm& d) { return Tprn_elemov(d, d.Tabmov.filter()).document(); },
         {"NON STAMPA LO SCONTRINO", "DISPLAY SPENTO", "VERIFICA PERIODICA"},
         {"Rapporto tecnico:"},
         2},
        // Only appointments; the report only under a done one.
        {"appuntamenti",
         [](Tdm& d) { return Tprn_appuntamenti(d, d.Tabmov.filter()).document(); },
         {"NON STAMPA LO SCONTRINO", "DISPLAY SPENTO", "SOSTITUITA TESTINA TERMICA"},
         {"VERIFICA PERIODICA", "RAPPORTO NON ANCORA SCRITTO", "VERIFICA ESEGUITA SENZA RILIEVI"},
         1},
    };
    MovementData fixture;
    const QString week = QStringLiteral("([Data]>='01/03/2025') and ([Data]<='07/03/2025')");
    fixture.data.Tabmov.setFilter(week);
    fixture.data.Tabmov.setFiltered(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Document printed = c.print(fixture.data);
        keepPdf(printed, c.name);
        const QStringList texts = words(printed);
        for (const QString& t : c.printed)
            EXPECT_TRUE(texts.contains(t)) << t.toStdString();
        for (const QString& t : c.absent)
            EXPECT_FALSE(texts.contains(t)) << t.toStdString();
        EXPECT_EQ(texts.count(QStringLiteral("EVASA")), c.doneMarks);
    }
}

TEST(MovementLists, FollowTheFilterInForceAndShowItsText) {
    MovementData fixture;
    const QString filter = QStringLiteral("([Evasa_sn]='true')");
    fixture.data.Tabmov.setFilter(filter);
    fixture.data.Tabmov.setFiltered(true);
    const Document list = Tprn_elemov(fixture.data, filter).document();
    const QStringList texts = words(list);
    EXPECT_TRUE(texts.contains(filter));
    EXPECT_EQ(texts.count(QStringLiteral("EVASA")), 2);
    EXPECT_FALSE(texts.contains(QStringLiteral("DISPLAY SPENTO")));
}

TEST(MovementLists, BeforeAnyFilterTheTitleIsTheCaptionAlone) {
    MovementData fixture;
    const Document list = Tprn_elemov(fixture.data, QString()).document();
    const Page& first = list.pages.front();
    ASSERT_FALSE(first.texts().empty());
    // Nothing stands beside the caption on its line.
    const double captionTop = first.texts().front().at.y();
    int onCaptionLine = 0;
    for (const PlacedText& t : first.texts())
        onCaptionLine += std::abs(t.at.y() - captionTop) < 3 ? 1 : 0;
    EXPECT_EQ(first.texts().front().text, QStringLiteral("Elenco Movimenti:"));
    EXPECT_EQ(onCaptionLine, 1);
}

TEST(WorkSheet, HeaderAndFooterOnEveryPageAroundTheLinesOfItsMovement) {
    struct Case {
        int lines;
        int minPages;
    };
    for (const Case c : {Case{0, 1}, Case{40, 2}}) {
        SCOPED_TRACE(c.lines);
        MovementData fixture;
        fixture.addLines(1, c.lines);
        fixture.addLines(2, 3);
        fixture.data.Tabmov.locate(QStringLiteral("Id"), 1);
        const Document sheet = Tprn_fl(fixture.data).document();
        ASSERT_GE(int(sheet.pages.size()), c.minPages);
        QStringList lines;
        for (const Page& page : sheet.pages) {
            const QStringList texts = words(page);
            for (const char* always : {"Foglio di lavoro", "BAR DELLA STAZIONE SNC",
                                       "SOSTITUITA TESTINA TERMICA", "firma cliente"})
                EXPECT_TRUE(texts.contains(QString::fromLatin1(always))) << always;
            for (const QString& t : texts)
                if (t.startsWith(QStringLiteral("RICAMBIO")))
                    lines << t;
        }
        ASSERT_EQ(lines.size(), c.lines);
        for (int i = 0; i < c.lines; ++i)
            EXPECT_EQ(
                lines[i],
                QStringLiteral("RICAMBIO %1 del movimento 1").arg(i + 1, 2, 10, QLatin1Char('0')));
        if (c.lines > 0)
            keepPdf(sheet, "foglio_di_lavoro");
    }
}
