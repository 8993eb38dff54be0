// Planar Delaunay triangulation and Thiessen (Voronoi) areas of the
// spreading points.
//
// The points are centred on their bounding box and quantised to an integer
// grid of -2048..2048; points closer than the tolerance on that grid are
// merged into one (weighted mean). The survivors are triangulated with exact
// integer predicates, so the result is a valid Delaunay triangulation of the
// quantised points whatever their degeneracies (duplicates, collinear runs,
// co-circular lattices). Insertion follows a biased randomised order along a
// space-filling curve (fixed, index-derived, never the model's random numbers), so
// the expected cost is O(n log n) and the same input always gives the same
// output.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Messages.h"

namespace model {

// One output triangle: three point indices in counter-clockwise order
// (x east, y north), then the output numbers of the neighbouring triangles
// (nb[k] lies across the edge opposite v[k]; -1 where there is none).
struct STriangleOut {
    int v[3];
    int nb[3];
    bool operator==(const STriangleOut&) const = default;
};

// Status codes of the triangulation steps.
enum ETriangulationStatus : int {
    TRI_OK = 0,
    TRI_INIT_FAILED = -1,       // "InitDagTri()"
    TRI_ADD_FAILED = -2,        // "AddDagTri()"
    TRI_SETUP_FAILED = -3,      // "DagCoordinateSetUp()"
    TRI_THIESSEN_FAILED = -4,   // "CalDagThiessenArea()"
    TRI_EXTRACT_FAILED = -5,    // "GetStdTriWithConvex()"
};

// The work record of one triangulation.
struct SDagTriangulation {
    int pointCount = 0;
    bool keepSign = true;      // false negates x
    double centreX = 0.0;      // centre of the bounding box, m
    double centreY = 0.0;
    float tolerance = 0.0f;    // percent of the grid, at least 0.05
    float scale = 0.0f;        // metres per grid unit
    std::vector<std::int16_t> gridX, gridY;  // quantised coordinates
    std::vector<double> x, y;                // centred coordinates, m
    std::vector<float> weight;               // 0 for a merged (or unusable) point
    // Results: triangles in point indices, and per point the Thiessen area
    // (m2; 0 on the hull, -1 for a point in no triangle). Both empty when no
    // triangle was delivered.
    std::vector<STriangleOut> triangles;
    std::vector<double> areas;
};

// Grid half-extent and the smallest merge tolerance (percent of the grid).
inline constexpr int kTriGridHalf = 2048;
inline constexpr float kTriMinTolerance = 0.05f;

// Centres and quantises n points. Non-finite points get weight 0 and take
// no part in anything. Returns TRI_OK or TRI_SETUP_FAILED.
int DagCoordinateSetUp(int n, const double* x, const double* y, bool keepSign,
                       SDagTriangulation& t, float tolerance);

// Merges the points closer than the tolerance: for each surviving point in
// index order, absorbs every live point within the radius of its position
// (first scan: later points; after a scan that absorbed, again from point
// 0), until a scan absorbs nothing. indexMap[j] receives the point that
// absorbed j (j itself when it survives). Always TRI_OK.
int CombineClosePoints(SDagTriangulation& t, int n, int* indexMap);

// The driver: set-up, merging, triangulation of the survivors, extraction of
// the triangles and, when wanted, the Thiessen areas. Does nothing for
// n <= 2. With fewer than three survivors, or all of them on one line, no
// triangle is delivered. On failure returns the step's code and, when
// failedStep is given, points it at the step's name.
int CalculateDagTri(SDagTriangulation& t, int n, const double* x, const double* y,
                    float tolerance, int* indexMap, bool wantAreas = true,
                    const char** failedStep = nullptr);

// Triangulates count points and returns the triangles (indices of the input
// arrays) and, when areasOut is given, every point's Thiessen area (-1 for
// every point when no triangle was delivered). trianglesOut must hold at
// least 2 * count entries. Failures are reported through messages (when
// given) and leave no triangles.
void ComputeThiessenAreas(const double* x, const double* y, int count, double* areasOut,
                          STriangleOut* trianglesOut, int* triangleCount,
                          platform::OnceMessages* messages = nullptr);

// Exact predicates on grid coordinates (exposed for tests).
// > 0 when c lies to the left of the line a->b.
std::int64_t TriOrient(int ax, int ay, int bx, int by, int cx, int cy);
// > 0 when d lies strictly inside the circle through the counter-clockwise
// triangle (a, b, c).
std::int64_t TriInCircle(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy);

}  // namespace model
