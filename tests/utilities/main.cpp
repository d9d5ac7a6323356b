#include <QApplication>
#include <QLocale>
#include <QStyleFactory>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole binary, set up as the program sets it up.
// Without a platform chosen they run offscreen: test discovery at build time has no display.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
