#include "entry/night_data_io.h"

#include "config/match_globals.h"
#include "platform/scripted_desktop.h"
#include "scoring/night.h"
#include "scoring/night_file_error.h"
#include "scoring/night_file_writer.h"
#include "support/builders.h"
#include "support/temp_database.h"
#include "text/cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using entry::Merge_state;
using entry::Night_data_io;
using platform::Answer;
using scoring::Night;
using scoring::Score_rec;

namespace {

using Status = Night_data_io::Read_outcome::Status;

// A sheet with a different value in every field, so that a field read into
// the wrong place shows.
void fill_sheet(Score_rec &sheet, int seed)
{
    static constexpr std::array<std::uint8_t, 7> codes = { 0, 3, 9, 10, 19, 20, 21 };
    for (std::size_t k = 0; k <= std::size_t(scoring::last_ball_slot); ++k) {
        const int v = seed + int(k);
        sheet.mark_txt[k] = v % 2 == 0 ? u"＊"_s : u"%1s"_s.arg(v % 8 + 1);
        sheet.mark_cd[k] = codes[std::size_t(v) % codes.size()];
        sheet.pin_cnt[k] = std::uint8_t(v % 11);
        sheet.mark_kind[k] = v % 6 - 1;
        sheet.pin_bits[k] = (v * 41) % 1025 - 1;
    }
    for (std::size_t f = 0; f < sheet.fl_score.size(); ++f)
        sheet.fl_score[f] = seed * 7 + int(f) * 13;
    sheet.hcp = seed % 30 - 4;
}

// The ball slots 0..20 a file holds (slot 21 is not written).
void expect_same_slots(const Score_rec &got, const Score_rec &want)
{
    for (std::size_t k = 0; k <= std::size_t(scoring::last_ball_slot); ++k) {
        EXPECT_EQ(got.mark_txt[k], want.mark_txt[k]) << k;
        EXPECT_EQ(got.mark_cd[k], want.mark_cd[k]) << k;
        EXPECT_EQ(got.pin_cnt[k], want.pin_cnt[k]) << k;
        EXPECT_EQ(got.mark_kind[k], want.mark_kind[k]) << k;
        EXPECT_EQ(got.pin_bits[k], want.pin_bits[k]) << k;
    }
}

// A player placed in a seat of a night, with every game filled.
void place(Night &night, int seat, int id, const QString &name, int hcp)
{
    night.sen_id[seat] = id;
    night.sen_name[seat] = Score_rec::fixed_name(name);
    night.sen_hcp[seat] = hcp;
    for (int g = 0; g <= night.max_game(); ++g) {
        Score_rec &sheet = night.score_tbl(seat, g);
        fill_sheet(sheet, seat * 10 + g);
        sheet.set_sen_name(name);
        sheet.hcp = hcp;
    }
}

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

class DataIo : public support::DatabaseTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid());
        night.INIT();
        match.siai_yy = 2009;
        match.siai_mm = 12;
        match.siai_dd = 5;
        match.kaijo_id = 7;
        match.srs_id = int(support::addSeason(db(), u"2009年"_s));
        io = std::make_unique<Night_data_io>(night, desktop, db(), match, program.path());
        QObject::connect(io.get(), &Night_data_io::screens_hidden, [this] { ++hidden; });
        QObject::connect(io.get(), &Night_data_io::screens_shown, [this] { ++shown; });
        QObject::connect(io.get(), &Night_data_io::seats_changed, [this](bool added) { changed.push_back(added); });
    }
    void TearDown() override { QDir::setCurrent(cwd); }

    QString file(const QString &name) const { return QDir(program.path()).filePath(name); }

    // A file written by another computer holding these players.
    QString other_computer(const QString &name, int max_game,
                           std::initializer_list<std::tuple<int, QString, int>> players)
    {
        Night other(max_game);
        other.INIT();
        int seat = 0;
        for (const auto &[id, player, hcp] : players)
            place(other, seat++, id, player, hcp);
        const QString path = file(name);
        scoring::Night_file_writer::write(path, other, { 3, 2009, 12, 5 });
        return path;
    }

    Night_data_io::Read_outcome read(const QString &path)
    {
        desktop.fileNext(path);
        return io->read_file();
    }

    int players() { return db().scalar(u"SELECT COUNT(*) FROM 選手"_s).toInt(); }
    QString name_of(int id) { return db().scalar(u"SELECT 選手名 FROM 選手 WHERE 選手ID = ?"_s, { id }).toString(); }
    QList<QVariantList> handicaps(int id)
    {
        return db().select(u"SELECT シーズンID, ハンデ FROM ハンデ WHERE 選手ID = ?"_s, { id });
    }

    QString cwd = QDir::currentPath();
    QTemporaryDir program;
    Night night { 3 };
    platform::ScriptedDesktop desktop;
    config::MatchGlobals match;
    std::unique_ptr<Night_data_io> io;
    int hidden = 0;
    int shown = 0;
    std::vector<bool> changed;
};

