// Spreading: every element's area and thickness for each run hour, from the
// triangulation of the drifting and diffusing points that carry the
// elements.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <vector>

#include "model/Triangulation.h"
#include "model/WeatheringCore.h"
#include "platform/ParallelFor.h"

namespace model {

namespace {

constexpr const char* kMsgMemory = "Error: Out of Memory (Spread)";
constexpr const char* kMsgTriangle = "Spread: Something wrong in LEarea calculation";
constexpr const char* kMsgContained = "Spread: contained release error";

// One hour's triangulation and the per-point areas it gives (before they
// are added to the elements). Hours are independent of each other once the
// positions are known, so they may be worked on side by side.
struct SHourJob {
    int points = 0;                   // points released so far
    const double* x = nullptr;        // their positions at the end of the hour
    const double* y = nullptr;
    double* area = nullptr;           // out: per-point area
    const char* failedStep = nullptr; // out: the triangulation step that failed
    bool badTriangle = false;         // out: a triangle named a point not released
};

// The most threads that triangulate the hours.
constexpr int kMaxSpreadThreads = 8;

// The areas of one hour's points. Each thread keeps its triangulation and
// counting memory from one hour to the next.
void HourAreas(SHourJob& job, const CWeatheringCore::SSpreadPoint* pts, double cap, int pointCount) {
    thread_local SDagTriangulation t;
    thread_local std::vector<int> indexMap;
    thread_local std::vector<int> count;
    thread_local std::vector<double> sum;
    count.resize(static_cast<size_t>(pointCount));
    sum.resize(static_cast<size_t>(pointCount));
    const int points = job.points;
    std::fill(count.begin(), count.begin() + points, 0);
    std::fill(sum.begin(), sum.begin() + points, 0.0);
    if (points > 2) {
        try {
            indexMap.resize(static_cast<size_t>(points));
            const char* step = nullptr;
            if (CalculateDagTri(t, points, job.x, job.y, kSpreadTolerance, indexMap.data(), false, &step) != TRI_OK) {
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
        if (a < 0 || b < 0 || c < 0 || a >= points || b >= points || c >= points) {
            job.badTriangle = true;
            continue;
        }
        double triangleArea =
            0.5 * ((x[a] * y[b] - y[a] * x[b]) + (x[b] * y[c] - y[b] * x[c]) + (x[c] * y[a] - y[c] * x[a]));
        if (!(triangleArea > 0)) triangleArea = 0;  // flat on the metre scale
        const double triangleVol = pts[a].vol + pts[b].vol + pts[c].vol;
        if (triangleArea * cap > triangleVol) triangleArea = triangleVol / cap;
        for (int v : {a, b, c}) {
            ++count[v];
            sum[v] += triangleArea;
        }
    }
    for (int j = 0; j < points; ++j) {
        const double vol = pts[j].vol;
        double area = count[j] > 0 ? sum[j] / (3.0 * count[j]) : 0.0;
        if (area * cap > vol || !(area > 0)) area = vol / cap;
        job.area[j] = area;
    }
}

// Runs every hour's job, on several threads when the machine has them; the
// results do not depend on how the jobs were shared out. Nothing is shown
// from here: the jobs carry their failures back to the calling thread.
// Throws std::bad_alloc when a job could not get its memory.
void RunHourJobs(std::vector<SHourJob>& jobs, const CWeatheringCore::SSpreadPoint* pts, double cap, int pointCount) {
    const int count = static_cast<int>(jobs.size());
    platform::ParallelFor(count, std::min(platform::HardwareThreads(), kMaxSpreadThreads),
                          [&](int h) { HourAreas(jobs[h], pts, cap, pointCount); });
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
    const int elementCount = std::clamp(leCount, 0, MAX_ELEMENTS);
    if (hours == 0 || elementCount == 0) return RUN_OK;
    if (!(minThickness > 0) || stepsPerHour <= 0 || dt <= 0) return RUN_FATAL_INPUT;  // not prepared

    if (containedArea > 0) {
        // The whole release must be in the first hour, in its elements.
        const double containedVol = hour[0].vol;
        const int ref = hours > 1 ? 1 : 0;
        if (hour[ref].cumVol != containedVol || hour[0].count != hour[ref].cumCount) {
            Messages().Show(kMsgContained);
            fatalInput = 1;
            return RUN_FATAL_INPUT;
        }
        double containedSlick = containedArea;
        if (containedVol / minThickness < containedSlick) containedSlick = containedVol / minThickness;
        const int count = std::min(hour[0].count, elementCount);
        if (count > 0 && containedSlick > 0)
            for (int e = 0; e < count; ++e)
                for (int h = 0; h < hours; ++h) {
                    le[e].area[h] = containedSlick / count;
                    le[e].thick[h] = containedVol / containedSlick;
                }
        return RUN_OK;
    }

    const int pointsPerElement = std::max(pointsPerLE, 1);
    const int pointCount = pointsPerElement * elementCount;
    std::vector<SSpreadPoint> pts;
    std::vector<double> alphaWork, hourX, hourY, hourArea;
    std::vector<char> placed;
    std::vector<SHourJob> jobs;
    try {
        pts.resize(pointCount);
        alphaWork.resize(pointCount);
        hourX.resize(static_cast<size_t>(hours) * pointCount);
        hourY.resize(static_cast<size_t>(hours) * pointCount);
        hourArea.resize(static_cast<size_t>(hours) * pointCount);
        placed.resize(elementCount);
        jobs.resize(hours);
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgMemory);
        return RUN_MEMORY_ERROR;
    }
    SeedRandomOnce();
    constexpr double M = MISSING_VALUE_D;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (int e = 0; e < elementCount; ++e) placed[e] = Placed(le[e]);
    for (int j = 0; j < pointCount; ++j) {
        const SLERecord& e = le[j / pointsPerElement];
        SSpreadPoint& p = pts[j];
        p = {MISSING_VALUE, M, M, M, M, M};
        if (!placed[j / pointsPerElement]) continue;  // an element never placed carries no points
        p.hourSlot = static_cast<int>(e.releaseTime);
        p.vol = e.Vol / pointsPerElement;
        p.alpha = e.alpha;
        p.spreadCoef = e.spreadCoef;
    }

    // The points' journey, hour by hour; their positions at the end of each
    // hour are kept for the areas.
    int placedPoints = 0;
    for (int h = 0; h < hours; ++h) {
        const SReleaseHour& release = hour[h];
        const int releasedPoints = pointsPerElement * std::clamp(release.cumCount, 0, elementCount);
        // New points start anywhere over the hour's sub-slick.
        if (release.count > 0)
            for (int j = placedPoints; j < releasedPoints; ++j) {
                DrawInDisc(release.area, release.radius, pts[j].x, pts[j].y);
                if (!placed[j / pointsPerElement]) pts[j].x = pts[j].y = kNaN;
            }
        // A change of wind direction gives every point a new drift fraction.
        if (h > 0 && std::fabs(wind[h].dir - wind[h - 1].dir) > kSpreadWindShift) {
            Alpha3(releasedPoints, alphaWork.data());
            for (int j = 0; j < releasedPoints; ++j) pts[j].alpha = alphaWork[j];
        }
        // A missing speed inside the run drifts nothing (as for the waves).
        const double speed = wind[h].speed >= 0 && std::isfinite(wind[h].speed) ? wind[h].speed : 0.0;
        for (int k = h * stepsPerHour; k < (h + 1) * stepsPerHour; ++k) {
            const int timeS = (k + 1) * dt;
            int moving = release.cumCount;
            // In the first half of its hour only the first half of the hour's
            // elements move.
            if (k < (h + 0.5) * stepsPerHour && release.count > 0) moving -= release.count / 2;
            const int movingPoints = std::clamp(pointsPerElement * moving, 0, releasedPoints);
            MoveElements(movingPoints, timeS, dt, speed, wind[h].sinDir, wind[h].cosDir, driftX, driftY, pts.data());
        }
        double* endX = hourX.data() + static_cast<size_t>(h) * pointCount;
        double* endY = hourY.data() + static_cast<size_t>(h) * pointCount;
        for (int j = 0; j < releasedPoints; ++j) {
            endX[j] = pts[j].x;
            endY[j] = pts[j].y;
        }
        jobs[h].points = releasedPoints;
        jobs[h].x = endX;
        jobs[h].y = endY;
        jobs[h].area = hourArea.data() + static_cast<size_t>(h) * pointCount;
        placedPoints = releasedPoints;
    }

    // Each hour's triangulation gives every point an area.
    const double cap = minThickness / 4;  // the thinnest a point or triangle may be
    try {
        RunHourJobs(jobs, pts.data(), cap, pointCount);
    } catch (const std::bad_alloc&) {
        Messages().Show(kMsgMemory);
        return RUN_MEMORY_ERROR;
    }

    for (int h = 0; h < hours; ++h) {
        const SHourJob& job = jobs[h];
        if (job.failedStep) Messages().ShowOnce(job.failedStep);
        if (job.badTriangle) Messages().ShowOnce(kMsgTriangle);
        const int released = std::clamp(hour[h].cumCount, 0, elementCount);
        for (int e = 0; e < released; ++e)
            if (placed[e]) le[e].area[h] = 0;
        for (int j = 0; j < job.points; ++j)
            if (placed[j / pointsPerElement]) le[j / pointsPerElement].area[h] += job.area[j];
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
    for (int e = 0; e < elementCount; ++e) {
        if (!placed[e]) continue;
        double* area = le[e].area;
        for (int h = 1; h < hours; ++h)
            if (area[h - 1] > 0) area[h] = (area[h - 1] + area[h]) / 2;
    }
    return RUN_OK;
}

}  // namespace model
