#include "report/prn_appuntamenti.h"

#include "report/movement_bands.h"
#include "store/dm.h"

#include <utility>

namespace report {

using namespace movement;

namespace {
constexpr double col1 = 2;
constexpr double col2 = 25;
constexpr double col3 = 123;

bool flag(const PrintContext& context, const char* name) {
    return context.record.value(QString::fromLatin1(name)).toBool();
}
} // namespace

Tprn_appuntamenti::Tprn_appuntamenti(Tdm& data, QString filterTitle)
    : data_(data)
    , filterTitle_(std::move(filterTitle)) {
}

Layout Tprn_appuntamenti::layout() const {
    Layout layout;
    layout.title = QStringLiteral("Appuntamenti");
    layout.source = &data_.Tabmov;

    Band title = listTitle(QStringLiteral("Appuntamenti dal :"), filterTitle_,
                           headingsTop + 5 * rowStep + 1);
    const struct {
        double x, width;
        const char* rows[5];
    } columns[] = {
        {col1, col2 - col1, {"Data", "Ora", "data app.", "Ora app.", "Evasa"}},
        {col2, col3 - col2, {"Tecnico", "Segnalazione", "Accordi", "Note", ""}},
        {col3,
         bandWidth - col3,
         {"Ragione sociale", "Parlato con ", "Recapito Urgente", "Indirizzo", "Comune"}},
    };
    for (const auto& column : columns)
        for (int row = 0; row < 5; ++row)
            if (*column.rows[row])
                title.add(heading(column.x, headingsTop + row * rowStep, column.width,
                                  QString::fromLatin1(column.rows[row])));
    layout.titleBands.push_back(std::move(title));

    const double w1 = col2 - col1 - 1, w2 = col3 - col2 - 3, w3 = bandWidth - col3 - 1;
    Band appointment;
    appointment.height = 38;
    appointment.framed = true;
    appointment.printWhen = [](const PrintContext& c) {
        return flag(c, "Appuntamento");
    };
    appointment.add(value(col1, 2, w1, QStringLiteral("Data")));
    appointment.add(value(col1, 8.5, w1, QStringLiteral("Ora")));
    appointment.add(value(col1, 14.8, w1, QStringLiteral("Data_app")));
    appointment.add(value(col1, 21.2, w1, QStringLiteral("Ora_app")));
    appointment.add(label({col1, 29.6, w1, 3.6}, doneMark).bold().size(7.5));
    appointment.add(value(col2, 2, w2, QStringLiteral("cogn_no_idnumsig")));
    // The reported fault may need two lines: it starts where the technician's line ends.
    appointment.add(value(col2, 6.3, w2, QStringLiteral("Segnalazione"), 2));
    appointment.add(value(col2, 14.8, w2, QStringLiteral("Accordi")));
    const double noteTops[] = {19.1, 23.3, 27.5, 31.8};
    for (int n = 0; n < 4; ++n)
        appointment.add(value(col2, noteTops[n], w2, QStringLiteral("Nota%1").arg(n + 1)));
    appointment.add(value(col3, 2, w3, QStringLiteral("ragionesociale"), 2));
    appointment.add(value(col3, 10.6, w3, QStringLiteral("Parlato_con")));
    appointment.add(value(col3, 16.9, w3, QStringLiteral("Rec_urgente")));
    appointment.add(value(col3, 23.3, w3, QStringLiteral("INDIRIZZO")));
    appointment.add(value(col3, 29.6, w3, QStringLiteral("COMUNE")));
    layout.detail.push_back(std::move(appointment));

    // Only under a printed appointment: the report of a done movement without appointment
    // would stand alone on the page, not saying whose it is.
    Band report;
    report.height = 23;
    report.framed = true;
    report.printWhen = [](const PrintContext& c) {
        return flag(c, "Appuntamento") && flag(c, "Evasa_sn");
    };
    report.add(heading(col1, 2.1, col2 - col1 - 1, QStringLiteral("Rapporto tecnico:"))
                   .wrapped()
                   .growing());
    const double reportTops[] = {2.1, 6.3, 10.6, 14.8};
    for (int n = 0; n < 4; ++n)
        report.add(
            value(col2, reportTops[n], bandWidth - col2 - 2, QStringLiteral("Rapp%1").arg(n + 1)));
    layout.detail.push_back(std::move(report));

    layout.pageFooter.push_back(listFooter());
    return layout;
}

} // namespace report
