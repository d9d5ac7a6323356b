// The picture of a refusal over the screen that was refused: a supplier posted while another
// process holds the suppliers table locked. The picture goes to $UI_SNAPSHOT_DIR when set.
#include "desk_fixture.h"
#include "registry/fornitoriw.h"
#include "ui/dialogs.h"

#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

namespace {

using regtest::box;
using regtest::fill;
using regtest::press;

class RefusalPicture : public faults::Desk {};

TEST_F(RefusalPicture, LockedSuppliersTableOverTheEditPage) {
    QTemporaryDir temporary;
    const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                               : temporary.path();
    makeYear();
    faults::OtherProcessLock lock(tableFile("fornitori"));
    ASSERT_TRUE(lock.held());
    ASSERT_TRUE(startUp());
    QImage shot;
    use<TfornitoriForm>("Tabelle", "Fornitori", [&](TfornitoriForm& s) {
        press(s, "Nuovo");
        fill(box(s, "Ragione sociale del fornitore"), "ricambi spa");
        // The program's own message box, photographed over the screen while it waits for OK.
        ui::MessageBoxDialogs real;
        ui::DialogsScope shown(real);
        QTimer::singleShot(100, [&] {
            auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(message, nullptr);
            shot = s.grab().toImage();
            const QImage boxShot = message->grab().toImage();
            QPainter painter(&shot);
            const QPoint at((shot.width() - boxShot.width()) / 2,
                            (shot.height() - boxShot.height()) / 2);
            painter.drawImage(at, boxShot);
            painter.setPen(Qt::darkGray);
            painter.drawRect(QRect(at, boxShot.size()).adjusted(0, 0, -1, -1));
            message->accept();
        });
        press(s, "Ok");
        press(s, "Annulla");
        press(s, "Chiudi");
    });
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(folder + "/refusal-locked-table.png"));
}

} // namespace
