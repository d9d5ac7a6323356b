#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class Tdm;

namespace ui {
class DbEdit;
class PageStack;
} // namespace ui

namespace movements {

/// The verification records ("Dati riguardanti l'Agenzia delle Entrate") of the current
/// movement of `dm.Tabmov`: a list with "Nuovo mov per AE", "Modifica mov per AE" and "Elimina
/// mov per AE", and the entry of one record with "OK" and "Annulla", on two pages of one widget.
///
/// While the page lives, `dm.Tabmisurazioni` is a detail of `dm.Tabmov` (only the current
/// movement's records), and it is released when the page goes. The movement screen hosts one
/// page, refuses to close while editing() and follows editingChanged to show the entry.
class VerificationPage : public QWidget {
    Q_OBJECT
public:
    explicit VerificationPage(Tdm& data, QWidget* parent = nullptr);
    ~VerificationPage() override;

    /// True while a record is being entered or changed (the entry shows).
    bool editing() const;

    /// The commands of the buttons.
    void newVerification();
    void modifyVerification();
    void deleteVerification();
    /// "OK": the checks, then the record is stored and the list comes back. False when the
    /// record stays in entry.
    bool confirm();
    /// "Annulla": the changes are dropped (a new record is not stored) and the list comes back.
    void cancel();

signals:
    /// The entry was shown (true) or the list came back (false).
    void editingChanged(bool editing);
    /// A record was stored or deleted: the movement's customer may now be fixed or free.
    void recordsChanged();

private:
    QWidget* makeList();
    QWidget* makeEntry();
    void showEntry(bool on);
    void municipalityLeft();

    Tdm& data_;
    ui::PageStack* pages_;
    QLabel* customer_ = nullptr;
    ui::DbEdit* vat_ = nullptr;
};

} // namespace movements
