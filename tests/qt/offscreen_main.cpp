#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <cstdlib>

// Widget tests run without a display unless one is asked for.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::setlocale(LC_ALL, "C.UTF-8");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
