#pragma once

#include <QDialog>

class QTabWidget;

/// "Primi passi...": how to start working with the program, in pages of help text.
class Tprimi_passiForm : public QDialog {
    Q_OBJECT
public:
    explicit Tprimi_passiForm(QWidget* parent = nullptr);

    /// The outer pages: the verification-program customer's steps, then the generic customer.
    QTabWidget* pages() const { return pages_; }

private:
    QTabWidget* pages_ = nullptr;
};

namespace utilities {

/// Opens the first-steps help modally.
int openFirstSteps();

} // namespace utilities
