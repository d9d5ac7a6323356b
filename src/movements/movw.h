#pragma once

#include "store/table.h"
#include "ui/screen.h"

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QMenuBar;
class Tdm;

namespace articles {
class MovementArticlesPage;
}
namespace ui {
class PageStack;
}

namespace movements {

class MovementEntryPage;
class MovementList;
class VerificationPage;

/// How the movement screen opens: on its general list, on one kind's list, or on the entry of a
/// new intervention for `dm`'s current contract and contract line, closing when that entry ends.
enum class MovementsMode { General, Interventions, Repairs, Sales, ContractVisit };

/// Opens the movement screen in `mode` through the modal-screen routine.
int openMovements(Tdm& data, MovementsMode mode = MovementsMode::General);

} // namespace movements

/// The movement screen: four lists of `dm.Tabmov` (every movement, interventions, repairs,
/// sales) with their filter panels and commands, and the entry tab with its pages (the movement,
/// its verification, its articles). The filter set here stays in force on `dm.Tabmov` for every
/// later user. Only "chiudi" closes it, and never while a movement is being entered.
class TMOVForm : public ui::Screen {
    Q_OBJECT
public:
    static inline const QString entryTabName = QStringLiteral("inserimento");
    static inline const QString entryPageName = QStringLiteral("Movimento");
    static inline const QString verificationPageName = QStringLiteral("Verificazione");
    static inline const QString articlesPageName = QStringLiteral("Articoli");

    explicit TMOVForm(Tdm& data, movements::MovementsMode mode = movements::MovementsMode::General,
                      QWidget* parent = nullptr);
    ~TMOVForm() override;

    /// The list of the open mode (the general one for the general and contract-visit modes).
    movements::MovementList& list() const;
    movements::MovementList& list(movements::MovementsMode which) const;
    movements::MovementEntryPage& entryPage() const { return *entry_; }
    ui::PageStack& tabs() const { return *tabs_; }
    ui::PageStack& entryPages() const { return *entryPages_; }
    movements::VerificationPage& verificationPage() const { return *verification_; }
    articles::MovementArticlesPage& articlesPage() const { return *articles_; }
    QString filterLine() const;
    QMenuBar* menu() const { return menu_; }

    // The list commands, on the list that shows.
    void newMovement();    ///< "Nuovo Mov /F8", "Nuovo /F8"
    void modifyMovement(); ///< "Modifica Mov /F9", "Modifica /F9"
    void deleteMovement(); ///< "elimina Mov", "elimina"
    void filter();         ///< "Filtra"
    void showAll();        ///< "Tutti"
    void clearPanel();     ///< "Pulisci"
    void markDone();       ///< "Segna Evasa"
    void showArticles();   ///< "Inserisci/Modifica": the articles page of the current movement
    /// "Impostazioni ▸ Articoli e parco macchine".
    void openArticles();

private:
    void start();
    void wire(movements::MovementList& list);
    void showEntry(bool typeLocked);
    /// Back from the entry tab to the list of the open mode, or the end of a contract visit.
    void backToList();
    /// A verification command of the lists, run on the entry tab's verification page.
    void onVerificationPage(void (movements::VerificationPage::*command)());
    void setFilterLine(const QString& text);
    bool onKindList() const;
    /// The `Id` of a kind; a kind missing from the types is said and gives nothing.
    std::optional<int> kindOf(const QString& description);
    movements::MovementList& shownList() const;

    Tdm& data_;
    const movements::MovementsMode mode_;
    store::Table Tabesercizio, TabMS, Tabtipomov, TabARTMOV, Tabmisurazioni;
    QMenuBar* menu_ = nullptr;
    QLabel* filterLine_ = nullptr;
    ui::PageStack* tabs_ = nullptr;
    ui::PageStack* entryPages_ = nullptr;
    std::array<movements::MovementList*, 4> lists_{};
    movements::MovementEntryPage* entry_ = nullptr;
    movements::VerificationPage* verification_ = nullptr;
    articles::MovementArticlesPage* articles_ = nullptr;
};
