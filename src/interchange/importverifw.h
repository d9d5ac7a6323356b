#pragma once

#include "interchange/verification_tables.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class Tdm;

namespace ui {
class PageStack;
}

/// Starts this system from the verification program's data: its registers replace these, and
/// each of its verifications of the chosen year becomes a contract and a machine-park article.
class Timporta_da_verifForm : public ui::Screen {
    Q_OBJECT
public:
    explicit Timporta_da_verifForm(Tdm& data, QWidget* parent = nullptr);
    ~Timporta_da_verifForm() override;

    QLineEdit* folderBox() const { return folder_; }
    QSpinBox* yearBox() const { return year_; }
    QString statusText() const;
    ui::PageStack& pages() const { return *pages_; }

    static const QString startPageName;
    static const QString importPageName;

private:
    void checkData();
    void importAll();

    Tdm& data_;
    interchange::VerificationTables source_;
    QLineEdit* folder_;
    QSpinBox* year_;
    QLabel* status_;
    ui::PageStack* pages_;
};

namespace interchange {

int openImportFromVerification(Tdm& data);

} // namespace interchange
