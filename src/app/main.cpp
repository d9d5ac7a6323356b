// Entry point: the main window, the data module with its record rules and the event loop.
#include "app/mainw.h"
#include "app/screens.h"
#include "store/dm.h"
#include "store/program.h"
#include "ui/dialogs.h"
#include "wiring/record_rules.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Misuratori Fiscali"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    Tdm data;
    const RecordRules rules(data, ui::warningSink());
    store::ProgramState& state = store::program();
    TMainForm MainForm(data, state, QApplication::applicationFilePath());
    app::wireScreens(MainForm, data);
    MainForm.show();
    QTimer::singleShot(0, &MainForm, [&] {
        if (!MainForm.startUp())
            QApplication::quit();
    });
    return QApplication::exec();
}
