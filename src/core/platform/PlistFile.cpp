#include "core/platform/PlistFile.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "core/platform/PlistXmlReader.h"
#include "core/platform/PlistXmlWriter.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

namespace {

// Deeper nesting than this is no tree file of ours; refusing it keeps the conversions below
// (which recurse) far from the end of the stack.
constexpr int kMaxDepth = 256;

struct PlistDeleter {
    void operator()(void* node) const {
        if (node) plist_free(static_cast<plist_t>(node));
    }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

// ---- libplist -> PlistValue ----

bool fromNode(plist_t node, int depth, PlistValue& out);

// The containers are filled where they stand in `out`, so nothing is copied or moved twice.
bool fromArray(plist_t node, int depth, PlistValue& out) {
    out = PlistValue(PlistArray());
    PlistArray& array = *out.getArray();
    array.reserve(plist_array_get_size(node));
    plist_array_iter iter = nullptr;
    plist_array_new_iter(node, &iter);
    if (!iter) return false;
    bool ok = true;
    for (;;) {
        plist_t item = nullptr;
        plist_array_next_item(node, iter, &item);
        if (!item) break;
        if (!fromNode(item, depth + 1, array.emplace_back())) {
            ok = false;
            break;
        }
    }
    std::free(iter);
    return ok;
}

bool fromDict(plist_t node, int depth, PlistValue& out) {
    out = PlistValue(PlistDict());
    PlistDict& dict = *out.getDict();
    dict.reserve(plist_dict_get_size(node));
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    if (!iter) return false;
    bool ok = true;
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &key, &item);
        if (!item) {
            std::free(key);
            break;
        }
        PlistValue value;
        ok = fromNode(item, depth + 1, value);
        // A repeated key replaces the earlier value where it stands, as libplist's XML reader
        // does by itself; its binary reader gives every entry of the file.
        if (ok && key) dict.set(std::string(key), std::move(value));
        std::free(key);
        if (!ok) break;
    }
    std::free(iter);
    return ok;
}

bool fromNode(plist_t node, int depth, PlistValue& out) {
    if (!node || depth > kMaxDepth) return false;
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t b = 0;
            plist_get_bool_val(node, &b);
            out = PlistValue(b != 0);
            return true;
        }
        case PLIST_UINT:
        case PLIST_UID: {
            uint64_t u = 0;
            if (plist_get_node_type(node) == PLIST_UID)
                plist_get_uid_val(node, &u);
            else
                plist_get_uint_val(node, &u);
            // libplist keeps every integer as 64 unsigned bits; negative ones come back as
            // their two's complement.
            out = PlistValue(static_cast<std::int64_t>(u));
            return true;
        }
        case PLIST_REAL: {
            double r = 0;
            plist_get_real_val(node, &r);
            out = PlistValue(r);
            return true;
        }
        case PLIST_STRING:
        case PLIST_KEY: {
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            // A text ends at its first NUL byte, as a dictionary key does: XML cannot carry one,
            // and a text is read as it will be written back.
            out = PlistValue(text ? std::string(text, ::strnlen(text, static_cast<std::size_t>(length))) : std::string());
            return true;
        }
        case PLIST_DATE: {
            int32_t sec = 0, usec = 0;
            plist_get_date_val(node, &sec, &usec);
            out = PlistValue(PlistDate{sec + usec / 1e6});
            return true;
        }
        case PLIST_DATA: {
            uint64_t length = 0;
            const char* bytes = plist_get_data_ptr(node, &length);
            out = PlistValue(PlistData{bytes ? std::string(bytes, static_cast<std::size_t>(length)) : ""});
            return true;
        }
        case PLIST_ARRAY: return fromArray(node, depth, out);
        case PLIST_DICT: return fromDict(node, depth, out);
        default: return false;
    }
}

// ---- PlistValue -> libplist ----

