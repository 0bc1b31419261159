#pragma once
// One property-list value: string, integer, real, boolean, date, data, array or dictionary.
// The core's own type, so that nothing outside PlistFile.cpp needs libplist.
//
// Dictionaries keep their keys in insertion order (the stored files are compared and diffed by
// people, and the record form fixes a key order); setting an existing key replaces its value
// in place.
//
//   PlistDict d;  d.set("kind", PlistValue(2));  d.set("name", PlistValue("NSView"));
//   d.integerValue("kind") -> 2;  d.getString("name") -> "NSView";  d.getString("kind") -> none
//
// Strict accessors (getString, getInteger, getArray, ...) answer none on any other type.
// The lenient readers integerValue/boolValue/realValue also take numbers written as text,
// as files edited by hand or by older versions hold them: "1200" -> 1200, "YES" -> true.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace kestrel {

class PlistValue;
using PlistArray = std::vector<PlistValue>;

// Seconds since 2001-01-01 00:00:00 UTC, the property-list epoch.
struct PlistDate {
    double seconds = 0.0;
    bool operator==(const PlistDate&) const = default;
};

// Raw bytes (<data>), kept apart from strings so that the type survives a round trip.
struct PlistData {
    std::string bytes;
    bool operator==(const PlistData&) const = default;
};

class PlistDict {
public:
    using Entry = std::pair<std::string, PlistValue>;

    PlistDict();
    PlistDict(const PlistDict&);
    PlistDict(PlistDict&&) noexcept;
    PlistDict& operator=(const PlistDict&);
    PlistDict& operator=(PlistDict&&) noexcept;
    ~PlistDict();

    // Adds the key at the end, or replaces the value of an existing key where it stands.
    void set(const std::string& key, PlistValue value);
    // For a key the caller knows is not there yet (a parsed file's keys are unique): no search.
    void append(std::string&& key, PlistValue&& value);
    void reserve(std::size_t count);
    // Removes the key; later keys keep their order. Answers whether it was there.
    bool remove(const std::string& key);
    void clear();

    bool contains(const std::string& key) const;
    const PlistValue* find(const std::string& key) const;
    PlistValue* find(const std::string& key);

    std::size_t size() const;
    bool empty() const;
    const std::vector<Entry>& entries() const;  // in insertion order
    std::vector<Entry>::const_iterator begin() const;
    std::vector<Entry>::const_iterator end() const;

    // Typed look-ups: none when the key is absent or holds another type.
    const std::string* getString(const std::string& key) const;
    std::optional<std::int64_t> getInteger(const std::string& key) const;
    std::optional<bool> getBoolean(const std::string& key) const;
    const PlistArray* getArray(const std::string& key) const;
    const PlistDict* getDict(const std::string& key) const;
    // An array whose every element is a string; none when any element is not.
    std::optional<std::vector<std::string>> getStringArray(const std::string& key) const;

    // Lenient look-ups (see PlistValue::integerValue and friends).
    std::optional<std::int64_t> integerValue(const std::string& key) const;
    std::optional<bool> boolValue(const std::string& key) const;
    std::optional<double> realValue(const std::string& key) const;

    bool operator==(const PlistDict& other) const;  // same keys in the same order, equal values

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t position(const std::string& key) const;  // npos when absent
    void reindex();
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;  // key -> position; only for large dictionaries
};

class PlistValue {
public:
    enum class Type { String, Integer, Real, Boolean, Date, Data, Array, Dictionary };

    PlistValue();  // an empty string
    PlistValue(std::string s);
    PlistValue(const char* s);
    PlistValue(std::string_view s);
    PlistValue(std::int64_t i);
    PlistValue(int i);
    PlistValue(double r);
    PlistValue(bool b);
    PlistValue(PlistDate d);
    PlistValue(PlistData d);
    PlistValue(PlistArray a);
    PlistValue(PlistDict d);
    // An array of strings, the commonest array in the stored records.
    static PlistValue fromStrings(const std::vector<std::string>& strings);

    Type type() const;
    bool isString() const { return type() == Type::String; }
    bool isInteger() const { return type() == Type::Integer; }
    bool isReal() const { return type() == Type::Real; }
    bool isBoolean() const { return type() == Type::Boolean; }
    bool isDate() const { return type() == Type::Date; }
    bool isData() const { return type() == Type::Data; }
    bool isArray() const { return type() == Type::Array; }
    bool isDict() const { return type() == Type::Dictionary; }

    // Strict accessors: none (a null pointer or an empty optional) on any other type.
    const std::string* getString() const;
    std::optional<std::int64_t> getInteger() const;
    std::optional<double> getReal() const;
    std::optional<bool> getBoolean() const;
    const PlistDate* getDate() const;
    const PlistData* getData() const;
    const PlistArray* getArray() const;
    PlistArray* getArray();
    const PlistDict* getDict() const;
    PlistDict* getDict();

    // Lenient readers, for numbers and flags that may be stored as text.
    //   integerValue: an integer; a boolean as 1/0; a real truncated toward zero (clamped);
    //     a string that starts (after blanks) with an optional sign and at least one digit,
    //     trailing text ignored, clamped on overflow: " -12px" -> -12, "abc" -> none.
    //   boolValue: a boolean; a number as "not zero"; a string as YES when, after blanks,
    //     a sign and leading zeros, it starts with Y, y, T, t or a digit 1-9: "0010" -> true,
    //     "no" -> false. Dates, data, arrays and dictionaries -> none.
    //   realValue: a real; an integer; a boolean as 1/0; a string that starts with a number.
    std::optional<std::int64_t> integerValue() const;
    std::optional<bool> boolValue() const;
    std::optional<double> realValue() const;

    bool operator==(const PlistValue& other) const;

private:
    std::variant<std::string, std::int64_t, double, bool, PlistDate, PlistData, PlistArray, PlistDict>
        value_;
};

}  // namespace kestrel
