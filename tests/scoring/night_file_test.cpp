#include "scoring/night.h"
#include "scoring/night_file.h"
#include "scoring/night_file_error.h"
#include "scoring/night_file_reader.h"
#include "scoring/night_file_writer.h"
#include "text/cp932.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;
using namespace scoring;

namespace {

constexpr std::array<std::uint8_t, 14> codes = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 19, 20, 21 };

// A sheet whose every field differs from slot to slot and from seat to seat.
void fill_sheet(Score_rec &sheet, int seed)
{
    for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
        const int v = seed + int(k);
        sheet.mark_txt[k] = (v % 3 == 0) ? u"＊"_s : u"%1s"_s.arg(v % 9);
        sheet.mark_cd[k] = codes[std::size_t(v) % codes.size()];
        sheet.pin_cnt[k] = std::uint8_t(v % 11);
        sheet.mark_kind[k] = v % 6 - 1;
        sheet.pin_bits[k] = (v * 37) % 1025 - 1;
    }
    for (std::size_t f = 0; f < sheet.fl_score.size(); ++f)
        sheet.fl_score[f] = seed * 3 + int(f) * 17;
    sheet.hcp = seed % 40 - 5;
}

struct Files : ::testing::Test
{
    QTemporaryDir dir;
    Night_stamp stamp { 7, 2009, 12, 5 };

    QString path(const QString &name) const { return dir.filePath(name); }

    // A night of max_game + 1 games with players in the given seats.
    static Night night_with(int max_game, std::initializer_list<int> seats)
    {
        Night night(max_game);
        night.INIT();
        for (const int s : seats) {
            night.sen_id[s] = 100 + s;
            night.sen_name[s] = Score_rec::fixed_name(u"選手%1"_s.arg(s));
            night.sen_hcp[s] = s;
            for (int g = 0; g <= max_game; ++g) {
                Score_rec &sheet = night.score_tbl(s, g);
                sheet.set_sen_name(night.sen_name[s]);
                fill_sheet(sheet, s * 10 + g);
            }
        }
        return night;
    }

    QByteArray bytes_of(const QStringList &lines) const
    {
        return text::encodeCp932(lines.join(u"\r\n"_s) + u"\r\n"_s);
    }

    QString save(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
};

// Every field the night keeps of its seats, for "nothing changed".
struct Snapshot
{
    int last_sen;
    int max_game;
    QList<int> sen_id;
    QList<QString> sen_name;
    QList<int> sen_hcp;
    QList<Score_rec> sheets;

    explicit Snapshot(const Night &n)
        : last_sen(n.last_sen)
        , max_game(n.max_game())
        , sen_id(n.sen_id)
        , sen_name(n.sen_name)
        , sen_hcp(n.sen_hcp)
    {
        for (int s = 0; s <= n.score_tbl.seat_bound(); ++s)
            for (int g = 0; g <= n.score_tbl.game_bound(); ++g)
                sheets.append(n.score_tbl(s, g));
    }
    bool operator==(const Snapshot &) const = default;
};

void expect_same_slots(const Score_rec &got, const Score_rec &want)
{
    for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
        EXPECT_EQ(got.mark_txt[k], want.mark_txt[k]) << k;
        EXPECT_EQ(got.mark_cd[k], want.mark_cd[k]) << k;
        EXPECT_EQ(got.pin_cnt[k], want.pin_cnt[k]) << k;
        EXPECT_EQ(got.mark_kind[k], want.mark_kind[k]) << k;
        EXPECT_EQ(got.pin_bits[k], want.pin_bits[k]) << k;
    }
}

