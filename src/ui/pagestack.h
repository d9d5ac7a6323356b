#pragma once

#include <QStackedWidget>
#include <QString>
#include <QStringList>

namespace ui {

/// Pages whose tabs are never shown: one page visible at a time, chosen by name by the
/// screen's own commands.
class PageStack : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageStack(QWidget* parent = nullptr);

    /// Adds a page under a name unique in this stack; the stack takes ownership of the widget.
    void addPage(const QString& name, QWidget* page);
    /// Shows the named page; an unknown name is a programming error and changes nothing.
    void showPage(const QString& name);
    /// The name of the page shown; empty when the stack has none.
    QString currentPageName() const;
    bool isShowing(const QString& name) const { return currentPageName() == name; }
    QWidget* page(const QString& name) const;
    QStringList pageNames() const { return names_; }

signals:
    void pageShown(const QString& name);

private:
    QStringList names_;
};

} // namespace ui
