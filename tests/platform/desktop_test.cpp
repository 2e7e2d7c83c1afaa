#include "platform/desktop.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using platform::Answer;
using platform::Buttons;

namespace {

struct DefaultCase {
    Buttons buttons;
    int defaultButton;
    Answer expected;
};

class DefaultAnswer : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultAnswer, IsTheAnswerOfTheDefaultButton)
{
    platform::Message m;
    m.buttons = GetParam().buttons;
    m.defaultButton = GetParam().defaultButton;
    EXPECT_EQ(platform::defaultAnswer(m), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DefaultAnswer, ::testing::Values(
    DefaultCase{Buttons::Ok, 0, Answer::Ok},
    DefaultCase{Buttons::Ok, 1, Answer::Ok},
    DefaultCase{Buttons::OkCancel, 1, Answer::Cancel},
    DefaultCase{Buttons::YesNo, 0, Answer::Yes},
    DefaultCase{Buttons::YesNo, 1, Answer::No},
    DefaultCase{Buttons::YesNoCancel, 2, Answer::Cancel},
    DefaultCase{Buttons::RetryCancel, 0, Answer::Retry},
    DefaultCase{Buttons::AbortRetryIgnore, 2, Answer::Ignore},
    DefaultCase{Buttons::AbortRetryIgnore, -1, Answer::Abort}));

struct FilterCase {
    const char16_t *classic;
    QStringList expected;
};

class QtFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(QtFilters, ConvertsDescriptionPatternPairs)
{
    EXPECT_EQ(platform::toQtFilters(QString::fromUtf16(GetParam().classic)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, QtFilters, ::testing::Values(
    FilterCase{u"", {}},
    FilterCase{u"データファイル (*.dat or *.cdt)|*.dat;*.cdt",
               {u"データファイル (*.dat or *.cdt) (*.dat *.cdt)"_s}},
    FilterCase{u"データファイル (*.dat or *.cdt),バックアップファイル(*.bup)|*.dat;*.cdt;*.bup",
               {u"データファイル (*.dat or *.cdt),バックアップファイル(*.bup) (*.dat *.cdt *.bup)"_s}},
    FilterCase{u"jpgファイル (*.jpg)|*.jpg|ビットマップファイル (*.bmp)|*.bmp",
               {u"jpgファイル (*.jpg)"_s, u"ビットマップファイル (*.bmp)"_s}},
    FilterCase{u"HTML|*.htm;*.html|すべて|*.*", {u"HTML (*.htm *.html)"_s, u"すべて (*.*)"_s}},
    FilterCase{u"テキスト", {u"テキスト (*)"_s}}));

} // namespace
