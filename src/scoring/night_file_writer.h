#pragma once

#include <QString>
#include <QStringList>

namespace scoring {

class Night;

// The venue and date of the match night, written into every seat block.
struct Night_stamp
{
    int kaijo_id = 0;
    int yy = 0;
    int mm = 0;
    int dd = 0;
};

// Writes data files (.dat) and backups (.bup) of a night: Shift_JIS text of
// Write # items, one or two a line, lines ended by CR LF. Only seats with a
// player (sen_id other than -1) are written, each with every game
// 0 .. max_game; slot 21 is not written. A character of a text that
// Shift_JIS cannot hold is written as "?".
class Night_file_writer
{
public:
    // The lines of the file, without line ends.
    static QStringList lines(const Night &night, const Night_stamp &stamp);

    // Writes the file at path. The old file is replaced only once the new one
    // is written whole, so a failed or interrupted write leaves the last good
    // file in place. Throws text::FileError or text::EncodingError.
    static void write(const QString &path, const Night &night, const Night_stamp &stamp);

    // "B_" + YYMMDD + ".bup": B_091205.bup for 5 December 2009.
    static QString backup_file_name(int yy, int mm, int dd);
    // "B_" + the first six characters of the number entered, formatted
    // "000000", + ".dat": "12" gives B_000012.dat.
    static QString data_file_name(const QString &number);
};

} // namespace scoring
