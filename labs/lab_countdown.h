#pragma once
// The lab's twenty-minute countdown.  The window's timer calls tick() about
// once a second; the remaining time is worked out from the clock, so a late
// or missed timer event never stretches the learner's twenty minutes.  The
// time is up at the first tick after 00:00:00 has been shown (or once more
// than twenty minutes have gone by).

#include <chrono>
#include <functional>
#include <string>

namespace vexlab::labs {

class LabCountdown {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kSeconds = 20 * 60;

    explicit LabCountdown(Clock clock = [] { return std::chrono::steady_clock::now(); })
        : clock_(std::move(clock)) {}

    // Starts again from 00:20:00.
    void start();

    enum class Tick { Running, TimeUp, Stopped };
    // One timer event: Running with a new caption, TimeUp once (the countdown
    // stops itself before saying so), Stopped for any later event.
    Tick tick();

    // "00:" minutes ":" seconds, each with a leading 0 below 10.
    std::string caption() const;
    int remaining_seconds() const { return remaining_; }
    bool stopped() const { return stopped_; }

private:
    Clock clock_;
    std::chrono::steady_clock::time_point started_{};
    int remaining_ = kSeconds;
    bool stopped_ = true;
};

}  // namespace vexlab::labs
