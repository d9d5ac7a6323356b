#include "ui/navigator.h"

#include "store/error.h"
#include "ui/dialogs.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

namespace ui {

namespace {

struct ButtonLook {
    const char* name;
    const char* glyph;
    const char* tip;
};

// Glyphs rather than themed icons: they look the same on every platform and in tests.
constexpr std::array<ButtonLook, Navigator::buttonCount> looks{{
    {"first", "|◀", "Primo"},
    {"prior", "◀", "Precedente"},
    {"next", "▶", "Successivo"},
    {"last", "▶|", "Ultimo"},
    {"append", "+", "Inserisci"},
    {"delete", "−", "Elimina"},
    {"edit", "▲", "Modifica"},
    {"post", "✔", "Conferma"},
    {"cancel", "✖", "Annulla"},
    {"refresh", "↻", "Aggiorna"},
}};

} // namespace

Navigator::Navigator(store::Table& table, QWidget* parent)
    : QWidget(parent)
    , table_(&table) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < buttonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(looks[size_t(i)].name));
        b->setText(QString::fromUtf8(looks[size_t(i)].glyph));
        b->setToolTip(QString::fromUtf8(looks[size_t(i)].tip));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, [this, i] { press(Button(i)); });
        layout->addWidget(b);
        buttons_[size_t(i)] = b;
    }
    layout->addStretch();
    // Read before the link is made, so that a read that fails leaves no link to a navigator
    // that was never made.
    updateButtons();
    table_->addLink(this);
}

Navigator::~Navigator() {
    if (table_)
        table_->removeLink(this);
}

void Navigator::setVisibleButtons(std::initializer_list<Button> shown) {
    for (int i = 0; i < buttonCount; ++i)
        buttons_[size_t(i)]->setVisible(std::find(shown.begin(), shown.end(), Button(i)) !=
                                        shown.end());
}

void Navigator::press(Button which) {
    if (!table_ || !table_->active() || !buttons_[size_t(which)]->isEnabled())
        return;
    if (beforeAction_ && !beforeAction_(which))
        return;
    store::Table& t = *table_;
    try {
        switch (which) {
        case Button::First:
            t.first();
            break;
        case Button::Prior:
            t.prior();
            break;
        case Button::Next:
            t.next();
            break;
        case Button::Last:
            t.last();
            break;
        case Button::Append:
            t.append();
            break;
        case Button::Delete:
            if (!confirmDelete_ || dialogs().question(QStringLiteral("Eliminare il record?")))
                t.deleteRecord();
            break;
        case Button::Edit:
            t.edit();
            break;
        case Button::Post:
            t.post();
            break;
        case Button::Cancel:
            t.cancel();
            break;
        case Button::Refresh:
            t.refresh();
            break;
        }
    } catch (const store::Error& e) {
        dialogs().warning(e.message());
    }
    updateButtons();
}

void Navigator::updateButtons() {
    const bool active = table_ && table_->active();
    const bool browsing = active && table_->state() == store::DataSetState::Browse;
    const bool editing = active && !browsing;
    const int count = browsing ? table_->recordCount() : 0;
    const int position = browsing ? table_->recNo() : 0;
    const bool atStart = position <= 1;
    const bool atEnd = position >= count;
    const auto enable = [this](Button b, bool on) {
        buttons_[size_t(b)]->setEnabled(on);
    };
    enable(Button::First, browsing && !atStart);
    enable(Button::Prior, browsing && !atStart);
    enable(Button::Next, browsing && !atEnd);
    enable(Button::Last, browsing && !atEnd);
    enable(Button::Append, browsing);
    enable(Button::Delete, browsing && count > 0);
    enable(Button::Edit, browsing && count > 0);
    enable(Button::Post, editing);
    enable(Button::Cancel, editing);
    enable(Button::Refresh, browsing);
}

void Navigator::dataEvent(store::Table&, store::DataEvent, int) {
    updateButtons();
}

void Navigator::tableDestroyed(store::Table&) {
    table_ = nullptr;
    updateButtons();
}

} // namespace ui
