#pragma once

#include "support/temp_database.h"

namespace support {

// A small league: players 1 山田, 2 鈴木, 3 O'Neil; seasons 1 春 and 2 秋;
// venue 1 中央; matches 1 and 2 of season 1 and match 3 (season 2, stored
// before match 2); eight games, with handicap rows for season 1.
// Game IDs: match 1 → 1 (山田 g1), 2 (鈴木 g1), 3 (山田 g2), 4 (鈴木 g2);
// match 3 → 5 (O'Neil), 6 (山田); match 2 → 7 (鈴木), 8 (山田).
class LeagueTest : public DatabaseTest
{
protected:
    void SetUp() override;
};

} // namespace support
