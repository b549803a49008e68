#include "filter.h"

#include "engineerror.h"
#include "textcompare.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace {

enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

std::optional<long long> toNumber(std::string_view text)
{
    long long value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

template <typename T>
bool holds(Op op, const T &a, const T &b)
{
    switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return a != b;
    case Op::Lt: return a < b;
    case Op::Gt: return a > b;
    case Op::Le: return a <= b;
    case Op::Ge: return a >= b;
    }
    return false;
}

} // namespace

struct Filter::Node
{
    enum class Kind { And, Or, Compare } kind = Kind::Compare;
    std::unique_ptr<Node> left, right;
    int column = -1;
    ColumnKind columnKind = ColumnKind::Text;
    Op op = Op::Eq;
    bool nullValue = false;
    std::string value;
    std::optional<long long> number;

    bool eval(const Row &row) const
    {
        switch (kind) {
        case Kind::And: return left->eval(row) && right->eval(row);
        case Kind::Or: return left->eval(row) || right->eval(row);
        case Kind::Compare: break;
        }
        const Cell &cell = row[size_t(column)];
        if (nullValue)
            return op == Op::Eq ? cell.null : !cell.null;
        if (cell.null)
            return false;
        if (number && (columnKind == ColumnKind::Integer || columnKind == ColumnKind::Real)) {
            if (const auto mine = toNumber(cell.text))
                return holds(op, *mine, *number);
        }
        if (op == Op::Eq)
            return textcompare::equalsNoCase(cell.text, value);
        if (op == Op::Ne)
            return !textcompare::equalsNoCase(cell.text, value);
        return holds(op, textcompare::compareNoCase(cell.text, value), 0);
    }
};

namespace {

struct Token
{
    enum class Type { Word, Text, Op, Open, Close, End } type;
    std::string text;
    int position;
};

class Parser
{
public:
    Parser(const QString &text, const Filter::ColumnResolver &resolve)
        : m_source(text), m_utf8(text.toStdString()), m_resolve(resolve)
    {
        tokenize();
    }

    std::unique_ptr<Filter::Node> parseAll()
    {
        auto node = parseOr();
        if (peek().type != Token::Type::End)
            error("unexpected \"" + peek().text + "\"");
        return node;
    }

private:
    [[noreturn]] void error(const std::string &what) const
    {
        const int position = m_tokens.empty() ? 0 : peek().position + 1;
        // One arg() call fills every marker in a single pass, so a "%1" in the user's text stays as typed.
        throw EngineError(QStringLiteral("Invalid filter \"%1\": %2 at position %3.")
                              .arg(m_source, QString::fromStdString(what), QString::number(position)));
    }

