#pragma once

#include "articles/seltipoartw.h"
#include "ui/register_screen.h"

#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class Tdm;

namespace report {
struct Document;
}

namespace ui {
class DbLookupCombo;
}

/// The articles and the machine park on `dm.Tabarticoli`: a filter panel and a search over the
/// list; an edit page with a part for simple articles and one for machines with serial number,
/// whose owner stays locked until "modifica"; the printed list.
class TarticoliForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit TarticoliForm(Tdm& data, QWidget* parent = nullptr);
    ~TarticoliForm() override;

    /// What "Stampa" does with the list (the print preview; tests look at the document).
    void setPreview(std::function<void(const report::Document&)> preview) {
        preview_ = std::move(preview);
    }

    void newArticle();
    void modifyArticle();
    bool deleteArticle();
    void print();
    /// "modifica" of the owner group.
    void unlockOwner();
    void cancelFilter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildListPage();
    void buildFilterPanel();
    void buildFindGroup();
    void buildEditPage();
    QWidget* buildOwnerGroup();
    void fillFilterBoxes();
    void rebuildFilter();
    void showParts(bool simple, bool serialNumber);
    void lockOwner(bool locked);
    bool saveCheck();
    QWidget* boxOf(const QString& field) const;

    Tdm& data_;
    std::unique_ptr<store::Table> customers_;
    std::unique_ptr<store::Table> models_;
    QComboBox* customerFilter_ = nullptr;
    QComboBox* modelFilter_ = nullptr;
    QComboBox* supplierFilter_ = nullptr;
    QButtonGroup* view_ = nullptr;
    QComboBox* searchField_ = nullptr;
    QLineEdit* search_ = nullptr;
    QWidget* serialPart_ = nullptr;
    QWidget* simplePart_ = nullptr;
    QGroupBox* ownerGroup_ = nullptr;
    ui::DbLookupCombo* model_ = nullptr;
    ui::DbLookupCombo* owner_ = nullptr;
    ui::DbLookupCombo* supplier_ = nullptr;
    std::vector<QWidget*> ownerLocked_;
    std::map<QString, QWidget*> boxes_;
    bool simpleShown_ = false;
    bool serialShown_ = false;
    bool filling_ = false;
    QString rememberedOwner_;
    std::function<void(const report::Document&)> preview_;
};

namespace articles {
/// Opens the articles screen through the modal-screen routine.
int openArticles(Tdm& data);
} // namespace articles