TEST_F(Files, BackupReadBackGivesTheSameSheetsInNewSeats)
{
    const Night source = night_with(1, { 0, 2 });
    const QString file = path(Night_file_writer::backup_file_name(stamp.yy, stamp.mm, stamp.dd));
    Night_file_writer::write(file, source, stamp);

    Night night = night_with(1, { 3 });
    const Snapshot before(night);
    const Night_file read = Night_file_reader::read(file);
    ASSERT_EQ(read.seats.size(), 2);
    const int first = read.apply(night);

    EXPECT_EQ(first, 36);
    EXPECT_EQ(night.last_sen, 41);
    EXPECT_EQ(night.max_game(), 1);
    const std::array<int, 2> from = { 0, 2 };
    for (int i = 0; i < 2; ++i) {
        const int s = first + i;
        const int f = from[std::size_t(i)];
        EXPECT_EQ(night.sen_id[s], source.sen_id[f]);
        EXPECT_EQ(night.sen_name[s], source.sen_name[f]);
        EXPECT_EQ(night.sen_hcp[s], source.score_tbl(f, 0).hcp);
        for (int g = 0; g <= 1; ++g) {
            const Score_rec &got = night.score_tbl(s, g);
            const Score_rec &want = source.score_tbl(f, g);
            expect_same_slots(got, want);
            EXPECT_EQ(got.fl_score, want.fl_score);
            EXPECT_EQ(got.hcp, want.hcp);
            EXPECT_EQ(got.sen_name, want.sen_name);
            EXPECT_EQ(got.kaijo_id, 7);
            EXPECT_EQ(got.yy, 2009);
            EXPECT_EQ(got.mm, 12);
            EXPECT_EQ(got.dd, 5);
        }
    }
    // The seats entered before stay as they were.
    for (int s = 0; s <= 35; ++s) {
        EXPECT_EQ(night.sen_id[s], before.sen_id[s]);
        EXPECT_EQ(night.score_tbl(s, 1), before.sheets[s * 2 + 1]);
    }
}

TEST_F(Files, SeatsAreAddedInWholeLanesOfSix)
{
    const std::vector<std::pair<int, int>> cases = { { 0, 0 }, { 1, 6 }, { 6, 6 }, { 7, 12 }, { 12, 12 }, { 13, 18 } };
    for (const auto &[seats, added] : cases) {
        Night_file file;
        file.seats.resize(seats);
        EXPECT_EQ(file.seats_added(), added) << seats;
    }
}

TEST_F(Files, SevenSeatsAddTwoLanesWithTheLastFiveEmpty)
{
    const Night source = night_with(0, { 0, 1, 2, 3, 4, 5, 6 });
    Night_file_writer::write(path(u"B_000001.dat"_s), source, stamp);

    Night night(0);
    night.INIT();
    const int first = Night_file_reader::read(path(u"B_000001.dat"_s)).apply(night);
    EXPECT_EQ(night.last_sen, 35 + 12);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(night.sen_id[first + i], 100 + i) << i;
    for (int i = 7; i < 12; ++i) {
        const int s = first + i;
        EXPECT_EQ(night.sen_id[s], -1) << i;
        EXPECT_EQ(night.sen_name[s], u"選手名未入力"_s);
        EXPECT_EQ(night.sen_hcp[s], -1);
        for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k)
            EXPECT_EQ(night.score_tbl(s, 0).mark_cd[k], code_empty);
    }
}

TEST_F(Files, MoreGamesRaiseMaxGameFewerLeaveTheRestEmpty)
{
    struct Case
    {
        int file_max_game;
        int night_max_game;
        int expected_max_game;
    };
    for (const Case c : { Case { 2, 0, 2 }, Case { 0, 3, 3 } }) {
        const Night source = night_with(c.file_max_game, { 4 });
        Night_file_writer::write(path(u"f.dat"_s), source, stamp);
        Night night = night_with(c.night_max_game, { 1 });
        const int first = Night_file_reader::read(path(u"f.dat"_s)).apply(night);

        ASSERT_EQ(night.max_game(), c.expected_max_game);
        // An earlier seat keeps its games; games new to the night are empty.
        for (int g = 0; g <= c.night_max_game; ++g)
            expect_same_slots(night.score_tbl(1, g), night_with(c.night_max_game, { 1 }).score_tbl(1, g));
        for (int g = c.night_max_game + 1; g <= c.expected_max_game; ++g)
            EXPECT_EQ(night.score_tbl(1, g), Score_rec());
        for (int g = 0; g <= c.expected_max_game; ++g) {
            const Score_rec &sheet = night.score_tbl(first, g);
            if (g <= c.file_max_game) {
                expect_same_slots(sheet, source.score_tbl(4, g));
            } else {
                Score_rec empty;
                empty.mark_cd.fill(code_empty);
                empty.mark_cd[std::size_t(park_slot)] = 0;
                EXPECT_EQ(sheet, empty) << g;
            }
        }
    }
}

