#pragma once

#include <QDialog>

class QLabel;

/// The splash shown while the program starts: it closes itself after one second.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
    QString loadingText() const;

private:
    QLabel* Label1;
};

/// The about box: program picture, title, version.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    /// The version text, also shown in the main window's status bar.
    static QString versionText();
};
