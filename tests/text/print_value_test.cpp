#include "text/print_value.h"

#include "text/qstring_printer.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PrintValue, ValuesWrittenWithoutAPattern)
{
    const struct
    {
        QVariant value;
        const char16_t *expected;
    } cases[] = {
        { QVariant(u"山田"_s), u"山田" },
        { QVariant(u""_s), u"" },
        { QVariant(150), u" 150 " },
        { QVariant(-3), u"-3 " },
        { QVariant(qlonglong(0)), u" 0 " },
        { QVariant(187.5), u" 187.5 " },
        { QVariant(0.5), u" .5 " },
        { QVariant(true), u"True" },
        { QVariant(QDate(2009, 12, 5)), u"2009/12/05" },
        { QVariant(), u"Null" },
        { QVariant(QMetaType(QMetaType::Int)), u"Null" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text::printValue(c.value), QString::fromUtf16(c.expected)) << c.value.typeId();
}
