// The screen kit: box widths, the read-only look and the label that shows a field.

#include "ui_support.h"

#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/formkit.h"

#include <QFormLayout>
#include <memory>

namespace {

class FormKitTest : public ::testing::Test {
protected:
    void SetUp() override {
        technicians = std::make_unique<store::Table>(year.path(), QStringLiteral("tecnici"));
        technicians->open();
        form.setLayout(layout);
        layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        form.resize(900, 300);
    }

    /// True when the box shows its whole text: with the cursor at the end, the text has not
    /// been scrolled to the left, and the cursor is still inside the box.
    static bool showsWhole(QLineEdit* box) {
        const auto cursor = [box] {
            return box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        };
        box->setCursorPosition(int(box->text().size()));
        const QRect end = cursor();
        box->setCursorPosition(0);
        const QRect start = cursor();
        return end.center().x() - start.center().x() ==
                   box->fontMetrics().horizontalAdvance(box->text()) &&
               start.center().x() >= 0 && end.center().x() < box->width();
    }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> technicians;
    QWidget form;
    QFormLayout* layout = new QFormLayout;
};

TEST_F(FormKitTest, ABoxShowsAValueOfItsFieldsFullSizeWhole) {
    const struct {
        const char* field;
        const char* value;
    } cases[] = {
        {"Prov_nascita", "WW"},
        {"Id_nu_sigillo", "WWWW"},
        {"Cf", "WWWWWWWWWWWWWWWW"},
        {"Cf", "RSSMRA83C05H501X"},
        {"Cognome", "DELL'ANGELO MASSIMILIANO"},
        {"Comune_nascita", "SAN GIOVANNI IN PERSICETO MONTEMAGGIORE"},
    };
    std::vector<ui::DbEdit*> boxes;
    for (const auto& c : cases) {
        boxes.push_back(new ui::DbUpperEdit(*technicians, QString::fromLatin1(c.field)));
        layout->addRow(QString::fromLatin1(c.field), boxes.back());
    }
    auto* date = new ui::DbDateEdit(*technicians, QStringLiteral("Data_nascita"));
    layout->addRow(QStringLiteral("Data_nascita"), date);
    uitest::showActive(form);
    technicians->append();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setText(QString::fromLatin1(cases[i].value));
        EXPECT_TRUE(showsWhole(boxes[i])) << cases[i].value;
        EXPECT_LT(boxes[i]->width(), form.width() / 2) << "no wider than it needs";
    }
    technicians->field(QStringLiteral("Data_nascita")).setAsDate(QDate(2026, 12, 28));
    EXPECT_EQ(date->text(), QStringLiteral("28/12/2026"));
    EXPECT_TRUE(showsWhole(date));
}

TEST_F(FormKitTest, EveryLockedControlHasTheOneReadOnlyLook) {
    const QColor grey(192, 192, 192);
    QWidget* controls[] = {
        new ui::DbUpperEdit(*technicians, QStringLiteral("Cf")),
        new ui::DbDateEdit(*technicians, QStringLiteral("Data_nascita")),
        new ui::DbComboBox(*technicians, QStringLiteral("Sesso")),
    };
    for (QWidget* control : controls)
        layout->addRow(control);
    uitest::showActive(form);
    for (QWidget* control : controls) {
        const QColor editable = control->palette().color(QPalette::Base);
        ui::setLocked(control, true);
        EXPECT_EQ(control->palette().color(QPalette::Base), grey)
            << control->metaObject()->className();
        ui::setLocked(control, false);
        EXPECT_EQ(control->palette().color(QPalette::Base), editable)
            << control->metaObject()->className();
    }
    auto* edit = static_cast<ui::DbEdit*>(controls[0]);
    edit->setReadOnly(true);
    EXPECT_EQ(edit->palette().color(QPalette::Base), grey) << "made read-only directly";
}

TEST_F(FormKitTest, FieldLabelFollowsTheCurrentRecord) {
    auto* label = new ui::DbLabel(*technicians, QStringLiteral("Cognome"));
    layout->addRow(label);
    EXPECT_EQ(label->text(), QString()) << "an empty table shows nothing";
    for (const char* surname : {"ROSSI", "BIANCHI"}) {
        technicians->append();
        technicians->field(QStringLiteral("Id_tecnico")).setAsInteger(surname[0]);
        technicians->field(QStringLiteral("Cognome")).setAsString(QString::fromLatin1(surname));
        technicians->post();
    }
    technicians->first();
    EXPECT_EQ(label->text(), QStringLiteral("BIANCHI"));
    technicians->next();
    EXPECT_EQ(label->text(), QStringLiteral("ROSSI"));
    technicians->close();
    EXPECT_EQ(label->text(), QString());
}

} // namespace
