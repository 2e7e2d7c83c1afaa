#include "results/best10.h"

#include "results/night_results.h"
#include "text/format.h"
#include "text/str.h"

using namespace Qt::StringLiterals;

namespace results {

namespace {

constexpr int listed_places = 10;

QString lines_text(const QStringList &lines)
{
    QString s;
    for (const QString &line : lines)
        s += line + u"\r\n"_s;
    return s;
}

} // namespace

QString Best10_list::names_text() const
{
    return lines_text(names);
}

QString Best10_list::figures_text() const
{
    return lines_text(figures);
}

Best10_list best10(const Night_results &r, int a)
{
    Best10_list list;
    if (!r.ok() || a < award_top || a > award_average)
        return list;

    const QList<int> *rank = nullptr;
    switch (a) {
    case award_top:
        rank = &r.top_rank;
        break;
    case award_high_game:
        rank = &r.hig_rank;
        break;
    case award_strikes:
        rank = &r.st_rank;
        break;
    case award_spares:
        rank = &r.sp_rank;
        break;
    default:
        rank = &r.ave_rank;
        break;
    }
    auto figure = [&](int p) -> QString {
        switch (a) {
        case award_top:
            return text::plainNumber(r.hcp_best[p][1], true);
        case award_high_game:
            return text::plainNumber(r.scr_best[p][1], true);
        case award_strikes:
            return r.options.Chk_STSP ? text::Format(r.st_sum[p], u" 0.00"_s) : text::plainNumber(r.st_sum[p], true);
        case award_spares:
            return r.options.Chk_STSP ? text::Format(r.sp_sum[p], u" 0.00"_s) : text::plainNumber(r.sp_sum[p], true);
        default:
            return text::Format(r.ave_val[p], u" 000.0"_s);
        }
    };

    for (int k = 1; k <= listed_places && k <= r.N; ++k) {
        for (int p = 1; p <= r.N; ++p) {
            if ((*rank)[p] != k)
                continue;
            list.names.append(r.sen_name[p]);
            list.figures.append(figure(p));
        }
    }
    return list;
}

} // namespace results
