// Writing through a table object: appending, editing, posting, cancelling and deleting
// records, and the atomic write over several objects.
#include "store/table.h"

#include "store/engine.h"
#include "store/error.h"
#include "store/value.h"

#include <algorithm>

namespace store {

void Table::setState(DataSetState state) {
    state_ = state;
    notify(DataEvent::StateChanged);
}

void Table::initNewRecord() {
    if (!master_ || !master_->active())
        return;
    for (size_t i = 0; i < masterFields_.size(); ++i)
        setFieldValue(detailFields_[i], master_->fieldValue(masterFields_[i]));
}

void Table::append() {
    requireActive();
    checkBrowseMode();
    fire(Event::BeforeInsert);
    savedBuffer_.swap(buffer_); // moved, not copied: appending many records stays cheap
    savedShownRowid_ = shownRowid_;
    buffer_.assign(fields_.size(), QVariant());
    allocate_ = nullptr;
    followers_.clear();
    shownRowid_ = 0;
    setState(DataSetState::Insert);
    initNewRecord();
    // The link fields a detail copies from its master are where a new record starts, not an
    // edit: a record nobody wrote in is dropped, not posted, when the cursor moves on.
    modified_ = false;
    computeDerived(buffer_);
    fire(Event::AfterInsert);
    notify(DataEvent::DataSetChanged);
}

void Table::edit() {
    requireActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        return;
    ensureRows();
    if (rows_.empty()) {
        append();
        return;
    }
    fire(Event::BeforeEdit);
    readCurrent(); // edit what is in the file now, not what was read earlier
    savedBuffer_ = buffer_;
    savedShownRowid_ = shownRowid_;
    modified_ = false;
    setState(DataSetState::Edit);
    fire(Event::AfterEdit);
}

void Table::post() {
    requireActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        return;
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->updateData(*this);
    fire(Event::BeforePost);
    for (size_t i = 0; i < def_->fields.size(); ++i)
        if (def_->fields[i].required && buffer_[i].isNull())
            throw Error(QStringLiteral("Il campo %1 della tabella %2 deve avere un valore.")
                            .arg(def_->fields[i].name, name_));
    // The file writes the stored fields, the first of the buffer, straight from it.
    const size_t stored = def_->fields.size();
    if (state_ == DataSetState::Insert) {
        currentRowid_ = insertRenumbering();
        if (master_ && master_->state_ == DataSetState::Insert)
            master_->noteFollower(*this);
        followers_.clear();
    } else {
        // Only what this edit changed is written: a value the object read as blank because it
        // does not fit its field stays in the file, and so does another writer's change.
        std::vector<bool> changed(stored);
        for (size_t i = 0; i < stored; ++i)
            changed[i] = i >= savedBuffer_.size() || buffer_[i] != savedBuffer_[i];
        file_->update(currentRowid_, buffer_, changed);
    }
    const bool inserted = state_ == DataSetState::Insert;
    modified_ = false;
    state_ = DataSetState::Browse;
    // The list of rows is rebuilt lazily, at the next move or count, so that posting many
    // records in a row stays linear; the rebuild puts the cursor on the posted record.
    invalidate();
    if (inserted) {
        // A new record holds what was just written, each value already in its stored form; an
        // edit is read again, since another writer may have changed the fields it left alone.
        shownRowid_ = currentRowid_;
        computeDerived(buffer_);
    } else {
        readCurrent();
    }
    notify(DataEvent::StateChanged);
    notify(DataEvent::DataSetChanged);
    fire(Event::AfterPost);
}

void Table::setAllocatedIdentifier(const QString& field, std::function<int()> next) {
    const int index = def_->fieldIndex(field);
    if (index < 0 || index != def_->fieldIndex(def_->key))
        return; // only the unique key can collide
    allocatedField_ = index;
    allocatedValue_ = buffer_[size_t(index)];
    allocate_ = std::move(next);
}

// Two copies of the program allocate the same next identifier when they read the highest one
// at the same moment: the later post takes a fresh one instead of failing. A value the user
// typed, or changed after it was allocated, is refused as before.
qint64 Table::insertRenumbering() {
    constexpr int attempts = 100;
    for (int attempt = 0;; ++attempt) {
        try {
            return file_->insert(buffer_);
        } catch (const KeyViolation&) {
            if (!allocate_ || attempt >= attempts ||
                buffer_[size_t(allocatedField_)] != allocatedValue_)
                throw;
        }
        const std::function<int()> next = allocate_;
        const QVariant taken = allocatedValue_;
        const int fresh = next();
        moveFollowers(taken, fresh);
        Field(*this, allocatedField_).setAsInteger(fresh);
        allocate_ = next;
        allocatedValue_ = buffer_[size_t(allocatedField_)];
        // What the change handlers set along with the identifier goes in as well, from buffer_.
    }
}

void Table::noteFollower(const Table& detail) {
    const int key = def_->fieldIndex(def_->key);
    for (size_t i = 0; i < detail.masterFields_.size(); ++i)
        if (key >= 0 && detail.masterFields_[i] == key)
            followers_.push_back({detail.file_, detail.currentRowid_, detail.detailFields_[i]});
}

// Moves what was posted under the identifier this record lost to the one it takes, before the
// details see the new value and show what belongs to it.
void Table::moveFollowers(const QVariant& from, const QVariant& to) {
    for (const Follower& f : followers_) {
        std::vector<QVariant> values;
        if (!f.file->read(f.rowid, values) || values[size_t(f.field)] != from)
            continue;
        values[size_t(f.field)] = to;
        std::vector<bool> changed(values.size());
        changed[size_t(f.field)] = true;
        f.file->update(f.rowid, values, changed);
    }
}

void Table::cancel() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        return;
    fire(Event::BeforeCancel);
    followers_.clear();
    const bool editing = state_ == DataSetState::Edit;
    modified_ = false;
    state_ = DataSetState::Browse;
    // Nothing was written: the record shown before comes back as it was read, without asking
    // the file, which another program may be holding locked.
    buffer_ = savedBuffer_;
    buffer_.resize(fields_.size());
    shownRowid_ = savedShownRowid_;
    if (editing) {
        // The edited record may have changed or gone meanwhile: show the file's version when
        // the file answers; otherwise the next move reads it.
        try {
            ensureRows();
            if (positionOf(currentRowid_) < 0)
                currentRowid_ = pos_ >= 0 && pos_ < int(rows_.size()) ? rows_[size_t(pos_)] : 0;
            readCurrent();
        } catch (const Error&) {
            buffer_ = savedBuffer_;
            buffer_.resize(fields_.size());
            shownRowid_ = savedShownRowid_;
            invalidate();
        }
    }
    notify(DataEvent::StateChanged);
    notify(DataEvent::DataSetChanged);
    fire(Event::AfterCancel);
}

