#pragma once

#include "store/table.h"
#include "ui/screen.h"

#include <map>

class Tdm;
class QCheckBox;
class QComboBox;
class QTabWidget;

namespace ui {
class DataGrid;
class DbComboBox;
class PageStack;
} // namespace ui

/// The properties of `dm.Tabdoc`'s current document, which the caller has put in edit mode:
/// header, lines (each stored at once with the totals), totals, and the closing part with the
/// transport data picked from the wording lists. Answers only "Ok" or "Annulla"; the caller
/// stores or cancels the header.
class Tprop_fatturaForm : public ui::Screen {
    Q_OBJECT
public:
    static inline const QString gridPageName = QStringLiteral("righe");
    static inline const QString linePageName = QStringLiteral("riga");

    explicit Tprop_fatturaForm(Tdm& data, QWidget* parent = nullptr);

    QTabWidget& tabs() const { return *tabs_; }
    ui::PageStack& linePages() const { return *linePages_; }
    ui::DataGrid& lineGrid() const { return *lineGrid_; }
    /// The combo box of a closing field (`Trasporto_amezzo`, ...).
    ui::DbComboBox* closingBox(const QString& field) const { return closing_.at(field); }

    // The line commands.
    void newLine();
    void editLine();
    void deleteLine();
    bool confirmLine();
    void cancelLine();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildMain();
    QWidget* buildLines();
    QWidget* buildFinal();
    void buildMenu();
    /// Fills each closing combo box with the descriptions of its wording list.
    void refillClosing();
    void stamp(const QString& field, bool time);
    /// The nature code box of the line page: empty for a new line, else what is kept for it.
    void loadNature(bool fresh);
    /// The VAT rate proposed for a new line.
    int proposedRate();

    Tdm& data_;
    store::Table customers_;
    store::Table types_;
    QTabWidget* tabs_ = nullptr;
    ui::PageStack* linePages_ = nullptr;
    ui::DataGrid* lineGrid_ = nullptr;
    QWidget* lineFirst_ = nullptr;
    QComboBox* nature_ = nullptr;
    std::map<QString, ui::DbComboBox*> closing_;
    bool shown_ = false;
};

namespace documents {
/// Shows the properties screen on `dm.Tabdoc`'s current document.
int openProperties(Tdm& data);
} // namespace documents
