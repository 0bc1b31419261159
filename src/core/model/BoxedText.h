#pragma once
// An optional text kept in one pointer (8 bytes where std::optional<std::string> takes 40), for
// what is mostly absent in records made by the ten thousand: a typedef's notes say where the
// typedef is, the notes of every other declaration leave it to their record.
//
//   BoxedText place;           // none
//   place = "AppKit";          // "AppKit"
//   place.value_or("?")        // "AppKit"
//   place.reset();             // none again
#include <memory>
#include <string>
#include <string_view>

namespace kestrel {

class BoxedText {
public:
    BoxedText() = default;
    BoxedText(const BoxedText& other) : text(other.text ? std::make_unique<std::string>(*other.text) : nullptr) {}
    BoxedText(BoxedText&&) noexcept = default;
    BoxedText& operator=(const BoxedText& other) {
        if (this != &other) text = other.text ? std::make_unique<std::string>(*other.text) : nullptr;
        return *this;
    }
    BoxedText& operator=(BoxedText&&) noexcept = default;
    BoxedText& operator=(std::string value) {
        text = std::make_unique<std::string>(std::move(value));
        return *this;
    }

    bool has_value() const { return text != nullptr; }
    explicit operator bool() const { return has_value(); }
    const std::string& operator*() const { return *text; }
    const std::string* operator->() const { return text.get(); }
    std::string value_or(std::string_view fallback) const { return text ? *text : std::string(fallback); }
    void reset() { text.reset(); }

    bool operator==(const BoxedText& other) const {
        return text && other.text ? *text == *other.text : !text && !other.text;
    }

private:
    std::unique_ptr<std::string> text;
};

}  // namespace kestrel