// --- the backup ------------------------------------------------------------

TEST_F(DataIo, BackupIsNamedByTheMatchDateAndReadsBackIntoNewSeats)
{
    place(night, 0, 5, u"山田"_s, 12);
    place(night, 2, 8, u"佐藤"_s, -3);
    support::addPlayer(db(), 5, u"山田"_s);
    support::addPlayer(db(), 8, u"佐藤"_s);

    ASSERT_TRUE(io->write_backup());
    EXPECT_EQ(io->backup_path(), file(u"B_091205.bup"_s));
    EXPECT_TRUE(QFile::exists(file(u"B_091205.bup"_s)));
    EXPECT_TRUE(desktop.messages().empty());
    const Night written = night;

    const auto outcome = read(io->backup_path());
    ASSERT_EQ(outcome.status, Status::read);
    EXPECT_EQ(outcome.first_seat, 36);
    EXPECT_EQ(outcome.seats_added, 6);
    EXPECT_EQ(night.last_sen, 41);
    EXPECT_TRUE(desktop.messages().empty()); // both players are known here (state 1)
    const std::array<std::pair<int, int>, 2> seats = { { { 36, 0 }, { 37, 2 } } };
    for (const auto &[to, from] : seats) {
        EXPECT_EQ(night.sen_id[to], written.sen_id[from]);
        EXPECT_EQ(night.sen_name[to], written.sen_name[from]);
        EXPECT_EQ(night.sen_hcp[to], written.sen_hcp[from]);
        for (int g = 0; g <= 3; ++g) {
            const Score_rec &got = night.score_tbl(to, g);
            const Score_rec &want = written.score_tbl(from, g);
            expect_same_slots(got, want);
            EXPECT_EQ(got.fl_score, want.fl_score);
            EXPECT_EQ(got.hcp, want.hcp);
            EXPECT_EQ(got.kaijo_id, 7);
            EXPECT_EQ(got.yy, 2009);
        }
    }
    // The sheets that were there stay.
    for (int s = 0; s <= 35; ++s)
        EXPECT_EQ(night.score_tbl(s, 1), written.score_tbl(s, 1)) << s;
}

TEST_F(DataIo, BackupOfANameShiftJisCannotHoldIsStillWritten)
{
    // "𠮷" (U+20BB7) is not in Shift_JIS: the rest of the night must still
    // reach the backup.
    place(night, 0, 5, u"𠮷田"_s, 0);
    ASSERT_TRUE(io->write_backup());
    const auto outcome = read(io->backup_path());
    ASSERT_EQ(outcome.status, Status::read);
    EXPECT_EQ(night.sen_name[36], u"?田        "_s);
    expect_same_slots(night.score_tbl(36, 0), night.score_tbl(0, 0));
}

// --- the resumption question ------------------------------------------------

