#pragma once

#include "scoring/night_file.h"

#include <QByteArray>
#include <QString>

namespace scoring {

// Reads data files (.dat), backups (.bup) and pocket-edition files (.cdt):
// Shift_JIS text of Input # items, checked whole before anything is
// returned. Every fault (bytes that are not Shift_JIS, a file cut short, an
// item of the wrong type, a value out of range, a mark code that is not a
// code, more seats or games than a night can hold) throws Night_file_error,
// so that a night is only changed by a file read without fault.
class Night_file_reader
{
public:
    static constexpr int max_seats = 6000; // seats in one file
    static constexpr int max_games = 100; // games per seat in one file

    // The layout a file name stands for: pocket edition when it ends in "cdt".
    static Night_file_layout layout_of(const QString &path);

    // Reads the file at path in the layout its name stands for.
    static Night_file read(const QString &path);
    static Night_file read(const QString &path, Night_file_layout layout);

    // Reads the bytes of a whole file.
    static Night_file parse(const QByteArray &bytes, Night_file_layout layout);
};

} // namespace scoring