PlistPtr toNode(const PlistValue& value, int depth) {
    if (depth > kMaxDepth) return nullptr;
    switch (value.type()) {
        case PlistValue::Type::String: return PlistPtr(plist_new_string(value.getString()->c_str()));
        case PlistValue::Type::Integer:
            // 2.2 has no plist_new_int: store the two's complement, which it writes back signed.
            return PlistPtr(plist_new_uint(static_cast<uint64_t>(*value.getInteger())));
        case PlistValue::Type::Real: return PlistPtr(plist_new_real(*value.getReal()));
        case PlistValue::Type::Boolean: return PlistPtr(plist_new_bool(*value.getBoolean() ? 1 : 0));
        case PlistValue::Type::Date: {
            const double seconds = value.getDate()->seconds;
            if (!std::isfinite(seconds) || seconds > std::numeric_limits<int32_t>::max() ||
                seconds < std::numeric_limits<int32_t>::min())
                return nullptr;
            double whole = std::floor(seconds);
            auto usec = static_cast<int32_t>(std::llround((seconds - whole) * 1e6));
            if (usec >= 1000000) {
                whole += 1;
                usec -= 1000000;
            }
            return PlistPtr(plist_new_date(static_cast<int32_t>(whole), usec));
        }
        case PlistValue::Type::Data: {
            const std::string& bytes = value.getData()->bytes;
            return PlistPtr(plist_new_data(bytes.data(), bytes.size()));
        }
        case PlistValue::Type::Array: {
            PlistPtr array(plist_new_array());
            for (const PlistValue& element : *value.getArray()) {
                PlistPtr item = toNode(element, depth + 1);
                if (!item) return nullptr;
                plist_array_append_item(array.get(), item.release());
            }
            return array;
        }
        case PlistValue::Type::Dictionary: {
            PlistPtr dict(plist_new_dict());
            for (const auto& [key, element] : *value.getDict()) {
                PlistPtr item = toNode(element, depth + 1);
                if (!item) return nullptr;
                plist_dict_set_item(dict.get(), key.c_str(), item.release());
            }
            return dict;
        }
    }
    return nullptr;
}

// libplist 2.2 trusts a binary file more than a damaged or hostile one deserves:
//   - a dictionary key with a NUL byte inside stops the program (a failed assertion);
//   - nesting a few hundred thousand levels deep overflows the stack;
//   - objects referenced many times over are copied each time, so 40 levels of arrays that
//     each name the next one twice expand to 2^40 nodes (a hang, then no memory).
// So the object graph is checked first, from the top object as libplist walks it: every key
// string free of NUL, no reference loop, at most kMaxDepth levels, and no more nodes in the
// expanded tree than the file has bytes (a file written without tricks has far fewer).
class BinaryPlistGuard {
public:
    explicit BinaryPlistGuard(std::string_view bytes) : b_(bytes) {}

    bool safe() {
        constexpr std::size_t kTrailer = 32;
        if (b_.size() < 8 + kTrailer) return false;
        end_ = b_.size() - kTrailer;
        offsetSize_ = static_cast<unsigned char>(b_[end_ + 6]);
        refSize_ = static_cast<unsigned char>(b_[end_ + 7]);
        uint64_t top = 0;
        if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8) return false;
        if (!number(end_ + 8, 8, objects_) || !number(end_ + 16, 8, top) || !number(end_ + 24, 8, table_))
            return false;
        if (table_ > end_ || objects_ > (end_ - table_) / offsetSize_ || top >= objects_) return false;
        return walk(top);
    }

