#include "text/cp932_writer.h"

#include "text/cp932.h"
#include "text/text_error.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace text {

Cp932Writer::Cp932Writer(const QString &path, Mode mode)
    : m_path(path)
    , m_mode(mode)
{
    QIODevice::OpenMode flags = QIODevice::WriteOnly;
    if (mode == Mode::Atomic) {
        m_file = std::make_unique<QSaveFile>(path);
    } else {
        m_file = std::make_unique<QFile>(path);
        flags |= mode == Mode::Append ? QIODevice::Append : QIODevice::Truncate;
    }
    if (!m_file->open(flags)) throw FileError(path, m_file->errorString());
}

Cp932Writer::~Cp932Writer()
{
    if (!m_file || !m_file->isOpen()) return;
    if (m_mode == Mode::Atomic)
        static_cast<QSaveFile *>(m_file.get())->cancelWriting();
    else
        m_file->close();
}

void Cp932Writer::writeLine(const QString &line)
{
    writeBytes(encodeCp932(line) + "\r\n");
}

void Cp932Writer::write(const QString &text)
{
    writeBytes(encodeCp932(text));
}

void Cp932Writer::writeBytes(const QByteArray &bytes)
{
    if (!m_file->isOpen()) throw FileError(m_path, u"the file is already closed"_s);
    if (m_file->write(bytes) != bytes.size()) throw FileError(m_path, m_file->errorString());
}

void Cp932Writer::close()
{
    if (!m_file || !m_file->isOpen()) return;
    if (m_mode == Mode::Atomic) {
        auto *save = static_cast<QSaveFile *>(m_file.get());
        if (!save->commit()) throw FileError(m_path, save->errorString());
        return;
    }
    const bool flushed = m_file->flush();
    const QString reason = m_file->errorString();
    m_file->close();
    if (!flushed) throw FileError(m_path, reason);
}

void writeCp932File(const QString &path, const QStringList &lines)
{
    Cp932Writer w(path, Cp932Writer::Mode::Atomic);
    for (const QString &line : lines)
        w.writeLine(line);
    w.close();
}

} // namespace text