TEST_F(Files, PocketEditionFileHasNoKindPatternHandicapOrTotal)
{
    QStringList lines = { u"1"_s, u"1"_s, u"42,\"鈴木"_s + u"\""_s };
    for (int k = 0; k <= last_ball_slot; ++k)
        lines << (k == 0 ? u"\"＊\""_s : u"\"３\""_s) << (k == 0 ? u"10"_s : u"3"_s) << (k == 0 ? u"10"_s : u"3"_s);
    for (int f = 1; f <= 10; ++f)
        lines << QString::number(f * 20);
    const QString file = save(u"pocket.cdt"_s, bytes_of(lines));
    ASSERT_EQ(Night_file_reader::layout_of(file), Night_file_layout::pocket);

    Night night = night_with(0, { 0 });
    night.score_tbl(0, 0).kaijo_id = 3;
    night.score_tbl(0, 0).yy = 2010;
    night.score_tbl(0, 0).mm = 1;
    night.score_tbl(0, 0).dd = 9;
    const int first = Night_file_reader::read(file).apply(night);

    const Score_rec &sheet = night.score_tbl(first, 0);
    EXPECT_EQ(night.sen_id[first], 42);
    EXPECT_EQ(night.sen_name[first], u"鈴木        "_s);
    EXPECT_EQ(night.sen_hcp[first], 0);
    EXPECT_EQ(sheet.mark_txt[0], u"＊"_s);
    EXPECT_EQ(sheet.mark_cd[0], code_strike);
    EXPECT_EQ(sheet.mark_cd[20], 3);
    EXPECT_EQ(sheet.pin_cnt[20], 3);
    for (std::size_t k = 0; k <= std::size_t(last_ball_slot); ++k) {
        EXPECT_EQ(sheet.mark_kind[k], kind_plain) << k;
        EXPECT_EQ(sheet.pin_bits[k], 0) << k;
    }
    EXPECT_EQ(sheet.fl_score[0], 0);
    EXPECT_EQ(sheet.fl_score[10], 200);
    EXPECT_EQ(sheet.hcp, 0);
    EXPECT_EQ(sheet.kaijo_id, 3);
    EXPECT_EQ(sheet.yy, 2010);
    EXPECT_EQ(sheet.mm, 1);
    EXPECT_EQ(sheet.dd, 9);
}

TEST(FileNames, BackupAndDataFiles)
{
    EXPECT_EQ(Night_file_writer::backup_file_name(2009, 12, 5), u"B_091205.bup"_s);
    EXPECT_EQ(Night_file_writer::backup_file_name(2010, 1, 30), u"B_100130.bup"_s);
    EXPECT_EQ(Night_file_writer::data_file_name(u"12"_s), u"B_000012.dat"_s);
    EXPECT_EQ(Night_file_writer::data_file_name(u"1234567"_s), u"B_123456.dat"_s);
    EXPECT_EQ(Night_file_reader::layout_of(u"B_000012.dat"_s), Night_file_layout::full);
    EXPECT_EQ(Night_file_reader::layout_of(u"B_091205.bup"_s), Night_file_layout::full);
}

TEST_F(Files, WrittenFileMatchesTheLayoutByteForByte)
{
    Night night(0);
    night.INIT();
    night.sen_id[1] = 12;
    night.sen_name[1] = u"山田        "_s;
    Score_rec &sheet = night.score_tbl(1, 0);
    sheet.mark_txt[0] = u"＊"_s;
    sheet.mark_cd[0] = code_strike;
    sheet.pin_cnt[0] = 10;
    sheet.mark_kind[0] = kind_strike;
    sheet.pin_bits[0] = 0;
    sheet.fl_score = { 35, 30, 0, 0, 0, 0, 0, 0, 0, 0, 30 };
    sheet.hcp = 5;
    Night_file_writer::write(path(u"g.dat"_s), night, stamp);

    // Written by hand: 山 is 8E 52, 田 93 63, ＊ 81 96 and "　" 81 40 in Shift_JIS.
    QByteArray want = "1\r\n1\r\n12,\"\x8e\x52\x93\x63        \"\r\n7\r\n2009\r\n12\r\n5\r\n";
    want += "\"\x81\x96\"\r\n10\r\n10\r\n4\r\n0\r\n";
    for (int k = 1; k <= 20; ++k)
        want += "\"\x81\x40\"\r\n30\r\n0\r\n-1\r\n-1\r\n";
    want += "35\r\n30\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n30\r\n5\r\n";

    QFile f(path(u"g.dat"_s));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), want);
}

