#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <type_traits>

namespace ui {

/// Test seam of the modal-screen routine: receives every screen the routine shows, once the
/// screen is visible, active and inside its own event loop. It drives the screen (key and
/// mouse events) and closes it; a screen it leaves open is dismissed with the cancel result
/// when it returns, so that a test can never hang on a forgotten screen.
using ModalHook = std::function<void(QDialog& screen)>;

/// Installs a modal hook for its lifetime, then restores the previous one.
class ModalHookScope {
public:
    explicit ModalHookScope(ModalHook hook);
    ~ModalHookScope();
    ModalHookScope(const ModalHookScope&) = delete;
    ModalHookScope& operator=(const ModalHookScope&) = delete;

private:
    ModalHook previous_;
};

namespace detail {
/// Shows the screen modally (calling the hook, when one is installed) and returns its result.
int execModal(QDialog& screen);

/// Clears a program-wide reference when it goes out of scope, whatever the way out.
template <class Ref> struct ClearOnExit {
    Ref& ref;
    ~ClearOnExit() { ref = nullptr; }
};
} // namespace detail

/// The modal-screen routine. Creates the screen anew with `make` (which returns a
/// std::unique_ptr to T or to a class derived from it), stores it in the program-wide
/// reference `ref`, shows it modally and waits. In every case, also when showing it throws,
/// the reference is cleared and the screen destroyed; an exception is passed on afterwards.
/// Returns the modal result: QDialog::Accepted or QDialog::Rejected (a screen closed by its
/// close box, or by a command that gives no result, returns Rejected).
template <class T, class Make> int showModal(QPointer<T>& ref, Make&& make) {
    static_assert(std::is_base_of_v<QDialog, T>, "a modal screen is a QDialog");
    std::unique_ptr<T> screen = std::forward<Make>(make)();
    // Declared after the screen, so the reference is cleared before the screen is destroyed:
    // nothing can reach a half-destroyed screen through it.
    detail::ClearOnExit<QPointer<T>> clear{ref};
    ref = screen.get();
    return detail::execModal(*screen);
}

/// The same routine for a plain pointer reference.
template <class T, class Make> int showModal(T*& ref, Make&& make) {
    static_assert(std::is_base_of_v<QDialog, T>, "a modal screen is a QDialog");
    std::unique_ptr<T> screen = std::forward<Make>(make)();
    detail::ClearOnExit<T*> clear{ref};
    ref = screen.get();
    return detail::execModal(*screen);
}

/// The routine for a screen of class T built from `args`, with a program-wide reference of its
/// own (one per class): what a screen's open function calls.
template <class T, class... Args> int showScreen(Args&&... args) {
    static QPointer<T> reference;
    return showModal(reference, [&] { return std::make_unique<T>(std::forward<Args>(args)...); });
}

/// The routine for a screen built by its default constructor.
template <class T> int showModal(QPointer<T>& ref) {
    return showModal(ref, [] { return std::make_unique<T>(); });
}

template <class T> int showModal(T*& ref) {
    return showModal(ref, [] { return std::make_unique<T>(); });
}

} // namespace ui
