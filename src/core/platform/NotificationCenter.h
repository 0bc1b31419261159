#pragma once
// A small synchronous notification centre: post() calls every matching observer at once, in
// the order they were added, before it returns.
//
//   center.addObserver(this, "ClassDidUnselectedMessage", [&](const Notification&) { ... });
//   center.post("ClassDidUnselectedMessage");            // handler runs here
//   center.removeObserver(this);                         // before `this` goes away
//
// The object travels in a std::any: a record (std::shared_ptr<ClassData>), a method string,
// or nothing. Observers may add or remove observers, themselves included, while handling a
// notification; one removed during a post is not called afterwards.
#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

struct Notification {
    std::string name;
    std::any object;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    // The centre that the program's parts share.
    static NotificationCenter& defaultCenter();

    // name none: every notification.
    void addObserver(const void* observer, std::optional<std::string> name, Handler handler);
    void removeObserver(const void* observer);                          // all its names
    void removeObserver(const void* observer, const std::string& name);
    void post(const std::string& name, std::any object = {});
    void removeAllObservers();

private:
    struct Entry {
        std::uint64_t id;
        const void* observer;
        std::optional<std::string> name;
        Handler handler;
    };
    std::vector<Entry> entries_;
    std::uint64_t nextId_ = 1;
};

}  // namespace kestrel
