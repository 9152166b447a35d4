// Handing a worker's result back to the UI thread: one mutex-protected
// optional value per background area, filled once by the worker and taken
// by the UI thread at its next event, draw or completion query.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace file_explorer::files_app {

template <class T>
class ResultSlot {
public:
    void put(T value) {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }
    std::optional<T> take() {
        std::lock_guard lock(mutex_);
        std::optional<T> out = std::move(value_);
        value_.reset();
        return out;
    }

private:
    std::mutex mutex_;
    std::optional<T> value_;
};

// One background area: at most one worker at a time, with its slot.
template <class T>
class BackgroundArea {
public:
    bool pending() const { return pending_; }

    // Starts `work` on its own thread with the inputs it captured by value;
    // its return value lands in the slot. False when a worker is running.
    template <class Work>
    bool start(Work work) {
        if (pending_) return false;
        pending_ = true;
        std::thread([slot = slot_, work = std::move(work)]() mutable { slot->put(work()); }).detach();
        return true;
    }

    // The finished result, if any; clears the pending marker when taken.
    std::optional<T> poll() {
        auto result = slot_->take();
        if (result) pending_ = false;
        return result;
    }

private:
    std::shared_ptr<ResultSlot<T>> slot_ = std::make_shared<ResultSlot<T>>();
    bool pending_ = false;
};

}  // namespace file_explorer::files_app
