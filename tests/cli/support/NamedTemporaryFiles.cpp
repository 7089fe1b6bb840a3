// Preloaded into ravelha-cli by a test: opening an unnamed temporary file (O_TMPFILE) fails as on a
// file system that has none, so a whole-file rewrite (QSaveFile) writes into a named temporary
// file beside the file, the one a stopped write leaves behind there.
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>

namespace {

bool unnamed(int flags)
{
    return (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & O_CREAT) || unnamed(flags) ? mode_t(va_arg(arguments, int)) : 0;
}

template<typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}

extern "C" {

#define RAVELHA_OPEN(name)                                                        \
    int name(const char* path, int flags, ...)                                    \
    {                                                                             \
        va_list arguments;                                                        \
        va_start(arguments, flags);                                               \
        const mode_t mode = modeOf(flags, arguments);                             \
        va_end(arguments);                                                        \
        if (unnamed(flags)) {                                                     \
            errno = EOPNOTSUPP;                                                   \
            return -1;                                                            \
        }                                                                         \
        return next<int (*)(const char*, int, ...)>(#name)(path, flags, mode);    \
    }

#define RAVELHA_OPENAT(name)                                                              \
    int name(int folder, const char* path, int flags, ...)                                \
    {                                                                                     \
        va_list arguments;                                                                \
        va_start(arguments, flags);                                                       \
        const mode_t mode = modeOf(flags, arguments);                                     \
        va_end(arguments);                                                                \
        if (unnamed(flags)) {                                                             \
            errno = EOPNOTSUPP;                                                           \
            return -1;                                                                    \
        }                                                                                 \
        return next<int (*)(int, const char*, int, ...)>(#name)(folder, path, flags, mode); \
    }

RAVELHA_OPEN(open)
RAVELHA_OPEN(open64)
RAVELHA_OPENAT(openat)
RAVELHA_OPENAT(openat64)

}
