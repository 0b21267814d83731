// Work spread over several threads whose results are taken back on the
// calling thread in the order the work was handed in: output lines and
// failures come in the order of the inputs, whatever finishes first.
#pragma once

#include <deque>
#include <exception>
#include <functional>

namespace vantor::host {

// The number of threads the machine runs at once, at least 1: -j's default.
unsigned defaultJobs();

class OrderedTasks {
public:
    // What a task leaves to be done on the calling thread, in order: writing
    // its file and reporting it.
    using Finish = std::function<void()>;
    using Task = std::function<Finish()>;

    // jobs: tasks running at once (1 runs each on the calling thread).
    // onFailure receives what a task or its finish threw, in order.
    OrderedTasks(unsigned jobs, std::function<void(const std::exception&)> onFailure);
    ~OrderedTasks();
    OrderedTasks(const OrderedTasks&) = delete;
    OrderedTasks& operator=(const OrderedTasks&) = delete;

    // Starts the task once fewer than `jobs` run, finishing the oldest first.
    void add(Task task);

    // Waits for every task and finishes each in order.
    void finishAll();

private:
    // Waits for a task started on another thread and gives its result.
    using Outcome = std::function<Finish()>;

    void finishOldest();
    void finish(const Outcome& outcome);

    unsigned jobs_;
    std::function<void(const std::exception&)> onFailure_;
    std::deque<Outcome> running_;
};

}  // namespace vantor::host
