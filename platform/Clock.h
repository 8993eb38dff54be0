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
