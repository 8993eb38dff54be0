// The weathering time loop: admits the elements of each release hour step by
// step, evaporates, disperses, emulsifies and removes their oil, and stores
// one result record per step with its low, high and best values. With an
// uncertainty switch a second pass runs one turn per combination of the
// raised and lowered volume, wind and emulsification onset, and widens the
// bounds. Writes "TavroCore.dmp", "VolFrac.txt" and "SlickArea.txt".
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "model/TurnTexts.h"
#include "model/WeatheringCore.h"
#include "platform/Files.h"
#include "platform/ParallelFor.h"

namespace model {

namespace {

constexpr const char* kMsgNoMemoryCore = "Error: Out of Memory (Core)";
constexpr const char* kMsgNoDumpFile = "Core: Cannot create the dump file";
constexpr const char* kMsgNoVolFracFile = "Core: Cannot create the mass frac output file";
constexpr const char* kMsgNoSlickFile = "Core: Cannot create the slick area output file";
constexpr const char* kMsgLimitProblem = "limit problem in intrinsic variables";
constexpr const char* kMsgNoMemorySmoother = "Error: Out of Memory (smoother)";
constexpr const char* kMsgCannotWrite = "Core: Cannot write the file ";

// The most threads that share out one step's elements.
constexpr int kMaxElementThreads = 4;

constexpr int kPropOffset[CWeatheringCore::PROP_COUNT] = {OUT_DENSITY, OUT_VISCOSITY, OUT_WATER, OUT_BENZENE};

// A text file of the model: created (truncated) on Open, written with CR LF
// line ends, closed on every path. The first failed write or close is kept
// with its reason, and the file is then removed: a file the model could not
// finish is not left behind looking like a result.
class COutFile {
public:
    COutFile() = default;
    COutFile(const COutFile&) = delete;
    COutFile& operator=(const COutFile&) = delete;
    ~COutFile() { Close(); }

    bool Open(const std::string& path) {
        path_ = path;
        file_ = std::fopen(path.c_str(), "wb");
        return file_ != nullptr;
    }
    // Writes text whose lines end in '\n'.
    void Write(const std::string& text) {
        if (!file_ || Failed()) return;
        const std::string buf = platform::WithLineEnds(text);
        if (std::fwrite(buf.data(), 1, buf.size(), file_) != buf.size()) Fail();
    }
    // False when anything could not be written.
    bool Close() {
        if (file_) {
            if (std::fclose(file_) != 0 && !Failed()) Fail();
            file_ = nullptr;
            if (Failed()) std::remove(path_.c_str());
        }
        return !Failed();
    }
    bool Failed() const { return !error_.empty(); }
    // The message of a failed write or close: the file and the reason.
    std::string FailureText() const { return std::string(kMsgCannotWrite) + path_ + ": " + error_; }

private:
    void Fail() {
        const int err = errno;
        error_ = err != 0 ? std::strerror(err) : "unknown error";
    }

