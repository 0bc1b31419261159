#pragma once
// The analysis of many headers on a small pool of threads, handed back in the order given, so
// that the caller files the records exactly as one thread analysing them in that order would.
//
// Each header is analysed on its own: a thread reads it, runs its own driver (HeaderAnalyser)
// over it into lists of its own, and leaves them for the caller. What the threads share is only
// read meanwhile: the define list (complete once the define pass has run) and the frameworks
// root; the lookups of the folder index lock what they change. So an analyser must keep to one
// header's records: one that looked at the records of the headers before would see a
// different set here than in a serial build (the build's tests compare the stored files of
// both, byte by byte).
//
// The calling thread analyses too while it waits for the next header in order, and is the
// only one that hands out results, so what the caller does with them (the opening window's
// messages, the lists) stays on its thread.
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/model/RecordLists.h"

namespace kestrel {

class ParallelAnalysis {
public:
    struct Hedder {
        std::string path;
        std::string hedderName;
        std::string fwName;
        bool custom = false;
    };
    struct Outcome {
        RecordLists records;          // what the header declares
        bool readable = false;        // false: the file could not be read, nothing was analysed
        bool onCallingThread = false;  // analysed by the thread that called run
        std::exception_ptr failure;   // what the analysis threw, thrown again to the caller
    };

    // Threads a build uses: the processors there are, at most kMaxThreads; the environment
    // variable KESTREL_BUILD_THREADS (a number from 1) sets it instead.
    static unsigned defaultThreads();
    static constexpr unsigned kMaxThreads = 8;
    static constexpr const char* kThreadsVariable = "KESTREL_BUILD_THREADS";

    // Analyses every header with threads threads in all (the caller's included), and calls
    // deliver(i, outcome) on the calling thread for i = 0, 1, ... in order, each as soon as
    // header i is done. An analysis that threw is thrown again from run, at its turn, after
    // the other threads have stopped.
    static void run(const std::vector<Hedder>& hedders, unsigned threads,
                    const std::function<void(std::size_t, Outcome&)>& deliver);

    // The bytes of a header, none when it cannot be read.
    static std::optional<std::string> read(const std::string& path);
};

}  // namespace kestrel
