#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// The command test needs a QApplication; the rules tests run under it unchanged.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
