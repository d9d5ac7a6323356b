#pragma once

#include <QDialog>

class QRadioButton;

namespace articles {
/// The kinds of article a new one can be.
enum class ArticleKind { Simple, SerialNumber };
} // namespace articles

/// The kind chooser of a new article: simple (preselected) or with serial number.
class TSELtipoartForm : public QDialog {
    Q_OBJECT
public:
    explicit TSELtipoartForm(QWidget* parent = nullptr);
    articles::ArticleKind kind() const;

private:
    QRadioButton* serialNumber_;
};
