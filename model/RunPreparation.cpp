// Run preparation: run length, wind components and waves, the spreading
// constant, the hourly release schedule and sub-slicks, the time step, the
// response schedules and the initial elements.
#include <algorithm>
#include <cmath>

#include "model/WeatheringCore.h"

namespace model {

namespace {

constexpr double M = MISSING_VALUE_D;

constexpr const char* kMsgAngle = "Wave_Energy: angle must be between 0 and pi";
constexpr const char* kMsgNoSkimRate = "No skim rate or amount";
constexpr const char* kMsgLeArea = "Initial LE area not properly set";
constexpr const char* kMsgSinks = "Oil is denser than surrounding water. Will sink";

// Operations of a kind: the highest index whose start hour is set.
int OperationCount(const int (&startHour)[MAX_OPERATIONS]) {
    int n = 0;
    for (int i = 0; i < MAX_OPERATIONS; ++i)
        if (startHour[i] >= 0) n = i + 1;
    return n;
}

double Fraction01(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }

// Breaking-wave fraction for the wind equivalent u.
double BreakingFraction(double u) {
    double fraction;
    if (u < kBreakingNoneBelow)
        fraction = 0;
    else if (u < kBreakingRampEnd)
        fraction = (u - kBreakingNoneBelow) * kBreakingRampSlope;
    else
        fraction = (kBreakingLineSlope * u + kBreakingLineOffset) * kBreakingLineFactor;
    fraction = std::clamp(fraction, 0.0, 1.0);
    return fraction / kWaveBreakingDivisor;
}

// Height of a fully developed sea for a wind at or above the light-wind limit.
double DevelopedHeight(double u) {
    if (u > kWaveStrongWind) return u * std::sqrt(1000.0 * 1000.0 / kGravity) * kWaveFetchHeight;
    return u * u * kWaveDevelopedHeight / kGravity;
}

}  // namespace

int CWeatheringCore::PrepareRun() {
    // A new solve: the generator is seeded here once; every later seeding
    // point of the solve leaves it running.
    EndRandomSolve();
    SeedRandomOnce();

    const bool weather = weatherDirty != 0;
    const bool oil = oilDirty != 0;
    const bool release = releaseDirty != 0;
    const bool response = responseDirty != 0;
    if (weather || oil) fatalInput = 0;  // the oil and water are judged again below

    if (weather) {
        runHours = 0;
        for (int i = MAX_HOURS; i >= 1; --i)
            if (wind[i - 1].speed >= 0) {
                runHours = i;
                break;
            }
        for (int h = 0; h < runHours; ++h) {
            wind[h].sinDir = std::sin(wind[h].dir);
            wind[h].cosDir = std::cos(wind[h].dir);
        }
        Wave_Energy();
    }
    if (weather || oil) {
        const int status = InitOilProperties();
        if (status != RUN_OK) return status;
    }
    if (fatalInput) return RUN_FATAL_INPUT;
    if (weather || oil || release) {
        const int status = ComputeSpreadingConstant();
        if (status != RUN_OK) return status;
        BuildReleaseSchedule();
        SetupSubSlicks();
        if (currentSpeed > 0) {
            driftX = std::sin(currentDir) * currentSpeed * dt;
            driftY = std::cos(currentDir) * currentSpeed * dt;
        } else {
            driftX = driftY = 0;
        }
    }
    if (weather || oil || release || response) {
        BuildResponseSchedules();
        PlaceInitialElements();
    }
    weatherDirty = oilDirty = releaseDirty = responseDirty = 0;
    return fatalInput ? RUN_FATAL_INPUT : RUN_OK;
}

int CWeatheringCore::ComputeSpreadingConstant() {
    delta = (waterDensity - rho) / waterDensity;
    if (!(delta > 0) || !std::isfinite(delta)) {
        // Nothing floats to spread: every sub-slick area would be undefined.
        Messages().ShowOnce(kMsgSinks);
        fatalInput = 1;
        return RUN_FATAL_INPUT;
    }
    spreadConst = std::pow(kGravity * delta / std::sqrt(waterVisc), kPrepSpreadExponent) * k2 * k2 /
                  kPrepSpreadDivisor;
    return RUN_OK;
}

void CWeatheringCore::BuildReleaseSchedule() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    for (double& v : releaseVol) v = 0.0;
    // Volumes outside the run, and anything that is not a positive volume,
    // are left out.
    auto add = [&](int idx, double v) {
        if (idx < 0 || idx >= hours || !std::isfinite(v) || !(v > 0)) return false;
        releaseVol[idx] += v;
        return true;
    };
    if (tank.flag) {
        double hourly[MAX_HOURS] = {};
        ComputeTankRelease(hourly, waterDensity, rho);
        int last = 0;
        const int first = tank.startHour - 1;
        for (int k = 0; k < MAX_HOURS; ++k) {
            const int idx = first + k;
            if (idx >= hours) break;
            if (add(idx, hourly[k])) last = idx + 1;
        }
        tank.endHour = last > 0 ? last : tank.startHour;
    }
    if (instant.flag) add(instant.startHour - 1, instant.vol);
    if (continuous.flag) {
        const int n = continuous.endHour - continuous.startHour + 1;
        if (n >= 1) {
            const double slope = (continuous.endRate - continuous.startRate) / n;
            for (int k = 0; k < n; ++k)
                add(continuous.startHour - 1 + k, ((k + 0.5) * slope + continuous.startRate) * 3600);
        }
    }
}

