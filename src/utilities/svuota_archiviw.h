#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QCheckBox;
class Tdm;

/// "svuota archivi": seven check boxes, one per archive, and "OK" to empty the ticked ones.
class TSVUOTA_ARCHIVIForm : public QDialog {
    Q_OBJECT
public:
    /// `showAbout` shows the about box ("Per Informazioni").
    TSVUOTA_ARCHIVIForm(Tdm& data, std::function<void()> showAbout, QWidget* parent = nullptr);

private:
    void OKClick();
    void AnnullaClick();

    Tdm& data_;
    std::vector<QCheckBox*> boxes_;
};

namespace utilities {

/// Opens the emptying screen modally.
int openEmptyArchives(Tdm& data, std::function<void()> showAbout);

} // namespace utilities
