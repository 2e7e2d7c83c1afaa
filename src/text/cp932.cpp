#include "text/cp932.h"

#include "text/text_error.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace text {

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char *kUtf16 = "UTF-16LE";
#else
constexpr const char *kUtf16 = "UTF-16BE";
#endif

// One iconv conversion, opened once per thread and reset before each use.
class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts all of [in, in + size) into out. On failure returns the
    // number of input bytes converted before the failing sequence and sets
    // *error to errno; on success returns size.
    size_t convert(const char *in, size_t size, QByteArray &out, int *error)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        *error = 0;
        out.resize(qsizetype(size * 2 + 16));
        char *inPtr = const_cast<char *>(in);
        size_t inLeft = size;
        char *outPtr = out.data();
        size_t outLeft = size_t(out.size());
        while (inLeft > 0) {
            if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1)) continue;
            if (errno == E2BIG) {
                const qsizetype used = outPtr - out.data();
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = size_t(out.size() - used);
                continue;
            }
            *error = errno;
            break;
        }
        out.resize(outPtr - out.data());
        return size - inLeft;
    }

private:
    iconv_t m_cd;
};

Converter &encoder()
{
    thread_local Converter c("CP932", kUtf16);
    return c;
}

Converter &decoder()
{
    thread_local Converter c(kUtf16, "CP932");
    return c;
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

QByteArray encodeCp932(const QString &text)
{
    QByteArray out;
    int error = 0;
    const size_t bytes = size_t(text.size()) * 2;
    const size_t done = encoder().convert(reinterpret_cast<const char *>(text.utf16()), bytes, out, &error);
    if (error != 0) {
        const qsizetype pos = qsizetype(done / 2);
        const bool pair
            = text.at(pos).isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate();
        throw EncodingError(text.mid(pos, pair ? 2 : 1), pos);
    }
    return out;
}

QString decodeCp932(const QByteArray &bytes, int line)
{
    QByteArray out;
    int error = 0;
    const size_t done = decoder().convert(bytes.constData(), size_t(bytes.size()), out, &error);
    if (error != 0) {
        const qsizetype pos = qsizetype(done);
        const qsizetype len = isLeadByte(static_cast<unsigned char>(bytes.at(pos))) ? 2 : 1;
        throw DecodingError(bytes.mid(pos, len), pos, line);
    }
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(out.constData()), out.size() / 2);
}

bool isTwoByteCp932(QChar ch)
{
    if (ch.isSurrogate()) return true;
    QByteArray out;
    int error = 0;
    const char16_t c = ch.unicode();
    encoder().convert(reinterpret_cast<const char *>(&c), 2, out, &error);
    return error != 0 || out.size() != 1;
}

bool isTwoByteCp932(const QString &ch)
{
    return !ch.isEmpty() && isTwoByteCp932(ch.at(0));
}

} // namespace text
