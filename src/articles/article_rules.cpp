#include "articles/article_rules.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/references.h"
#include "store/rules.h"

#include <QStringList>
#include <tuple>

namespace articles {

namespace {

QString S(const char* text) {
    return QString::fromLatin1(text);
}

/// A number of the settings record; blank when the settings are closed, empty or blank there.
QVariant setting(Tdm& data, const char* field) {
    store::Table& t = data.Tabimpostazioni;
    if (!t.active() || t.isEmpty())
        return {};
    return t.field(S(field)).value();
}

/// "[Id_x]='n'" for the record of `source` whose `nameField` equals `name`; 0 when none.
QString identifierPart(store::Table& source, const char* idField, const char* nameField,
                       const QString& name) {
    const auto found = store::rules::lookupRecord(source, S(nameField), name, {S(idField)});
    const int id = found ? found->front().toInt() : 0;
    return QStringLiteral("[%1]='%2'").arg(S(idField)).arg(id);
}

QString radioPart(const QString& view) {
    static const std::pair<const char*, const char*> parts[] = {
        {"con contratto", "[Assistenza_sn]='true'"}, {"senza contratto", "[Assistenza_sn]='false'"},
        {"in giacenza", "[giacenza_sn]='true'"},     {"con matricola", "[matricola]<>''"},
        {"senza matricola", "[matricola]=''"},
    };
    for (const auto& [entry, part] : parts)
        if (view == S(entry))
            return S(part);
    return {};
}

} // namespace

void attachArticleRules(Tdm& data) {
    data.Tabarticoli.on(store::Event::AfterInsert, [&data](store::Table& t) {
        for (const char* flag : {"Assistenza_sn", "Giacenza_sn", "VF"})
            if (t.field(S(flag)).isNull())
                t.field(S(flag)).setAsBoolean(false);
        if (t.field(S("Id_esercizio")).isNull())
            t.field(S("Id_esercizio")).setAsInteger(-1);
        const QVariant vat = setting(data, "Iva_default");
        if (!vat.isNull() && t.field(S("Iva")).isNull())
            t.field(S("Iva")).setValue(vat);
    });
    store::rules::attachIdentifierBeforePost(data.Tabarticoli, S("Id"));
}

double defaultVat(Tdm& data) {
    return setting(data, "Iva_default").toDouble();
}

double defaultAssistancePrice(Tdm& data) {
    return setting(data, "Costo_ass").toDouble();
}

void appendArticle(Tdm& data) {
    store::Table& t = data.Tabarticoli;
    t.append();
    t.field(S("Giacenza_sn")).setAsBoolean(true);
    t.field(S("Iva")).setAsFloat(defaultVat(data));
}

QString articlesFilter(Tdm& data, const ArticleFilterChoice& choice) {
    QStringList parts;
    if (const QString radio = radioPart(choice.view); !radio.isEmpty())
        parts << radio;
    if (!choice.model.isEmpty())
        parts << identifierPart(data.Tabms, "Id_ms", "Denominazione_ms", choice.model);
    if (!choice.supplier.isEmpty())
        parts << identifierPart(data.TabFornitori, "Id_fornitore", "Ragione_sociale",
                                choice.supplier);
    if (!choice.customer.isEmpty())
        parts << identifierPart(data.Tabesercizio, "Id_esercizio", "Ragione_sociale",
                                choice.customer);
    return parts.join(QStringLiteral(" and "));
}

QString applyArticlesFilter(Tdm& data, const ArticleFilterChoice& choice) {
    store::Table& t = data.Tabarticoli;
    const QString text = articlesFilter(data, choice);
    t.setFiltered(false);
    t.setFilter(text);
    if (!text.isEmpty())
        t.setFiltered(true);
    return text;
}

ArticleVerdict prepareArticleSave(Tdm& data, ShownParts parts) {
    store::Table& t = data.Tabarticoli;
    const auto blank = [&t](const char* field) {
        return t.field(S(field)).asString().isEmpty();
    };
    if (parts.serialNumber) {
        if (blank("ms"))
            return {S("Inserire il tipo di misuratore"), S("Id_ms")};
        if (blank("Matricola"))
            return {S("Inserire la matricola del misuratore"), S("Matricola")};
    }
    if (parts.simple) {
        if (blank("Descrizione"))
            return {S("Inserire la descrizione del prodotto."), S("Descrizione")};
        if (blank("Qta"))
            return {S("Inserire la quantita del prodotto."), S("Qta")};
    }
    if (!blank("ragione_sociale"))
        t.field(S("Giacenza_sn")).setAsBoolean(false);
    if (blank("Qta"))
        t.field(S("Qta")).setAsInteger(1);
    return {};
}

std::optional<QString> articleDeleteRefusal(const QString& yearFolder, const QString& matricola) {
    if (matricola.isEmpty())
        return std::nullopt;
    static const std::tuple<const char*, const char*, const char*> checks[] = {
        {"LINEE_CONTRATTI", "MATRICOLA", "IMPOSSIBILE Eliminare articolo usato in un contratto."},
        {"MOV", "MATRICOLA_MS", "IMPOSSIBILE Eliminare articolo usato in almeno un movimento."},
        {"Mov_articoli", "Matricola",
         "IMPOSSIBILE Eliminare articolo usato nelle righe di almeno un movimento."},
    };
    for (const auto& [table, field, refusal] : checks)
        if (store::rules::anyRecordWith(yearFolder, S(table), S(field), matricola))
            return S(refusal);
    return std::nullopt;
}

void copyOwnerAddress(store::Table& article, store::Table& customers) {
    static const QStringList fields{S("Piva"), S("Indirizzo"), S("Cap"), S("Provincia"),
                                    S("Comune")};
    const auto found = store::rules::lookupRecord(customers, S("Id_esercizio"),
                                                  article.field(S("Id_esercizio")).value(), fields);
    if (!found)
        return;
    for (qsizetype i = 0; i < fields.size(); ++i)
        article.field(fields[i]).setValue((*found)[size_t(i)]);
}

void clearOwner(store::Table& article) {
    for (const char* field : {"Id_esercizio", "Piva", "Indirizzo", "Cap", "Comune", "Provincia"})
        article.field(S(field)).clear();
}

QString searchFieldOf(const QString& entry) {
    if (entry == S("Matricola"))
        return S("Matricola");
    if (entry == S("descrizione"))
        return S("Descrizione");
    if (entry == S("barcode"))
        return S("Barcode");
    return {};
}

bool searchArticle(store::Table& articles, const QString& entry, const QString& text, bool exact) {
    const QString field = searchFieldOf(entry);
    if (field.isEmpty())
        return false;
    try {
        return articles.active() && articles.locate(field, text, !exact);
    } catch (const store::Error&) {
        return false;
    }
}

} // namespace articles
