#include "core/parse/TextBuffer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>


#include "core/platform/ByteScan.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

namespace {


// The delimiters in status order. None is a prefix of another, so at most one starts at any
// position, and the nearest one is found in a single scan instead of one search per delimiter.
struct Delimiter {
    std::string_view text;
    int status;
};
constexpr std::array<Delimiter, 18> kDelimiters{{
    {" ", kSpace},        {"\t", kTab},        {",", kComma},        {":", kColon},
    {";", kSemicolon},    {"\"", kQuote},      {"#", kHash},         {"<", kLess},
    {">", kGreater},      {"(", kOpenParen},   {")", kCloseParen},   {"{", kOpenBrace},
    {"}", kCloseBrace},   {"//", kLineComment}, {"/*", kBlockOpen},  {"*/", kBlockClose},
    {"\r", kCR},          {"\n", kLF},
}};

// Index into kDelimiters + 1 of the delimiter that a byte may start, 0 for none.
constexpr std::array<unsigned char, 256> makeStarts() {
    std::array<unsigned char, 256> starts{};
    for (std::size_t i = 0; i < kDelimiters.size(); ++i) {
        auto first = static_cast<unsigned char>(kDelimiters[i].text[0]);
        if (starts[first] == 0) starts[first] = static_cast<unsigned char>(i + 1);
    }
    return starts;
}
constexpr std::array<unsigned char, 256> kStarts = makeStarts();

// Where closer first stands in text at or after from (npos for nowhere), found by its last byte:
// a documentation comment has an asterisk on every line, hardly ever a slash, so "*/" is
// looked for by the slash.
std::size_t findByLast(std::string_view text, std::size_t from, std::string_view closer) {
    const std::size_t n = closer.size();
    if (n == 0) return from <= text.size() ? from : std::string_view::npos;
    for (std::size_t at = from + n - 1; at < text.size();) {
        const void* hit = std::memchr(text.data() + at, closer.back(), text.size() - at);
        if (!hit) break;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (text.compare(at + 1 - n, n, closer) == 0) return at + 1 - n;
        ++at;
    }
    return std::string_view::npos;
}

// The delimiter that starts at line[pos], or nullptr.
const Delimiter* delimiterAt(std::string_view line, std::size_t pos) {
    unsigned char c = static_cast<unsigned char>(line[pos]);
    if (kStarts[c] == 0) return nullptr;
    if (c == '/') {  // "//" or "/*"; a lone slash is part of a word
        if (pos + 1 >= line.size()) return nullptr;
        if (line[pos + 1] == '/') return &kDelimiters[13];
        if (line[pos + 1] == '*') return &kDelimiters[14];
        return nullptr;
    }
    if (c == '*') {  // "*/"; a lone asterisk is part of a word
        return pos + 1 < line.size() && line[pos + 1] == '/' ? &kDelimiters[15] : nullptr;
    }
    return &kDelimiters[kStarts[c] - 1];
}

}  // namespace

TextBuffer::TextBuffer(std::string text) : buffer_(std::move(text)), mainLocation_(0) {
    // A NUL byte reads as a space, as compilers take it: no name or declaration holds one (nor
    // could the stored tree keep it).
    if (std::memchr(buffer_.data(), '\0', buffer_.size())) std::replace(buffer_.begin(), buffer_.end(), '\0', ' ');
    hasCR_ = std::memchr(buffer_.data(), '\r', buffer_.size()) != nullptr;
}

TextBuffer TextBuffer::initByPath(const std::string& path) {
    return TextBuffer(RegularFile::read(path).value_or(std::string()));
}

std::optional<std::string_view> TextBuffer::getLineStrings() {
    if (lineBegin_ == lineEnd_) {
        if (mainLocation_ >= buffer_.size()) return std::nullopt;
        // The line runs up to and including its terminator: LF, CR, or CR LF as one. The
        // terminator is looked for with memchr, which takes many bytes at a time: every byte of
        // a header passes here, in the define pass and again in the analysis.
        const std::size_t size = buffer_.size();
        const char* text = buffer_.data();
        const void* lf = std::memchr(text + mainLocation_, '\n', size - mainLocation_);
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) : size;
        if (const void* cr = hasCR_ ? std::memchr(text + mainLocation_, '\r', end - mainLocation_) : nullptr)
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - text);
        if (end < size) {
            if (buffer_[end] == '\r' && end + 1 < size && buffer_[end + 1] == '\n') ++end;
            ++end;
        }
        lineBegin_ = mainLocation_;
        lineEnd_ = end;
        mainLocation_ = end;
    }
    return std::string_view(buffer_).substr(lineBegin_, lineEnd_ - lineBegin_);
}

void TextBuffer::deleteLineHead(std::size_t count) {
    lineBegin_ += std::min(count, lineEnd_ - lineBegin_);
}

std::optional<std::string> TextBuffer::getCommandWithStatus(int& status) {
    const std::optional<std::string_view> command = getCommandView(status);
    if (!command) return std::nullopt;
    return std::string(*command);
}

