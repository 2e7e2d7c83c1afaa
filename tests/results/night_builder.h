#pragma once

#include "results/night_results.h"
#include "scoring/ana.h"
#include "scoring/mark_code.h"
#include "support/qt_printers.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace results_test {

// Hand-over data made directly: n players ("P1".."Pn", 選手ID 100 + p) and g
// game columns that every player bowled, each sheet untouched (kinds not
// set) until a score is given.
struct Night_builder
{
    scoring::Ana_data data;
    config::MatchGlobals globals;
    results::Calc_options options;

    Night_builder(int n, int g)
    {
        data.resize(n, g);
        data.game_cnt = g;
        data.game_ninzu = QList<int>(g + 2, n);
        for (int p = 1; p <= n; ++p) {
            for (int j = 1; j <= g; ++j) {
                scoring::Ana_rec &a = data.ana_tbl(p, j);
                a.sen_name = QStringLiteral("P%1").arg(p).leftJustified(10);
                a.sen_id = 100 + p;
                a.mark_kind.fill(scoring::kind_not_set);
                a.mark_cd.fill(scoring::code_empty);
                a.pin_bits.fill(scoring::no_pattern);
                a.mark_txt.fill(scoring::empty_slot_text());
            }
        }
        globals.siai_id = 120;
        globals.srs_id = 3;
        globals.siai_no = 12;
        globals.siai_yy = 2009;
        globals.siai_mm = 12;
        globals.siai_dd = 5;
        globals.kaijo_id = 2;
    }

    // Scratch score and handicap of one game; the running scores rise evenly
    // to the scratch score.
    void score(int p, int g, int scratch, int hcp = 0)
    {
        scoring::Ana_rec &a = data.ana_tbl(p, g);
        for (int f = 1; f <= 10; ++f)
            a.fl_score[std::size_t(f)] = scratch * f / 10;
        a.fl_score[0] = scratch + hcp;
        a.hcp = hcp;
    }

    // The same game for every player, one score each.
    void game_scores(int g, std::initializer_list<int> scratch)
    {
        int p = 1;
        for (const int s : scratch)
            score(p++, g, s);
    }

    void name(int p, const QString &n)
    {
        for (int g = 1; g <= data.game_count(); ++g)
            data.ana_tbl(p, g).sen_name = n.leftJustified(10);
    }

    // Mark kinds of one game's slots from slot 0 on.
    void kinds(int p, int g, const std::vector<int> &kinds_from_slot_0)
    {
        scoring::Ana_rec &a = data.ana_tbl(p, g);
        for (std::size_t i = 0; i < kinds_from_slot_0.size(); ++i)
            a.mark_kind[i] = kinds_from_slot_0[i];
    }

    results::Night_results calculate() const { return results::calculate(data, globals, options); }
};

} // namespace results_test
