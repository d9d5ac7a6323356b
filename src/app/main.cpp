// Entry point: the main window, the data module and the event loop.
#include "app/mainw.h"
#include "app/screens.h"
#include "store/dm.h"
#include "store/program.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Misuratori Fiscali"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    Tdm data;
    dm = &data;
    store::ProgramState& state = store::program();
    TMainForm MainForm(data, state, QApplication::applicationFilePath());
    app::wireScreens(MainForm, data);
    MainForm.show();
    QTimer::singleShot(0, &MainForm, [&] {
        if (!MainForm.startUp())
            QApplication::quit();
    });
    const int result = QApplication::exec();
    dm = nullptr;
    return result;
}
