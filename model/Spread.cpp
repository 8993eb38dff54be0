// Spreading: every element's area and thickness for each run hour, from the
// triangulation of the drifting and diffusing points that carry the
// elements.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "model/Triangulation.h"
#include "model/WeatheringCore.h"

namespace model {

namespace {

constexpr const char* kMsgMemory = "Error: Out of Memory (Spread)";
constexpr const char* kMsgTriangle = "Spread: Something wrong in LEarea calculation";
constexpr const char* kMsgContained = "Spread: contained release error";

// One hour's triangulation and the per-point areas it gives (before they
// are added to the elements). Hours are independent of each other once the
// positions are known, so they may be worked on side by side.
struct SHourJob {
    int P = 0;                        // points released so far
    const double* x = nullptr;        // their positions at the end of the hour
    const double* y = nullptr;
    double* area = nullptr;           // out: per-point area
    const char* failedStep = nullptr; // out: the triangulation step that failed
    bool badTriangle = false;         // out: a triangle named a point beyond P
    bool done = false;                // out: the job was worked
};

void HourAreas(SHourJob& job, const CWeatheringCore::SSpreadPoint* pts, double cap, std::vector<int>& count,
               std::vector<double>& sum) {
    thread_local SDagTriangulation t;
    thread_local std::vector<int> indexMap;
    const int P = job.P;
    std::fill(count.begin(), count.begin() + P, 0);
    std::fill(sum.begin(), sum.begin() + P, 0.0);
    if (P > 2) {
        try {
            indexMap.resize(static_cast<size_t>(P));
            const char* step = nullptr;
            if (CalculateDagTri(t, P, job.x, job.y, kSpreadTolerance, indexMap.data(), false, &step) != TRI_OK) {
                job.failedStep = step;
                t.triangles.clear();
            }
        } catch (const std::bad_alloc&) {
            job.failedStep = "Out of memory.";
            t.triangles.clear();
        }
    } else {
        t.triangles.clear();
    }
    const double* x = job.x;
    const double* y = job.y;
    for (const STriangleOut& tr : t.triangles) {
        const int a = tr.v[0], b = tr.v[1], c = tr.v[2];
        if (a < 0 || b < 0 || c < 0 || a >= P || b >= P || c >= P) {
            job.badTriangle = true;
            continue;
        }
        double F = 0.5 * ((x[a] * y[b] - y[a] * x[b]) + (x[b] * y[c] - y[b] * x[c]) + (x[c] * y[a] - y[c] * x[a]));
        if (!(F > 0)) F = 0;  // flat on the metre scale
        const double V = pts[a].vol + pts[b].vol + pts[c].vol;
        if (F * cap > V) F = V / cap;
        for (int v : {a, b, c}) {
            ++count[v];
            sum[v] += F;
        }
    }
    for (int j = 0; j < P; ++j) {
        const double vol = pts[j].vol;
        double area = count[j] > 0 ? sum[j] / (3.0 * count[j]) : 0.0;
        if (area * cap > vol || !(area > 0)) area = vol / cap;
        job.area[j] = area;
    }
    job.done = true;
}

// Runs every job, on several threads when the machine has them; the
// results do not depend on how the jobs were shared out. Nothing is shown
// from here: the jobs carry their failures back to the calling thread. A
// worker that cannot get its memory leaves its jobs to the others; throws
// std::bad_alloc when a job was left undone.
void RunHourJobs(std::vector<SHourJob>& jobs, const CWeatheringCore::SSpreadPoint* pts, double cap, int N) {
    std::atomic<size_t> next{0};
    auto worker = [&]() noexcept {
        try {
            std::vector<int> count(static_cast<size_t>(N));
            std::vector<double> sum(static_cast<size_t>(N));
            for (size_t i; (i = next.fetch_add(1)) < jobs.size();) HourAreas(jobs[i], pts, cap, count, sum);
        } catch (const std::bad_alloc&) {
            // An exception must not leave a worker thread; the job it held
            // stays undone and is reported below.
        }
    };
    const unsigned hw = std::thread::hardware_concurrency();
    const size_t want = std::min<size_t>({hw > 1 ? hw : 1, 8, jobs.size()});
    std::vector<std::thread> threads;
    for (size_t k = 1; k < want; ++k) {
        try {
            threads.emplace_back(worker);
        } catch (const std::system_error&) {
            break;  // the calling thread does the rest
        }
    }
    worker();
    for (std::thread& th : threads) th.join();
    for (const SHourJob& job : jobs)
        if (!job.done) throw std::bad_alloc();
}

bool Placed(const SLERecord& e) {
    return e.Vol > 0 && std::isfinite(e.Vol) && std::isfinite(e.releaseTime) && e.releaseHour >= 0 &&
           e.releaseHour < MAX_HOURS;
}

}  // namespace

void CWeatheringCore::MoveElements(int count, int timeS, int dtS, double windSpeed, double windSin,
                                   double windCos, double currentEast, double currentNorth,
                                   SSpreadPoint* points) {
    SeedRandomOnce();
    double s1 = 0.0, s2 = 0.0;
    for (int i = 0; i < count; ++i) {
        SSpreadPoint& p = points[i];
        // Points of one release hour share their diffusion lengths.
        if (i == 0 || p.hourSlot > points[i - 1].hourSlot) {
            const double age = static_cast<double>(timeS) - (static_cast<double>(p.hourSlot) - 1) * 3600;
            s1 = s2 = 0.0;
            if (age > 0) {
                const double K = std::pow(age, kSpreadAgeExponent) * kSpreadDiffusion;
                const double L = p.spreadCoef / std::sqrt(age);
                s1 = std::sqrt(kSpreadStepFactor * K * dtS);
                if (L > 0) s2 = std::sqrt(kSpreadStepFactor * L * dtS);
            }
        }
        const double u1 = Random().Uniform();
        const double u2 = Random().Uniform();
        const double u3 = Random().Uniform();
        const double u4 = Random().Uniform();
        const double dx = (u2 - 0.5) * s1 + (u1 - 0.5) * s2;
        const double dy = (u4 - 0.5) * s1 + (u3 - 0.5) * s2;
        const double drift = dtS * (kSpreadDriftAlpha * windSpeed * p.alpha + kSpreadDriftBase * windSpeed);
        p.x += currentEast + dx - windSin * drift;
        p.y += currentNorth + dy - windCos * drift;
    }
}

int CWeatheringCore::Spread() {
    if (fatalInput) return RUN_FATAL_INPUT;
    const int hours = std::clamp(runHours, 0, MAX_HOURS);
    const int nLE = std::clamp(leCount, 0, MAX_ELEMENTS);
    if (hours == 0 || nLE == 0) return RUN_OK;
    if (!(minThickness > 0) || stepsPerHour <= 0 || dt <= 0) return RUN_FATAL_INPUT;  // not prepared

    if (containedArea > 0) {
        // The whole release must be in the first hour, in its elements.
        const double V0 = hour[0].vol;
        const int ref = hours > 1 ? 1 : 0;
        if (hour[ref].cumVol != V0 || hour[0].count != hour[ref].cumCount) {
            Messages().Show(kMsgContained);
            fatalInput = 1;
            return RUN_FATAL_INPUT;
        }
        double A = containedArea;
        if (V0 / minThickness < A) A = V0 / minThickness;
        const int count = std::min(hour[0].count, nLE);
        if (count > 0 && A > 0)
            for (int e = 0; e < count; ++e)
                for (int h = 0; h < hours; ++h) {
                    le[e].area[h] = A / count;
                    le[e].thick[h] = V0 / A;
                }
        return RUN_OK;
    }

    const int ppl = std::max(pointsPerLE, 1);
    const int N = ppl * nLE;
    std::vector<SSpreadPoint> pts;
    std::vector<double> alphaWork, hourX, hourY, hourArea;
    std::vector<char> placed;
    std::vector<SHourJob> jobs;
    try {
        pts.resize(N);
        alphaWork.resize(N);
        hourX.resize(static_cast<size_t>(hours) * N);
        hourY.resize(static_cast<size_t>(hours) * N);
        hourArea.resize(static_cast<size_t>(hours) * N);
        placed.resize(nLE);
        jobs.resize(hours);
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgMemory);
        return RUN_MEMORY_ERROR;
    }
    SeedRandomOnce();
    constexpr double M = MISSING_VALUE_D;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (int e = 0; e < nLE; ++e) placed[e] = Placed(le[e]);
    for (int j = 0; j < N; ++j) {
        const SLERecord& e = le[j / ppl];
        SSpreadPoint& p = pts[j];
        p = {MISSING_VALUE, M, M, M, M, M};
        if (!placed[j / ppl]) continue;  // an element never placed carries no points
        p.hourSlot = static_cast<int>(e.releaseTime);
        p.vol = e.Vol / ppl;
        p.alpha = e.alpha;
        p.spreadCoef = e.spreadCoef;
    }

