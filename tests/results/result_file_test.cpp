#include "night_builder.h"

#include "results/result_file.h"
#include "text/cp932.h"
#include "text/text_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace results;
using results_test::Night_builder;

namespace {

QByteArray read_bytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Four players over two games: a clear winner, a place shared after both
// tie-breaks, and a last player with one-digit scores.
Night_builder fixture_night()
{
    Night_builder b(4, 2);
    b.name(1, u"山田太郎"_s);
    b.name(2, u"佐藤"_s);
    b.name(3, u"ｽｽﾞｷ"_s);
    b.name(4, u"O'Neil"_s);
    b.score(1, 1, 180, 10);
    b.score(1, 2, 195, 10);
    b.score(2, 1, 210, 0);
    b.score(2, 2, 160, 0);
    b.score(3, 1, 165, 25);
    b.score(3, 2, 180, 25);
    b.score(4, 1, 7, 2);
    b.score(4, 2, 5, 2);
    return b;
}

TEST(ResultFile, Name)
{
    config::MatchGlobals g;
    g.srs_id = 3;
    g.siai_no = 12;
    EXPECT_EQ(result_file_name(g), u"SD-3-12.txt"_s);
    g.srs_id = 10;
    g.siai_no = 1;
    EXPECT_EQ(result_file_name(g), u"SD-10-1.txt"_s);
    EXPECT_EQ(result_file_path(u"/tmp/pin"_s, g), u"/tmp/pin/SD-10-1.txt"_s);
}

TEST(ResultFile, LinesInPlacingOrder)
{
    const Night_results r = fixture_night().calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.pnt_rank, (QList<int>{ 0, 2, 1, 2, 4 }));
    EXPECT_EQ(result_file_lines(r), (QStringList{
                                        u"2009年12月5日 の試合結果です。"_s,
                                        u"順位　 素点　競技点　優Ｐ 　選手名"_s,
                                        u"１着   210 >> 210点  13p   佐藤        "_s,
                                        u"２着   195 >> 205点  08p   山田太郎      "_s,
                                        u"２着   180 >> 205点  08p   ｽｽﾞｷ      "_s,
                                        u"４着   07 >> 09点  00p   O'Neil    "_s,
                                    }));
}

TEST(ResultFile, PointList)
{
    const Night_results r = fixture_night().calculate();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(point_list_lines(r), (QStringList{
                                       u"１着    13p   佐藤            "_s,
                                       u"２着    08p   山田太郎          "_s,
                                       u"２着    08p   ｽｽﾞｷ          "_s,
                                       u"４着    00p   O'Neil        "_s,
                                   }));
}

TEST(ResultFile, GoldenBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Night_results r = fixture_night().calculate();
    ASSERT_TRUE(r.ok());
    const QString path = write_result_file(dir.path(), r);
    EXPECT_EQ(path, QDir(dir.path()).filePath(u"SD-3-12.txt"_s));
    const QByteArray expected = read_bytes(QStringLiteral(RESULTS_TEST_DATA "/SD-3-12.txt"));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(read_bytes(path), expected);
}

TEST(ResultFile, EveryCalculationRewritesFromTheStart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Night_builder b = fixture_night();
    write_result_file(dir.path(), b.calculate());

    // Calculated again with fewer players: nothing of the first file is left.
    Night_builder two(2, 1);
    two.globals = b.globals;
    two.game_scores(1, { 150, 140 });
    const QString path = write_result_file(dir.path(), two.calculate());
    EXPECT_EQ(text::decodeCp932(read_bytes(path)), u"2009年12月5日 の試合結果です。\r\n"
                                                   u"順位　 素点　競技点　優Ｐ 　選手名\r\n"
                                                   u"１着   150 >> 150点  11p   P1        \r\n"
                                                   u"２着   140 >> 140点  00p   P2        \r\n"_s);
}

TEST(ResultFile, NameThatShiftJisCannotHoldLeavesTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Night_builder b = fixture_night();
    const QString path = write_result_file(dir.path(), b.calculate());
    const QByteArray before = read_bytes(path);
    b.name(2, u"佐藤😀"_s);
    EXPECT_THROW(write_result_file(dir.path(), b.calculate()), text::EncodingError);
    EXPECT_EQ(read_bytes(path), before);
}

TEST(ResultFile, NothingWrittenWithoutASuccessfulCalculation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Night_builder b(0, 0);
    const Night_results r = b.calculate();
    ASSERT_EQ(r.status, Calc_status::nobody_bowled);
    EXPECT_TRUE(result_file_lines(r).isEmpty());
    EXPECT_TRUE(point_list_lines(r).isEmpty());
    EXPECT_EQ(write_result_file(dir.path(), r), QString());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
