// The step of any operation that changes records: it keeps, for each record
// the operation touched, the bytes that differ, the links and the place in
// the list on both sides, and the records it created or removed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/history/tree_step.h"

namespace lineara {

class RecordStep;

// Listens to the list while one operation runs and builds its step.
class RecordStepBuilder : public ChangeRecorder {
public:
    explicit RecordStepBuilder(PersonList& list);
    ~RecordStepBuilder() override;

    void touch(PersonRecord* record) override;
    void touchPlace(PersonRecord* record) override;
    void created(PersonRecord* record) override;
    void removed(PersonRecord* record) override;

    // Detaches from the list. Null when the operation changed nothing.
    std::unique_ptr<RecordStep> finish(std::string name);

private:
    struct Pending;
    PersonList& list_;
    ListState before_;
    std::vector<Pending> pending_;
    std::unordered_map<PersonRecord*, size_t> index_;
    bool attached_ = true;
};

class RecordStep : public TreeStep {
public:
    using Links = std::array<const PersonRecord*, kRelationSlots + 3>;  // mother, father, partners
    struct Side {
        bool inList = false;
        const PersonRecord* previous = nullptr;
        Links links{};
    };
    struct Entry {
        PersonRecord* record = nullptr;
        Side before, after;
        uint32_t diffStart = 0;  // runs of this record in `diffs_`
        uint32_t diffEnd = 0;
    };

    RecordStep(std::string name, ListState before, ListState after, std::vector<Entry> entries,
               std::vector<uint8_t> diffs);
    ~RecordStep() override;
    size_t bytes() const override;
    void discard(bool applied) override;

protected:
    void restoreRecords(PersonList& list, bool toBefore) override;

private:
    std::vector<Entry> entries_;
    // Runs of changed bytes: offset (2 bytes), length (2 bytes), the old
    // bytes, then the new bytes.
    std::vector<uint8_t> diffs_;
    bool discarded_ = false;
};

RecordStep::Links linksOf(const PersonRecord& record);

}  // namespace lineara
