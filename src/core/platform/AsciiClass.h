#pragma once
// ASCII letters and digits by comparison, where the readers ask for every byte of a name:
// std::isalnum asks the locale each time (and a single-byte locale would take some bytes above
// 0x7f for letters, which no compiler does).
namespace kestrel {

inline bool isAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace kestrel
