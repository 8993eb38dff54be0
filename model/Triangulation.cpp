#include "model/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

namespace model {

namespace {

constexpr const char* kStepSetUp = "DagCoordinateSetUp()";
constexpr const char* kStepCombine = "CombineClosePoints()";
constexpr const char* kStepInit = "InitDagTri()";
constexpr const char* kStepAdd = "AddDagTri()";
constexpr const char* kStepExtract = "GetStdTriWithConvex()";
constexpr const char* kStepThiessen = "CalDagThiessenArea()";
constexpr const char* kOutOfMemory = "Out of memory.";

inline std::int64_t Orient2(int ax, int ay, int bx, int by, int cx, int cy) {
    return std::int64_t(bx - ax) * (cy - ay) - std::int64_t(by - ay) * (cx - ax);
}

inline std::int64_t InCircle2(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy) {
    const std::int64_t adx = ax - dx, ady = ay - dy;
    const std::int64_t bdx = bx - dx, bdy = by - dy;
    const std::int64_t cdx = cx - dx, cdy = cy - dy;
    const std::int64_t al = adx * adx + ady * ady;
    const std::int64_t bl = bdx * bdx + bdy * bdy;
    const std::int64_t cl = cdx * cdx + cdy * cdy;
    return adx * (bdy * cl - cdy * bl) - ady * (bdx * cl - cdx * bl) + al * (bdx * cdy - cdx * bdy);
}

constexpr int kNext[3] = {1, 2, 0};
constexpr int kPrev[3] = {2, 0, 1};
constexpr int kGhost = -1;
constexpr int kDead = -2;

// ---------------------------------------------------------------------------
// Spatial hash of the live points on the grid, for the merge scans. Cells are
// squares of a power-of-two side at least 2a + 1, so a query box of
// half-width a touches at most 2 x 2 cells.
class CMergeGrid {
public:
    void Build(const SDagTriangulation& t, int n, int radius) {
        shift_ = 0;
        while ((1 << shift_) < 2 * radius + 1) ++shift_;
        int cap = 16;
        while (cap < 2 * n) cap <<= 1;
        keys_.assign(cap, 0u);
        heads_.assign(cap, -1);
        mask_ = cap - 1;
        next_.assign(n, -1);
        prev_.assign(n, -1);
        slot_.assign(n, -1);
        for (int i = n - 1; i >= 0; --i)
            if (t.weight[i] != 0.0f) Insert(i, t.gridX[i], t.gridY[i]);
    }

    void Remove(int p) {
        int s = slot_[p];
        if (s < 0) return;
        if (prev_[p] >= 0)
            next_[prev_[p]] = next_[p];
        else
            heads_[s] = next_[p];
        if (next_[p] >= 0) prev_[next_[p]] = prev_[p];
        next_[p] = prev_[p] = -1;
        slot_[p] = -1;
    }

    void Move(int p, int gx, int gy) {
        if (slot_[p] >= 0 && keys_[slot_[p]] == Key(Cell(gx), Cell(gy))) return;
        Remove(p);
        Insert(p, gx, gy);
    }

