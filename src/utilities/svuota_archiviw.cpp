#include "utilities/svuota_archiviw.h"

#include "store/dm.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "ui/modal.h"
#include "utilities/archives.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSVUOTA_ARCHIVIForm::TSVUOTA_ARCHIVIForm(Tdm& data, std::function<void()> showAbout,
                                         QWidget* parent)
    : QDialog(parent)
    , data_(data) {
    setObjectName(QStringLiteral("SVUOTA_ARCHIVIForm"));
    setWindowTitle(QStringLiteral("SVUOTA_ARCHIVIForm"));
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QLabel(QStringLiteral("ATTENZIONE"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setItalic(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    heading->setFont(font);
    heading->setStyleSheet(QStringLiteral("color: #800000;"));
    layout->addWidget(heading);
    auto* warning = new QLabel(
        QStringLiteral("Continuando si potranno perdere dati importanti. Annulla per uscire!"),
        this);
    QFont emphasis = warning->font();
    emphasis.setBold(true);
    emphasis.setItalic(true);
    warning->setFont(emphasis);
    layout->addWidget(warning);

    // Left column the registers, right column the archives of the work done.
    auto* grid = new QGridLayout;
    const std::vector<utilities::Archive>& list = utilities::archives();
    for (size_t i = 0; i < list.size(); ++i) {
        auto* box = new QCheckBox(list[i].caption, this);
        grid->addWidget(box, int(i < 4 ? i : i - 4), i < 4 ? 0 : 1);
        boxes_.push_back(box);
    }
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* about = new QPushButton(QStringLiteral("Per Informazioni"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    for (QPushButton* b : {about, ok, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(about, &QPushButton::clicked, this, [showAbout = std::move(showAbout)] {
        if (showAbout)
            showAbout();
    });
    connect(ok, &QPushButton::clicked, this, &TSVUOTA_ARCHIVIForm::OKClick);
    connect(cancel, &QPushButton::clicked, this, &TSVUOTA_ARCHIVIForm::AnnullaClick);
}

void TSVUOTA_ARCHIVIForm::OKClick() {
    std::vector<bool> chosen;
    for (const QCheckBox* box : boxes_)
        chosen.push_back(box->isChecked());
    try {
        const utilities::EmptyOutcome outcome = utilities::emptyArchives(
            data_, store::program().yearFolder(), chosen,
            [](const QString& question) { return ui::dialogs().question(question); });
        if (outcome == utilities::EmptyOutcome::Emptied)
            accept();
    } catch (const std::exception& failure) {
        // The store's own message; the screen stays, so the user sees what is left.
        ui::showFailure(failure);
    }
}

void TSVUOTA_ARCHIVIForm::AnnullaClick() {
    utilities::reopenSharedTables(data_, store::program().yearFolder());
    reject();
}

namespace utilities {

int openEmptyArchives(Tdm& data, std::function<void()> showAbout) {
    return ui::showScreen<TSVUOTA_ARCHIVIForm>(data, std::move(showAbout));
}

} // namespace utilities
