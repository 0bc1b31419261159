#pragma once
// Which stored addresses are handed to the desktop to open: a well-formed URL (RFC 3986, with
// the non-ASCII letters of an internationalised address in UTF-8) of one of four kinds.
//   http, https   a host, an optional port up to 65535      https://example.org/a?b#c
//   file          an absolute path, with or without a host  file:///usr/include/x.h
//   mailto        one or more addresses, each local@domain  mailto:a@example.org?subject=x
// Schemes are compared without case. Spaces, control characters, quotes, the characters
// < > \ ^ ` { | }, a % without two hex digits, invalid UTF-8, and any other scheme (javascript:,
// data:, a relative path, ...) are refused.
#include <string_view>

namespace kestrel {

class UrlCheck {
public:
    static bool isOpenable(std::string_view url);
};

}  // namespace kestrel
