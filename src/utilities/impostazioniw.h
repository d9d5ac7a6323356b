#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class Tdm;

namespace utilities {
/// Asks for a picture file: the dialog's parent and its filter; an empty answer is a cancel.
using PictureChooser = std::function<QString(QWidget* parent, const QString& filter)>;
/// The system's file dialog.
QString choosePictureFile(QWidget* parent, const QString& filter);
} // namespace utilities

/// "Impostazioni default": the two logos of the prints and the default VAT rate, on the single
/// record of `impostazioni` that the opener has put in edit mode.
class TimpostazioniForm : public QDialog {
    Q_OBJECT
public:
    TimpostazioniForm(Tdm& data, utilities::PictureChooser choose, QWidget* parent = nullptr);

private:
    /// Stores a chosen file's bytes unchanged into the field and shows the picture.
    void loadPicture(const QString& field, const QString& filter, QLabel* box);

    Tdm& data_;
    utilities::PictureChooser choose_;
};

namespace utilities {

/// Puts the settings record in edit mode (starting it on an empty table), opens the screen,
/// then posts the record after "OK" or cancels every change, logos included.
int openDefaultSettings(Tdm& data, PictureChooser choose = choosePictureFile);

} // namespace utilities
