#pragma once

#include "movement_support.h"
#include "movements/movement_list.h"
#include "movements/movw.h"
#include "registry_support.h"

#include <QComboBox>
#include <QRadioButton>

namespace movtest {

/// The movement screen on a working year with every record rule, scripted dialogs.
class MovementScreen : public regtest::Registers {
protected:
    /// Opens the screen in `mode` and lets `body` drive it.
    int open(movements::MovementsMode mode, const std::function<void(TMOVForm&)>& body) {
        return drive<TMOVForm>([mode](Tdm& d) { return movements::openMovements(d, mode); }, body);
    }
    int customer(const QString& name) {
        put(data.Tabesercizio, {{"Ragione_sociale", name}, {"Piva", "12345678903"}});
        return data.Tabesercizio.field("Id_esercizio").asInteger();
    }
    int technician(const QString& surname, const QDate& end = {}) {
        put(data.Tabtecnico,
            {{"Cognome", surname}, {"Nome", "MARIO"}, {"Id_nu_sigillo", "12"}, {"Data_fine", end}});
        return data.Tabtecnico.field("Id_tecnico").asInteger();
    }
    /// The `Id` of a template kind ("VENDITA", ...).
    int kind(const char* description) {
        return stored("tipo_mov", "Descrizione", description, "Id").toInt();
    }
};

/// Types into a drop-down as a user does: an editable one takes the text in place of its own, a
/// fixed one moves to the first item that begins with it.
inline void choose(QComboBox* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    box->setFocus();
    if (box->isEditable())
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    uitest::typeText(box, text);
    QApplication::processEvents();
}

} // namespace movtest
