#pragma once

#include "movements/movement_filter.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Tdm;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
}

namespace movements {

/// One list tab of the movement screen: the filter panel, the grid of `dm.Tabmov` coloured by
/// state, the current movement's texts, the commands and the two lower sub-tabs (article lines
/// and verification records of the current movement). The general list has a type drop-down;
/// a kind list hides it, holding the kind's description, and names itself in a caption.
class MovementList : public QWidget {
    Q_OBJECT
public:
    static inline const QString articlesTabName =
        QStringLiteral("Articoli usati nella riparazione / intervento");
    static inline const QString verificationsTabName =
        QStringLiteral("Dati riguardanti l'Agenzia delle Entrate");

    /// `kind` is the kind's description ("INTERVENTO", ...) and `caption` the list's name;
    /// both empty for the general list. `lines` and `verifications` follow `dm.Tabmov`.
    MovementList(Tdm& data, store::Table& lines, store::Table& verifications, const QString& kind,
                 const QString& caption, QWidget* parent = nullptr);

    bool general() const { return kind_.isEmpty(); }
    const QString& kind() const { return kind_; }

    /// Fills the customer, technician and type drop-downs from `dm`'s registers, in their order.
    void fillChoices();
    /// What the panel shows, with the names still to be looked up.
    FilterCriteria criteria() const;
    FilterNames names() const;
    /// "Pulisci": every box back to empty, "Evasioni" on "Tutti"; a kind list keeps its kind.
    void clearPanel();

    /// The command buttons by caption, for the screen to wire.
    QPushButton* command(const QString& caption) const;
    ui::DataGrid* grid() const { return grid_; }
    ui::DataGrid* linesGrid() const { return linesGrid_; }
    ui::DataGrid* verificationsGrid() const { return verificationsGrid_; }
    QTabWidget* lowerTabs() const { return lower_; }
    QLineEdit* dateBox(int which) const {
        return dates_[which];
    } ///< 0-1 insertion, 2-3 appointment
    QComboBox* customerChoice() const { return customer_; }
    QComboBox* technicianChoice() const { return technician_; }
    QComboBox* typeChoice() const { return type_; }
    QRadioButton* fulfilmentChoice(Fulfilment f) const { return fulfilment_.at(f); }

private:
    QWidget* buildFilterPanel(const QString& caption);
    QWidget* buildSideTexts();
    QWidget* buildCommands();
    QWidget* buildLowerTabs(store::Table& lines, store::Table& verifications);

    Tdm& data_;
    QString kind_;
    QLineEdit* dates_[4] = {};
    QComboBox* customer_ = nullptr;
    QComboBox* technician_ = nullptr;
    QComboBox* type_ = nullptr;
    std::map<Fulfilment, QRadioButton*> fulfilment_;
    ui::DataGrid* grid_ = nullptr;
    ui::DataGrid* linesGrid_ = nullptr;
    ui::DataGrid* verificationsGrid_ = nullptr;
    QTabWidget* lower_ = nullptr;
    std::map<QString, QPushButton*> commands_;
};

/// The empty date box of a filter panel, as it shows.
inline const QString emptyDateMask = QStringLiteral("  /  /    ");

} // namespace movements
