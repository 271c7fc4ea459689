#include "gameconfig/reader.h"

#include "gameconfig/catalogue.h"

#include <QCoreApplication>

#include <array>
#include <type_traits>

namespace quenzar::gameconfig {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

// idLexer's default_punctuations, longest first where one begins another.
constexpr std::array<QStringView, 52> punctuations{
    u">>=", u"<<=", u"...", u"##", u"&&", u"||", u">=", u"<=", u"==", u"!=", u"*=", u"/=", u"%=",
    u"+=",  u"-=",  u"++",  u"--", u"&=", u"|=", u"^=", u">>", u"<<", u"->", u"::", u".*", u"*",
    u"/",   u"%",   u"+",   u"-",  u"=",  u"&",  u"|",  u"^",  u"~",  u"!",  u">",  u"<",  u".",
    u",",   u";",   u":",   u"?",  u"(",  u")",  u"{",  u"}",  u"[",  u"]",  u"\\", u"#",  u"$"};

enum class Kind
{
    Name,
    Number,
    String,
    Punctuation,
    Broken // where the engine stops reading the command: @, `, 1.2.3, an unclosed quote
};

struct Token
{
    Kind kind;
    QStringView text; // into the line, or into `joined`
    QString joined;   // a minus and the number after it, where blanks lie between them
    qsizetype start;  // in the line
    bool blankBefore;
    const Setting* known = nullptr; // the setting of this name
    bool setWord = false;           // set, seta, sets, setu or sett

    bool is(QStringView p) const { return kind == Kind::Punctuation && text == p; }
};

// Tokens move into a vector; a view into `joined` must stay valid when they do.
static_assert(std::is_nothrow_move_constructible_v<Token>);

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}
// Bytes up to the blank, and (char being signed) every byte of a character beyond ASCII.
bool isBlank(QChar c)
{
    return c.unicode() <= u' ' || c.unicode() >= 0x80;
}
bool isNameChar(QChar c)
{
    return isLetter(c) || isDigit(c) || c == u'/' || c == u'\\' || c == u':' || c == u'.';
}
bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isSetWord(QStringView word)
{
    const auto is = [&](qsizetype i, char16_t lower) {
        return (word[i].unicode() | 0x20) == lower;
    };
    if (word.size() < 3 || word.size() > 4 || !is(0, u's') || !is(1, u'e') || !is(2, u't'))
        return false;
    return word.size() == 3 || QStringView(u"asut").contains(QChar(word[3].unicode() | 0x20));
}

// One command's tokens, as idLexer reads them with the flags idCmdArgs::TokenizeString uses.
class Lexer
{
public:
    Lexer(QStringView line, qsizetype from, qsizetype to)
        : m_line(line), m_start(from), m_pos(from), m_end(to)
    {}

    // False at the end of the command.
    bool next(Token& token)
    {
        const qsizetype before = m_pos;
        if (!skipBlanksAndComments())
            return false;
        token.blankBefore = m_pos > before || before == m_start;
        token.start = m_pos;
        const QChar c = at(m_pos), c2 = at(m_pos + 1);
        if (isDigit(c) || (c == u'.' && isDigit(c2)))
            readNumber(token);
        else if (c == u'"' || c == u'\'')
            readString(token);
        else if (isLetter(c) || c == u'/' || c == u'\\' || c == u'.')
            readName(token);
        else
            readPunctuation(token);
        return true;
    }

    // A `//` comment was met: the rest of the line is the player's comment.
    bool lineCommented() const { return m_lineComment; }
    qsizetype end() const { return m_end; }

private:
    QChar at(qsizetype i) const { return i < m_end ? m_line[i] : QChar(); }

    bool skipBlanksAndComments()
    {
        while (m_pos < m_end) {
            if (isBlank(m_line[m_pos])) {
                ++m_pos;
            } else if (at(m_pos) == u'/' && at(m_pos + 1) == u'/') {
                m_lineComment = true;
                m_pos = m_end;
            } else if (at(m_pos) == u'/' && at(m_pos + 1) == u'*') {
                const qsizetype close = m_line.first(m_end).indexOf(u"*/", m_pos + 2);
                // The engine skips one more character after the end of the comment.
                m_pos = close < 0 ? m_end : std::min(close + 3, m_end);
            } else {
                return true;
            }
        }
        return false;
    }

    void take(Token& token, Kind kind, qsizetype length, qsizetype skipped = 0)
    {
        token.kind = kind;
        token.text = m_line.sliced(m_pos, length);
        m_pos += length + skipped;
    }

