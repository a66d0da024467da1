#include "core/model/record_pool.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define LINEARA_PLAIN_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINEARA_PLAIN_HEAP 1
#endif
#endif

namespace lineara::record_pool {

#ifdef LINEARA_PLAIN_HEAP
// Under the address sanitizer every record comes from the ordinary heap,
// so that a stray access between records is caught.
void* allocate(size_t size) { return ::operator new(size); }
void release(void* p) noexcept { ::operator delete(p); }
size_t bytesReserved() { return 0; }
#else

namespace {

constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kFirstBlock = 256 << 10;  // small trees stay small
constexpr size_t kLargestBlock = size_t(64) << 20;
// Closing a tree keeps this much for the next one; a larger pool goes back
// to the system.
constexpr size_t kKeptAfterClose = size_t(32) << 20;

struct FreeRecord {
    FreeRecord* next;
};

struct Block {
    char* start;
    size_t bytes;
};

struct Pool {
    std::mutex mutex;
    std::vector<Block> blocks;
    size_t current = 0;  // the block records are carved from
    char* cursor = nullptr;
    size_t live = 0;  // records handed out and not released
    FreeRecord* freeList = nullptr;

    size_t reserved() const {
        size_t total = 0;
        for (const Block& b : blocks) total += b.bytes;
        return total;
    }
};

Pool& pool() {
    static Pool* p = new Pool;  // lives as long as the records it holds
    return *p;
}

// Moves the cursor to a block with room for `size` bytes, mapping a new one
// when the kept blocks are used up.
void advance(Pool& pool, size_t size) {
    while (!pool.blocks.empty() &&
           pool.cursor + size > pool.blocks[pool.current].start + pool.blocks[pool.current].bytes) {
        if (pool.current + 1 == pool.blocks.size()) break;
        ++pool.current;
        pool.cursor = pool.blocks[pool.current].start;
    }
    if (!pool.blocks.empty() &&
        pool.cursor + size <= pool.blocks[pool.current].start + pool.blocks[pool.current].bytes) {
        return;
    }
    size_t bytes =
        pool.blocks.empty() ? kFirstBlock : std::min(pool.blocks.back().bytes * 2, kLargestBlock);
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    if (bytes >= kHugePage) madvise(block, bytes, MADV_HUGEPAGE);
    try {
        pool.blocks.push_back({static_cast<char*>(block), bytes});
    } catch (...) {
        munmap(block, bytes);
        throw;
    }
    pool.current = pool.blocks.size() - 1;
    pool.cursor = pool.blocks.back().start;
}

// Every record is free again: start carving from the first block, or give
// a large pool back to the system.
void reset(Pool& pool) {
    pool.freeList = nullptr;
    if (pool.reserved() > kKeptAfterClose) {
        for (const Block& b : pool.blocks) munmap(b.start, b.bytes);
        pool.blocks.clear();
    }
    pool.current = 0;
    pool.cursor = pool.blocks.empty() ? nullptr : pool.blocks.front().start;
}

}  // namespace

void* allocate(size_t size) {
    size = (size + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
    Pool& p = pool();
    std::lock_guard<std::mutex> lock(p.mutex);
    void* r;
    if (p.freeList != nullptr) {
        r = p.freeList;
        p.freeList = p.freeList->next;
    } else {
        advance(p, size);
        r = p.cursor;
        p.cursor += size;
    }
    ++p.live;
    return r;
}

void release(void* ptr) noexcept {
    if (ptr == nullptr) return;
    Pool& p = pool();
    std::lock_guard<std::mutex> lock(p.mutex);
    FreeRecord* r = static_cast<FreeRecord*>(ptr);
    r->next = p.freeList;
    p.freeList = r;
    if (--p.live == 0) reset(p);
}

size_t bytesReserved() {
    Pool& p = pool();
    std::lock_guard<std::mutex> lock(p.mutex);
    return p.reserved();
}

#endif

}  // namespace lineara::record_pool
