#include "articles/seltipoartw.h"

#include "ui/formkit.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

TSELtipoartForm::TSELtipoartForm(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("SELtipoartForm"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox;
    auto* choices = new QVBoxLayout(group);
    auto* simple = new QRadioButton(QStringLiteral("Articolo sermplice"));
    simple->setChecked(true);
    serialNumber_ = new QRadioButton(QStringLiteral("Articolo con Matricola"));
    choices->addWidget(simple);
    choices->addWidget(serialNumber_);
    layout->addWidget(group);
    layout->addLayout(ui::buttonRow(this,
                                    {{QStringLiteral("OK"),
                                      [this] {
                                          accept();
                                      }},
                                     {QStringLiteral("Annulla"),
                                      [this] {
                                          reject();
                                      }}},
                                    false));
}

articles::ArticleKind TSELtipoartForm::kind() const {
    return serialNumber_->isChecked() ? articles::ArticleKind::SerialNumber
                                      : articles::ArticleKind::Simple;
}
