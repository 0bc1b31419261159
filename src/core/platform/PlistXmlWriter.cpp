#include "core/platform/PlistXmlWriter.h"

#include "core/platform/ByteScan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace kestrel {

namespace {

constexpr std::string_view kProlog =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
    "<plist version=\"1.0\">\n";
constexpr std::string_view kEpilog = "</plist>\n";

// The first byte at or after from that a text cannot hold as it is: one of the three entities'
// or NUL, where it ends (body.size() for none). Documentation comments make most of an SDK's
// notes file, and hardly any of their bytes is one of these.
std::size_t firstSpecial(std::string_view body, std::size_t from) {
    return ByteScan::firstOf(body, from, '<', '>', '&', '\0');
}

// The same for a short text (most keys, names and numbers), by table: one look a byte.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : {'<', '>', '&', '\0'}) table[c] = true;
    return table;
}();
// Whether any byte of eight is one of the four: a zero byte of the word xor that byte, found
// by the borrow of subtracting one from each byte (exact for "any", not for "which").
bool holdsSpecial(std::uint64_t bytes) {
    constexpr std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    auto zeroIn = [](std::uint64_t x) { return (x - ones) & ~x & highs; };
    return (zeroIn(bytes) | zeroIn(bytes ^ (ones * '<')) | zeroIn(bytes ^ (ones * '>')) | zeroIn(bytes ^ (ones * '&'))) != 0;
}
std::uint64_t load8(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    return word;
}
std::uint64_t load4(const char* at) {
    std::uint32_t word;
    std::memcpy(&word, at, 4);
    return word;
}
std::size_t firstSpecialIn(std::string_view body) {
    const std::size_t size = body.size();
    if (size >= 16) return firstSpecial(body, 0);
    // Most are clean: told at once from two words that overlap, the byte itself looked for
    // only in a text that holds one.
    const char* at = body.data();
    if (size >= 8 && !holdsSpecial(load8(at)) && !holdsSpecial(load8(at + size - 8))) return size;
    if (size >= 4 && size < 8 && !holdsSpecial(load4(at) | load4(at + size - 4) << 32)) return size;
    std::size_t i = 0;
    while (i < size && !kSpecial[static_cast<unsigned char>(body[i])]) ++i;
    return i;
}

}  // namespace

PlistXmlWriter::PlistXmlWriter() { put(kProlog); }

PlistXmlWriter::PlistXmlWriter(FileBytes::Sink sink) : sink_(std::move(sink)) {
    out_.resize(kPieceSize + kPieceSize / 4);
    put(kProlog);
}

void PlistXmlWriter::makeRoom(std::size_t n) {
    out_.resize(std::max({out_.size() * 2, used_ + n, std::size_t{4096}}));
}

void PlistXmlWriter::pieceDone() {
    if (sink_) {
        if (!sink_(std::string_view(out_.data(), used_))) failed_ = true;
        used_ = 0;  // the same buffer again
        return;
    }
    out_.resize(used_);
    pieces_.push_back(std::move(out_));
    out_ = std::string();
    used_ = 0;
}

void PlistXmlWriter::indent(std::size_t depth) {
    if (indented_) std::memset(grow(depth), '\t', depth);
}

void PlistXmlWriter::openChild() {
    if (open_.empty() || open_.back().hasChildren) return;
    put(">\n");
    open_.back().hasChildren = true;
}

// Where a value may stand: the one root, an array's element, a dictionary's value after its key.
bool PlistXmlWriter::startValue() {
    if (used_ >= kPieceSize) pieceDone();
    if (open_.size() > static_cast<std::size_t>(kMaxDepth)) failed_ = true;
    if (failed_) return false;
    if (open_.empty()) {
        failed_ = rootWritten_;
        rootWritten_ = true;
    } else if (open_.back().dict) {
        failed_ = !open_.back().awaitingValue;
        open_.back().awaitingValue = false;
    }
    if (failed_) return false;
    openChild();
    return true;
}

// <tag>body</tag> on a line of its own (open and close are the tags as written), with &, < and >
// written as entities (<tag></tag> when empty: libplist 2.2 reads no <string/>). Made part of
// each caller, whose tags are then of known length: the writer makes millions of these for an
// SDK, most without an entity, each line made in one piece.
[[gnu::always_inline]] inline void PlistXmlWriter::text(std::string_view open, std::string_view close,
                                                        std::string_view body) {
    if (firstSpecialIn(body) != body.size()) return textWithEntities(open, close, body);
    const std::size_t depth = indented_ ? open_.size() : 0;
    char* to = grow(depth + open.size() + body.size() + close.size());
    if (depth) std::memset(to, '\t', depth);
    to += depth;
    std::memcpy(to, open.data(), open.size());
    to += open.size();
    if (!body.empty()) std::memcpy(to, body.data(), body.size());
    std::memcpy(to + body.size(), close.data(), close.size());
}

