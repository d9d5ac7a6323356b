#include "app/splashw.h"

#include "app/artwork.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Caricamento in corso"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(app::programPicture(QSize(220, 220)));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture, 1);
    Label1 = new QLabel(QStringLiteral("Caricamento in corso del software..."), this);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);
    setFixedSize(460, 300);

    auto* text = new QTimer(this);
    text->setInterval(100);
    connect(text, &QTimer::timeout, this, [this] {
        Label1->setText(
            QStringLiteral("Caricamento in corso di Misuratori Fiscali....... attendere........."));
    });
    text->start();
    auto* close = new QTimer(this);
    close->setInterval(1000);
    close->setSingleShot(true);
    connect(close, &QTimer::timeout, this, &QDialog::accept);
    close->start();
}

QString TAboutForm::loadingText() const {
    return Label1->text();
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Informazioni su..."));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(app::programPicture(QSize(72, 72)));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(QStringLiteral("Gestione assistenza tecnica , collegabile alle\n"
                                            "Verificazioni Periodiche sui Misuratori Fiscali"),
                             this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    texts->addWidget(title);
    auto* LabelVersione = new QLabel(versionText(), this);
    LabelVersione->setObjectName(QStringLiteral("LabelVersione"));
    texts->addWidget(LabelVersione);
    texts->addStretch();
    top->addLayout(texts);
    layout->addLayout(top);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

QString TAboutBox::versionText() {
    return QStringLiteral("Versione 1.020");
}
