#include "core/platform/PlistValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kestrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// " -12px" -> -12; none when no digit follows the blanks and the sign. Clamps on overflow.
std::optional<std::int64_t> leadingInteger(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size() || !isDigit(s[i])) return std::nullopt;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;  // accumulated as a negative number, whose range is the wider one
    bool overflow = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        const int digit = s[i] - '0';
        if (value < (std::numeric_limits<std::int64_t>::min() + digit) / 10) {
            overflow = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (overflow) return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    if (!negative) return value == std::numeric_limits<std::int64_t>::min() ? kMax : -value;
    return value;
}

// " 12.7pt" -> 12.7. from_chars, not strtod: the window program runs under the user's locale,
// where strtod may expect a decimal comma.
std::optional<double> leadingReal(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    if (i < s.size() && s[i] == '+') ++i;
    double value = 0;
    const auto result = std::from_chars(s.data() + i, s.data() + s.size(), value);
    if (result.ec != std::errc()) return std::nullopt;  // no number, or out of range
    return value;
}

std::int64_t clampToInteger(double r) {
    if (std::isnan(r)) return 0;
    if (r >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);  // truncates toward zero
}

// As a flag, text means YES when it starts with Y, y, T, t or a non-zero digit: "0010" -> YES.
bool textFlag(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] == '0') ++i;
    if (i >= s.size()) return false;
    const char c = s[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

}  // namespace

// ---- PlistDict ----

PlistDict::PlistDict() = default;
PlistDict::PlistDict(const PlistDict&) = default;
PlistDict::PlistDict(PlistDict&&) noexcept = default;
PlistDict& PlistDict::operator=(const PlistDict&) = default;
PlistDict& PlistDict::operator=(PlistDict&&) noexcept = default;
PlistDict::~PlistDict() = default;

// Small dictionaries (every stored record) are searched in place: a hash index per record
// costs more to build than it saves. Larger ones get the index once they grow past this.
constexpr std::size_t kIndexFrom = 16;

std::size_t PlistDict::position(const std::string& key) const {
    if (index_.empty()) {
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].first == key) return i;
        return npos;
    }
    auto found = index_.find(key);
    return found == index_.end() ? npos : found->second;
}

void PlistDict::reindex() {
    index_.clear();
    if (entries_.size() < kIndexFrom) return;
    index_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i].first, i);
}

void PlistDict::set(const std::string& key, PlistValue value) {
    const std::size_t found = position(key);
    if (found != npos) {
        entries_[found].second = std::move(value);
        return;
    }
    entries_.emplace_back(key, std::move(value));
    if (!index_.empty())
        index_.emplace(key, entries_.size() - 1);
    else if (entries_.size() >= kIndexFrom)
        reindex();
}

void PlistDict::append(std::string&& key, PlistValue&& value) {
    entries_.emplace_back(std::move(key), std::move(value));
    if (!index_.empty())
        index_.emplace(entries_.back().first, entries_.size() - 1);
    else if (entries_.size() >= kIndexFrom)
        reindex();
}

void PlistDict::reserve(std::size_t count) { entries_.reserve(count); }

bool PlistDict::remove(const std::string& key) {
    const std::size_t found = position(key);
    if (found == npos) return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found));
    if (!index_.empty()) reindex();
    return true;
}

void PlistDict::clear() {
    entries_.clear();
    index_.clear();
}

bool PlistDict::contains(const std::string& key) const { return position(key) != npos; }

const PlistValue* PlistDict::find(const std::string& key) const {
    const std::size_t found = position(key);
    return found == npos ? nullptr : &entries_[found].second;
}

PlistValue* PlistDict::find(const std::string& key) {
    const std::size_t found = position(key);
    return found == npos ? nullptr : &entries_[found].second;
}

std::size_t PlistDict::size() const { return entries_.size(); }
bool PlistDict::empty() const { return entries_.empty(); }
const std::vector<PlistDict::Entry>& PlistDict::entries() const { return entries_; }
std::vector<PlistDict::Entry>::const_iterator PlistDict::begin() const { return entries_.begin(); }
std::vector<PlistDict::Entry>::const_iterator PlistDict::end() const { return entries_.end(); }

const std::string* PlistDict::getString(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->getString() : nullptr;
}

std::optional<std::int64_t> PlistDict::getInteger(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->getInteger() : std::nullopt;
}

std::optional<bool> PlistDict::getBoolean(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->getBoolean() : std::nullopt;
}

const PlistArray* PlistDict::getArray(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->getArray() : nullptr;
}

const PlistDict* PlistDict::getDict(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->getDict() : nullptr;
}

