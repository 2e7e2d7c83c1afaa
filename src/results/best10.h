#pragma once

#include <QString>
#include <QStringList>

namespace results {

struct Night_results;

// The Best 10 list of one award of the general award view: the lines of
// Txt_B10(0) (names, 10 characters) and Txt_B10(1) (figures in the award's
// format). Places 1..10 (at most N), players of one place in seat order, so
// a shared place may give more than ten lines.
struct Best10_list
{
    QStringList names;
    QStringList figures;

    // The texts of the two boxes: every line followed by CR LF.
    QString names_text() const;
    QString figures_text() const;
};

// Cmd_B10(a), a = 0..4 (Award): 0 top_rank / hcp_best(p, 1), 1 hig_rank /
// scr_best(p, 1), 2 st_rank / st_sum, 3 sp_rank / sp_sum (plain, or " 0.00"
// with Chk_STSP), 4 ave_rank / ave_val (" 000.0"). Empty lists for any other
// a or a calculation that did not succeed.
Best10_list best10(const Night_results &results, int a);

} // namespace results
