#pragma once
// A POSIX file descriptor closed on every path; Chiudi() closes it early and
// tells whether the close succeeded, which matters after a write.

#include <unistd.h>

class Descrittore {
public:
    explicit Descrittore(int fd) : m_fd(fd) {}
    ~Descrittore()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descrittore(const Descrittore &) = delete;
    Descrittore &operator=(const Descrittore &) = delete;
    int fd() const { return m_fd; }
    bool Chiudi()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};
