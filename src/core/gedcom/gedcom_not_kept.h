// What an import passes over, counted by kind: the facts of individuals and
// families the tree has no place for, and records it does not know. The
// status line names them, most frequent first, so that the user knows what
// the new tree lacks against the file.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace lineara {

class NotKeptCounter {
public:
    void count(std::string_view tag) { ++counts_[std::string(tag)]; }
    bool empty() const { return counts_.empty(); }
    // "Not kept: 1,100 burials, 320 residences, 45 sources"; empty when
    // nothing was passed over.
    std::string note() const;

private:
    std::map<std::string, int64_t> counts_;
};

// A count with a comma between thousands: "1,234,567".
std::string withThousands(int64_t n);

}  // namespace lineara
