#include "night_fixture.h"

#include "scoring/mark_code.h"
#include "scoring/mark_texts.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace results_ui_test {

namespace {

int codeOf(QChar c)
{
    if (c == u'X')
        return scoring::code_strike;
    if (c == u'/')
        return scoring::code_spare;
    if (c == u'-')
        return scoring::code_miss;
    if (c == u'G')
        return scoring::code_gutter;
    if (c == u'F')
        return scoring::code_foul;
    if (c >= u'1' && c <= u'9')
        return c.unicode() - u'0';
    throw std::invalid_argument("not a ball");
}

// Enters one game on the sheet on screen and calculates it.
void enter(scoring::Night &night, const scoring::Mark_texts &marks, const QString &game)
{
    night.screen = scoring::Sheet_screen();
    const QStringList frames = game.split(u' ', Qt::SkipEmptyParts);
    if (frames.size() != scoring::frame_count)
        throw std::invalid_argument("a game has ten frames");
    std::vector<int> splits;
    for (int f = 0; f < scoring::frame_count; ++f) {
        int slot = 2 * f;
        for (const QChar c : frames[f]) {
            if (c == u's') {
                splits.push_back(slot - 1);
                continue;
            }
            const int code = codeOf(c);
            night.cur_sheet().mark_cd[std::size_t(slot)] = std::uint8_t(code);
            night.screen.Txt_MARK[std::size_t(slot)] = marks.caption(code);
            // In frames 1..9 a strike leaves the second slot empty.
            slot += (code == scoring::code_strike && f < 9) ? 2 : 1;
        }
    }
    for (int slot : splits) {
        night.cur_slot = slot;
        night.Cmd_spl();
    }
    if (night.Cmd_KEISAN(marks) != scoring::Calc_result::done)
        throw std::logic_error("the fixture sheet does not calculate");
}

} // namespace

scoring::Night make_night(const std::vector<Bowler> &bowlers, int max_game)
{
    scoring::Night night(max_game);
    night.INIT();
    const scoring::Mark_texts marks;
    for (int s = 0; s < int(bowlers.size()); ++s) {
        const Bowler &b = bowlers[std::size_t(s)];
        night.sen_id[s] = b.id;
        night.sen_name[s] = scoring::Score_rec::fixed_name(b.name);
        night.sen_hcp[s] = b.hcp;
        for (int g = 0; g <= max_game; ++g) {
            scoring::Score_rec &sheet = night.score_tbl(s, g);
            sheet.set_sen_name(b.name);
            sheet.hcp = b.hcp;
            sheet.kaijo_id = 2;
            sheet.yy = 2024;
            sheet.mm = 5;
            sheet.dd = 10;
            if (g >= b.games.size() || b.games[g].isEmpty())
                continue;
            night.cur_sen = s;
            night.cur_game = g;
            enter(night, marks, b.games[g]);
        }
    }
    night.cur_sen = 0;
    night.cur_game = 0;
    return night;
}

scoring::Ana_data hand_over(const std::vector<Bowler> &bowlers, int max_game)
{
    return scoring::ANA(make_night(bowlers, max_game));
}

} // namespace results_ui_test
