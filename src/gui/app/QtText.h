#pragma once
// The core's texts are UTF-8 std::strings; the windows' are QStrings.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::gui {

inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// None is an empty text.
inline QString qText(const std::optional<std::string>& text) { return text ? qText(std::string_view(*text)) : QString(); }

inline QString qText(const std::string& text) { return qText(std::string_view(text)); }

}  // namespace kestrel::gui