TEST_F(DataIo, ResumptionIsOfferedOnlyWhenTheDaysBackupExists)
{
    EXPECT_EQ(io->offer_resumption().status, Status::cancelled);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_TRUE(desktop.fileDialogs().empty());

    place(night, 0, 5, u"山田"_s, 0);
    ASSERT_TRUE(io->write_backup());

    desktop.answerNext(Answer::No);
    EXPECT_EQ(io->offer_resumption().status, Status::cancelled);
    ASSERT_EQ(desktop.messages().size(), 1u);
    EXPECT_EQ(desktop.messages()[0].message.text,
              u"同じ日付のデータで、\r\n保存されていないデータがあります。\r\n読み込みますか？"_s);
    EXPECT_EQ(desktop.messages()[0].message.buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(desktop.fileDialogs().empty());
    EXPECT_EQ(night.last_sen, 35);

    desktop.answerNext(Answer::Yes);
    desktop.fileNext(io->backup_path());
    const auto outcome = io->offer_resumption();
    EXPECT_EQ(outcome.status, Status::read);
    ASSERT_EQ(desktop.fileDialogs().size(), 1u);
    EXPECT_EQ(desktop.fileDialogs()[0].spec.filter,
              u"データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup"_s);
    EXPECT_EQ(night.sen_id[36], 5);
}

TEST_F(DataIo, MenuReadOffersDataFilesOnlyAndCancelChangesNothing)
{
    const Snapshot before(night);
    desktop.fileNext(std::nullopt);
    EXPECT_EQ(io->read_file().status, Status::cancelled);
    ASSERT_EQ(desktop.fileDialogs().size(), 1u);
    const auto &spec = desktop.fileDialogs()[0].spec;
    EXPECT_EQ(spec.filter, u"データファイル (*.dat or *.cdt)|*.dat;*.cdt"_s);
    EXPECT_EQ(spec.folder, program.path());
    EXPECT_TRUE(spec.fileName.isEmpty());
    EXPECT_TRUE(Snapshot(night) == before);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(QDir::currentPath(), QDir(program.path()).canonicalPath());
}

// --- writing a data file -------------------------------------------------------

TEST_F(DataIo, FileNumberTwelveWritesB000012)
{
    place(night, 0, 5, u"山田"_s, 0);
    io->set_entry_check([] { return u"入力途中のゲームはありません。"_s; });
    desktop.inputNext(u"12"_s);

    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::written);
    ASSERT_EQ(desktop.inputs().size(), 1u);
    EXPECT_EQ(desktop.inputs()[0].prompt, u"他のコンピュータで\r読み込むときの\r番号を入力して\rください。"_s);
    EXPECT_EQ(desktop.inputs()[0].title, u"データ番号の入力"_s);
    EXPECT_EQ(desktop.inputs()[0].defaultText, u"000000"_s);
    EXPECT_TRUE(QFile::exists(file(u"B_000012.dat"_s)));
    EXPECT_EQ(io->last_data_file(), file(u"B_000012.dat"_s));
    ASSERT_EQ(desktop.messages().size(), 1u); // no check question
    EXPECT_EQ(desktop.lastMessageText(), u"ファイルへのデータの書き出しが終了しました\rファイル番号は　12　です。"_s);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(shown, 1);

    // The file is a data file another night reads.
    const auto outcome = read(file(u"B_000012.dat"_s));
    EXPECT_EQ(outcome.status, Status::read);
}

TEST_F(DataIo, HalfEnteredNightAsksFirstYesGoesBackToEntry)
{
    io->set_entry_check([] { return u"\r\n山田　選手の 第 1ゲームが、入力途中です。\r\n"_s; });
    desktop.answerNext(Answer::Yes);
    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::back_to_entry);
    ASSERT_EQ(desktop.messages().size(), 1u);
    const auto &box = desktop.messages()[0].message;
    EXPECT_EQ(box.text, u"入力されていないデータがある可能性があります。入力に戻りますか？"_s);
    EXPECT_EQ(box.icon, platform::Icon::Warning);
    EXPECT_EQ(box.buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(desktop.inputs().empty());
    EXPECT_EQ(hidden, 0);

    desktop.answerNext(Answer::No);
    desktop.inputNext(u"7"_s);
    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::written);
    EXPECT_TRUE(QFile::exists(file(u"B_000007.dat"_s)));
}

TEST_F(DataIo, CancelledNumberWritesNothing)
{
    io->set_entry_check([] { return u"入力途中のゲームはありません。"_s; });
    for (const std::optional<QString> &answer : { std::optional<QString>(), std::optional<QString>(u""_s) }) {
        desktop.inputNext(answer);
        EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::cancelled);
    }
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(hidden, 2);
    EXPECT_EQ(shown, 2);
}