std::optional<std::string_view> TextBuffer::getCommandView(int& status) {
    if (!getLineStrings()) {
        status = kEnd;
        return std::nullopt;
    }
    skipBlanks();
    return cutCommandView(status);
}

std::optional<std::string> TextBuffer::getCommandWithStatusandSpace(int& status) {
    if (!getLineStrings()) {
        status = kEnd;
        return std::nullopt;
    }
    return cutCommand(status);
}

std::optional<std::string_view> TextBuffer::getCommandViewAndSpace(int& status) {
    if (!getLineStrings()) {
        status = kEnd;
        return std::nullopt;
    }
    return cutCommandView(status);
}

bool TextBuffer::skipToMark(int& status) {
    // Commands are cut at every position in turn, so among the words and one-byte delimiters
    // only "#", "//", "/*" and the "*/" that takes a slash from a following "/" or "/*" can
    // change what comes next; none of them spans a line end. The text is searched for those
    // bytes across lines, and the line that holds the mark is then taken as getLineStrings
    // would take it.
    const std::size_t size = buffer_.size();
    const char* text = buffer_.data();
    std::size_t at = readOffset();
    // Most bytes are none of the marks: searched for sixteen at a time.
    while ((at = ByteScan::firstOf(buffer_, at, '#', '/', '*')) < size) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const char next = at + 1 < size ? text[at + 1] : '\0';
        int found = 0;
        if (c == '#') found = kHash;
        else if (c == '/' && next == '/') found = kLineComment;
        else if (c == '/' && next == '*') found = kBlockOpen;
        if (found == 0) {
            at += c == '*' && next == '/' ? 2 : 1;
            continue;
        }
        if (at >= lineEnd_ || lineBegin_ >= lineEnd_) {
            // The mark's line starts after the last line end before it, or where reading is.
            std::size_t lineStart = at;
            const std::size_t from = lineBegin_ < lineEnd_ ? lineEnd_ : mainLocation_;
            while (lineStart > from && text[lineStart - 1] != '\n' && text[lineStart - 1] != '\r') --lineStart;
            lineBegin_ = lineEnd_ = 0;
            mainLocation_ = lineStart;
            getLineStrings();
        }
        lineBegin_ = at + (found == kHash ? 1 : 2);
        status = found;
        return true;
    }
    lineBegin_ = lineEnd_ = 0;
    mainLocation_ = size;
    status = kEnd;
    return false;
}

bool TextBuffer::skipPast(std::string_view closer) {
    if (lineBegin_ < lineEnd_) {
        const std::size_t found = findByLast(std::string_view(buffer_.data(), lineEnd_), lineBegin_, closer);
        if (found != std::string_view::npos) {
            lineBegin_ = found + closer.size();
            return true;
        }
        lineBegin_ = lineEnd_;
    }
    // The later lines are searched whole; the one that holds the closer is then taken as
    // getLineStrings would take it. A closer holds no line end, so it is never split.
    const std::size_t at = findByLast(buffer_, mainLocation_, closer);
    if (at == std::string_view::npos) {
        lineBegin_ = lineEnd_ = mainLocation_ = std::max(mainLocation_, buffer_.size());
        return false;
    }
    std::size_t lineStart = at;
    while (lineStart > mainLocation_ && buffer_[lineStart - 1] != '\n' && buffer_[lineStart - 1] != '\r') --lineStart;
    lineBegin_ = lineEnd_ = 0;
    mainLocation_ = lineStart;
    getLineStrings();
    lineBegin_ = at + closer.size();
    return true;
}

std::string_view TextBuffer::cutCommandView(int& status) {
    const std::string_view line(buffer_.data() + lineBegin_, lineEnd_ - lineBegin_);
    if (!line.empty()) {
        if (const Delimiter* d = delimiterAt(line, 0)) {
            lineBegin_ += d->text.size();
            status = d->status;
            return d->text;
        }
    }
    // A word runs to the next delimiter: most bytes start none, and a slash or an asterisk only
    // one with the byte after it (as delimiterAt tells).
    const char* text = line.data();
    const std::size_t size = line.size();
    std::size_t limit = 1;
    for (; limit < size; ++limit) {
        const unsigned char c = static_cast<unsigned char>(text[limit]);
        if (kStarts[c] == 0) continue;
        if (c == '/') {
            if (limit + 1 < size && (text[limit + 1] == '/' || text[limit + 1] == '*')) break;
        } else if (c == '*') {
            if (limit + 1 < size && text[limit + 1] == '/') break;
        } else {
            break;
        }
    }
    limit = std::min(limit, size);
    lineBegin_ += limit;
    status = kWord;
    return std::string_view(text, limit);
}

void TextBuffer::deleteTopSpace(std::string& s) {
    std::size_t n = s.find_first_not_of(" \t");
    s.erase(0, n == std::string::npos ? s.size() : n);
}

void TextBuffer::deleteCRLF(std::string& s) {
    if (!s.empty() && s.back() == '\n') s.pop_back();
    if (!s.empty() && s.back() == '\r') s.pop_back();
}

}  // namespace kestrel
