#pragma once
// A test seam's stand-in for as long as a test holds it: every Override...
// function of the program puts its value in place and returns one of these,
// which puts the value before back when it goes. The program itself never
// overrides anything.
#include <functional>
#include <utility>

class [[nodiscard]] SeamGuard {
public:
    explicit SeamGuard(std::function<void()> restore) : restore_(std::move(restore)) {}
    ~SeamGuard()
    {
        if (restore_)
            restore_();
    }
    SeamGuard(SeamGuard&& other) noexcept : restore_(std::exchange(other.restore_, nullptr)) {}
    SeamGuard& operator=(SeamGuard&&) = delete;
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;

private:
    std::function<void()> restore_;
};

// Puts value into seam until the guard goes.
template <typename T>
SeamGuard OverrideSeam(T& seam, T value)
{
    T before = std::move(seam);
    seam = std::move(value);
    return SeamGuard([&seam, before] { seam = before; });
}
