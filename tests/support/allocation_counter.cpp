// The counting allocation functions of a test binary.
#include "tests/support/allocation_counter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace tarn::allocation {
namespace {

bool counting = false;
int64_t count = 0;

void Note() {
    if (counting) ++count;
}

}  // namespace

int64_t Count() { return count; }

CountedScope::CountedScope() : wasCounting_(counting) {
    count = 0;
    counting = true;
}
CountedScope::~CountedScope() { counting = wasCounting_; }

PausedCounting::PausedCounting() : wasCounting_(counting) { counting = false; }
PausedCounting::~PausedCounting() { counting = wasCounting_; }

}  // namespace tarn::allocation

#if ORDAVEL_COUNT_MALLOC
// glibc supports replacing malloc; its own allocator stays reachable under
// these names, so every block still comes from and returns to one heap.
extern "C" {
void* __libc_malloc(std::size_t size) noexcept;
void* __libc_calloc(std::size_t count, std::size_t size) noexcept;
void* __libc_realloc(void* pointer, std::size_t size) noexcept;
void* __libc_memalign(std::size_t alignment, std::size_t size) noexcept;
void __libc_free(void* pointer) noexcept;

void* malloc(std::size_t size) noexcept {
    tarn::allocation::Note();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    tarn::allocation::Note();
    return __libc_calloc(count, size);
}
void* realloc(void* pointer, std::size_t size) noexcept {
    tarn::allocation::Note();
    return __libc_realloc(pointer, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    tarn::allocation::Note();
    return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
    tarn::allocation::Note();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept {
    tarn::allocation::Note();
    if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) return 12;  // ENOMEM
    *result = pointer;
    return 0;
}
void free(void* pointer) noexcept { __libc_free(pointer); }
}
#endif

namespace {

// One count per operator new: the block comes from the heap without
// passing through the counting malloc a second time.
void* RawAllocate(std::size_t size) {
#if ORDAVEL_COUNT_MALLOC
    return __libc_malloc(size == 0 ? 1 : size);
#else
    return std::malloc(size == 0 ? 1 : size);
#endif
}

void* Allocate(std::size_t size) {
    tarn::allocation::Note();
    void* pointer = RawAllocate(size);
    if (pointer == nullptr) throw std::bad_alloc();
    return pointer;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    tarn::allocation::Note();
    return RawAllocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    tarn::allocation::Note();
    return RawAllocate(size);
}
void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { std::free(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { std::free(pointer); }
