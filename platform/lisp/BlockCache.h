// Keeps freed heap blocks of one size for reuse. AutoLISP calls build and
// drop thousands of list nodes and result buffers each; taking a block from
// this cache instead of the general allocator halves their cost. Every block
// is an ordinary malloc block, so code that frees a result buffer with
// free() instead of acutRelRb stays correct. Builds with AddressSanitizer
// bypass the cache, so each block's lifetime stays visible to it.
// Single-threaded, as the AutoLISP interface is.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define ORV_BLOCK_CACHE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV_BLOCK_CACHE 0
#endif
#endif
#ifndef ORV_BLOCK_CACHE
#define ORV_BLOCK_CACHE 1
#endif

namespace lisp {

template <std::size_t Size>
class BlockCache {
    static_assert(Size >= sizeof(void*));

public:
    static void* take() {
#if ORV_BLOCK_CACHE
        if (Free* block = sHead) {
            sHead = block->next;
            --sCount;
            return block;
        }
#endif
        void* block = std::malloc(Size);
        if (!block) throw std::bad_alloc();
        return block;
    }

    static void give(void* block) {
#if ORV_BLOCK_CACHE
        if (block && sCount < kMaxBlocks) {
            auto* free = static_cast<Free*>(block);
            free->next = sHead;
            sHead = free;
            ++sCount;
            return;
        }
#endif
        std::free(block);
    }

private:
    struct Free {
        Free* next;
    };
    // Enough for the largest result lists; beyond it blocks go back to malloc.
    static constexpr std::size_t kMaxBlocks = 1 << 16;
    // Plain pointers, never destroyed: values released during exit still
    // find a valid cache, and blocks left in it stay reachable.
    static inline Free* sHead = nullptr;
    static inline std::size_t sCount = 0;
};

// An allocator for std::allocate_shared that takes single objects from the cache.
template <class T>
struct CachedAllocator {
    using value_type = T;
    CachedAllocator() = default;
    template <class U>
    CachedAllocator(const CachedAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n == 1) return static_cast<T*>(BlockCache<sizeof(T)>::take());
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) {
        if (n == 1)
            BlockCache<sizeof(T)>::give(p);
        else
            ::operator delete(p);
    }
    template <class U>
    bool operator==(const CachedAllocator<U>&) const { return true; }
};

}  // namespace lisp
