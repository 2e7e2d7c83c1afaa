#include "text/input_reader.h"

#include "text/cp932_reader.h"
#include "text/text_error.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace text {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString shown(const InputItem &item)
{
    return item.quoted ? u'"' + item.text + u'"' : item.text;
}

} // namespace

InputReader::InputReader(const QString &text)
    : m_text(text)
{
}

bool InputReader::atLineEnd() const
{
    return m_pos < m_text.size() && (m_text.at(m_pos) == u'\r' || m_text.at(m_pos) == u'\n');
}

void InputReader::takeLineEnd()
{
    const bool cr = m_text.at(m_pos) == u'\r';
    ++m_pos;
    if (cr && m_pos < m_text.size() && m_text.at(m_pos) == u'\n') ++m_pos;
    ++m_line;
}

void InputReader::skipSpace()
{
    while (m_pos < m_text.size()) {
        if (isBlank(m_text.at(m_pos)))
            ++m_pos;
        else if (atLineEnd())
            takeLineEnd();
        else
            break;
    }
}

bool InputReader::atEnd()
{
    skipSpace();
    return m_pos >= m_text.size();
}

InputItem InputReader::readItem()
{
    skipSpace();
    if (m_pos >= m_text.size()) throw InputError(m_line, u"read past the end of the input"_s);
    InputItem item { {}, false, m_line };
    if (m_text.at(m_pos) == u'"') {
        item.quoted = true;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size() || atLineEnd())
                throw InputError(m_line, u"a quoted item has no closing quote"_s);
            const QChar c = m_text.at(m_pos++);
            if (c != u'"') {
                item.text += c;
            } else if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
                item.text += c;
                ++m_pos;
            } else {
                break;
            }
        }
        while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
            ++m_pos;
        if (m_pos < m_text.size() && !atLineEnd() && m_text.at(m_pos) != u',')
            throw InputError(m_line, u"text follows the quoted item \"%1\""_s.arg(item.text));
    } else {
        while (m_pos < m_text.size() && !atLineEnd() && m_text.at(m_pos) != u',')
            item.text += m_text.at(m_pos++);
        while (!item.text.isEmpty() && isBlank(item.text.back()))
            item.text.chop(1);
    }
    if (m_pos < m_text.size()) {
        if (m_text.at(m_pos) == u',')
            ++m_pos;
        else if (atLineEnd())
            takeLineEnd();
    }
    return item;
}

QString InputReader::readString()
{
    return readItem().text;
}

int InputReader::readInt(int min, int max)
{
    static const QRegularExpression integer(u"^[+-]?[0-9]+$"_s);
    const InputItem item = readItem();
    if (item.quoted || !integer.match(item.text).hasMatch())
        throw InputError(item.line, u"%1 is not a whole number"_s.arg(shown(item)));
    bool ok = false;
    const qlonglong v = item.text.toLongLong(&ok);
    if (!ok || v < min || v > max)
        throw InputError(item.line, u"%1 is not within %2 … %3"_s.arg(item.text).arg(min).arg(max));
    return int(v);
}

double InputReader::readNumber()
{
    static const QRegularExpression number(u"^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"_s);
    const InputItem item = readItem();
    if (item.quoted || !number.match(item.text).hasMatch())
        throw InputError(item.line, u"%1 is not a number"_s.arg(shown(item)));
    return item.text.toDouble();
}

bool InputReader::readBoolean()
{
    const InputItem item = readItem();
    if (!item.quoted) {
        if (item.text.compare(u"#TRUE#"_s, Qt::CaseInsensitive) == 0) return true;
        if (item.text.compare(u"#FALSE#"_s, Qt::CaseInsensitive) == 0) return false;
    }
    throw InputError(item.line, u"%1 is not #TRUE# or #FALSE#"_s.arg(shown(item)));
}

InputReader InputReader::fromFile(const QString &path)
{
    Cp932Reader file(path);
    return InputReader(file.readAll());
}

QList<InputItem> InputReader::readItems(const QString &text)
{
    InputReader r(text);
    QList<InputItem> items;
    while (!r.atEnd())
        items.append(r.readItem());
    return items;
}

} // namespace text