private:
    enum : unsigned char { kNew = 0, kOpen = 1, kDone = 2 };
    struct Frame {
        uint64_t object;
        uint64_t refs;      // where its references start
        uint64_t children;  // how many
        uint64_t keys;      // the first `keys` children are dictionary keys
        uint64_t next = 0;
    };

    // Depth-first from the top object; expanded[i] = nodes in object i's expanded subtree.
    bool walk(uint64_t top) {
        const uint64_t limit = 4 * static_cast<uint64_t>(b_.size()) + 1024;  // a wide margin
        state_.assign(objects_, kNew);
        expanded_.assign(objects_, 0);
        keyChecked_.assign(objects_, 0);
        std::vector<unsigned char>& state = state_;
        std::vector<uint64_t>& expanded = expanded_;
        std::vector<Frame> path;
        if (!open(top, path)) return false;
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next == frame.children) {
                state[frame.object] = kDone;
                const uint64_t size = expanded[frame.object];
                path.pop_back();
                if (!path.empty()) {
                    uint64_t& parent = expanded[path.back().object];
                    parent += size;
                    if (parent > limit) return false;
                }
                continue;
            }
            uint64_t child = 0, at = 0;
            if (!number(frame.refs + frame.next * refSize_, refSize_, child) || !objectAt(child, at)) return false;
            if (frame.next < frame.keys && !keyChecked_[child]) {
                if (!stringWithoutNul(at)) return false;
                keyChecked_[child] = 1;
            }
            ++frame.next;
            if (state[child] == kOpen) return false;  // a loop
            if (state[child] == kDone) {
                uint64_t& self = expanded[frame.object];
                self += expanded[child];
                if (self > limit) return false;
                continue;
            }
            if (path.size() >= static_cast<std::size_t>(kMaxDepth) || !open(child, path)) return false;
        }
        return expanded[top] <= limit;
    }

    // Marks object `index` open and pushes it, with its references when it is a container.
    bool open(uint64_t index, std::vector<Frame>& path) {
        uint64_t at = 0;
        if (!objectAt(index, at)) return false;
        Frame frame{index, 0, 0, 0};
        const auto kind = static_cast<unsigned char>(b_[at]) & 0xF0;
        if (kind == 0xA0 || kind == 0xC0 || kind == 0xD0) {  // array, set, dictionary
            uint64_t count = 0;
            if (!countAfter(at, count, frame.refs)) return false;
            frame.children = kind == 0xD0 ? count * 2 : count;
            frame.keys = kind == 0xD0 ? count : 0;
            if (count > end_ || frame.refs > end_ || frame.children > (end_ - frame.refs) / refSize_) return false;
        }
        state_[index] = kOpen;
        expanded_[index] = 1;
        path.push_back(frame);
        return true;
    }

    // Big-endian unsigned number of `size` bytes at `at`.
    bool number(uint64_t at, uint64_t size, uint64_t& value) const {
        if (size > 8 || at > b_.size() || size > b_.size() - at) return false;
        value = 0;
        for (uint64_t k = 0; k < size; ++k) value = (value << 8) | static_cast<unsigned char>(b_[at + k]);
        return true;
    }

    bool objectAt(uint64_t index, uint64_t& at) const {
        return index < objects_ && number(table_ + index * offsetSize_, offsetSize_, at) && at < end_;
    }

    // The count in a marker's low nibble, or (nibble 0xF) in the integer object that follows.
    bool countAfter(uint64_t at, uint64_t& count, uint64_t& contents) const {
        count = static_cast<unsigned char>(b_[at]) & 0x0F;
        contents = at + 1;
        if (count != 0x0F) return true;
        if (contents >= end_) return false;
        const auto marker = static_cast<unsigned char>(b_[contents]);
        if ((marker & 0xF0) != 0x10 || (marker & 0x0F) > 3) return false;
        const uint64_t size = uint64_t{1} << (marker & 0x0F);
        if (!number(contents + 1, size, count)) return false;
        contents += 1 + size;
        return true;
    }

    bool stringWithoutNul(uint64_t at) const {
        const auto kind = static_cast<unsigned char>(b_[at]) & 0xF0;
        if (kind != 0x50 && kind != 0x60) return true;  // not a string: libplist judges it
        uint64_t length = 0, contents = 0;
        if (!countAfter(at, length, contents) || contents > end_) return false;
        const uint64_t unit = kind == 0x60 ? 2 : 1;
        if (length > (end_ - contents) / unit) return false;
        for (uint64_t i = 0; i < length; ++i) {
            bool zero = true;
            for (uint64_t k = 0; k < unit; ++k) zero = zero && b_[contents + i * unit + k] == '\0';
            if (zero) return false;
        }
        return true;
    }

    std::string_view b_;
    uint64_t offsetSize_ = 0, refSize_ = 0, objects_ = 0, table_ = 0, end_ = 0;
    std::vector<unsigned char> state_;
    std::vector<uint64_t> expanded_;
    std::vector<unsigned char> keyChecked_;
};

// libplist 2.2 frees a tree recursively, so a file nesting arrays a few hundred thousand
// levels deep overflows the stack even as it is refused. Count the nesting of <array> and
// <dict> before parsing (skipping comments and CDATA sections, where "<" means nothing).
bool xmlNestingWithin(std::string_view text, int limit) {
    int depth = 0;
    auto nameIs = [&](std::size_t at, std::string_view name) {
        if (text.compare(at, name.size(), name) != 0) return false;
        const std::size_t after = at + name.size();
        return after >= text.size() || text[after] == '>' || text[after] == '/' || text[after] == ' ' ||
               text[after] == '\t' || text[after] == '\n' || text[after] == '\r';
    };
    for (std::size_t i = text.find('<'); i != std::string_view::npos; i = text.find('<', i + 1)) {
        // Most tags are <key>, <string>, <integer>...: one byte tells them apart cheaply.
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next != '!' && next != '/' && next != 'a' && next != 'd') continue;
        if (text.compare(i, 4, "<!--") == 0) {
            i = text.find("-->", i + 4);
            if (i == std::string_view::npos) break;
            continue;
        }
        if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = text.find("]]>", i + 9);
            if (i == std::string_view::npos) break;
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '/') {
            if (nameIs(i + 2, "array") || nameIs(i + 2, "dict")) --depth;
            continue;
        }
        if (!nameIs(i + 1, "array") && !nameIs(i + 1, "dict")) continue;
        const std::size_t close = text.find('>', i);
        if (close != std::string_view::npos && text[close - 1] == '/') continue;  // <array/>
        if (++depth > limit) return false;
    }
    return true;
}

}  // namespace

