#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>

// One QApplication for the whole test process; each test builds the windows it needs. Listing
// the tests needs no toolkit, and CTest lists them without the offscreen platform set.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