std::optional<std::vector<std::string>> PlistDict::getStringArray(const std::string& key) const {
    const PlistArray* array = getArray(key);
    if (!array) return std::nullopt;
    std::vector<std::string> strings;
    strings.reserve(array->size());
    for (const PlistValue& element : *array) {
        const std::string* s = element.getString();
        if (!s) return std::nullopt;
        strings.push_back(*s);
    }
    return strings;
}

std::optional<std::int64_t> PlistDict::integerValue(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->integerValue() : std::nullopt;
}

std::optional<bool> PlistDict::boolValue(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->boolValue() : std::nullopt;
}

std::optional<double> PlistDict::realValue(const std::string& key) const {
    const PlistValue* v = find(key);
    return v ? v->realValue() : std::nullopt;
}

bool PlistDict::operator==(const PlistDict& other) const { return entries_ == other.entries_; }

// ---- PlistValue ----

PlistValue::PlistValue() : value_(std::string()) {}
PlistValue::PlistValue(std::string s) : value_(std::move(s)) {}
PlistValue::PlistValue(const char* s) : value_(std::string(s ? s : "")) {}
PlistValue::PlistValue(std::string_view s) : value_(std::string(s)) {}
PlistValue::PlistValue(std::int64_t i) : value_(i) {}
PlistValue::PlistValue(int i) : value_(static_cast<std::int64_t>(i)) {}
PlistValue::PlistValue(double r) : value_(r) {}
PlistValue::PlistValue(bool b) : value_(b) {}
PlistValue::PlistValue(PlistDate d) : value_(d) {}
PlistValue::PlistValue(PlistData d) : value_(std::move(d)) {}
PlistValue::PlistValue(PlistArray a) : value_(std::move(a)) {}
PlistValue::PlistValue(PlistDict d) : value_(std::move(d)) {}

PlistValue PlistValue::fromStrings(const std::vector<std::string>& strings) {
    PlistArray array;
    array.reserve(strings.size());
    for (const std::string& s : strings) array.emplace_back(s);
    return PlistValue(std::move(array));
}

PlistValue::Type PlistValue::type() const { return static_cast<Type>(value_.index()); }

const std::string* PlistValue::getString() const { return std::get_if<std::string>(&value_); }

std::optional<std::int64_t> PlistValue::getInteger() const {
    if (auto* i = std::get_if<std::int64_t>(&value_)) return *i;
    return std::nullopt;
}

std::optional<double> PlistValue::getReal() const {
    if (auto* r = std::get_if<double>(&value_)) return *r;
    return std::nullopt;
}

std::optional<bool> PlistValue::getBoolean() const {
    if (auto* b = std::get_if<bool>(&value_)) return *b;
    return std::nullopt;
}

const PlistDate* PlistValue::getDate() const { return std::get_if<PlistDate>(&value_); }
const PlistData* PlistValue::getData() const { return std::get_if<PlistData>(&value_); }
const PlistArray* PlistValue::getArray() const { return std::get_if<PlistArray>(&value_); }
PlistArray* PlistValue::getArray() { return std::get_if<PlistArray>(&value_); }
const PlistDict* PlistValue::getDict() const { return std::get_if<PlistDict>(&value_); }
PlistDict* PlistValue::getDict() { return std::get_if<PlistDict>(&value_); }

std::optional<std::int64_t> PlistValue::integerValue() const {
    switch (type()) {
        case Type::Integer: return std::get<std::int64_t>(value_);
        case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
        case Type::Real: return clampToInteger(std::get<double>(value_));
        case Type::String: return leadingInteger(std::get<std::string>(value_));
        default: return std::nullopt;
    }
}

std::optional<bool> PlistValue::boolValue() const {
    switch (type()) {
        case Type::Boolean: return std::get<bool>(value_);
        case Type::Integer: return std::get<std::int64_t>(value_) != 0;
        case Type::Real: return std::get<double>(value_) != 0.0;
        case Type::String: return textFlag(std::get<std::string>(value_));
        default: return std::nullopt;
    }
}

std::optional<double> PlistValue::realValue() const {
    switch (type()) {
        case Type::Real: return std::get<double>(value_);
        case Type::Integer: return static_cast<double>(std::get<std::int64_t>(value_));
        case Type::Boolean: return std::get<bool>(value_) ? 1.0 : 0.0;
        case Type::String: return leadingReal(std::get<std::string>(value_));
        default: return std::nullopt;
    }
}

bool PlistValue::operator==(const PlistValue& other) const { return value_ == other.value_; }

}  // namespace kestrel
