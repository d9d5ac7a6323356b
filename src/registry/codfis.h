#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace registry {

/// Sex of the person whose fiscal code is computed.
enum class TSesso { M, F };

class Tcodfis;

/// Called when a validation fails, with the component and the code that failed.
using TOnErrorEvent = std::function<void(Tcodfis& Sender, const QString& Value)>;

/// Computes the Italian fiscal code of a natural person and validates the check character of a
/// given code. Knows nothing of tables: the caller supplies the municipality code.
///
/// A failed computation yields a result code instead of the sixteen characters, the first
/// failing test winning: "3" surname shorter than 2, "1"+char surname character not allowed,
/// "4" surname without vowels, "5" name shorter than 2, "2"+char name character not allowed,
/// "6" no name vowel before reading stopped, "7" birth date missing or unusable, "8"
/// municipality code missing or not a letter and three digits.
///
/// "7" and "8" exist so that a missing birth date (the zero date included) or a municipality
/// that was not found never produces a plausible but wrong sixteen-character code; they come
/// after the surname and name tests, so the codes for those still show first. A caller whose
/// municipality look-up fails must write the empty text to Codice_comune, not keep the
/// previous value, to get "8".
class Tcodfis {
public:
    /// Result codes that this component adds to those of the ministerial rule.
    static constexpr char16_t DataMancante = u'7';
    static constexpr char16_t ComuneMancante = u'8';

    QString cognome; ///< surname
    QString nome;    ///< name
    TSesso sesso = TSesso::M;
    QDate Data_Nascita;    ///< birth date; a null date or the zero date counts as missing
    QString Codice_comune; ///< cadastral code of the municipality of birth, such as "H501"
    TOnErrorEvent OnError;

    /// Result of the last validation or computation.
    bool Valido() const { return valido_; }
    /// The fiscal code, or a result code after a failed computation; sixteen blanks at first.
    const QString& codfis() const { return codfis_; }
    /// Stores the value and validates it (VerificaCodice).
    void setCodfis(const QString& value);

    /// Computes from the inputs and stores the outcome in codfis without validating it;
    /// Valido becomes true whatever the outcome.
    void Calcola();
    /// Validates the stored codfis: true when it has sixteen characters (once trimmed) and the
    /// last is the check character of the first fifteen. On failure calls OnError with the
    /// stored code, then leaves Valido false.
    bool VerificaCodice();

    /// The sixteen-character fiscal code or a result code.
    static QString CalcolaCodice(const QString& cognome, const QString& nome,
                                 const QString& codiceComune, const QDate& dataNascita,
                                 TSesso sesso);
    /// The check character of fifteen digits and capital letters; empty for any other text.
    static std::optional<QChar> CarattereControllo(QStringView primi15);

private:
    bool valido_ = false;
    QString codfis_ = QString(16, u' ');
};

} // namespace registry
