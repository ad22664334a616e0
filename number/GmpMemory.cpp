// GMP (and so MPFR) allocate through these functions: running out of memory
// inside the number code ends the process with the library's fatal-error
// convention instead of GMP's abort().
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include <gmp.h>

#include "number/NumberInternals.h"

namespace {

[[noreturn]] void out_of_memory()
{
    static const char message[] = "MAPM Error: Out of memory\n";
    // write(2) needs no memory, unlike stdio on some paths.
    const ssize_t ignored = ::write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    ::_exit(100);
}

void* allocate(std::size_t size)
{
    void* p = std::malloc(size);
    if (p == nullptr && size != 0)
        out_of_memory();
    return p;
}

void* reallocate(void* old, std::size_t, std::size_t size)
{
    void* p = std::realloc(old, size);
    if (p == nullptr && size != 0)
        out_of_memory();
    return p;
}

void release(void* p, std::size_t) { std::free(p); }

}  // namespace

bool number_detail::number_memory_functions_installed()
{
    // A function-local static: installed exactly once, even if two threads
    // get here at the same time.
    static const bool installed = [] {
        mp_set_memory_functions(allocate, reallocate, release);
        return true;
    }();
    return installed;
}

namespace {

// Installed before main() runs, while the process has a single thread.
[[maybe_unused]] const bool g_installed = number_detail::number_memory_functions_installed();

}  // namespace
