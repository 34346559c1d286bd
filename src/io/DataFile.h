#pragma once

#include <cstddef>
#include <string>

// Reads the game's data files. Only a regular file is read: a directory, a named pipe or a
// device is refused as a missing file would be, so that no read can block, fail half-way with
// an exception or run without end. Nothing here throws and nothing here needs GL.

enum class DataFileFault {
    None,
    Unreadable, // missing, or not permitted
    NotRegular, // a directory, a named pipe, a device, a socket
    TooLarge,   // more than the bytes the caller allows
    ReadFailed, // an error while reading
};

struct DataFile {
    DataFileFault fault = DataFileFault::None;
    std::string bytes;

    bool ok() const { return fault == DataFileFault::None; }
};

// What a file larger than `maxBytes` gives: a refusal, or its first `maxBytes` bytes.
enum class Oversize { Refuse, KeepStart };

DataFile readDataFile(const std::string& path, size_t maxBytes,
                      Oversize oversize = Oversize::Refuse);