    void readNumber(Token& token)
    {
        qsizetype i = m_pos;
        bool whole = true;
        if (at(i) == u'0' && at(i + 1) != u'.') {
            i += 1;
            if (at(i) == u'x' || at(i) == u'X') {
                for (++i; isHexDigit(at(i)); ++i) {
                }
            } else if (at(i) == u'b' || at(i) == u'B') {
                for (++i; at(i) == u'0' || at(i) == u'1'; ++i) {
                }
            } else {
                while (at(i) >= u'0' && at(i) <= u'7')
                    ++i;
            }
        } else {
            int dots = 0;
            for (; isDigit(at(i)) || at(i) == u'.'; ++i)
                dots += at(i) == u'.';
            if (at(i) == u'e' && dots == 0)
                dots = 1;
            if (dots > 1) {
                take(token, Kind::Broken, i - m_pos);
                return;
            }
            if (dots == 1) {
                whole = false;
                if (at(i) == u'e') {
                    ++i;
                    if (at(i) == u'-' || at(i) == u'+')
                        ++i;
                    while (isDigit(at(i)))
                        ++i;
                }
            }
        }
        // Suffixes the engine reads and drops: f or l after a fraction, up to two of l and u
        // after a whole number.
        qsizetype suffix = 0;
        if (!whole && QStringView(u"fFlL").contains(at(i)))
            suffix = 1;
        else if (whole)
            while (suffix < 2 && QStringView(u"lLuU").contains(at(i + suffix)))
                ++suffix;
        take(token, Kind::Number, i - m_pos, suffix);
    }

    void readString(Token& token)
    {
        const QChar quote = m_line[m_pos];
        const qsizetype close = m_line.first(m_end).indexOf(quote, m_pos + 1);
        if (close < 0) {
            take(token, Kind::Broken, m_end - m_pos);
            return;
        }
        token.kind = Kind::String;
        token.text = m_line.sliced(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
    }

    void readName(Token& token)
    {
        qsizetype i = m_pos + 1;
        while (i < m_end && isNameChar(m_line[i]))
            ++i;
        take(token, Kind::Name, i - m_pos);
    }

    void readPunctuation(Token& token)
    {
        const QStringView rest = m_line.sliced(m_pos, m_end - m_pos);
        for (QStringView p : punctuations)
            if (p[0] == rest[0] && rest.startsWith(p)) {
                take(token, Kind::Punctuation, p.size());
                return;
            }
        take(token, Kind::Broken, 1);
    }

    QStringView m_line;
    qsizetype m_start;
    qsizetype m_pos;
    qsizetype m_end;
    bool m_lineComment = false;
};

struct Failure
{
    qsizetype at; // in the line
    QString message;
};

// The assignments of one command.
class CommandReader
{
public:
    CommandReader(std::vector<Token> tokens, qsizetype end, int line, ReadTweak& out)
        : m_tokens(std::move(tokens)), m_end(end), m_line(line), m_out(out)
    {}

    void read()
    {
        while (m_i < m_tokens.size()) {
            if (m_tokens[m_i].is(u",")) {
                ++m_i;
                continue;
            }
            const std::size_t start = m_i;
            if (std::optional<Failure> failure = readAssignment()) {
                m_out.warnings.push_back({m_line, int(failure->at) + 1, failure->message});
                resume(start);
            }
        }
    }

private:
    const Token* token(std::size_t i) const { return i < m_tokens.size() ? &m_tokens[i] : nullptr; }
    qsizetype position(std::size_t i) const
    {
        return i < m_tokens.size() ? m_tokens[i].start : m_end;
    }

    bool isPrefix(std::size_t i) const
    {
        const Token* next = token(i + 1);
        return m_tokens[i].setWord && next && next->kind == Kind::Name;
    }

    // A known setting's name, or set followed by a name: never a value.
    bool startsAssignment(std::size_t i) const { return m_tokens[i].known || isPrefix(i); }

    std::optional<Failure> readAssignment()
    {
        if (m_tokens[m_i].setWord) {
            if (!isPrefix(m_i))
                return Failure{
                    position(m_i + 1),
                    tr("expected the name of a setting after %1").arg(m_tokens[m_i].text)};
            ++m_i;
        }
        const Token& name = m_tokens[m_i];
        if (name.kind != Kind::Name)
            return Failure{name.start, tr("expected the name of a setting")};
        ++m_i;
        if (const Token* t = token(m_i); t && t->is(u"="))
            ++m_i;
        QString value;
        if (const Token* t = token(m_i); t && t->is(u"(")) {
            ++m_i;
            if (std::optional<Failure> failure = readValue(name, value))
                return failure;
            const Token* close = token(m_i);
            if (!close || !close->is(u")"))
                return Failure{position(m_i),
                               tr("expected ) after the value of %1").arg(name.text)};
            ++m_i;
        } else if (std::optional<Failure> failure = readValue(name, value)) {
            return failure;
        }
        m_out.assignments.push_back(
            {name.text.toString(), value, m_line, int(name.start) + 1, name.known});
        return std::nullopt;
    }

