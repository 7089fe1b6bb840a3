#pragma once
// A disk that fills up: past a size, every write into a file fails (EFBIG), as on a full disk, the
// first bytes written and the rest refused. The signal the system sends then is ignored, so the
// program sees the failed write. LimitFileSizes() is for a child process (it stays across exec);
// FileSizeLimit holds it over a scope of the test process itself.

#include <csignal>
#include <sys/resource.h>

inline void LimitFileSizes(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        LimitFileSizes(bytes);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};