void CWeatheringCore::SetupSubSlicks() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    int releaseHourCount = 0;
    double totalVol = 0;
    for (int h = 0; h < hours; ++h)
        if (releaseVol[h] > 0) {
            ++releaseHourCount;
            totalVol += releaseVol[h];
        }
    for (int h = hours; h < MAX_HOURS; ++h) hour[h] = {M, M, M, M, M, 0, 0, M};

    if (containedArea > 0) {
        SetupContainedSlick(totalVol, containedArea, hours, spreadConst);
    } else {
        int budget = leBudget;
        if (releaseHourCount < kPrepFewHours && totalVol < kPrepSmallTotal)
            budget /= 2;
        else if (releaseHourCount < kPrepSomeHours && totalVol < kPrepMediumTotal)
            budget = budget * 3 / 4;
        const double shape = kModelPi * std::pow(k2, 4) / (k1 * k1);
        double cumVol = 0;
        int cumCount = 0;
        for (int h = 0; h < hours; ++h) {
            SReleaseHour& slick = hour[h];
            const double vol = releaseVol[h];
            const double volHourBefore = h >= 1 ? releaseVol[h - 1] : 0.0;
            const double volTwoHoursBefore = h >= 2 ? releaseVol[h - 2] : 0.0;
            slick.vol = vol;
            cumVol += vol;
            slick.cumVol = cumVol;
            // A large hour spreads less, by its volume and the two hours before.
            const double largeHourFactor =
                vol > kPrepLargeHourVolume
                    ? std::pow(10.0 / (vol + 0.5 * volHourBefore + 0.25 * volTwoHoursBefore), 1.0 / 3.0)
                    : 1.0;
            slick.area = std::pow(std::pow(vol, 5) * kGravity * delta / (waterVisc * waterVisc), 1.0 / 6.0) *
                         largeHourFactor * shape;
            slick.radius = std::sqrt(slick.area / kModelPi);
            slick.spreadTerm = spreadConst * std::pow(vol, 2.0 / 3.0);
            if (vol > 0) {
                int count = std::max(static_cast<int>(vol / (totalVol / budget)), kPrepMinPerHour);
                count = std::min(count, MAX_ELEMENTS - cumCount);  // never reached with the budget
                slick.count = count;
                slick.volPerLE = count > 0 ? vol / count : 0.0;
            } else {
                slick.count = 0;
                slick.volPerLE = 0;
            }
            cumCount += slick.count;
            slick.cumCount = cumCount;
        }
        leCount = cumCount;
        releaseHours = releaseHourCount;
    }
    stepsPerHour = runHours <= 12 ? 8 : runHours <= 24 ? 6 : runHours <= 48 ? 4 : 2;
    dt = 3600 / stepsPerHour;
    nSteps = runHours * stepsPerHour;
}

void CWeatheringCore::SetupContainedSlick(double total, double area, int hours, double spreadConstant) {
    // Everything is in the first hour, in two elements; a release that lies
    // wholly outside the run has none.
    const int n = total > 0 ? kPrepContainedElements : 0;
    for (int h = 0; h < hours; ++h) {
        SReleaseHour& r = hour[h];
        if (h == 0) {
            r = {total, total, area, std::sqrt(area / kModelPi), std::pow(total, 2.0 / 3.0) * spreadConstant,
                 n, n, n > 0 ? total / n : 0.0};
        } else {
            r = {0.0, total, 0.0, 0.0, 0.0, 0, n, 0.0};
        }
    }
    leCount = hours > 0 ? n : 0;
    releaseHours = leCount > 0 ? 1 : 0;
}

void CWeatheringCore::BuildResponseSchedules() {
    for (SResponseHour& r : resp) r.burn = r.skim = r.chemDisp = r.sprayed = 0.0;
    ScheduleBurning();
    ScheduleSkimming();
    ScheduleDispersant();
    // Overlapping sprays cannot treat more than the whole slick.
    for (SResponseHour& r : resp) r.sprayed = std::clamp(r.sprayed, 0.0, 1.0);
}

