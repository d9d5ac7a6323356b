// libFuzzer target: agency files through the line parser. Whatever the bytes, the parser gives
// rows whose every field fits its width, or refuses with store::Error naming a line (or the
// UTF-16 text it cannot read); and it
// answers the same whether the file arrives at once or in pieces (the first byte sets their
// size), so no line is split or joined at a piece's edge.
#include "interchange/agency_parser.h"
#include "store/error.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Outcome {
    QStringList rows;
    QString refusal;
};

Outcome parse(const char* data, size_t size, size_t piece) {
    Outcome out;
    interchange::AgencyParser parser([&](const interchange::AgencyRow& row) {
        const auto& layout = interchange::agencyLayout(row.kind);
        if (size_t(row.values.size()) != layout.size())
            std::abort();
        for (size_t i = 0; i < layout.size(); ++i)
            if (row.values[qsizetype(i)].size() > layout[i].width)
                std::abort();
        out.rows << interchange::agencyStagingTable(row.kind) + row.values.join(u'|');
    });
    try {
        for (size_t at = 0; at < size; at += piece)
            parser.feed(data + at, qsizetype(std::min(piece, size - at)));
        parser.finish();
    } catch (const store::Error& e) {
        if (!e.message().startsWith(QStringLiteral("La riga ")) &&
            !e.message().startsWith(QStringLiteral("Il file è in formato UTF-16")))
            std::abort();
        out.refusal = e.message();
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const size_t piece = size == 0 ? 1 : size_t(data[0]) + 1;
    const Outcome whole = parse(bytes, size, size + 1);
    const Outcome pieces = parse(bytes, size, piece);
    if (whole.refusal != pieces.refusal)
        std::abort();
    // Rows given before a refusal are the caller's to throw away; otherwise all must agree.
    if (whole.refusal.isEmpty() && whole.rows != pieces.rows)
        std::abort();
    return 0;
}
