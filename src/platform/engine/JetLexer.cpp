#include "JetLexer.h"

#include "JetSqlErrors.h"

namespace carnelis {

namespace {

bool startsName(QChar c) { return c.isLetter() || c == u'_'; }
bool continuesName(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

class Lexer {
public:
    explicit Lexer(const QString &sql) : s_(sql) {}

    std::vector<Token> run()
    {
        std::vector<Token> tokens;
        for (;;) {
            skipBlanks();
            Token t;
            t.position = i_;
            if (i_ >= s_.size()) {
                tokens.push_back(t);
                return tokens;
            }
            const QChar c = s_[i_];
            if (startsName(c))
                word(t);
            else if (isDigit(c) || (c == u'.' && i_ + 1 < s_.size() && isDigit(s_[i_ + 1])))
                number(t);
            else if (c == u'\'' || c == u'"')
                text(t, c);
            else if (c == u'[')
                bracketName(t);
            else
                symbol(t);
            tokens.push_back(t);
        }
    }

private:
    void skipBlanks()
    {
        while (i_ < s_.size() && s_[i_].isSpace())
            ++i_;
    }

    void word(Token &t)
    {
        const qsizetype start = i_;
        while (i_ < s_.size() && continuesName(s_[i_]))
            ++i_;
        t.kind = Token::Kind::Word;
        t.text = s_.mid(start, i_ - start);
    }

    void number(Token &t)
    {
        const qsizetype start = i_;
        while (i_ < s_.size() && isDigit(s_[i_]))
            ++i_;
        if (i_ < s_.size() && s_[i_] == u'.') {
            ++i_;
            while (i_ < s_.size() && isDigit(s_[i_]))
                ++i_;
        }
        // An exponent only when digits follow it: "1E+20", "1E-05".
        if (i_ < s_.size() && (s_[i_] == u'E' || s_[i_] == u'e')) {
            qsizetype j = i_ + 1;
            if (j < s_.size() && (s_[j] == u'+' || s_[j] == u'-'))
                ++j;
            if (j < s_.size() && isDigit(s_[j])) {
                i_ = j;
                while (i_ < s_.size() && isDigit(s_[i_]))
                    ++i_;
            }
        }
        // A number glued to letters ("12ABC") is not a number; say so rather than
        // reading it as two tokens.
        if (i_ < s_.size() && continuesName(s_[i_]))
            throw syntaxError(s_, start);
        t.kind = Token::Kind::Number;
        t.text = s_.mid(start, i_ - start);
        bool ok = false;
        t.number = t.text.toDouble(&ok);
        if (!ok)
            throw overflowInQuery(s_, start);
    }

    void text(Token &t, QChar quote)
    {
        const qsizetype start = i_++;
        QString value;
        for (;;) {
            if (i_ >= s_.size())
                throw syntaxError(s_, start);
            if (s_[i_] == quote) {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == quote) {
                    value.append(quote);
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            value.append(s_[i_++]);
        }
        t.kind = Token::Kind::Text;
        t.text = value;
    }

    // A bracketed name ends at the first lone ']'; "]]" stands for one ']' in the name.
    void bracketName(Token &t)
    {
        const qsizetype start = i_++;
        QString name;
        for (;;) {
            const qsizetype end = s_.indexOf(u']', i_);
            if (end < 0)
                throw syntaxError(s_, start);
            name += s_.mid(i_, end - i_);
            i_ = end + 1;
            if (i_ < s_.size() && s_[i_] == u']') {
                name += u']';
                ++i_;
                continue;
            }
            break;
        }
        if (name.isEmpty())
            throw syntaxError(s_, start);
        t.kind = Token::Kind::BracketName;
        t.text = name;
    }

    void symbol(Token &t)
    {
        static const char *const twoChars[] = {"<>", "<=", ">="};
        for (const char *two : twoChars) {
            if (s_.mid(i_, 2) == QLatin1String(two)) {
                t.kind = Token::Kind::Symbol;
                t.text = QLatin1String(two);
                i_ += 2;
                return;
            }
        }
        const QChar c = s_[i_];
        if (QStringLiteral("=<>(),.*;-+").contains(c)) {
            t.kind = Token::Kind::Symbol;
            t.text = c;
            ++i_;
            return;
        }
        throw syntaxError(s_, i_);
    }

    const QString &s_;
    qsizetype i_ = 0;
};

} // namespace

std::vector<Token> tokenizeJetSql(const QString &sql) { return Lexer(sql).run(); }

} // namespace carnelis
