#include "store/filter.h"

#include "store/error.h"
#include "store/value.h"

namespace store {

Condition Condition::compare(int field, CompareOp op, QVariant value) {
    Condition c;
    c.kind = Kind::Compare;
    c.field = field;
    c.op = op;
    c.value = std::move(value);
    return c;
}

Condition Condition::both(Condition a, Condition b) {
    if (a.isAll())
        return b;
    if (b.isAll())
        return a;
    Condition c;
    c.kind = Kind::And;
    c.terms.push_back(std::move(a));
    c.terms.push_back(std::move(b));
    return c;
}

namespace {

struct Token {
    enum class Type { End, LParen, RParen, Field, Op, Literal, Word };
    Type type = Type::End;
    QString text;
    int position = 0;
};

class Parser {
public:
    Parser(const TableDef& table, const QString& text)
        : table_(table)
        , text_(text) {
        advance();
    }

    Condition parseAll() {
        Condition c = expression();
        if (token_.type != Token::Type::End)
            fail(QStringLiteral("testo inatteso \"%1\"").arg(token_.text));
        return c;
    }

private:
    [[noreturn]] void fail(const QString& why) const {
        throw Error(QStringLiteral("Filtro non valido (%1, posizione %2): %3")
                        .arg(why)
                        .arg(token_.position + 1)
                        .arg(text_));
    }

    void advance() { token_ = lex(); }

    Token lex() {
        while (pos_ < text_.size() && text_[pos_].isSpace())
            ++pos_;
        Token t;
        t.position = int(pos_);
        if (pos_ >= text_.size())
            return t;
        const QChar c = text_[pos_];
        if (c == QLatin1Char('(')) {
            ++pos_;
            t.type = Token::Type::LParen;
            t.text = c;
        } else if (c == QLatin1Char(')')) {
            ++pos_;
            t.type = Token::Type::RParen;
            t.text = c;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = text_.indexOf(QLatin1Char(']'), pos_ + 1);
            if (close < 0)
                fail(QStringLiteral("manca \"]\""));
            t.type = Token::Type::Field;
            t.text = text_.mid(pos_ + 1, close - pos_ - 1).trimmed();
            pos_ = close + 1;
        } else if (c == QLatin1Char('\'')) {
            // A doubled quote inside a literal stands for one quote; '' alone is the blank value.
            ++pos_;
            QString literal;
            for (;;) {
                if (pos_ >= text_.size())
                    fail(QStringLiteral("manca l'apice di chiusura"));
                if (text_[pos_] == QLatin1Char('\'')) {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                literal += text_[pos_++];
            }
            t.type = Token::Type::Literal;
            t.text = literal;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            t.type = Token::Type::Op;
            t.text = c;
            ++pos_;
            if (pos_ < text_.size()) {
                const QChar n = text_[pos_];
                if ((c == QLatin1Char('<') && (n == QLatin1Char('>') || n == QLatin1Char('='))) ||
                    (c == QLatin1Char('>') && n == QLatin1Char('='))) {
                    t.text += n;
                    ++pos_;
                }
            }
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') ||
                   c == QLatin1Char('.') || c == QLatin1Char(',')) {
            while (pos_ < text_.size() &&
                   (text_[pos_].isLetterOrNumber() || text_[pos_] == QLatin1Char('_') ||
                    text_[pos_] == QLatin1Char('-') || text_[pos_] == QLatin1Char('.') ||
                    text_[pos_] == QLatin1Char(',')))
                t.text += text_[pos_++];
            t.type = Token::Type::Word;
        } else {
            fail(QStringLiteral("carattere inatteso \"%1\"").arg(c));
        }
        return t;
    }

    bool isKeyword(const char* word) const {
        return token_.type == Token::Type::Word &&
               token_.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    Condition expression() {
        Condition c = conjunction();
        if (!isKeyword("or"))
            return c;
        Condition any;
        any.kind = Condition::Kind::Or;
        any.terms.push_back(std::move(c));
        while (isKeyword("or")) {
            advance();
            any.terms.push_back(conjunction());
        }
        return any;
    }

    Condition conjunction() {
        Condition c = factor();
        if (!isKeyword("and"))
            return c;
        Condition all;
        all.kind = Condition::Kind::And;
        all.terms.push_back(std::move(c));
        while (isKeyword("and")) {
            advance();
            all.terms.push_back(factor());
        }
        return all;
    }

    Condition factor() {
        if (token_.type == Token::Type::LParen) {
            // Bounded, so that a text of thousands of "(" is refused instead of exhausting the
            // stack; the screens nest two levels at most.
            if (++depth_ > maxNesting)
                fail(QStringLiteral("troppe parentesi annidate"));
            advance();
            Condition c = expression();
            if (token_.type != Token::Type::RParen)
                fail(QStringLiteral("manca \")\""));
            advance();
            --depth_;
            return c;
        }
        return comparison();
    }

    Condition comparison() {
        if (token_.type != Token::Type::Field && token_.type != Token::Type::Word)
            fail(QStringLiteral("atteso un campo"));
        const QString fieldName = token_.text;
        const int field = table_.fieldIndex(fieldName);
        if (field < 0)
            fail(QStringLiteral("campo sconosciuto \"%1\"").arg(fieldName));
        advance();
        if (token_.type != Token::Type::Op)
            fail(QStringLiteral("atteso un operatore di confronto"));
        const QString opText = token_.text;
        advance();
        if (token_.type != Token::Type::Literal && token_.type != Token::Type::Word)
            fail(QStringLiteral("atteso un valore tra apici"));
        const FieldDef& def = table_.fields[size_t(field)];
        // A text literal is compared whole: cutting it to the field's size would let a longer
        // value match a stored prefix.
        const QVariant literal = def.type == FieldType::Text
                                     ? (token_.text.isEmpty() ? QVariant() : QVariant(token_.text))
                                     : value::parse(def, token_.text);
        advance();
        static const std::pair<const char*, CompareOp> ops[] = {
            {"=", CompareOp::Eq},  {"<>", CompareOp::Ne}, {">=", CompareOp::Ge},
            {"<=", CompareOp::Le}, {">", CompareOp::Gt},  {"<", CompareOp::Lt}};
        for (const auto& [text, op] : ops)
            if (opText == QLatin1String(text))
                return Condition::compare(field, op, literal);
        fail(QStringLiteral("operatore sconosciuto \"%1\"").arg(opText));
    }

    static constexpr int maxNesting = 20;

    const TableDef& table_;
    const QString text_;
    qsizetype pos_ = 0;
    int depth_ = 0;
    Token token_;
};

} // namespace

Condition parseFilter(const TableDef& table, const QString& text) {
    if (text.trimmed().isEmpty())
        return {};
    return Parser(table, text).parseAll();
}

QString filterComparison(const QString& field, const QString& value, const QString& op) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("[%1]%2'%3'").arg(field, op, quoted);
}

} // namespace store
