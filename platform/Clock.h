// "Now" and its local-time breakdown, behind an interface so tests can fix
// the time.
#pragma once

#include <ctime>

namespace platform {

class IClock {
public:
    virtual ~IClock() = default;
    virtual std::time_t Now() const = 0;
    virtual std::tm Local(std::time_t t) const;
    // The time of a local civil date and clock hour (month 1-12), daylight
    // saving decided by the calendar; out-of-range days and hours roll over
    // (February 31 becomes March 3 or 2).
    virtual std::time_t MakeLocal(int year, int month, int day, int hour) const;
};

class SystemClock final : public IClock {
public:
    std::time_t Now() const override { return std::time(nullptr); }
};

class FixedClock final : public IClock {
public:
    explicit FixedClock(std::time_t t) : t_(t) {}
    void Set(std::time_t t) { t_ = t; }
    std::time_t Now() const override { return t_; }

private:
    std::time_t t_;
};

IClock& DefaultClock();
void SetDefaultClock(IClock* clock);

}  // namespace platform
