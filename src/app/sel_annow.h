#pragma once

#include "ui/screen.h"

#include <functional>

class QSpinBox;
class QPushButton;
class Tdm;

namespace store {
struct ProgramState;
}

/// The choice of the working year at start-up: an existing year folder opens at once, a
/// missing one is created from the template on request.
class TSel_annoForm : public ui::Screen {
    Q_OBJECT
public:
    /// `showYear` receives the status bar text "Anno: <year>" once a year is accepted.
    TSel_annoForm(Tdm& data, store::ProgramState& state,
                  std::function<void(const QString&)> showYear, const QDate& today,
                  QWidget* parent = nullptr);

    QSpinBox* yearBox() const { return SpinEdit1; }
    QPushButton* nextButton() const { return BitBtn1; }
    QPushButton* cancelButton() const { return BitBtn2; }

private:
    void BitBtn1Click();

    Tdm& data_;
    store::ProgramState& state_;
    std::function<void(const QString&)> showYear_;
    QSpinBox* SpinEdit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};
