#include <QApplication>
#include <QLocale>
#include <QStyleFactory>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole binary, set up as the program sets it up.
// Without a platform chosen they run offscreen: test discovery at build time has no display.
// Binaries built with MISURATORI_TEST_PLATFORM_STYLE (prints, electronic invoices) keep Qt's
// default style, as they always have.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#ifndef MISURATORI_TEST_PLATFORM_STYLE
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
#endif
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
