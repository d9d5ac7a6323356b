#include "ui/dbchoice.h"

#include "store/error.h"
#include "store/value.h"
#include "ui/dialogs.h"
#include "ui/formkit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace ui {

namespace {

// Stores a value chosen by the user; a refusal is shown and the control shows the field again.
template <class Reload> void storeChoice(FieldLink& link, const QVariant& value, Reload reload) {
    try {
        link.write(value);
    } catch (const store::Error& e) {
        reload();
        dialogs().warning(e.message());
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// DbCheckBox

DbCheckBox::DbCheckBox(const QString& caption, store::Table& table, const QString& fieldName,
                       QWidget* parent)
    : QCheckBox(caption, parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, {}, this) {
    if (link_.derived())
        setReadOnly(true);
    connect(this, &QCheckBox::clicked, this, &DbCheckBox::userClicked);
    reload();
}

void DbCheckBox::setReadOnly(bool on) {
    readOnly_ = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, on);
    setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
}

void DbCheckBox::reload() {
    const bool active = link_.active();
    setEnabled(active);
    const QSignalBlocker block(this);
    setChecked(active && link_.field().asBoolean());
}

void DbCheckBox::userClicked(bool checked) {
    if (readOnly_ || !link_.active()) {
        reload();
        return;
    }
    storeChoice(link_, checked, [this] { reload(); });
}

// ---------------------------------------------------------------------------------------------
// DbComboBox

DbComboBox::DbComboBox(store::Table& table, const QString& fieldName, QWidget* parent)
    : QComboBox(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, [this] { commit(); }, this) {
    if (link_.derived())
        setReadOnly(true);
    connect(this, &QComboBox::activated, this, &DbComboBox::chosen);
    reload();
}

void DbComboBox::setItems(const QStringList& texts, const QStringList& values) {
    Q_ASSERT(values.isEmpty() || values.size() == texts.size());
    loading_ = true;
    clear();
    addItems(texts);
    values_ = values.isEmpty() ? texts : values;
    loading_ = false;
    reload();
}

void DbComboBox::setFreeText(bool on) {
    setEditable(on);
    if (on && lineEdit()) {
        if (link_.table() && link_.type() == store::FieldType::Text)
            lineEdit()->setMaxLength(link_.field().size());
        connect(lineEdit(), &QLineEdit::textEdited, this, &DbComboBox::typed, Qt::UniqueConnection);
    }
    reload();
}

void DbComboBox::setReadOnly(bool on) {
    readOnly_ = on;
    if (lineEdit())
        lineEdit()->setReadOnly(on);
    showAsReadOnly(*this, on);
}

void DbComboBox::setValueList(const QStringList& entries) {
    QStringList values;
    for (const QString& entry : entries)
        values << entry.section(u'=', 0, 0);
    setItems(entries, values);
}

void DbComboBox::reload() {
    link_.setPending(false);
    const bool active = link_.active();
    setEnabled(active);
    loading_ = true;
    const QString value = active ? link_.field().asString() : QString();
    const int index = value.isEmpty() ? -1 : int(values_.indexOf(value));
    setCurrentIndex(index);
    if (isEditable())
        setEditText(index >= 0 ? itemText(index) : value);
    loading_ = false;
}

void DbComboBox::chosen(int index) {
    if (loading_ || readOnly_ || !link_.active() || index < 0 || index >= values_.size())
        return;
    link_.setPending(false);
    storeChoice(link_, values_[index], [this] { reload(); });
}

void DbComboBox::typed() {
    if (loading_ || readOnly_ || link_.pending() || !link_.active())
        return;
    if (!link_.startPendingEdit())
        reload();
}

void DbComboBox::commit() {
    if (!link_.pending() || !link_.active() || readOnly_ || !isEditable())
        return;
    const QString text = currentText();
    const int index = int(findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    link_.storePending(index >= 0 ? values_[index] : text);
}

void DbComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    link_.focusLeft(event->reason());
}

void DbComboBox::keyPressEvent(QKeyEvent* event) {
    if (readOnly_ && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DbComboBox::mousePressEvent(QMouseEvent* event) {
    if (!readOnly_)
        QComboBox::mousePressEvent(event);
}

void DbComboBox::wheelEvent(QWheelEvent* event) {
    if (!readOnly_)
        QComboBox::wheelEvent(event);
}

// ---------------------------------------------------------------------------------------------
// DbLookupCombo

/// Tells the list when the source object's records change or it is closed or destroyed.
class DbLookupCombo::SourceLink final : public store::DataLink {
public:
    SourceLink(DbLookupCombo& owner, store::Table& source)
        : owner_(owner)
        , source_(&source)
        , keyIndex_(source.field(owner.sourceKeyField_).index())
        , resultIndex_(source.field(owner.resultField_).index()) {
        source_->addLink(this);
    }
    ~SourceLink() override {
        if (source_)
            source_->removeLink(this);
    }
    void dataEvent(store::Table&, store::DataEvent event, int) override {
        if (event == store::DataEvent::ActiveChanged || event == store::DataEvent::DataSetChanged) {
            owner_.listStale_ = true;
            owner_.reload();
        }
    }
    void tableDestroyed(store::Table&) override {
        source_ = nullptr;
        owner_.listStale_ = true;
        owner_.reload();
    }
    store::Table* source() const { return source_; }
    int keyIndex() const { return keyIndex_; }
    int resultIndex() const { return resultIndex_; }

private:
    DbLookupCombo& owner_;
    store::Table* source_;
    int keyIndex_;
    int resultIndex_;
};

DbLookupCombo::DbLookupCombo(store::Table& table, const QString& fieldName, store::Table& source,
                             const QString& sourceKeyField, const QString& resultField,
                             QWidget* parent)
    : QComboBox(parent)
    , link_(
          table, fieldName, [this](Refresh) { reload(); }, {}, this)
    , sourceKeyField_(sourceKeyField)
    , resultField_(resultField) {
    sourceLink_ = std::make_unique<SourceLink>(*this, source);
    if (link_.derived())
        setReadOnly(true);
    connect(this, &QComboBox::activated, this, &DbLookupCombo::chosen);
    reload();
}

DbLookupCombo::~DbLookupCombo() = default;

void DbLookupCombo::setReadOnly(bool on) {
    readOnly_ = on;
    showAsReadOnly(*this, on);
}

void DbLookupCombo::fillList() {
    listStale_ = false;
    clear();
    store::Table* source = sourceLink_ ? sourceLink_->source() : nullptr;
    if (!source || !source->active())
        return;
    const int keyIndex = sourceLink_->keyIndex();
    const int resultIndex = sourceLink_->resultIndex();
    const store::FieldType resultType = source->field(resultIndex).type();
    source->readEach([&](const std::vector<QVariant>& record) {
        addItem(store::value::toText(resultType, record[size_t(resultIndex)]),
                record[size_t(keyIndex)]);
    });
}

void DbLookupCombo::reload() {
    if (!sourceLink_)
        return; // still being built
    loading_ = true;
    if (listStale_)
        fillList();
    const bool active = link_.active();
    setEnabled(active);
    const QVariant key = active ? link_.field().value() : QVariant();
    int index = -1;
    if (!key.isNull())
        for (int i = 0; i < count() && index < 0; ++i)
            if (itemData(i) == key)
                index = i;
    setCurrentIndex(index);
    loading_ = false;
}

void DbLookupCombo::chosen(int index) {
    if (loading_ || readOnly_ || !link_.active() || index < 0)
        return;
    storeChoice(link_, itemData(index), [this] { reload(); });
}

void DbLookupCombo::keyPressEvent(QKeyEvent* event) {
    if (readOnly_ && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DbLookupCombo::mousePressEvent(QMouseEvent* event) {
    if (!readOnly_)
        QComboBox::mousePressEvent(event);
}

void DbLookupCombo::wheelEvent(QWheelEvent* event) {
    if (!readOnly_)
        QComboBox::wheelEvent(event);
}

} // namespace ui
