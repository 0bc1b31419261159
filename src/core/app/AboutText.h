#pragma once
// The texts of the about box: "aboutMessageFront", the class count right-aligned in three
// characters (more digits when it has more), "aboutMessageRear". (There is no author's address
// to write to: the box has no mail button.)
//   7 -> "Kestrel knows   7 classes."     1234 -> "Kestrel knows 1234 classes."
#include <cstddef>
#include <string>

namespace kestrel {

class AboutText {
public:
    static std::string statusText(std::size_t classCount);
};

}  // namespace kestrel
