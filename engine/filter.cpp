#include "filter.h"

#include "engineerror.h"
#include "rowstore.h"
#include "textcompare.h"
#include "valueindex.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
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

    // Whether one cell passes this term.
    bool test(std::string_view text, bool null) const
    {
        if (nullValue)
            return op == Op::Eq ? null : !null;
        if (null)
            return false;
        if (number && (columnKind == ColumnKind::Integer || columnKind == ColumnKind::Real)) {
            if (const auto mine = toNumber(text))
                return holds(op, *mine, *number);
        }
        if (op == Op::Eq)
            return textcompare::equalsNoCase(text, value);
        if (op == Op::Ne)
            return !textcompare::equalsNoCase(text, value);
        return holds(op, textcompare::compareNoCase(text, value), 0);
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

// One node of a prepared filter. A term on a coded column knows its result for every code the
// column had when the filter was prepared, and the codes that pass.
struct Filter::Test::Step
{
    const Filter::Node *node = nullptr;
    const RowStore *store = nullptr;
    std::unique_ptr<Step> left, right;
    std::vector<char> byCode;
    std::vector<uint32_t> passingCodes;

    bool eval(int row) const
    {
        switch (node->kind) {
        case Node::Kind::And: return left->eval(row) && right->eval(row);
        case Node::Kind::Or: return left->eval(row) || right->eval(row);
        case Node::Kind::Compare: break;
        }
        const int column = node->column;
        if (store->isCoded(column)) {
            const uint32_t code = store->code(row, column);
            if (code < byCode.size())
                return byCode[code];
        } else if (store->isNull(row, column)) {
            return node->test({}, true);
        } else if (node->number
                   && (node->columnKind == ColumnKind::Integer || node->columnKind == ColumnKind::Real)) {
            return holds(node->op, store->integer(row, column), *node->number);
        }
        std::string scratch;
        return node->test(store->text(row, column, scratch), store->isNull(row, column));
    }

    static constexpr size_t unknown = std::numeric_limits<size_t>::max();

    // How many rows the index would name, or unknown.
    size_t estimate(ValueIndex &index) const
    {
        switch (node->kind) {
        case Node::Kind::And: return std::min(left->estimate(index), right->estimate(index));
        case Node::Kind::Or: {
            const size_t a = left->estimate(index);
            const size_t b = right->estimate(index);
            return a == unknown || b == unknown ? unknown : a + b;
        }
        case Node::Kind::Compare: break;
        }
        return byCode.empty() ? unknown : index.count(node->column, passingCodes);
    }

    std::vector<int> collect(ValueIndex &index) const
    {
        switch (node->kind) {
        case Node::Kind::And:
            return left->estimate(index) <= right->estimate(index) ? left->collect(index) : right->collect(index);
        case Node::Kind::Or: {
            const std::vector<int> a = left->collect(index);
            const std::vector<int> b = right->collect(index);
            std::vector<int> both;
            both.reserve(a.size() + b.size());
            std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
            return both;
        }
        case Node::Kind::Compare: break;
        }
        return index.rows(node->column, passingCodes);
    }

    static std::unique_ptr<Step> build(const Filter::Node &node, const RowStore &store)
    {
        auto step = std::make_unique<Step>();
        step->node = &node;
        step->store = &store;
        if (node.kind != Node::Kind::Compare) {
            step->left = build(*node.left, store);
            step->right = build(*node.right, store);
        } else if (store.isCoded(node.column)) {
            const Dictionary &dictionary = store.dictionary(node.column);
            step->byCode.resize(dictionary.size());
            for (uint32_t code = 0; code < dictionary.size(); ++code) {
                step->byCode[code] = node.test(dictionary.text(code), code == Dictionary::null);
                if (step->byCode[code])
                    step->passingCodes.push_back(code);
            }
        }
        return step;
    }
};

Filter::Test Filter::prepare(const RowStore &store) const
{
    Test test;
    test.m_nodes = m_root;
    if (m_root)
        test.m_root = Test::Step::build(*m_root, store);
    return test;
}

bool Filter::Test::matches(int row) const
{
    return !m_root || m_root->eval(row);
}

std::optional<std::vector<int>> Filter::Test::candidates(ValueIndex &index, size_t limit) const
{
    if (!m_root || m_root->estimate(index) > limit)
        return std::nullopt;
    return m_root->collect(index);
}
