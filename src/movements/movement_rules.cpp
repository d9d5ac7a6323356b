#include "movements/movement_rules.h"

#include "store/dm.h"
#include "store/error.h"
#include "store/references.h"
#include "store/rules.h"

namespace movements {

namespace {

void falseWhenBlank(store::Table& t, std::initializer_list<const char*> fields) {
    for (const char* name : fields) {
        const store::Field f = t.field(QString::fromLatin1(name));
        if (f.isNull())
            f.setAsBoolean(false);
    }
}

void setText(store::Table& t, const char* field, const QVariant& value) {
    t.field(QString::fromLatin1(field)).setValue(value);
}

/// The model's and the technician's display fields of the movement `t` holds. Each look-up
/// reads the shared registers without moving them; a value not found leaves its fields empty,
/// and a failure of one look-up does not stop the other.
void showDisplayFields(Tdm& dm, store::Table& t) {
    std::optional<std::vector<QVariant>> model, technician;
    try {
        model = store::rules::lookupRecord(
            dm.Tabms, QStringLiteral("Id_ms"), t.field(QStringLiteral("ID_MS")).value(),
            {QStringLiteral("Marchio_ms"), QStringLiteral("Denominazione_ms"),
             QStringLiteral("Logotipo_ms")});
    } catch (const store::Error&) {
    }
    try {
        technician = store::rules::lookupRecord(
            dm.Tabtecnico, QStringLiteral("Id_tecnico"),
            t.field(QStringLiteral("ID_TECNICO")).value(),
            {QStringLiteral("Cogn_no_sigillo"), QStringLiteral("Id_nu_sigillo")});
    } catch (const store::Error&) {
    }
    const auto part = [](const auto& found, size_t i) {
        return found ? (*found)[i] : QVariant();
    };
    setText(t, "marchio_ms", part(model, 0));
    setText(t, "denom_ms", part(model, 1));
    setText(t, "logotipo_ms", part(model, 2));
    setText(t, "cogn_no_idnumsig", part(technician, 0));
    setText(t, "id_al_num", part(technician, 1));
}

/// Right after a technician is chosen: the seal of the authorisation the technician works under.
void showAuthorisationSeal(Tdm& dm, store::Table& t) {
    const QVariant id = t.field(QStringLiteral("ID_TECNICO")).value();
    const auto technician =
        store::rules::lookupRecord(dm.Tabtecnico, QStringLiteral("Id_tecnico"), id,
                                   {QStringLiteral("Cogn_no_sigillo"), QStringLiteral("Id_sogg")});
    if (!technician)
        return;
    const QVariant authorisation = (*technician)[1];
    const QString seal = dm.TabLsogg.active() && !authorisation.isNull()
                             ? dm.TabLsogg
                                   .lookup(QStringLiteral("Id_Lsogg"), authorisation,
                                           QStringLiteral("Id_al_sigillo"))
                                   .toString()
                             : QString();
    setText(t, "cogn_no_idnumsig", (*technician)[0]);
    setText(t, "id_al_num", seal.left(8));
}

} // namespace

void attachMovementRules(Tdm& dm) {
    store::Table& t = dm.Tabmov;
    t.on(store::Event::AfterInsert, [](store::Table& mov) {
        store::rules::fillIdentifier(mov, QStringLiteral("Id"));
        falseWhenBlank(mov, {"Appuntamento", "Gia_fatt_sn", "Rip_art_fatt"});
    });
    t.on(store::Event::BeforePost, [](store::Table& mov) {
        falseWhenBlank(mov, {"Evasa_sn", "Da_fatt_sn", "Fatt_sn"});
    });
    Tdm* data = &dm;
    t.on(store::Event::CalcFields, [data](store::Table& mov) { showDisplayFields(*data, mov); });
    // The machine choice sets the model while the movement is entered: its names show at once.
    t.onFieldChange(QStringLiteral("ID_MS"),
                    [data](store::Field f) { showDisplayFields(*data, f.table()); });
    t.onFieldChange(QStringLiteral("ID_TECNICO"), [data](store::Field f) {
        showDisplayFields(*data, f.table());
        try {
            showAuthorisationSeal(*data, f.table());
        } catch (const store::Error&) {
        }
    });
}

RowColour rowColour(bool done, bool toInvoice, bool invoiced) {
    if (!done)
        return RowColour::Red;
    return toInvoice && invoiced ? RowColour::Blue : RowColour::Green;
}

std::optional<int> kindId(Tdm& dm, const QString& description) {
    const auto found = store::rules::lookupRecord(dm.Tabtipomov, QStringLiteral("Descrizione"),
                                                  description, {QStringLiteral("Id")});
    if (!found || (*found)[0].isNull())
        return std::nullopt;
    return (*found)[0].toInt();
}

bool hasVerifications(const Tdm& dm, const QVariant& movementId) {
    return !movementId.isNull() &&
           store::rules::anyRecordWith(dm.Tabmisurazioni, QStringLiteral("Id_mov"), movementId);
}

bool technicianExpired(Tdm& dm, const QDate& appointment) {
    if (!appointment.isValid())
        return false;
    const auto end = store::rules::lookupRecord(
        dm.Tabtecnico, QStringLiteral("Id_tecnico"),
        dm.Tabmov.field(QStringLiteral("ID_TECNICO")).value(), {QStringLiteral("Data_fine")});
    if (!end)
        return false;
    const QDate last = (*end)[0].toDate();
    return last.isValid() && appointment > last;
}

} // namespace movements
