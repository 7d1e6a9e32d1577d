#include "JetParser.h"

#include "JetLexer.h"
#include "JetNames.h"
#include "JetSqlErrors.h"

namespace carnelis {

namespace {

// Deep enough for any query a person writes, shallow enough that a hostile text of
// nested parentheses cannot exhaust the stack.
constexpr int maxDepth = 200;

class Parser {
public:
    explicit Parser(const QString &sql) : sql_(sql), tokens_(tokenizeJetSql(sql)) {}

    JetQuery run()
    {
        if (!peek().isWord("SELECT"))
            throw onlySelectAccepted();
        next();
        expectSymbol("*");
        expectWord("FROM");
        JetQuery q;
        q.table = name("table");
        if (peek().isWord("WHERE")) {
            next();
            q.where = orExpr();
        }
        if (peek().isWord("ORDER")) {
            next();
            expectWord("BY");
            do {
                OrderItem item;
                item.column = name("column");
                if (peek().isSymbol(".")) {
                    next();
                    item.qualifier = item.column;
                    item.column = name("column");
                }
                if (peek().isWord("DESC")) {
                    item.descending = true;
                    next();
                } else if (peek().isWord("ASC")) {
                    next();
                }
                q.orderBy.push_back(item);
            } while (accept(","));
        }
        accept(";");
        if (peek().kind != Token::Kind::End)
            throw syntaxError(sql_, peek().position);
        return q;
    }

private:
    const Token &peek() const { return tokens_[i_]; }
    const Token &next() { return tokens_[i_ < tokens_.size() - 1 ? i_++ : i_]; }
    bool accept(const char *symbol)
    {
        if (!peek().isSymbol(symbol))
            return false;
        next();
        return true;
    }
    void expectSymbol(const char *symbol)
    {
        if (!accept(symbol))
            throw syntaxError(sql_, peek().position);
    }
    void expectWord(const char *word)
    {
        if (!peek().isWord(word))
            throw syntaxError(sql_, peek().position);
        next();
    }

    // A table or column name: a plain word that is not a reserved one, or [any name].
    QString name(const char *)
    {
        const Token &t = peek();
        if (t.kind == Token::Kind::BracketName || (t.kind == Token::Kind::Word && !isJetReservedWord(t.text)))
            return next().text;
        throw syntaxError(sql_, t.position);
    }

    std::unique_ptr<Expr> make(Expr::Kind kind, qsizetype position)
    {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->position = position;
        return e;
    }

    std::unique_ptr<Expr> binary(Expr::Kind kind, std::unique_ptr<Expr> a, std::unique_ptr<Expr> b)
    {
        auto e = make(kind, a->position);
        e->args.push_back(std::move(a));
        e->args.push_back(std::move(b));
        return e;
    }

    struct DepthGuard {
        Parser &p;
        explicit DepthGuard(Parser &parser) : p(parser)
        {
            if (++p.depth_ > maxDepth)
                throw syntaxError(p.sql_, p.peek().position);
        }
        ~DepthGuard() { --p.depth_; }
    };

    std::unique_ptr<Expr> orExpr()
    {
        DepthGuard guard(*this);
        auto left = andExpr();
        while (peek().isWord("OR")) {
            next();
            left = binary(Expr::Kind::Or, std::move(left), andExpr());
        }
        return left;
    }

    std::unique_ptr<Expr> andExpr()
    {
        auto left = notExpr();
        while (peek().isWord("AND")) {
            next();
            left = binary(Expr::Kind::And, std::move(left), notExpr());
        }
        return left;
    }

    std::unique_ptr<Expr> notExpr()
    {
        DepthGuard guard(*this);
        if (peek().isWord("NOT")) {
            auto e = make(Expr::Kind::Not, next().position);
            e->args.push_back(notExpr());
            return e;
        }
        return comparison();
    }

    std::unique_ptr<Expr> comparison()
    {
        auto left = unary();
        static const char *const signs[] = {"=", "<>", "<", ">", "<=", ">="};
        for (const char *sign : signs) {
            if (peek().isSymbol(sign)) {
                next();
                auto e = binary(Expr::Kind::Compare, std::move(left), unary());
                e->text = QLatin1String(sign);
                return e;
            }
        }
        if (peek().isWord("IS")) {
            next();
            Expr::Kind kind = Expr::Kind::IsNull;
            if (peek().isWord("NOT")) {
                next();
                kind = Expr::Kind::IsNotNull;
            }
            expectWord("NULL");
            auto e = make(kind, left->position);
            e->args.push_back(std::move(left));
            return e;
        }
        return left;
    }

    std::unique_ptr<Expr> unary()
    {
        DepthGuard guard(*this);
        if (peek().isSymbol("-")) {
            auto e = make(Expr::Kind::Negate, next().position);
            e->args.push_back(unary());
            return e;
        }
        if (peek().isSymbol("+")) {
            next();
            return unary();
        }
        return primary();
    }

    std::unique_ptr<Expr> primary()
    {
        const Token &t = peek();
        if (t.kind == Token::Kind::Number) {
            auto e = make(Expr::Kind::Number, t.position);
            e->number = next().number;
            return e;
        }
        if (t.kind == Token::Kind::Text) {
            auto e = make(Expr::Kind::Text, t.position);
            e->text = next().text;
            return e;
        }
        if (t.isWord("NULL")) {
            return make(Expr::Kind::Null, next().position);
        }
        if (t.isSymbol("(")) {
            next();
            auto e = orExpr();
            expectSymbol(")");
            return e;
        }
        if (t.kind == Token::Kind::Word && tokens_[i_ + 1].isSymbol("(")) {
            auto e = make(Expr::Kind::Call, t.position);
            e->text = next().text;
            next();
            if (!peek().isSymbol(")")) {
                do
                    e->args.push_back(orExpr());
                while (accept(","));
            }
            expectSymbol(")");
            return e;
        }
        auto e = make(Expr::Kind::Column, t.position);
        e->text = name("column");
        if (peek().isSymbol(".")) {
            next();
            e->qualifier = e->text;
            e->text = name("column");
        }
        return e;
    }

    const QString &sql_;
    std::vector<Token> tokens_;
    size_t i_ = 0;
    int depth_ = 0;
};

} // namespace

JetQuery parseJetSql(const QString &sql) { return Parser(sql).run(); }

} // namespace carnelis
