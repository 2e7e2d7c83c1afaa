// pinora_generate: writes the database of a generated club with history.

#include "bench/league.h"
#include "store/database.h"
#include "store/error.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: pinora_generate [--small | --large] [--seed N] [--seasons N] [--nights N]\n"
                 "                       [--players N] [--games N] OUTPUT.mdb\n"
                 "  --large (default): 30 seasons x 24 nights x about 30 players x 4 games\n"
                 "  --small: 3 seasons x 4 nights x about 8 players x 3 games\n"
                 "The output file must not exist.\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bench::LeagueOptions o = bench::LeagueOptions::large();
    QString output;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const auto number = [&](auto &target) {
            bool ok = false;
            if (i + 1 < args.size())
                target = decltype(+target)(args[++i].toLongLong(&ok));
            return ok && target > 0;
        };
        bool ok = true;
        if (a == u"--small"_s) {
            const quint64 seed = o.seed;
            o = bench::LeagueOptions::small();
            o.seed = seed;
        } else if (a == u"--large"_s) {
            const quint64 seed = o.seed;
            o = bench::LeagueOptions::large();
            o.seed = seed;
        } else if (a == u"--seed"_s) {
            ok = number(o.seed);
        } else if (a == u"--seasons"_s) {
            ok = number(o.seasons);
        } else if (a == u"--nights"_s) {
            ok = number(o.nights);
        } else if (a == u"--players"_s) {
            ok = number(o.players) && o.players <= 36;
        } else if (a == u"--games"_s) {
            ok = number(o.games);
        } else if (!a.startsWith(u"-"_s) && output.isEmpty()) {
            output = a;
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    if (output.isEmpty())
        return usage();

    try {
        QElapsedTimer timer;
        timer.start();
        store::Database db;
        db.create(output);
        const qint64 rows = bench::generateLeague(db, o);
        std::printf("%s: %d seasons, %d nights each, %lld games stored (seed %llu) in %.1f s\n",
                    qPrintable(output), o.seasons, o.nights, static_cast<long long>(rows),
                    static_cast<unsigned long long>(o.seed), double(timer.elapsed()) / 1000.0);
    } catch (const store::Error &e) {
        std::fprintf(stderr, "pinora_generate: %s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
