#include "results/commit.h"

#include "config/match_globals.h"
#include "config/settings.h"
#include "support/qt_printers.h"
#include "text/cp932.h"
#include "text/text_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString name10 = u"山田太郎      "_s; // a sheet's name: 10 characters

struct Milestone_case
{
    const char *what;
    results::Career_figures total;
    results::Career_figures part;
    QStringList lines;
};

class Milestones : public ::testing::TestWithParam<Milestone_case>
{
};

TEST_P(Milestones, LinesOfTheFiguresThatPassAStep)
{
    const Milestone_case &c = GetParam();
    EXPECT_EQ(results::milestone_lines(c.total, c.part, name10), c.lines) << c.what;
}

// Figures: games, upper, points, strikes, spares, pins.
INSTANTIATE_TEST_SUITE_P(
    Commit, Milestones,
    ::testing::Values(
        Milestone_case{"49 to 50 games", {50, 10, 20, 30, 40, 9000}, {1, 0, 0, 2, 3, 180},
                       {u"通算ゲーム数‥50ゲーム　　山田太郎      "_s}},
        Milestone_case{"4,900 to 5,100 pins", {20, 5, 5, 5, 5, 5100}, {1, 1, 0, 3, 4, 200},
                       {u"通算合計点数‥‥5000点　　山田太郎      "_s}},
        Milestone_case{"no step passed", {49, 49, 49, 49, 99, 4999}, {1, 1, 12, 6, 5, 199}, {}},
        Milestone_case{"a total just on a step was reached before",
                       {51, 50, 50, 50, 100, 5000}, {1, 0, 0, 0, 0, 0}, {}},
        Milestone_case{"every figure at once, in table order",
                       {100, 150, 203, 250, 1001, 15020}, {1, 1, 12, 5, 6, 230},
                       {u"通算ゲーム数‥100ゲーム　　山田太郎      "_s,
                        u"通算上位数‥‥‥150上位　　山田太郎      "_s,
                        u"通算ポイント数‥‥200ｐ　　山田太郎      "_s,
                        u"通算ストライク数‥250個　　山田太郎      "_s,
                        u"通算スペア数‥‥‥1000個　　山田太郎      "_s,
                        u"通算合計点数‥‥15000点　　山田太郎      "_s}},
        Milestone_case{"the first game of a career", {1, 1, 15, 4, 3, 190}, {1, 1, 15, 4, 3, 190},
                       {}},
        Milestone_case{"a part larger than a step names the step reached",
                       {120, 0, 0, 0, 0, 0}, {70, 0, 0, 0, 0, 0},
                       {u"通算ゲーム数‥100ゲーム　　山田太郎      "_s}}));

TEST(Milestones, ShortNameIsRightAlignedInSevenPlaces)
{
    // A name that is not yet the sheet's 10 characters is formatted by the
    // pattern like any text.
    EXPECT_EQ(results::milestone_lines({50, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}, u"山田"_s),
              QStringList{u"通算ゲーム数‥50ゲーム　　     山田"_s});
}

TEST(Milestones, TextForTheMessageEndsEveryLineWithCrLf)
{
    EXPECT_EQ(results::milestone_text({u"a"_s, u"b"_s}), u"a\r\nb\r\n"_s);
    EXPECT_EQ(results::milestone_text({}), QString());
}

class Result_file : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"SD-3-12.txt"_s);

    void SetUp() override
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text::encodeCp932(u"2024年4月1日 の試合結果です。\r\n"_s));
    }

    QByteArray bytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(Result_file, NoMilestoneAppendsOneEmptyLine)
{
    const QByteArray before = bytes();
    results::append_milestones(path, {});
    EXPECT_EQ(bytes(), before + "\r\n");
}

TEST_F(Result_file, MilestonesFollowTheEmptyLineAndTheHeading)
{
    const QByteArray before = bytes();
    results::append_milestones(path, {u"通算ゲーム数‥50ゲーム　　山田太郎      "_s,
                                      u"通算合計点数‥‥5000点　　鈴木      "_s});
    EXPECT_EQ(bytes(), before + "\r\n"
                  + text::encodeCp932(u"☆☆☆　　達成された通算記録　　☆☆☆\r\n"
                                      u"通算ゲーム数‥50ゲーム　　山田太郎      \r\n"
                                      u"通算合計点数‥‥5000点　　鈴木      \r\n"_s));
}

TEST_F(Result_file, NameShiftJisCannotHoldLeavesTheFileAsItWas)
{
    const QByteArray before = bytes();
    EXPECT_THROW(results::append_milestones(path, {u"通算ゲーム数‥50ゲーム　　😀"_s}),
                 text::EncodingError);
    EXPECT_EQ(bytes(), before);
}

struct Range_case
{
    const char *what;
    std::int16_t srs_max, srs_min;
    std::int32_t siai_max, siai_min;
    std::int32_t srs_id, siai_id;
    results::Id_ranges expected;
};

class Ranges : public ::testing::TestWithParam<Range_case>
{
};

TEST_P(Ranges, WidenedByTheMatch)
{
    const Range_case &c = GetParam();
    config::Settings s;
    s.srs_max = c.srs_max;
    s.srs_min = c.srs_min;
    s.siai_max = c.siai_max;
    s.siai_min = c.siai_min;
    config::MatchGlobals m;
    m.srs_id = c.srs_id;
    m.siai_id = c.siai_id;
    const results::Id_ranges r = results::widened_ranges(s, m);
    EXPECT_EQ(r.srs_max, c.expected.srs_max) << c.what;
    EXPECT_EQ(r.srs_min, c.expected.srs_min) << c.what;
    EXPECT_EQ(r.siai_max, c.expected.siai_max) << c.what;
    EXPECT_EQ(r.siai_min, c.expected.siai_min) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Commit, Ranges,
    ::testing::Values(Range_case{"match above the range", 4, 2, 118, 3, 4, 120, {4, 2, 120, 3}},
                      Range_case{"new season", 4, 2, 118, 3, 5, 119, {5, 2, 119, 3}},
                      Range_case{"inside the range", 4, 2, 118, 3, 3, 50, {4, 2, 118, 3}},
                      Range_case{"below the range", 4, 2, 118, 3, 1, 2, {4, 1, 118, 2}}));

} // namespace
