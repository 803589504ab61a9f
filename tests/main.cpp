#include <QApplication>
#include <gtest/gtest.h>

// One QApplication for the whole test process; each test builds the windows it needs.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
