#pragma once
// Reads files ahead on a thread of its own, in the order given, for a reader that goes through
// most of them one at a time and would otherwise wait for each read in turn (the define pass:
// some 1,700 headers, a third of its time spent reading). The reader asks for a path with
// take(): the bytes when they were read ahead, else none, and it reads the file itself (the
// reader's order may differ from the one given: an import is read before the header after it).
//
//   FilePrefetch ahead({"A.h", "B.h", "C.h"});
//   ahead.take("B.h")  -> B.h's bytes (read ahead)  or none (not yet: read it yourself)
//
// A follow hook, where given, names more files for each one read (the headers it includes):
// those are read next, depth first, before the list goes on, each path once -- the order in
// which a reader that follows includes first will ask. A file the reader took before the thread
// came to it is passed over with what it names: the reader is past those.
//
// A prepare hook, where given, works on each file's bytes on the thread too, and take hands out
// what it made with them (the define pass's prescan of a header: DefinePrescan).
//
// What is held is bounded (budget bytes): the thread waits while that much is read and not yet
// taken. A path asked for before it was read is not read again. A file that cannot be read is
// left to the reader, whose own read says why. Nothing here changes what any file holds: the
// bytes are RegularFile::read's.
#include <any>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kestrel {

class FilePrefetch {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{16} << 20;

    // It may borrow the bytes while it works, and gives them back as they were.
    using Prepare = std::function<std::any(std::string& bytes)>;
    // Called on the thread with a file's path and bytes: the paths to read right after it.
    using Follow = std::function<std::vector<std::string>(const std::string& path, const std::string& bytes)>;
    struct Taken {
        std::string bytes;
        std::any prepared;  // what the prepare hook made of them (empty without one)
    };

    explicit FilePrefetch(std::vector<std::string> paths, std::size_t budget = kDefaultBudget, Prepare prepare = {},
                          Follow follow = {});
    ~FilePrefetch();  // stops the thread after its current file
    FilePrefetch(const FilePrefetch&) = delete;
    FilePrefetch& operator=(const FilePrefetch&) = delete;

    // The file's bytes when they were read ahead (once: a second take answers none).
    std::optional<std::string> take(const std::string& path);
    // The same with what the prepare hook made of them.
    std::optional<Taken> takePrepared(const std::string& path);
    // Whether take would answer the bytes now.
    bool holds(const std::string& path);

private:
    void run();

    const std::vector<std::string> paths;
    const std::size_t budget;
    const Prepare prepare;
    const Follow follow;
    std::mutex mutex;
    std::condition_variable room;  // signalled as bytes are taken, and on stopping
    std::unordered_map<std::string, Taken> ready;
    std::unordered_set<std::string> taken;  // asked for: not to be read, or no longer held
    std::size_t held = 0;
    bool stopping = false;
    std::thread thread;  // last: started once the rest is made
};

}  // namespace kestrel
