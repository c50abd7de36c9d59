// The program's own version of the C++ library's default handler for an exception that
// nothing catches: the same report and abort, without the demangled type name. The library's
// version carries the whole name demangler (about 50 KB); defined here, in the program itself
// rather than in a library, the linker takes this one and never loads the library's.
#include <cstdio>
#include <cstdlib>
#include <exception>

void __gnu_cxx::__verbose_terminate_handler() {
    std::fputs("terminate called", stderr);
    if (const std::exception_ptr error = std::current_exception()) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::fputs(" after throwing an exception\n  what():  ", stderr);
            std::fputs(e.what(), stderr);
        } catch (...) {
            std::fputs(" after throwing an exception", stderr);
        }
    } else {
        std::fputs(" without an active exception", stderr);
    }
    std::fputs("\n", stderr);
    std::abort();
}
