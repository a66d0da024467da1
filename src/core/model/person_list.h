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
    // `record` has just been linked into the list as a new record.
    virtual void created(PersonRecord* record) = 0;
    // `record` has just been unlinked; the recorder now owns it, so that
    // an undo can link the very same record back.
    virtual void removed(PersonRecord* record) = 0;
};

// A read-only view of consecutive record pointers (the selection as a
// reader sees it).
template <typename Record>
class RecordRange {
public:
    using Pointer = Record* const;
    RecordRange(Pointer* begin, Pointer* end) : begin_(begin), end_(end) {}
    Pointer* begin() const { return begin_; }
    Pointer* end() const { return end_; }
    size_t size() const { return static_cast<size_t>(end_ - begin_); }
    bool empty() const { return begin_ == end_; }
    Record* operator[](size_t i) const { return begin_[i]; }
    Record* front() const { return *begin_; }
    Record* back() const { return end_[-1]; }
    std::vector<Record*> toVector() const { return {begin_, end_}; }

private:
    Pointer* begin_;
    Pointer* end_;
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
    // Readers of the list (const access) reach only const records; the
    // mutable overloads are for the operations the document runs.
    const PersonRecord* personListHead() const { return head_; }  // also the home person
    PersonRecord* personListHead() { return head_; }
    const PersonRecord* personListTail() const { return tail_; }
    PersonRecord* personListTail() { return tail_; }
    const PersonRecord* currentPerson() const { return current_; }
    PersonRecord* currentPerson() { return current_; }
    void setCurrentPerson(PersonRecord* person) { current_ = person; }
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
    RecordRange<const PersonRecord> selection() const {
        return {selection_.data(), selection_.data() + selection_.size()};
    }
    const std::vector<PersonRecord*>& selection() { return selection_; }
    // Makes exactly the given records the selection (each gets `selected`).
    void setSelection(std::vector<PersonRecord*> persons);
    void clearSelection();

    // --- recording changes ---
    // While a recorder is set, every change made through the list (and
    // through edit()) is told to it first.
    void setRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
    ChangeRecorder* recorder() const { return recorder_; }
    // The one way to write a record of the list: announces the change.
    PersonRecord* edit(const PersonRecord* record) {
        PersonRecord* r = const_cast<PersonRecord*>(record);
        touch(r);
        return r;
    }
    // A record of this list as the operation holding the list may use it
    // (as a link target, say) without changing it yet: only the holder of
    // the mutable list, that is an operation the document runs, gets it.
    PersonRecord* own(const PersonRecord* record) { return const_cast<PersonRecord*>(record); }
    void touch(PersonRecord* record) {
        if (recorder_ != nullptr && record != nullptr) recorder_->touch(record);
    }

    // --- putting back a recorded state (the undo history only) ---
    // Takes a record out of the list without freeing it or touching the
    // records that refer to it. Listeners hear of it when it `leaves` the
    // tree, not when it is only being put back at another place.
    void unlinkForRestore(PersonRecord* record, bool leaves);
    // Links a record back right after `previous` (at the front for null).
    void insertForRestore(PersonRecord* record, PersonRecord* previous);
    void setHighestPersonId(int32_t id) { highestId_ = id; }

    // --- primitives ---
    // Appends a new, empty record with the next id, placed so that its
    // centre is near the mouse point (snapped to `gridStep`), and makes it
    // current. Sets treeModified, even when it fails.
    Outcome LagNyPerson(int32_t mouseTreeX, int32_t mouseTreeY, int32_t gridStep = kGridStep);
    // The first record in list order with this id; null for ids <= 0.
    const PersonRecord* findPersonById(int32_t id) const;
    PersonRecord* findPersonById(int32_t id) {
        return const_cast<PersonRecord*>(std::as_const(*this).findPersonById(id));
    }
    // Removes currentPerson after clearing every reference to it.
    void removePerson();
    // Takes back the record the last LagNyPerson made, as if it had never
    // been made: removed as by removePerson, and its id is given out again.
    // Returns false, changing nothing, for any other record. currentPerson
    // is null afterwards.
    bool takeBackNewPerson(PersonRecord* record);
    // Frees every record; treeModified is the caller's business.
    void ClearMemory();
    // Removes every record as removePerson would, but in one pass: links
    // between records that all go need no clearing. Unlike ClearMemory it
    // is told to the recorder, so an operation that replaces the whole tree
    // can be undone. highestPersonId starts again from 0.
    void removeAll();
    // Records a relationship on both persons. Fails, changing neither,
    // when either has no free slot.
    Outcome AddMarriage(PersonRecord* first, PersonRecord* second);
    // Moves a record of the list to the front, making it the home person.
    // Returns false, changing nothing, when it already is the head.
    bool moveToFront(PersonRecord* record);

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
    std::vector<PersonRecord*> selection_;
    mutable std::vector<std::pair<int, RemovalListener>> listeners_;
    ChangeRecorder* recorder_ = nullptr;
    mutable int nextListenerToken_ = 1;
};

// Calls fn(record) for every record in list order: const records for a
// reader, mutable ones inside an operation.
template <typename Fn>
void forEachPerson(const PersonList& list, Fn&& fn) {
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) fn(r);
}
template <typename Fn>
void forEachPerson(PersonList& list, Fn&& fn) {
    for (PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) fn(r);
}

}  // namespace lineara
