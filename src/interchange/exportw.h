#pragma once

#include "interchange/verification_tables.h"
#include "ui/screen.h"

class QButtonGroup;
class QLineEdit;
class QSpinBox;
class Tdm;

/// Sends one quarter's verifications and every register to the verification program's tables.
class Texport_inverifForm : public ui::Screen {
    Q_OBJECT
public:
    Texport_inverifForm(Tdm& data, const QString& workingYear, QWidget* parent = nullptr);
    ~Texport_inverifForm() override;

    QLineEdit* folderBox() const { return folder_; }
    QSpinBox* yearBox() const { return year_; }
    /// The radio button of a quarter (1-4).
    QWidget* quarterButton(int quarter) const;
    /// The panel with the two grids, shown once the tables are open.
    QWidget* panel() const { return panel_; }

private:
    void checkData();
    void send();

    Tdm& data_;
    interchange::VerificationTables target_;
    QString savedFilter_;
    bool savedFiltered_;
    QLineEdit* folder_;
    QSpinBox* year_;
    QButtonGroup* quarters_;
    QWidget* panel_;
};

namespace interchange {

/// Opens the export screen on the working year.
int openExportToVerification(Tdm& data);

} // namespace interchange
