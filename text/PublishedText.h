#pragma once
// A Text that one thread replaces while others read it. A reader always gets either
// the old or the new value, never a released one: values are shared and each reader
// keeps its own reference. Objects of this class are meant to live for the whole
// process (never destroyed), so a thread abandoned at exit cannot touch a destroyed
// object; Release() drops the value and turns later stores into no-ops.

#include <atomic>
#include <memory>

#include "text/Text.h"

class PublishedText {
public:
    Text Load() const {
        std::shared_ptr<const Text> value = value_.load();
        return value ? *value : Text();
    }
    void Store(Text value) {
        if (released_.load()) return;
        value_.store(std::make_shared<const Text>(std::move(value)));
        // A store racing Release() must not outlive it.
        if (released_.load()) value_.store(nullptr);
    }
    void Release() {
        released_.store(true);
        value_.store(nullptr);
    }

private:
    std::atomic<std::shared_ptr<const Text>> value_;
    std::atomic<bool> released_{false};
};