    // Calls f(j) for every live point of the cells covering the box
    // [gx - r, gx + r] x [gy - r, gy + r].
    template <typename F>
    void ForEachNear(int gx, int gy, int r, F&& f) const {
        const int cx0 = Cell(gx - r), cx1 = Cell(gx + r);
        const int cy0 = Cell(gy - r), cy1 = Cell(gy + r);
        for (int cx = cx0; cx <= cx1; ++cx)
            for (int cy = cy0; cy <= cy1; ++cy) {
                int s = Find(Key(cx, cy));
                if (s < 0) continue;
                for (int j = heads_[s]; j >= 0; j = next_[j]) f(j);
            }
    }

private:
    int Cell(int g) const {
        int v = std::clamp(g + kTriGridHalf, 0, 2 * kTriGridHalf);
        return v >> shift_;
    }
    static std::uint32_t Key(int cx, int cy) {
        return static_cast<std::uint32_t>(cx) * 8192u + static_cast<std::uint32_t>(cy) + 1u;
    }
    static std::uint32_t Hash(std::uint32_t k) {
        k ^= k >> 16;
        k *= 0x7feb352dU;
        k ^= k >> 15;
        k *= 0x846ca68bU;
        k ^= k >> 16;
        return k;
    }
    int Find(std::uint32_t key) const {
        for (std::uint32_t s = Hash(key) & mask_;; s = (s + 1) & mask_) {
            if (keys_[s] == key) return static_cast<int>(s);
            if (keys_[s] == 0u) return -1;
        }
    }
    void Insert(int p, int gx, int gy) {
        std::uint32_t key = Key(Cell(gx), Cell(gy));
        std::uint32_t s = Hash(key) & mask_;
        while (keys_[s] != 0u && keys_[s] != key) s = (s + 1) & mask_;
        keys_[s] = key;
        next_[p] = heads_[s];
        prev_[p] = -1;
        if (heads_[s] >= 0) prev_[heads_[s]] = p;
        heads_[s] = p;
        slot_[p] = static_cast<int>(s);
    }

