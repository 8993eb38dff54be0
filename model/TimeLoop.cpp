// The weathering time loop: admits the elements of each release hour step by
// step, evaporates, disperses, emulsifies and removes their oil, and stores
// one result record per step with its low, high and best values. With an
// uncertainty switch a second pass runs one turn per combination of the
// raised and lowered volume, wind and emulsification onset, and widens the
// bounds. Writes "TavroCore.dmp", "VolFrac.txt" and "SlickArea.txt".
#include <algorithm>
#include <atomic>
#include <barrier>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <latch>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/NumText.h"

namespace model {

namespace {

constexpr const char* kMsgNoMemoryCore = "Error: Out of Memory (Core)";
constexpr const char* kMsgNoDumpFile = "Core: Cannot create the dump file";
constexpr const char* kMsgNoVolFracFile = "Core: Cannot create the mass frac output file";
constexpr const char* kMsgNoSlickFile = "Core: Cannot create the slick area output file";
constexpr const char* kMsgLimitProblem = "limit problem in intrinsic variables";
constexpr const char* kMsgNoMemorySmoother = "Error: Out of Memory (smoother)";

constexpr const char* kDumpFile = "TavroCore.dmp";
constexpr const char* kVolFracFile = "VolFrac.txt";
constexpr const char* kSlickAreaFile = "SlickArea.txt";

constexpr int kPropOffset[CWeatheringCore::PROP_COUNT] = {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE};

// A text file of the model: created (truncated) on Open, written with CR LF
// line ends, closed on every path.
class COutFile {
public:
    COutFile() = default;
    COutFile(const COutFile&) = delete;
    COutFile& operator=(const COutFile&) = delete;
    ~COutFile() { Close(); }

    bool Open(const std::string& path) {
        f_ = std::fopen(path.c_str(), "wb");
        return f_ != nullptr;
    }
    bool IsOpen() const { return f_ != nullptr; }
    // Writes text whose lines end in '\n'.
    void Write(const std::string& text) {
        if (!f_) return;
        std::string buf;
        buf.reserve(text.size() + text.size() / 16);
        for (char c : text) {
            if (c == '\n') buf += platform::kLineEnd;
            else buf += c;
        }
        if (std::fwrite(buf.data(), 1, buf.size(), f_) != buf.size()) failed_ = true;
    }
    // False when anything could not be written.
    bool Close() {
        if (f_) {
            if (std::fclose(f_) != 0) failed_ = true;
            f_ = nullptr;
        }
        return !failed_;
    }

private:
    std::FILE* f_ = nullptr;
    bool failed_ = false;
};

// One element's share of a step.
struct SElementStep {
    double area;   // m2 used in the step
    double thick;  // m used in the step
    double evap, disp;  // m3 evaporated and dispersed in the step
    int sub;       // s, evaporation sub-step length
    bool hasOil;   // the element had oil in the step
};

struct SWaveMoment {
    double secs = -1.0;
    CWeatheringCore::SDispersionWaves waves{};
};
constexpr int kWaveMoments = 20;
// Below this many elements per thread a step runs on one thread.
constexpr int kMinElementsPerThread = 32;

// Threads that share out the elements of each step: Run(work) calls
// work(t, threads) once on every thread (t = 0 here) and returns when all
// are done. A share that runs out of memory makes Run throw bad_alloc
// once every thread has finished its share, so the pool can still stop.
class CStepPool {
public:
    explicit CStepPool(int wanted) {
        try {
            for (int t = 1; t < wanted; ++t) threads_.emplace_back([this, t] { Loop(t); });
        } catch (const std::exception&) {
            // Fewer threads then.
        }
        count_ = static_cast<int>(threads_.size()) + 1;
        try {
            sync_ = std::make_unique<std::barrier<>>(count_);
        } catch (...) {
            abort_ = true;
            go_.count_down();
            for (auto& th : threads_) th.join();
            throw;
        }
        go_.count_down();
    }
    ~CStepPool() {
        if (abort_) return;
        done_ = true;
        sync_->arrive_and_wait();
        for (auto& th : threads_) th.join();
    }
    CStepPool(const CStepPool&) = delete;
    CStepPool& operator=(const CStepPool&) = delete;

    int Threads() const { return count_; }
    template <typename F>
    void Run(F&& work) {
        work_ = std::function<void(int, int)>(std::forward<F>(work));
        sync_->arrive_and_wait();
        Share(0);
        sync_->arrive_and_wait();
        if (failed_.exchange(false)) throw std::bad_alloc();
    }

private:
    void Loop(int t) {
        go_.wait();
        if (abort_) return;
        for (;;) {
            sync_->arrive_and_wait();
            if (done_) return;
            Share(t);
            sync_->arrive_and_wait();
        }
    }

