#include "ui/pagestack.h"

namespace ui {

PageStack::PageStack(QWidget* parent)
    : QStackedWidget(parent) {
    connect(this, &QStackedWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index < names_.size())
            emit pageShown(names_[index]);
    });
}

void PageStack::addPage(const QString& name, QWidget* page) {
    Q_ASSERT(!names_.contains(name));
    names_ << name;
    addWidget(page);
}

void PageStack::showPage(const QString& name) {
    const int index = int(names_.indexOf(name));
    Q_ASSERT(index >= 0);
    if (index >= 0)
        setCurrentIndex(index);
}

QString PageStack::currentPageName() const {
    const int index = currentIndex();
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

QWidget* PageStack::page(const QString& name) const {
    const int index = int(names_.indexOf(name));
    return index >= 0 ? widget(index) : nullptr;
}

} // namespace ui