void CWeatheringCore::ScheduleBurning() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    auto add = [&](int idx, double v) {
        if (idx >= 0 && idx < hours) resp[idx].burn += v;
    };
    const double regression = burn.regression > 0 ? burn.regression : burn.defaultRegression;
    const int n = OperationCount(burn.startHour);
    for (int i = 0; i < n; ++i) {
        const int start = burn.startHour[i];
        if (start < 1) continue;
        if (burn.burnRate[i] < 0) {
            // Without an area and a thickness there is nothing to burn.
            if (!(burn.area[i] > 0) || !(burn.thickness[i] > 0) || !std::isfinite(burn.area[i]) ||
                !std::isfinite(burn.thickness[i]))
                continue;
            burn.burnRate[i] = regression * burn.area[i];
            burn.duration[i] = static_cast<int>(std::min(burn.thickness[i] / regression, 1.0e9));
        }
        const double rate = burn.burnRate[i];
        const int duration = burn.duration[i];
        if (!(rate > 0) || !std::isfinite(rate) || duration <= 0) continue;
        const double end = std::min(start + duration / 3600.0, static_cast<double>(runHours));
        if (duration >= 3600) {
            const int whole = static_cast<int>(end);
            for (int h = start - 1; h < whole - 1; ++h) add(h, rate);
            add(whole - 1, (end - whole) * rate);
        } else {
            add(start - 1, duration * rate / 3600);
        }
    }
}

void CWeatheringCore::ScheduleSkimming() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    const int n = OperationCount(skimmer.startHour);
    for (int i = 0; i < n; ++i) {
        const int start = skimmer.startHour[i];
        if (start <= 0) continue;
        const int duration = skimmer.duration[i];
        // Wide arithmetic: a huge duration from a file must not overflow.
        const int last =
            static_cast<int>(std::min<long long>(static_cast<long long>(start) + duration - 1, runHours));
        double rate = 0;
        if (skimmer.rate[i] > 0 && std::isfinite(skimmer.rate[i])) {
            rate = skimmer.rate[i];
        } else if (skimmer.amount[i] > 0 && std::isfinite(skimmer.amount[i])) {
            rate = duration > 0 ? skimmer.amount[i] / (duration * 3600.0) : 0.0;
        } else {
            Messages().ShowOnce(kMsgNoSkimRate);
            rate = 0;
        }
        for (int h = start - 1; h <= last - 1; ++h)
            if (h >= 0 && h < hours) resp[h].skim += rate;
    }
}

void CWeatheringCore::ScheduleDispersant() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    const int n = OperationCount(disp.startHour);
    for (int i = 0; i < n; ++i) {
        const int start = disp.startHour[i];
        if (start <= 0) continue;
        int nHours = disp.duration[i];
        int last;
        // Wide arithmetic: a huge duration from a file must not overflow.
        if (static_cast<long long>(start) + nHours - 1 > runHours) {
            last = runHours;
            nHours = runHours - start + 1;
        } else {
            last = start + nHours - 1;
        }
        if (nHours <= 0) continue;
        const double dispersed = Fraction01(disp.fracDispersed[i]);
        const double sprayed = Fraction01(disp.fracSprayed[i]);
        const double perSecond = dispersed * sprayed / (nHours * 3600.0);
        for (int h = start - 1; h <= last - 1; ++h) {
            if (h < 0 || h >= hours) continue;
            resp[h].chemDisp += perSecond;
            resp[h].sprayed += sprayed;
        }
    }
}

void CWeatheringCore::DrawInDisc(double area, double radius, double& x, double& y) {
    x = y = 0.0;
    if (!(radius > 0) || !std::isfinite(radius) || !(area > 0) || !std::isfinite(area)) return;
    const double limit = area / kModelPi;
    for (int tries = 0; tries < kPrepRetryCap; ++tries) {
        x = (2 * Random().Uniform() - 1) * radius;
        y = (2 * Random().Uniform() - 1) * radius;
        if (x * x + y * y <= limit) return;
    }
    x = y = 0.0;  // the generator never hit the disc: the centre
}

void CWeatheringCore::PlaceInitialElements() {
    const int n = std::clamp(leCount, 0, MAX_ELEMENTS);
    double fractions[MAX_ELEMENTS];
    Alpha3(n, fractions);
    SeedRandomOnce();
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    int slot = 0;
    for (int h = 0; h < hours; ++h) {
        const SReleaseHour& r = hour[h];
        for (int k = 0; k < r.count && slot < n; ++k, ++slot) {
            SLERecord& e = le[slot];
            DrawInDisc(r.area, r.radius, e.x, e.y);
            e.spreadCoef = r.spreadTerm;
            e.releaseTime = h + 1;
            e.releaseHour = h;
            const double a = r.area / r.count;
            if (!(a > 0) || !std::isfinite(a)) {
                Messages().ShowOnce(kMsgLeArea);
                return;
            }
            e.area[h] = a;
            e.minArea = a;
            e.vol0 = e.Vol = r.volPerLE;
            e.Y = e.evex = e.S = e.f_evap = 0;
            e.visc = visc;
            e.rho = rho;
            e.alpha = fractions[slot];
        }
    }
}