TEST_F(DataIo, WithoutACheckSetTheStoredSheetsAreChecked)
{
    // A player whose first game has only frame 1 entered.
    place(night, 0, 5, u"山田"_s, 0);
    for (int g = 0; g <= night.max_game(); ++g)
        night.score_tbl(0, g).reset_marks();
    night.score_tbl(0, 0).mark_cd[0] = 9;
    night.score_tbl(0, 0).mark_cd[1] = 19;
    desktop.answerNext(Answer::Yes);
    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::back_to_entry);
    EXPECT_EQ(desktop.lastMessageText(), Night_data_io::check_question());

    // Complete it: no question then.
    desktop.clearRecords();
    for (int k = 2; k <= 19; ++k)
        night.score_tbl(0, 0).mark_cd[std::size_t(k)] = k % 2 == 0 ? 9 : 19;
    desktop.inputNext(std::nullopt);
    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::cancelled);
    EXPECT_TRUE(desktop.messages().empty());
}

TEST_F(DataIo, NumberThatIsNoFileNameIsNotReportedAsWritten)
{
    io->set_entry_check([] { return u"入力途中のゲームはありません。"_s; });
    desktop.inputNext(u"a/b"_s);
    EXPECT_EQ(io->write_data_file(), Night_data_io::Write_outcome::failed);
    EXPECT_EQ(desktop.beeps(), 1);
    EXPECT_TRUE(desktop.messages().empty());
    EXPECT_EQ(shown, 1);
}

// --- reading: seats, games, lane chart ----------------------------------------------

TEST_F(DataIo, SevenSeatsAddTwoLanesAndTheLaneChartIsRebuilt)
{
    for (int id = 1; id <= 7; ++id)
        support::addPlayer(db(), id, u"選手%1"_s.arg(id));
    const QString path = other_computer(u"B_000001.dat"_s, 3,
                                        { { 1, u"選手1"_s, 0 }, { 2, u"選手2"_s, 0 }, { 3, u"選手3"_s, 0 },
                                          { 4, u"選手4"_s, 0 }, { 5, u"選手5"_s, 0 }, { 6, u"選手6"_s, 0 },
                                          { 7, u"選手7"_s, 0 } });
    place(night, 0, 20, u"山田"_s, 0);

    const auto outcome = read(path);
    ASSERT_EQ(outcome.status, Status::read);
    EXPECT_EQ(outcome.seats_added, 12);
    EXPECT_EQ(night.last_sen, 47);
    for (int s = 36; s <= 42; ++s)
        EXPECT_EQ(night.sen_id[s], s - 35);
    for (int s = 43; s <= 47; ++s) {
        EXPECT_EQ(night.sen_id[s], -1);
        EXPECT_EQ(night.sen_name[s], u"選手名未入力"_s);
    }
    ASSERT_EQ(changed, std::vector<bool> { false });

    const entry::Lane_chart chart = entry::Lane_chart::of(night);
    EXPECT_EQ(chart.rows, 7);
    EXPECT_EQ(chart.cols, 9);
    EXPECT_EQ(chart.first_col_width, 500);
    EXPECT_EQ(chart.col_width, 850);
    EXPECT_EQ(chart.row_headers,
              (QStringList { u"1番目"_s, u"2番目"_s, u"3番目"_s, u"4番目"_s, u"5番目"_s, u"6番目"_s }));
    ASSERT_EQ(chart.col_headers.size(), 8);
    EXPECT_EQ(chart.col_headers.first(), u"ﾚｰﾝ 1"_s);
    EXPECT_EQ(chart.col_headers.last(), u"ﾚｰﾝ 8"_s);
    ASSERT_EQ(chart.cells.size(), 8);
    EXPECT_EQ(chart.cells[0].row, 1);
    EXPECT_EQ(chart.cells[0].col, 1);
    EXPECT_EQ(chart.cells[0].name, Score_rec::fixed_name(u"山田"_s));
    // Seat 42 is the first of lane 8.
    EXPECT_EQ(chart.cells[7].row, 1);
    EXPECT_EQ(chart.cells[7].col, 8);
    EXPECT_EQ(chart.cells[7].name, Score_rec::fixed_name(u"選手7"_s));
    EXPECT_EQ(chart.selected_row, 1);
    EXPECT_EQ(chart.selected_col, 1);
}

