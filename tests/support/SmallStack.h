#pragma once
// Runs work on a thread with a small stack, so that a walk that recurses on the depth of its
// input fails at once (it would need some tens of megabytes for 100,000 levels) instead of
// depending on how large the test's own stack happens to be.
#include <pthread.h>

#include <cstddef>
#include <functional>

namespace kestrel::test {

inline void onSmallStack(const std::function<void()>& work, std::size_t bytes = 512 * 1024) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    pthread_t thread;
    auto run = [](void* job) -> void* {
        (*static_cast<const std::function<void()>*>(job))();
        return nullptr;
    };
    if (pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)) == 0)
        pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

}  // namespace kestrel::test
