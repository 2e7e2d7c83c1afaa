#include "entry/night_data_io.h"

#include "config/match_globals.h"
#include "platform/desktop.h"
#include "scoring/entry_check.h"
#include "scoring/night.h"
#include "scoring/night_file.h"
#include "scoring/night_file_error.h"
#include "scoring/night_file_reader.h"
#include "scoring/night_file_writer.h"
#include "store/database.h"
#include "store/error.h"
#include "store/quote_text.h"
#include "store/recordset.h"
#include "text/str.h"
#include "text/text_error.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace entry {

namespace {

const QString player_query = u"他データ読み込み用ダイナ"_s;

// The lines of a merge message: joined by CR, with a CR after the last one.
QString cr_lines(const QStringList &lines)
{
    return lines.join(u'\r') + u'\r';
}

// A seat name without the blanks that pad it to ten characters.
QString unpadded(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == u' ')
        --end;
    return name.left(end);
}

} // namespace

Lane_chart Lane_chart::of(const scoring::Night &night)
{
    Lane_chart chart;
    chart.cols = night.last_sen / 6 + 2;
    for (int r = 1; r <= 6; ++r)
        chart.row_headers << (text::Str(r) + u"番目"_s).right(3);
    for (int c = 1; c < chart.cols; ++c)
        chart.col_headers << u"ﾚｰﾝ"_s + text::Str(c);
    const int last = std::min<int>(night.last_sen, int(night.sen_id.size()) - 1);
    for (int s = 0; s <= last; ++s) {
        if (night.sen_id[s] == -1) continue;
        chart.cells.append({ s % 6 + 1, s / 6 + 1, night.sen_name.value(s) });
    }
    return chart;
}

Night_data_io::Night_data_io(scoring::Night &night, platform::Desktop &desktop, store::Database &db,
                             const config::MatchGlobals &match, QString programDir, QObject *parent)
    : QObject(parent)
    , night_(night)
    , desktop_(desktop)
    , db_(db)
    , match_(match)
    , programDir_(std::move(programDir))
{
}

Night_data_io::~Night_data_io() = default;

void Night_data_io::set_entry_check(std::function<QString()> check)
{
    entry_check_ = std::move(check);
}

// --- texts ---------------------------------------------------------------

QString Night_data_io::check_question()
{
    return u"入力されていないデータがある可能性があります。入力に戻りますか？"_s;
}

QString Night_data_io::number_prompt()
{
    return QStringList { u"他のコンピュータで"_s, u"読み込むときの"_s, u"番号を入力して"_s, u"ください。"_s }.join(
        u'\r');
}

QString Night_data_io::number_title()
{
    return u"データ番号の入力"_s;
}

QString Night_data_io::written_message(const QString &number)
{
    return u"ファイルへのデータの書き出しが終了しました"_s + u'\r' + u"ファイル番号は　"_s + number + u"　です。"_s;
}

QString Night_data_io::data_filter(bool with_backups)
{
    return with_backups ? u"データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup"_s
                        : u"データファイル (*.dat or *.cdt)|*.dat;*.cdt"_s;
}

QString Night_data_io::resumption_question()
{
    return QStringList { u"同じ日付のデータで、"_s, u"保存されていないデータがあります。"_s, u"読み込みますか？"_s }.join(
        u"\r\n"_s);
}

QString Night_data_io::merge_text(Merge_state state, const QString &name)
{
    const QStringList asked { u"ファイルを調べてみると、"_s, name + u"選手が違うIDで"_s, u"登録されています。"_s,
                              u"読み込まれる側の登録IDに変更しますか？"_s };
    switch (state) {
    case Merge_state::not_registered:
        return cr_lines({ u"新規に読み込むファイルを調べると、"_s, u"読み込まれる側に登録されていない"_s,
                          name + u"選手が登録されています。"_s, u"この選手を登録します。"_s });
    case Merge_state::same_player:
        return {};
    case Merge_state::id_taken:
        return cr_lines({ u"ファイルを調べてみると、"_s, name + u"選手と同じIDに、"_s, u"違う選手が登録されています。"_s,
                          name + u"選手の登録IDを変更して"_s, u"登録します。"_s });
    case Merge_state::name_elsewhere:
        return cr_lines(asked + QStringList { u"[いいえ]を選択すると同姓同名の違う選手として登録します。"_s });
    case Merge_state::id_taken_name_elsewhere:
        return cr_lines(asked
                        + QStringList { u"[いいえ]を選択すると同姓同名の違う"_s, u"選手としてIDを変えて登録します。"_s });
    }
    return {};
}

