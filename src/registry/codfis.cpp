#include "registry/codfis.h"

#include <array>
#include <cstddef>

namespace registry {
namespace {

constexpr QStringView Ammessi = u"QWERTYUIOPASDFGHJKLZXCVBNM' ";
constexpr QStringView Vocali = u"AEIOU";
constexpr QStringView Mesi = u"ABCDEHLMPRST";

/// Values of A..Z (and of 0..9 read as A..J) in odd positions, from the ministerial table.
constexpr std::array<int, 26> ValoriDispari = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                               20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

bool isCapital(QChar c) {
    return c >= u'A' && c <= u'Z';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

/// Trimmed, with only a-z turned into capitals: accented letters stay as typed and are then
/// refused as characters outside the allowed set.
QString prepara(const QString& text) {
    QString out = text.trimmed();
    for (QChar& c : out) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - (u'a' - u'A'));
        }
    }
    return out;
}

/// The first character outside the allowed set, if any.
std::optional<QChar> primoNonAmmesso(const QString& text) {
    for (QChar c : text) {
        if (!Ammessi.contains(c)) {
            return c;
        }
    }
    return std::nullopt;
}

/// Three characters from consonants, then vowels, then "X" padding.
QString treCaratteri(const QString& consonanti, const QString& vocali) {
    return (consonanti + vocali + QStringLiteral("XXX")).left(3);
}

/// A birth date the code can be built from: a real date of the years a date field holds, not
/// the zero date that an empty date field reads as.
bool dataUsabile(const QDate& data) {
    return data.isValid() && data != QDate(1899, 12, 30) && data.year() >= 1 && data.year() <= 9999;
}

/// Cadastral codes are a letter followed by three digits (Z and three digits abroad).
bool comuneUsabile(const QString& codice) {
    return codice.size() == 4 && isCapital(codice[0]) && isDigit(codice[1]) && isDigit(codice[2]) &&
           isDigit(codice[3]);
}

} // namespace

void Tcodfis::setCodfis(const QString& value) {
    codfis_ = value;
    VerificaCodice();
}

void Tcodfis::Calcola() {
    codfis_ = CalcolaCodice(cognome, nome, Codice_comune, Data_Nascita, sesso);
    valido_ = true;
}

bool Tcodfis::VerificaCodice() {
    // Trimmed, the code must be exactly sixteen characters: a longer text is no fiscal code
    // even when its first sixteen would check.
    const QString codice = codfis_.trimmed();
    if (codice.size() == 16) {
        const auto controllo = CarattereControllo(QStringView(codice).left(15));
        if (controllo && *controllo == codice[15]) {
            valido_ = true;
            return true;
        }
    }
    // Valido ends false even when the handler throws, so a stale success never survives.
    struct Fallisci {
        bool& valido;
        ~Fallisci() { valido = false; }
    } fallisci{valido_};
    if (OnError) {
        OnError(*this, codfis_);
    }
    return false;
}

QString Tcodfis::CalcolaCodice(const QString& cognome, const QString& nome,
                               const QString& codiceComune, const QDate& dataNascita,
                               TSesso sesso) {
    // Surname: up to three consonants and two vowels, in order.
    const QString cogn = prepara(cognome);
    if (cogn.size() < 2) {
        return QStringLiteral("3");
    }
    if (const auto c = primoNonAmmesso(cogn)) {
        return QStringLiteral("1") + *c;
    }
    QString consonanti;
    QString vocali;
    for (QChar c : cogn) {
        if (Vocali.contains(c)) {
            if (vocali.size() < 2) {
                vocali += c;
            }
        } else if (isCapital(c) && consonanti.size() < 3) {
            consonanti += c;
        }
    }
    if (vocali.isEmpty()) {
        return QStringLiteral("4");
    }
    QString codice = treCaratteri(consonanti, vocali);

    // Name: a fourth consonant ends the reading and leaves the first, third and fourth.
    const QString nom = prepara(nome);
    if (nom.size() < 2) {
        return QStringLiteral("5");
    }
    if (const auto c = primoNonAmmesso(nom)) {
        return QStringLiteral("2") + *c;
    }
    consonanti.clear();
    vocali.clear();
    for (QChar c : nom) {
        if (Vocali.contains(c)) {
            if (vocali.size() < 2) {
                vocali += c;
            }
        } else if (isCapital(c)) {
            consonanti += c;
            if (consonanti.size() == 4) {
                consonanti.remove(1, 1);
                break;
            }
        }
    }
    if (vocali.isEmpty()) {
        return QStringLiteral("6");
    }
    codice += treCaratteri(consonanti, vocali);

    if (!dataUsabile(dataNascita)) {
        return QString(DataMancante);
    }
    if (!comuneUsabile(codiceComune)) {
        return QString(ComuneMancante);
    }
    const int giorno = dataNascita.day() + (sesso == TSesso::F ? 40 : 0);
    codice += QStringLiteral("%1").arg(dataNascita.year() % 100, 2, 10, QChar(u'0'));
    codice += Mesi[dataNascita.month() - 1];
    codice += QStringLiteral("%1").arg(giorno, 2, 10, QChar(u'0'));
    codice += codiceComune;
    // Every character is now a digit or a capital, so the check character exists.
    return codice + *CarattereControllo(codice);
}

std::optional<QChar> Tcodfis::CarattereControllo(QStringView primi15) {
    if (primi15.size() != 15) {
        return std::nullopt;
    }
    int somma = 0;
    for (qsizetype i = 0; i < primi15.size(); ++i) {
        const QChar c = primi15[i];
        int indice = 0;
        if (isDigit(c)) {
            indice = c.unicode() - u'0';
        } else if (isCapital(c)) {
            indice = c.unicode() - u'A';
        } else {
            return std::nullopt;
        }
        // Position i + 1 counted from one: odd positions use the ministerial table.
        somma += (i % 2 == 0) ? ValoriDispari[static_cast<std::size_t>(indice)] : indice;
    }
    return QChar(u'A' + somma % 26);
}

} // namespace registry
