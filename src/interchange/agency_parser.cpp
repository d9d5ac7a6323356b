#include "interchange/agency_parser.h"

#include "store/error.h"

#include <cstring>

namespace interchange {

namespace {

const QByteArray headerMark = QByteArrayLiteral("0MFISC26");

// The characters Windows Latin-1 puts at 0x80-0x9F; 0 where it assigns none.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

const std::vector<AgencyField>& agencyLayout(AgencyKind kind) {
    static const std::vector<AgencyField> header = {
        {"Piva", 9, 11},           {"Tipo_abilitazione", 25, 1},
        {"Id_al_sigillo", 26, 30}, {"Denominazione", 56, 60},
        {"Comune_df", 116, 40},    {"Prov_df", 156, 2},
        {"Cognome", 158, 26},      {"Nome", 184, 25},
        {"Sesso", 209, 1},         {"Data_nasc", 210, 8},
        {"Comune_nasc", 218, 40},  {"Prov_nasc", 258, 2},
        {"Anno_rif", 260, 4},      {"Tri_rif", 264, 1}};
    static const std::vector<AgencyField> technician = {{"Cf", 2, 16},
                                                        {"Cognome", 18, 26},
                                                        {"Nome", 44, 25},
                                                        {"Sesso", 69, 1},
                                                        {"Data_nasc", 70, 8},
                                                        {"Comune_nasc", 78, 40},
                                                        {"Prov_nasc", 118, 2},
                                                        {"Id_al_sigillo", 120, 30},
                                                        {"Id_num_sigillo", 150, 4},
                                                        {"Responsabile", 154, 1},
                                                        {"Titolo_studio", 155, 1},
                                                        {"Data_ini", 156, 8},
                                                        {"Data_fine", 164, 8}};
    static const std::vector<AgencyField> verification = {{"Cf", 2, 16},
                                                          {"Id_al_sigillo", 18, 30},
                                                          {"Id_num_sigillo", 48, 4},
                                                          {"Data_inizio", 52, 8},
                                                          {"Data_fine", 60, 8},
                                                          {"Esito", 68, 1},
                                                          {"Piva", 69, 11},
                                                          {"Ragione_sociale", 80, 60},
                                                          {"Comune", 140, 40},
                                                          {"Provincia", 180, 2},
                                                          {"Indirizzo", 182, 35},
                                                          {"Cap", 217, 5},
                                                          {"Tipo_intervento", 222, 1},
                                                          {"Marchio_ms", 223, 40},
                                                          {"Denominazione_ms", 263, 40},
                                                          {"Logotipo", 303, 2},
                                                          {"Matricola", 305, 9},
                                                          {"Trimestre", 0, 1}};
    switch (kind) {
    case AgencyKind::Header:
        return header;
    case AgencyKind::Technician:
        return technician;
    case AgencyKind::Verification:
        break;
    }
    return verification;
}

QString agencyStagingTable(AgencyKind kind) {
    switch (kind) {
    case AgencyKind::Header:
        return QStringLiteral("riga1");
    case AgencyKind::Technician:
        return QStringLiteral("riga2");
    case AgencyKind::Verification:
        break;
    }
    return QStringLiteral("riga3");
}

QString fromCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        char16_t c = byte;
        if (byte >= 0x80 && byte <= 0x9F && cp1252High[byte - 0x80] != 0)
            c = cp1252High[byte - 0x80];
        *out++ = QChar(c);
    }
    return text;
}

AgencyParser::AgencyParser(Sink sink)
    : sink_(std::move(sink)) {
}

void AgencyParser::feed(const char* data, qsizetype size) {
    const char* end = data + size;
    while (data < end) {
        const char* newline = static_cast<const char*>(memchr(data, '\n', size_t(end - data)));
        const char* stop = newline ? newline : end;
        // One more than the longest line, for the CR of a CRLF ending.
        if (pending_.size() + (stop - data) > maxAgencyLineLength + 1) {
            ++line_;
            refuse(QStringLiteral("è più lunga di %1 caratteri").arg(maxAgencyLineLength));
        }
        pending_.append(data, stop - data);
        if (!newline)
            return;
        takeLine();
        data = newline + 1;
    }
}

void AgencyParser::finish() {
    if (!pending_.isEmpty())
        takeLine();
}

void AgencyParser::takeLine() {
    ++line_;
    if (pending_.endsWith('\r'))
        pending_.chop(1);
    if (pending_.size() > maxAgencyLineLength)
        refuse(QStringLiteral("è più lunga di %1 caratteri").arg(maxAgencyLineLength));
    if (line_ == 1) {
        // A file saved again by an editor: with a byte order mark it is Unicode text.
        if (pending_.startsWith("\xFF\xFE") || pending_.startsWith("\xFE\xFF"))
            throw store::Error(QStringLiteral("Il file è in formato UTF-16: il file non è stato "
                                              "acquisito. Salvarlo come testo ANSI e riprovare."));
        utf8_ = pending_.startsWith("\xEF\xBB\xBF");
        if (utf8_)
            pending_.remove(0, 3);
    }
    const bool header = pending_.contains(headerMark);
    const char first = pending_.isEmpty() ? '\0' : pending_.front();
    if (header || first == '1' || first == '2') {
        const QString text = utf8_ ? QString::fromUtf8(pending_) : fromCp1252(pending_);
        for (qsizetype i = 0; i < text.size(); ++i)
            if (isControl(text[i].unicode()))
                refuse(QStringLiteral("contiene un carattere di controllo (codice %1) in "
                                      "colonna %2")
                           .arg(text[i].unicode())
                           .arg(i + 1));
        if (header)
            addRow(AgencyKind::Header, text);
        if (first == '1')
            addRow(AgencyKind::Technician, text);
        if (first == '2')
            addRow(AgencyKind::Verification, text);
    }
    pending_.clear();
}

void AgencyParser::addRow(AgencyKind kind, const QString& text) {
    AgencyRow row{kind, {}};
    const auto& layout = agencyLayout(kind);
    row.values.reserve(qsizetype(layout.size()));
    for (const AgencyField& field : layout)
        row.values << (field.start == 0 ? quarter_ : text.mid(field.start - 1, field.width));
    if (kind == AgencyKind::Header)
        quarter_ = row.values.last();
    sink_(row);
}

void AgencyParser::refuse(const QString& why) const {
    throw store::Error(QStringLiteral("La riga %1 del file %2: il file non è stato acquisito.")
                           .arg(line_)
                           .arg(why));
}

} // namespace interchange
