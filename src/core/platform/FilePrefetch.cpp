#include "core/platform/FilePrefetch.h"

#include <iterator>
#include <system_error>
#include <utility>

#include "core/platform/RegularFile.h"

namespace kestrel {

FilePrefetch::FilePrefetch(std::vector<std::string> list, std::size_t limit, Prepare made, Follow then)
    : paths(std::move(list)), budget(limit), prepare(std::move(made)), follow(std::move(then)) {
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
        std::unordered_set<std::string> seen;  // each path read once, listed or followed
        std::vector<std::string> next;         // the paths to read before the list goes on, next last
        for (const std::string& listed : paths) {
            next.push_back(listed);
            while (!next.empty()) {
                const std::string path = std::move(next.back());
                next.pop_back();
                if (!seen.insert(path).second) continue;
                bool wanted = true;
                {
                    std::unique_lock lock(mutex);
                    room.wait(lock, [this] { return stopping || held < budget; });
                    if (stopping) return;
                    wanted = !taken.count(path) && !ready.count(path);
                }
                // Taken already: the reader is past it, and past what it includes.
                if (!wanted) continue;
                std::optional<std::string> bytes = RegularFile::read(path);
                if (!bytes) continue;
                if (follow) {
                    std::vector<std::string> more = follow(path, *bytes);
                    next.insert(next.end(), std::make_move_iterator(more.rbegin()), std::make_move_iterator(more.rend()));
                }
                std::any prepared = prepare ? prepare(*bytes) : std::any();
                std::lock_guard lock(mutex);
                if (stopping) return;
                if (taken.count(path)) continue;  // asked for while being read: the reader read it
                held += bytes->size();
                ready.emplace(path, Taken{std::move(*bytes), std::move(prepared)});
            }
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
    std::optional<Taken> whole = takePrepared(path);
    if (!whole) return std::nullopt;
    return std::move(whole->bytes);
}

std::optional<FilePrefetch::Taken> FilePrefetch::takePrepared(const std::string& path) {
    std::optional<Taken> whole;
    {
        std::lock_guard lock(mutex);
        if (!taken.insert(path).second) return std::nullopt;
        auto found = ready.find(path);
        if (found == ready.end()) return std::nullopt;
        held -= found->second.bytes.size();
        whole = std::move(found->second);
        ready.erase(found);
    }
    room.notify_all();
    return whole;
}

}  // namespace kestrel
