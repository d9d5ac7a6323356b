#pragma once

#include <QDialog>
#include <QString>
#include <functional>

namespace ui {

class PageStack;

/// Gives the focus to `widget` once the current focus change is over (a warning shown while
/// the focus leaves a box cannot take it back at once); nothing when the widget is gone,
/// hidden or disabled by then.
void focusWhenIdle(QWidget* widget);

/// A screen that only its own commands may close. The close box (and Alt+F4) is refused with
/// the screen's refusal message through the dialogs service until a command allows the close;
/// Escape does nothing, and Return presses only a button explicitly marked as default, as the
/// users know from the original program.
class Screen : public QDialog {
    Q_OBJECT
public:
    explicit Screen(QWidget* parent = nullptr);

    /// Lets the screen be closed (or forbids it again).
    void setCloseAllowed(bool allowed) { closeAllowed_ = allowed; }
    bool closeAllowed() const { return closeAllowed_; }
    /// What a closing command does: allows the close and ends the screen with that result.
    void closeWith(int result);

    /// The refusal shown when nothing is being edited.
    void setRefusalMessage(const QString& text) { refusal_ = text; }
    /// The refusal shown while `editing` answers true.
    void setEditingRefusal(const QString& text, std::function<bool()> editing);
    /// The editing refusal while `stack` shows the page `pageName`.
    void setEditingRefusal(const QString& text, const PageStack& stack, const QString& pageName);
    /// The message a close attempt would get now.
    QString refusalMessage() const;

    static QString defaultRefusal();
    static QString defaultEditingRefusal();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool closeAllowed_ = false;
    QString refusal_;
    QString editingRefusal_;
    std::function<bool()> editing_;
};

} // namespace ui
