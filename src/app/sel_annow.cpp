#include "app/sel_annow.h"

#include "app/session.h"
#include "ui/dialogs.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

/// A year box that lets any four digits be typed, as users expect; a year outside the range
/// is brought into it when the box loses the focus or the year is accepted.
class YearBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int&) const override {
        if (input.isEmpty())
            return QValidator::Intermediate;
        if (input.size() > 4 ||
            !std::all_of(input.begin(), input.end(), [](QChar c) { return c.isDigit(); }))
            return QValidator::Invalid;
        const int year = input.toInt();
        return year >= minimum() && year <= maximum() ? QValidator::Acceptable
                                                      : QValidator::Intermediate;
    }
    void fixup(QString& input) const override {
        bool ok = false;
        const int year = input.toInt(&ok);
        input = QString::number(ok ? std::clamp(year, minimum(), maximum()) : value());
    }
};

} // namespace

TSel_annoForm::TSel_annoForm(Tdm& data, store::ProgramState& state,
                             std::function<void(const QString&)> showYear, const QDate& today,
                             QWidget* parent)
    : ui::Screen(parent)
    , data_(data)
    , state_(state)
    , showYear_(std::move(showYear)) {
    setObjectName(QStringLiteral("Sel_annoForm"));
    const QString caption = QStringLiteral("Seleziona l'anno su cui lavorare:");
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(caption, this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    layout->addWidget(heading);

    SpinEdit1 = new YearBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(app::firstSelectableYear(), app::lastSelectableYear(today.year()));
    SpinEdit1->setValue(app::proposedYear(today.year()));
    SpinEdit1->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    SpinEdit1->findChild<QLineEdit*>()->setMaxLength(4);
    QFont big = SpinEdit1->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    SpinEdit1->setFont(big);
    layout->addWidget(SpinEdit1, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("Avanti  >>"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Annulla"), this);
    BitBtn1->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    layout->addLayout(buttons);
    connect(BitBtn1, &QPushButton::clicked, this, &TSel_annoForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });

    state_.workingYear.clear();
    setCloseAllowed(false);
}

void TSel_annoForm::BitBtn1Click() {
    // A typed value outside the range is brought into it, as when the box loses the focus.
    bool ok = false;
    const int typed = SpinEdit1->text().toInt(&ok);
    if (ok)
        SpinEdit1->setValue(std::clamp(typed, SpinEdit1->minimum(), SpinEdit1->maximum()));
    const QString year = SpinEdit1->text();
    const app::YearPrompts prompts{[](const QString& text) { return ui::dialogs().question(text); },
                                   [](const QString& text) {
                                       ui::dialogs().message(text);
                                   }};
    if (app::acceptYear(data_, state_, year, prompts) != app::YearOutcome::Accepted)
        return;
    if (showYear_)
        showYear_(QStringLiteral("Anno: ") + year);
    closeWith(QDialog::Accepted);
}
