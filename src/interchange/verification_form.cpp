#include "interchange/verification_form.h"

#include "ui/grid.h"

#include <QDate>
#include <QFontMetrics>
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

void fitColumns(ui::DataGrid& grid) {
    const QFontMetrics metrics = grid.fontMetrics();
    const auto& columns = grid.tableModel().columns();
    const store::Table& table = *grid.tableModel().table();
    for (size_t c = 0; c < columns.size(); ++c) {
        const int index = table.definition().fieldIndex(columns[c].field);
        if (index < 0)
            continue;
        const store::FieldDef& field = table.fieldDefinition(index);
        // Capitals and digits: a wide capital's width for each character.
        const QString sample = field.type == store::FieldType::Text
                                   ? QString(std::min(field.size, 40), u'N')
                                   : QStringLiteral("00/00/00000");
        grid.setColumnWidth(int(c), std::max(metrics.horizontalAdvance(columns[c].title),
                                             metrics.horizontalAdvance(sample)) +
                                        14);
    }
}

} // namespace interchange::form