// --- backup ----------------------------------------------------------------

QString Night_data_io::backup_path() const
{
    return QDir(programDir_).filePath(
        scoring::Night_file_writer::backup_file_name(match_.siai_yy, match_.siai_mm, match_.siai_dd));
}

bool Night_data_io::backup_exists() const
{
    QFile file(backup_path());
    return file.open(QIODevice::ReadOnly);
}

bool Night_data_io::write_backup()
{
    const scoring::Night_stamp stamp { match_.kaijo_id, match_.siai_yy, match_.siai_mm, match_.siai_dd };
    try {
        scoring::Night_file_writer::write(backup_path(), night_, stamp);
        return true;
    } catch (const text::TextError &) {
        // The backup is written again with the next sheet shown; the last
        // good file stays in place meanwhile.
        return false;
    }
}

// --- writing a data file -----------------------------------------------------

Night_data_io::Write_outcome Night_data_io::write_data_file()
{
    const QString check = entry_check_ ? entry_check_() : scoring::entry_check_text(night_);
    if (check != scoring::no_half_entered_text()) {
        if (desktop_.message(check_question(), platform::Buttons::YesNo, platform::Icon::Warning)
            == platform::Answer::Yes)
            return Write_outcome::back_to_entry;
    }

    Q_EMIT screens_hidden();
    Write_outcome outcome = Write_outcome::cancelled;
    const std::optional<QString> number = desktop_.input(number_prompt(), number_title(), u"000000"_s);
    if (number && !number->isEmpty()) {
        const QString name = scoring::Night_file_writer::data_file_name(*number);
        const QString path = QDir(programDir_).filePath(name);
        const scoring::Night_stamp stamp { match_.kaijo_id, match_.siai_yy, match_.siai_mm, match_.siai_dd };
        // A number that makes no plain file name (a folder in it) is not written.
        const bool plain_name = !name.contains(u'/') && !name.contains(u'\\');
        try {
            if (!plain_name) throw text::FileError(name, u"not a file name"_s);
            scoring::Night_file_writer::write(path, night_, stamp);
            last_data_file_ = path;
            desktop_.message(written_message(*number));
            outcome = Write_outcome::written;
        } catch (const text::TextError &) {
            // Never tell the operator a file was written when it was not.
            desktop_.beep();
            outcome = Write_outcome::failed;
        }
    }
    finish_dialogs();
    return outcome;
}

// --- reading a file ------------------------------------------------------------

Night_data_io::Read_outcome Night_data_io::read_file(bool offer_backups)
{
    Read_outcome outcome;
    Q_EMIT screens_hidden();

    int highest = 0;
    try {
        highest = db_.scalar(u"SELECT MAX(選手ID) FROM 選手"_s).toInt();
    } catch (const store::Error &) {
        highest = 0;
    }

    platform::FileDialogSpec spec;
    spec.folder = programDir_;
    spec.filter = data_filter(offer_backups);
    const std::optional<QString> chosen = desktop_.openFile(spec);
    if (!chosen || chosen->isEmpty()) {
        finish_dialogs();
        return outcome;
    }
    outcome.path = *chosen;

    Q_EMIT wait_banner(true);
    scoring::Night_file file;
    try {
        file = scoring::Night_file_reader::read(outcome.path);
    } catch (const scoring::Night_file_error &) {
        Q_EMIT wait_banner(false);
        desktop_.beep();
        desktop_.message(scoring::Night_file_error::user_text());
        outcome.status = Read_outcome::Status::not_a_data_file;
        finish_dialogs();
        return outcome;
    }

    outcome.first_seat = file.apply(night_);
    outcome.seats_added = file.seats_added();
    Q_EMIT wait_banner(false);

    merge(outcome, highest);
    outcome.status = Read_outcome::Status::read;
    Q_EMIT seats_changed(outcome.players_added);
    finish_dialogs();
    return outcome;
}

