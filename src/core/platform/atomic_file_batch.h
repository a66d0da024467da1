// Many files written as one job (the pages and images of a presentation).
// Each file is still written whole to a temporary file and only then
// renamed over its name, so no failure leaves half a file; but the costs
// that a single save pays per file are shared: the data of up to
// `groupSize` files goes to disk in one flush of the file system before
// their renames, and the folders are synced and swept of leftovers once, at
// the end. The files of a group take their names together; those written
// before a failure are kept.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "core/platform/atomic_file.h"

namespace lineara {

class AtomicFileBatch {
public:
    explicit AtomicFileBatch(size_t groupSize = 256, LinkRule rule = LinkRule::ReplaceTarget)
        : groupSize_(groupSize), rule_(rule) {}
    ~AtomicFileBatch();  // commits what is complete, as a failure would
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // Writes one file; false with the reason in `error` (the file is not
    // there, files before it are kept). A failure to give a group its
    // names is reported by the write that ends the group.
    bool write(const std::string& path, const void* data, size_t size, std::string& error);
    // Gives every file written so far its name and finishes the folders.
    bool commit(std::string& error);

private:
    struct Pending {
        std::string target;
        std::string temp;
        std::string real;
        int lock;
    };
    bool flush(std::string& error);

    size_t groupSize_;
    LinkRule rule_;
    std::vector<Pending> pending_;
    std::set<std::string> written_;  // real paths, for the sweep of leftovers
};

}  // namespace lineara
