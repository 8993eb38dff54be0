// The model's random numbers: a 15-bit linear congruential generator with
// an injectable seed. r/32768 lies in [0, 1) as the model expects.
#pragma once

#include <cstdint>

namespace platform {

class CModelRandom {
public:
    static constexpr int kMax = 0x7FFF;  // largest value of Next()

    explicit CModelRandom(std::uint32_t seed = 1) : state_(seed) {}
    void Seed(std::uint32_t seed) { state_ = seed; }
    // Next value in 0..32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // Next value divided by 32768: in [0, 1).
    double Uniform() { return Next() / 32768.0; }

private:
    std::uint32_t state_;
};

}  // namespace platform
