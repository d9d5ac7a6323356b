#include "utilities/impostazioniw.h"

#include "store/dm.h"
#include "ui/dbedit.h"
#include "ui/dialogs.h"
#include "ui/modal.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int pictureWidth = 300;
constexpr int pictureHeight = 100;

/// Every picture file type the program can read, for the document logo.
QString everyPictureType() {
    QStringList masks;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        masks << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Immagini (%1)").arg(masks.join(QLatin1Char(' ')));
}

QLabel* pictureBox(QWidget* parent, const QByteArray& bytes) {
    auto* box = new QLabel(parent);
    box->setFixedSize(pictureWidth, pictureHeight);
    box->setFrameShape(QFrame::Box);
    box->setScaledContents(true); // stretched to the box, as the prints expect 600x200
    QPixmap picture;
    picture.loadFromData(bytes);
    box->setPixmap(picture);
    return box;
}

} // namespace

namespace utilities {

QString choosePictureFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Carica immagine"), QString(),
                                        filter);
}

} // namespace utilities

TimpostazioniForm::TimpostazioniForm(Tdm& data, utilities::PictureChooser choose, QWidget* parent)
    : QDialog(parent)
    , data_(data)
    , choose_(std::move(choose)) {
    setObjectName(QStringLiteral("impostazioniForm"));
    setWindowTitle(QStringLiteral("finestra delle impostazioni:"));
    store::Table& settings = data_.Tabimpostazioni;
    auto* layout = new QVBoxLayout(this);

    const struct {
        const char* caption;
        const char* field;
        QString filter;
    } logos[] = {
        {"Logo testata contratto assistenza:", "Logo_ca", QStringLiteral("Bitmaps (*.bmp)")},
        {"Logo per la stampa documenti:", "Logo_fatt", everyPictureType()},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& logo = logos[i];
        const QString field = QString::fromLatin1(logo.field);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QString::fromLatin1(logo.caption), this));
        auto* load = new QPushButton(QStringLiteral("Carica immagine"), this);
        load->setObjectName(QStringLiteral("Carica_") + field);
        load->setAutoDefault(false);
        row->addWidget(load);
        row->addWidget(new QLabel(QStringLiteral("600X200 Pixels"), this));
        row->addStretch();
        layout->addLayout(row);
        QLabel* box = pictureBox(this, settings.field(field).asBytes());
        box->setObjectName(field);
        layout->addWidget(box);
        connect(load, &QPushButton::clicked, this,
                [this, field, filter = logo.filter, box] { loadPicture(field, filter, box); });
        if (i == 0) {
            auto* vat = new QHBoxLayout;
            vat->addWidget(new QLabel(QStringLiteral("Iva_default"), this));
            vat->addWidget(new ui::DbEdit(settings, QStringLiteral("Iva_default"), this));
            vat->addStretch();
            layout->addLayout(vat);
        }
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TimpostazioniForm::loadPicture(const QString& field, const QString& filter, QLabel* box) {
    const QString path = choose_(this, filter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::dialogs().error(QStringLiteral("Impossibile leggere il file ") + path + "\n" +
                            file.errorString());
        return;
    }
    const QByteArray bytes = file.readAll();
    QPixmap picture;
    // Bytes that are no picture would print as nothing: the old logo stays.
    if (!picture.loadFromData(bytes)) {
        ui::dialogs().error(QStringLiteral("Il file ") + path +
                            QStringLiteral(" non contiene un'immagine leggibile"));
        return;
    }
    data_.Tabimpostazioni.field(field).setValue(bytes);
    box->setPixmap(picture);
    box->update();
}

namespace utilities {

int openDefaultSettings(Tdm& data, PictureChooser choose) {
    store::Table& settings = data.Tabimpostazioni;
    if (settings.isEmpty())
        settings.append();
    else {
        settings.first();
        settings.edit();
    }
    const int result = ui::showScreen<TimpostazioniForm>(data, std::move(choose));
    if (result != QDialog::Accepted) {
        settings.cancel();
        return result;
    }
    try {
        settings.post();
    } catch (...) {
        settings.cancel();
        throw;
    }
    return result;
}

} // namespace utilities
