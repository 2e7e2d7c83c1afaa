#include "entry/finish_controller.h"

#include "config/settings.h"
#include "entry/entry_controller.h"
#include "platform/desktop.h"
#include "scoring/entry_check.h"

using namespace Qt::StringLiterals;

namespace entry {

Finish_controller::Finish_controller(Entry_controller &entry, platform::Desktop &desktop,
                                     const config::Settings &settings)
    : entry_(entry), desktop_(desktop), settings_(settings)
{
}

QString Finish_controller::Cmd_INFO()
{
    entry_.Cmd_KEISAN();
    const QString text = scoring::entry_check_text(entry_.night());
    if (show_check_) show_check_(text);
    return text;
}

bool Finish_controller::handicap_refused() const
{
    if (settings_.hcp_mynas != 1) return false;
    // The box shows the handicap as a plain number; an empty box reads as 0.
    bool ok = false;
    const int shown = entry_.night().screen.Txt_SCORE[11].trimmed().toInt(&ok);
    return ok && shown < 0;
}

Finish_result Finish_controller::Cmd_TOKEI()
{
    Finish_result result;
    if (handicap_refused()) {
        desktop_.beep();
        desktop_.message(handicap_message());
        entry_.night().next_slot = -1;
        result.step = Finish_step::handicap;
        return result;
    }

    result.check_text = Cmd_INFO();
    if (result.check_text != scoring::no_half_entered_text()) {
        const platform::Answer back =
            desktop_.message(half_entered_question(), platform::Buttons::YesNo, platform::Icon::Warning);
        if (back == platform::Answer::Yes) {
            result.step = Finish_step::half_entered;
            return result;
        }
    }

    result.data = scoring::ANA(entry_.night());
    if (result.data.game_ninzu.value(0) < 2) {
        const platform::Answer record =
            desktop_.message(one_player_question(), platform::Buttons::YesNo, platform::Icon::Question);
        if (record != platform::Answer::Yes) {
            result.step = Finish_step::one_player;
            return result;
        }
    }
    result.step = Finish_step::go_on;
    return result;
}

QString Finish_controller::handicap_message()
{
    return u"ハンデを入力してください"_s;
}

QString Finish_controller::half_entered_question()
{
    return u"入力していないデータを入力してください"_s;
}

QString Finish_controller::one_player_question()
{
    return u"一人しか入力されていません。\r"
           u"一人でも記録しますか？\r"
           u"  ------------------------------------------ \r"
           u" [はい] を選ぶと、次に進みます。\r"
           u"[いいえ]を選ぶと、スコア入力に戻ります。"_s;
}

} // namespace entry
