#include <gtest/gtest.h>

#include <QApplication>

// The widget tests need a QApplication; the controller tests run under it too.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
