#include "core/model/record_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/model/person_record.h"

namespace lineara {
namespace {

TEST(RecordPool, RecordsAreDistinctWritableAndReused) {
    std::vector<std::unique_ptr<PersonRecord>> records;
    for (int i = 0; i < 5000; ++i) {
        records.push_back(std::make_unique<PersonRecord>());
        records.back()->setPersonId(i + 1);
        records.back()->setText(field::pictureComment, std::string(247, char('a' + i % 26)));
    }
    // No record overlaps another: every one still holds what it was given.
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(records[i]->personId(), i + 1);
        ASSERT_EQ(records[i]->text(field::pictureComment)[246], char('a' + i % 26));
    }
    std::vector<PersonRecord*> addresses;
    for (auto& r : records) addresses.push_back(r.get());
    std::sort(addresses.begin(), addresses.end());
    for (size_t i = 1; i < addresses.size(); ++i) {
        ASSERT_GE(reinterpret_cast<char*>(addresses[i]) - reinterpret_cast<char*>(addresses[i - 1]),
                  static_cast<std::ptrdiff_t>(sizeof(PersonRecord)));
    }
    // A freed record's memory is given out again, zeroed by the constructor
    // (the sanitizer's heap holds freed memory back on purpose).
    bool pooled = record_pool::bytesReserved() > 0;
    PersonRecord* freed = records[100].get();
    records[100].reset();
    auto again = std::make_unique<PersonRecord>();
    if (pooled) {
        EXPECT_EQ(again.get(), freed);
    }
    EXPECT_EQ(again->personId(), 0);
    EXPECT_TRUE(again->isEmpty(field::pictureComment));
}

TEST(RecordPool, ALargeTreeGivesItsMemoryBackWhenClosed) {
    {
        auto probe = std::make_unique<PersonRecord>();
        if (record_pool::bytesReserved() == 0) {
            GTEST_SKIP() << "records come from the ordinary heap in this build";
        }
    }
    {
        std::vector<std::unique_ptr<PersonRecord>> records;
        for (int i = 0; i < 30000; ++i) records.push_back(std::make_unique<PersonRecord>());
        EXPECT_GE(record_pool::bytesReserved(), 30000 * sizeof(PersonRecord));
        // Little is wasted: blocks at most double, so the pool is within
        // twice what the records need.
        EXPECT_LE(record_pool::bytesReserved(), 2 * 30000 * sizeof(PersonRecord) + (1 << 20));
    }
    EXPECT_EQ(record_pool::bytesReserved(), 0u);
}

}  // namespace
}  // namespace lineara