    const Token &peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos++]; }

    bool takeKeyword(const char *keyword)
    {
        if (peek().type == Token::Type::Word && textcompare::equalsNoCase(peek().text, keyword)) {
            ++m_pos;
            return true;
        }
        return false;
    }

    std::unique_ptr<Filter::Node> join(Filter::Node::Kind kind, std::unique_ptr<Filter::Node> left,
                                       std::unique_ptr<Filter::Node> right)
    {
        auto node = std::make_unique<Filter::Node>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<Filter::Node> parseOr()
    {
        auto node = parseAnd();
        while (takeKeyword("or"))
            node = join(Filter::Node::Kind::Or, std::move(node), parseAnd());
        return node;
    }

    std::unique_ptr<Filter::Node> parseAnd()
    {
        auto node = parsePrimary();
        while (takeKeyword("and"))
            node = join(Filter::Node::Kind::And, std::move(node), parsePrimary());
        return node;
    }

    std::unique_ptr<Filter::Node> parsePrimary()
    {
        if (peek().type == Token::Type::Open) {
            take();
            auto node = parseOr();
            if (peek().type != Token::Type::Close)
                error("missing \")\"");
            take();
            return node;
        }
        return parseTerm();
    }

    std::unique_ptr<Filter::Node> parseTerm()
    {
        if (peek().type != Token::Type::Word)
            error(peek().type == Token::Type::End ? "a column name is missing" : "expected a column name");
        const Token name = take();
        const auto column = m_resolve(QString::fromStdString(name.text));
        if (!column)
            error("unknown column \"" + name.text + "\"");
        if (peek().type != Token::Type::Op)
            error("expected a comparison after \"" + name.text + "\"");
        const std::string opText = take().text;
        auto node = std::make_unique<Filter::Node>();
        node->column = column->index;
        node->columnKind = column->kind;
        node->op = opText == "=" ? Op::Eq
            : opText == "<>"     ? Op::Ne
            : opText == "<"      ? Op::Lt
            : opText == ">"      ? Op::Gt
            : opText == "<="     ? Op::Le
                                 : Op::Ge;
        const Token value = take();
        if (value.type == Token::Type::Text) {
            node->value = value.text;
            node->number = toNumber(value.text);
        } else if (value.type == Token::Type::Word && textcompare::equalsNoCase(value.text, "null")) {
            if (node->op != Op::Eq && node->op != Op::Ne)
                error("null can only be compared with = or <>");
            node->nullValue = true;
        } else if (value.type == Token::Type::Word && toNumber(value.text)) {
            node->value = value.text;
            node->number = toNumber(value.text);
        } else {
            --m_pos;
            error("expected a quoted value after \"" + name.text + opText + "\"");
        }
        return node;
    }

    void tokenize()
    {
        const std::string &s = m_utf8;
        size_t i = 0;
        while (i < s.size()) {
            const char c = s[i];
            const int at = int(i);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++i;
            } else if (c == '\'') {
                std::string text;
                ++i;
                bool closed = false;
                while (i < s.size()) {
                    if (s[i] == '\'') {
                        if (i + 1 < s.size() && s[i + 1] == '\'') {
                            text += '\'';
                            i += 2;
                            continue;
                        }
                        closed = true;
                        ++i;
                        break;
                    }
                    text += s[i++];
                }
                if (!closed) {
                    m_tokens.push_back({Token::Type::End, "", at});
                    m_pos = m_tokens.size() - 1;
                    error("unterminated quoted value");
                }
                m_tokens.push_back({Token::Type::Text, text, at});
            } else if (c == '(' || c == ')') {
                m_tokens.push_back({c == '(' ? Token::Type::Open : Token::Type::Close, std::string(1, c), at});
                ++i;
            } else if (c == '=' || c == '<' || c == '>') {
                std::string op(1, c);
                if (c != '=' && i + 1 < s.size() && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>')))
                    op += s[i + 1];
                m_tokens.push_back({Token::Type::Op, op, at});
                i += op.size();
            } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-'
                       || c == '[') {
                std::string word;
                if (c == '[') {
                    const size_t end = s.find(']', i);
                    if (end == std::string::npos) {
                        m_tokens.push_back({Token::Type::End, "", at});
                        m_pos = m_tokens.size() - 1;
                        error("missing \"]\"");
                    }
                    word = s.substr(i + 1, end - i - 1);
                    i = end + 1;
                } else {
                    while (i < s.size()
                           && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' || s[i] == '.'
                               || s[i] == '-'))
                        word += s[i++];
                }
                m_tokens.push_back({Token::Type::Word, word, at});
            } else {
                m_tokens.push_back({Token::Type::End, "", at});
                m_pos = m_tokens.size() - 1;
                error(std::string("unexpected character \"") + c + "\"");
            }
        }
        m_tokens.push_back({Token::Type::End, "", int(s.size())});
    }

    QString m_source;
    std::string m_utf8;
    const Filter::ColumnResolver &m_resolve;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
};

} // namespace

Filter Filter::parse(const QString &text, const ColumnResolver &resolve)
{
    Filter filter;
    if (text.trimmed().isEmpty())
        return filter;
    Parser parser(text, resolve);
    filter.m_root = parser.parseAll();
    return filter;
}

QString Filter::quoted(const QString &value)
{
    QString inner = value;
    inner.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

bool Filter::matches(const Row &row) const
{
    return !m_root || m_root->eval(row);
}
