#include "base/SystemFile.h"

#include <cerrno>

#include "base/FailureReason.h"

// errno is cleared before each call, so that a failure that set none is told from one that
// did; the standard library's file buffer fails a read by throwing (which the stream
// catches), with the error in the exception.

SystemFileBuffer* SystemFileBuffer::open(const std::filesystem::path& path, std::ios::openmode mode) {
    errno = 0;
    if (std::filebuf::open(path, mode) != nullptr) return this;
    keep(errnoError(errno));
    return nullptr;
}

SystemFileBuffer* SystemFileBuffer::close() {
    if (!is_open()) return nullptr;
    errno = 0;
    if (std::filebuf::close() != nullptr) return this;
    keep(errnoError(errno));
    return nullptr;
}

SystemFileBuffer::int_type SystemFileBuffer::overflow(int_type c) {
    errno = 0;
    const int_type result = std::filebuf::overflow(c);
    if (traits_type::eq_int_type(result, traits_type::eof())) keep(errnoError(errno));
    return result;
}

std::streamsize SystemFileBuffer::xsputn(const char_type* bytes, std::streamsize count) {
    errno = 0;
    const std::streamsize written = std::filebuf::xsputn(bytes, count);
    if (written < count) keep(errnoError(errno));
    return written;
}

int SystemFileBuffer::sync() {
    errno = 0;
    const int result = std::filebuf::sync();
    if (result != 0) keep(errnoError(errno));
    return result;
}

SystemFileBuffer::int_type SystemFileBuffer::underflow() {
    try {
        return std::filebuf::underflow();
    } catch (const std::ios_base::failure& failure) {
        keep(failure.code());
        throw;
    }
}

std::streamsize SystemFileBuffer::xsgetn(char_type* bytes, std::streamsize count) {
    try {
        return std::filebuf::xsgetn(bytes, count);
    } catch (const std::ios_base::failure& failure) {
        keep(failure.code());
        throw;
    }
}

// The first error is the cause; what fails after it follows from it. A stream's own code
// ("iostream error") is no word from the system.
void SystemFileBuffer::keep(std::error_code error) {
    if (!error_ && error && error.category() != std::iostream_category()) error_ = error;
}

void InputFile::open(const std::filesystem::path& path) {
    if (buffer_.open(path, std::ios::binary | std::ios::in) != nullptr) {
        clear();
    } else {
        setstate(std::ios::failbit);
    }
}

void InputFile::close() {
    if (buffer_.close() == nullptr) setstate(std::ios::failbit);
}

std::error_code keptError(const std::ios& stream) {
    const auto* buffer = dynamic_cast<const SystemFileBuffer*>(stream.rdbuf());
    return buffer != nullptr ? buffer->error() : std::error_code();
}
