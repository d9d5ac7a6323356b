#pragma once

#include "store/table.h"
#include "ui/screen.h"

#include <functional>

class Tdm;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class QTabWidget;

namespace ui {
class DataGrid;
}
namespace report {
struct Document;
}

/// The document list: the documents of the year (filtered by type), the lines of the selected
/// one, and the movements to invoice with their articles. Documents are made here by hand or
/// from a movement, opened in the properties screen, printed and deleted.
class Telenco_docForm : public ui::Screen {
    Q_OBJECT
public:
    explicit Telenco_docForm(Tdm& data, QWidget* parent = nullptr);
    ~Telenco_docForm() override;

    QTabWidget& tabs() const { return *tabs_; }
    QComboBox& typeFilter() const { return *typeFilter_; }
    ui::DataGrid& documentsGrid() const { return *documents_; }
    ui::DataGrid& toInvoiceGrid() const { return *toInvoice_; }
    store::Table& movementsToInvoice() { return Tabdafatt; }

    /// Adds a command to the row of document commands of the "Elenco Documenti" tab, after
    /// the list's own ("Elimina Documento", "Nuovo Doc...", "Proprietà Doc...", "Stampa").
    QPushButton* addDocumentCommand(const QString& caption, std::function<void()> action);

    // The commands.
    void generateDocument();
    void newDocument();
    void openProperties();
    void deleteDocument();
    void printDocument();
    void printToInvoice();
    void chooseType(int index);
    void fillTypes();

private:
    QWidget* buildDocuments();
    QWidget* buildDetail();
    QWidget* buildToInvoice();
    /// Shows the properties of the document in hand and keeps or undoes it by the answer; a
    /// document made by the command is deleted when cancelled (or when keeping it fails).
    /// Answers whether it was kept.
    bool editInProperties(bool made, store::Table* movement);
    /// Goes back to a document, when it is still there.
    void returnTo(store::Bookmark back);

    Tdm& data_;
    store::Table lup_ese, lup_misuratore, lup_tecnico, lup_tipomov;
    store::Table Tabdafatt, Tabmovart;
    QTabWidget* tabs_ = nullptr;
    QComboBox* typeFilter_ = nullptr;
    QHBoxLayout* documentCommands_ = nullptr;
    ui::DataGrid* documents_ = nullptr;
    ui::DataGrid* toInvoice_ = nullptr;
};

namespace documents {
/// The command that writes the current invoice as an electronic one, on the list and on the
/// properties screen.
inline QString electronicInvoiceCaption() {
    return QStringLiteral("Fattura elettronica (XML)...");
}
/// Opens the document list.
int openDocuments(Tdm& data);
/// Shows the print preview of `dm.Tabdoc`'s current document.
void previewDocument(Tdm& data, QWidget* parent = nullptr);
/// Shows a print's preview modally (through the modal-screen routine's test seam).
void showPreview(const report::Document& printed, QWidget* parent = nullptr);
} // namespace documents
