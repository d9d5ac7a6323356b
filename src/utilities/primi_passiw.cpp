#include "utilities/primi_passiw.h"

#include "ui/modal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct HelpPage {
    const char* title;
    const char* html;
};

// The steps of a workshop that also keeps the periodic verifications in the verification
// program: the registers first, because the export sends them along with the verifications.
const HelpPage steps[] = {
    {"Passo 1",
     "<h3>Il soggetto obbligato</h3>"
     "<p>Dal menu <b>Agenzia Entrate</b> aprire <b>Soggetto obbligato (concessionario)</b> e "
     "inserire i dati del laboratorio: ragione sociale, partita IVA, codice fiscale e "
     "indirizzo.</p>"
     "<p>Nella stessa finestra inserire le <b>autorizzazioni</b> ricevute dall'Agenzia delle "
     "Entrate, ognuna con il proprio identificativo del sigillo: servono per le verifiche e "
     "per lo scarico trimestrale.</p>"},
    {"Passo 2",
     "<h3>I tecnici</h3>"
     "<p>Aprire <b>Elenco tecnici /F3</b> (oppure <b>Agenzia Entrate &gt; Tecnici</b>) e "
     "inserire ogni tecnico abilitato con cognome, nome, codice fiscale, l'autorizzazione "
     "sotto cui lavora e il numero del suo sigillo.</p>"
     "<p>Il tecnico scelto su un intervento compare sul foglio di lavoro e sulle verifiche.</p>"},
    {"Passo 3",
     "<h3>I misuratori</h3>"
     "<p>In <b>Agenzia Entrate &gt; Misuratori (tipologia)</b> inserire i modelli di "
     "misuratore fiscale che si assistono: marchio, denominazione, logotipo e gli estremi "
     "dell'approvazione.</p>"
     "<p>Poi, in <b>Articoli e parco macchine</b>, caricare le macchine: quelle in magazzino "
     "e quelle gi&agrave; installate presso i clienti, ciascuna con la sua matricola.</p>"},
    {"Passo 4",
     "<h3>I clienti (esercizi)</h3>"
     "<p>Aprire <b>Elenco Esercizii /F4</b> e inserire i negozi clienti: ragione sociale, "
     "partita IVA (controllata al momento), indirizzo e comune (provincia e CAP si compilano "
     "da soli).</p>"
     "<p>A ogni cliente si collegano le sue macchine e, se ne ha, i contratti di assistenza "
     "da <b>Elenco Contratti</b>.</p>"},
    {"Passo 5",
     "<h3>Movimenti, verifiche e scarico</h3>"
     "<p>Ogni lavoro &egrave; un movimento: <b>Elenco interventi</b>, <b>Elenco "
     "riparazioni</b> o <b>Elenco vendite</b>, poi <b>Nuovo /F8</b>. Sul movimento si "
     "registrano l'appuntamento, la verifica periodica del misuratore e i ricambi usati; "
     "<b>Segna Evasa</b> lo chiude con il rapporto tecnico e i dati da fatturare.</p>"
     "<p>A fine trimestre, dal menu <b>Agenzia Entrate</b>, scaricare i dati sul programma di "
     "verificazione periodica: vengono inviati i registri e le verifiche del trimestre.</p>"
     "<p>Fare spesso <b>Utilit&agrave; &gt; copia di salvataggio...</b></p>"},
};

const HelpPage genericCustomer = {
    "Cliente generico",
    "<h3>Senza il programma di verificazione periodica</h3>"
    "<p>Per usare il programma solo come gestione dell'assistenza:</p>"
    "<ol>"
    "<li>inserire i <b>tecnici</b> (<b>Elenco tecnici /F3</b>) e i <b>clienti</b> "
    "(<b>Elenco Esercizii /F4</b>);</li>"
    "<li>caricare in <b>Articoli e parco macchine</b> i ricambi in magazzino e le macchine dei "
    "clienti;</li>"
    "<li>registrare ogni lavoro come movimento (interventi, riparazioni, vendite) e stampare "
    "il <b>foglio di lavoro</b> da far firmare al cliente;</li>"
    "<li>chiudere i movimenti con <b>Segna Evasa</b> e, da <b>Elenco Documenti</b>, generare "
    "le fatture dei movimenti da fatturare;</li>"
    "<li>controllare ogni giorno l'agenda della finestra principale: interventi, riparazioni, "
    "appuntamenti e contratti in scadenza del giorno scelto sul calendario.</li>"
    "</ol>"
    "<p>I dati di ogni anno stanno in una cartella a s&eacute;: fare spesso la <b>copia di "
    "salvataggio</b>.</p>"};

QTextBrowser* helpText(const HelpPage& page, QWidget* parent) {
    auto* text = new QTextBrowser(parent);
    text->setHtml(QString::fromUtf8(page.html));
    text->setReadOnly(true);
    return text;
}

} // namespace

Tprimi_passiForm::Tprimi_passiForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("primi_passiForm"));
    setWindowTitle(QStringLiteral("Primi Passi ..."));
    resize(640, 460);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(
        QStringLiteral("Come usare il software? Quali sono i primi passi da fare?"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);
    layout->addWidget(heading);

    pages_ = new QTabWidget(this);
    auto* stepPages = new QTabWidget(pages_);
    for (const HelpPage& step : steps)
        stepPages->addTab(helpText(step, stepPages), QString::fromLatin1(step.title));
    pages_->addTab(stepPages,
                   QStringLiteral("Cliente che usa il software di verifiche periodiche"));
    pages_->addTab(helpText(genericCustomer, pages_), QString::fromLatin1(genericCustomer.title));
    pages_->setCurrentIndex(0);
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("chiudi"), this);
    close->setAutoDefault(false);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

namespace utilities {

int openFirstSteps() {
    return ui::showScreen<Tprimi_passiForm>();
}

} // namespace utilities