void PlistXmlWriter::textWithEntities(std::string_view open, std::string_view close, std::string_view body) {
    indent(open_.size());
    put(open);
    // Runs of plain bytes copied whole, an entity for &, < and >, and the end at a NUL.
    for (std::size_t start = 0, at = firstSpecial(body, 0);;) {
        put(body.substr(start, at - start));
        if (at >= body.size() || body[at] == '\0') break;
        put(body[at] == '<' ? "&lt;" : body[at] == '>' ? "&gt;" : "&amp;");
        start = at + 1;
        at = firstSpecial(body, start);
    }
    put(close);
}

void PlistXmlWriter::key(std::string_view name) {
    if (open_.empty() || !open_.back().dict || open_.back().awaitingValue) failed_ = true;
    if (failed_) return;
    openChild();
    text("<key>", "</key>\n", name);
    open_.back().awaitingValue = true;
}

void PlistXmlWriter::beginDict() {
    if (!startValue()) return;
    indent(open_.size());
    put("<dict");
    open_.push_back({true, false, false});
}

void PlistXmlWriter::beginArray() {
    if (!startValue()) return;
    indent(open_.size());
    put("<array");
    open_.push_back({false, false, false});
}

void PlistXmlWriter::end(bool dict) {
    if (failed_ || open_.empty() || open_.back().dict != dict || open_.back().awaitingValue) {
        failed_ = true;
        return;
    }
    const bool hasChildren = open_.back().hasChildren;
    open_.pop_back();
    if (!hasChildren) {
        put("/>\n");
        return;
    }
    indent(open_.size());
    put(dict ? "</dict>\n" : "</array>\n");
}

void PlistXmlWriter::endDict() { end(true); }
void PlistXmlWriter::endArray() { end(false); }

void PlistXmlWriter::value(const PlistValue& value) {
    if (failed_) return;
    switch (value.type()) {
        case PlistValue::Type::String: string(*value.getString()); return;
        case PlistValue::Type::Integer: integer(*value.getInteger()); return;
        case PlistValue::Type::Boolean:
            if (!startValue()) return;
            indent(open_.size());
            put(*value.getBoolean() ? "<true/>\n" : "<false/>\n");
            return;
        case PlistValue::Type::Array:
            beginArray();
            for (const PlistValue& element : *value.getArray()) {
                this->value(element);
                if (failed_) return;
            }
            endArray();
            return;
        case PlistValue::Type::Dictionary:
            beginDict();
            for (const auto& [name, element] : *value.getDict()) {
                key(name);
                this->value(element);
                if (failed_) return;
            }
            endDict();
            return;
        case PlistValue::Type::Real:
        case PlistValue::Type::Date:
        case PlistValue::Type::Data: break;
    }
    failed_ = true;
}

bool PlistXmlWriter::closeDocument() {
    if (failed_ || !open_.empty() || !rootWritten_) return false;
    put(kEpilog);
    pieceDone();
    return !failed_;
}

void PlistXmlWriter::string(std::string_view body) {
    if (startValue()) text("<string>", "</string>\n", body);
}

void PlistXmlWriter::integer(std::int64_t number) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    if (!startValue()) return;
    text("<integer>", "</integer>\n", std::string_view(digits, error == std::errc() ? end : digits));
}

std::optional<FileBytes> PlistXmlWriter::finishInPieces() && {
    if (sink_ || !closeDocument()) return std::nullopt;
    return FileBytes(std::move(pieces_));
}

bool PlistXmlWriter::finishToSink() && { return sink_ && closeDocument(); }

std::optional<std::string> PlistXmlWriter::finish() && {
    std::optional<FileBytes> bytes = std::move(*this).finishInPieces();
    if (!bytes) return std::nullopt;
    if (bytes->pieces.size() == 1) return std::move(bytes->pieces.front());
    std::string whole;
    std::size_t size = 0;
    for (const std::string& piece : bytes->pieces) size += piece.size();
    whole.reserve(size);
    for (std::string& piece : bytes->pieces) {
        whole += piece;
        std::string().swap(piece);
    }
    return whole;
}

std::optional<std::string> PlistXmlWriter::toXML(const PlistValue& value) {
    PlistXmlWriter writer;
    writer.value(value);
    return std::move(writer).finish();
}

}  // namespace kestrel