TEST_F(DataIo, MoreGamesRaiseMaxGameFewerLeaveTheRestEmpty)
{
    support::addPlayer(db(), 1, u"選手1"_s);
    EXPECT_EQ(read(other_computer(u"a.dat"_s, 5, { { 1, u"選手1"_s, 0 } })).status, Status::read);
    EXPECT_EQ(night.max_game(), 5);
    EXPECT_NE(night.score_tbl(36, 5).fl_score, Score_rec().fl_score);

    EXPECT_EQ(read(other_computer(u"b.dat"_s, 1, { { 1, u"選手1"_s, 0 } })).status, Status::read);
    EXPECT_EQ(night.max_game(), 5);
    for (int g = 2; g <= 5; ++g) {
        const Score_rec &sheet = night.score_tbl(42, g);
        for (std::size_t k = 0; k <= std::size_t(scoring::last_ball_slot); ++k)
            EXPECT_EQ(sheet.mark_cd[k], scoring::code_empty) << g << ' ' << k;
        EXPECT_EQ(sheet.fl_score, Score_rec().fl_score);
    }
}

TEST_F(DataIo, PocketEditionFileTakesVenueAndDateOfTheFirstSheet)
{
    support::addPlayer(db(), 42, u"鈴木"_s);
    QStringList lines = { u"1"_s, u"1"_s, u"42,\"鈴木\""_s };
    for (int k = 0; k <= scoring::last_ball_slot; ++k)
        lines << u"\"９\""_s << u"9"_s << u"9"_s;
    for (int f = 1; f <= 10; ++f)
        lines << QString::number(f * 9);
    QFile out(file(u"night.cdt"_s));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text::encodeCp932(lines.join(u"\r\n"_s) + u"\r\n"_s));
    out.close();
    night.score_tbl(0, 0).kaijo_id = 4;
    night.score_tbl(0, 0).yy = 2009;

    ASSERT_EQ(read(file(u"night.cdt"_s)).status, Status::read);
    const Score_rec &sheet = night.score_tbl(36, 0);
    EXPECT_EQ(night.sen_id[36], 42);
    EXPECT_EQ(night.sen_hcp[36], 0);
    EXPECT_EQ(sheet.mark_kind[0], scoring::kind_plain);
    EXPECT_EQ(sheet.pin_bits[0], 0);
    EXPECT_EQ(sheet.fl_score[0], 0);
    EXPECT_EQ(sheet.fl_score[10], 90);
    EXPECT_EQ(sheet.kaijo_id, 4);
}

// --- broken files ------------------------------------------------------------------

TEST_F(DataIo, BrokenFilesBeepAndLeaveTheNightAndTheDatabaseAsTheyWere)
{
    const QString good = other_computer(u"good.dat"_s, 0, { { 40, u"新人"_s, 0 }, { 41, u"新人2"_s, 0 } });
    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = in.readAll().split('\n');
    const auto with = [&](int line, const QByteArray &value) {
        QList<QByteArray> changed_lines = lines;
        changed_lines[line] = value + '\r';
        return changed_lines.join('\n');
    };
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        { "not a data file", "<html><body>hello</body></html>\r\n" },
        { "cut short", lines.mid(0, lines.size() - 40).join('\n') },
        { "negative seat count", with(0, "-3") },
        { "seat count in the millions", with(0, "4000000") },
        { "mark code that is not a code", with(8, "15") },
        { "count written as a text", with(1, "\"1\"") },
    };
    place(night, 0, 5, u"山田"_s, 0);
    for (const auto &[what, bytes] : cases) {
        QFile out(file(u"broken.dat"_s));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        desktop.clearRecords();
        changed.clear();
        const Snapshot before(night);
        const int rows = players();

        const auto outcome = read(file(u"broken.dat"_s));
        EXPECT_EQ(outcome.status, Status::not_a_data_file) << what;
        EXPECT_EQ(desktop.beeps(), 1) << what;
        EXPECT_EQ(desktop.lastMessageText(), u"この名前で保存されたファイルはデータファイルではありません"_s) << what;
        EXPECT_TRUE(Snapshot(night) == before) << what;
        EXPECT_EQ(players(), rows) << what;
        EXPECT_TRUE(changed.empty()) << what;
        EXPECT_EQ(hidden, shown) << what;
    }
    // The same file unbroken is read.
    EXPECT_EQ(read(good).status, Status::read);
}

