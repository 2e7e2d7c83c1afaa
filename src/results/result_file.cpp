#include "results/result_file.h"

#include "results/night_results.h"
#include "text/cp932_writer.h"
#include "text/format.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace results {

namespace {

// The players in the order of the placing (seat order within a place), each
// with the game column of his best handicapped game.
template <typename Fn>
void for_each_placed(const Night_results &r, Fn &&fn)
{
    for (int k = 1; k <= r.N; ++k) {
        for (int p = 1; p <= r.N; ++p) {
            if (r.pnt_rank[p] != k)
                continue;
            const int g = r.placing_game(p);
            if (g != 0)
                fn(p, r.result_tbl(p, g));
        }
    }
}

} // namespace

QString result_file_name(const config::MatchGlobals &globals)
{
    return u"SD-"_s + QString::number(globals.srs_id) + u"-"_s + QString::number(globals.siai_no) + u".txt"_s;
}

QString result_file_path(const QString &dir, const config::MatchGlobals &globals)
{
    return QDir(dir).filePath(result_file_name(globals));
}

QStringList result_file_lines(const Night_results &r)
{
    QStringList lines;
    if (!r.ok())
        return lines;
    lines.append(QString::number(r.globals.siai_yy) + u"年"_s + QString::number(r.globals.siai_mm) + u"月"_s
                 + QString::number(r.globals.siai_dd) + u"日 の試合結果です。"_s);
    lines.append(u"順位　 素点　競技点　優Ｐ 　選手名"_s);
    for_each_placed(r, [&](int p, const Result_rec &rec) {
        lines.append(rec.nyusho + u" "_s + text::Format(rec.S[10], u"00\\ >> "_s)
                     + text::Format(rec.kyogi_ten, u"00\\点  "_s) + text::Format(rec.yu_p, u"00\\p   "_s)
                     + text::Format(r.sen_name[p], u"@@@@@@@@"_s));
    });
    return lines;
}

QStringList point_list_lines(const Night_results &r)
{
    QStringList lines;
    if (!r.ok())
        return lines;
    for_each_placed(r, [&](int p, const Result_rec &rec) {
        lines.append(rec.nyusho + u"  "_s + text::Format(rec.yu_p, u"00\\p   "_s)
                     + text::Format(r.sen_name[p] + u"    "_s, u"@@@@@@"_s));
    });
    return lines;
}

QString write_result_file(const QString &dir, const Night_results &r)
{
    if (!r.ok())
        return QString();
    const QString path = result_file_path(dir, r.globals);
    text::writeCp932File(path, result_file_lines(r));
    return path;
}

} // namespace results