double CWeatheringCore::Alpha3Fraction(int r) {
    return std::clamp(r / 32768.0 * kAlphaScale - kAlphaOffset, 0.0, 1.0);
}

void CWeatheringCore::Alpha3(int n, double* out) {
    SeedRandomOnce();
    for (int i = 0; i < n; ++i) out[i] = Alpha3Fraction(Random().Next());
}

double CWeatheringCore::WaveWindFromHeight(double height) {
    double uw = height > 0.0 ? kWaveHeightToWind * std::sqrt(kGravity * height) : 0.0;
    if (uw < kWaveLightWind) uw = std::pow(uw / kWaveStressFactor, kWaveLightExponent);
    return uw;
}

void CWeatheringCore::Wave_Energy() {
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    for (int i = 0; i < hours; ++i) {
        SWaveHour& w = wave[i];
        double H[3], U[3];
        if (w.height >= 0) {
            const double uw = WaveWindFromHeight(w.height);
            for (int k = 0; k < 3; ++k) {
                H[k] = w.height;
                U[k] = uw;
            }
        } else {
            double u;
            if (i == 0)
                u = wind[0].speed;
            else if (i == 1)
                u = (wind[0].speed + wind[1].speed) / 2;
            else
                u = kWaveTrailingMean * (wind[i - 2].speed + wind[i - 1].speed + wind[i].speed);
            if (!(u >= 0)) u = 0;  // a missing speed inside the run blows no waves
            double up = u, um = u;
            if (windFlag) {
                up = std::min(maxWind, u + windUnc);
                um = std::max(minWind, u - windUnc);
            }
            const double ua = kWaveStressFactor * std::pow(u, kWaveStressExponent);
            const double uap = kWaveStressFactor * std::pow(up, kWaveStressExponent);
            const double uam = kWaveStressFactor * std::pow(um, kWaveStressExponent);

            double dir = wind[i].dir;
            if (!(dir >= 0 && dir <= kWaveDirectionLimit * kModelPi)) {
                Messages().ShowOnce(kMsgAngle);
                // Still fill the hour, with the direction brought into one turn.
                dir = std::isfinite(dir) ? std::fmod(dir, 2 * kModelPi) : 0.0;
                if (dir < 0) dir += 2 * kModelPi;
            }
            double a, fetchCos, fetchSin;
            if (dir < kModelPi / 2) {
                a = dir;
                fetchCos = fetch[0];
                fetchSin = fetch[1];
            } else if (dir < kModelPi) {
                a = kModelPi - dir;
                fetchCos = fetch[2];
                fetchSin = fetch[1];
            } else if (dir < 3 * kModelPi / 2) {
                a = dir - kModelPi;
                fetchCos = fetch[2];
                fetchSin = fetch[3];
            } else {
                a = 2 * kModelPi - dir;
                fetchCos = fetch[0];
                fetchSin = fetch[3];
            }
            const double F = std::sqrt(std::pow(fetchSin * std::sin(a), 2) + std::pow(fetchCos * std::cos(a), 2));
            wind[i].fetch = F;
            if (F <= 0 || F > kWaveDevelopedFetch * ua * ua) {
                if (u >= kWaveLightWind) {
                    H[0] = DevelopedHeight(u);
                    H[1] = DevelopedHeight(up);
                    H[2] = DevelopedHeight(um);
                } else {
                    H[0] = ua * ua * kWaveDevelopedHeight / kGravity;
                    H[1] = uap * uap * kWaveDevelopedHeight / kGravity;
                    H[2] = uam * uam * kWaveDevelopedHeight / kGravity;
                }
            } else {
                const double s = std::sqrt(F / kGravity);
                if (u >= kWaveLightWind) {
                    H[0] = u * s * kWaveFetchHeight;
                    H[1] = up * s * kWaveFetchHeight;
                    H[2] = um * s * kWaveFetchHeight;
                } else {
                    H[0] = ua * s * kWaveFetchHeight;
                    H[1] = uap * s * kWaveFetchHeight;
                    H[2] = uam * s * kWaveFetchHeight;
                }
            }
            U[0] = u;
            U[1] = up;
            U[2] = um;
        }
        for (int k = 0; k < 3; ++k) {
            w.Hrms[k] = kWaveRms * H[k];
            w.f_bw[k] = BreakingFraction(U[k]);
            w.De[k] = waterDensity * kWaveEnergyFactor * kGravity * w.Hrms[k] * w.Hrms[k];
        }
    }
}

}  // namespace model