    // The points' journey, hour by hour; their positions at the end of each
    // hour are kept for the areas.
    int prevP = 0;
    for (int h = 0; h < hours; ++h) {
        const SReleaseHour& r = hour[h];
        const int P = ppl * std::clamp(r.cumCount, 0, nLE);
        // New points start anywhere over the hour's sub-slick.
        if (r.count > 0)
            for (int j = prevP; j < P; ++j) {
                DrawInDisc(r.area, r.radius, pts[j].x, pts[j].y);
                if (!placed[j / ppl]) pts[j].x = pts[j].y = kNaN;
            }
        // A change of wind direction gives every point a new drift fraction.
        if (h > 0 && std::fabs(wind[h].dir - wind[h - 1].dir) > kSpreadWindShift) {
            Alpha3(P, alphaWork.data());
            for (int j = 0; j < P; ++j) pts[j].alpha = alphaWork[j];
        }
        // A missing speed inside the run drifts nothing (as for the waves).
        const double speed = wind[h].speed >= 0 && std::isfinite(wind[h].speed) ? wind[h].speed : 0.0;
        for (int k = h * stepsPerHour; k < (h + 1) * stepsPerHour; ++k) {
            const int timeS = (k + 1) * dt;
            int moving = r.cumCount;
            // In the first half of its hour only the first half of the hour's
            // elements move.
            if (k < (h + 0.5) * stepsPerHour && r.count > 0) moving -= r.count / 2;
            const int m = std::clamp(ppl * moving, 0, P);
            MoveElements(m, timeS, dt, speed, wind[h].sinDir, wind[h].cosDir, driftX, driftY, pts.data());
        }
        double* X = hourX.data() + static_cast<size_t>(h) * N;
        double* Y = hourY.data() + static_cast<size_t>(h) * N;
        for (int j = 0; j < P; ++j) {
            X[j] = pts[j].x;
            Y[j] = pts[j].y;
        }
        jobs[h].P = P;
        jobs[h].x = X;
        jobs[h].y = Y;
        jobs[h].area = hourArea.data() + static_cast<size_t>(h) * N;
        prevP = P;
    }

