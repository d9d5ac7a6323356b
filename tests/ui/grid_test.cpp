// The grid over a table object and the navigator.

#include "ui_support.h"

#include "store/engine.h"
#include "store/error.h"
#include "store/store_test_util.h"
#include "ui/dbedit.h"
#include "ui/grid.h"
#include "ui/navigator.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

std::vector<ui::GridColumn> kindColumns() {
    return {{QStringLiteral("Id"), QStringLiteral("Codice"), 50},
            {QStringLiteral("Descrizione"), QStringLiteral("Tipo movimento"), 200},
            {QStringLiteral("Readonly"), QStringLiteral("Di sistema"), 80}};
}

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        kinds = std::make_unique<store::Table>(year.path(), QStringLiteral("tipo_mov"));
        kinds->open();
        layout = new QVBoxLayout(&form);
        other = new QLineEdit(&form);
        layout->addWidget(other);
        grid = new ui::DataGrid(*kinds, kindColumns(), &form);
        layout->addWidget(grid);
        form.resize(420, 300);
    }

    /// A movement kind of the user's own (not read-only).
    void addUserKind() {
        kinds->append();
        kinds->field(QStringLiteral("Id")).setAsInteger(4);
        kinds->field(QStringLiteral("Descrizione")).setAsString(QStringLiteral("NOLEGGIO"));
        kinds->field(QStringLiteral("Readonly")).setAsBoolean(false);
        kinds->post();
        kinds->first();
    }

    QString cell(int row, int column) const {
        return grid->model()->index(row, column).data().toString();
    }

    /// The colour painted just under a cell's top edge, above its text.
    QColor paintedBackground(int row, int column) {
        const QImage shot = grid->viewport()->grab().toImage();
        const QRect r = grid->cellRect(row, column);
        return shot.pixelColor(r.center().x(), r.top() + 1);
    }

    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    std::unique_ptr<store::Table> kinds;
    QWidget form;
    QVBoxLayout* layout = nullptr;
    QLineEdit* other = nullptr;
    ui::DataGrid* grid = nullptr;
};

