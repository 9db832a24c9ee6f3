#include "scenario/StreamCopy.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>

namespace {

std::int64_t byteCount(std::int64_t count, bool wide) { return wide ? count * 2 : count; }

// A working buffer for a run: no larger than one chunk, no larger than the run itself.
std::vector<char> bufferFor(std::int64_t bytes) {
    return std::vector<char>(static_cast<std::size_t>(std::min(bytes, kCopyChunkBytes)));
}

}  // namespace

int copyBlock(std::istream& source, std::ostream& destination, std::int64_t count, bool wide) {
    std::int64_t remaining = byteCount(count, wide);
    if (remaining <= 0) return 1;
    std::vector<char> buffer = bufferFor(remaining);
    while (remaining > 0 && destination) {
        const auto piece = static_cast<std::streamsize>(std::min<std::int64_t>(remaining, buffer.size()));
        source.read(buffer.data(), piece);
        std::fill(buffer.begin() + source.gcount(), buffer.begin() + piece, '\0');
        destination.write(buffer.data(), piece);
        remaining -= piece;
    }
    return 1;
}

int writeZeros(std::ostream& destination, std::int64_t count, bool wide) {
    std::int64_t remaining = byteCount(count, wide);
    if (remaining <= 0) return 1;
    const std::vector<char> zeros = bufferFor(remaining);
    while (remaining > 0 && destination) {
        const auto piece = static_cast<std::streamsize>(std::min<std::int64_t>(remaining, zeros.size()));
        destination.write(zeros.data(), piece);
        remaining -= piece;
    }
    return 1;
}
