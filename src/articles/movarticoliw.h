#pragma once

#include <QWidget>
#include <memory>

class QLineEdit;
class Tdm;

namespace store {
class Table;
}

namespace articles {

/// "Inserisci/Modifica" on a movement list: refuses, with its message, a current movement of
/// `dm.Tabmov` without customer; answers whether the articles page may show.
bool mayShowArticlesPage(Tdm& data);

/// The articles page of a movement: the warehouse articles without serial number (`dm`'s
/// article table, filtered on them every time the page shows) and the lines of the current
/// movement of `dm.Tabmov`, with "Aggiungi " and "Rimuovi" moving quantities between them.
/// Lines are stored at each command; "Conferma" only tells the host to leave the page.
class MovementArticlesPage : public QWidget {
    Q_OBJECT
public:
    MovementArticlesPage(Tdm& data, QWidget* parent = nullptr);
    ~MovementArticlesPage() override;

    /// The current movement's lines (`Mov_articoli`, detail of `dm.Tabmov`).
    store::Table& lines() const { return *TabARTMOV_; }

    void add();
    void remove();
    /// "aggiungi merce in magazzino": the articles screen, then the warehouse list again.
    void addStock();

signals:
    /// "Conferma": back to the list.
    void confirmed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showWarehouse();

    Tdm& data_;
    std::unique_ptr<store::Table> TabARTMOV_;
    QLineEdit* quantity_;
};

} // namespace articles