// --- merging the players ---------------------------------------------------------------

struct Merge_case
{
    const char *what;
    std::vector<std::pair<int, QString>> registered; // players of this database
    int file_id; // the file's player, named 山田
    std::optional<Answer> answer; // to the question of states 3 and 5
    Merge_state state;
    QString text; // message or question shown, empty for none
    int sen_id; // the seat's ID afterwards
    bool added; // a player row 山田 with that ID was added
};

const QString state0_text = u"新規に読み込むファイルを調べると、\r読み込まれる側に登録されていない\r山田        "
                            u"選手が登録されています。\rこの選手を登録します。\r"_s;
const QString state2_text = u"ファイルを調べてみると、\r山田        選手と同じIDに、\r違う選手が登録されています。\r"
                            u"山田        選手の登録IDを変更して\r登録します。\r"_s;
const QString state3_text = u"ファイルを調べてみると、\r山田        選手が違うIDで\r登録されています。\r"
                            u"読み込まれる側の登録IDに変更しますか？\r"
                            u"[いいえ]を選択すると同姓同名の違う選手として登録します。\r"_s;
const QString state5_text = u"ファイルを調べてみると、\r山田        選手が違うIDで\r登録されています。\r"
                            u"読み込まれる側の登録IDに変更しますか？\r[いいえ]を選択すると同姓同名の違う\r"
                            u"選手としてIDを変えて登録します。\r"_s;

class Merge : public DataIo, public ::testing::WithParamInterface<Merge_case>
{
};

TEST_P(Merge, StateMessageAndIds)
{
    const Merge_case &c = GetParam();
    for (const auto &[id, name] : c.registered)
        support::addPlayer(db(), id, name);
    if (c.answer) desktop.answerNext(*c.answer);
    const int rows = players();

    const auto outcome = read(other_computer(u"m.dat"_s, 0, { { c.file_id, u"山田"_s, 14 } }));
    ASSERT_EQ(outcome.status, Status::read);
    ASSERT_EQ(outcome.merges.size(), 1);
    const entry::Seat_merge &m = outcome.merges[0];
    EXPECT_EQ(m.state, c.state);
    EXPECT_EQ(m.file_id, c.file_id);
    EXPECT_EQ(m.sen_id, c.sen_id);
    EXPECT_EQ(night.sen_id[36], c.sen_id);
    EXPECT_EQ(m.added, c.added);
    if (c.text.isEmpty()) {
        EXPECT_TRUE(desktop.messages().empty());
    } else {
        ASSERT_EQ(desktop.messages().size(), 1u);
        const auto &box = desktop.messages()[0].message;
        EXPECT_EQ(box.text, c.text);
        const bool asked = c.state == Merge_state::name_elsewhere || c.state == Merge_state::id_taken_name_elsewhere;
        EXPECT_EQ(box.buttons, asked ? platform::Buttons::YesNo : platform::Buttons::Ok);
        EXPECT_EQ(box.systemModal, asked);
    }
    EXPECT_TRUE(desktop.scriptUsed());
    EXPECT_EQ(players(), rows + (c.added ? 1 : 0));
    if (c.added) {
        EXPECT_EQ(name_of(c.sen_id), u"山田"_s);
        EXPECT_EQ(handicaps(c.sen_id), (QList<QVariantList> { { match.srs_id, 14 } }));
    }
    EXPECT_EQ(changed, std::vector<bool> { c.added });
}

