#include "platform/files.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platemap::platform {

std::string tempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir && *dir ? dir : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

bool fileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

bool deleteFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

std::int32_t addressNumber(const void* object) {
    return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(object));
}

FileHandle openForReading(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd < 0 ? invalidFile : fd;
}

FileHandle createForWriting(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? invalidFile : fd;
}

std::size_t readFile(FileHandle file, void* buffer, std::size_t bytes) {
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got =
            read(static_cast<int>(file), static_cast<char*>(buffer) + done, bytes - done);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t writeFile(FileHandle file, const void* buffer, std::size_t bytes) {
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t put =
            write(static_cast<int>(file), static_cast<const char*>(buffer) + done, bytes - done);
        if (put <= 0)
            break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

bool seekFile(FileHandle file, std::uint32_t offset) {
    return lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

void closeFile(FileHandle file) {
    close(static_cast<int>(file));
}

} // namespace platemap::platform
