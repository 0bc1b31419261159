#include "core/model/NavigationHistory.h"

#include "core/model/SearchRank.h"

namespace kestrel {

using Place = NavigationHistory::Place;

Place Place::ofClass(std::string className) { return {Kind::Class, std::move(className), {}}; }

Place Place::ofMethod(std::string className, std::string method) {
    return {Kind::Method, std::move(className), std::move(method)};
}

Place Place::ofFunction(std::string declaration) { return {Kind::Function, {}, std::move(declaration)}; }

std::string Place::key() const {
    switch (kind) {
        case Kind::Class: return className;
        case Kind::Method: {
            const std::size_t start = text.find_first_not_of(' ');
            const char sign = start != std::string::npos && text[start] == '+' ? '+' : '-';
            return sign + SearchRank::selectorOf(text);
        }
        case Kind::Function: return std::string(SearchRank::functionNameOf(text));
    }
    return {};
}

bool Place::sameAs(const Place& other) const {
    return kind == other.kind && className == other.className && key() == other.key();
}

void NavigationHistory::visit(Place place) {
    if (replaying_) return;
    if (current_) {
        Place& now = places_[*current_];
        if (now.sameAs(place)) return;
        // The class of the place shown, selected again, shows nothing new.
        if (place.kind == Place::Kind::Class && now.kind == Place::Kind::Method && now.className == place.className)
            return;
        // A method shown on the class just shown is where that visit led.
        if (place.kind == Place::Kind::Method && now.kind == Place::Kind::Class && now.className == place.className) {
            now = std::move(place);
            places_.resize(*current_ + 1);
            return;
        }
        places_.resize(*current_ + 1);
    }
    places_.push_back(std::move(place));
    if (places_.size() > kLimit) places_.erase(places_.begin(), places_.begin() + static_cast<long>(places_.size() - kLimit));
    current_ = places_.size() - 1;
}

std::optional<std::size_t> NavigationHistory::nearest(const Exists& exists, bool ahead) const {
    if (!current_) return std::nullopt;
    if (ahead) {
        for (std::size_t i = *current_ + 1; i < places_.size(); ++i)
            if (!exists || exists(places_[i])) return i;
    } else {
        for (std::size_t i = *current_; i-- > 0;)
            if (!exists || exists(places_[i])) return i;
    }
    return std::nullopt;
}

std::optional<Place> NavigationHistory::back(const Exists& exists) {
    const std::optional<std::size_t> to = nearest(exists, false);
    if (!to) return std::nullopt;
    current_ = to;
    return places_[*to];
}

std::optional<Place> NavigationHistory::forward(const Exists& exists) {
    const std::optional<std::size_t> to = nearest(exists, true);
    if (!to) return std::nullopt;
    current_ = to;
    return places_[*to];
}

bool NavigationHistory::canGoBack(const Exists& exists) const { return nearest(exists, false).has_value(); }

bool NavigationHistory::canGoForward(const Exists& exists) const { return nearest(exists, true).has_value(); }

}  // namespace kestrel
