// Test entry point for tests that need Qt: headless, C numeric locale,
// every question scripted.
#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>

#include "platform/ui.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    platform::Ui::setScripted(true);
    return RUN_ALL_TESTS();
}