    void Share(int t) {
        try {
            work_(t, count_);
        } catch (const std::bad_alloc&) {
            failed_ = true;
        }
    }

    std::vector<std::thread> threads_;
    std::atomic<bool> failed_{false};
    std::latch go_{1};
    std::unique_ptr<std::barrier<>> sync_;
    std::function<void(int, int)> work_;
    int count_ = 1;
    bool abort_ = false;
    bool done_ = false;
};

}  // namespace

struct CWeatheringCore::STurnResult {
    struct Step {
        double slickArea = 0.0;
        bool hasStats = false;
        SPropertyStats stats[PROP_COUNT] = {};
        double benz0 = 0.0;
        double oilSum = 0.0;
        SBudgetTotals totals = {};
    };
    std::vector<Step> steps;
    std::string dump, volFrac, slickArea;  // '\n' line ends
    std::vector<std::string> notes;        // messages, shown once after the turn
    std::vector<SLERecord> elements;       // element states at the end of the turn
    bool outOfMemory = false;
};

// ---- Statistics and storage ------------------------------------------------

CWeatheringCore::SPropertyStats CWeatheringCore::ComputeStatistics(double weight, double sum, double sum2,
                                                                   double min, double max,
                                                                   std::vector<std::string>& notes) {
    double mean = sum / weight;
    const double sd = std::sqrt(std::max(0.0, sum2 / weight - mean * mean));
    double high = mean + sd;
    double low = mean - sd;
    if (max < min && std::find(notes.begin(), notes.end(), kMsgLimitProblem) == notes.end())
        notes.emplace_back(kMsgLimitProblem);
    if (high > max) high = max;
    if (low > max) low = max;
    if (low < min) low = min;
    if (high < low) high = low;
    if (mean > high) mean = high;
    if (mean < low) mean = low;
    return {high, low, mean};
}

void CWeatheringCore::StorePropertyStats(int step, int pass, const SPropertyStats (&stats)[PROP_COUNT]) {
    SStepOutput& o = out[step];
    for (int p = 0; p < PROP_COUNT; ++p) {
        const int at = kPropOffset[p];
        if (pass == 0) {
            o[at + SLOT_HIGH] = stats[p].high;
            o[at + SLOT_LOW] = stats[p].low;
            o[at + SLOT_BEST] = stats[p].mean;
            o[at + SLOT_BEST2] = stats[p].mean;
        } else {
            o[at + SLOT_HIGH] = std::max(o[at + SLOT_HIGH], stats[p].high);
            o[at + SLOT_LOW] = std::min(o[at + SLOT_LOW], stats[p].low);
        }
    }
}

void CWeatheringCore::StoreEmptyStep(int step, int pass, double benz0) {
    // A later pass must not narrow the bounds or replace the best values.
    if (pass > 0) return;
    SStepOutput& o = out[step];
    if (step == 0) {
        for (int s = 0; s < 4; ++s) {
            o[OUT_DENSITY + s] = rho;
            o[OUT_VISCOSITY + s] = visc;
            o[OUT_WATER + s] = 0.0;
            o[OUT_BENZENE + s] = benz0;
        }
        return;
    }
    const SStepOutput& prev = out[step - 1];
    for (int p = 0; p < PROP_COUNT; ++p)
        for (int s = 0; s < 4; ++s) o[kPropOffset[p] + s] = prev[kPropOffset[p] + s];
}

void CWeatheringCore::StoreBudget(double oilSum, const SBudgetTotals& t, int step, int pass) {
    SStepOutput& o = out[step];
    const int widened[4] = {OUT_REMAINING, OUT_SPILLED, OUT_EVAPORATED, OUT_DISPERSED};
    const double values[4] = {oilSum, t.spill, t.evap, t.disp};
    if (pass == 0) {
        for (int i = 0; i < 4; ++i)
            for (int s = 0; s < 3; ++s) o[widened[i] + s] = values[i];
        o[OUT_CHEM_DISPERSED + SLOT_BEST] = t.chemDispersed;
        o[OUT_BURNED + SLOT_BEST] = t.burned;
        o[OUT_SKIMMED + SLOT_BEST] = t.skimmed;
        o[OUT_BEACHED + SLOT_BEST] = t.beached;
        return;
    }
    for (int i = 0; i < 4; ++i) {
        o[widened[i] + SLOT_HIGH] = std::max(o[widened[i] + SLOT_HIGH], values[i]);
        o[widened[i] + SLOT_LOW] = std::min(o[widened[i] + SLOT_LOW], values[i]);
    }
}

void CWeatheringCore::MarkEmptyOutputs(int steps) {
    if (steps <= 0) return;
    const SStepOutput& last = out[steps - 1];
    auto mark = [&](int at) {
        for (int s = 0; s < 3; ++s) out[0][at + s] = MISSING_VALUE_D;
    };
    if (!(last[OUT_SKIMMED + SLOT_BEST] > 0.0)) mark(OUT_SKIMMED);
    if (!(last[OUT_BURNED + SLOT_BEST] > 0.0)) mark(OUT_BURNED);
    if (!(last[OUT_BEACHED + SLOT_BEST] > 0.0)) mark(OUT_BEACHED);
    if (!(last[OUT_DISPERSED + SLOT_BEST] > 0.0) && !(last[OUT_DISPERSED + SLOT_HIGH] > 0.0)) mark(OUT_DISPERSED);
    bool anyWater = false;
    for (int v = 0; v < steps; ++v)
        if (out[v][OUT_WATER + SLOT_BEST] > 0.0) anyWater = true;
    if (!anyWater)
        for (int s = 0; s < 4; ++s) out[0][OUT_WATER + s] = MISSING_VALUE_D;
}

void CWeatheringCore::smoother(int steps, int nIW, int nIV, int nIB) {
    if (steps <= 0) return;
    std::vector<double> w, raw;
    try {
        if (testAllocFailure == 2) throw std::bad_alloc();
        w.resize(steps);
        raw.resize(steps);
    } catch (const std::bad_alloc&) {
        Messages().ShowOnce(kMsgNoMemorySmoother);
        return;
    }
    for (int i = 0; i < steps; ++i) w[i] = out[i][OUT_REMAINING + SLOT_BEST];
    const bool uncertain = nIW + nIV + nIB > 3;
    const int slots[3] = {SLOT_HIGH, SLOT_LOW, SLOT_BEST};
    for (int p = 0; p < PROP_COUNT; ++p) {
        for (int slot : slots) {
            const int at = kPropOffset[p] + slot;
            for (int i = 0; i < steps; ++i) raw[i] = out[i][at];
            // A missing mark is neither smoothed nor blended into a neighbour.
            auto weight = [&](int j) { return raw[j] == MISSING_VALUE_D ? 0.0 : w[j]; };
            for (int i = 0; i < steps; ++i) {
                if (raw[i] == MISSING_VALUE_D) continue;
                double v = raw[i];
                if (i > 0 && i < steps - 1) {
                    if (weight(i - 1) * weight(i) * weight(i + 1) > 0.0)
                        v = kSmoothThird * (raw[i - 1] + raw[i] + raw[i + 1]);
                    else if (weight(i - 1) * weight(i) > 0.0)
                        v = kSmoothHalf * (raw[i - 1] + raw[i]);
                    else if (weight(i) * weight(i + 1) > 0.0)
                        v = kSmoothHalf * (raw[i] + raw[i + 1]);
                } else if (i == 0 && steps > 1) {
                    if (weight(0) * weight(1) > 0.0) v = kSmoothHalf * (raw[0] + raw[1]);
                } else if (i == steps - 1 && steps > 1) {
                    if (weight(i - 1) * weight(i) > 0.0) v = kSmoothHalf * (raw[i] + raw[i - 1]);
                }
                out[i][at] = v;
                if (uncertain && slot == SLOT_BEST) out[i][kPropOffset[p] + SLOT_BEST2] = v;
            }
        }
    }
}

void CWeatheringCore::SmoothBenzene(int steps) {
    for (int i = 1; i < steps; ++i)
        for (int s = 0; s < 4; ++s) {
            double& v = out[i][OUT_BENZENE + s];
            const double prev = out[i - 1][OUT_BENZENE + s];
            if (v == MISSING_VALUE_D || prev == MISSING_VALUE_D) continue;
            v = kSmoothHalf * (prev + v);
        }
}

// ---- One turn ----------------------------------------------------------------

void CWeatheringCore::RunTurn(const STurnPlan& plan, STurnResult& res) const {
    using platform::Format;
    const int sph = stepsPerHour;
    const bool contained = containedArea > 0.0;
    const SEvapTableRow* table = evapTable;
    const int rows = evapRows;
    std::string& dump = res.dump;

    res.steps.assign(nSteps, {});
    res.elements.assign(le, le + leCount);
    std::vector<SLERecord>& E = res.elements;

    // Every turn starts from the placed elements.
    const double d = 1.0 + (2 * plan.IV - 1) * plan.volFraction;
    const double areaScale = std::pow(d, kVolUncAreaExponent);
    for (SLERecord& e : E) {
        e.Y = 0.0;
        e.visc = visc;
        e.rho = rho;
        e.evex = 0.0;
        e.S = 0.0;
        e.onsetTime = MISSING_VALUE;
        e.f_evap = 0.0;
        e.Vol = e.vol0 * d;
        for (int h = 0; h < MAX_HOURS; ++h) e.area[h] = e.baseArea[h] * areaScale;
    }
    // Mean water content of the last statistics of this turn: it reduces
    // the oil share of what burning and skimming take.
    double waterMean = 0.0;
    double treatedVol = 0.0;
    SBudgetTotals totals = {};
    int deltat = 0;

    if (plan.writeDump) {
        dump += Format("\n IV = %d\n", plan.IV);
        dump += Format("  IW = %d\n", plan.IW);
        dump += Format("   IB = %d\n", plan.IB);
    }

    std::vector<SElementStep> elemSteps(E.size());
    std::unique_ptr<CStepPool> pool;
    if (plan.elementThreads > 1 && leCount >= kMinElementsPerThread * 2) {
        try {
            pool = std::make_unique<CStepPool>(plan.elementThreads);
            if (pool->Threads() < 2) pool.reset();
        } catch (const std::exception&) {
            pool.reset();
        }
    }
    std::vector<std::vector<std::string>> workerNotes(pool ? pool->Threads() : 0);

    int count = 0, cumCount = 0, admitted = 0;
    double sprayed = 0.0, windSpeed = 0.0, kEmul = 0.0;
    for (int v = 0; v < nSteps; ++v) {
        const int B = v / sph;
        const bool lastHour = B >= runHours - 1;
        if (v % sph == 0 || sph == 1) {
            count = hour[B].count;
            cumCount = hour[B].cumCount;
            sprayed = std::clamp(resp[B].sprayed, 0.0, 1.0);
            const double entered = std::max(0.0, wind[B].speed);
            const double best = std::min(maxWind, entered);
            if (plan.IW == 1)
                windSpeed = std::min(best, std::max(minWind, entered - plan.windOffset));
            else
                windSpeed = std::min(maxWind, entered + plan.windOffset);
            kEmul = EmulsificationRate(wave[B].height, windSpeed, uptakeRate, containedArea);
        }
        if (plan.writeDump) dump += Format("\n\t step = %d\n", v);

        // Admission and slick area.
        int n;
        const int phase = (v + 1) % sph;
        double slickArea;
        if (contained) {
            n = std::min(2, leCount);
            for (int i = 0; i < n; ++i) E[i].releaseTime = 0.0;
            slickArea = containedArea;
        } else {
            n = (v - sph * B + 1) * count / sph + cumCount - count;
            n = std::clamp(n, 0, leCount);
            for (int i = admitted; i < n; ++i) E[i].releaseTime = static_cast<double>(v + 1) / sph;
            admitted = std::max(admitted, n);
            double sumB = 0.0, sumB1 = 0.0;
            for (int i = 0; i < n; ++i) {
                sumB += E[i].area[B];
                if (!lastHour) sumB1 += E[i].area[B + 1];
            }
            slickArea = lastHour ? sumB : (sumB * (sph - phase) + sumB1 * phase) / sph;
        }
        STurnResult::Step& rec = res.steps[v];
        rec.slickArea = slickArea;

        // Before the first element is admitted there is no slick.
        double K = 0.0, benzFactor = 0.0, benz0 = minBenzene;
        if (n > 0 && slickArea > 0.0) {
            K = EvaporationMassTransfer(windSpeed, evapCoef, slickArea);
            benzFactor = BenzeneAirFactor(slickArea, Rgas, waterTemp, airPressure);
            benz0 = std::max(minBenzene, benzFactor * table[0].benz);
        }

        totals.vol = 0.0;
        totals.spill = 0.0;
        for (int i = 0; i < n; ++i) {
            totals.vol += E[i].Vol;
            totals.spill += E[i].vol0;
        }

        // Chemical dispersion treats the volume found when spraying began.
        const SResponseHour& r = resp[B];
        if (treatedVol == 0.0 && r.chemDisp > 0.0) treatedVol = totals.vol;
        if (!(r.chemDisp > 0.0)) treatedVol = 0.0;

        // Response removal.
        double oilRatio;
        {
            const double c = waterMean < 0.0 ? 0.0 : waterMean;
            double burned = dt * std::max(0.0, r.burn) * (1.0 - c);
            double skimmed = dt * std::max(0.0, r.skim) * (1.0 - c);
            double beached = dt * std::max(0.0, r.beach);
            double chem = dt * std::max(0.0, r.chemDisp) * treatedVol;
            const double sum = burned + skimmed + beached + chem;
            if (sum > totals.vol) {
                const double f = totals.vol / sum;
                burned *= f;
                skimmed *= f;
                beached *= f;
                chem *= f;
                oilRatio = 0.0;
            } else if (sum < totals.vol) {
                oilRatio = 1.0 - sum / totals.vol;
            } else {
                oilRatio = 0.0;
            }
            totals.burned += burned;
            totals.skimmed += skimmed;
            totals.beached += beached;
            totals.chemDispersed += chem;
            totals.disp += chem;
        }

        if (plan.writeDump) {
            dump += Format("\t\t LEsum = %d\n", n);
            dump += Format("\t\t area = %.2f\n", slickArea);
            dump += Format("\t\t OilRatio = %.2f\n", oilRatio);
            dump += Format("\t\t deltat = %d\n", deltat);
            dump += Format("\t\t total.vol = %.2f\n", totals.vol);
        }

        // Element loop: each element's step is independent of the others;
        // their sums are taken afterwards in element order, so the result
        // does not depend on how the elements were shared out.
        auto stepElement = [&](int i, SWaveMoment* waveMoments, std::vector<std::string>& notes) {
            if (testAllocFailure == 3 && i == leCount - 1) throw std::bad_alloc();
            SLERecord& e = E[i];
            SElementStep& o = elemSteps[i];
            double vol = oilRatio * e.Vol;
            double area = lastHour ? e.area[B] : (e.area[B] * (sph - phase) + e.area[B + 1] * phase) / sph;
            const int rh = std::clamp(e.releaseHour, 0, MAX_HOURS - 1);
            const double hv = hour[rh].vol;
            if (hv > kHourVolLimit) area *= std::pow(kHourVolLimit / hv, 1.0 / 3.0);
            if (area < e.minArea) area = e.minArea;
            double thick = vol / area;
            if (thick < minThickness && vol > 0.0) {
                thick = minThickness;
                area = vol / minThickness;
            }
            // What the response took leaves the element for good.
            e.Vol = vol;
            o = {area, thick, 0.0, 0.0, 0, false};
            if (!(vol > 0.0)) {
                e.Vol = 0.0;
                return;
            }
            int row = EvapRow(table, rows, e.evex);
            const double yStep = e.Y;
            const int sub = EvapSubStep(table[row], K, yStep, thick, dt);
            const int nSub = sub > 0 ? dt / sub : 0;
            o.sub = sub;
            o.hasOil = true;
            const double miniDt = sub * kMiniStepFactor;
            SEvapCache cache;
            for (int s = 0; s < nSub; ++s) {
                double evap = EvaporateMiniSteps(K, yStep, thick, table, rows, row, miniDt, e, nSub > 1, &cache);
                const double secsInHour = static_cast<double>((v - sph * B) * dt + (s + 1) * sub);
                // Most elements of a step share their sub-step moments.
                SWaveMoment& wm = waveMoments[std::min(s, kWaveMoments - 1)];
                if (wm.secs != secsInHour) {
                    wm.secs = secsInHour;
                    wm.waves = DispersionWaves(B, plan.IW, plan.nIW, secsInHour);
                }
                double disp = NaturalDispersion(wm.waves, sub, e, area, hv) * (1.0 - sprayed);
                if (evap + disp > vol) {
                    evap *= vol / (evap + disp);
                    disp = vol - evap;
                }
                vol -= evap;
                vol -= disp;
                if (vol < 0.0) vol = 0.0;
                e.Vol = vol;
                o.evap += evap;
                o.disp += disp;
                const int age = static_cast<int>(v * dt + (s + 0.5) * sub + (1.0 - e.releaseTime) * 3600.0);
                const double radius = Emulsify(age, sub, kEmul, e.f_evap, e, plan.IB, emulFlag, plan.pass, notes);
                e.rho = EmulsionDensity(rho, waterDensity, e.f_evap, e.Y);
                e.visc = EmulsionViscosity(visc, e.Y, e.f_evap, radius);
            }
            e.vp = table[row].vp;
            e.mv = table[row].mv;
            e.benz = table[row].benz;
        };
        if (pool && n >= kMinElementsPerThread * pool->Threads()) {
            pool->Run([&](int t, int nt) {
                SWaveMoment moments[kWaveMoments];
                for (int i = n * t / nt; i < n * (t + 1) / nt; ++i) stepElement(i, moments, workerNotes[t]);
            });
            for (auto& notes : workerNotes) {
                for (auto& note : notes)
                    if (std::find(res.notes.begin(), res.notes.end(), note) == res.notes.end()) res.notes.push_back(note);
                notes.clear();
            }
        } else {
            SWaveMoment moments[kWaveMoments];
            for (int i = 0; i < n; ++i) stepElement(i, moments, res.notes);
        }

        double rhoMin = waterDensity, rhoMax = rho;
        double viscMin = 1000000.0, viscMax = visc;
        double yMin = 1.0, yMax = 0.0;
        double rhoSum = 0, rho2Sum = 0, viscSum = 0, visc2Sum = 0, ySum = 0, y2Sum = 0;
        double benzSum = 0, benz2Sum = 0, oilSum = 0, volSum = 0, fevapSum = 0;
        double evapStep = 0, dispStep = 0;
        for (int i = 0; i < n; ++i) {
            const SLERecord& e = E[i];
            const SElementStep& o = elemSteps[i];
            if (o.hasOil) {
                const double vol = e.Vol;
                deltat = o.sub;
                evapStep += o.evap;
                dispStep += o.disp;
                rhoSum += e.rho * vol;
                rho2Sum += e.rho * e.rho * vol;
                viscSum += e.visc * vol;
                visc2Sum += e.visc * e.visc * vol;
                ySum += e.Y * vol;
                y2Sum += e.Y * e.Y * vol;
                rhoMin = std::min(rhoMin, e.rho);
                rhoMax = std::max(rhoMax, e.rho);
                viscMin = std::min(viscMin, e.visc);
                viscMax = std::max(viscMax, e.visc);
                yMin = std::min(yMin, e.Y);
                yMax = std::max(yMax, e.Y);
                const double conc = std::max(kBenzMinConcentration, e.benz * benzFactor);
                benzSum += conc * o.area;
                benz2Sum += conc * conc * o.area;
                oilSum += vol;
            }
            volSum += e.Vol;
            fevapSum += e.f_evap * e.Vol;
            if (plan.writeDump && i == 9) {
                dump += Format("\n\t\t\t LE_area\t= %.4f\n", o.area);
                dump += Format("\t\t\t LE[%d].Vol\t= %.4f\n", i, e.Vol);
                dump += Format("\t\t\t LE[%d].thick\t= %.4f\n", i, o.thick);
                dump += Format("\t\t\t LE[%d].Y\t= %e\n", i, e.Y);
                dump += Format("\t\t\t LE[%d].S\t= %e\n", i, e.S);
                dump += Format("\t\t\t LE[%d].f_evap\t= %e\n", i, e.f_evap);
                dump += Format("\t\t\t LE[%d].visc\t= %e\n", i, e.visc);
                dump += Format("\t\t\t LE[%d].rho\t= %.4f\n", i, e.rho);
                dump += Format("\t\t\t LE[%d].vp\t= %.4f\n", i, e.vp);
                dump += Format("\t\t\t LE[%d].benz\t= %e\n", i, e.benz);
                dump += Format("\t\t\t LE[%d].mv\t= %.4f\n", i, e.mv);
                dump += Format("\t\t\t LE[%d].vol_disp\t= %.4f\n", i, e.vol_disp);
                dump += Format("\t\t\t LE[%d].evex\t= %.4f\n", i, e.evex);
            }
        }

        // Statistics.
        rec.benz0 = benz0;
        if (oilRatio > 0.0 && totals.spill > 0.0 && oilSum / totals.spill > kEmptyStepFraction) {
            rec.hasStats = true;
            rec.stats[PROP_DENSITY] = ComputeStatistics(oilSum, rhoSum, rho2Sum, rhoMin, rhoMax, res.notes);
            rec.stats[PROP_VISCOSITY] = ComputeStatistics(oilSum, viscSum, visc2Sum, viscMin, viscMax, res.notes);
            rec.stats[PROP_WATER] = ComputeStatistics(oilSum, ySum, y2Sum, yMin, yMax, res.notes);
            rec.stats[PROP_BENZENE] = ComputeStatistics(slickArea, benzSum, benz2Sum, minBenzene, benz0, res.notes);
            waterMean = rec.stats[PROP_WATER].mean;
            if (!contained && hour[B].count > 0) {
                rec.stats[PROP_DENSITY].low = rho;
                rec.stats[PROP_VISCOSITY].low = visc;
                rec.stats[PROP_WATER].low = 0.0;
            }
        }
        totals.disp += dispStep;
        totals.evap += evapStep;
        rec.oilSum = oilSum;
        rec.totals = totals;

        // "VolFrac.txt": the composition of the row nearest the mean
        // fraction evaporated.
        {
            const double f = volSum > 0.0 ? fevapSum / volSum : 0.0;
            int row = 0;
            while (row < rows - 1 && table[row].f_evap < f) ++row;
            if (row > 0 && f - table[row - 1].f_evap < table[row].f_evap - f) --row;
            double rowSum = 0.0;
            for (int k = 0; k < compCount; ++k) rowSum += compRemain[k][row];
            res.volFrac += Format("%.1f", (v + 1) * dt / 3600.0);
            for (int k = 0; k < compCount; ++k)
                res.volFrac += Format("\t%.4f", rowSum != 0.0 ? compRemain[k][row] / rowSum : 0.0);
            res.volFrac += Format("\t%.4f\n", volSum);
        }
        if ((v + 1) % sph == 0) {
            res.slickArea += Format("%5.0f\t", (v + 1) * dt / 3600.0);
            res.slickArea += Format("%12.2f\n", slickArea);
        }
        if (plan.writeDump) {
            dump += Format("\n\t\t oilSum    = %.4f\n", oilSum);
            dump += Format("\n\t\t rhoAv     = %.4f\n", rhoSum);
            dump += Format("\t\t rho2Av    = %.4f\n", rho2Sum);
            dump += Format("\t\t rhominLE  = %.4f\n", rhoMin);
            dump += Format("\t\t rhomaxLE  = %.4f\n", rhoMax);
            dump += Format("\n\t\t viscAv    = %e\n", viscSum);
            dump += Format("\t\t visc2Av   = %e\n", visc2Sum);
            dump += Format("\t\t viscminLE = %e\n", viscMin);
            dump += Format("\t\t viscmaxLE = %e\n", viscMax);
            dump += Format("\n\t\t YAv    = %e\n", ySum);
            dump += Format("\t\t Y2Av   = %e\n", y2Sum);
            dump += Format("\t\t YminLE = %e\n", yMin);
            dump += Format("\t\t YmaxLE = %e\n", yMax);
            dump += Format("\n\t\t benzAv     = %e\n", benzSum);
            dump += Format("\t\t benz2Av    = %e\n", benz2Sum);
            dump += Format("\t\t MinBenzene = %e\n", minBenzene);
            dump += Format("\t\t benz0      = %e\n", benz0);
            dump += Format("\n\t\t total.disp = %e\n", totals.disp);
            dump += Format("\t\t total.evap = %e\n", totals.evap);
            dump += Format("\t\t total.spill = %e\n", totals.spill);
            dump += Format("\n\t\t Slick.Area = %.4f\n", slickArea);
            dump += Format("\t\t Wave.Hrms  = %.4f\n", wave[B].Hrms[0]);
            dump += Format("\t\t Wave.f_bw  = %.4f\n", wave[B].f_bw[0]);
            dump += Format("\t\t Wave.De    = %.4f\n", wave[B].De[0]);
            dump += "\n\t *************** end of step ***************\n\n";
        }
    }
    res.slickArea += "----------------------------\n";
}

// ---- Solve -------------------------------------------------------------------

namespace {

// The prepared run is within the model's limits and every admitted element
// has an area for each of its hours.
bool RunIsUsable(const CWeatheringCore& c) {
    if (c.runHours < 1 || c.runHours > MAX_HOURS) return false;
    if (c.stepsPerHour < 1 || c.dt < 1 || c.nSteps < 1 || c.nSteps > MAX_STEPS) return false;
    if (c.nSteps > c.runHours * c.stepsPerHour) return false;
    if (c.leCount < 0 || c.leCount > MAX_ELEMENTS) return false;
    if (c.evapRows < 1 || c.evapRows > EVAP_TABLE_ROWS) return false;
    if (c.compCount < 0 || c.compCount > MAX_COMPONENTS) return false;
    if (!(c.rho > 0.0) || !(c.visc > 0.0) || !(c.waterDensity > 0.0) || !(c.minThickness > 0.0)) return false;
    if (!std::isfinite(c.evapCoef) || c.evapCoef < 0.0) return false;
    const bool contained = c.containedArea > 0.0;
    for (int i = 0; i < c.leCount; ++i) {
        const SLERecord& e = c.le[i];
        if (!(e.vol0 >= 0.0) || !std::isfinite(e.vol0)) return false;
        const int first = contained ? 0 : e.releaseHour;
        if (first < 0 || first >= MAX_HOURS) return false;
        for (int h = first; h < c.runHours; ++h)
            if (!(e.area[h] > 0.0) || !std::isfinite(e.area[h])) return false;
    }
    return true;
}

}  // namespace

int CWeatheringCore::Solve(int writeDump) {
    Messages().Begin();
    if (fatalInput) return RUN_FATAL_INPUT;
    if (!RunIsUsable(*this)) {
        fatalInput = 1;
        return RUN_FATAL_INPUT;
    }

    // The start areas of the run: each turn rescales from them.
    for (int i = 0; i < leCount; ++i)
        std::copy(std::begin(le[i].area), std::end(le[i].area), std::begin(le[i].baseArea));

    COutFile dumpFile, volFracFile, slickFile;
    if (writeDump) {
        if (!dumpFile.Open(platform::OutputPath(kDumpFile))) {
            Messages().Show(kMsgNoDumpFile);
            return RUN_FILE_ERROR;
        }
        dumpFile.Write("                 CORE DUMP FILE\n                 ==============\n");
    }
    if (!volFracFile.Open(platform::OutputPath(kVolFracFile))) {
        Messages().Show(kMsgNoVolFracFile);
        return RUN_FILE_ERROR;
    }
    {
        std::string head = "Hours";
        for (int k = 0; k < compCount; ++k) head += platform::Format("\tCut #%-2d", k + 1);
        head += "\tVolume Remaining\n";
        head += "Density";
        for (int k = 0; k < compCount; ++k) head += platform::Format("\t%.4f", compMW[k] / compMolVol[k]);
        head += "\n0.0";
        for (int k = 0; k < compCount; ++k) head += platform::Format("\t%.4f", compFrac0[k]);
        head += "\n";
        volFracFile.Write(head);
    }
    if (!slickFile.Open(platform::OutputPath(kSlickAreaFile))) {
        Messages().Show(kMsgNoSlickFile);
        return RUN_FILE_ERROR;
    }
    slickFile.Write(" Hour\tSlick Area (sq.m)\n=======================================\n");

    // The turns: pass 0 alone, then one turn per (IV, IW, IB) of pass 1.
    const bool uncertain = volFlag || windFlag || emulFlag;
    const int nIV = volFlag ? 2 : 1, nIW = windFlag ? 2 : 1, nIB = emulFlag ? 2 : 1;
    const double volFraction = volFlag && volUnc > 0.0 ? std::min(1.0, volUnc / 100.0) : 0.0;
    const double windOffset = windFlag && windUnc > 0.0 ? windUnc : 0.0;
    std::vector<STurnPlan> plans;
    std::vector<STurnResult> results;
    try {
        if (testAllocFailure == 1) throw std::bad_alloc();
        // A run without uncertainty shares each step's elements out instead.
        const unsigned hw = std::thread::hardware_concurrency();
        const int elementThreads = parallelTurns && !uncertain && hw > 1 ? static_cast<int>(std::min(4u, hw)) : 1;
        plans.push_back({0, 0, 0, 0, 1, 0.0, 0.0, writeDump != 0, elementThreads});
        if (uncertain)
            for (int iv = 0; iv < nIV; ++iv)
                for (int iw = 0; iw < nIW; ++iw)
                    for (int ib = 0; ib < nIB; ++ib)
                        plans.push_back({1, iv, iw, ib, nIW, volFraction, windOffset, writeDump != 0, 1});
        results.resize(plans.size());
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgNoMemoryCore);
        return RUN_MEMORY_ERROR;
    }

