// Edit boxes: what typing, leaving and posting store in the table.

#include "ui_support.h"

#include "store/error.h"
#include "ui/dbedit.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <memory>

using store::DataSetState;

namespace {

class EditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        mov = std::make_unique<store::Table>(year.path(), QStringLiteral("MOV"));
        mov->open();
        layout = new QVBoxLayout(&form);
        other = new QLineEdit(&form);
        layout->addWidget(other);
    }

    /// Adds a box to the form (which owns it) and shows the form.
    template <class Box> Box* add(const QString& field) {
        auto* box = new Box(*mov, field, &form);
        layout->addWidget(box);
        return box;
    }

    /// Two posted movements: 1 in ROMA on 01/03/2026, 2 in MILANO with no date.
    void addTwoMovements() {
        mov->append();
        mov->field(QStringLiteral("Id")).setAsInteger(1);
        mov->field(QStringLiteral("COMUNE")).setAsString(QStringLiteral("ROMA"));
        mov->field(QStringLiteral("Data")).setAsDate(QDate(2026, 3, 1));
        mov->post();
        mov->append();
        mov->field(QStringLiteral("Id")).setAsInteger(2);
        mov->field(QStringLiteral("COMUNE")).setAsString(QStringLiteral("MILANO"));
        mov->post();
        mov->first();
    }

    QVariant stored(const QString& field) { return mov->field(field).value(); }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> mov;
    QWidget form;
    QVBoxLayout* layout = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(EditBoxTest, TypingPutsAnEmptyTableIntoInsertAndLeavingStoresTheText) {
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral("Roma"));
    EXPECT_EQ(mov->state(), DataSetState::Insert);
    EXPECT_TRUE(stored(QStringLiteral("COMUNE")).isNull()) << "stored before leaving the box";

    uitest::click(other);
    EXPECT_EQ(stored(QStringLiteral("COMUNE")).toString(), QStringLiteral("Roma"));
    mov->post();
    EXPECT_EQ(mov->recordCount(), 1);
    EXPECT_EQ(stored(QStringLiteral("COMUNE")).toString(), QStringLiteral("Roma"));
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(EditBoxTest, PostingWhileTheBoxHasTheFocusStoresWhatWasTyped) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("TORINO"));
    EXPECT_EQ(mov->state(), DataSetState::Edit);
    mov->post();
    EXPECT_EQ(QApplication::focusWidget(), box);
    mov->refresh();
    mov->first();
    EXPECT_EQ(stored(QStringLiteral("COMUNE")).toString(), QStringLiteral("TORINO"));
    EXPECT_EQ(mov->recordCount(), 2);
}

TEST_F(EditBoxTest, MovingAwayWithAPendingEditPostsItAndTheBoxFollowsTheCursor) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    EXPECT_EQ(box->text(), QStringLiteral("ROMA"));
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral(" NORD"));
    mov->next();
    EXPECT_EQ(box->text(), QStringLiteral("MILANO"));
    mov->first();
    EXPECT_EQ(box->text(), QStringLiteral("ROMA NORD"));
}

TEST_F(EditBoxTest, VisitingABoxWithoutTypingWritesNothing) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    uitest::click(other);
    EXPECT_EQ(mov->state(), DataSetState::Browse);
    EXPECT_FALSE(mov->modified());
}