    std::optional<Failure> readValue(const Token& nameToken, QString& value)
    {
        const QStringView name = nameToken.text;
        const Token* t = token(m_i);
        // Such as MB in 256MB or a command such as vid_restart: no value follows, and the name
        // is none of the game's, so the player learns of the name rather than of its value.
        if (!nameToken.known && (!t || startsAssignment(m_i) || t->kind == Kind::Punctuation))
            return Failure{nameToken.start, tr("%1 is not a setting, so it is skipped").arg(name)};
        if (!t)
            return Failure{m_end, tr("expected a value for %1").arg(name)};
        if (t->kind == Kind::Broken && (t->text.startsWith(u'"') || t->text.startsWith(u'\'')))
            return Failure{m_end, tr("the quoted value of %1 has no closing quote").arg(name)};
        if (startsAssignment(m_i))
            return Failure{t->start,
                           tr("expected a value for %1, not the setting %2").arg(name, t->text)};
        if (t->kind == Kind::String || t->kind == Kind::Number) {
            value = t->text.toString();
            ++m_i;
            return std::nullopt;
        }
        if (t->kind != Kind::Name)
            return Failure{t->start, tr("expected a value for %1").arg(name)};
        // A word goes on through the tokens written right after it, GL_BI-LINEAR as one.
        value = t->text.toString();
        for (++m_i; m_i < m_tokens.size(); ++m_i) {
            const Token& next = m_tokens[m_i];
            if (next.blankBefore || next.kind == Kind::String || next.kind == Kind::Broken ||
                startsAssignment(m_i))
                break;
            if (next.kind == Kind::Punctuation && QStringView(u"(),=;$").contains(next.text) &&
                next.text.size() == 1)
                break;
            value += next.text;
        }
        return std::nullopt;
    }

    // Reading goes on at the next name that starts an assignment: a known setting's, or any
    // name written apart from what came before it.
    void resume(std::size_t start)
    {
        m_i = std::max(m_i, start + 1);
        for (; m_i < m_tokens.size(); ++m_i) {
            const Token& t = m_tokens[m_i];
            if (t.kind != Kind::Name)
                continue;
            const Token& before = m_tokens[m_i - 1];
            if (startsAssignment(m_i) || t.blankBefore || before.is(u",") || before.is(u")"))
                return;
        }
    }

    std::vector<Token> m_tokens;
    qsizetype m_end;
    int m_line;
    ReadTweak& m_out;
    std::size_t m_i = 0;
};

// The commands of one line: the engine ends one at `;` where the quotes before it are paired.
void readLine(QStringView line, int number, ReadTweak& out)
{
    qsizetype from = 0;
    while (from <= line.size()) {
        qsizetype to = from;
        bool quoted = false;
        for (; to < line.size() && !(line[to] == u';' && !quoted); ++to)
            quoted ^= line[to] == u'"';
        Lexer lexer(line, from, to);
        std::vector<Token> tokens;
        for (Token t; lexer.next(t);) {
            // `- 1` is the number -1 (idCmdArgs::TokenizeString).
            if (t.kind == Kind::Number && !tokens.empty() && tokens.back().is(u"-")) {
                tokens.back().kind = Kind::Number;
                Token& minus = tokens.back();
                // Written together, the view simply grows; else the two are joined.
                if (minus.text.data() + 1 == t.text.data()) {
                    minus.text = QStringView(minus.text.data(), t.text.size() + 1);
                } else {
                    minus.joined = u'-' + t.text.toString();
                    minus.text = minus.joined;
                }
                continue;
            }
            if (t.kind == Kind::Name) {
                t.known = findSetting(t.text);
                t.setWord = !t.known && isSetWord(t.text);
            } else {
                t.known = nullptr;
                t.setWord = false;
            }
            tokens.push_back(std::move(t));
        }
        CommandReader(std::move(tokens), to, number, out).read();
        if (lexer.lineCommented())
            return;
        from = to + 1;
    }
}

} // namespace

ReadTweak readTweak(QStringView text)
{
    ReadTweak result;
    int number = 1;
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype end = lineStart;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        readLine(text.sliced(lineStart, end - lineStart), number, result);
        // CR LF is one line end.
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        lineStart = end + 1;
        ++number;
    }
    return result;
}

} // namespace quenzar::gameconfig