TEST_F(Files, CharactersShiftJisCannotHoldAreWrittenAsQuestionMarks)
{
    Night night = night_with(0, { 0 });
    night.sen_name[0] = Score_rec::fixed_name(u"𠮷田😀"_s);
    night.score_tbl(0, 0).mark_txt[3] = u"😀"_s;
    const QStringList lines = Night_file_writer::lines(night, stamp);
    // The name keeps its ten characters.
    EXPECT_EQ(lines[2], u"100,\"?田?       \""_s);
    EXPECT_EQ(lines[7 + 3 * 5], u"\"?\""_s);
    Night_file_writer::write(path(u"B_091205.bup"_s), night, stamp);
    const Night_file read = Night_file_reader::read(path(u"B_091205.bup"_s));
    EXPECT_EQ(read.seats[0].sen_name, u"?田?       "_s);
}

TEST_F(Files, RewritingABackupReplacesItWhole)
{
    const QString file = path(u"B_091205.bup"_s);
    Night_file_writer::write(file, night_with(0, { 0, 1 }), stamp);
    Night_file_writer::write(file, night_with(0, { 5 }), stamp);
    const Night_file read = Night_file_reader::read(file);
    ASSERT_EQ(read.seats.size(), 1);
    EXPECT_EQ(read.seats[0].sen_id, 105);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"B_091205.bup"_s });
}

TEST_F(Files, BrokenFilesAreRefusedAndLeaveTheNightAsItWas)
{
    const QStringList good = Night_file_writer::lines(night_with(0, { 0, 1 }), stamp);
    // Line numbers (0-based) of the first seat block: 2 ID and name, 3..6
    // venue and date, 7..11 text, code, pins, kind and pattern of slot 0.
    const auto with = [&](int line, const QString &value) {
        QStringList lines = good;
        lines[line] = value;
        return lines;
    };
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        { "not a data file", "hello, world\r\nthis is text\r\n" },
        { "empty", QByteArray() },
        { "not Shift_JIS", QByteArray("1\r\n1\r\n12,\"\x81\x20\"\r\n") },
        { "cut short", bytes_of(good.mid(0, good.size() - 3)) },
        { "second seat missing", bytes_of(good.mid(0, 2 + 5 + 117)) },
        { "negative seat count", bytes_of(with(0, u"-2"_s)) },
        { "seat count in the millions", bytes_of(with(0, u"5000000"_s)) },
        { "seat count quoted", bytes_of(with(0, u"\"2\""_s)) },
        { "no games", bytes_of(with(1, u"0"_s)) },
        { "game count in the millions", bytes_of(with(1, u"3000000"_s)) },
        { "negative ID", bytes_of(with(2, u"-1,\"x\""_s)) },
        { "ID beyond an Integer", bytes_of(with(2, u"40000,\"x\""_s)) },
        { "venue beyond a byte", bytes_of(with(3, u"256"_s)) },
        { "year a fraction", bytes_of(with(4, u"20.5"_s)) },
        { "code not a code", bytes_of(with(8, u"11"_s)) },
        { "code beyond a byte", bytes_of(with(8, u"286"_s)) },
        { "code a text", bytes_of(with(8, u"\"x\""_s)) },
        { "pins above ten", bytes_of(with(9, u"11"_s)) },
        { "kind not a kind", bytes_of(with(10, u"5"_s)) },
        { "pattern beyond ten pins", bytes_of(with(11, u"1024"_s)) },
        { "score beyond an Integer", bytes_of(with(7 + 105, u"40000"_s)) },
    };
    for (const auto &[what, bytes] : cases) {
        Night night = night_with(1, { 2 });
        const Snapshot before(night);
        const QString file = save(u"broken.dat"_s, bytes);
        EXPECT_THROW(Night_file_reader::read(file).apply(night), Night_file_error) << what;
        EXPECT_TRUE(Snapshot(night) == before) << what;
    }
    EXPECT_NO_THROW(Night_file_reader::parse(bytes_of(good), Night_file_layout::full));
    EXPECT_THROW(Night_file_reader::read(path(u"missing.dat"_s)), Night_file_error);
    EXPECT_EQ(Night_file_error::user_text(), u"この名前で保存されたファイルはデータファイルではありません"_s);
}

} // namespace
