#include "io/PlayerFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "io/DataFile.h"

namespace {

WriteInterruption& interruption() {
    static WriteInterruption installed;
    return installed;
}

bool interrupted(WriteStep step) {
    return interruption() && interruption()(step);
}

std::string because(const std::string& what, const std::string& path, int error) {
    return what + " " + path + ": " + std::strerror(error);
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A rename that never replaces: the set-aside copy of a damaged file must not bury another.
bool renameNew(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    return ::unlink(from.c_str()) == 0;
}

} // namespace

std::string timeText(const char* format, bool utc) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    utc ? gmtime_r(&now, &parts) : localtime_r(&now, &parts);
    char text[64];
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

PlayerFileRead readPlayerFile(const std::string& path, std::size_t maxBytes) {
    PlayerFileRead result;
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return result;
        result.state = PlayerFileState::Unreadable;
        result.problem = std::strerror(errno);
        return result;
    }
    DataFile file = readDataFile(path, maxBytes);
    switch (file.fault) {
    case DataFileFault::None:
        result.state = PlayerFileState::Read;
        result.bytes = std::move(file.bytes);
        break;
    case DataFileFault::NotRegular:
        result.state = PlayerFileState::NotAFile;
        result.problem = "not a regular file";
        break;
    case DataFileFault::TooLarge:
        result.state = PlayerFileState::Unreadable;
        result.problem = "larger than " + std::to_string(maxBytes) + " bytes";
        break;
    case DataFileFault::Unreadable:
    case DataFileFault::ReadFailed:
        result.state = PlayerFileState::Unreadable;
        result.problem = "cannot be read";
        break;
    }
    return result;
}

bool writePlayerFile(const std::string& path, const std::string& bytes, std::string& problem) {
    std::error_code ignored;
    std::filesystem::create_directories(folderOf(path), ignored);
    const std::string fresh = path + ".new";
    if (interrupted(WriteStep::Create))
        return false;
    const int fd =
        ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        problem = because("cannot write", fresh, errno);
        return false;
    }
    const auto fail = [&](const char* what) {
        problem = because(what, fresh, errno);
        ::close(fd);
        ::unlink(fresh.c_str());
        return false;
    };
    if (interrupted(WriteStep::Write))
        return false;
    if (!writeAll(fd, bytes))
        return fail("cannot write");
    if (interrupted(WriteStep::Flush))
        return false;
    if (::fsync(fd) != 0)
        return fail("cannot flush");
    if (interrupted(WriteStep::Close))
        return false;
    if (::close(fd) != 0) {
        problem = because("cannot close", fresh, errno);
        ::unlink(fresh.c_str());
        return false;
    }
    if (interrupted(WriteStep::Rename))
        return false;
    if (::rename(fresh.c_str(), path.c_str()) != 0) {
        problem = because("cannot replace", path, errno);
        ::unlink(fresh.c_str());
        return false;
    }
    if (interrupted(WriteStep::FlushFolder))
        return false;
    // The rename itself reaches the disk only with its folder.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

std::string setAsidePlayerFile(const std::string& path, std::string& problem) {
    const std::string base = path + ".damaged-" + timeText("%Y%m%d-%H%M%S", false);
    for (int n = 1; n < 100; ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        if (renameNew(path, name))
            return name;
        if (errno == EEXIST)
            continue;
        // Hard links are refused on some file systems and for folders; a plain rename to a
        // name checked free is the next best thing.
        struct stat info;
        if (errno != ENOENT && ::lstat(name.c_str(), &info) != 0 &&
            ::rename(path.c_str(), name.c_str()) == 0)
            return name;
        problem = because("cannot move aside", path, errno);
        return "";
    }
    problem = "cannot move aside " + path + ": too many damaged copies beside it";
    return "";
}

PlayerFileLock::PlayerFileLock(const std::string& path, double seconds) {
    std::error_code ignored;
    std::filesystem::create_directories(folderOf(path), ignored);
    const std::string name = path + ".lock";
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        problem_ = because("cannot lock", name, errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() > deadline) {
            problem_ = errno == EWOULDBLOCK ? name + " stays locked by another game"
                                            : because("cannot lock", name, errno);
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    fd_ = fd;
}

PlayerFileLock::~PlayerFileLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing releases the lock
}

void setWriteInterruption(WriteInterruption installed) {
    interruption() = std::move(installed);
}
