// The list of every person of the open tree, in file order, with the
// primitives that keep the links between records consistent.
//
// The list owns its records. Windows that hold record pointers subscribe
// with addRemovalListener and drop them when they hear of a removal.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/box_index.h"
#include "core/model/outcome.h"
#include "core/model/person_record.h"

namespace lineara {

constexpr int kGridStep = 5;

// Hears of every change to a record before it happens: its image, its
// links or its place in the list. The undo history listens this way, so a
// step can put back exactly what an operation changed and nothing more.
class ChangeRecorder {
public:
    virtual ~ChangeRecorder() = default;
    // Before `record` changes (image, links, or its predecessor in the list).
    virtual void touch(PersonRecord* record) = 0;
    // Before only the place of `record` changes: its position and its
    // selection mark (see PersonList::editPlace). A recorder that keeps
    // just those bytes saves copying the record for a move of many boxes.
    virtual void touchPlace(PersonRecord* record) { touch(record); }
    // `record` has just been linked into the list as a new record.
    virtual void created(PersonRecord* record) = 0;
    // `record` has just been unlinked; the recorder now owns it, so that
    // an undo can link the very same record back.
    virtual void removed(PersonRecord* record) = 0;
};

extern const char kMsgNewPersonFailed[];
extern const char kMsgMarriageLimit[];

class PersonList {
public:
    PersonList() = default;
    ~PersonList();
    PersonList(const PersonList&) = delete;
    PersonList& operator=(const PersonList&) = delete;

    // --- the globals of the list ---
    // The list hands out const records only: a record is written through
    // edit(), which tells the recorder first.
    const PersonRecord* personListHead() const { return head_; }  // also the home person
    const PersonRecord* personListTail() const { return tail_; }
    const PersonRecord* currentPerson() const { return current_; }
    void setCurrentPerson(const PersonRecord* person) { current_ = writable(person); }
    int32_t highestPersonId() const { return highestId_; }
    bool treeModified() const { return modified_; }
    void setTreeModified(bool on) { modified_ = on; }
    size_t count() const { return count_; }
    // Whether `record` is linked into the list (a record out of it has no
    // predecessor and is not the head).
    bool contains(const PersonRecord* record) const {
        return record != nullptr && (record == head_ || record->previousPerson != nullptr);
    }
    bool empty() const { return head_ == nullptr; }

    // Slots used by the last successful AddMarriage: [0] on `first`,
    // [1] on `second`; 0 where no slot was taken.
    const std::array<int, 2>& addedSlotIndex() const { return addedSlotIndex_; }

    // --- the rubber-band selection, in list order ---
    const std::vector<const PersonRecord*>& selection() const { return selection_; }
    // Makes exactly the given records the selection (each gets `selected`).
    void setSelection(std::vector<const PersonRecord*> persons);
    void clearSelection();

    // --- recording changes ---
    // While a recorder is set, every change made through the list (and
    // through edit()) is told to it first.
    void setRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
    ChangeRecorder* recorder() const { return recorder_; }
    // The one way to a writable record of the list: announces the change
    // first. Null for null.
    PersonRecord* edit(const PersonRecord* record) {
        PersonRecord* r = writable(record);
        touch(r);
        return r;
    }

    // The same for a write of the record's place only (setPos and
    // setSelected): the recorder need not keep the rest of it.
    PersonRecord* editPlace(const PersonRecord* record) {
        PersonRecord* r = writable(record);
        if (r == nullptr) return r;
        index_.changed(r);
        if (recorder_ != nullptr) recorder_->touchPlace(r);
        return r;
    }

    // --- putting back a recorded state (the undo history only) ---
    // Takes a record out of the list without freeing it or touching the
    // records that refer to it. Listeners hear of it when it `leaves` the
    // tree, not when it is only being put back at another place.
    void unlinkForRestore(PersonRecord* record, bool leaves);
    // Links a record back right after `previous` (at the front for null).
    void insertForRestore(PersonRecord* record, const PersonRecord* previous);
    void setHighestPersonId(int32_t id) { highestId_ = id; }
    // A record of the list was written back by the history.
    void restored(const PersonRecord* record) { index_.changed(record); }

