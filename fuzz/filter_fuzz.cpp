// libFuzzer target: filter texts through the parser, the translation to SQL and the engine, on
// a table object. The first line of an input names the table (MOV when it names none).
// Whatever the text, the store answers or refuses with store::Error when the filter is set; a
// refused text leaves the object working with the filter off, and an accepted one never fails
// afterwards.
#include "fuzz_year.h"
#include "store/error.h"
#include "store/filter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype newline = input.indexOf(QLatin1Char('\n'));
    QString name = newline < 0 ? QString() : input.left(newline).trimmed();
    const QString text = newline < 0 ? input : input.mid(newline + 1);
    if (!fuzzyear::tableNames().contains(name))
        name = QStringLiteral("MOV");

    store::Table& t = fuzzyear::table(name);
    t.setFiltered(false);
    const int all = t.recordCount();
    bool parsed = true;
    try {
        store::parseFilter(t.definition(), text);
    } catch (const store::Error&) {
        parsed = false;
    }
    bool accepted = true;
    try {
        t.setFilter(text);
        t.setFiltered(true);
    } catch (const store::Error&) {
        accepted = false;
        if (t.filtered())
            std::abort();
    }
    if (accepted) {
        if (!parsed)
            std::abort(); // the object took a text the parser refuses
        const int shown = t.recordCount();
        int seen = 0;
        for (t.first(); !t.eof(); t.next())
            ++seen, (void)t.field(0).asString();
        if (shown > all || seen != shown)
            std::abort();
        t.locate(t.definition().fields[0].name, QStringLiteral("1"));
    }
    t.setFiltered(false);
    if (t.recordCount() != all || t.state() != store::DataSetState::Browse)
        std::abort();
    return 0;
}
