#include "core/model/person_list.h"

#include "core/platform/translatable.h"

#include <algorithm>
#include <limits>
#include <new>

namespace lineara {

const char kMsgNewPersonFailed[] = LINEARA_TRANSLATABLE("Core", "Failed to create new person item");
const char kMsgMarriageLimit[] = LINEARA_TRANSLATABLE(
    "Core", "Error: Could not create marriage. This version only supports 8 marriages.");

PersonList::~PersonList() { ClearMemory(); }

void PersonList::link(PersonRecord* record) {
    record->previousPerson = tail_;
    record->nextPerson = nullptr;
    if (tail_ != nullptr) {
        tail_->nextPerson = record;
    } else {
        head_ = record;
    }
    tail_ = record;
    ++count_;
    index_.placed(record);
}

Outcome PersonList::LagNyPerson(int32_t mouseTreeX, int32_t mouseTreeY, int32_t gridStep) {
    modified_ = true;
    // An id must never wrap round to a negative number; only a foreign file
    // can bring the highest id this far up.
    if (highestId_ == std::numeric_limits<int32_t>::max()) {
        return Outcome::failure(kMsgNewPersonFailed);
    }
    std::unique_ptr<PersonRecord> record(new (std::nothrow) PersonRecord());
    if (!record) return Outcome::failure(kMsgNewPersonFailed);

    PersonRecord* r = record.release();
    link(r);
    if (recorder_ != nullptr) recorder_->created(r);
    ++highestId_;
    r->setPersonId(highestId_);
    // Integer division truncates towards zero, so the box's centre lands
    // near the mouse on either side of the origin.
    auto snap = [gridStep](int64_t mouse, int64_t half) {
        int64_t v = ((mouse - half) / gridStep) * gridStep - gridStep / 2;
        v = std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max());
        return static_cast<int32_t>(v);
    };
    r->setPos(snap(mouseTreeX, kBoxWidth / 2), snap(mouseTreeY, kBoxHeight / 2));
    current_ = r;
    return Outcome::success();
}

const PersonRecord* PersonList::findPersonById(int32_t id) const {
    if (id <= 0) return nullptr;
    for (const PersonRecord* r = head_; r != nullptr; r = r->nextPerson) {
        if (r->personId() == id) return r;
    }
    return nullptr;
}

void PersonList::removePerson() {
    PersonRecord* r = current_;
    if (r == nullptr) return;

    touch(r);
    if (r->isAliasBox() && r->father != nullptr) edit(r->father)->setText(field::aliasMark, "");
    for (PersonRecord* q = head_; q != nullptr; q = writable(q->nextPerson)) {
        if (q == r) continue;
        bool refers = q->father == r || q->mother == r;
        for (int i = 1; i <= kRelationSlots; ++i) refers = refers || q->partner[i] == r;
        if (!refers) continue;
        touch(q);
        if (q->father == r) {
            q->father = nullptr;
            // The alias box of a removed original becomes an ordinary person
            // that keeps its copy of the data.
            if (q->isAliasBox()) q->setText(field::aliasMark, "");
        }
        if (q->mother == r) q->mother = nullptr;
        for (int i = 1; i <= kRelationSlots; ++i) {
            if (q->partner[i] == r) q->partner[i] = nullptr;
        }
    }

    unlink(r, true);
    current_ = nullptr;
    if (recorder_ != nullptr) {
        recorder_->removed(r);
    } else {
        delete r;
    }
}

void PersonList::unlink(PersonRecord* r, bool notify) {
    // The record after this one gets a new predecessor.
    PersonRecord* previous = writable(r->previousPerson);
    PersonRecord* next = edit(r->nextPerson);
    if (previous != nullptr) {
        previous->nextPerson = next;
    } else {
        head_ = next;
    }
    if (next != nullptr) {
        next->previousPerson = previous;
    } else {
        tail_ = previous;
    }
    r->nextPerson = r->previousPerson = nullptr;
    --count_;
    index_.unlinked(r);

    // A selection must never keep a pointer to a record out of the list.
    auto it = std::find(selection_.begin(), selection_.end(), r);
    if (it != selection_.end()) selection_.erase(it);
    if (current_ == r) current_ = nullptr;
    if (notify) notifyRemoval(r);
}

void PersonList::unlinkForRestore(PersonRecord* record, bool leaves) { unlink(record, leaves); }

void PersonList::insertForRestore(PersonRecord* record, const PersonRecord* previous) {
    PersonRecord* next = previous != nullptr ? writable(previous->nextPerson) : head_;
    record->previousPerson = previous;
    record->nextPerson = next;
    if (previous != nullptr) {
        writable(previous)->nextPerson = record;
    } else {
        head_ = record;
    }
    if (next != nullptr) {
        next->previousPerson = record;
    } else {
        tail_ = record;
    }
    ++count_;
    index_.placed(record);
}

