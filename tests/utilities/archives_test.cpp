// The emptying of archives without its screen: which tables each check box empties, that
// nothing else is touched, and that No deletes nothing.
#include "utilities/archives.h"
#include "utilities_support.h"

#include <set>

namespace {

class Emptying : public utiltest::Year {};

} // namespace

TEST_F(Emptying, EachArchiveEmptiesItsTablesAndNothingElse) {
    const struct {
        const char* archive;
        std::set<QString> emptied;
    } cases[] = {
        {"tecnici", {"tecnici"}},
        {"misuratori", {"ms"}},
        {"esercizi", {"esercizio"}},
        {"fornitori", {"fornitori"}},
        {"movimenti e misurazioni", {"misurazioni", "MOV", "Mov_articoli"}},
        {"articoli", {"articoli"}},
        {"Contratti", {"ele_contratti", "LINEE_CONTRATTI"}},
    };
    const auto& list = utilities::archives();
    ASSERT_EQ(list.size(), std::size(cases));
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(cases[i].archive);
        ASSERT_EQ(list[i].caption, QString::fromLatin1(cases[i].archive));
        fill();
        std::vector<bool> chosen(list.size(), false);
        chosen[i] = true;
        QStringList asked;
        EXPECT_EQ(utilities::emptyArchives(data, folder(), chosen,
                                           [&](const QString& q) {
                                               asked << q;
                                               return true;
                                           }),
                  utilities::EmptyOutcome::Emptied);
        EXPECT_EQ(asked, QStringList{QStringLiteral("SEI PROPRIO SICURO? NO PER ANNULLARE.")});
        for (const char* table : utiltest::filledTables) {
            const QString name = QString::fromLatin1(table);
            EXPECT_EQ(count(name) == 0, cases[i].emptied.count(name) == 1) << table;
        }
        // The shared objects are open again and see the emptied tables.
        EXPECT_TRUE(data.Tabmov.active());
        EXPECT_EQ(data.Tabtecnico.isEmpty(), i == 0);
    }
}

TEST_F(Emptying, NoDeletesNothing) {
    fill();
    const std::vector<bool> everything(utilities::archives().size(), true);
    EXPECT_EQ(
        utilities::emptyArchives(data, folder(), everything, [](const QString&) { return false; }),
        utilities::EmptyOutcome::Declined);
    for (const char* table : utiltest::filledTables)
        EXPECT_GT(count(QString::fromLatin1(table)), 0) << table;
}
