// C++ allocation on COREDLL's heap. Without exceptions, a failed plain new
// ends the program (there is no std::bad_alloc to throw); the nothrow forms
// return null.

#include <cstddef>
#include <new>

#include "coredll.h"

namespace {

void* Allocate(std::size_t size) { return malloc(size ? size : 1); }

void* AllocateOrEnd(std::size_t size)
{
    void* block = Allocate(size);
    if (!block)
        CeRuntimeFatal();
    return block;
}

}  // namespace

const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size) { return AllocateOrEnd(size); }
void* operator new[](std::size_t size) { return AllocateOrEnd(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }

void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, std::size_t) noexcept { free(block); }
void operator delete[](void* block, std::size_t) noexcept { free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free(block); }
