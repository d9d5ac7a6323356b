#pragma once

// A working year 2025 under a throw-away data root, its shared tables open, set as the
// program's working year; one record in every table the emptying may touch, and in some it
// must never touch.
#include "store/catalogue.h"
#include "store/dm.h"
#include "store/program.h"
#include "support/fixture.h"

#include <QDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace utiltest {

/// Tables with one record each: the seven archives' and three that no check box empties.
inline const char* const filledTables[] = {"tecnici",         "ms",          "esercizio",
                                           "fornitori",       "misurazioni", "MOV",
                                           "Mov_articoli",    "articoli",    "ele_contratti",
                                           "LINEE_CONTRATTI", "doc",         "soggetto_obbligato",
                                           "tipo_mov"};

class Year : public ::testing::Test {
protected:
    testsupport::TempFolder root;
    testsupport::YearFolder year;
    Tdm data;
    store::ProgramState saved = store::program();

    void SetUp() override {
        store::ProgramState& state = store::program();
        state.dataRoot = root.path() + QDir::separator();
        state.workingYear = QStringLiteral("2025");
        std::filesystem::copy(year.path().toStdString(), state.yearFolder().toStdString());
        ASSERT_TRUE(data.dmCreate(state.yearFolder()));
    }
    void TearDown() override { store::program() = saved; }

    QString folder() const { return store::program().yearFolder(); }

    void fill() {
        for (const char* name : filledTables) {
            store::Table t(folder(), QString::fromLatin1(name));
            t.open();
            if (!t.isEmpty())
                continue;
            t.append();
            // The key and every required field get a value of their type.
            for (const store::FieldDef& f : t.definition().fields)
                if (f.required || f.name == t.definition().key)
                    t.field(f.name).setAsString(f.type == store::FieldType::Date
                                                    ? QStringLiteral("01/01/2025")
                                                    : QStringLiteral("1"));
            t.post();
        }
    }

    int count(const QString& table) const {
        store::Table t(folder(), table);
        t.open();
        return t.recordCount();
    }
};

} // namespace utiltest