bool PersonList::takeBackNewPerson(const PersonRecord* record) {
    // The newest record is the tail and holds the highest id; nothing else
    // may lower the id, or a later record could get an id already in use.
    if (record == nullptr || record != tail_ || record->personId() != highestId_) return false;
    current_ = tail_;
    removePerson();
    --highestId_;
    return true;
}

void PersonList::ClearMemory() {
    index_.reset();
    highestId_ = 0;
    clearSelection();
    notifyRemoval(nullptr);
    PersonRecord* r = head_;
    while (r != nullptr) {
        PersonRecord* next = writable(r->nextPerson);
        delete r;
        r = next;
    }
    head_ = tail_ = current_ = nullptr;
    count_ = 0;
}

void PersonList::removeAll() {
    if (recorder_ == nullptr) {
        ClearMemory();
        return;
    }
    // Everything goes: the index starts again when it is next asked.
    index_.reset();
    // Every record is announced before the selection marks go, so undo
    // gives them back; then the list empties from its tail, where taking a
    // record out touches no other.
    for (PersonRecord* r = head_; r != nullptr; r = writable(r->nextPerson)) touch(r);
    clearSelection();
    while (tail_ != nullptr) {
        PersonRecord* r = tail_;
        unlink(r, true);
        recorder_->removed(r);
    }
    current_ = nullptr;
    highestId_ = 0;
}

Outcome PersonList::AddMarriage(const PersonRecord* first, const PersonRecord* second) {
    auto freeSlot = [](const PersonRecord* person, int taken) {
        for (int i = 1; i <= kRelationSlots; ++i) {
            if (person->partner[i] == nullptr && i != taken) return i;
        }
        return 0;
    };
    auto fillSlot = [](PersonRecord* person, int slot, const PersonRecord* partner) {
        person->partner[slot] = partner;
        person->setText(field::relationPlace(slot), "");
        person->setText(field::relationDate(slot), "");
        person->setRelationType(slot, 'M');
    };

    // Both slots are found before either is written, so a refusal leaves
    // both persons exactly as they were, leftovers of empty slots included.
    addedSlotIndex_ = {0, 0};
    int i = freeSlot(first, 0);
    if (i == 0) return Outcome::failure(kMsgMarriageLimit);
    addedSlotIndex_[0] = i;
    int j = freeSlot(second, first == second ? i : 0);
    if (j == 0) return Outcome::failure(kMsgMarriageLimit);
    addedSlotIndex_[1] = j;
    PersonRecord* one = edit(first);
    PersonRecord* other = edit(second);
    fillSlot(one, i, second);
    fillSlot(other, j, first);
    return Outcome::success();
}

bool PersonList::moveToFront(const PersonRecord* front) {
    if (front == nullptr || front == head_) return false;
    PersonRecord* record = edit(front);
    PersonRecord* next = edit(record->nextPerson);
    touch(head_);
    // Not the head, so it has a predecessor.
    PersonRecord* previous = writable(record->previousPerson);
    previous->nextPerson = next;
    if (next != nullptr) {
        next->previousPerson = previous;
    } else {
        tail_ = previous;
    }
    record->previousPerson = nullptr;
    record->nextPerson = head_;
    head_->previousPerson = record;
    head_ = record;
    index_.placed(record);
    return true;
}

std::vector<std::unique_ptr<PersonRecord>> PersonList::releaseAll() {
    index_.reset();
    clearSelection();
    notifyRemoval(nullptr);
    std::vector<std::unique_ptr<PersonRecord>> records;
    records.reserve(count_);
    for (PersonRecord* r = head_; r != nullptr;) {
        PersonRecord* next = writable(r->nextPerson);
        r->previousPerson = nullptr;
        r->nextPerson = nullptr;
        records.emplace_back(r);
        r = next;
    }
    head_ = tail_ = current_ = nullptr;
    count_ = 0;
    highestId_ = 0;
    return records;
}

void PersonList::appendLoaded(std::unique_ptr<PersonRecord> record) {
    PersonRecord* r = record.release();
    link(r);
    if (recorder_ != nullptr) recorder_->created(r);
    if (r->personId() > highestId_) highestId_ = r->personId();
}

// The selection marks are bytes of the records, but the selection is not
// a change of the tree: a step keeps it as a whole on either side, so the
// marks are written here without telling the recorder.
void PersonList::setSelection(std::vector<const PersonRecord*> persons) {
    clearSelection();
    selection_ = std::move(persons);
    for (const PersonRecord* p : selection_) writable(p)->setSelected(true);
}

void PersonList::clearSelection() {
    for (const PersonRecord* p : selection_) writable(p)->setSelected(false);
    selection_.clear();
}

int PersonList::addRemovalListener(RemovalListener listener) const {
    int token = nextListenerToken_++;
    listeners_.emplace_back(token, std::move(listener));
    return token;
}

void PersonList::removeRemovalListener(int token) const {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [token](const auto& l) { return l.first == token; }),
                     listeners_.end());
}

void PersonList::notifyRemoval(PersonRecord* record) {
    for (auto& entry : listeners_) entry.second(record);
}

}  // namespace lineara
