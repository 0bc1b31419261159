#pragma once
// Back and Forward over what was shown in this session -- classes, methods and functions -- as
// a browser keeps its pages:
//
//   shown                        entries (current in [ ])
//   NSView                       [NSView]
//   NSView -initWithFrame:       [NSView -initWithFrame:]        a method on the class just shown
//                                                                refines its entry
//   NSWindow                     NSView -initWithFrame:, [NSWindow]
//   NSWindow (again)             unchanged: the same place twice in a row is one entry
//   Back                         [NSView -initWithFrame:], NSWindow
//   NSRectFill                   NSView -initWithFrame:, [NSRectFill]   a new place drops the
//                                                                       ones ahead
//
// What is shown while going back or forward (Replay) is not recorded. Places are kept by name
// (a method by its class's name and its selector, a function by its name), so that they are
// found again in a tree built anew; Back and Forward pass over those that the tree no longer
// has, as the `exists` test given says. The oldest go beyond kLimit entries.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class NavigationHistory {
public:
    struct Place {
        enum class Kind { Class, Method, Function };
        Kind kind = Kind::Class;
        std::string className;  // Class and Method (empty: a method shown without a class)
        std::string text;       // the method's or the function's stored declaration

        static Place ofClass(std::string className);
        static Place ofMethod(std::string className, std::string method);
        static Place ofFunction(std::string declaration);
        // What the place is known by: the class's name, the method's sign and selector
        // ("-initWithFrame:"), the function's name.
        std::string key() const;
        // The same class and key.
        bool sameAs(const Place& other) const;
    };
    using Exists = std::function<bool(const Place&)>;
    static constexpr std::size_t kLimit = 500;

    void visit(Place place);
    // The nearest place behind (ahead) that exists, made the current one; none when there is
    // none, and then nothing changes.
    std::optional<Place> back(const Exists& exists);
    std::optional<Place> forward(const Exists& exists);
    bool canGoBack(const Exists& exists) const;
    bool canGoForward(const Exists& exists) const;

    const std::vector<Place>& places() const { return places_; }
    // The index of the current place; none before the first visit.
    std::optional<std::size_t> current() const { return current_; }

    // While one lives, visits are not recorded (what Back or Forward shows).
    class Replay {
    public:
        explicit Replay(NavigationHistory& history) : history_(history), was_(history.replaying_) {
            history.replaying_ = true;
        }
        ~Replay() { history_.replaying_ = was_; }
        Replay(const Replay&) = delete;
        Replay& operator=(const Replay&) = delete;

    private:
        NavigationHistory& history_;
        bool was_;
    };

private:
    std::optional<std::size_t> nearest(const Exists& exists, bool ahead) const;

    std::vector<Place> places_;
    std::optional<std::size_t> current_;
    bool replaying_ = false;
};

}  // namespace kestrel
