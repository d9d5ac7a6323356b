#include "ui/modal.h"

#include <QApplication>
#include <QMetaObject>

namespace ui {

namespace {
ModalHook& currentHook() {
    static ModalHook hook;
    return hook;
}
} // namespace

ModalHookScope::ModalHookScope(ModalHook hook)
    : previous_(std::exchange(currentHook(), std::move(hook))) {
}

ModalHookScope::~ModalHookScope() {
    currentHook() = std::move(previous_);
}

namespace detail {

int execModal(QDialog& screen) {
    // The routine owns the screen: Qt must not delete it behind its back.
    screen.setAttribute(Qt::WA_DeleteOnClose, false);
    if (ModalHook hook = currentHook()) {
        // Queued, so that it runs inside the screen's event loop, after the screen is shown.
        QMetaObject::invokeMethod(
            &screen,
            [&screen, hook = std::move(hook)] {
                screen.activateWindow();
                QApplication::processEvents();
                hook(screen);
                if (screen.isVisible())
                    screen.done(QDialog::Rejected);
            },
            Qt::QueuedConnection);
    }
    return screen.exec();
}

} // namespace detail
} // namespace ui
