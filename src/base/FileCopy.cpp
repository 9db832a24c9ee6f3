#include "base/FileCopy.h"

#include <system_error>
#include <vector>

#include "base/FailureReason.h"
#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "base/SystemFile.h"

namespace fs = std::filesystem;

namespace {

// What went wrong when a stream was copied to its end.
enum class StreamCopyFault {
    None,
    ReadFailed,   // `in` reported an error, or ended before the bytes expected
    WriteFailed,  // `out` failed
};

StreamCopyFault copyStreamContents(std::istream& in, std::int64_t expectedBytes, std::ostream& out) {
    std::vector<char> chunk(1 << 16);
    std::int64_t copied = 0;
    while (in && out) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        out.write(chunk.data(), in.gcount());
        copied += in.gcount();
    }
    if (!out) return StreamCopyFault::WriteFailed;
    // A stream reports a failed read as its end: the size tells the two apart.
    if (in.bad() || !in.eof() || copied < expectedBytes) return StreamCopyFault::ReadFailed;
    return StreamCopyFault::None;
}

// The reason stands after the file that failed the copy: `from` when it could not be
// opened, else `to`.
Outcome couldNotOpen(const fs::path& from, const std::string& reason, const fs::path& to) {
    return Outcome::failure("could not copy " + displayPath(from) + reason + " to " + displayPath(to));
}

Outcome couldNotWrite(const fs::path& from, const fs::path& to, const std::string& reason) {
    return Outcome::failure("could not copy " + displayPath(from) + " to " + displayPath(to) + reason);
}

}  // namespace

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

Outcome copyFileContents(const fs::path& from, const fs::path& to) {
    // The copy would be renamed over its own source. The file system says "File exists" of
    // a copy onto itself.
    if (isSameFile(from, to)) return couldNotWrite(from, to, failureReason(to, {}, std::errc::file_exists));

    InputFile in(from);
    if (!in.is_open()) return couldNotOpen(from, failureReason(from, in.error(), std::errc::permission_denied), to);
    std::error_code error;
    const auto size = fs::file_size(from, error);
    return copyFileContents(in, error ? 0 : static_cast<std::int64_t>(size), from, to);
}

Outcome copyFileContents(std::istream& in, std::int64_t expectedBytes, const fs::path& from, const fs::path& to) {
    ReplacingOutput out(to);
    if (!out.isOpen()) return couldNotWrite(from, to, out.failureReason());
    // On a failure the output is discarded.
    switch (copyStreamContents(in, expectedBytes, out.stream())) {
        case StreamCopyFault::ReadFailed:
            return Outcome::failure("could not read " + displayPath(from) + failureReason(from, keptError(in)));
        case StreamCopyFault::WriteFailed: return couldNotWrite(from, to, out.failureReason());
        case StreamCopyFault::None: break;
    }
    return out.commit() ? Outcome::success() : couldNotWrite(from, to, out.failureReason());
}
