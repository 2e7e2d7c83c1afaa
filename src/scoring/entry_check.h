#pragma once

#include <QString>

namespace scoring {

class Night;

// The text "入力途中のゲームはありません。": the check found nothing to report.
QString no_half_entered_text();

// The entry check of the night as the check window shows it. For every game
// and every seat 0..last_sen in turn:
// - a seat without a player (sen_id -1) is reported when any of its frames
//   1..10 has a ball in its first two slots: the line "選手名が入っていないのに
//   入力しているところがあります。　" + game + "ゲーム目の第" + seat + "番目です。";
// - a seat with a player counts the pairs of neighbouring slots 0..20 that
//   are both empty; 0 is a complete sheet and 20 an untouched one. A tenth
//   frame owing its third ball (strike in 18 or spare in 19, slot 20 empty)
//   counts 1.
// Each reported sheet adds that line (nothing for a seat with a player), CR LF,
// the first five characters of the seat's name + "選手の 第" + game +
// "ゲームが、入力途中です。" and CR LF. Game and seat are numbered from 1 and
// written as Str writes them (" 1"). Nothing reported gives
// no_half_entered_text(). The sheets are read as stored: run the calculation
// on the sheet on screen first.
QString entry_check_text(const Night &night);

} // namespace scoring