Merge_state Night_data_io::classify(int id, const QString &name, int *other_id) const
{
    *other_id = -1;
    // The name as the seat holds it, padded to ten characters, is compared
    // without the padding on either side: a name registered here without
    // blanks is the same name.
    const QString by_id = u"選手ID = "_s + QString::number(id);
    const QString by_name = u"RTrim(選手名) = "_s + store::quoteText(unpadded(name));
    try {
        store::Recordset rs(db_, player_query, store::RecordsetType::Dynaset);
        rs.findFirst(by_id);
        const bool id_found = !rs.noMatch();
        if (id_found) {
            rs.findFirst(by_name + u" and "_s + by_id);
            if (!rs.noMatch()) return Merge_state::same_player;
        }
        rs.findFirst(by_name);
        const bool name_found = !rs.noMatch();
        if (name_found) *other_id = rs.value(0).toInt();
        if (id_found) return name_found ? Merge_state::id_taken_name_elsewhere : Merge_state::id_taken;
        return name_found ? Merge_state::name_elsewhere : Merge_state::not_registered;
    } catch (const store::Error &) {
        // A look-up that fails finds nothing.
        return Merge_state::not_registered;
    }
}

bool Night_data_io::add_player(int id, const QString &name, int hcp)
{
    try {
        store::Recordset rs(db_, player_query, store::RecordsetType::Dynaset);
        rs.addNew();
        rs.setValue(0, id);
        rs.setValue(1, unpadded(name));
        rs.setValue(2, match_.srs_id);
        rs.setValue(3, hcp);
        rs.update();
        return true;
    } catch (const store::Error &) {
        return false;
    }
}

void Night_data_io::merge(Read_outcome &outcome, int highest)
{
    const auto ask = [this](const QString &text) {
        platform::Message box;
        box.text = text;
        box.buttons = platform::Buttons::YesNo;
        box.systemModal = true;
        return desktop_.message(box) == platform::Answer::Yes;
    };
    const auto add = [&](Seat_merge &m, int hcp) {
        m.added = add_player(m.sen_id, m.name, hcp);
        if (m.added) outcome.players_added = true;
        // An ID taken here by this read is in use too: a later seat that
        // needs a new ID must not get it.
        highest = std::max(highest, m.sen_id);
    };

    for (int s = outcome.first_seat; s <= night_.last_sen; ++s) {
        if (night_.sen_id[s] == -1) continue;
        Seat_merge m;
        m.seat = s;
        m.file_id = night_.sen_id[s];
        m.sen_id = m.file_id;
        m.name = night_.sen_name[s];
        // Classified when its turn comes, so that players added by the
        // seats before it count as registered.
        m.state = classify(m.file_id, m.name, &m.other_id);
        const int hcp = night_.sen_hcp[s];
        const QString &shown = m.name;
        switch (m.state) {
        case Merge_state::not_registered:
            desktop_.message(merge_text(m.state, shown));
            add(m, hcp);
            break;
        case Merge_state::same_player:
            break;
        case Merge_state::id_taken:
            m.sen_id = highest + 1;
            desktop_.message(merge_text(m.state, shown));
            add(m, hcp);
            break;
        case Merge_state::name_elsewhere:
            if (ask(merge_text(m.state, shown)))
                m.sen_id = m.other_id;
            else
                add(m, hcp);
            break;
        case Merge_state::id_taken_name_elsewhere:
            if (ask(merge_text(m.state, shown))) {
                m.sen_id = m.other_id;
            } else {
                m.sen_id = highest + 1;
                add(m, hcp);
            }
            break;
        }
        night_.sen_id[s] = m.sen_id;
        outcome.merges.append(m);
    }
}

// --- resumption and dispatch -----------------------------------------------------

Night_data_io::Read_outcome Night_data_io::offer_resumption()
{
    if (!backup_exists()) return {};
    if (desktop_.message(resumption_question(), platform::Buttons::YesNo) != platform::Answer::Yes) return {};
    return read_file(true);
}

void Night_data_io::Cmd_Data_IO(int index)
{
    switch (index) {
    case 0:
        write_data_file();
        break;
    case 1:
        read_file();
        break;
    case 2:
        write_backup();
        break;
    default:
        break;
    }
}

void Night_data_io::finish_dialogs()
{
    Q_EMIT screens_shown();
    if (!programDir_.isEmpty()) QDir::setCurrent(programDir_);
}

} // namespace entry
