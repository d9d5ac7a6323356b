#include "registry/tipomovw.h"

#include "store/dm.h"
#include "ui/grid.h"
#include "ui/modal.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

TtipomovForm::TtipomovForm(Tdm& data, QWidget* parent)
    : ui::Screen(parent)
    , grid_(new ui::DataGrid(
          data.Tabtipomov, {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 320}})) {
    setWindowTitle(QStringLiteral("Tipi movimenti:"));
    resize(400, 320);
    // Nothing can be half-done on a list that is only looked at.
    setCloseAllowed(true);
    grid_->setRowSelect(true);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        if (row.value(QStringLiteral("Readonly")).toBool())
            style.text = QColor(Qt::blue);
    });

    auto* close = new QPushButton(QStringLiteral("chiudi"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { closeWith(Rejected); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
}

namespace registry {

int openMovementTypes(Tdm& data) {
    return ui::showScreen<TtipomovForm>(data);
}

} // namespace registry
