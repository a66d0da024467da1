#include "core/history/record_step.h"

#include <cstring>

namespace lineara {

RecordStep::Links linksOf(const PersonRecord& record) {
    RecordStep::Links links{};
    links[0] = record.mother;
    links[1] = record.father;
    for (int i = 1; i <= kRelationSlots; ++i) links[1 + slotIndex(i)] = record.partner[i];
    return links;
}

namespace {

// A run's offset and length are kept as two bytes, low byte first.
size_t twoBytes(const uint8_t* p) { return size_t{p[0]} | size_t{p[1]} << 8; }

void setLinks(PersonRecord& record, const RecordStep::Links& links) {
    record.mother = links[0];
    record.father = links[1];
    for (int i = 1; i <= kRelationSlots; ++i) record.partner[i] = links[1 + slotIndex(i)];
}

// Appends the runs where `before` and `after` differ. Runs closer than a
// few bytes are joined, since a run's header costs four.
// `base` is where the compared bytes start in the record.
void appendRuns(const uint8_t* before, const uint8_t* after, size_t size, size_t base,
                std::vector<uint8_t>& out) {
    size_t i = 0;
    while (i < size) {
        // Most of a touched record is as it was: pass over it a word at a
        // time (a move changes 8 bytes of the 2560).
        while (i + 8 <= size && std::memcmp(before + i, after + i, 8) == 0) i += 8;
        if (i >= size) break;
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        size_t same = 0;
        for (size_t j = end; j < size && same < 4; ++j) {
            if (before[j] == after[j]) {
                ++same;
            } else {
                same = 0;
                end = j + 1;
            }
        }
        uint16_t off = static_cast<uint16_t>(base + i), len = static_cast<uint16_t>(end - i);
        out.push_back(static_cast<uint8_t>(off & 0xff));
        out.push_back(static_cast<uint8_t>(off >> 8));
        out.push_back(static_cast<uint8_t>(len & 0xff));
        out.push_back(static_cast<uint8_t>(len >> 8));
        out.insert(out.end(), before + i, before + end);
        out.insert(out.end(), after + i, after + end);
        i = end;
    }
}

// The place of a box: its position and its selection mark, side by side
// in the record.
constexpr size_t kPlaceStart = offset::posX;
constexpr size_t kPlaceSize = offset::selected + 1 - offset::posX;
static_assert(offset::posY == offset::posX + 4 && offset::selected == offset::posY + 4,
              "the place of a box is one run of the record");

}  // namespace

// What the builder keeps of a touched record until the step is made: its
// side before the operation only, as the step's entry gets the side after
// at the end. A whole-tree arrangement holds one for every record.
struct RecordStepBuilder::Pending {
    struct {
        PersonRecord* record = nullptr;
        RecordStep::Side before;
    } entry;
    // The whole record as it was; null for a new record, and for one whose
    // place alone has changed.
    std::unique_ptr<PersonRecord::Image> imageBefore;
    bool placeOnly = false;
    std::array<uint8_t, kPlaceSize> placeBefore{};

