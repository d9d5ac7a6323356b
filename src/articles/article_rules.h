#pragma once

#include <QString>
#include <optional>

class Tdm;

namespace store {
class Table;
}

/// The articles and machine park: rules and decisions apart from the screens.
namespace articles {

/// Attaches the rules of `dm.Tabarticoli` for every writer: after an append the blank flags
/// become false, a blank owner -1 and a blank VAT rate the default one; an article gets its
/// identifier when first posted.
void attachArticleRules(Tdm& data);

/// The default VAT rate and the default price of assistance of the settings; 0 when blank.
double defaultVat(Tdm& data);
double defaultAssistancePrice(Tdm& data);

/// "Nuovo Articolo" after the kind was chosen: appends to `dm.Tabarticoli`, in stock, with the
/// default VAT rate (0 when there is none).
void appendArticle(Tdm& data);

/// The choices of the filter panel: the radio entry ("Tutti", "con contratto", ...) and the
/// texts of the model, supplier and customer boxes.
struct ArticleFilterChoice {
    QString view;
    QString model;
    QString supplier;
    QString customer;
};

/// The filter text of the panel's choices, built from nothing: the radio part, then model,
/// supplier and customer, joined with " and ". A name that matches no record enters as
/// identifier 0, which no record has. Reads the data module's models, suppliers and customers
/// without moving them.
QString articlesFilter(Tdm& data, const ArticleFilterChoice& choice);
/// Sets the filter of `dm.Tabarticoli` to the panel's choices: on when there is any, else off.
QString applyArticlesFilter(Tdm& data, const ArticleFilterChoice& choice);

/// The parts of the edit page on show when "OK" is pressed.
struct ShownParts {
    bool serialNumber = false;
    bool simple = false;
};

/// What "OK" decided: empty `message` when the article may be posted, else the first failing
/// check's message and the field whose box takes the focus.
struct ArticleVerdict {
    QString message;
    QString focusField;
    bool accepted() const { return message.isEmpty(); }
};

/// Before "OK" posts the pending article of `dm.Tabarticoli`: the checks of the parts shown,
/// then an article with an owner leaves the stock and a blank quantity becomes 1. A refusal
/// leaves the record pending and unchanged.
ArticleVerdict prepareArticleSave(Tdm& data, ShownParts parts);

/// The warning refusing the deletion of the article with serial number `matricola`, or
/// nothing: contract lines first, then movements, then movement lines. A simple article (no
/// serial number) is never held back. Searches the whole files of the year folder.
std::optional<QString> articleDeleteRefusal(const QString& yearFolder, const QString& matricola);

/// Copies the VAT number and address of the customer the article names as owner (looked up in
/// `customers` without moving it) into the article.
void copyOwnerAddress(store::Table& article, store::Table& customers);
/// "Pulisci" of the owner group: no owner and no address.
void clearOwner(store::Table& article);

/// The field the "Trova" list entry searches ("Matricola", "descrizione", "barcode"); empty
/// for anything else.
QString searchFieldOf(const QString& entry);
/// Search as you type: the first article whose field begins with `text`; "Trova" (`exact`):
/// the first equal to it. Failures, and no field chosen, are swallowed. Answers whether it moved.
bool searchArticle(store::Table& articles, const QString& entry, const QString& text, bool exact);

} // namespace articles