namespace {

// libplist's tree of the bytes; none where they are no property list or fail the checks above.
PlistPtr nodesOf(std::string_view bytes) {
    if (bytes.empty() || bytes.size() >= std::numeric_limits<uint32_t>::max()) return nullptr;
    plist_t root = nullptr;
    const auto length = static_cast<uint32_t>(bytes.size());
    if (bytes.substr(0, 8) == "bplist00") {
        if (!BinaryPlistGuard(bytes).safe()) return nullptr;
        plist_from_bin(bytes.data(), length, &root);
    } else {
        if (!xmlNestingWithin(bytes, kMaxDepth)) return nullptr;
        plist_from_xml(bytes.data(), length, &root);
    }
    return PlistPtr(root);
}

std::optional<PlistValue> valueOf(const PlistPtr& root) {
    PlistValue value;
    if (!root || !fromNode(root.get(), 0, value)) return std::nullopt;
    return value;
}

// The stored files' own form is read without libplist; whatever that reader leaves, libplist
// reads (see PlistXmlReader).
std::optional<PlistValue> readOwnForm(std::string_view bytes) {
    if (bytes.starts_with("bplist00")) return std::nullopt;
    return PlistXmlReader::read(bytes);
}

}  // namespace

std::optional<PlistValue> PlistFile::parse(std::string_view bytes) {
    try {
        if (std::optional<PlistValue> value = readOwnForm(bytes)) return value;
        return valueOf(nodesOf(bytes));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<PlistValue> PlistFile::parseThroughLibplist(std::string_view bytes) {
    try {
        return valueOf(nodesOf(bytes));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<PlistValue> PlistFile::read(const std::string& path, std::string* problem) {
    std::optional<std::string> bytes = RegularFile::read(path, kLargestFile, problem);
    if (!bytes) return std::nullopt;
    try {
        std::optional<PlistValue> value = readOwnForm(*bytes);
        if (value) return value;
        PlistPtr root = nodesOf(*bytes);
        bytes.reset();  // its memory serves the conversion
        value = valueOf(root);
        if (!value && problem) *problem = "not a property list";
        return value;
    } catch (const std::bad_alloc&) {
        if (problem) *problem = "not enough memory to read it";
        return std::nullopt;
    }
}

std::optional<PlistDict> PlistFile::readDictionary(const std::string& path, std::string* problem) {
    std::optional<PlistValue> value = read(path, problem);
    if (value && !value->isDict() && problem) *problem = "not a dictionary";
    if (!value || !value->isDict()) return std::nullopt;
    return std::move(*value->getDict());
}

std::optional<PlistArray> PlistFile::readArray(const std::string& path, std::string* problem) {
    std::optional<PlistValue> value = read(path, problem);
    if (value && !value->isArray() && problem) *problem = "not a list";
    if (!value || !value->isArray()) return std::nullopt;
    return std::move(*value->getArray());
}

std::optional<std::string> PlistFile::toXML(const PlistValue& value) {
    try {
        if (std::optional<std::string> xml = PlistXmlWriter::toXML(value)) return xml;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return toXMLThroughLibplist(value);
}

std::optional<std::string> PlistFile::toXMLThroughLibplist(const PlistValue& value) {
    try {
        PlistPtr root = toNode(value, 0);
        if (!root) return std::nullopt;
        char* xml = nullptr;
        uint32_t length = 0;
        plist_to_xml(root.get(), &xml, &length);
        if (!xml) return std::nullopt;
        std::string text(xml, length);
        plist_to_xml_free(xml);
        return text;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool PlistFile::writeXML(const std::string& path, const PlistValue& value, std::string* problem) {
    std::optional<std::string> xml = toXML(value);
    if (!xml) {
        if (problem) *problem = "cannot write " + path + ": the values cannot be written as a property list";
        return false;
    }
    // Through a link, the file it points at is replaced (a preferences file kept with the
    // user's other settings elsewhere) -- but only when that is a property list: a link to
    // anything else is replaced itself, and its target never written into.
    struct stat info {};
    RegularFile::Link link = RegularFile::Link::Replace;
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && read(path)) link = RegularFile::Link::Follow;
    return RegularFile::replace(path, *xml, problem, link);
}

}  // namespace kestrel
