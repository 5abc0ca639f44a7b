#include "labs/lab_countdown.h"

#include <cmath>
#include <cstdio>

namespace vexlab::labs {

void LabCountdown::start() {
    started_ = clock_();
    remaining_ = kSeconds;
    stopped_ = false;
}

LabCountdown::Tick LabCountdown::tick() {
    if (stopped_) return Tick::Stopped;
    // Timer events come a little early or late; the nearest whole second
    // is the one the event stands for.
    const auto elapsed = std::chrono::duration<double>(clock_() - started_).count();
    const long seconds = std::lround(elapsed);
    if (remaining_ == 0 || seconds > kSeconds) {
        remaining_ = 0;
        stopped_ = true;
        return Tick::TimeUp;
    }
    if (seconds > 0) remaining_ = kSeconds - static_cast<int>(seconds);
    return Tick::Running;
}

std::string LabCountdown::caption() const {
    char text[16];
    std::snprintf(text, sizeof text, "00:%02d:%02d", remaining_ / 60 % 60, remaining_ % 60);
    return text;
}

}  // namespace vexlab::labs
