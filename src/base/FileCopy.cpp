#include "base/FileCopy.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "base/PathText.h"
#include "base/ReplacingOutput.h"

namespace fs = std::filesystem;

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

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

Outcome copyFileContents(const fs::path& from, const fs::path& to) {
    const Outcome notCopied = Outcome::failure("could not copy " + displayPath(from) + " to " + displayPath(to));
    // The copy would be renamed over its own source.
    if (isSameFile(from, to)) return notCopied;

    std::ifstream in(from, std::ios::binary);
    if (!in.is_open()) return notCopied;
    std::error_code error;
    const auto size = fs::file_size(from, error);
    const std::int64_t expectedBytes = error ? 0 : static_cast<std::int64_t>(size);

    ReplacingOutput out(to);
    if (!out.isOpen()) return notCopied;
    // On a failure the output is discarded.
    switch (copyStreamContents(in, expectedBytes, out.stream())) {
        case StreamCopyFault::ReadFailed:
            return Outcome::failure("could not read " + displayPath(from));
        case StreamCopyFault::WriteFailed:
            return notCopied;
        case StreamCopyFault::None:
            break;
    }
    return out.commit() ? Outcome::success() : notCopied;
}
