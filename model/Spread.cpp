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

namespace model {

namespace {

constexpr const char* kMsgMemory = "Error: Out of Memory (Spread)";
constexpr const char* kMsgTriangle = "Spread: Something wrong in LEarea calculation";
constexpr const char* kMsgContained = "Spread: contained release error";

bool Placed(const SLERecord& e) {
    return e.Vol > 0 && std::isfinite(e.Vol) && std::isfinite(e.releaseTime) && e.releaseHour >= 0 &&
           e.releaseHour < MAX_HOURS;
}

}  // namespace

void CWeatheringCore::MoveElements(int count, int timeS, int dtS, double windSpeed, double windSin,
                                   double windCos, double currentEast, double currentNorth, double* xOut,
                                   double* yOut, SSpreadPoint* points) {
    SeedRandomOnce();
    for (int i = 0; i < count; ++i) xOut[i] = yOut[i] = 0.0;
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
        xOut[i] = p.x;
        yOut[i] = p.y;
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
    std::vector<double> px, py, alphaWork, areaSum;
    std::vector<int> triCount;
    std::vector<STriangleOut> tris;
    std::vector<char> placed;
    try {
        pts.resize(N);
        px.resize(N);
        py.resize(N);
        alphaWork.resize(N);
        areaSum.resize(N);
        triCount.resize(N);
        tris.resize(2 * static_cast<size_t>(N) + 8);
        placed.resize(nLE);
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
        p = {MISSING_VALUE, M, M, M, M, M, M};
        if (!placed[j / ppl]) continue;  // an element never placed carries no points
        p.hourSlot = static_cast<int>(e.releaseTime);
        p.area = e.area[e.releaseHour] / ppl;
        p.vol = e.Vol / ppl;
        p.alpha = e.alpha;
        p.spreadCoef = e.spreadCoef;
    }

    const double cap = minThickness / 4;  // the thinnest a point or triangle may be
    int prevP = 0;
    for (int h = 0; h < hours; ++h) {
        const SReleaseHour& r = hour[h];
        const int released = std::clamp(r.cumCount, 0, nLE);
        const int P = ppl * released;
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
        const double maxArea = r.cumVol / minThickness;

        for (int k = h * stepsPerHour; k < (h + 1) * stepsPerHour; ++k) {
            const int timeS = (k + 1) * dt;
            int moving = r.cumCount;
            // In the first half of its hour only the first half of the hour's
            // elements move.
            if (k < (h + 0.5) * stepsPerHour && r.count > 0) moving -= r.count / 2;
            const int m = std::clamp(ppl * moving, 0, P);
            MoveElements(m, timeS, dt, wind[h].speed, wind[h].sinDir, wind[h].cosDir, driftX, driftY,
                         px.data(), py.data(), pts.data());
        }

        for (int e = 0; e < released; ++e)
            if (placed[e]) le[e].area[h] = 0;
        for (int j = 0; j < P; ++j) {
            px[j] = pts[j].x;
            py[j] = pts[j].y;
        }
        int nt = 0;
        ComputeThiessenAreas(px.data(), py.data(), P, nullptr, tris.data(), &nt, &Messages());
        std::fill(triCount.begin(), triCount.begin() + P, 0);
        std::fill(areaSum.begin(), areaSum.begin() + P, 0.0);
        for (int t = 0; t < nt; ++t) {
            const int a = tris[t].v[0], b = tris[t].v[1], c = tris[t].v[2];
            if (a < 0 || b < 0 || c < 0 || a >= P || b >= P || c >= P) {
                Messages().ShowOnce(kMsgTriangle);
                continue;
            }
            double F = 0.5 * ((pts[a].x * pts[b].y - pts[a].y * pts[b].x) +
                              (pts[b].x * pts[c].y - pts[b].y * pts[c].x) +
                              (pts[c].x * pts[a].y - pts[c].y * pts[a].x));
            if (!(F > 0)) F = 0;  // flat on the metre scale
            const double V = pts[a].vol + pts[b].vol + pts[c].vol;
            if (F * cap > V) F = V / cap;
            for (int v : {a, b, c}) {
                ++triCount[v];
                areaSum[v] += F;
            }
        }
        for (int j = 0; j < P; ++j) {
            if (!placed[j / ppl]) continue;
            const double vol = pts[j].vol;
            double area = triCount[j] > 0 ? areaSum[j] / (3.0 * triCount[j]) : 0.0;
            if (area * cap > vol || !(area > 0)) area = vol / cap;
            le[j / ppl].area[h] += area;
        }
        double total = 0;
        for (int e = 0; e < released; ++e) {
            if (!placed[e]) continue;
            le[e].thick[h] = le[e].Vol / le[e].area[h];
            total += le[e].area[h];
        }
        // The slick is never thinner on the whole than the terminal thickness.
        if (maxArea < total) {
            const double ratio = maxArea / total;
            for (int e = 0; e < released; ++e) {
                if (!placed[e]) continue;
                le[e].area[h] *= ratio;
                le[e].thick[h] /= ratio;
            }
        }
        prevP = P;
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