    int shift_ = 0;
    std::uint32_t mask_ = 0;
    std::vector<std::uint32_t> keys_;
    std::vector<int> heads_;
    std::vector<int> next_, prev_, slot_;
};

// Absorbs point j into point i: every coordinate of i moves to the weighted
// mean, in single precision; grid values are truncated.
void Absorb(SDagTriangulation& t, int i, int j) {
    const float wi = t.weight[i];
    const float wj = t.weight[j];
    auto mean = [wi, wj](float ci, float cj) { return ci + (cj - ci) * wj / (wj + wi); };
    t.gridX[i] = static_cast<std::int16_t>(static_cast<int>(
        mean(static_cast<float>(t.gridX[i]), static_cast<float>(t.gridX[j]))));
    t.gridY[i] = static_cast<std::int16_t>(static_cast<int>(
        mean(static_cast<float>(t.gridY[i]), static_cast<float>(t.gridY[j]))));
    t.x[i] = mean(static_cast<float>(t.x[i]), static_cast<float>(t.x[j]));
    t.y[i] = mean(static_cast<float>(t.y[i]), static_cast<float>(t.y[j]));
    t.weight[i] = wi + wj;
    t.weight[j] = 0.0f;
}

int MergeRadius(float tolerance) {
    float tol = std::max(tolerance, kTriMinTolerance);
    float r = tol / 100.0f * 4096.0f;
    return r >= 4096.0f ? 4096 : static_cast<int>(r);
}

// Key of a grid point along a Hilbert curve over 8192 x 8192 cells, two
// bits at a time from a state table: consecutive keys are neighbouring
// cells, which keeps the walks of the point location short.
std::uint64_t CurveKey(int gx, int gy) {
    // For each state (orientation) and quadrant (2 * xbit + ybit): the
    // curve position of the quadrant and the next state.
    static constexpr std::uint8_t kPos[4][4] = {{0, 1, 3, 2}, {0, 3, 1, 2}, {2, 3, 1, 0}, {2, 1, 3, 0}};
    static constexpr std::uint8_t kNextState[4][4] = {{1, 0, 3, 0}, {0, 2, 1, 1}, {2, 1, 2, 3}, {3, 3, 0, 2}};
    const std::uint32_t x = static_cast<std::uint32_t>(gx + kTriGridHalf);
    const std::uint32_t y = static_cast<std::uint32_t>(gy + kTriGridHalf);
    std::uint64_t curveIndex = 0;
    unsigned state = 0;
    for (int bit = 12; bit >= 0; --bit) {
        const unsigned q = (((x >> bit) & 1u) << 1) | ((y >> bit) & 1u);
        curveIndex = (curveIndex << 2) | kPos[state][q];
        state = kNextState[state][q];
    }
    return curveIndex;
}

// A fixed hash of the point index; decides the insertion round.
std::uint64_t IndexHash(std::uint64_t z) {
    z += 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

// ---------------------------------------------------------------------------
// Incremental Delaunay triangulation (Bowyer-Watson) with a ghost vertex
// closing the hull. A real triangle lists its vertices counter-clockwise; a
// ghost triangle is (u, w, ghost) where the hull edge runs w -> u in the real
// triangle beside it, so its outside lies to the left of u -> w. n[k] is the
// triangle across the edge opposite v[k].
class CDelaunay {
public:
    struct Tri {
        int v[3];
        int n[3];
    };

    void Reset(const std::int16_t* gx, const std::int16_t* gy, int n) {
        gx_ = gx;
        gy_ = gy;
        vertTri_.assign(static_cast<size_t>(n), -1);
        startMap_.assign(static_cast<size_t>(n) + 1, -1);
        tris_.clear();
        tris_.reserve(static_cast<size_t>(2 * n + 8));
        mark_.assign(tris_.capacity(), 0);
        stamp_ = 0;
        last_ = 0;
    }

    // The first triangle from three non-collinear points.
    void Init(int a, int b, int c) {
        if (Orient(a, b, c) < 0) std::swap(b, c);
        tris_.clear();
        tris_.push_back({{a, b, c}, {2, 3, 1}});
        tris_.push_back({{b, a, kGhost}, {3, 2, 0}});  // across a -> b
        tris_.push_back({{c, b, kGhost}, {1, 3, 0}});  // across b -> c
        tris_.push_back({{a, c, kGhost}, {2, 1, 0}});  // across c -> a
        vertTri_[a] = vertTri_[b] = vertTri_[c] = 0;
        last_ = 0;
    }

    // Inserts point p; false when p coincides with a vertex already there.
    bool Insert(int p) {
        int start = Locate(p);
        if (start < 0) return false;
        ++stamp_;
        if (mark_.size() < tris_.size()) mark_.resize(tris_.size() + 64, 0);
        cavity_.clear();
        boundary_.clear();
        cavity_.push_back(start);
        mark_[start] = stamp_;
        for (size_t c = 0; c < cavity_.size(); ++c) {
            const int t = cavity_[c];
            for (int k = 0; k < 3; ++k) {
                const int nb = tris_[t].n[k];
                if (mark_[nb] == stamp_) continue;
                if (mark_[nb] != -stamp_ && Conflict(nb, p)) {
                    mark_[nb] = stamp_;
                    cavity_.push_back(nb);
                } else {
                    mark_[nb] = -stamp_;
                    boundary_.push_back({tris_[t].v[kNext[k]], tris_[t].v[kPrev[k]], nb});
                }
            }
        }

        // The cavity's k slots are reused for the k + 2 new triangles.
        const size_t need = boundary_.size();
        while (cavity_.size() < need) {
            cavity_.push_back(static_cast<int>(tris_.size()));
            tris_.push_back({{kDead, kDead, kDead}, {-1, -1, -1}});
        }
        if (mark_.size() < tris_.size()) mark_.resize(tris_.size() + 64, 0);
        for (size_t i = 0; i < need; ++i) {
            const Edge& e = boundary_[i];
            const int id = cavity_[i];
            Tri& nt = tris_[id];
            nt = {{e.a, e.b, p}, {-1, -1, e.outer}};
            Tri& outer = tris_[e.outer];
            for (int j = 0; j < 3; ++j)
                if (SameEdge(outer, j, e.b, e.a)) {
                    outer.n[j] = id;
                    break;
                }
            startMap_[e.a + 1] = id;
        }
        for (size_t i = 0; i < need; ++i) {
            const int id = cavity_[i];
            const int m = startMap_[tris_[id].v[1] + 1];
            tris_[id].n[0] = m;
            tris_[m].n[1] = id;
        }
        for (size_t i = 0; i < need; ++i) {
            const int id = cavity_[i];
            Tri& nt = tris_[id];
            if (nt.v[0] == kGhost) Rotate(nt, 1);
            else if (nt.v[1] == kGhost) Rotate(nt, 2);
            for (int k = 0; k < 3; ++k)
                if (nt.v[k] >= 0) vertTri_[nt.v[k]] = id;
            if (nt.v[2] != kGhost) last_ = id;
        }
        for (size_t i = need; i < cavity_.size(); ++i) tris_[cavity_[i]].v[0] = kDead;
        return true;
    }

    const std::vector<Tri>& Tris() const { return tris_; }
    int VertTri(int v) const { return vertTri_[v]; }
    std::int64_t Orient(int a, int b, int c) const {
        return Orient2(gx_[a], gy_[a], gx_[b], gy_[b], gx_[c], gy_[c]);
    }

private:
    struct Edge {
        int a, b;   // counter-clockwise as seen from the cavity
        int outer;  // triangle beyond the edge
    };

    static bool SameEdge(const Tri& t, int k, int a, int b) {
        return t.v[kNext[k]] == a && t.v[kPrev[k]] == b;
    }

    static void Rotate(Tri& t, int by) {
        Tri r;
        for (int k = 0; k < 3; ++k) {
            r.v[k] = t.v[(k + by) % 3];
            r.n[k] = t.n[(k + by) % 3];
        }
        t = r;
    }

    bool Conflict(int t, int p) const {
        const Tri& tr = tris_.data()[t];
        if (tr.v[2] == kGhost) {
            const int u = tr.v[0], w = tr.v[1];
            const std::int64_t side = Orient(u, w, p);
            if (side != 0) return side > 0;
            // On the hull line: in conflict only strictly inside the edge.
            const std::int64_t d1 = std::int64_t(gx_[p] - gx_[u]) * (gx_[w] - gx_[u]) +
                                    std::int64_t(gy_[p] - gy_[u]) * (gy_[w] - gy_[u]);
            const std::int64_t d2 = std::int64_t(gx_[p] - gx_[w]) * (gx_[u] - gx_[w]) +
                                    std::int64_t(gy_[p] - gy_[w]) * (gy_[u] - gy_[w]);
            return d1 > 0 && d2 > 0;
        }
        const int a = tr.v[0], b = tr.v[1], c = tr.v[2];
        const std::int16_t* gx = gx_;
        const std::int16_t* gy = gy_;
        return InCircle2(gx[a], gy[a], gx[b], gy[b], gx[c], gy[c], gx[p], gy[p]) > 0;
    }

    bool SameSpot(int a, int b) const { return gx_[a] == gx_[b] && gy_[a] == gy_[b]; }

    // A triangle whose closure holds p (a ghost when p is outside the hull);
    // -1 when p coincides with a vertex.
    int Locate(int p) {
        int t = last_;
        if (tris_[t].v[0] == kDead) t = FirstLive();
        if (tris_[t].v[2] == kGhost) t = tris_[t].n[2];
        const Tri* tris = tris_.data();
        const std::int16_t* gx = gx_;
        const std::int16_t* gy = gy_;
        const int px = gx[p], py = gy[p];
        int from = -1;
        const size_t cap = 4 * tris_.size() + 16;
        // Visibility walk: leave the triangle across an edge that has p
        // strictly outside; never back across the edge just crossed (p lies
        // strictly inside it). It ends in Delaunay triangulations; the cap
        // is a safeguard.
        for (size_t step = 0; step < cap; ++step) {
            const Tri& tr = tris[t];
            if (tr.v[2] == kGhost) return t;
            int next = -1;
            for (int k = 0; k < 3; ++k) {
                if (tr.n[k] == from) continue;
                const int a = tr.v[kNext[k]], b = tr.v[kPrev[k]];
                if (Orient2(gx[a], gy[a], gx[b], gy[b], px, py) < 0) {
                    next = tr.n[k];
                    break;
                }
            }
            if (next < 0) {
                for (int k = 0; k < 3; ++k)
                    if (gx[tr.v[k]] == px && gy[tr.v[k]] == py) return -1;
                return t;
            }
            from = t;
            t = next;
        }
        return LocateByScan(p);
    }

    int LocateByScan(int p) const {
        int ghost = -1;
        for (size_t i = 0; i < tris_.size(); ++i) {
            const Tri& tr = tris_[i];
            if (tr.v[0] == kDead) continue;
            if (tr.v[2] == kGhost) {
                if (ghost < 0 && Orient(tr.v[0], tr.v[1], p) > 0) ghost = static_cast<int>(i);
                continue;
            }
            if (Orient(tr.v[0], tr.v[1], p) >= 0 && Orient(tr.v[1], tr.v[2], p) >= 0 &&
                Orient(tr.v[2], tr.v[0], p) >= 0) {
                for (int k = 0; k < 3; ++k)
                    if (SameSpot(tr.v[k], p)) return -1;
                return static_cast<int>(i);
            }
        }
        return ghost;
    }

    int FirstLive() const {
        for (size_t i = 0; i < tris_.size(); ++i)
            if (tris_[i].v[0] != kDead && tris_[i].v[2] != kGhost) return static_cast<int>(i);
        return 0;
    }

    const std::int16_t* gx_ = nullptr;
    const std::int16_t* gy_ = nullptr;
    std::vector<Tri> tris_;
    std::vector<int> vertTri_;
    std::vector<int> startMap_;  // by vertex + 1 (the ghost at 0)
    std::vector<int> mark_;
    std::vector<int> cavity_;
    std::vector<Edge> boundary_;
    int stamp_ = 0;
    int last_ = 0;
};

// The insertion order of the remaining survivors: rounds of geometrically
// growing size chosen by a fixed hash of the index, each round along a
// space-filling curve.
// The key packs the round (high bits), the curve position and the index,
// so that one integer comparison orders them.
void InsertionOrder(const SDagTriangulation& t, std::vector<std::uint64_t>& keys,
                    std::vector<int>& points) {
    keys.clear();
    for (int p : points) {
        std::uint64_t h = IndexHash(static_cast<std::uint64_t>(p));
        std::uint64_t fromLast = 0;
        while (fromLast < 15 && (h & 1u)) {
            ++fromLast;
            h >>= 1;
        }
        keys.push_back(((15 - fromLast) << 58) | (CurveKey(t.gridX[p], t.gridY[p]) << 32) |
                       static_cast<std::uint32_t>(p));
    }
    std::sort(keys.begin(), keys.end());
    points.clear();
    for (std::uint64_t k : keys) points.push_back(static_cast<int>(k & 0xFFFFFFFFu));
}

// Buffers kept between calls, so that repeated triangulations allocate
// nothing once warm.
struct SWorkspace {
    CMergeGrid grid;
    CDelaunay delaunay;
    std::vector<int> survivors, rest, outNumber, found;
    std::vector<char> inserted;
    std::vector<std::uint64_t> keys;
    std::vector<double> ccx, ccy;
};

SWorkspace& Workspace() {
    thread_local SWorkspace w;
    return w;
}

void ExtractTriangles(const CDelaunay& mesh, SDagTriangulation& t, std::vector<int>& outNumber) {
    const auto& tris = mesh.Tris();
    outNumber.assign(tris.size(), -1);
    int count = 0;
    for (size_t i = 0; i < tris.size(); ++i) {
        const auto& tr = tris[i];
        if (tr.v[0] == kDead || tr.v[2] == kGhost) continue;
        if (mesh.Orient(tr.v[0], tr.v[1], tr.v[2]) == 0) continue;  // flat: never delivered
        outNumber[i] = count++;
    }
    t.triangles.clear();
    t.triangles.reserve(static_cast<size_t>(count));
    for (size_t i = 0; i < tris.size(); ++i) {
        if (outNumber[i] < 0) continue;
        const auto& tr = tris[i];
        STriangleOut triangle;
        for (int k = 0; k < 3; ++k) {
            triangle.v[k] = tr.v[k];
            triangle.nb[k] = outNumber[static_cast<size_t>(tr.n[k])];
        }
        t.triangles.push_back(triangle);
    }
}

// Thiessen area of every inserted point: 0 on the hull, otherwise the area
// of the polygon of the circumcentres of its triangles, capped at the area of
// the quantisation square; -1 for a point in no triangle.
void ThiessenAreas(const CDelaunay& mesh, SDagTriangulation& t, const std::vector<char>& inserted,
                   const std::vector<int>& outNumber, std::vector<double>& ccx,
                   std::vector<double>& ccy) {
    const auto& tris = mesh.Tris();
    const int n = t.pointCount;
    ccx.assign(tris.size(), 0.0);
    ccy.assign(tris.size(), 0.0);
    for (size_t i = 0; i < tris.size(); ++i) {
        if (outNumber[i] < 0) continue;
        const auto& tr = tris[i];
        const std::int64_t ax = t.gridX[tr.v[0]], ay = t.gridY[tr.v[0]];
        const std::int64_t bx = t.gridX[tr.v[1]] - ax, by = t.gridY[tr.v[1]] - ay;
        const std::int64_t cx = t.gridX[tr.v[2]] - ax, cy = t.gridY[tr.v[2]] - ay;
        const std::int64_t b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
        const double den = 2.0 * static_cast<double>(bx * cy - by * cx);
        ccx[i] = static_cast<double>(ax) + static_cast<double>(cy * b2 - by * c2) / den;
        ccy[i] = static_cast<double>(ay) + static_cast<double>(bx * c2 - cx * b2) / den;
    }
    const double scale = static_cast<double>(t.scale);
    const double cap = (4096.0 * scale) * (4096.0 * scale);
    t.areas.assign(static_cast<size_t>(n), -1.0);
    const size_t guard = tris.size() + 4;
    for (int i = 0; i < n; ++i) {
        if (!inserted[i]) continue;
        const int first = mesh.VertTri(i);
        if (first < 0) continue;
        const double px = t.gridX[i], py = t.gridY[i];
        double sum = 0.0;
        bool hull = false, flat = false;
        double prevX = 0.0, prevY = 0.0, firstX = 0.0, firstY = 0.0;
        bool started = false;
        int tri = first;
        for (size_t s = 0; s < guard; ++s) {
            const auto& tr = tris[tri];
            if (tr.v[2] == kGhost) {
                hull = true;
                break;
            }
            if (outNumber[tri] < 0) flat = true;
            const double cx = ccx[tri] - px, cy = ccy[tri] - py;
            if (!started) {
                firstX = cx;
                firstY = cy;
                started = true;
            } else {
                sum += prevX * cy - cx * prevY;
            }
            prevX = cx;
            prevY = cy;
            int k = 0;
            while (tr.v[k] != i) ++k;
            tri = tr.n[kNext[k]];  // counter-clockwise around i
            if (tri == first) break;
        }
        double area;
        if (hull) {
            area = 0.0;
        } else if (flat) {
            area = cap;
        } else {
            sum += prevX * firstY - firstX * prevY;
            area = 0.5 * sum * scale * scale;
            if (!(area >= 0.0)) area = 0.0;
        }
        t.areas[static_cast<size_t>(i)] = std::min(area, cap);
    }
}

}  // namespace

std::int64_t TriOrient(int ax, int ay, int bx, int by, int cx, int cy) {
    return Orient2(ax, ay, bx, by, cx, cy);
}

std::int64_t TriInCircle(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy) {
    return InCircle2(ax, ay, bx, by, cx, cy, dx, dy);
}

int DagCoordinateSetUp(int n, const double* x, const double* y, bool keepSign,
                       SDagTriangulation& t, float tolerance) {
    try {
        t.pointCount = n;
        t.keepSign = keepSign;
        t.tolerance = std::max(tolerance, kTriMinTolerance);
        t.gridX.assign(static_cast<size_t>(n), 0);
        t.gridY.assign(static_cast<size_t>(n), 0);
        t.x.assign(static_cast<size_t>(n), 0.0);
        t.y.assign(static_cast<size_t>(n), 0.0);
        t.weight.assign(static_cast<size_t>(n), 1.0f);
        t.triangles.clear();
        t.areas.clear();
    } catch (const std::bad_alloc&) {
        return TRI_SETUP_FAILED;
    }
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool any = false;
    for (int i = 0; i < n; ++i) {
        const double xi = keepSign ? x[i] : -x[i];
        const double yi = y[i];
        if (!std::isfinite(xi) || !std::isfinite(yi)) {
            t.weight[i] = 0.0f;  // takes part in nothing
            continue;
        }
        if (!any) {
            minX = maxX = xi;
            minY = maxY = yi;
            any = true;
        } else {
            minX = std::min(minX, xi);
            maxX = std::max(maxX, xi);
            minY = std::min(minY, yi);
            maxY = std::max(maxY, yi);
        }
        t.x[i] = xi;
        t.y[i] = yi;
    }
    double cx = (maxX + minX) / 2;
    double cy = (maxY + minY) / 2;
    if (!std::isfinite(cx)) cx = maxX / 2 + minX / 2;
    if (!std::isfinite(cy)) cy = maxY / 2 + minY / 2;
    t.centreX = cx;
    t.centreY = cy;
    double m = 0.0;
    for (int i = 0; i < n; ++i) {
        if (t.weight[i] == 0.0f) continue;
        t.x[i] -= cx;
        t.y[i] -= cy;
    }
    if (any) m = std::max(maxX - cx, maxY - cy);
    if (!std::isfinite(m) || m < 0.0) m = 0.0;
    t.scale = static_cast<float>(m / kTriGridHalf);
    for (int i = 0; i < n; ++i) {
        if (t.weight[i] == 0.0f || m <= 0.0) continue;
        const double gx = std::trunc(kTriGridHalf * t.x[i] / m);
        const double gy = std::trunc(kTriGridHalf * t.y[i] / m);
        t.gridX[i] = static_cast<std::int16_t>(std::clamp(gx, -2048.0, 2048.0));
        t.gridY[i] = static_cast<std::int16_t>(std::clamp(gy, -2048.0, 2048.0));
    }
    return TRI_OK;
}

int CombineClosePoints(SDagTriangulation& t, int n, int* indexMap) {
    const int a = MergeRadius(t.tolerance);
    const int a2 = a * a;
    for (int i = 0; i < n; ++i) indexMap[i] = i;
    SWorkspace& w = Workspace();
    CMergeGrid& grid = w.grid;
    grid.Build(t, n, a);
    std::vector<int>& found = w.found;
    for (int i = 0; i < n; ++i) {
        if (t.weight[i] == 0.0f) continue;
        int from = i + 1;
        for (;;) {
            const int gxi = t.gridX[i], gyi = t.gridY[i];
            found.clear();
            grid.ForEachNear(gxi, gyi, a, [&](int j) {
                if (j == i || j < from) return;
                const int dx = t.gridX[j] - gxi, dy = t.gridY[j] - gyi;
                if (std::abs(dx) <= a && std::abs(dy) <= a && dx * dx + dy * dy < a2) found.push_back(j);
            });
            if (found.empty()) break;
            std::sort(found.begin(), found.end());
            for (int j : found) {
                Absorb(t, i, j);
                indexMap[j] = i;
                grid.Remove(j);
            }
            grid.Move(i, t.gridX[i], t.gridY[i]);
            from = 0;
        }
    }
    return TRI_OK;
}

int CalculateDagTri(SDagTriangulation& t, int n, const double* x, const double* y, float tolerance,
                    int* indexMap, bool wantAreas, const char** failedStep) {
    auto fail = [failedStep](int code, const char* step) {
        if (failedStep) *failedStep = step;
        return code;
    };
    t.triangles.clear();
    t.areas.clear();
    if (n <= 2) return TRI_OK;
    int rc = DagCoordinateSetUp(n, x, y, true, t, tolerance);
    if (rc != TRI_OK) return fail(rc, kStepSetUp);
    const char* step = kStepCombine;
    try {
        CombineClosePoints(t, n, indexMap);

        step = kStepInit;
        SWorkspace& w = Workspace();
        std::vector<int>& survivors = w.survivors;
        survivors.clear();
        for (int i = 0; i < n; ++i)
            if (t.weight[i] != 0.0f) survivors.push_back(i);
        // The start triangle: the first two survivors at different spots and
        // the first survivor off their line.
        int s0 = -1, s1 = -1, s2 = -1;
        if (!survivors.empty()) s0 = survivors[0];
        for (int p : survivors)
            if (p != s0 && (t.gridX[p] != t.gridX[s0] || t.gridY[p] != t.gridY[s0])) {
                s1 = p;
                break;
            }
        if (s1 >= 0)
            for (int p : survivors)
                if (TriOrient(t.gridX[s0], t.gridY[s0], t.gridX[s1], t.gridY[s1], t.gridX[p],
                              t.gridY[p]) != 0) {
                    s2 = p;
                    break;
                }
        if (s2 < 0) return TRI_OK;  // fewer than three survivors, or all on one line

        CDelaunay& mesh = w.delaunay;
        mesh.Reset(t.gridX.data(), t.gridY.data(), n);
        mesh.Init(s0, s1, s2);
        std::vector<char>& inserted = w.inserted;
        inserted.assign(static_cast<size_t>(n), 0);
        inserted[s0] = inserted[s1] = inserted[s2] = 1;
        std::vector<int>& rest = w.rest;
        rest.clear();
        for (int p : survivors)
            if (p != s0 && p != s1 && p != s2) rest.push_back(p);

        step = kStepAdd;
        InsertionOrder(t, w.keys, rest);
        for (int p : rest)
            if (mesh.Insert(p)) inserted[p] = 1;

        step = kStepExtract;
        ExtractTriangles(mesh, t, w.outNumber);

        if (wantAreas && !t.triangles.empty()) {
            step = kStepThiessen;
            ThiessenAreas(mesh, t, inserted, w.outNumber, w.ccx, w.ccy);
        }
    } catch (const std::bad_alloc&) {
        t.triangles.clear();
        t.areas.clear();
        int code = step == kStepInit       ? TRI_INIT_FAILED
                   : step == kStepAdd      ? TRI_ADD_FAILED
                   : step == kStepExtract  ? TRI_EXTRACT_FAILED
                   : step == kStepThiessen ? TRI_THIESSEN_FAILED
                                           : TRI_SETUP_FAILED;
        return fail(code, step);
    }
    return TRI_OK;
}

void ComputeThiessenAreas(const double* x, const double* y, int count, double* areasOut,
                          STriangleOut* trianglesOut, int* triangleCount,
                          platform::OnceMessages* messages) {
    if (triangleCount) *triangleCount = 0;
    if (areasOut)
        for (int i = 0; i < count; ++i) areasOut[i] = -1.0;
    if (count <= 2) return;
    thread_local SDagTriangulation t;
    thread_local std::vector<int> indexMap;
    try {
        indexMap.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        if (messages) messages->ShowOnce(kOutOfMemory);
        return;
    }
    const char* step = nullptr;
    const int rc = CalculateDagTri(t, count, x, y, kTriMinTolerance, indexMap.data(),
                                   areasOut != nullptr, &step);
    if (rc != TRI_OK) {
        if (messages && step) messages->ShowOnce(step);
        return;
    }
    const size_t room = static_cast<size_t>(2 * count);
    const size_t nt = std::min(t.triangles.size(), room);
    if (trianglesOut)
        for (size_t i = 0; i < nt; ++i) trianglesOut[i] = t.triangles[i];
    if (triangleCount) *triangleCount = static_cast<int>(nt);
    if (areasOut && !t.areas.empty())
        for (int i = 0; i < count; ++i) areasOut[i] = t.areas[static_cast<size_t>(i)];
}

}  // namespace model