void Table::deleteRecord() {
    requireActive();
    if (state_ == DataSetState::Insert) {
        cancel();
        return;
    }
    // The record the user sees, as it was read from the file.
    const qint64 shown = shownRowid_;
    if (state_ == DataSetState::Edit)
        cancel();
    ensureRows();
    if (rows_.empty() || currentRowid_ == 0)
        throw Error(QStringLiteral("Nessun record da eliminare nella tabella %1.").arg(name_));
    // The record the user sees was deleted meanwhile (by another object or program), lies
    // outside the filter, or could not be read: the cursor is on another record, which must not
    // be deleted instead. The user is shown that one now.
    if (currentRowid_ != shown) {
        readCurrent();
        throw Error(QStringLiteral("Il record da eliminare non è più tra quelli della tabella %1; "
                                   "l'elenco è stato aggiornato.")
                        .arg(name_));
    }
    fire(Event::BeforeDelete);
    const quint64 before = file_->version();
    const bool listCurrent =
        rowsValid_ && before == seenVersion_ && pos_ >= 0 && rows_[size_t(pos_)] == currentRowid_;
    file_->remove(currentRowid_);
    const quint64 after = file_->version();
    if (listCurrent && after == before + 1) {
        // Only this delete changed the file since the rows were read: drop it from the list
        // instead of reading the list again, so that deleting record after record stays linear.
        rows_.erase(rows_.begin() + pos_);
        seenVersion_ = after;
    } else {
        invalidate();
        currentRowid_ = 0;
        ensureRows();
    }
    if (rows_.empty()) {
        pos_ = -1;
        eof_ = bof_ = true;
    } else {
        pos_ = std::min(pos_, int(rows_.size()) - 1);
    }
    moveTo(pos_, false);
    fire(Event::AfterDelete);
    fire(Event::AfterScroll);
    notify(DataEvent::DataSetChanged);
}

// ---------------------------------------------------------------------------------------------
// Atomic write

AtomicWrite::AtomicWrite(const std::vector<Table*>& tables)
    : tables_(tables) {
    std::vector<std::shared_ptr<TableFile>> files;
    for (Table* table : tables_)
        files.push_back(table->file() ? table->file()
                                      : openTableFile(table->databaseName(), table->definition()));
    if (!files.empty())
        unit_ = beginAtomicWrite(files);
}

AtomicWrite::~AtomicWrite() {
    if (!unit_)
        return;
    unit_.reset();
    // Rolled back: what the objects show may no longer be in their files.
    for (Table* table : tables_) {
        try {
            if (table->state() == DataSetState::Browse)
                table->refresh();
        } catch (const Error&) {
            // The next move reads the file again anyway.
        }
    }
}

void AtomicWrite::commit() {
    if (!unit_)
        return;
    unit_->commit();
    unit_.reset();
}

} // namespace store
