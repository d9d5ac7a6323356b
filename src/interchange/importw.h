#pragma once

#include "interchange/agency_file.h"
#include "interchange/agency_parser.h"
#include "ui/screen.h"

#include <functional>

class QLabel;
class QProgressBar;
class Tdm;

namespace ui {
class DataGrid;
}

/// Picks the agency file to read; empty when the user gave none.
using AgencyFileChooser = std::function<QString(QWidget* parent)>;

/// Reads a revenue-agency quarterly file into the staging tables and shows them, one grid per
/// record type. Moving the rows into the working tables is not available.
class TimportForm : public ui::Screen {
    Q_OBJECT
public:
    /// `chooser` stands in for the file-open dialog (tests); empty: the dialog.
    TimportForm(const QString& stagingFolder, AgencyFileChooser chooser = {},
                QWidget* parent = nullptr);
    ~TimportForm() override;

    QString chosenFile() const;
    ui::DataGrid* grid(interchange::AgencyKind kind) const;
    QWidget* importPanel() const { return panel_; }

private:
    void chooseFile();
    void readChosenFile();

    interchange::AgencyStaging staging_;
    AgencyFileChooser chooser_;
    QLabel* path_;
    ui::DataGrid* grids_[3];
    QWidget* panel_;
    QProgressBar* progress_;
};

namespace interchange {

/// Opens the screen on the data root's staging folder; when it closes, the data module's tables
/// are closed and opened again on the working year.
int openAgencyFile(Tdm& data, AgencyFileChooser chooser = {});

} // namespace interchange
