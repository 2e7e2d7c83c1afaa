#include "text/cp932_reader.h"
#include "text/cp932_writer.h"
#include "text/input_reader.h"
#include "text/text_error.h"
#include "text/write_items.h"

#include <QFile>
#include <QTemporaryDir>

#include "text/qstring_printer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Cp932File : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
};

TEST_F(Cp932File, WritesShiftJisLinesWithCrLf)
{
    const QString file = path(u"SD-3-12.txt"_s);
    {
        text::Cp932Writer w(file);
        w.writeLine(u"順位　 素点"_s);
        w.write(u"１着"_s);
        w.write(u"  05 >> "_s);
        w.writeLine(u"ｽﾍﾟｱ"_s);
        w.writeLine(QString());
        w.close();
    }
    EXPECT_EQ(bytesOf(file),
        QByteArray("\x8f\x87\x88\xca\x81\x40 \x91\x66\x93\x5f\r\n"
                   "\x82\x50\x92\x85  05 >> \xbd\xcd\xdf\xb1\r\n"
                   "\r\n"));
    EXPECT_EQ(text::Cp932Reader::readLines(file),
        (QStringList { u"順位　 素点"_s, u"１着  05 >> ｽﾍﾟｱ"_s, QString() }));
}

TEST_F(Cp932File, ReplaceStartsAnewAndAppendAddsToTheEnd)
{
    const QString file = path(u"r.txt"_s);
    {
        text::Cp932Writer w(file);
        w.writeLine(u"one"_s);
        w.writeLine(u"two"_s);
    }
    {
        text::Cp932Writer w(file, text::Cp932Writer::Mode::Replace);
        w.writeLine(u"three"_s);
    }
    {
        text::Cp932Writer w(file, text::Cp932Writer::Mode::Append);
        w.writeLine(QString());
        w.writeLine(u"☆☆☆"_s);
    }
    EXPECT_EQ(text::Cp932Reader::readLines(file), (QStringList { u"three"_s, QString(), u"☆☆☆"_s }));
}

TEST_F(Cp932File, UnencodableCharacterStopsTheLineBeforeItIsWritten)
{
    const QString file = path(u"e.txt"_s);
    text::Cp932Writer w(file);
    w.writeLine(u"ok"_s);
    try {
        w.writeLine(u"名前😀"_s);
        ADD_FAILURE() << "no error";
    } catch (const text::EncodingError &e) {
        EXPECT_EQ(e.character(), u"😀"_s);
        EXPECT_EQ(e.position(), 2);
    }
    w.close();
    EXPECT_EQ(bytesOf(file), QByteArray("ok\r\n"));
}

TEST_F(Cp932File, AtomicWriteKeepsTheOldFileUntilItIsComplete)
{
    const QString file = path(u"B_091205.bup"_s);
    put(file, "old\r\n");
    {
        text::Cp932Writer w(file, text::Cp932Writer::Mode::Atomic);
        w.writeLine(u"new"_s);
        // Gone out of scope without close(): the write is discarded.
    }
    EXPECT_EQ(bytesOf(file), QByteArray("old\r\n"));

    EXPECT_THROW(text::writeCp932File(file, { u"1"_s, u"名前😀"_s }), text::EncodingError);
    EXPECT_EQ(bytesOf(file), QByteArray("old\r\n"));

    text::writeCp932File(file, { u"2"_s, u"山田"_s });
    EXPECT_EQ(bytesOf(file), QByteArray("2\r\n\x8e\x52\x93\x63\r\n"));
}

TEST_F(Cp932File, FilesThatCannotBeOpened)
{
    EXPECT_THROW(text::Cp932Reader(path(u"missing.txt"_s)), text::FileError);
    EXPECT_THROW(text::Cp932Writer(path(u"no/such/dir.txt"_s)), text::FileError);
    EXPECT_THROW(text::writeCp932File(path(u"no/such/dir.txt"_s), { u"x"_s }), text::FileError);
}

TEST_F(Cp932File, ReaderAcceptsEveryLineEnd)
{
    const QString file = path(u"ends.txt"_s);
    put(file, "a\r\nb\nc\rd\r\n\r\ne");
    EXPECT_EQ(text::Cp932Reader::readLines(file),
        (QStringList { u"a"_s, u"b"_s, u"c"_s, u"d"_s, QString(), u"e"_s }));
    text::Cp932Reader r(file);
    r.readLine();
    EXPECT_EQ(r.readAll(), u"b\nc\rd\r\n\r\ne"_s);
    EXPECT_TRUE(r.atEnd());
    EXPECT_THROW(r.readLine(), text::FileError);

    put(file, "");
    EXPECT_TRUE(text::Cp932Reader::readLines(file).isEmpty());
}

TEST_F(Cp932File, UndecodableLineIsReportedWithItsNumber)
{
    const QString file = path(u"bad.dat"_s);
    put(file, QByteArray("1\r\n\x8e\x52\r\nab\x80\r\nz\r\n"));
    text::Cp932Reader r(file);
    EXPECT_EQ(r.readLine(), u"1"_s);
    EXPECT_EQ(r.readLine(), u"山"_s);
    try {
        r.readLine();
        ADD_FAILURE() << "no error";
    } catch (const text::DecodingError &e) {
        EXPECT_EQ(e.line(), 3);
        EXPECT_EQ(e.bytes(), QByteArray("\x80"));
        EXPECT_EQ(e.offset(), 9);
    }
    EXPECT_EQ(r.lineNumber(), 3);
}

TEST_F(Cp932File, ItemsWrittenToAFileReadBack)
{
    const QString file = path(u"B_000012.dat"_s);
    {
        text::Cp932Writer w(file, text::Cp932Writer::Mode::Atomic);
        w.writeLine(text::writeItems({ 1 }));
        w.writeLine(text::writeItems({ 12, u"山田      "_s }));
        w.writeLine(text::writeItems({ u"Ｘ"_s }));
        w.writeLine(text::writeItems({ 10 }));
        w.close();
    }
    EXPECT_EQ(bytesOf(file), QByteArray("1\r\n12,\"\x8e\x52\x93\x63      \"\r\n\"\x82\x77\"\r\n10\r\n"));
    text::InputReader r = text::InputReader::fromFile(file);
    EXPECT_EQ(r.readInt(), 1);
    EXPECT_EQ(r.readInt(), 12);
    EXPECT_EQ(r.readString(), u"山田      "_s);
    EXPECT_EQ(r.readString(), u"Ｘ"_s);
    EXPECT_EQ(r.readInt(0, 255), 10);
    EXPECT_TRUE(r.atEnd());

    put(file, "1\r\n\x82\r\n");
    EXPECT_THROW(text::InputReader::fromFile(file), text::DecodingError);
}

} // namespace
