#pragma once

#include <QString>
#include <QStringList>

namespace store::schema {

// Stored field names of the game tables, in stored order.
QStringList markFieldNames();  // マーク: ID … M03
QStringList frameFieldNames(); // フレーム: ID … pin03
// The 21 ball suffixes in ball order: 11, 12, 21, … 92, 01, 02, 03.
QStringList ballSuffixes();

// CREATE statements of the eight tables, their indexes and the triggers that
// keep the three game tables together, and of the table of per-match totals
// of the game rows (＿試合別選手集計) with the triggers that keep it, in the
// order they must run.
QStringList tableStatements();
// Statements that work out the per-match totals of every game row again.
QStringList matchTotalsRefill();

} // namespace store::schema
