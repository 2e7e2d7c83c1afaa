#pragma once

#include "config/match_globals.h"

#include <QString>
#include <QStringList>

namespace results {

struct Night_results;

// File name of the night's result text file: "SD-" + srs_id + "-" + siai_no
// + ".txt" (numbers without leading zeros).
QString result_file_name(const config::MatchGlobals &globals);

// The file's path in the program folder dir.
QString result_file_path(const QString &dir, const config::MatchGlobals &globals);

// The lines the calculation writes: the date line ("2009年12月5日 の試合結果
// です。"), the heading, then one line per player in the order of pnt_rank
// (seat order within a place), each of his best handicapped game: 入賞, a
// blank, S10 "00\ >> ", 競技点 "00\点  ", 優Ｐ "00\p   ", the 10-character
// name. Empty for a calculation that did not succeed.
QStringList result_file_lines(const Night_results &results);

// The lines of List_klv of the point view, one per line of the file above:
// 入賞, two blanks, 優Ｐ "00\p   ", the name with four blanks after it.
QStringList point_list_lines(const Night_results &results);

// Writes result_file_lines to the result file in dir, from the start, in
// CP932 with CR LF line ends; the old file is replaced only when every line
// was written. Throws text::FileError or text::EncodingError (a name CP932
// cannot hold). Returns the path written; a calculation that did not
// succeed writes nothing and returns an empty text.
QString write_result_file(const QString &dir, const Night_results &results);

} // namespace results
