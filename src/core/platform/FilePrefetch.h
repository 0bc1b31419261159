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
// What is held is bounded (budget bytes): the thread waits while that much is read and not yet
// taken. A path asked for before it was read is not read again. A file that cannot be read is
// left to the reader, whose own read says why. Nothing here changes what any file holds: the
// bytes are RegularFile::read's.
#include <condition_variable>
#include <cstddef>
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

    explicit FilePrefetch(std::vector<std::string> paths, std::size_t budget = kDefaultBudget);
    ~FilePrefetch();  // stops the thread after its current file
    FilePrefetch(const FilePrefetch&) = delete;
    FilePrefetch& operator=(const FilePrefetch&) = delete;

    // The file's bytes when they were read ahead (once: a second take answers none).
    std::optional<std::string> take(const std::string& path);
    // Whether take would answer the bytes now.
    bool holds(const std::string& path);

private:
    void run();

    const std::vector<std::string> paths;
    const std::size_t budget;
    std::mutex mutex;
    std::condition_variable room;  // signalled as bytes are taken, and on stopping
    std::unordered_map<std::string, std::string> ready;
    std::unordered_set<std::string> taken;  // asked for: not to be read, or no longer held
    std::size_t held = 0;
    bool stopping = false;
    std::thread thread;  // last: started once the rest is made
};

}  // namespace kestrel
