#pragma once

#include "ui/screen.h"

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;
class Tdm;

namespace ui {
class DbCheckBox;
}

/// The closing of a movement: done, to be invoiced with what and how much, the technical
/// report, and whether its machine is under contract and until when. It works on the current
/// record of `dm.Tabmov`, already in edit, and stores it with "OK" or drops the changes with
/// "Annulla"; closing the window does neither.
class TsegnaevasaForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TsegnaevasaForm(Tdm& data, QWidget* parent = nullptr);
    ~TsegnaevasaForm() override;

    QTabWidget* tabs() const { return tabs_; }
    ui::DbCheckBox* toInvoiceBox() const { return toInvoice_; }
    /// The renewal tab's two texts.
    QString contractFound() const;
    QString contractUntil() const;
    /// The wording line being picked, 1 to 4; -1 outside a "diciture" command.
    int wordingTarget() const { return wordingTarget_; }
    QPushButton* wordingButton(int line) const { return wordingButtons_[size_t(line - 1)]; }

    void confirm(); ///< "OK"
    void cancel();  ///< "Annulla"

private:
    struct OwnTables;
    void showMachineContract();
    void pickWording(int line);

    Tdm& data_;
    std::unique_ptr<OwnTables> own_;
    QTabWidget* tabs_ = nullptr;
    ui::DbCheckBox* toInvoice_ = nullptr;
    QLabel* found_ = nullptr;
    QLabel* until_ = nullptr;
    std::array<QPushButton*, 4> wordingButtons_{};
    int wordingTarget_ = -1;
};

namespace contracts {

/// Opens the closing screen on the movement `dm.Tabmov` stands on (put into edit when it is
/// not yet) through the modal-screen routine: what "Segna Evasa" of the movement screen calls.
int openClosing(Tdm& data);

/// The wording picker for line `line` (1 to 4) of the movement's invoice texts; it writes the
/// chosen wording into `Da_fatt1`..`Da_fatt4` of `dm.Tabmov`. The "diciture" buttons are
/// disabled until the program sets it.
void setWordingPicker(std::function<void(Tdm&, int line)> pick);

} // namespace contracts
