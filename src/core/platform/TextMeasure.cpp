#include "core/platform/TextMeasure.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when none starts there.
std::size_t sequenceAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    else return 0;
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

double TextMeasure::width(std::string_view text) {
    const Function& function = ProcessState::measureFunction();
    if (function && std::this_thread::get_id() == ProcessState::measureThread()) return function(text);
    return defaultWidth(text);
}

void TextMeasure::setFunction(Function function) {
    ProcessState::measureFunction() = std::move(function);
    ProcessState::measureThread() = std::this_thread::get_id();
}

bool TextMeasure::hasFunction() { return static_cast<bool>(ProcessState::measureFunction()); }

bool TextMeasure::measuresByDefault() {
    return !ProcessState::measureFunction() || std::this_thread::get_id() != ProcessState::measureThread();
}

double TextMeasure::lineHeight() {
    // Records made while a build analyses on other threads ask too: the window program's
    // fonts must not be touched there (it crashed in Qt's font engine).
    const LineHeightFunction& function = ProcessState::lineHeightFunction();
    if (function && std::this_thread::get_id() == ProcessState::measureThread()) return function();
    return kDefaultLineHeight;
}

void TextMeasure::setLineHeightFunction(LineHeightFunction function) {
    ProcessState::lineHeightFunction() = std::move(function);
    ProcessState::measureThread() = std::this_thread::get_id();
}

double TextMeasure::defaultWidth(std::string_view text) {
    return static_cast<double>(characterCount(text)) * kDefaultAdvance;
}

std::size_t TextMeasure::characterCount(std::string_view text) {
    // Most names are ASCII, one character a byte: counted without decoding.
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text.size();
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) i += characterSizeAt(text, i);
    return count;
}

std::size_t TextMeasure::characterSizeAt(std::string_view text, std::size_t offset) {
    if (offset >= text.size()) return 0;
    const std::size_t length = sequenceAt(text, offset);
    return length ? length : 1;
}

}  // namespace kestrel
