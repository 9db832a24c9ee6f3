#include "base/ConsoleOutput.h"

#ifdef _WIN32

#include <string>

#include <windows.h>

#include "base/Utf16Text.h"

namespace {

// Passes UTF-8 text to the console as UTF-16. A character cut in two by the writes that
// carry it waits for its last bytes.
class ConsoleWriter : public std::streambuf {
public:
    explicit ConsoleWriter(HANDLE console) : console_(console) {}
    ~ConsoleWriter() override { write(pending_.size()); }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        return writeComplete() ? count : 0;
    }
    int sync() override { return writeComplete() ? 0 : -1; }

private:
    bool writeComplete() { return write(completeUtf8Length(pending_)); }
    // Line ends go out as CR LF, as the C library's text mode writes them to a console.
    bool write(std::size_t length) {
        std::u16string wide;
        for (char16_t unit : utf16FromUtf8(pending_.substr(0, length))) {
            if (unit == u'\n') wide += u'\r';
            wide += unit;
        }
        pending_.erase(0, length);
        DWORD written = 0;
        return wide.empty() || WriteConsoleW(console_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }

    HANDLE console_;
    std::string pending_;
};

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the console takes UTF-16");

// A writer when standard output is a console window; none for a file or a pipe, for
// which GetConsoleMode fails.
std::unique_ptr<std::streambuf> consoleWriterForStandardOutput() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (output == INVALID_HANDLE_VALUE || !GetConsoleMode(output, &mode)) return nullptr;
    return std::make_unique<ConsoleWriter>(output);
}

}  // namespace

#else

namespace {
std::unique_ptr<std::streambuf> consoleWriterForStandardOutput() { return nullptr; }
}  // namespace

#endif

Utf8ConsoleOutput::Utf8ConsoleOutput(std::ostream& standardOutput)
    : stream_(standardOutput), consoleWriter_(consoleWriterForStandardOutput()) {
    if (consoleWriter_) {
        stream_.flush();
        previous_ = stream_.rdbuf(consoleWriter_.get());
    }
}

Utf8ConsoleOutput::~Utf8ConsoleOutput() {
    if (consoleWriter_) {
        stream_.flush();
        stream_.rdbuf(previous_);
    }
}