INSTANTIATE_TEST_SUITE_P(
    States, Merge,
    ::testing::Values(
        Merge_case { "0: neither known", { { 3, u"佐藤"_s } }, 40, {}, Merge_state::not_registered, state0_text, 40, true },
        Merge_case { "1: same player", { { 5, u"山田"_s } }, 5, {}, Merge_state::same_player, {}, 5, false },
        Merge_case { "1: the name stored padded", { { 5, u"山田        "_s } }, 5, {}, Merge_state::same_player, {}, 5,
                     false },
        Merge_case { "2: the ID is another's", { { 5, u"佐藤"_s }, { 9, u"鈴木"_s } }, 5, {}, Merge_state::id_taken,
                     state2_text, 10, true },
        Merge_case { "3: yes takes the ID here", { { 12, u"山田"_s } }, 5, Answer::Yes, Merge_state::name_elsewhere,
                     state3_text, 12, false },
        Merge_case { "3: no registers the file's ID", { { 12, u"山田"_s } }, 5, Answer::No,
                     Merge_state::name_elsewhere, state3_text, 5, true },
        Merge_case { "5: yes takes the ID here", { { 5, u"佐藤"_s }, { 12, u"山田"_s } }, 5, Answer::Yes,
                     Merge_state::id_taken_name_elsewhere, state5_text, 12, false },
        Merge_case { "5: no registers a new ID", { { 5, u"佐藤"_s }, { 12, u"山田"_s } }, 5, Answer::No,
                     Merge_state::id_taken_name_elsewhere, state5_text, 13, true }),
    [](const ::testing::TestParamInfo<Merge_case> &info) { return "case" + std::to_string(info.index); });

TEST_F(DataIo, NewIdsNeverRepeatAnIdTakenByTheSameRead)
{
    // The highest ID here is 9; the first seat registers 10 from the file,
    // the second needs a new ID and must get 11, not 10.
    support::addPlayer(db(), 9, u"鈴木"_s);
    support::addPlayer(db(), 4, u"佐藤"_s);
    const auto outcome =
        read(other_computer(u"m.dat"_s, 0, { { 10, u"新人"_s, 0 }, { 4, u"山田"_s, 0 } }));
    ASSERT_EQ(outcome.merges.size(), 2);
    EXPECT_EQ(outcome.merges[0].state, Merge_state::not_registered);
    EXPECT_EQ(outcome.merges[0].sen_id, 10);
    EXPECT_EQ(outcome.merges[1].state, Merge_state::id_taken);
    EXPECT_EQ(outcome.merges[1].sen_id, 11);
    EXPECT_EQ(name_of(10), u"新人"_s);
    EXPECT_EQ(name_of(11), u"山田"_s);
}

TEST_F(DataIo, TheSamePlayerTwiceInOneFileIsRegisteredOnce)
{
    const auto outcome = read(other_computer(u"m.dat"_s, 0, { { 30, u"新人"_s, 0 }, { 30, u"新人"_s, 0 } }));
    ASSERT_EQ(outcome.merges.size(), 2);
    EXPECT_EQ(outcome.merges[0].state, Merge_state::not_registered);
    EXPECT_EQ(outcome.merges[1].state, Merge_state::same_player);
    EXPECT_EQ(db().scalar(u"SELECT COUNT(*) FROM 選手 WHERE 選手ID = 30"_s).toInt(), 1);
}

TEST_F(DataIo, ANameWithAnApostropheIsFound)
{
    support::addPlayer(db(), 6, u"O'Neil"_s);
    const auto outcome = read(other_computer(u"m.dat"_s, 0, { { 6, u"O'Neil"_s, 0 } }));
    ASSERT_EQ(outcome.merges.size(), 1);
    EXPECT_EQ(outcome.merges[0].state, Merge_state::same_player);
}

TEST_F(DataIo, DispatchByIndex)
{
    place(night, 0, 5, u"山田"_s, 0);
    io->Cmd_Data_IO(2);
    EXPECT_TRUE(QFile::exists(file(u"B_091205.bup"_s)));
    desktop.fileNext(std::nullopt);
    io->Cmd_Data_IO(1);
    EXPECT_EQ(desktop.fileDialogs().size(), 1u);
    io->set_entry_check([] { return u"入力途中のゲームはありません。"_s; });
    desktop.inputNext(u"3"_s);
    io->Cmd_Data_IO(0);
    EXPECT_TRUE(QFile::exists(file(u"B_000003.dat"_s)));
}

} // namespace