    // Each hour's triangulation gives every point an area.
    const double cap = minThickness / 4;  // the thinnest a point or triangle may be
    try {
        RunHourJobs(jobs, pts.data(), cap, N);
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgMemory);
        return RUN_MEMORY_ERROR;
    }

    for (int h = 0; h < hours; ++h) {
        const SHourJob& job = jobs[h];
        if (job.failedStep) Messages().ShowOnce(job.failedStep);
        if (job.badTriangle) Messages().ShowOnce(kMsgTriangle);
        const int released = std::clamp(hour[h].cumCount, 0, nLE);
        for (int e = 0; e < released; ++e)
            if (placed[e]) le[e].area[h] = 0;
        for (int j = 0; j < job.P; ++j)
            if (placed[j / ppl]) le[j / ppl].area[h] += job.area[j];
        double total = 0;
        for (int e = 0; e < released; ++e) {
            if (!placed[e]) continue;
            le[e].thick[h] = le[e].Vol / le[e].area[h];
            total += le[e].area[h];
        }
        // The slick is never thinner on the whole than the terminal thickness.
        const double maxArea = hour[h].cumVol / minThickness;
        if (maxArea < total) {
            const double ratio = maxArea / total;
            for (int e = 0; e < released; ++e) {
                if (!placed[e]) continue;
                le[e].area[h] *= ratio;
                le[e].thick[h] /= ratio;
            }
        }
    }

    // Smooth in time.
    for (int e = 0; e < nLE; ++e) {
        if (!placed[e]) continue;
        double* area = le[e].area;
        for (int h = 1; h < hours; ++h)
            if (area[h - 1] > 0) area[h] = (area[h - 1] + area[h]) / 2;
    }
    return RUN_OK;
}

}  // namespace model