TEST_F(GridTest, ShowsTheTemplateMovementKindsUnderTheirTitles) {
    uitest::showActive(form);
    ASSERT_EQ(grid->model()->rowCount(), 3);
    const QAbstractItemModel& m = *grid->model();
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Tipo movimento"));
    EXPECT_EQ(grid->columnWidth(1), 200);
    EXPECT_EQ(cell(0, 1), QStringLiteral("INTERVENTO"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("RIPARAZIONE"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("VENDITA"));
    EXPECT_EQ(cell(2, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("Sì"));
    EXPECT_FALSE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(GridTest, RowCallbackColoursTheRowsItChooses) {
    addUserKind();
    grid->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        if (!row.value(QStringLiteral("Readonly")).toBool())
            style.background = QColor(Qt::yellow);
        else
            style.text = QColor(Qt::blue);
    });
    uitest::showActive(form);
    EXPECT_EQ(paintedBackground(3, 1), QColor(Qt::yellow));
    EXPECT_NE(paintedBackground(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(grid->model()->index(1, 1).data(Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::blue));
}

TEST_F(GridTest, CellCallbackColoursOneColumnOnly) {
    addUserKind();
    grid->setCellStyler([](const ui::GridRow& row, int column, ui::CellStyle& style) {
        if (column == 1 && row.value(QStringLiteral("Id")).toInt() == 4)
            style.background = QColor(Qt::cyan);
    });
    uitest::showActive(form);
    EXPECT_EQ(paintedBackground(3, 1), QColor(Qt::cyan));
    EXPECT_NE(paintedBackground(3, 0), QColor(Qt::cyan));
    EXPECT_NE(paintedBackground(2, 1), QColor(Qt::cyan));
}

TEST_F(GridTest, ClickingARowMovesTheCursorThere) {
    int scrolls = 0;
    kinds->on(store::Event::AfterScroll, [&](store::Table&) { ++scrolls; });
    uitest::showActive(form);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(2, 1).center());
    EXPECT_EQ(kinds->recNo(), 3);
    EXPECT_EQ(kinds->field(QStringLiteral("Descrizione")).asString(), QStringLiteral("VENDITA"));
    EXPECT_EQ(scrolls, 1);
    QTest::keyClick(grid, Qt::Key_Up);
    EXPECT_EQ(kinds->recNo(), 2);
}

TEST_F(GridTest, MovingTheCursorSelectsItsRow) {
    uitest::showActive(form);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    kinds->last();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, {}));
    EXPECT_FALSE(grid->selectionModel()->isRowSelected(0, {}));
    kinds->prior();
    EXPECT_EQ(grid->currentIndex().row(), 1);
}

TEST_F(GridTest, SelectionStaysVisibleWhenTheGridLosesTheFocus) {
    uitest::showActive(form);
    uitest::click(grid->viewport());
    ASSERT_EQ(QApplication::focusWidget(), grid);
    kinds->setRecNo(2);
    const QColor focused = paintedBackground(1, 1);
    uitest::focusByClick(other);
    EXPECT_EQ(paintedBackground(1, 1), focused);
    EXPECT_NE(paintedBackground(0, 1), focused);
}

TEST_F(GridTest, PostsThroughTheSameTableObjectShowAtOnce) {
    auto* box = new ui::DbEdit(*kinds, QStringLiteral("Descrizione"), &form);
    layout->addWidget(box);
    uitest::showActive(form);
    kinds->setRecNo(2);
    uitest::focusByClick(box);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("RIPARAZIONE IN SEDE"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("RIPARAZIONE")) << "the grid shows posted values...";
    uitest::click(other);
    EXPECT_EQ(cell(1, 1), QStringLiteral("RIPARAZIONE IN SEDE")) << "...and the pending edit";
    kinds->post();
    EXPECT_EQ(cell(1, 1), QStringLiteral("RIPARAZIONE IN SEDE"));
    addUserKind();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(cell(3, 1), QStringLiteral("NOLEGGIO"));
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

TEST_F(GridTest, ClickingAnotherRowPostsThePendingEditAndMovesThere) {
    auto* box = new ui::DbEdit(*kinds, QStringLiteral("Descrizione"), &form);
    layout->addWidget(box);
    uitest::showActive(form);
    uitest::focusByClick(box);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QStringLiteral(" TECNICO"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(2, 1).center());
    QApplication::processEvents();
    EXPECT_EQ(kinds->state(), store::DataSetState::Browse);
    EXPECT_EQ(kinds->recNo(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    EXPECT_EQ(box->text(), QStringLiteral("VENDITA"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("INTERVENTO TECNICO"));
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(GridTest, ARowThatCannotBePostedKeepsTheGridOnIt) {
    auto* id = new ui::DbEdit(*kinds, QStringLiteral("Id"), &form);
    layout->addWidget(id);
    uitest::showActive(form);
    uitest::focusByClick(id);
    QTest::keyClick(id, Qt::Key_End);
    QTest::keyClicks(id, QStringLiteral("x"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(2, 1).center());
    QApplication::processEvents();
    EXPECT_EQ(kinds->recNo(), 1);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    ASSERT_FALSE(dialogs.texts(ui::DialogKind::Warning).isEmpty());
    EXPECT_TRUE(dialogs.texts(ui::DialogKind::Warning).front().contains(QStringLiteral("'1x'")));
}

TEST_F(GridTest, ClosingTheTableEmptiesTheGrid) {
    uitest::showActive(form);
    kinds->close();
    EXPECT_EQ(grid->model()->rowCount(), 0);
    kinds->open();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    kinds.reset();
    EXPECT_EQ(grid->model()->rowCount(), 0);
}

TEST(LargeGrid, TwentyThousandRowsScrollAndFollowTheCursor) {
    testsupport::YearFolder year;
    store::Table places(year.path(), QStringLiteral("esercizio"));
    {
        const std::shared_ptr<store::TableFile> file =
            store::openTableFile(year.path(), store::catalogue::year(QStringLiteral("esercizio")));
        const store::TableDef& def = file->def();
        const int id = def.fieldIndex(QStringLiteral("Id_esercizio"));
        const int name = def.fieldIndex(QStringLiteral("Ragione_sociale"));
        store::Transaction transaction(file);
        for (int i = 1; i <= 20000; ++i) {
            std::vector<QVariant> values(def.fields.size());
            values[size_t(id)] = i;
            values[size_t(name)] = QStringLiteral("CLIENTE %1").arg(i, 5, 10, QLatin1Char('0'));
            file->insert(values);
        }
        transaction.commit();
    }
    places.open();
    ui::DataGrid grid(places,
                      {{QStringLiteral("Id_esercizio"), QStringLiteral("Id"), 60},
                       {QStringLiteral("Ragione_sociale"), QStringLiteral("Cliente"), 200}});
    grid.resize(300, 400);
    uitest::showActive(grid);
    EXPECT_EQ(grid.model()->rowCount(), 20000);
    places.last();
    EXPECT_EQ(grid.currentIndex().row(), 19999);
    EXPECT_EQ(grid.model()->index(19999, 1).data().toString(), QStringLiteral("CLIENTE 20000"));
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.cellRect(19999, 1)))
        << "the cursor's row must be scrolled into view";
    QTest::keyClick(&grid, Qt::Key_PageUp);
    EXPECT_LT(places.recNo(), 20000);
    EXPECT_EQ(grid.currentIndex().row(), places.recNo() - 1);
}

// ---------------------------------------------------------------------------------------------
// Navigator

class NavigatorTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        navigator = new ui::Navigator(*kinds, &form);
        layout->addWidget(navigator);
    }
    QToolButton* button(ui::Navigator::Button b) const { return navigator->button(b); }
    ui::Navigator* navigator = nullptr;
};

TEST_F(NavigatorTest, MoveButtonsFollowThePositionAndMoveTheCursor) {
    using B = ui::Navigator::Button;
    uitest::showActive(form);
    EXPECT_FALSE(button(B::First)->isEnabled());
    EXPECT_FALSE(button(B::Prior)->isEnabled());
    EXPECT_FALSE(button(B::Post)->isEnabled());
    uitest::click(button(B::Next));
    EXPECT_EQ(kinds->recNo(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    uitest::click(button(B::Last));
    EXPECT_EQ(kinds->recNo(), 3);
    EXPECT_FALSE(button(B::Next)->isEnabled());
    EXPECT_TRUE(button(B::First)->isEnabled());
    kinds->close();
    EXPECT_FALSE(button(B::First)->isEnabled());
    EXPECT_FALSE(button(B::Refresh)->isEnabled());
}

TEST_F(NavigatorTest, AppendPostAndCancelWorkOnTheTable) {
    using B = ui::Navigator::Button;
    uitest::showActive(form);
    uitest::click(button(B::Append));
    EXPECT_EQ(kinds->state(), store::DataSetState::Insert);
    EXPECT_TRUE(button(B::Post)->isEnabled());
    EXPECT_FALSE(button(B::Next)->isEnabled());
    uitest::click(button(B::Cancel));
    EXPECT_EQ(kinds->recordCount(), 3);
    uitest::click(button(B::Append));
    kinds->field(QStringLiteral("Id")).setAsInteger(4);
    kinds->field(QStringLiteral("Descrizione")).setAsString(QStringLiteral("NOLEGGIO"));
    uitest::click(button(B::Post));
    EXPECT_EQ(kinds->state(), store::DataSetState::Browse);
    EXPECT_EQ(kinds->recordCount(), 4);
    EXPECT_EQ(grid->model()->rowCount(), 4);
}

TEST_F(NavigatorTest, DeleteAsksFirstAndDeletesOnlyOnYes) {
    using B = ui::Navigator::Button;
    uitest::showActive(form);
    dialogs.answer(false);
    uitest::click(button(B::Delete));
    EXPECT_EQ(kinds->recordCount(), 3);
    dialogs.answer(true);
    uitest::click(button(B::Delete));
    EXPECT_EQ(kinds->recordCount(), 2);
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Question),
              QStringList(2, QStringLiteral("Eliminare il record?")));
    EXPECT_EQ(cell(0, 1), QStringLiteral("RIPARAZIONE"));
}

TEST_F(NavigatorTest, TheScreensOwnCheckCanStopAButton) {
    using B = ui::Navigator::Button;
    navigator->setBeforeAction([](B b) { return b != B::Delete; });
    uitest::showActive(form);
    uitest::click(button(B::Delete));
    uitest::click(button(B::Next));
    EXPECT_EQ(kinds->recordCount(), 3);
    EXPECT_EQ(kinds->recNo(), 2);
    EXPECT_TRUE(dialogs.entries().empty());
}

TEST_F(NavigatorTest, AFailedPostIsShownAsAWarningAndTheRecordStaysInEdit) {
    using B = ui::Navigator::Button;
    kinds->on(store::Event::BeforePost,
              [](store::Table&) { throw store::Error(QStringLiteral("Tipo non valido")); });
    uitest::showActive(form);
    uitest::click(button(B::Edit));
    uitest::click(button(B::Post));
    EXPECT_EQ(dialogs.texts(ui::DialogKind::Warning),
              QStringList{QStringLiteral("Tipo non valido")});
    EXPECT_EQ(kinds->state(), store::DataSetState::Edit);
}

} // namespace

namespace {

// A grid or navigator made while another program holds its table locked fails to be made; it
// must leave no link behind, which the table's next event would call into.
TEST(LockedTable, AControlThatFailsToBeMadeLeavesNoLinkOnTheTable) {
    storetest::ShortLockWait shortWait;
    const std::pair<const char*, std::function<void(store::Table&)>> controls[] = {
        {"grid",
         [](store::Table& t) {
             ui::TableModel model(t, kindColumns());
         }},
        {"navigator",
         [](store::Table& t) {
             ui::Navigator navigator(t);
         }},
    };
    for (const auto& [name, make] : controls) {
        SCOPED_TRACE(name);
        testsupport::YearFolder year;
        store::Table kinds(year.path(), QStringLiteral("tipo_mov"));
        kinds.open();
        {
            storetest::FileLock other(year.file(QStringLiteral("tipo_mov.DB")));
            EXPECT_THROW(make(kinds), store::Error);
        }
        kinds.close();
        kinds.open();
        EXPECT_EQ(kinds.recordCount(), 3);
    }
}

} // namespace

namespace {

// Painting and selecting cannot report a failure: while another program holds the table locked
// the grid shows blank cells, a click says the table is locked, and the cells come back by
// themselves once the lock is gone.
TEST(LockedTable, GridShowsBlankSaysItOnAClickAndReadsAgainAfterwards) {
    storetest::ShortLockWait shortWait;
    uitest::Dialogs dialogs;
    testsupport::YearFolder year;
    store::Table kinds(year.path(), QStringLiteral("tipo_mov"));
    kinds.open();
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* grid = new ui::DataGrid(kinds, kindColumns(), &form);
    layout->addWidget(grid);
    form.resize(420, 300);
    const ui::TableModel& model = grid->tableModel();
    const QModelIndex lastKind = model.index(2, 1);
    {
        storetest::FileLock other(year.file(QStringLiteral("tipo_mov.DB")));
        uitest::showActive(form);
        EXPECT_FALSE(model.data(lastKind, Qt::DisplayRole).isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(lastKind).center());
        EXPECT_EQ(dialogs.texts(), QStringList{"La tabella tipo_mov è bloccata da un altro "
                                               "programma. Riprovare più tardi."});
    }
    QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(repainted.wait(5000));
    EXPECT_EQ(model.data(lastKind, Qt::DisplayRole).toString(), "VENDITA");
}

} // namespace