    // A record of the list as it stands before the operation changes it;
    // the caller keeps its bytes, whole or its place only.
    static Pending inList(PersonRecord* record) {
        Pending p;
        p.entry.record = record;
        p.entry.before.inList = true;
        p.entry.before.previous = record->previousPerson;
        p.entry.before.links = linksOf(*record);
        return p;
    }
};

RecordStepBuilder::RecordStepBuilder(PersonList& list)
    : list_(list), before_(captureListState(list)) {
    list_.setRecorder(this);
}

RecordStepBuilder::~RecordStepBuilder() {
    if (attached_) list_.setRecorder(nullptr);
    // An abandoned builder still owns what the operation removed.
    for (auto& p : pending_) {
        if (p.entry.before.inList && !list_.contains(p.entry.record)) delete p.entry.record;
    }
}

void RecordStepBuilder::touch(PersonRecord* record) {
    auto known = index_.find(record);
    if (known != index_.end()) {
        Pending& p = pending_[known->second];
        if (!p.placeOnly) return;
        // Only its place has changed so far: the record as it was is the
        // record now with the place it had.
        p.placeOnly = false;
        p.imageBefore = std::make_unique<PersonRecord::Image>(record->image());
        std::copy(p.placeBefore.begin(), p.placeBefore.end(), p.imageBefore->begin() + kPlaceStart);
        return;
    }
    index_.emplace(record, pending_.size());
    Pending p = Pending::inList(record);
    p.imageBefore = std::make_unique<PersonRecord::Image>(record->image());
    pending_.push_back(std::move(p));
}

void RecordStepBuilder::touchPlace(PersonRecord* record) {
    if (index_.count(record) != 0) return;
    index_.emplace(record, pending_.size());
    Pending p = Pending::inList(record);
    p.placeOnly = true;
    const uint8_t* place = record->image().data() + kPlaceStart;
    std::copy(place, place + kPlaceSize, p.placeBefore.begin());
    pending_.push_back(std::move(p));
}

void RecordStepBuilder::created(PersonRecord* record) {
    if (index_.count(record) != 0) return;
    index_.emplace(record, pending_.size());
    Pending p;
    p.entry.record = record;
    p.entry.before.inList = false;
    pending_.push_back(std::move(p));
}

void RecordStepBuilder::removed(PersonRecord* record) {
    // Touched before it was unlinked; from here on the step keeps it alive.
    touch(record);
}

std::unique_ptr<RecordStep> RecordStepBuilder::finish(std::string name) {
    list_.setRecorder(nullptr);
    attached_ = false;
    std::vector<RecordStep::Entry> entries;
    std::vector<uint8_t> diffs;
    entries.reserve(pending_.size());
    for (auto& p : pending_) {
        RecordStep::Entry e;
        e.record = p.entry.record;
        e.before = p.entry.before;
        PersonRecord* r = e.record;
        e.after.inList = list_.contains(r);
        e.after.previous = e.after.inList ? r->previousPerson : nullptr;
        e.after.links = linksOf(*r);
        e.diffStart = static_cast<uint32_t>(diffs.size());
        if (p.imageBefore) {
            appendRuns(p.imageBefore->data(), r->image().data(), kRecordSize, 0, diffs);
        } else if (p.placeOnly) {
            appendRuns(p.placeBefore.data(), r->image().data() + kPlaceStart, kPlaceSize,
                       kPlaceStart, diffs);
        }
        e.diffEnd = static_cast<uint32_t>(diffs.size());
        p.imageBefore.reset();
        bool same = e.before.inList == e.after.inList && e.before.previous == e.after.previous &&
                    e.before.links == e.after.links && e.diffStart == e.diffEnd;
        if (!e.before.inList && !e.after.inList) {
            delete r;  // made and removed within the operation
            continue;
        }
        if (same) continue;  // touched, then left as it was
        entries.push_back(e);
    }
    pending_.clear();
    ListState after = captureListState(list_, before_.selection);
    bool listSame = after.selection == before_.selection && after.current == before_.current &&
                    after.highestPersonId == before_.highestPersonId;
    if (entries.empty() && listSame) return nullptr;
    diffs.shrink_to_fit();
    return std::make_unique<RecordStep>(std::move(name), before_, std::move(after),
                                        std::move(entries), std::move(diffs));
}

RecordStep::RecordStep(std::string name, ListState before, ListState after,
                       std::vector<Entry> entries, std::vector<uint8_t> diffs)
    : TreeStep(std::move(name), std::move(before), std::move(after)),
      entries_(std::move(entries)),
      diffs_(std::move(diffs)) {}

RecordStep::~RecordStep() = default;

size_t RecordStep::bytes() const {
    size_t n = listStateBytes() + entries_.capacity() * sizeof(Entry) + diffs_.capacity();
    // Records that are out of the list on one side are kept whole.
    for (const Entry& e : entries_) {
        if (!e.before.inList || !e.after.inList) n += sizeof(PersonRecord);
    }
    return n;
}

void RecordStep::discard(bool applied) {
    if (discarded_) return;
    discarded_ = true;
    for (const Entry& e : entries_) {
        const Side& now = applied ? e.after : e.before;
        if (!now.inList) delete e.record;
    }
}

void RecordStep::restoreRecords(PersonList& list, bool toBefore) {
    // Take every record of the step out, then link those of the target
    // side back after their predecessors there. Records the step did not
    // touch kept their order, so this gives back the target's order.
    for (const Entry& e : entries_) {
        bool stays = toBefore ? e.before.inList : e.after.inList;
        if (list.contains(e.record)) list.unlinkForRestore(e.record, !stays);
    }
    std::unordered_map<const PersonRecord*, const Entry*> byRecord;
    byRecord.reserve(entries_.size());
    for (const Entry& e : entries_) byRecord.emplace(e.record, &e);
    std::unordered_map<const Entry*, bool> placed;
    std::vector<const Entry*> chain;
    for (const Entry& first : entries_) {
        // Link predecessors of the step first: walk back along them.
        const Entry* e = &first;
        while (e != nullptr && !placed[e]) {
            const Side& side = toBefore ? e->before : e->after;
            if (!side.inList) break;
            chain.push_back(e);
            placed[e] = true;
            auto it = byRecord.find(side.previous);
            e = it == byRecord.end() ? nullptr : it->second;
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const Side& side = toBefore ? (*it)->before : (*it)->after;
            list.insertForRestore((*it)->record, side.previous);
        }
        chain.clear();
    }
    for (const Entry& e : entries_) {
        setLinks(*e.record, toBefore ? e.before.links : e.after.links);
        list.restored(e.record);
        uint8_t* image = e.record->mutableImage();
        for (size_t at = e.diffStart; at < e.diffEnd;) {
            const size_t off = twoBytes(&diffs_[at]);
            const size_t len = twoBytes(&diffs_[at + 2]);
            const uint8_t* oldBytes = &diffs_[at + 4];
            std::memcpy(image + off, toBefore ? oldBytes : oldBytes + len, len);
            at += 4 + 2 * len;
        }
    }
}

}  // namespace lineara
