#pragma once

#include "ui/register_screen.h"

#include <array>
#include <functional>

class Tdm;

namespace ui {
class DbEdit;
class DbRichEdit;
class Navigator;
} // namespace ui

/// The contract types: a view page with the current type's name and five read-only rich-text
/// sections and a navigator, and an edit page with the same sections editable. The sections
/// are stored as HTML.
class TtipicontrattiForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TtipicontrattiForm(Tdm& data, QWidget* parent = nullptr);

    /// The five sections: the field names and their labels, in screen order.
    static const std::array<std::pair<QString, QString>, 5>& sections();
    ui::DbRichEdit* viewBox(int section) const { return viewBoxes_[size_t(section)]; }
    ui::DbRichEdit* editBox(int section) const { return editBoxes_[size_t(section)]; }
    ui::DbEdit* nameBox() const { return name_; }
    ui::Navigator* navigator() const { return navigator_; }

    /// "elimina": refused while a contract has this type, else deleted after a Yes.
    bool deleteType();

private:
    Tdm& data_;
    ui::DbEdit* name_ = nullptr;
    ui::Navigator* navigator_ = nullptr;
    std::array<ui::DbRichEdit*, 5> viewBoxes_{};
    std::array<ui::DbRichEdit*, 5> editBoxes_{};
};

namespace registry {
/// Opens the contract types screen through the modal-screen routine.
int openContractTypes(Tdm& data);
/// The preview of the sample contract behind "stampa contratto di esempio"; the contracts
/// subsystem sets it. Without one the button is disabled.
void setContractSamplePrint(std::function<void()> preview);
} // namespace registry
