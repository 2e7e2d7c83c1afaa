#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace text {

// The Format function of the classic BASIC platform, for the patterns the
// program uses.
//
// Number patterns: `0` a digit always shown, `#` a digit shown only when
// needed, `.` the decimal point, `,` between digit placeholders groups
// thousands (right after the last integer placeholder it divides by 1000),
// `%` multiplies by 100 and shows a percent sign; `\x` shows x and
// "..." shows the quoted text; any other character stands for itself. Values
// are rounded half away from zero to the places of the pattern; digits that
// do not fit the integer placeholders are all shown. A pattern may hold up
// to three sections separated by `;` (positive; negative; zero); a negative
// value formatted by its own section gets no minus sign. A value that rounds
// to zero is shown without a minus sign.
//   Format(7.2, "###00.0") = "07.2"     Format(0.5, "####0.0%") = "50.0%"
//   Format(0, "####") = ""              Format(5, "00\\p   ") = "05p   "
// Named formats: "General Number" (plain number), "Fixed" ("0.00"),
// "Standard" ("#,##0.00"), "Percent" ("0.00%"); an empty pattern is
// "General Number".
QString Format(double value, const QString &pattern);

// Text patterns (holding `@` or `&`): `@` is one character or a blank, `&`
// one character or nothing. Placeholders are filled from the right, so a
// short text is right-aligned; with `!` anywhere in the pattern they fill
// from the left, so a short text is padded on the right. A longer text is
// never cut (cut it first where a field must keep its width): its excess
// stands with the first placeholder, or with `!` with the last one. `<` / `>`
// show the text in lower / upper case; other characters stand for themselves.
//   Format("95", "@@@@") = "  95"       Format("山田", "!@@@@") = "山田  "
// A text that is a number and a number pattern format the number; any other
// text with a number pattern is returned unchanged.
QString Format(const QString &value, const QString &pattern);

// Date patterns: yyyy, yy, m, mm (month; minutes right after an hour or
// before a second), d, dd, h, hh, n, nn (minutes), s, ss; `/` and `:` as the
// Japanese system writes them. Named formats as a Japanese system writes
// them: "Short Date" (2009/12/05), "Long Date" (2009年12月5日), "Short Time"
// (09:05), "Long Time" (9:05:07), "General Date" (the short date, then the
// long time unless midnight); an empty pattern is "General Date".
QString Format(const QDateTime &value, const QString &pattern);
QString Format(const QDate &value, const QString &pattern);

// A database value: numbers and booleans (True = -1) as numbers, dates and
// times as dates, texts as texts (a text holding a date in ISO or y/m/d form
// with a named date format as that date). A null value gives "".
QString Format(const QVariant &value, const QString &pattern);

} // namespace text
