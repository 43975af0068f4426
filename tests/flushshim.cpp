// Loaded before the C library by LD_PRELOAD, records in the file named by KALVIO_SHIM_LOG
// each flush of a file (fsync, fdatasync) with the file's name, and each rename with its
// two names, in the order the process calls them.
#include <cstdio>
#include <cstdlib>

#include <climits>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

void note(const char *what, const char *first, const char *second)
{
    const char *log = std::getenv("KALVIO_SHIM_LOG");
    if (!log)
        return;
    const int out = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (out < 0)
        return;
    ::dprintf(out, "%s %s %s\n", what, first, second);
    ::close(out);
}

void noteFlush(int descriptor)
{
    char link[64], name[PATH_MAX] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
    if (::readlink(link, name, sizeof name - 1) < 0)
        name[0] = '\0';
    note("flush", name, "");
}

template<typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int fsync(int descriptor)
{
    noteFlush(descriptor);
    return real<int (*)(int)>("fsync")(descriptor);
}

int fdatasync(int descriptor)
{
    noteFlush(descriptor);
    return real<int (*)(int)>("fdatasync")(descriptor);
}

int rename(const char *from, const char *to)
{
    note("rename", from, to);
    return real<int (*)(const char *, const char *)>("rename")(from, to);
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned int flags)
{
    note("rename", from, to);
    return real<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2")(fromFolder, from, toFolder, to, flags);
}

} // extern "C"
