#include "report/prn_elemov.h"

#include "report/movement_bands.h"
#include "store/dm.h"

#include <utility>

namespace report {

using namespace movement;

namespace {
constexpr double col1 = 2;
constexpr double col2 = 21;
constexpr double col3 = 42;
constexpr double col4 = 123;
constexpr double col4Detail = 121;
} // namespace

Tprn_elemov::Tprn_elemov(Tdm& data, QString filterTitle)
    : data_(data)
    , filterTitle_(std::move(filterTitle)) {
}

Layout Tprn_elemov::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Elenco movimenti");
    layout.source = &data_.Tabmov;

    Band title =
        listTitle(QStringLiteral("Elenco Movimenti:"), filterTitle_, headingsTop + 3 * rowStep + 1);
    const struct {
        double x, width;
        const char* rows[3];
    } columns[] = {
        {col1, col2 - col1, {"Data", "Ora", "Evasa"}},
        {col2, col3 - col2, {"data app.", "Ora app.", ""}},
        {col3, col4 - col3, {"Tecnico", "Segnalazione", "Accordi"}},
        {col4, bandWidth - col4, {"Ragione sociale", "Parlato con ", "Recapito Urgente"}},
    };
    for (const auto& column : columns)
        for (int row = 0; row < 3; ++row)
            if (*column.rows[row])
                title.add(heading(column.x, headingsTop + row * rowStep, column.width,
                                  QString::fromLatin1(column.rows[row])));
    layout.titleBands.push_back(std::move(title));

    Band movement;
    movement.height = 22;
    movement.framed = true;
    const double w1 = col2 - col1 - 1, w2 = col3 - col2 - 1, w3 = col4Detail - col3 - 1;
    const double w4 = bandWidth - col4Detail - 1;
    movement.add(value(col1, 2, w1, QStringLiteral("Data")));
    movement.add(value(col1, 8.5, w1, QStringLiteral("Ora")));
    movement.add(label({col1, 15, w1, 3.6}, doneMark).bold().size(7.5));
    movement.add(value(col2, 2, w2, QStringLiteral("Data_app")));
    movement.add(value(col2, 8.5, w2, QStringLiteral("Ora_app")));
    movement.add(value(col3, 2, w3, QStringLiteral("cogn_no_idnumsig")));
    // The reported fault and the agreements take two lines each, so that long ones show whole.
    movement.add(value(col3, 5.7, w3, QStringLiteral("Segnalazione"), 2));
    movement.add(value(col3, 12.7, w3, QStringLiteral("Accordi"), 2));
    movement.add(value(col4Detail, 2, w4, QStringLiteral("ragionesociale"), 2));
    movement.add(value(col4Detail, 10.6, w4, QStringLiteral("Parlato_con")));
    movement.add(value(col4Detail, 16.9, w4, QStringLiteral("Rec_urgente")));
    layout.detail.push_back(std::move(movement));

    layout.pageFooter.push_back(listFooter());
    return layout;
}

} // namespace report
