#include "core/app/ParallelAnalysis.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "core/parse/HeaderAnalyser.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/HeaderTexts.h"
#include "core/platform/ProcessState.h"
#include "core/platform/RegularFile.h"

namespace kestrel {

namespace {

// One thread's driver, filing into lists of its own that each header's outcome takes over.
class Analyst {
public:
    void analyse(const ParallelAnalysis::Hedder& hedder, ParallelAnalysis::Outcome& outcome) {
        try {
            std::optional<std::string> bytes = ParallelAnalysis::read(hedder.path);
            if (bytes) {
                TextBuffer buffer(std::move(*bytes));
                analyser.doAnalyseHedderFile(buffer, hedder.hedderName, hedder.fwName, hedder.custom);
                outcome.readable = true;
            }
        } catch (...) {
            outcome.failure = std::current_exception();
        }
        outcome.records = std::move(scratch);
        scratch = RecordLists{};
    }

private:
    RecordLists scratch;
    HeaderAnalyser analyser{scratch};
};

struct Work {
    const std::vector<ParallelAnalysis::Hedder>& hedders;
    std::vector<ParallelAnalysis::Outcome> outcomes;
    std::unique_ptr<std::atomic<bool>[]> done;
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;

    explicit Work(const std::vector<ParallelAnalysis::Hedder>& list)
        : hedders(list), outcomes(list.size()), done(new std::atomic<bool>[list.size()]) {
        for (std::size_t i = 0; i < list.size(); ++i) done[i] = false;
    }
    // Takes the next header not yet taken; false when none is left.
    bool analyseOne(Analyst& analyst, bool callingThread) {
        const std::size_t i = next.fetch_add(1);
        if (i >= hedders.size()) return false;
        outcomes[i].onCallingThread = callingThread;
        analyst.analyse(hedders[i], outcomes[i]);
        {
            std::lock_guard lock(mutex);
            done[i] = true;
        }
        finished.notify_all();
        return true;
    }
    void stop() { next = hedders.size(); }
};

}  // namespace

unsigned ParallelAnalysis::defaultThreads() {
    if (const char* given = std::getenv(kThreadsVariable); given && *given) {
        char* end = nullptr;
        const long value = std::strtol(given, &end, 10);
        if (end && *end == '\0' && value >= 1) return static_cast<unsigned>(std::min<long>(value, 64));
    }
    return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

std::optional<std::string> ParallelAnalysis::read(const std::string& path) {
    // As the define pass read it, where it did: the same bytes, without reading them again.
    if (std::optional<std::string> kept = ProcessState::headerTexts().take(path)) return kept;
    return RegularFile::read(path);
}

void ParallelAnalysis::run(const std::vector<Hedder>& hedders, unsigned threads,
                           const std::function<void(std::size_t, Outcome&)>& deliver) {
    Work work(hedders);
    std::vector<std::jthread> helpers;
    struct StopHelpers {  // also when deliver throws: the helpers end after their header
        Work& work;
        std::vector<std::jthread>& helpers;
        ~StopHelpers() {
            work.stop();
            helpers.clear();  // joins
        }
    } stopHelpers{work, helpers};
    const std::size_t wanted = std::min<std::size_t>(threads > 0 ? threads - 1 : 0, hedders.size());
    for (std::size_t t = 0; t < wanted; ++t) {
        helpers.emplace_back([&work] {
            Analyst analyst;
            while (work.analyseOne(analyst, false)) {
            }
        });
    }
    Analyst own;
    for (std::size_t i = 0; i < hedders.size(); ++i) {
        while (!work.done[i]) {
            if (work.analyseOne(own, true)) continue;
            std::unique_lock lock(work.mutex);
            work.finished.wait(lock, [&] { return work.done[i].load(); });
        }
        Outcome& outcome = work.outcomes[i];
        if (outcome.failure) std::rethrow_exception(outcome.failure);
        deliver(i, outcome);
        outcome = Outcome{};  // its records belong to the caller now
    }
}

}  // namespace kestrel
