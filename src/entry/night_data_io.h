#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace config {
struct MatchGlobals;
}
namespace platform {
class Desktop;
}
namespace scoring {
class Night;
}
namespace store {
class Database;
}

namespace entry {

// How a player of a file read meets the players of this database.
enum class Merge_state {
    not_registered = 0, // neither the ID nor the name is known here: registered
    same_player = 1, // this ID with this name exists: taken over as it is
    id_taken = 2, // another player has the ID, the name is unknown: new ID
    name_elsewhere = 3, // the name is registered under another ID: asked
    id_taken_name_elsewhere = 5, // another player has the ID and the name has another ID: asked
};

// What the merge did with one new seat.
struct Seat_merge
{
    int seat = 0; // the seat of the night
    int file_id = 0; // 選手ID as the file gave it
    QString name; // the seat's name (10 characters)
    Merge_state state = Merge_state::same_player;
    int other_id = -1; // states 3 and 5: the first ID registered under the name
    int sen_id = 0; // the ID the seat holds after the merge
    bool added = false; // a row was added through 他データ読み込み用ダイナ
};

// The lane chart Grd_LN as a read leaves it: 7 rows, one column per lane
// plus the header column; what the participants screen shows after
// seats_changed().
struct Lane_chart
{
    struct Cell
    {
        int row = 0; // 1..6: seat mod 6 + 1
        int col = 0; // 1..: seat div 6 + 1
        QString name;
    };

    int rows = 7;
    int cols = 0; // last_sen div 6 + 2
    int first_col_width = 500; // twips
    int col_width = 850; // twips, every other column
    QStringList row_headers; // rows 1..6: "1番目" .. "6番目"
    QStringList col_headers; // columns 1..cols-1: "ﾚｰﾝ 1", "ﾚｰﾝ 2", ..
    QList<Cell> cells; // every seat with a player
    int selected_row = 1;
    int selected_col = 1;

    static Lane_chart of(const scoring::Night &night);
};

// The data exchange and backup files of score entry (Cmd_Data_IO 0, 1, 2)
// and the resumption question when score entry opens: the rules without the
// widgets. Every dialog, message and beep goes through the Desktop; files
// live in the program folder.
//
// How form_main uses it (form_main keeps one, made at load):
//
//   Night_data_io data_io(*ctx.night, ctx.desktop, ctx.db, ctx.match, ctx.programDir);
//   data_io.set_entry_check([this] { controller().Cmd_KEISAN();
//                                     return scoring::entry_check_text(night); });
//   connect(&data_io, &Night_data_io::screens_hidden, ...);  // hide form_main and Form_Player
//   connect(&data_io, &Night_data_io::screens_shown, ...);   // show them again
//   connect(&data_io, &Night_data_io::wait_banner, ...);     // Form_Wait showNow/hideNow
//   connect(&data_io, &Night_data_io::seats_changed, ...);   // lane chart of Form_Player
//
//   - load: after INIT and before the first sheet is shown (the first
//     backup would replace the file being offered), call
//     offer_resumption(); when it returns a read (Read_outcome::read) show
//     the sheet again.
//   - New_score step 11: write_backup() (after the match globals were
//     copied into the sheet).
//   - Cmd_Data_IO(0) and menu_data(0) "データ書き出し": write_data_file().
//   - Cmd_Data_IO(1) and menu_data(1) "データ読み込み": read_file(); after a
//     read show the sheet of (cur_sen, cur_game) again.
//   - Cmd_Data_IO(index) runs the one of the three the index names.
//
// The participants screen (its own developer) connects to seats_changed()
// to rebuild Grd_LN from Lane_chart::of(night) and, when players_added,
// to requery its player list; form_main passes its Night_data_io on (or
// forwards the signal).
class Night_data_io : public QObject
{
    Q_OBJECT

public:
    Night_data_io(scoring::Night &night, platform::Desktop &desktop, store::Database &db,
                  const config::MatchGlobals &match, QString programDir, QObject *parent = nullptr);
    ~Night_data_io() override;

    // The check of Cmd_INFO run before a data file is written: the
    // calculation of the sheet on screen, then the check text of the night.
    // Without one, scoring::entry_check_text of the sheets as they are.
    void set_entry_check(std::function<QString()> check);

    // Cmd_Data_IO(2): the backup of the whole night, "B_" + YYMMDD + ".bup"
    // of the match date. The new file replaces the old one only once it is
    // written whole. No message; false when it could not be written.
    bool write_backup();
    // The backup file of the night's date, with the program folder.
    QString backup_path() const;
    bool backup_exists() const;

    enum class Write_outcome {
        back_to_entry, // the check found unentered data and the operator went back
        cancelled, // no file number given
        written, // the file was written and the two-line message shown
        failed, // the file could not be written (beep, no message)
    };
    // Cmd_Data_IO(0): the check question, the number prompt, the data file
    // "B_" + number + ".dat" and its message. Screens hidden and shown again
    // around the prompt.
    Write_outcome write_data_file();
    // The path of the last data file written (empty before).
    QString last_data_file() const { return last_data_file_; }

    struct Read_outcome
    {
        enum class Status {
            cancelled, // no file chosen (or the resumption declined): nothing changed
            not_a_data_file, // beep and the message; the night is as it was
            read, // seats added and merged
        };
        Status status = Status::cancelled;
        QString path; // the file chosen
        int first_seat = -1; // the first seat added
        int seats_added = 0; // whole lanes of six
        QList<Seat_merge> merges; // the new seats with a player, in seat order
        bool players_added = false;
    };
    // Cmd_Data_IO(1): the open dialog (backup files offered too when
    // offer_backups), the file read and checked whole, the seats added in
    // lanes of six, max_game raised, the merge of every new player with the
    // database with its messages and questions, then seats_changed().
    Read_outcome read_file(bool offer_backups = false);

    // The load of score entry: when the backup of the night's date exists,
    // asks whether to read it; Yes reads it with backup files offered.
    Read_outcome offer_resumption();

    // Cmd_Data_IO(index) Click: 0 write_data_file, 1 read_file, 2 write_backup.
    void Cmd_Data_IO(int index);

    // The texts of the screen, for tests and captions.
    static QString check_question(); // "入力されていないデータがある…戻りますか？"
    static QString number_prompt(); // the four lines joined by CR
    static QString number_title(); // "データ番号の入力"
    static QString written_message(const QString &number);
    static QString data_filter(bool with_backups);
    static QString resumption_question(); // three lines joined by CR LF
    // The message (state 0 and 2) or question (states 3 and 5) of a merge;
    // empty for state 1.
    static QString merge_text(Merge_state state, const QString &name);

Q_SIGNALS:
    // Before a data file is written or read: hide score entry and
    // participants. screens_shown() always follows, also after a fault.
    void screens_hidden();
    void screens_shown();
    // The wait banner while a file is read (true) and gone again (false).
    void wait_banner(bool shown);
    // A read added seats: rebuild the lane chart (Lane_chart::of) and, when
    // players_added, requery the player list.
    void seats_changed(bool players_added);

private:
    Merge_state classify(int id, const QString &name, int *other_id) const;
    bool add_player(int id, const QString &name, int hcp);
    void merge(Read_outcome &outcome, int highest);
    void finish_dialogs();

    scoring::Night &night_;
    platform::Desktop &desktop_;
    store::Database &db_;
    const config::MatchGlobals &match_;
    QString programDir_;
    std::function<QString()> entry_check_;
    QString last_data_file_;
};

} // namespace entry
