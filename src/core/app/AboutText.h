#pragma once
// The texts of the about box: "aboutMessageFront", the class count right-aligned in three
// characters (more digits when it has more), "aboutMessageRear"; and the author's address.
//   7 -> "Kestrel knows   7 classes."     1234 -> "Kestrel knows 1234 classes."
#include <cstddef>
#include <string>

namespace kestrel {

class AboutText {
public:
    static std::string statusText(std::size_t classCount);
    // "mailto:" and the address of "authorMail".
    static std::string mailURL();
};

}  // namespace kestrel
