#pragma once

#include <QString>

#include <array>

namespace scoring {

// The texts of the marks: the captions of the mark buttons (the text a slot
// shows for each code) and the split marks. Built from the settings'
// Spear_mark(1..10), so that scoring needs no settings layer:
// Spear_mark(1..8) are the split texts ("1s".."8s"), Spear_mark(9) the spare
// mark ("／", caption of code 20), Spear_mark(10) the strike mark ("＊",
// caption of code 10). The other captions are fixed: "Ｇ", "１".."９", "－",
// "Ｆ" and "　" for an empty slot.
class Mark_texts
{
public:
    // The default marks.
    Mark_texts();
    // spear_mark[1..10] as the settings hold them; index 0 is ignored.
    explicit Mark_texts(const std::array<QString, 11> &spear_mark);

    // Spear_mark(i) for i = 1..10; an empty text for 0 and any other index.
    QString Spear_mark(int i) const;

    // Caption of the mark button of that code: the text a slot with that code
    // shows. An empty text for a value that is not a mark code.
    QString caption(int code) const;

    // The text a slot box shows for its ball: Spear_mark(code) when the kind is
    // a split, else the caption of the code.
    QString slot_text(int code, int kind) const;

    static std::array<QString, 11> default_spear_marks();

private:
    std::array<QString, 11> spear_mark_;
};

} // namespace scoring