TEST_F(EditBoxTest, TextIsLimitedToTheFieldSize) {
    auto* box = add<ui::DbEdit>(QStringLiteral("Piva"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral("123456789012345"));
    EXPECT_EQ(box->text(), QStringLiteral("12345678901"));
}

TEST_F(EditBoxTest, UpperCaseBoxTurnsTypedLettersIntoCapitalsUnlessSwitchedOff) {
    auto* upper = add<ui::DbUpperEdit>(QStringLiteral("COMUNE"));
    auto* plain = add<ui::DbUpperEdit>(QStringLiteral("INDIRIZZO"));
    plain->setUpperCase(false);
    uitest::showActive(form);
    uitest::focusByClick(upper);
    QTest::keyClicks(upper, QStringLiteral("roma"));
    EXPECT_EQ(upper->text(), QStringLiteral("ROMA"));
    uitest::focusByClick(plain);
    uitest::typeText(plain, QStringLiteral("via più bella"));
    uitest::click(other);
    EXPECT_EQ(stored(QStringLiteral("COMUNE")).toString(), QStringLiteral("ROMA"));
    EXPECT_EQ(stored(QStringLiteral("INDIRIZZO")).toString(), QStringLiteral("via più bella"));
}

TEST_F(EditBoxTest, UpperCaseKeepsAccentedLettersAndTheCursorInPlace) {
    auto* upper = add<ui::DbUpperEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    uitest::focusByClick(upper);
    QTest::keyClicks(upper, QStringLiteral("citt"));
    QTest::keyClick(upper, Qt::Key_Home);
    QTest::keyClicks(upper, QStringLiteral("la "));
    QTest::keyClick(upper, Qt::Key_End);
    uitest::typeText(upper, QStringLiteral("à"));
    EXPECT_EQ(upper->text(), QStringLiteral("LA CITTÀ"));
}

TEST_F(EditBoxTest, EscapeDropsWhatWasTypedAndWritesNothing) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral("XYZ"));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(box->text(), QStringLiteral("ROMA"));
    uitest::click(other);
    mov->post();
    EXPECT_EQ(stored(QStringLiteral("COMUNE")).toString(), QStringLiteral("ROMA"));
}

TEST_F(EditBoxTest, ReadOnlyBoxIgnoresTypingAndLeavesTheTableInBrowse) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    box->setReadOnly(true);
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral("X"));
    uitest::click(other);
    EXPECT_EQ(box->text(), QStringLiteral("ROMA"));
    EXPECT_EQ(mov->state(), DataSetState::Browse);
}

TEST_F(EditBoxTest, ClosedOrDestroyedTableDisablesAndEmptiesTheBox) {
    addTwoMovements();
    auto* box = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    EXPECT_TRUE(box->isEnabled());
    mov->close();
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(box->text().isEmpty());
    mov->open();
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), QStringLiteral("ROMA"));
    mov.reset();
    EXPECT_FALSE(box->isEnabled());
    EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(EditBoxTest, NumberThatDoesNotParseIsRefusedOnLeavingAndStopsThePost) {
    auto* box = add<ui::DbEdit>(QStringLiteral("ID_TECNICO"));
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClicks(box, QStringLiteral("12a"));
    uitest::click(other);
    EXPECT_EQ(QApplication::focusWidget(), box) << "the focus must come back to the box";
    ASSERT_EQ(dialogs.texts(ui::DialogKind::Warning).size(), 1);
    EXPECT_TRUE(dialogs.texts().front().contains(QStringLiteral("'12a'")));
    EXPECT_TRUE(stored(QStringLiteral("ID_TECNICO")).isNull());

    EXPECT_THROW(mov->post(), store::Error);
    EXPECT_EQ(mov->state(), DataSetState::Insert);
    EXPECT_EQ(dialogs.entries().size(), 1u) << "a failed post repeats no warning";
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("12"));
    mov->post();
    EXPECT_EQ(stored(QStringLiteral("ID_TECNICO")).toInt(), 12);
}

// ---------------------------------------------------------------------------------------------
// Date and time boxes

TEST_F(EditBoxTest, EmptyDateBoxShowsTheMaskAndStoresABlankDate) {
    auto* date = add<ui::DbDateEdit>(QStringLiteral("Data"));
    auto* comune = add<ui::DbEdit>(QStringLiteral("COMUNE"));
    uitest::showActive(form);
    EXPECT_EQ(date->displayText(), QStringLiteral("  /  /    "));
    uitest::focusByClick(comune);
    QTest::keyClicks(comune, QStringLiteral("ROMA"));
    uitest::focusByClick(date);
    QTest::keyClicks(date, QStringLiteral("1"));
    QTest::keyClick(date, Qt::Key_Backspace);
    uitest::click(other);
    mov->post();
    EXPECT_TRUE(stored(QStringLiteral("Data")).isNull());
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(EditBoxTest, ImpossibleDateIsRefusedWithAWarningAndKeepsTheFocus) {
    auto* date = add<ui::DbDateEdit>(QStringLiteral("Data"));
    uitest::showActive(form);
    uitest::focusByClick(date);
    QTest::keyClicks(date, QStringLiteral("31022026"));
    uitest::click(other);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
              QStringList{QStringLiteral("'31/02/2026' non è una data valida.")});
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_TRUE(stored(QStringLiteral("Data")).isNull());
    EXPECT_EQ(date->text(), QStringLiteral("31/02/2026")) << "the user's text stays to be mended";
}

