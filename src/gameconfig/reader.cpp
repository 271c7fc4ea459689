#include "gameconfig/reader.h"

#include <QCoreApplication>

namespace quenzar::gameconfig {

namespace {

bool isBlank(QChar c)
{
    // A byte order mark left by an editor is as good as a blank.
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == QChar::ByteOrderMark;
}

// The game ends a command at `;`; commas are how the tweak lists its assignments.
bool isSeparator(QChar c)
{
    return isBlank(c) || c == u',' || c == u';';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameChar(QChar c)
{
    return isLetter(c) || isDigit(c);
}

bool isKeyword(QStringView word)
{
    if (word.size() < 3 || word.size() > 4)
        return false;
    for (QStringView keyword : {u"set", u"seta", u"sets", u"setu"})
        if (word.compare(keyword, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

struct Failure
{
    qsizetype at;
    QString message;
};

// One line, read from left to right.
class LineReader
{
public:
    LineReader(QStringView line, int number, ReadTweak& out)
        : m_line(line), m_number(number), m_out(out)
    {}

    void read()
    {
        while (true) {
            while (m_pos < m_line.size() && isSeparator(m_line[m_pos]))
                ++m_pos;
            if (atEnd() || atComment())
                return;
            const qsizetype start = m_pos;
            if (const std::optional<Failure> failure = readAssignment()) {
                m_out.warnings.push_back({m_number, int(failure->at) + 1, failure->message});
                resumeAfter(start, failure->at);
            }
        }
    }

private:
    bool atEnd() const { return m_pos >= m_line.size(); }
    QChar current() const { return atEnd() ? QChar() : m_line[m_pos]; }
    bool atComment() const { return m_line.sliced(m_pos).startsWith(u"//"); }

    void skipBlanks()
    {
        while (!atEnd() && isBlank(m_line[m_pos]))
            ++m_pos;
    }

    QStringView readName()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && isNameChar(m_line[m_pos]))
            ++m_pos;
        return m_line.sliced(start, m_pos - start);
    }

    std::optional<Failure> readAssignment()
    {
        if (!isLetter(current()))
            return Failure{m_pos, tr("expected the name of a setting")};
        QStringView name = readName();
        if (isKeyword(name) && (atEnd() || isBlank(current()))) {
            const QStringView keyword = name;
            skipBlanks();
            if (!isLetter(current()))
                return Failure{m_pos, tr("expected the name of a setting after %1").arg(keyword)};
            name = readName();
        }
        const qsizetype nameStart = name.data() - m_line.data();
        skipBlanks();
        if (current() == u'=') {
            ++m_pos;
            skipBlanks();
        }
        QString value;
        if (current() == u'(') {
            ++m_pos;
            skipBlanks();
            if (std::optional<Failure> failure = readValue(name, value))
                return failure;
            skipBlanks();
            if (current() != u')')
                return Failure{m_pos, tr("expected ) after the value of %1").arg(name)};
            ++m_pos;
        } else if (std::optional<Failure> failure = readValue(name, value)) {
            return failure;
        }
        m_out.assignments.push_back({name.toString(), value, m_number, int(nameStart) + 1});
        return std::nullopt;
    }

    // A number ends where its digits end, so that a name right after it starts a new
    // assignment ("com_videoRam=64image_lodbias -2"); a word takes letters, digits, `_`, `-`
    // and `.`; a quoted value runs to the next quote.
    std::optional<Failure> readValue(QStringView name, QString& value)
    {
        const qsizetype start = m_pos;
        const QChar first = current();
        if (first == u'"') {
            const qsizetype end = m_line.indexOf(u'"', m_pos + 1);
            if (end < 0)
                return Failure{m_line.size(),
                               tr("the quoted value of %1 has no closing quote").arg(name)};
            value = m_line.sliced(m_pos + 1, end - m_pos - 1).toString();
            m_pos = end + 1;
            return std::nullopt;
        }
        if (first == u'-' || first == u'.' || isDigit(first)) {
            if (first == u'-')
                ++m_pos;
            while (!atEnd() && isDigit(current()))
                ++m_pos;
            if (current() == u'.')
                ++m_pos;
            while (!atEnd() && isDigit(current()))
                ++m_pos;
        } else if (isLetter(first)) {
            while (!atEnd() && (isNameChar(current()) || current() == u'-' || current() == u'.'))
                ++m_pos;
        }
        value = m_line.sliced(start, m_pos - start).toString();
        if (value.isEmpty() || value == u"-" || value == u"." || value == u"-.")
            return Failure{start, tr("expected a value for %1").arg(name)};
        return std::nullopt;
    }

    // Reading goes on at the name where it stopped, or else after the text it could not read.
    void resumeAfter(qsizetype start, qsizetype stoppedAt)
    {
        m_pos = stoppedAt;
        if (m_pos > start && isLetter(current()))
            return;
        m_pos = std::max(m_pos, start + 1);
        while (!atEnd() && !isSeparator(current()))
            ++m_pos;
    }

    QStringView m_line;
    int m_number;
    ReadTweak& m_out;
    qsizetype m_pos = 0;
};

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
        LineReader(text.sliced(lineStart, end - lineStart), number, result).read();
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        lineStart = end + 1;
        ++number;
    }
    return result;
}

} // namespace quenzar::gameconfig
