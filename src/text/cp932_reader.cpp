#include "text/cp932_reader.h"

#include "text/cp932.h"
#include "text/text_error.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace text {

Cp932Reader::Cp932Reader(const QString &path)
    : m_path(path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw FileError(path, f.errorString());
    m_bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) throw FileError(path, f.errorString());
}

bool Cp932Reader::atEnd() const
{
    return m_pos >= m_bytes.size();
}

QString Cp932Reader::readLine()
{
    if (atEnd()) throw FileError(m_path, u"read past the end of the file"_s);
    // CR and LF never occur inside a two-byte Shift_JIS character (trail
    // bytes are 0x40 and above), so lines can be split on the bytes.
    qsizetype end = m_pos;
    while (end < m_bytes.size() && m_bytes.at(end) != '\r' && m_bytes.at(end) != '\n')
        ++end;
    const QByteArray raw = m_bytes.mid(m_pos, end - m_pos);
    qsizetype next = end;
    if (next < m_bytes.size()) {
        const bool cr = m_bytes.at(next) == '\r';
        ++next;
        if (cr && next < m_bytes.size() && m_bytes.at(next) == '\n') ++next;
    }
    QString line;
    try {
        line = decodeCp932(raw, m_line);
    } catch (const DecodingError &e) {
        // Report the offset in the file, not in the line.
        throw DecodingError(e.bytes(), m_pos + e.offset(), m_line);
    }
    m_pos = next;
    ++m_line;
    return line;
}

QString Cp932Reader::readAll()
{
    QString all;
    while (!atEnd()) {
        const qsizetype start = m_pos;
        all += readLine();
        // Keep the line end exactly as the file has it.
        qsizetype lineEnd = start;
        while (lineEnd < m_pos && m_bytes.at(lineEnd) != '\r' && m_bytes.at(lineEnd) != '\n')
            ++lineEnd;
        all += QString::fromLatin1(m_bytes.mid(lineEnd, m_pos - lineEnd));
    }
    return all;
}

QStringList Cp932Reader::readLines(const QString &path)
{
    Cp932Reader r(path);
    QStringList lines;
    while (!r.atEnd())
        lines.append(r.readLine());
    return lines;
}

} // namespace text
