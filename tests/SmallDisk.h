#pragma once
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

// A small tmpfs over a folder for one end-to-end test; detached at the end
// even while the program still holds its executable there.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& folder) : m_folder(folder)
    {
        m_mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=2m") == 0;
        if (!m_mounted)
            m_error = std::strerror(errno);
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    const std::string& Error() const { return m_error; }

    // Writes file until the disk has no room left, then cuts room bytes off
    // its end (whole pages for a multiple of 4096: the file filled its last
    // page): true once a write ended in ENOSPC.
    bool Fill(const std::string& file, off_t room = 0) const
    {
        int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        std::vector<char> block(65536, 'x');
        for (size_t size = block.size(); size > 0; size /= 2)
            while (::write(fd, block.data(), size) > 0) {
            }
        bool full = errno == ENOSPC && ::ftruncate(fd, ::lseek(fd, 0, SEEK_END) - room) == 0;
        ::close(fd);
        return full;
    }

private:
    std::string m_folder;
    bool m_mounted = false;
    std::string m_error;
};