    std::string path_;
    std::FILE* file_ = nullptr;
    std::string error_;
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
    SStepOutput& stepOut = out[step];
    for (int p = 0; p < PROP_COUNT; ++p) {
        const int at = kPropOffset[p];
        if (pass == 0) {
            stepOut[at + SLOT_HIGH] = stats[p].high;
            stepOut[at + SLOT_LOW] = stats[p].low;
            stepOut[at + SLOT_BEST] = stats[p].mean;
            stepOut[at + SLOT_BEST2] = stats[p].mean;
        } else {
            stepOut[at + SLOT_HIGH] = std::max(stepOut[at + SLOT_HIGH], stats[p].high);
            stepOut[at + SLOT_LOW] = std::min(stepOut[at + SLOT_LOW], stats[p].low);
        }
    }
}

void CWeatheringCore::StoreEmptyStep(int step, int pass, double benz0) {
    // A later pass must not narrow the bounds or replace the best values.
    if (pass > 0) return;
    SStepOutput& stepOut = out[step];
    if (step == 0) {
        for (int s = 0; s < 4; ++s) {
            stepOut[OUT_DENSITY + s] = rho;
            stepOut[OUT_VISCOSITY + s] = visc;
            stepOut[OUT_WATER + s] = 0.0;
            stepOut[OUT_BENZENE + s] = benz0;
        }
        return;
    }
    const SStepOutput& prev = out[step - 1];
    for (int p = 0; p < PROP_COUNT; ++p)
        for (int s = 0; s < 4; ++s) stepOut[kPropOffset[p] + s] = prev[kPropOffset[p] + s];
}

void CWeatheringCore::StoreBudget(double oilSum, const SBudgetTotals& totals, int step, int pass) {
    SStepOutput& stepOut = out[step];
    const int widened[4] = {OUT_REMAINING, OUT_SPILLED, OUT_EVAPORATED, OUT_DISPERSED};
    const double values[4] = {oilSum, totals.spill, totals.evap, totals.disp};
    if (pass == 0) {
        for (int i = 0; i < 4; ++i)
            for (int s = 0; s < 3; ++s) stepOut[widened[i] + s] = values[i];
        stepOut[OUT_CHEM_DISPERSED + SLOT_BEST] = totals.chemDispersed;
        stepOut[OUT_BURNED + SLOT_BEST] = totals.burned;
        stepOut[OUT_SKIMMED + SLOT_BEST] = totals.skimmed;
        stepOut[OUT_BEACHED + SLOT_BEST] = totals.beached;
        return;
    }
    for (int i = 0; i < 4; ++i) {
        stepOut[widened[i] + SLOT_HIGH] = std::max(stepOut[widened[i] + SLOT_HIGH], values[i]);
        stepOut[widened[i] + SLOT_LOW] = std::min(stepOut[widened[i] + SLOT_LOW], values[i]);
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

void CWeatheringCore::smoother(int steps, int windTurns, int volumeTurns, int onsetTurns) {
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
    const bool uncertain = windTurns + volumeTurns + onsetTurns > 3;
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

namespace {

// One element's share of a step.
struct SElementStep {
    double area;        // m2 used in the step
    double thick;       // m used in the step
    double evap, disp;  // m3 evaporated and dispersed in the step
    int subStep;        // s, evaporation sub-step length
    bool hasOil;        // the element had oil in the step
};

// The wave values of one moment of the hour, as natural dispersion needs
// them; most elements of a step share their sub-step moments.
struct SWaveMoment {
    double secs = -1.0;
    CWeatheringCore::SDispersionWaves waves{};
};
constexpr int kWaveMoments = 20;
// Below this many elements per thread a step runs on one thread.
constexpr int kMinElementsPerThread = 32;

// One (volume, wind, onset) turn of a pass, step by step. Works on its own
// copy of the elements and reads the prepared model only.
class CTurn {
public:
    using STurnPlan = CWeatheringCore::STurnPlan;
    using STurnResult = CWeatheringCore::STurnResult;

    CTurn(const CWeatheringCore& core, const STurnPlan& plan, STurnResult& result)
        : core_(core), plan_(plan), result_(result), elements_(result.elements) {}

    void Run() {
        StartTurn();
        for (int step = 0; step < core_.nSteps; ++step) {
            StartStep(step);
            AdmitElements(step);
            RemoveResponse();
            StepElements(step);
            GatherStatistics(step);
            WriteStepTexts(step);
        }
        AppendSlickAreaTurnEnd(result_.slickArea);
    }

private:
    // Every turn starts from the placed elements, their volume and area
    // scaled by the turn's volume factor.
    void StartTurn() {
        const CWeatheringCore& c = core_;
        result_.steps.assign(c.nSteps, {});
        elements_.assign(c.le, c.le + c.leCount);
        elementSteps_.resize(elements_.size());
        chunkNotes_.resize(std::max(1, plan_.elementThreads));
        const double volumeFactor = 1.0 + (2 * plan_.volumeTurn - 1) * plan_.volFraction;
        const double areaScale = std::pow(volumeFactor, kVolUncAreaExponent);
        for (SLERecord& e : elements_) {
            e.Y = 0.0;
            e.visc = c.visc;
            e.rho = c.rho;
            e.evex = 0.0;
            e.S = 0.0;
            e.onsetTime = MISSING_VALUE;
            e.f_evap = 0.0;
            e.Vol = e.vol0 * volumeFactor;
            for (int h = 0; h < MAX_HOURS; ++h) e.area[h] = e.baseArea[h] * areaScale;
        }
        if (plan_.writeDump) AppendDumpTurnHead(result_.dump, plan_.volumeTurn, plan_.windTurn, plan_.onsetTurn);
    }

    // The hour's release counts, spraying, wind and water-uptake rate, taken
    // at its first step.
    void StartStep(int step) {
        const CWeatheringCore& c = core_;
        const int perHour = c.stepsPerHour;
        hourIndex_ = step / perHour;
        lastHour_ = hourIndex_ >= c.runHours - 1;
        phase_ = (step + 1) % perHour;
        if (step % perHour == 0 || perHour == 1) {
            const int h = hourIndex_;
            hourCount_ = c.hour[h].count;
            hourCumCount_ = c.hour[h].cumCount;
            sprayed_ = std::clamp(c.resp[h].sprayed, 0.0, 1.0);
            const double entered = std::max(0.0, c.wind[h].speed);
            const double best = std::min(c.maxWind, entered);
            if (plan_.windTurn == 1)
                windSpeed_ = std::min(best, std::max(c.minWind, entered - plan_.windOffset));
            else
                windSpeed_ = std::min(c.maxWind, entered + plan_.windOffset);
            uptakeRate_ = c.EmulsificationRate(c.wave[h].height, windSpeed_, c.uptakeRate, c.containedArea);
        }
        if (plan_.writeDump) AppendDumpStepHead(result_.dump, step);
    }

    // The elements on the water in this step and the slick's area; the
    // step's evaporation and benzene factors follow from the area.
    void AdmitElements(int step) {
        const CWeatheringCore& c = core_;
        const int perHour = c.stepsPerHour;
        const int h = hourIndex_;
        if (c.containedArea > 0.0) {
            admitted_ = std::min(2, c.leCount);
            for (int i = 0; i < admitted_; ++i) elements_[i].releaseTime = 0.0;
            slickArea_ = c.containedArea;
        } else {
            int n = (step - perHour * h + 1) * hourCount_ / perHour + hourCumCount_ - hourCount_;
            n = std::clamp(n, 0, c.leCount);
            for (int i = everAdmitted_; i < n; ++i) elements_[i].releaseTime = static_cast<double>(step + 1) / perHour;
            everAdmitted_ = std::max(everAdmitted_, n);
            admitted_ = n;
            double sumThisHour = 0.0, sumNextHour = 0.0;
            for (int i = 0; i < n; ++i) {
                sumThisHour += elements_[i].area[h];
                if (!lastHour_) sumNextHour += elements_[i].area[h + 1];
            }
            slickArea_ = lastHour_ ? sumThisHour
                                   : (sumThisHour * (perHour - phase_) + sumNextHour * phase_) / perHour;
        }
        result_.steps[step].slickArea = slickArea_;

        // Before the first element is admitted there is no slick.
        massTransfer_ = 0.0;
        benzFactor_ = 0.0;
        benz0_ = c.minBenzene;
        if (admitted_ > 0 && slickArea_ > 0.0) {
            massTransfer_ = CWeatheringCore::EvaporationMassTransfer(windSpeed_, c.evapCoef, slickArea_);
            benzFactor_ = CWeatheringCore::BenzeneAirFactor(slickArea_, c.Rgas, c.waterTemp, c.airPressure);
            benz0_ = std::max(c.minBenzene, benzFactor_ * c.evapTable[0].benz);
        }

        totals_.vol = 0.0;
        totals_.spill = 0.0;
        for (int i = 0; i < admitted_; ++i) {
            totals_.vol += elements_[i].Vol;
            totals_.spill += elements_[i].vol0;
        }
    }

    // Burning, skimming, beaching and chemical dispersion take their share
    // of the admitted oil; oilRatio_ is the share left to the elements.
    void RemoveResponse() {
        const CWeatheringCore& c = core_;
        const SResponseHour& rates = c.resp[hourIndex_];
        // Chemical dispersion treats the volume found when spraying began.
        if (treatedVol_ == 0.0 && rates.chemDisp > 0.0) treatedVol_ = totals_.vol;
        if (!(rates.chemDisp > 0.0)) treatedVol_ = 0.0;

        // Burning and skimming take emulsion: their oil share is reduced
        // by the mean water content of the turn's last statistics.
        const double water = waterMean_ < 0.0 ? 0.0 : waterMean_;
        const double dt = c.dt;
        double burned = dt * std::max(0.0, rates.burn) * (1.0 - water);
        double skimmed = dt * std::max(0.0, rates.skim) * (1.0 - water);
        double beached = dt * std::max(0.0, rates.beach);
        double chem = dt * std::max(0.0, rates.chemDisp) * treatedVol_;
        const double sum = burned + skimmed + beached + chem;
        if (sum > totals_.vol) {
            const double f = totals_.vol / sum;
            burned *= f;
            skimmed *= f;
            beached *= f;
            chem *= f;
            oilRatio_ = 0.0;
        } else if (sum < totals_.vol) {
            oilRatio_ = 1.0 - sum / totals_.vol;
        } else {
            oilRatio_ = 0.0;
        }
        totals_.burned += burned;
        totals_.skimmed += skimmed;
        totals_.beached += beached;
        totals_.chemDispersed += chem;
        totals_.disp += chem;

        if (plan_.writeDump)
            AppendDumpRemoval(result_.dump, admitted_, slickArea_, oilRatio_, lastSubStep_, totals_.vol);
    }

    // Each element's step is independent of the others; their sums are
    // taken afterwards in element order, so the result does not depend on
    // how the elements were shared out over threads.
    void StepElements(int step) {
        const int n = admitted_;
        const int threads = plan_.elementThreads;
        const int chunks = threads > 1 && n >= kMinElementsPerThread * threads ? threads : 1;
        platform::ParallelFor(chunks, chunks, [&](int chunk) {
            SWaveMoment moments[kWaveMoments];
            for (int i = n * chunk / chunks; i < n * (chunk + 1) / chunks; ++i)
                StepElement(i, step, moments, chunkNotes_[chunk]);
        });
        for (int chunk = 0; chunk < chunks; ++chunk) {
            for (const std::string& note : chunkNotes_[chunk])
                if (std::find(result_.notes.begin(), result_.notes.end(), note) == result_.notes.end())
                    result_.notes.push_back(note);
            chunkNotes_[chunk].clear();
        }
    }

    void StepElement(int i, int step, SWaveMoment* waveMoments, std::vector<std::string>& notes) {
        const CWeatheringCore& c = core_;
        if (c.testAllocFailure == 3 && i == c.leCount - 1) throw std::bad_alloc();
        const int perHour = c.stepsPerHour;
        const int h = hourIndex_;
        SLERecord& e = elements_[i];
        SElementStep& share = elementSteps_[i];
        double vol = oilRatio_ * e.Vol;
        double area = lastHour_ ? e.area[h] : (e.area[h] * (perHour - phase_) + e.area[h + 1] * phase_) / perHour;
        const int releaseHour = std::clamp(e.releaseHour, 0, MAX_HOURS - 1);
        const double hourVol = c.hour[releaseHour].vol;
        if (hourVol > kHourVolLimit) area *= std::pow(kHourVolLimit / hourVol, 1.0 / 3.0);
        if (area < e.minArea) area = e.minArea;
        double thick = vol / area;
        if (thick < c.minThickness && vol > 0.0) {
            thick = c.minThickness;
            area = vol / c.minThickness;
        }
        // What the response took leaves the element for good.
        e.Vol = vol;
        share = {area, thick, 0.0, 0.0, 0, false};
        if (!(vol > 0.0)) {
            e.Vol = 0.0;
            return;
        }
        // The step's values, held locally through the sub-steps.
        const double massTransfer = massTransfer_;
        const double notSprayed = 1.0 - sprayed_;
        const double uptakeRate = uptakeRate_;
        const int windTurn = plan_.windTurn, windTurns = plan_.windTurns;
        const int onsetTurn = plan_.onsetTurn, pass = plan_.pass;
        const int dt = c.dt;
        const SEvapTableRow* table = c.evapTable;
        const int rows = c.evapRows;
        int row = CWeatheringCore::EvapRow(table, rows, e.evex);
        const double waterAtStart = e.Y;
        const int sub = CWeatheringCore::EvapSubStep(table[row], massTransfer, waterAtStart, thick, dt);
        const int subSteps = sub > 0 ? dt / sub : 0;
        share.subStep = sub;
        share.hasOil = true;
        const double miniDt = sub * kMiniStepFactor;
        CWeatheringCore::SEvapCache cache;
        for (int s = 0; s < subSteps; ++s) {
            double evap = CWeatheringCore::EvaporateMiniSteps(massTransfer, waterAtStart, thick, table, rows, row,
                                                              miniDt, e, subSteps > 1, &cache);
            const double secsInHour = static_cast<double>((step - perHour * h) * dt + (s + 1) * sub);
            SWaveMoment& moment = waveMoments[std::min(s, kWaveMoments - 1)];
            if (moment.secs != secsInHour) {
                moment.secs = secsInHour;
                moment.waves = c.DispersionWaves(h, windTurn, windTurns, secsInHour);
            }
            double disp = c.NaturalDispersion(moment.waves, sub, e, area, hourVol) * notSprayed;
            if (evap + disp > vol) {
                evap *= vol / (evap + disp);
                disp = vol - evap;
            }
            vol -= evap;
            vol -= disp;
            if (vol < 0.0) vol = 0.0;
            e.Vol = vol;
            share.evap += evap;
            share.disp += disp;
            const int age = static_cast<int>(step * dt + (s + 0.5) * sub + (1.0 - e.releaseTime) * 3600.0);
            const double radius = c.Emulsify(age, sub, uptakeRate, e.f_evap, e, onsetTurn, c.emulFlag, pass, notes);
            e.rho = CWeatheringCore::EmulsionDensity(c.rho, c.waterDensity, e.f_evap, e.Y);
            e.visc = c.EmulsionViscosity(c.visc, e.Y, e.f_evap, radius);
        }
        e.vp = table[row].vp;
        e.mv = table[row].mv;
        e.benz = table[row].benz;
    }

    // The step's volume-weighted property sums and extremes, its budget and
    // the statistics of density, viscosity, water content and benzene.
    void GatherStatistics(int step) {
        const CWeatheringCore& c = core_;
        SStepSums& s = sums_;
        s = {};
        s.rhoMin = c.waterDensity;
        s.rhoMax = c.rho;
        s.viscMin = kStatsViscosityStart;
        s.viscMax = c.visc;
        s.waterMin = 1.0;
        s.waterMax = 0.0;
        volSum_ = 0.0;
        evapFractionSum_ = 0.0;
        double evapStep = 0.0, dispStep = 0.0;
        for (int i = 0; i < admitted_; ++i) {
            const SLERecord& e = elements_[i];
            const SElementStep& share = elementSteps_[i];
            if (share.hasOil) {
                const double vol = e.Vol;
                lastSubStep_ = share.subStep;
                evapStep += share.evap;
                dispStep += share.disp;
                s.rhoSum += e.rho * vol;
                s.rho2Sum += e.rho * e.rho * vol;
                s.viscSum += e.visc * vol;
                s.visc2Sum += e.visc * e.visc * vol;
                s.waterSum += e.Y * vol;
                s.water2Sum += e.Y * e.Y * vol;
                s.rhoMin = std::min(s.rhoMin, e.rho);
                s.rhoMax = std::max(s.rhoMax, e.rho);
                s.viscMin = std::min(s.viscMin, e.visc);
                s.viscMax = std::max(s.viscMax, e.visc);
                s.waterMin = std::min(s.waterMin, e.Y);
                s.waterMax = std::max(s.waterMax, e.Y);
                const double conc = std::max(kBenzMinConcentration, e.benz * benzFactor_);
                s.benzSum += conc * share.area;
                s.benz2Sum += conc * conc * share.area;
                s.oilSum += vol;
            }
            volSum_ += e.Vol;
            evapFractionSum_ += e.f_evap * e.Vol;
        }

        STurnResult::Step& record = result_.steps[step];
        record.benz0 = benz0_;
        if (oilRatio_ > 0.0 && totals_.spill > 0.0 && s.oilSum / totals_.spill > kEmptyStepFraction) {
            std::vector<std::string>& notes = result_.notes;
            record.hasStats = true;
            record.stats[CWeatheringCore::PROP_DENSITY] =
                CWeatheringCore::ComputeStatistics(s.oilSum, s.rhoSum, s.rho2Sum, s.rhoMin, s.rhoMax, notes);
            record.stats[CWeatheringCore::PROP_VISCOSITY] =
                CWeatheringCore::ComputeStatistics(s.oilSum, s.viscSum, s.visc2Sum, s.viscMin, s.viscMax, notes);
            record.stats[CWeatheringCore::PROP_WATER] =
                CWeatheringCore::ComputeStatistics(s.oilSum, s.waterSum, s.water2Sum, s.waterMin, s.waterMax, notes);
            record.stats[CWeatheringCore::PROP_BENZENE] =
                CWeatheringCore::ComputeStatistics(slickArea_, s.benzSum, s.benz2Sum, c.minBenzene, benz0_, notes);
            waterMean_ = record.stats[CWeatheringCore::PROP_WATER].mean;
            // While fresh oil is still being released the lows are the fresh oil's.
            if (!(c.containedArea > 0.0) && c.hour[hourIndex_].count > 0) {
                record.stats[CWeatheringCore::PROP_DENSITY].low = c.rho;
                record.stats[CWeatheringCore::PROP_VISCOSITY].low = c.visc;
                record.stats[CWeatheringCore::PROP_WATER].low = 0.0;
            }
        }
        totals_.disp += dispStep;
        totals_.evap += evapStep;
        record.oilSum = s.oilSum;
        record.totals = totals_;
    }

    void WriteStepTexts(int step) {
        const CWeatheringCore& c = core_;
        // The composition of the table row nearest the mean fraction evaporated.
        const double meanEvapFraction = volSum_ > 0.0 ? evapFractionSum_ / volSum_ : 0.0;
        int row = 0;
        while (row < c.evapRows - 1 && c.evapTable[row].f_evap < meanEvapFraction) ++row;
        if (row > 0 && meanEvapFraction - c.evapTable[row - 1].f_evap < c.evapTable[row].f_evap - meanEvapFraction)
            --row;
        AppendVolFracLine(result_.volFrac, c, step, row, volSum_);
        if ((step + 1) % c.stepsPerHour == 0) AppendSlickAreaLine(result_.slickArea, (step + 1) * c.dt / 3600.0, slickArea_);
        if (plan_.writeDump) {
            if (admitted_ > kDumpElement)
                AppendDumpElement(result_.dump, kDumpElement, elements_[kDumpElement],
                                  elementSteps_[kDumpElement].area, elementSteps_[kDumpElement].thick);
            AppendDumpStepEnd(result_.dump, sums_, c.minBenzene, benz0_, totals_, slickArea_, c.wave[hourIndex_]);
        }
    }

    // The element whose state the dump shows at every step.
    static constexpr int kDumpElement = 9;

    const CWeatheringCore& core_;
    const STurnPlan& plan_;
    STurnResult& result_;
    std::vector<SLERecord>& elements_;
    std::vector<SElementStep> elementSteps_;
    std::vector<std::vector<std::string>> chunkNotes_;  // messages of each share of a step

    // Over the turn.
    double waterMean_ = 0.0;   // mean water content of the last statistics
    double treatedVol_ = 0.0;  // m3 found when the current spraying began
    CWeatheringCore::SBudgetTotals totals_ = {};
    int lastSubStep_ = 0;      // s, the last evaporation sub-step used
    int everAdmitted_ = 0;
    // Of the current hour.
    int hourCount_ = 0, hourCumCount_ = 0;
    double sprayed_ = 0.0;
    double windSpeed_ = 0.0;   // m/s, with the turn's wind offset
    double uptakeRate_ = 0.0;  // water uptake rate of the hour
    // Of the current step.
    int hourIndex_ = 0;
    bool lastHour_ = false;
    int phase_ = 0;            // steps into the hour after this one
    int admitted_ = 0;
    double slickArea_ = 0.0;   // m2
    double massTransfer_ = 0.0;
    double benzFactor_ = 0.0;
    double benz0_ = 0.0;
    double oilRatio_ = 0.0;
    SStepSums sums_ = {};
    double volSum_ = 0.0;           // m3 of every admitted element
    double evapFractionSum_ = 0.0;  // fraction evaporated x m3
};

}  // namespace

void CWeatheringCore::RunTurn(const STurnPlan& plan, STurnResult& result) const {
    CTurn(*this, plan, result).Run();
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

int CWeatheringCore::Solve(bool writeDump) {
    if (fatalInput) return RUN_FATAL_INPUT;
    if (!RunIsUsable(*this)) {
        fatalInput = 1;
        return RUN_FATAL_INPUT;
    }

    // The start areas of the run: each turn rescales from them.
    for (int i = 0; i < leCount; ++i)
        std::copy(std::begin(le[i].area), std::end(le[i].area), std::begin(le[i].baseArea));

    // The files are created before anything runs; the model runs only when
    // all it asked for are open.
    COutFile dumpFile, volFracFile, slickFile;
    if (writeDump && !dumpFile.Open(OutputFilePath(kDumpFileName))) {
        Messages().Show(kMsgNoDumpFile);
        return RUN_FILE_ERROR;
    }
    if (!volFracFile.Open(OutputFilePath(kVolFracFileName))) {
        Messages().Show(kMsgNoVolFracFile);
        return RUN_FILE_ERROR;
    }
    if (!slickFile.Open(OutputFilePath(kSlickAreaFileName))) {
        Messages().Show(kMsgNoSlickFile);
        return RUN_FILE_ERROR;
    }
    {
        std::string dumpHead, volFracHead, slickHead;
        if (writeDump) AppendDumpHead(dumpHead);
        AppendVolFracHead(volFracHead, *this);
        AppendSlickAreaHead(slickHead);
        dumpFile.Write(dumpHead);
        volFracFile.Write(volFracHead);
        slickFile.Write(slickHead);
    }

    // The turns: pass 0 alone, then one turn per (volume, wind, onset) of pass 1.
    const bool uncertain = volFlag || windFlag || emulFlag;
    const int volumeTurns = volFlag ? 2 : 1, windTurns = windFlag ? 2 : 1, onsetTurns = emulFlag ? 2 : 1;
    const double volFraction = volFlag && volUnc > 0.0 ? std::min(1.0, volUnc / 100.0) : 0.0;
    const double windOffset = windFlag && windUnc > 0.0 ? windUnc : 0.0;
    const bool threaded = parallelTurns && platform::HardwareThreads() > 1;
    std::vector<STurnPlan> plans;
    std::vector<STurnResult> results;
    try {
        if (testAllocFailure == 1) throw std::bad_alloc();
        // A run without uncertainty shares each step's elements out instead.
        const int elementThreads = threaded && !uncertain ? std::min(kMaxElementThreads, platform::HardwareThreads()) : 1;
        plans.push_back({0, 0, 0, 0, 1, 0.0, 0.0, writeDump, elementThreads});
        if (uncertain)
            for (int volume = 0; volume < volumeTurns; ++volume)
                for (int wind = 0; wind < windTurns; ++wind)
                    for (int onset = 0; onset < onsetTurns; ++onset)
                        plans.push_back({1, volume, wind, onset, windTurns, volFraction, windOffset, writeDump, 1});
        results.resize(plans.size());
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgNoMemoryCore);
        return RUN_MEMORY_ERROR;
    }

    const int turns = static_cast<int>(plans.size());
    platform::ParallelFor(turns, threaded ? turns : 1, [this, &plans, &results](int t) {
        if (testTurnStarted) testTurnStarted(t);
        try {
            RunTurn(plans[t], results[t]);
        } catch (const std::bad_alloc&) {
            results[t].outOfMemory = true;
        }
    });
    for (const STurnResult& r : results)
        if (r.outOfMemory) {
            Messages().Show(kMsgNoMemoryCore);
            return RUN_MEMORY_ERROR;
        }

    // Store and write the turns in their order.
    for (int t = 0; t < turns; ++t) {
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
    {
        std::string dumpEnd;
        if (writeDump) AppendDumpEnd(dumpEnd);
        dumpFile.Write(dumpEnd);
    }
    dumpFile.Close();
    volFracFile.Close();
    slickFile.Close();

    MarkEmptyOutputs(nSteps);
    smoother(nSteps, windTurns, volumeTurns, onsetTurns);
    SmoothBenzene(nSteps);

    // The elements keep the state of the last turn, on their start areas.
    const std::vector<SLERecord>& last = results.back().elements;
    for (int i = 0; i < leCount; ++i) {
        le[i] = last[i];
        std::copy(std::begin(le[i].baseArea), std::end(le[i].baseArea), std::begin(le[i].area));
    }

    // A file that could not be finished is named once, with the reason.
    for (const COutFile* file : {&dumpFile, &volFracFile, &slickFile})
        if (file->Failed()) {
            Messages().Show(file->FailureText());
            return RUN_FILE_ERROR;
        }
    return RUN_OK;
}

std::string CWeatheringCore::OutputFilePath(const char* name) const { return platform::PathIn(outputFolder, name); }

void CWeatheringCore::SetRemovalBandsToBest() {
    const int steps = std::clamp(nSteps, 0, MAX_STEPS);
    for (int k = 0; k < steps; ++k)
        for (int fate : {OUT_BURNED, OUT_SKIMMED, OUT_BEACHED}) {
            out[k][fate + SLOT_HIGH] = out[k][fate + SLOT_BEST];
            out[k][fate + SLOT_LOW] = out[k][fate + SLOT_BEST];
        }
}

}  // namespace model
