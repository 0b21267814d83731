#include "host/ordered_tasks.h"

// With a standard library built without threads (mingw's win32 thread model,
// say) every task runs on the calling thread.
#if defined(_GLIBCXX_HAS_GTHREADS)
#include <future>
#include <memory>
#include <thread>
#define VANTOR_HOST_THREADS 1
#else
#define VANTOR_HOST_THREADS 0
#endif

namespace vantor::host {

unsigned defaultJobs() {
#if VANTOR_HOST_THREADS
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
#else
    return 1;
#endif
}

OrderedTasks::OrderedTasks(unsigned jobs, std::function<void(const std::exception&)> onFailure)
    : jobs_(VANTOR_HOST_THREADS ? jobs : 1), onFailure_(std::move(onFailure)) {}

OrderedTasks::~OrderedTasks() {
    // Tasks refer to the caller's objects: none may outlive this.
    for (const Outcome& outcome : running_) {
        try {
            outcome();
        } catch (...) {
        }
    }
}

void OrderedTasks::add(Task task) {
    if (jobs_ <= 1) {
        finish(task);
        return;
    }
#if VANTOR_HOST_THREADS
    while (running_.size() >= jobs_) finishOldest();
    auto result =
        std::make_shared<std::future<Finish>>(std::async(std::launch::async, std::move(task)));
    running_.push_back([result] { return result->get(); });
#endif
}

void OrderedTasks::finishAll() {
    while (!running_.empty()) finishOldest();
}

void OrderedTasks::finishOldest() {
    const Outcome oldest = std::move(running_.front());
    running_.pop_front();
    finish(oldest);
}

void OrderedTasks::finish(const Outcome& outcome) {
    try {
        outcome()();
    } catch (const std::exception& failure) {
        onFailure_(failure);
    }
}

}  // namespace vantor::host
