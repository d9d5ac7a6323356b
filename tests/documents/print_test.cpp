// The document print: what lands on which page.
#include "documents/prn_doc.h"
#include "documents/prn_elenco_mov_dafatt.h"
#include "documents_support.h"
#include "report/render.h"

#include <QDir>

using namespace documents;
using namespace doctest;

namespace {

/// The texts of a page, in reading order.
QStringList textsOf(const report::Page& page) {
    QStringList out;
    for (const report::PlacedText& t : page.texts())
        out << t.text;
    return out;
}

/// The texts on the row of the page where `first` stands, from it rightwards up to `before` mm.
QStringList rowFrom(const report::Page& page, const QString& first, double before = 210) {
    QStringList out;
    double top = -1;
    for (const report::PlacedText& t : page.texts()) {
        if (top < 0 && t.text == first)
            top = t.at.y();
        if (top >= 0 && std::abs(t.at.y() - top) < 0.5 && t.at.x() < before)
            out << t.text;
    }
    return out;
}

class DocumentPrint : public DocumentsYear {
protected:
    void SetUp() override {
        DocumentsYear::SetUp();
        add(dm.tabese3, {{"Ragione_sociale", "BAR SPORT DI ROSSI"}, {"Piva", "01234567890"}});
        addDocument(invoice);
        dm.Tabdoc.edit();
        set(dm.Tabdoc, {{"Id_cliente", 1}, {"Data_doc", QDate(2026, 3, 2)}});
    }
    void addLines(int count) {
        for (int i = 0; i < count; ++i)
            addLine(dm, 10, 3, 10, 22, QStringLiteral("RIGA %1").arg(i + 1));
    }
    /// Writes the print as a PDF where MISURATORI_PDF_DIR says, to be looked at.
    void keepPdf(const report::Document& document, const QString& name) {
        const QString dir = qEnvironmentVariable("MISURATORI_PDF_DIR");
        if (!dir.isEmpty()) {
            EXPECT_TRUE(report::writePdf(document, QDir(dir).filePath(name + ".pdf")));
        }
    }
};

TEST(DocumentPages, TwentyFiveLinesOnTheFirstPageAndFortySixOnTheOthers) {
    const std::pair<int, int> cases[] = {{0, 1},  {25, 1},  {26, 2}, {71, 2},
                                         {72, 3}, {117, 3}, {118, 4}};
    for (const auto& [lines, pages] : cases)
        EXPECT_EQ(expectedPages(lines), pages) << lines;
}

TEST_F(DocumentPrint, CountedLinePrintsItsFiguresAndDescriptiveOnlyItsText) {
    addLines(1);
    add(dm.Tablinee_doc, {{"Id_doc", dm.Tabdoc.field("Id").value()},
                          {"Id_articolo", 12},
                          {"Linea", "SOLO TESTO"},
                          {"Xtotale", false},
                          {"UM", "PZ"},
                          {"Quantita", 2},
                          {"PrezzoE", 5},
                          {"Iva_riga", 22}});
    addLine(dm, 1.25, 2.5, 0, 10, "MEZZI");
    const report::Document printed = Tprn_doc(dm).document();
    ASSERT_EQ(printed.pages.size(), 1u);
    const report::Page& page = printed.pages.front();
    EXPECT_EQ(rowFrom(page, "RIGA 1"),
              QStringList({"RIGA 1", "PZ", "3", "10,00", "10", "9,00", "27,00", "22"}));
    EXPECT_EQ(rowFrom(page, "12"), QStringList({"12", "SOLO TESTO"}));
    EXPECT_EQ(rowFrom(page, "MEZZI"),
              QStringList({"MEZZI", "PZ", "2,5", "1,25", "0", "1,25", "3,12", "10"}));
    EXPECT_EQ(rowFrom(page, "IVA", 120),
              QStringList({"IVA", "22", "%", "Imponibile: ", "27,00", "Imposta", "5,94"}));
    EXPECT_EQ(textsOf(page).count("IVA"), 2); // two rates: two empty rows
    EXPECT_TRUE(textsOf(page).contains("€ 36,37"));
    EXPECT_TRUE(textsOf(page).contains("BAR SPORT DI ROSSI"));
    EXPECT_TRUE(textsOf(page).contains("FATTURA"));
    keepPdf(printed, "documento_3_righe");
}

TEST_F(DocumentPrint, ADocumentNeverTotalledPrintsFourRowsOfZero) {
    const report::Page page = Tprn_doc(dm).document().pages.front();
    EXPECT_EQ(textsOf(page).count("IVA"), 4);
    EXPECT_EQ(rowFrom(page, "IVA", 120),
              QStringList({"IVA", "%", "Imponibile: ", "0,00", "Imposta", "0,00"}));
}

TEST_F(DocumentPrint, SegueOnEveryPageButTheLastExpectedOne) {
    int made = 0;
    for (const int lines : {25, 26, 71, 72}) {
        addLines(lines - made);
        made = lines;
        const report::Document printed = Tprn_doc(dm).document();
        ASSERT_EQ(int(printed.pages.size()), expectedPages(lines)) << lines;
        for (size_t p = 0; p < printed.pages.size(); ++p) {
            const QStringList texts = textsOf(printed.pages[p]);
            EXPECT_EQ(texts.contains("SEGUE ==>>"), p + 1 < printed.pages.size())
                << lines << " p" << p + 1;
            EXPECT_TRUE(texts.contains("Pagina:")) << lines;
            EXPECT_TRUE(texts.contains("Codice")) << lines;
        }
        EXPECT_TRUE(textsOf(printed.pages.back()).contains("Firma del Vettore:")) << lines;
        if (lines == 72)
            keepPdf(printed, "documento_72_righe");
    }
}

} // namespace

namespace {

TEST_F(DocumentPrint, MovementsToInvoiceListedWithTheirArticles) {
    add(dm.Tabms, {{"Denominazione_ms", "CASSA 2000"}});
    addMovementToInvoice(4, {{"ID_ESERCIZIO", 1},
                             {"Da_fatt1", "VERIFICA PERIODICA"},
                             {"Da_fatt4", "CANONE"},
                             {"Imp_fatt", 50},
                             {"Iva_fatt", 22},
                             {"Rip_art_fatt", true},
                             {"Id_tipomov", 1},
                             {"ID_MS", 1},
                             {"MATRICOLA_MS", "AB123"}});
    addMovementToInvoice(6, {{"ID_ESERCIZIO", 99}, {"Da_fatt4", "RIPARAZIONE"}});
    addMovementToInvoice(7, {{"Gia_fatt_sn", true}, {"Da_fatt4", "GIA FATTURATO"}});
    addArticle(4, "ROTOLO CARTA", 3, 1.5, 22);
    addArticle(4, "BATTERIA", 1, 12, 22);
    const report::Document printed = Tprn_elenco_mov_dafatt(dm).document();
    ASSERT_EQ(printed.pages.size(), 1u);
    const QString page = printed.pages.front().readingText();
    for (const char* expected : {"BAR SPORT DI ROSSI", "VERIFICA PERIODICA", "CASSA 2000", "AB123",
                                 "ROTOLO CARTA", "BATTERIA", "INTERVENTO", "50,00", "1,50"})
        EXPECT_TRUE(page.contains(expected)) << expected;
    EXPECT_FALSE(page.contains("GIA FATTURATO"));
    const QStringList texts = textsOf(printed.pages.front());
    EXPECT_EQ(texts.count("Descrizione:"), 2);
    EXPECT_TRUE(texts.contains("2")); // the running number
    keepPdf(printed, "movimenti_da_fatturare");
}

} // namespace
