#pragma once

#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>

// A file buffer that keeps the system's error of its first open, read, write or close that
// failed, taken the moment the call failed. A file stream says only that it failed, and
// by the time its caller looks, errno may tell of a later call, or of none: a write is
// buffered, and fails on a later write or on the close. What the buffer does is
// std::filebuf's own.
class SystemFileBuffer : public std::filebuf {
public:
    SystemFileBuffer* open(const std::filesystem::path& path, std::ios::openmode mode);
    SystemFileBuffer* close();

    // None while nothing failed, or when the failed call left no error.
    std::error_code error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char_type* bytes, std::streamsize count) override;
    int sync() override;
    int_type underflow() override;
    std::streamsize xsgetn(char_type* bytes, std::streamsize count) override;

private:
    void keep(std::error_code error);

    std::error_code error_;
};

// A file opened for reading in binary mode, as an std::ifstream, that keeps the error of
// its failed open or read (SystemFileBuffer).
class InputFile : public std::istream {
public:
    InputFile() : std::istream(&buffer_) {}
    explicit InputFile(const std::filesystem::path& path) : InputFile() { open(path); }

    void open(const std::filesystem::path& path);
    bool is_open() const { return buffer_.is_open(); }
    void close();
    std::error_code error() const { return buffer_.error(); }

private:
    SystemFileBuffer buffer_;
};

// The kept error of a stream whose buffer is a SystemFileBuffer; none for any other stream.
std::error_code keptError(const std::ios& stream);
