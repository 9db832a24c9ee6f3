#pragma once

#include <filesystem>
#include <string>
#include <system_error>

// The system's words for why an act on a file failed ("No space left on device"): those
// of `error`, the error that the failing call left and its caller kept at once. Where it
// left none, or one without generic words, the file system is asked about `path`: a path
// it cannot reach gives its error, a folder "Is a directory", and anything else the words
// of `otherwise`. Never the words of success.
std::string failureWords(const std::filesystem::path& path, std::error_code error, std::errc otherwise);

// The same words in parentheses after a space, to stand right after the path that the
// failure concerns: "could not write <path> (No space left on device)". A read or write
// that failed without a word from the system is an input/output error.
std::string failureReason(const std::filesystem::path& path, std::error_code error,
                          std::errc otherwise = std::errc::io_error);

// The error that errno holds, none when it is 0.
std::error_code errnoError(int savedErrno);
