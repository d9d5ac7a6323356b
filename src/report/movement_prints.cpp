#include "report/movement_prints.h"

#include "report/prn_appuntamenti.h"
#include "report/prn_elemov.h"
#include "report/prn_fl.h"
#include "report/render.h"
#include "store/program.h"

namespace report {

void printMovementList(Tdm& data, QWidget* parent) {
    preview(Tprn_elemov(data, store::program().lastFilter).document(), parent);
}

void printAppointments(Tdm& data, QWidget* parent) {
    preview(Tprn_appuntamenti(data, store::program().lastFilter).document(), parent);
}

void printWorkSheet(Tdm& data, QWidget* parent) {
    preview(Tprn_fl(data).document(), parent);
}

} // namespace report
