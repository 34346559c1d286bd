#include "io/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

DataFile failed(DataFileFault fault) {
    DataFile file;
    file.fault = fault;
    return file;
}

} // namespace

DataFile readDataFile(const std::string& path, size_t maxBytes, Oversize oversize) {
    // Looked at before opening: opening some devices has effects of its own.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        return failed(DataFileFault::Unreadable);
    }
    if (!S_ISREG(info.st_mode)) {
        return failed(DataFileFault::NotRegular);
    }
    // Non-blocking, so that a named pipe swapped in after the check cannot hold the open; the
    // descriptor is checked again, as it is what gets read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return failed(DataFileFault::Unreadable);
    }
    DataFile file;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        file.fault = DataFileFault::NotRegular;
    } else if (static_cast<unsigned long long>(info.st_size) > maxBytes &&
               oversize == Oversize::Refuse) {
        file.fault = DataFileFault::TooLarge;
    } else {
        // The size may change while reading; never more than maxBytes are kept.
        const size_t expected = static_cast<size_t>(info.st_size);
        file.bytes.resize(expected < maxBytes ? expected : maxBytes);
        size_t done = 0;
        char spare;
        for (;;) {
            const bool full = done == file.bytes.size();
            // Once full, one more byte tells whether the file grew past its limit.
            const ssize_t got =
                full ? read(fd, &spare, 1) : read(fd, &file.bytes[done], file.bytes.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                file.fault = DataFileFault::ReadFailed;
                break;
            }
            if (got == 0) {
                break;
            }
            if (!full) {
                done += static_cast<size_t>(got);
            } else if (file.bytes.size() >= maxBytes) {
                if (oversize == Oversize::Refuse) {
                    file.fault = DataFileFault::TooLarge;
                }
                break;
            } else { // grew since fstat, still within the limit
                file.bytes.push_back(spare);
                file.bytes.resize(std::min(maxBytes, file.bytes.size() + 4096));
                ++done;
            }
        }
        file.bytes.resize(done);
    }
    close(fd);
    if (!file.ok()) {
        file.bytes.clear();
    }
    return file;
}
