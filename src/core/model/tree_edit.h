// What an operation holds while it changes the tree: the list to read, and
// the changes it may make, every one of them told to the recorder.
//
// The document runs each operation with one of these over its list (see
// Document::change), so that undo knows everything the operation did. It
// hands out const records only; the one way to a writable record is edit(),
// which records the record first. A write through a record reached any
// other way (the current person, a link, a walk of the list) does not
// compile. Writing a record without recording it would let the next undo
// take back the step before instead.
//
// Over a list that no document holds (a file being read, a test's tree)
// nothing listens, and the same operations simply change the list.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/outcome.h"
#include "core/model/person_list.h"

namespace lineara {

class TreeEdit {
public:
    explicit TreeEdit(PersonList& list) : list_(list) {}
    TreeEdit(const TreeEdit&) = delete;
    TreeEdit& operator=(const TreeEdit&) = delete;

    // --- reading, as every reader of the list does ---
    const PersonList& persons() const { return list_; }
    operator const PersonList&() const { return list_; }  // NOLINT: a reader takes it as a list
    const PersonRecord* personListHead() const { return list_.personListHead(); }
    const PersonRecord* personListTail() const { return list_.personListTail(); }
    const PersonRecord* currentPerson() const { return list_.currentPerson(); }
    const std::vector<const PersonRecord*>& selection() const { return list_.selection(); }
    const PersonRecord* findPersonById(int32_t id) const { return list_.findPersonById(id); }
    int32_t highestPersonId() const { return list_.highestPersonId(); }
    size_t count() const { return list_.count(); }
    bool empty() const { return list_.empty(); }
    bool contains(const PersonRecord* record) const { return list_.contains(record); }
    const std::array<int, 2>& addedSlotIndex() const { return list_.addedSlotIndex(); }

    // --- writing a record ---
    // Records `record` as it is now and hands it out for writing. Null for
    // null.
    PersonRecord* edit(const PersonRecord* record) { return list_.edit(record); }
    // Sets a box's position and selection mark, recording those alone: an
    // arrangement of the whole tree keeps positions, not records.
    void setPlace(const PersonRecord* record, int32_t x, int32_t y, bool selected) {
        PersonRecord* r = list_.editPlace(record);
        r->setPos(x, y);
        r->setSelected(selected);
    }

    // --- the list primitives (see person_list.h), each recorded ---
    Outcome LagNyPerson(int32_t mouseTreeX, int32_t mouseTreeY, int32_t gridStep = kGridStep) {
        return list_.LagNyPerson(mouseTreeX, mouseTreeY, gridStep);
    }
    void removePerson() { list_.removePerson(); }
    bool takeBackNewPerson(const PersonRecord* record) { return list_.takeBackNewPerson(record); }
    void removeAll() { list_.removeAll(); }
    Outcome AddMarriage(const PersonRecord* first, const PersonRecord* second) {
        return list_.AddMarriage(first, second);
    }
    bool moveToFront(const PersonRecord* record) { return list_.moveToFront(record); }
    void appendLoaded(std::unique_ptr<PersonRecord> record) {
        list_.appendLoaded(std::move(record));
    }

    // --- the state of the list as a whole, which a step keeps on both sides ---
    void setCurrentPerson(const PersonRecord* person) { list_.setCurrentPerson(person); }
    void setSelection(std::vector<const PersonRecord*> persons) {
        list_.setSelection(std::move(persons));
    }
    void clearSelection() { list_.clearSelection(); }
    void setHighestPersonId(int32_t id) { list_.setHighestPersonId(id); }

private:
    PersonList& list_;
};

}  // namespace lineara
