// main() for widget tests: GoogleTest inside a QApplication on the offscreen
// platform (set by ctest), so tests can create and drive real widgets.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
