// Memory for person records. A large tree is hundreds of megabytes of
// records, and touching that much fresh memory page by page costs more
// than reading the file. The pool hands out records from big blocks that
// the kernel may back with huge pages, and keeps freed records for reuse.
#pragma once

#include <cstddef>

namespace lineara::record_pool {

// Memory for one object of `size` bytes (always sizeof(PersonRecord)).
// Throws std::bad_alloc when the system has none left.
void* allocate(size_t size);
void release(void* p) noexcept;

// The memory the pool holds from the system (0 when records come from the
// ordinary heap, as in sanitizer builds).
size_t bytesReserved();

}  // namespace lineara::record_pool
