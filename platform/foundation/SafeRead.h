#pragma once
// Reading files that anyone may have put under the preferences root: only
// regular files, opened without blocking, up to a size cap. Never throws.

#include <cstddef>
#include <string>

namespace foundation {

namespace ReadLimit {
inline constexpr std::size_t settings = 4u << 20;  // settings file and profiles
inline constexpr std::size_t theme = 1u << 20;
inline constexpr std::size_t battery = 4u << 10;
}  // namespace ReadLimit

struct FileRead {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;
    std::string problem;  // why it could not be read, e.g. "is a FIFO, not a regular file"

    bool ok() const { return status == Status::Read; }
    bool missing() const { return status == Status::Missing; }
};

// A FIFO, device, folder or a file over `limit` bytes reads as Unreadable, and so
// does anything open() or read() refuses; a missing path as Missing.
FileRead readRegularFile(const std::string& path, std::size_t limit) noexcept;

// `problem` as the end of a sentence after "cannot be read: ": "it is a FIFO,
// not a regular file", or a system error in lower case ("permission denied").
std::string problemClause(const std::string& problem);

// Logs "AMPORA: cannot read <path>: <problem>" unless this path was last logged
// with the same problem; a later good read of the path forgets it.
void logUnreadableOnce(const std::string& path, const std::string& problem) noexcept;
void forgetUnreadable(const std::string& path) noexcept;

}  // namespace foundation
