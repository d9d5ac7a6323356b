// libFuzzer target: SELECT statements, one line or several, through the query parser and the
// engine. Whatever the text, the query opens or refuses with store::Error; a refused query stays
// closed, and an opened one never fails afterwards.
#include "fuzz_year.h"
#include "store/error.h"
#include "store/query.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    store::Query query(fuzzyear::folder());
    query.clearSql();
    for (const QString& line : text.split(QLatin1Char('\n')))
        query.addSql(line);
    try {
        query.open();
    } catch (const store::Error&) {
        if (query.active())
            std::abort();
        return 0;
    }
    int rows = 0;
    for (query.first(); !query.eof(); query.next())
        ++rows;
    if (rows != query.recordCount() || rows > 4)
        std::abort();
    return 0;
}