    auto runOne = [this, &plans, &results](size_t t) {
        try {
            RunTurn(plans[t], results[t]);
        } catch (const std::bad_alloc&) {
            results[t].outOfMemory = true;
        }
    };
    // Turn 0 runs here; the others on their own threads when allowed, or
    // here after it when no thread could be started.
    std::vector<std::thread> workers;
    if (parallelTurns && plans.size() > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            for (size_t t = 1; t < plans.size(); ++t) workers.emplace_back(runOne, t);
        } catch (const std::exception&) {
        }
    }
    runOne(0);
    for (size_t t = workers.size() + 1; t < plans.size(); ++t) runOne(t);
    for (auto& w : workers) w.join();

    for (const STurnResult& r : results)
        if (r.outOfMemory) {
            Messages().Show(kMsgNoMemoryCore);
            return RUN_MEMORY_ERROR;
        }

    // Store and write the turns in their order.
    for (size_t t = 0; t < plans.size(); ++t) {
        STurnResult& r = results[t];
        const int pass = plans[t].pass;
        for (const auto& note : r.notes) Messages().ShowOnce(note);
        for (int v = 0; v < nSteps; ++v) {
            const STurnResult::Step& s = r.steps[v];
            out[v][OUT_AREA] = s.slickArea;
            if (s.hasStats) StorePropertyStats(v, pass, s.stats);
            else StoreEmptyStep(v, pass, s.benz0);
            StoreBudget(s.oilSum, s.totals, v, pass);
        }
        dumpFile.Write(r.dump);
        volFracFile.Write(r.volFrac);
        slickFile.Write(r.slickArea);
        r.dump.clear();
        r.dump.shrink_to_fit();
    }
    dumpFile.Write("\n*************** end of dump file ***************\n\n");
    bool filesOk = dumpFile.Close();
    filesOk = volFracFile.Close() && filesOk;
    filesOk = slickFile.Close() && filesOk;

    MarkEmptyOutputs(nSteps);
    smoother(nSteps, nIW, nIV, nIB);
    SmoothBenzene(nSteps);

    // The elements keep the state of the last turn, on their start areas.
    const std::vector<SLERecord>& last = results.back().elements;
    for (int i = 0; i < leCount; ++i) {
        le[i] = last[i];
        std::copy(std::begin(le[i].baseArea), std::end(le[i].baseArea), std::begin(le[i].area));
    }
    return filesOk ? RUN_OK : RUN_FILE_ERROR;
}

}  // namespace model
