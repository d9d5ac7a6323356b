#include "interchange/verification_form.h"

#include <QDate>
#include <QLineEdit>
#include <QSpinBox>

namespace interchange::form {

QLineEdit* folderBox(QWidget* parent) {
    auto* box = new QLineEdit(QStringLiteral("c:\\programmi\\kesasoft"), parent);
    box->setMinimumWidth(320);
    return box;
}

QSpinBox* yearBox(int year, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(2004, QDate::currentDate().year() + 1);
    box->setValue(year);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    return box;
}

} // namespace interchange::form