    // --- where the boxes are ---
    // The index of the boxes, caught up with the list when it is asked.
    const BoxIndex& boxIndex() const { return index_; }

    // --- primitives ---
    // Appends a new, empty record with the next id, placed so that its
    // centre is near the mouse point (snapped to `gridStep`), and makes it
    // current. Sets treeModified, even when it fails.
    Outcome LagNyPerson(int32_t mouseTreeX, int32_t mouseTreeY, int32_t gridStep = kGridStep);
    // The first record in list order with this id; null for ids <= 0.
    const PersonRecord* findPersonById(int32_t id) const;
    // Removes currentPerson after clearing every reference to it.
    void removePerson();
    // Takes back the record the last LagNyPerson made, as if it had never
    // been made: removed as by removePerson, and its id is given out again.
    // Returns false, changing nothing, for any other record. currentPerson
    // is null afterwards.
    bool takeBackNewPerson(const PersonRecord* record);
    // Frees every record; treeModified is the caller's business.
    void ClearMemory();
    // Removes every record as removePerson would, but in one pass: links
    // between records that all go need no clearing. Unlike ClearMemory it
    // is told to the recorder, so an operation that replaces the whole tree
    // can be undone. highestPersonId starts again from 0.
    void removeAll();
    // Records a relationship on both persons. Fails, changing neither,
    // when either has no free slot.
    Outcome AddMarriage(const PersonRecord* first, const PersonRecord* second);
    // Moves a record of the list to the front, making it the home person.
    // Returns false, changing nothing, when it already is the head.
    bool moveToFront(const PersonRecord* record);

    // Takes every record out of the list without freeing it, in list order
    // and with its links, and leaves the list empty (a tree read apart
    // changing hands). Not told to a recorder: no history may hold these
    // records.
    std::vector<std::unique_ptr<PersonRecord>> releaseAll();

    // --- for loaders ---
    // Links a record read from a file after the tail, as it is: no id is
    // given out, but highestPersonId follows the ids seen.
    void appendLoaded(std::unique_ptr<PersonRecord> record);

    // --- removal notices ---
    // The listener hears each record just before it is freed, and nullptr
    // when the whole list is cleared.
    using RemovalListener = std::function<void(PersonRecord*)>;
    // Listening is not a change of the tree: readers may subscribe too.
    int addRemovalListener(RemovalListener listener) const;
    void removeRemovalListener(int token) const;

private:
    // The list owns every record it links, none of them a const object:
    // this is how it writes one it reached through a const link. Only the
    // list itself uses it, after telling the recorder where that matters.
    static PersonRecord* writable(const PersonRecord* record) {
        return const_cast<PersonRecord*>(record);
    }
    void touch(PersonRecord* record) {
        if (record == nullptr) return;
        index_.changed(record);
        if (recorder_ != nullptr) recorder_->touch(record);
    }
    void link(PersonRecord* record);
    void unlink(PersonRecord* record, bool notify);
    void notifyRemoval(PersonRecord* record);

    PersonRecord* head_ = nullptr;
    PersonRecord* tail_ = nullptr;
    PersonRecord* current_ = nullptr;
    int32_t highestId_ = 0;
    bool modified_ = false;
    size_t count_ = 0;
    std::array<int, 2> addedSlotIndex_{};
    std::vector<const PersonRecord*> selection_;
    mutable std::vector<std::pair<int, RemovalListener>> listeners_;
    ChangeRecorder* recorder_ = nullptr;
    mutable int nextListenerToken_ = 1;
    BoxIndex index_{*this};
};

// Calls fn(record) for every record in list order.
template <typename Fn>
void forEachPerson(const PersonList& list, Fn&& fn) {
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) fn(r);
}

}  // namespace lineara
