#include "core/platform/FilePrefetch.h"

#include <system_error>
#include <utility>

#include "core/platform/RegularFile.h"

namespace kestrel {

FilePrefetch::FilePrefetch(std::vector<std::string> list, std::size_t limit) : paths(std::move(list)), budget(limit) {
    try {
        thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had: every take answers none, and the reader reads as before.
    }
}

FilePrefetch::~FilePrefetch() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    room.notify_all();
    if (thread.joinable()) thread.join();
}

void FilePrefetch::run() {
    try {
        for (const std::string& path : paths) {
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [this] { return stopping || held < budget; });
                if (stopping) return;
                if (taken.count(path) || ready.count(path)) continue;
            }
            std::optional<std::string> bytes = RegularFile::read(path);
            if (!bytes) continue;
            std::lock_guard lock(mutex);
            if (stopping) return;
            if (taken.count(path)) continue;  // asked for while being read: the reader read it
            held += bytes->size();
            ready.emplace(path, std::move(*bytes));
        }
    } catch (...) {
        // Out of memory, most likely: the reader reads what is left itself.
    }
}

bool FilePrefetch::holds(const std::string& path) {
    std::lock_guard lock(mutex);
    return ready.count(path) > 0;
}

std::optional<std::string> FilePrefetch::take(const std::string& path) {
    std::optional<std::string> bytes;
    {
        std::lock_guard lock(mutex);
        if (!taken.insert(path).second) return std::nullopt;
        auto found = ready.find(path);
        if (found == ready.end()) return std::nullopt;
        held -= found->second.size();
        bytes = std::move(found->second);
        ready.erase(found);
    }
    room.notify_all();
    return bytes;
}

}  // namespace kestrel
