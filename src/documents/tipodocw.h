#pragma once

#include "ui/register_screen.h"

class Tdm;

/// The document types on `dm.Tab_tipodoc`: the default one drawn in red, "imposta di default",
/// a type in use by a document cannot be deleted. Closes only through "chiudi".
class Ttipodocform : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit Ttipodocform(Tdm& data, QWidget* parent = nullptr);

private:
    void deleteType();
};

/// The payment terms on `dm.tabtipo_pag`, with their twelve instalments.
class Ttipo_pagForm : public ui::RegisterScreen {
    Q_OBJECT
public:
    explicit Ttipo_pagForm(Tdm& data, QWidget* parent = nullptr);
};

/// The default document type: a type shown with a navigator over the types and "imposta".
class TimpdocForm : public ui::Screen {
    Q_OBJECT
public:
    explicit TimpdocForm(Tdm& data, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tdm& data_;
    bool shown_ = false;
};

namespace documents {
int openDocumentTypes(Tdm& data);
int openPaymentTerms(Tdm& data);
int openDefaultType(Tdm& data);
} // namespace documents