TEST_F(EditBoxTest, DateBoxStoresDayMonthYear) {
    auto* date = add<ui::DbDateEdit>(QStringLiteral("Data"));
    auto* start = add<ui::DbDateEdit>(QStringLiteral("DATA_INI"));
    uitest::showActive(form);
    uitest::focusByClick(date);
    QTest::keyClicks(date, QStringLiteral("08122026"));
    uitest::focusByClick(start);
    // Typing the separator skips to the next part, as users do with a one-digit day.
    QTest::keyClicks(start, QStringLiteral("8/1/2026"));
    uitest::click(other);
    EXPECT_EQ(stored(QStringLiteral("Data")).toDate(), QDate(2026, 12, 8));
    EXPECT_EQ(stored(QStringLiteral("DATA_INI")).toDate(), QDate(2026, 1, 8));
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(EditBoxTest, ClearingADateBlanksTheField) {
    addTwoMovements();
    auto* date = add<ui::DbDateEdit>(QStringLiteral("Data"));
    uitest::showActive(form);
    EXPECT_EQ(date->displayText(), QStringLiteral("01/03/2026"));
    uitest::focusByClick(date);
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    uitest::click(other);
    mov->post();
    EXPECT_TRUE(stored(QStringLiteral("Data")).isNull());
    mov->next();
    EXPECT_EQ(date->displayText(), QStringLiteral("  /  /    "));
}

TEST(DateText, ReadsItalianDatesAndRefusesImpossibleOnes) {
    EXPECT_EQ(ui::DbDateEdit::parseDate(QStringLiteral("29/02/2028")).toDate(), QDate(2028, 2, 29));
    EXPECT_EQ(ui::DbDateEdit::parseDate(QStringLiteral("1/12/2026")).toDate(), QDate(2026, 12, 1));
    EXPECT_TRUE(ui::DbDateEdit::parseDate(QStringLiteral("//")).isNull());
    EXPECT_TRUE(ui::DbDateEdit::parseDate(QString()).isNull());
    for (const char* bad :
         {"29/02/2027", "00/01/2026", "12/13/2026", "08/12/26", "08/12/", "/12/2026"})
        EXPECT_THROW(ui::DbDateEdit::parseDate(QString::fromLatin1(bad)), store::Error) << bad;
}

TEST_F(EditBoxTest, TimeBoxStoresHoursAndMinutesAndAllowsBlank) {
    auto* time = add<ui::DbTimeEdit>(QStringLiteral("Ora"));
    auto* appointment = add<ui::DbTimeEdit>(QStringLiteral("Ora_app"));
    uitest::showActive(form);
    EXPECT_EQ(time->displayText(), QStringLiteral("__:__"));
    uitest::focusByClick(time);
    QTest::keyClicks(time, QStringLiteral("0930"));
    uitest::focusByClick(appointment);
    QTest::keyClicks(appointment, QStringLiteral("2"));
    QTest::keyClick(appointment, Qt::Key_Backspace);
    uitest::click(other);
    mov->post();
    EXPECT_EQ(stored(QStringLiteral("Ora")).toTime(), QTime(9, 30));
    EXPECT_TRUE(stored(QStringLiteral("Ora_app")).isNull());
    EXPECT_EQ(time->displayText(), QStringLiteral("09:30"));
}

TEST_F(EditBoxTest, ImpossibleTimeIsRefusedWithAWarning) {
    auto* time = add<ui::DbTimeEdit>(QStringLiteral("Ora"));
    uitest::showActive(form);
    uitest::focusByClick(time);
    QTest::keyClicks(time, QStringLiteral("2500"));
    uitest::click(other);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
              QStringList{QStringLiteral("'25:00' non è un'ora valida.")});
    EXPECT_EQ(QApplication::focusWidget(), time);
    EXPECT_TRUE(stored(QStringLiteral("Ora")).isNull());
}

} // namespace
