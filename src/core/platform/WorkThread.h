#pragma once
// Work on a thread of its own whose result can be had as soon as the work is done, before the
// thread has ended: a thread's end gives back its stack and memory, which takes about a
// millisecond that whoever waits for the result need not spend. (std::async's future waits for
// the end.) The thread is joined when the object goes.
//
//   WorkThread<bool> writing;
//   if (!writing.start([&] { return write(file); })) write(file);  // no thread to be had
//   ...
//   if (!writing.get()) ...
#include <exception>
#include <future>
#include <system_error>
#include <thread>
#include <utility>

namespace kestrel {

template <class Result>
class WorkThread {
public:
    WorkThread() = default;
    WorkThread(const WorkThread&) = delete;
    WorkThread& operator=(const WorkThread&) = delete;
    ~WorkThread() {
        if (thread.joinable()) thread.join();
    }

    // Starts work() (which must stay callable until it is done), once; false when no thread
    // could be started, and then nothing runs.
    template <class Work>
    bool start(Work work) {
        std::future<Result> future = promise.get_future();
        try {
            thread = std::thread([this, work = std::move(work)]() mutable {
                try {
                    promise.set_value(work());
                } catch (...) {
                    promise.set_exception(std::current_exception());
                }
            });
        } catch (const std::system_error&) {
            return false;
        }
        result = std::move(future);
        begun = true;
        return true;
    }
    bool started() const { return begun; }
    // The work's result (or what it threw), once.
    Result get() { return result.get(); }

private:
    std::promise<Result> promise;
    std::future<Result> result;
    bool begun = false;
    std::thread thread;
};

}  // namespace kestrel
