#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "model/Triangulation.h"
#include "platform/Random.h"

using namespace model;

namespace {

struct PointSet {
    std::string name;
    std::vector<double> x, y;
    void Add(double px, double py) {
        x.push_back(px);
        y.push_back(py);
    }
    int Size() const { return static_cast<int>(x.size()); }
};

struct Result {
    SDagTriangulation t;
    std::vector<int> map;
    int rc = 0;
};

Result Triangulate(const PointSet& s, float tol = 0.05f) {
    Result r;
    r.map.assign(s.x.size(), -7);
    r.rc = CalculateDagTri(r.t, s.Size(), s.x.data(), s.y.data(), tol, r.map.data());
    return r;
}

// The merge exactly as the model defines it, in its direct quadratic form.
struct RefMerge {
    std::vector<int> gx, gy;
    std::vector<float> w;
    std::vector<int> map;
};

RefMerge ReferenceMerge(const SDagTriangulation& setUp) {
    const int n = setUp.pointCount;
    RefMerge m;
    m.gx.assign(setUp.gridX.begin(), setUp.gridX.end());
    m.gy.assign(setUp.gridY.begin(), setUp.gridY.end());
    m.w = setUp.weight;
    m.map.resize(n);
    for (int i = 0; i < n; ++i) m.map[i] = i;
    const int a = static_cast<int>(std::max(setUp.tolerance, 0.05f) / 100.0f * 4096.0f);
    for (int i = 0; i < n; ++i) {
        if (m.w[i] == 0.0f) continue;
        int from = i + 1;
        for (;;) {
            const int gxi = m.gx[i], gyi = m.gy[i];
            bool absorbed = false;
            for (int j = from; j < n; ++j) {
                if (j == i || m.w[j] == 0.0f) continue;
                const int dx = m.gx[j] - gxi, dy = m.gy[j] - gyi;
                if (std::abs(dx) <= a && std::abs(dy) <= a && dx * dx + dy * dy < a * a) {
                    const float wi = m.w[i], wj = m.w[j];
                    auto mean = [&](float ci, float cj) { return ci + (cj - ci) * wj / (wj + wi); };
                    m.gx[i] = static_cast<int>(mean(float(m.gx[i]), float(m.gx[j])));
                    m.gy[i] = static_cast<int>(mean(float(m.gy[i]), float(m.gy[j])));
                    m.w[i] = wi + wj;
                    m.w[j] = 0.0f;
                    m.map[j] = i;
                    absorbed = true;
                }
            }
            if (!absorbed) break;
            from = 0;
        }
    }
    return m;
}

std::int64_t Orient(const SDagTriangulation& t, int a, int b, int c) {
    return TriOrient(t.gridX[a], t.gridY[a], t.gridX[b], t.gridY[b], t.gridX[c], t.gridY[c]);
}

// Convex hull (strict corners, counter-clockwise) of the survivors.
std::vector<int> Hull(const SDagTriangulation& t, const std::vector<int>& pts) {
    std::vector<int> p = pts;
    std::sort(p.begin(), p.end(), [&](int a, int b) {
        return t.gridX[a] != t.gridX[b] ? t.gridX[a] < t.gridX[b] : t.gridY[a] < t.gridY[b];
    });
    if (p.size() < 3) return p;
    std::vector<int> h(2 * p.size());
    size_t k = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && Orient(t, h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    for (size_t i = p.size() - 1, lo = k + 1; i-- > 0;) {
        while (k >= lo && Orient(t, h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    h.resize(k - 1);
    return h;
}

bool OnHullBoundary(const SDagTriangulation& t, const std::vector<int>& hull, int p) {
    for (size_t i = 0; i < hull.size(); ++i) {
        const int a = hull[i], b = hull[(i + 1) % hull.size()];
        if (Orient(t, a, b, p) != 0) continue;
        const int lx = std::min(t.gridX[a], t.gridX[b]), hx = std::max(t.gridX[a], t.gridX[b]);
        const int ly = std::min(t.gridY[a], t.gridY[b]), hy = std::max(t.gridY[a], t.gridY[b]);
        if (t.gridX[p] >= lx && t.gridX[p] <= hx && t.gridY[p] >= ly && t.gridY[p] <= hy) return true;
    }
    return false;
}

// Area of the Voronoi cell of p among the survivors, by clipping a large
// square with every bisector (grid units squared).
double BruteVoronoiArea(const SDagTriangulation& t, const std::vector<int>& pts, int p) {
    const double px = t.gridX[p], py = t.gridY[p];
    const double big = 1e7;
    std::vector<std::pair<double, double>> poly = {
        {px - big, py - big}, {px + big, py - big}, {px + big, py + big}, {px - big, py + big}};
    for (int s : pts) {
        if (s == p) continue;
        const double sx = t.gridX[s], sy = t.gridY[s];
        const double nx = sx - px, ny = sy - py;
        const double c = (sx * sx + sy * sy - px * px - py * py) / 2.0;  // keep n.q <= c
        std::vector<std::pair<double, double>> out;
        for (size_t i = 0; i < poly.size(); ++i) {
            auto [ax, ay] = poly[i];
            auto [bx, by] = poly[(i + 1) % poly.size()];
            const double fa = nx * ax + ny * ay - c, fb = nx * bx + ny * by - c;
            if (fa <= 0) out.push_back({ax, ay});
            if ((fa < 0 && fb > 0) || (fa > 0 && fb < 0)) {
                const double u = fa / (fa - fb);
                out.push_back({ax + u * (bx - ax), ay + u * (by - ay)});
            }
        }
        poly.swap(out);
        if (poly.empty()) return 0.0;
    }
    double s = 0.0;
    for (size_t i = 0; i < poly.size(); ++i) {
        auto [ax, ay] = poly[i];
        auto [bx, by] = poly[(i + 1) % poly.size()];
        s += (ax - px) * (by - py) - (bx - px) * (ay - py);
    }
    return s / 2.0;
}

// Every structural property of a delivered triangulation; "" when all hold.
std::string CheckTriangulation(const PointSet& s, const Result& r, bool fullChecks) {
    std::ostringstream err;
    const SDagTriangulation& t = r.t;
    const int n = s.Size();
    if (r.rc != TRI_OK) err << "status " << r.rc << "; ";
    if (n <= 2) return err.str();

    // The merge matches the direct form exactly.
    SDagTriangulation setUp;
    DagCoordinateSetUp(n, s.x.data(), s.y.data(), true, setUp, 0.05f);
    RefMerge ref = ReferenceMerge(setUp);
    for (int i = 0; i < n; ++i) {
        if (ref.gx[i] != t.gridX[i] || ref.gy[i] != t.gridY[i] || ref.w[i] != t.weight[i] ||
            ref.map[i] != r.map[i]) {
            err << "merge differs at point " << i << "; ";
            break;
        }
    }
    std::vector<int> survivors;
    for (int i = 0; i < n; ++i)
        if (t.weight[i] != 0.0f) survivors.push_back(i);
    // Survivors never share a spot.
    for (size_t a = 0; a < survivors.size(); ++a)
        for (size_t b = a + 1; b < survivors.size(); ++b)
            if (t.gridX[survivors[a]] == t.gridX[survivors[b]] &&
                t.gridY[survivors[a]] == t.gridY[survivors[b]])
                err << "survivors " << survivors[a] << " and " << survivors[b] << " coincide; ";

    const std::vector<int> hull = Hull(t, survivors);
    if (hull.size() < 3) {
        if (!t.triangles.empty()) err << "triangles for a flat set; ";
        if (!t.areas.empty()) err << "areas for a flat set; ";
        return err.str();
    }
    std::int64_t hullArea2 = 0;
    for (size_t i = 1; i + 1 < hull.size(); ++i) hullArea2 += Orient(t, hull[0], hull[i], hull[i + 1]);

    std::int64_t triArea2 = 0;
    std::vector<int> used(n, 0);
    const int nt = static_cast<int>(t.triangles.size());
    for (int k = 0; k < nt; ++k) {
        const STriangleOut& tr = t.triangles[k];
        for (int v : tr.v) {
            if (v < 0 || v >= n || t.weight[v] == 0.0f) err << "triangle " << k << " has vertex " << v << "; ";
            else used[v] = 1;
        }
        const std::int64_t o = Orient(t, tr.v[0], tr.v[1], tr.v[2]);
        if (o <= 0) err << "triangle " << k << " not counter-clockwise; ";
        triArea2 += o;
        for (int e = 0; e < 3; ++e) {
            const int nb = tr.nb[e];
            if (nb < -1 || nb >= nt) {
                err << "bad neighbour; ";
                continue;
            }
            if (nb < 0) continue;
            // Local Delaunay: the far vertex of the neighbour is not strictly
            // inside this triangle's circle.
            const STriangleOut& o2 = t.triangles[nb];
            const int a = tr.v[(e + 1) % 3], b = tr.v[(e + 2) % 3];
            int far = -1;
            for (int q : o2.v)
                if (q != a && q != b) far = q;
            if (far < 0) {
                err << "neighbour shares no edge; ";
                continue;
            }
            if (TriInCircle(t.gridX[tr.v[0]], t.gridY[tr.v[0]], t.gridX[tr.v[1]], t.gridY[tr.v[1]],
                            t.gridX[tr.v[2]], t.gridY[tr.v[2]], t.gridX[far], t.gridY[far]) > 0)
                err << "edge of triangle " << k << " not locally Delaunay; ";
        }
        if (fullChecks)
            for (int q : survivors)
                if (TriInCircle(t.gridX[tr.v[0]], t.gridY[tr.v[0]], t.gridX[tr.v[1]], t.gridY[tr.v[1]],
                                t.gridX[tr.v[2]], t.gridY[tr.v[2]], t.gridX[q], t.gridY[q]) > 0)
                    err << "point " << q << " inside the circle of triangle " << k << "; ";
    }
    if (triArea2 != hullArea2) err << "triangles cover " << triArea2 << " of hull " << hullArea2 << "; ";
    for (int q : survivors)
        if (!used[q]) err << "survivor " << q << " in no triangle; ";

    // Thiessen areas.
    if (static_cast<int>(t.areas.size()) != n) {
        err << "no area per point; ";
        return err.str();
    }
    const double scale = t.scale;
    const double cap = (4096.0 * scale) * (4096.0 * scale);
    for (int i = 0; i < n; ++i) {
        const double a = t.areas[i];
        if (t.weight[i] == 0.0f) {
            if (a != -1.0) err << "merged point " << i << " has area " << a << "; ";
        } else if (OnHullBoundary(t, hull, i)) {
            if (a != 0.0) err << "hull point " << i << " has area " << a << "; ";
        } else {
            if (!(a > 0.0 && a <= cap)) err << "interior point " << i << " has area " << a << "; ";
            if (fullChecks) {
                const double brute = BruteVoronoiArea(t, survivors, i) * scale * scale;
                const double want = std::min(brute, cap);
                if (std::abs(a - want) > 1e-7 * want) err << "point " << i << " area " << a << " vs " << want << "; ";
            }
        }
    }
    return err.str();
}

PointSet RandomSet(const std::string& name, int n, std::uint32_t seed, double size) {
    PointSet s{name, {}, {}};
    platform::CModelRandom rnd(seed);
    for (int i = 0; i < n; ++i) {
        // Two draws per coordinate give 30 bits of resolution.
        const double u = (rnd.Next() * 32768.0 + rnd.Next()) / (32768.0 * 32768.0);
        const double v = (rnd.Next() * 32768.0 + rnd.Next()) / (32768.0 * 32768.0);
        s.Add(u * size, v * size);
    }
    return s;
}

std::vector<PointSet> DegenerateSets() {
    std::vector<PointSet> sets;
    {
        PointSet s{"lattice 9x9 on the grid", {}, {}};
        for (int i = 0; i <= 8; ++i)
            for (int j = 0; j <= 8; ++j) s.Add(-2048.0 + 512 * i, -2048.0 + 512 * j);
        sets.push_back(s);
    }
    {
        PointSet s{"lattice 31x31, shuffled order", {}, {}};
        for (int k = 0; k < 31 * 31; ++k) {
            int m = (k * 577) % (31 * 31);
            s.Add(-2048.0 + 4096.0 / 30 * (m % 31), -2048.0 + 4096.0 / 30 * (m / 31));
        }
        sets.push_back(s);
    }
    {
        // All integer points of the circle of radius 1105 (exactly co-circular
        // on the grid: the corners pin the scale to 1 m per grid unit), and
        // its centre.
        PointSet s{"co-circular points with centre", {}, {}};
        s.Add(-2048, -2048);
        s.Add(2048, 2048);
        s.Add(-2048, 2048);
        s.Add(2048, -2048);
        const long r2 = 1105L * 1105L;
        for (long x = -1105; x <= 1105; ++x) {
            long y = std::lround(std::sqrt(double(r2 - x * x)));
            if (x * x + y * y == r2) {
                s.Add(double(x), double(y));
                if (y != 0) s.Add(double(x), double(-y));
            }
        }
        s.Add(0, 0);
        sets.push_back(s);
    }
    {
        PointSet s{"all identical", {}, {}};
        for (int i = 0; i < 50; ++i) s.Add(5.0, 5.0);
        sets.push_back(s);
    }
    {
        PointSet s{"two distant clusters", {}, {}};
        PointSet a = RandomSet("", 150, 11, 1.0);
        for (int i = 0; i < a.Size(); ++i) {
            s.Add(a.x[i], a.y[i]);
            s.Add(1e4 + a.x[i] * 3, 1e4 + a.y[i]);
        }
        sets.push_back(s);
    }
    {
        PointSet s{"collinear with one point off the line", {}, {}};
        for (int i = 0; i < 20; ++i) s.Add(i * 10.0, i * 20.0);
        s.Add(0.0, 200.0);
        sets.push_back(s);
    }
    {
        PointSet s{"every point three times", {}, {}};
        PointSet a = RandomSet("", 40, 5, 100.0);
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < a.Size(); ++i) s.Add(a.x[i], a.y[i]);
        sets.push_back(s);
    }
    {
        // Point 0 is absorbed by point 1 after point 1 has absorbed point 2.
        PointSet s{"point 0 absorbed by a later point", {}, {}};
        s.Add(0, 0);
        s.Add(2, 1);
        s.Add(1, 2);
        s.Add(-2048, -2048);
        s.Add(2048, 2048);
        s.Add(-2048, 2048);
        s.Add(2048, -2048);
        s.Add(700, -300);
        sets.push_back(s);
    }
    {
        PointSet s{"dense disc with a far outlier", {}, {}};
        PointSet a = RandomSet("", 400, 21, 20.0);
        for (int i = 0; i < a.Size(); ++i) s.Add(a.x[i], a.y[i]);
        s.Add(5000.0, -3000.0);
        sets.push_back(s);
    }
    return sets;
}

}  // namespace

TEST(Triangulation, SmallFixtures) {
    // Corners that pin the grid to 1 m per unit with the centre at 0.
    auto corners = [](PointSet& s) {
        s.Add(-2048, -2048);
        s.Add(2048, -2048);
        s.Add(2048, 2048);
        s.Add(-2048, 2048);
    };
    {
        PointSet sq{"square", {0, 1, 1, 0}, {0, 0, 1, 1}};
        Result a = Triangulate(sq), b = Triangulate(sq);
        EXPECT_EQ(a.t.triangles.size(), 2u);
        EXPECT_EQ(a.t.triangles, b.t.triangles);
        EXPECT_EQ(a.t.areas, b.t.areas);
        EXPECT_EQ(CheckTriangulation(sq, a, true), "");
        for (double ar : a.t.areas) EXPECT_EQ(ar, 0.0);  // every point on the hull
    }
    {
        PointSet line{"collinear", {0, 1, 2}, {0, 1, 2}};
        Result r = Triangulate(line);
        EXPECT_EQ(r.rc, TRI_OK);
        EXPECT_TRUE(r.t.triangles.empty());
        EXPECT_TRUE(r.t.areas.empty());
    }
    {
        PointSet two{"two", {0, 1}, {0, 1}};
        Result r = Triangulate(two);
        EXPECT_EQ(r.rc, TRI_OK);
        EXPECT_TRUE(r.t.triangles.empty());
    }
    // Merge distances on the grid: (1, 1) merges, (2, 0) and (2, 2) do not.
    struct MergeCase {
        double dx, dy;
        bool merges;
    };
    for (MergeCase c : {MergeCase{1, 1, true}, MergeCase{1, 0, true}, MergeCase{2, 0, false},
                        MergeCase{2, 2, false}, MergeCase{0, 0, true}}) {
        PointSet s{"merge", {}, {}};
        corners(s);
        s.Add(100, 100);
        s.Add(100 + c.dx, 100 + c.dy);
        Result r = Triangulate(s);
        ASSERT_EQ(r.t.gridX[4], 100);
        EXPECT_EQ(r.t.weight[5] == 0.0f, c.merges) << c.dx << "," << c.dy;
        EXPECT_EQ(r.map[5], c.merges ? 4 : 5);
        EXPECT_EQ(CheckTriangulation(s, r, true), "");
        if (c.merges) {
            EXPECT_EQ(r.t.areas[5], -1.0);
            for (const auto& tr : r.t.triangles)
                for (int v : tr.v) EXPECT_NE(v, 5);
        }
    }
    {
        // A regular hexagon around its centre: the centre's cell is the
        // hexagon of inradius R/2, area (sqrt(3)/2) R^2; the ring is the hull.
        PointSet hex{"hexagon", {0}, {0}};
        const double R = 2048.0;
        for (int k = 0; k < 6; ++k) hex.Add(R * std::cos(k * M_PI / 3), R * std::sin(k * M_PI / 3));
        Result r = Triangulate(hex);
        EXPECT_EQ(CheckTriangulation(hex, r, true), "");
        ASSERT_EQ(r.t.triangles.size(), 6u);
        const double want = std::sqrt(3.0) / 2 * R * R;
        EXPECT_NEAR(r.t.areas[0], want, 2e-3 * want);
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(r.t.areas[k], 0.0);
    }
}

TEST(Triangulation, RandomSetsAgainstBruteForce) {
    for (int n : {3, 4, 5, 8, 13, 30, 60}) {
        for (std::uint32_t seed : {1u, 2u, 3u, 77u}) {
            PointSet s = RandomSet("random", n, seed * 1000 + n, 500.0);
            SCOPED_TRACE("n=" + std::to_string(n) + " seed=" + std::to_string(seed));
            Result r = Triangulate(s);
            EXPECT_EQ(CheckTriangulation(s, r, true), "");
        }
    }
}

TEST(Triangulation, LargeSetsLocallyDelaunay) {
    for (std::uint32_t seed : {4u, 9u}) {
        PointSet s = RandomSet("random 1000", 1000, seed, 3000.0);
        Result r = Triangulate(s);
        EXPECT_EQ(CheckTriangulation(s, r, false), "");
        // A planar triangulation of m points with h on the hull has 2m - h - 2 triangles.
        int m = 0;
        for (float w : r.t.weight) m += w != 0.0f;
        EXPECT_GT(r.t.triangles.size(), size_t(2 * m - 200));
        EXPECT_LE(r.t.triangles.size(), size_t(2 * m - 5));
    }
}

TEST(Triangulation, DegenerateSetsAreValidAndRepeatable) {
    for (const PointSet& s : DegenerateSets()) {
        SCOPED_TRACE(s.name);
        Result a = Triangulate(s);
        EXPECT_EQ(CheckTriangulation(s, a, s.Size() <= 400), "");
        Result b = Triangulate(s);
        EXPECT_EQ(a.t.triangles, b.t.triangles);
        EXPECT_EQ(a.t.areas, b.t.areas);
        EXPECT_EQ(a.map, b.map);
    }
}

TEST(Triangulation, SpecialSetsGiveTheExpectedShape) {
    std::vector<PointSet> sets = DegenerateSets();
    auto find = [&](const std::string& name) -> const PointSet& {
        for (const auto& s : sets)
            if (s.name == name) return s;
        throw std::runtime_error(name);
    };
    {
        Result r = Triangulate(find("all identical"));
        EXPECT_TRUE(r.t.triangles.empty());
        for (int j = 1; j < 50; ++j) EXPECT_EQ(r.map[j], 0);
        EXPECT_EQ(r.t.weight[0], 50.0f);
    }
    {
        // Point 1 absorbs point 2 (moving to (1, 1)), then on its re-scan
        // point 0 (moving to (0, 0)); point 0 is then in no triangle.
        Result r = Triangulate(find("point 0 absorbed by a later point"));
        EXPECT_EQ(r.map[0], 1);
        EXPECT_EQ(r.map[2], 1);
        EXPECT_EQ(r.t.weight[1], 3.0f);
        EXPECT_EQ(r.t.gridX[1], 0);
        EXPECT_EQ(r.t.gridY[1], 0);
        EXPECT_EQ(r.t.areas[0], -1.0);
        EXPECT_GT(r.t.areas[1], 0.0);
        for (const auto& tr : r.t.triangles)
            for (int v : tr.v) EXPECT_TRUE(v != 0 && v != 2);
    }
    {
        // The centre of the co-circular ring: its cell is bounded by the
        // ring's bisectors, whatever triangles the ties chose.
        const PointSet& s = find("co-circular points with centre");
        Result r = Triangulate(s);
        const int centre = s.Size() - 1;
        EXPECT_GT(r.t.areas[centre], 0.0);
    }
}

TEST(Triangulation, ComputeThiessenAreasWrapper) {
    platform::RecordingMessages rec;
    platform::OnceMessages msgs(&rec);
    // Nothing to triangulate: no triangles and every area -1.
    {
        std::vector<double> x{0, 1, 2, 3}, y{0, 2, 4, 6};
        std::vector<double> areas(4, 123.0);
        std::vector<STriangleOut> tri(8);
        int count = 99;
        ComputeThiessenAreas(x.data(), y.data(), 4, areas.data(), tri.data(), &count, &msgs);
        EXPECT_EQ(count, 0);
        for (double a : areas) EXPECT_EQ(a, -1.0);
    }
    {
        std::vector<double> x{0}, y{0};
        std::vector<double> areas(1, 5.0);
        int count = 99;
        ComputeThiessenAreas(x.data(), y.data(), 1, areas.data(), nullptr, &count, &msgs);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(areas[0], -1.0);
    }
    // Non-finite coordinates take part in nothing and get -1.
    {
        PointSet s = RandomSet("r", 40, 3, 100.0);
        s.x[7] = std::nan("");
        s.y[12] = INFINITY;
        std::vector<double> areas(40);
        std::vector<STriangleOut> tri(80);
        int count = 0;
        ComputeThiessenAreas(s.x.data(), s.y.data(), 40, areas.data(), tri.data(), &count, &msgs);
        EXPECT_GT(count, 40);
        EXPECT_EQ(areas[7], -1.0);
        EXPECT_EQ(areas[12], -1.0);
        for (int k = 0; k < count; ++k)
            for (int v : tri[k].v) EXPECT_TRUE(v != 7 && v != 12);
        // Same triangles as the record of the driver.
        Result r = Triangulate(s);
        ASSERT_EQ(int(r.t.triangles.size()), count);
        for (int k = 0; k < count; ++k) EXPECT_EQ(r.t.triangles[k], tri[k]);
        EXPECT_EQ(CheckTriangulation(s, r, true), "");
    }
    EXPECT_TRUE(rec.Entries().empty());
}

TEST(Triangulation, SmallToleranceStillMerges) {
    // A tolerance below the minimum is raised before merging, so identical
    // points always merge.
    PointSet s = RandomSet("r", 20, 8, 100.0);
    s.Add(s.x[3], s.y[3]);
    Result r = Triangulate(s, 0.001f);
    EXPECT_EQ(r.t.weight[20], 0.0f);
    EXPECT_EQ(r.map[20], 3);
    EXPECT_EQ(CheckTriangulation(s, r, true), "");
}
