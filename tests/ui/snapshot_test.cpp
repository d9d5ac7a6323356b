// Renders a form with every control and a grid to a PNG, to look at what users will see.
// The picture goes to $UI_SNAPSHOT_DIR when set, else to a temporary folder.

#include "ui_support.h"

#include "ui/dbchoice.h"
#include "ui/dbedit.h"
#include "ui/dbrich.h"
#include "ui/grid.h"
#include "ui/navigator.h"

#include <QBuffer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>

namespace {

QByteArray logo() {
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("LOGO"));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(Snapshot, FormWithEveryControlAndAGridRenders) {
    testsupport::YearFolder year;
    uitest::Dialogs dialogs;
    store::Table kinds(year.path(), QStringLiteral("tipo_mov"));
    kinds.open();
    kinds.append();
    kinds.field(QStringLiteral("Id")).setAsInteger(4);
    kinds.field(QStringLiteral("Descrizione")).setAsString(QStringLiteral("NOLEGGIO"));
    kinds.field(QStringLiteral("Readonly")).setAsBoolean(false);
    kinds.post();
    kinds.setRecNo(2);
    store::Table mov(year.path(), QStringLiteral("MOV"));
    mov.open();
    mov.append();
    mov.field(QStringLiteral("Id")).setAsInteger(1);
    mov.field(QStringLiteral("Id_tipomov")).setAsInteger(2);
    mov.field(QStringLiteral("COMUNE")).setAsString(QStringLiteral("REGGIO NELL'EMILIA"));
    mov.field(QStringLiteral("DATA_INI")).setAsDate(QDate(2026, 12, 8));
    mov.field(QStringLiteral("Ora")).setAsTime(QTime(9, 30));
    mov.field(QStringLiteral("Appuntamento")).setAsBoolean(true);
    mov.field(QStringLiteral("ESITO")).setAsString(QStringLiteral("P"));
    mov.post();
    store::Table settings(year.path(), QStringLiteral("impostazioni"));
    settings.open();
    settings.edit();
    settings.field(QStringLiteral("Logo_ca")).setValue(logo());
    settings.field(QStringLiteral("Dicitura_ca"))
        .setValue(QByteArray("<p>Intervento <b>in garanzia</b> entro <i>30 giorni</i>.</p>"));
    settings.post();

    QWidget form;
    form.setWindowTitle(QStringLiteral("Controlli"));
    auto* columns = new QHBoxLayout(&form);
    auto* left = new QGroupBox(QStringLiteral("Movimento"), &form);
    auto* fields = new QFormLayout(left);
    fields->addRow(QStringLiteral("Comune:"), new ui::DbUpperEdit(mov, QStringLiteral("COMUNE")));
    fields->addRow(QStringLiteral("Data:"), new ui::DbDateEdit(mov, QStringLiteral("Data")));
    fields->addRow(QStringLiteral("Data inizio:"),
                   new ui::DbDateEdit(mov, QStringLiteral("DATA_INI")));
    fields->addRow(QStringLiteral("Ora:"), new ui::DbTimeEdit(mov, QStringLiteral("Ora")));
    fields->addRow(QStringLiteral("Ora app.:"), new ui::DbTimeEdit(mov, QStringLiteral("Ora_app")));
    fields->addRow(QString(), new ui::DbCheckBox(QStringLiteral("Appuntamento"), mov,
                                                 QStringLiteral("Appuntamento")));
    auto* outcome = new ui::DbComboBox(mov, QStringLiteral("ESITO"));
    outcome->setItems({QStringLiteral("Positivo"), QStringLiteral("Negativo")},
                      {QStringLiteral("P"), QStringLiteral("N")});
    fields->addRow(QStringLiteral("Esito:"), outcome);
    fields->addRow(QStringLiteral("Tipo:"),
                   new ui::DbLookupCombo(mov, QStringLiteral("Id_tipomov"), kinds,
                                         QStringLiteral("Id"), QStringLiteral("Descrizione")));
    auto* readOnly = new ui::DbEdit(mov, QStringLiteral("Id"));
    readOnly->setReadOnly(true);
    fields->addRow(QStringLiteral("Id (sola lettura):"), readOnly);
    fields->addRow(QStringLiteral("Dicitura:"),
                   new ui::DbRichEdit(settings, QStringLiteral("Dicitura_ca")));
    fields->addRow(QStringLiteral("Logo:"), new ui::DbPicture(settings, QStringLiteral("Logo_ca")));
    columns->addWidget(left);

    auto* right = new QGroupBox(QStringLiteral("Tipi di movimento"), &form);
    auto* rightLayout = new QVBoxLayout(right);
    auto* grid = new ui::DataGrid(
        kinds, {{QStringLiteral("Id"), QStringLiteral("Codice"), 60},
                {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 160},
                {QStringLiteral("Readonly"), QStringLiteral("Sistema"), 70}});
    grid->setRowStyler([](const ui::GridRow& row, ui::CellStyle& style) {
        if (row.value(QStringLiteral("Readonly")).toBool())
            style.text = QColor(Qt::blue);
    });
    rightLayout->addWidget(grid);
    rightLayout->addWidget(new ui::Navigator(kinds));
    store::Table closed(year.path(), QStringLiteral("tecnici"));
    auto* disabled = new ui::DbEdit(closed, QStringLiteral("Cognome"));
    rightLayout->addWidget(new QLabel(QStringLiteral("Tabella chiusa:")));
    rightLayout->addWidget(disabled);
    columns->addWidget(right);
    form.resize(820, 520);
    uitest::showActive(form);

    const QImage shot = form.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    QTemporaryDir temporary;
    const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                               : temporary.path();
    EXPECT_TRUE(shot.save(folder + QStringLiteral("/ui_controls.png")));
    EXPECT_TRUE(dialogs.entries().empty());
}

} // namespace
