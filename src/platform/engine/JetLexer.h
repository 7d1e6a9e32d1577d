#pragma once
// Splits a Jet SQL text into words, names, numbers, texts and signs.
#include <QString>
#include <vector>

namespace carnelis {

struct Token {
    enum class Kind { Word, BracketName, Number, Text, Symbol, End };
    Kind kind = Kind::End;
    QString text;      // the word, name, text (quotes removed) or sign
    double number = 0; // for Number
    qsizetype position = 0;

    bool isSymbol(const char *s) const { return kind == Kind::Symbol && text == QLatin1String(s); }
    bool isWord(const char *w) const
    {
        return kind == Kind::Word && text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
};

// Throws RuntimeError (syntax error) on a character that starts no token, an unclosed
// text or bracket.
std::vector<Token> tokenizeJetSql(const QString &sql);

} // namespace carnelis
