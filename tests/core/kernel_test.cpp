#include "kernel.h"
#include "plane_owner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Kind = FloatingPointError::Kind;

RealPlaneOwner kernelOf(int a, int b, const std::vector<double> &cells_i_outer)
{
    RealPlaneOwner k;
    EXPECT_EQ(k.allocate(a, b), 0);
    size_t n = 0;
    for (int i = 0; i < a; ++i)
        for (int j = 0; j < b; ++j)
            k[i][j] = cells_i_outer.at(n++);
    return k;
}

std::vector<double> cells(const RealPlaneOwner &k)
{
    std::vector<double> v;
    for (int i = 0; i < k.width(); ++i)
        for (int j = 0; j < k.height(); ++j)
            v.push_back(k[i][j]);
    return v;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The horizontal sharpening kernel of flow amount 1: 3 at the centre, -1
// two columns either side.
RealPlaneOwner sharpening5()
{
    RealPlaneOwner k;
    EXPECT_EQ(k.allocate(5, 5), 0);
    k[2][2] = 3;
    k[0][2] = -1;
    k[4][2] = -1;
    return k;
}

PlaneOwner planeOf(int w, int h, int (*value)(int x, int y))
{
    PlaneOwner p;
    EXPECT_EQ(p.allocate(w, h), 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            p[x][y] = value(x, y);
    return p;
}

// --- normalise_kernel ------------------------------------------------------

TEST(NormaliseKernel, MatchesTheConvolutionsNormalisationBitForBit)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> cell(-3.0, 5.0);
    for (int round = 0; round < 50; ++round) {
        const int a = 1 + int(rng() % 7), b = 1 + int(rng() % 7);
        std::vector<double> v(size_t(a * b));
        for (double &c : v)
            c = cell(rng);
        RealPlaneOwner mine = kernelOf(a, b, v), theirs = kernelOf(a, b, v);
        PlaneOwner one;
        ASSERT_EQ(one.allocate(1, 1), 0);
        ASSERT_EQ(convolve_plane(a, b, theirs.get(), 1, 1, one.get()), 0);
        ASSERT_EQ(normalise_kernel(a, b, mine.get()), 0);
        for (int i = 0; i < a; ++i)
            for (int j = 0; j < b; ++j)
                ASSERT_TRUE(sameBits(mine[i][j], theirs[i][j])) << round << " " << i << "," << j;
    }
}

TEST(NormaliseKernel, RefusesLikeTheConvolutionAndLeavesTheKernel)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *name;
        std::vector<double> cells; // 1 x 3
        Kind kind;
    } const cases[] = {
        {"zero sum, first cell 0: 0 / 0", {0, 1, -1}, Kind::InvalidOp},
        {"zero sum, first cell not 0", {1, -1, 0}, Kind::ZeroDivide},
        {"infinite cell", {inf, 1, 1}, Kind::InvalidOp},
        {"NaN cell", {1, nan, 1}, Kind::InvalidOp},
        {"sum overflows", {1.7e308, 1.7e308, 0}, Kind::Overflow},
        {"quotient overflows", {1e308, -1e308, 1e-10}, Kind::Overflow},
    };
    for (const Case &c : cases) {
        RealPlaneOwner k = kernelOf(1, 3, c.cells);
        const std::vector<double> before = cells(k);
        try {
            normalise_kernel(1, 3, k.get());
            ADD_FAILURE() << c.name << ": no error";
        } catch (const FloatingPointError &e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name;
        }
        const std::vector<double> after = cells(k);
        for (size_t n = 0; n < before.size(); ++n)
            EXPECT_TRUE(sameBits(before[n], after[n]) || (std::isnan(before[n]) && std::isnan(after[n]))) << c.name;
    }
}

// --- rotate_kernel ---------------------------------------------------------

TEST(RotateKernel, ZeroDegreesLeavesTheKernelExactly)
{
    RealPlaneOwner k = sharpening5();
    const std::vector<double> before = cells(k);
    ASSERT_EQ(rotate_kernel(0, 5, 5, k.get()), 0);
    const std::vector<double> after = cells(k);
    for (size_t n = 0; n < before.size(); ++n)
        EXPECT_TRUE(sameBits(before[n], after[n])) << n;
}

TEST(RotateKernel, AxisAnglesMoveTheTapsUpToTheApproximatePi)
{
    struct Case {
        const char *name;
        double theta;
        int minus1[2][2]; // the cells of the two -1 taps
    } const cases[] = {
        {"180: the same horizontal kernel", 180, {{0, 2}, {4, 2}}},
        {"90: along the columns", 90, {{2, 0}, {2, 4}}},
        {"-90: along the columns", -90, {{2, 0}, {2, 4}}},
        {"360: back to horizontal", 360, {{0, 2}, {4, 2}}},
    };
    for (const Case &c : cases) {
        RealPlaneOwner k = sharpening5();
        ASSERT_EQ(rotate_kernel(c.theta, 5, 5, k.get()), 0) << c.name;
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                double want = 0;
                if (i == 2 && j == 2)
                    want = 3;
                for (const auto &t : c.minus1)
                    if (t[0] == i && t[1] == j)
                        want = -1;
                EXPECT_NEAR(k[i][j], want, 1e-6) << c.name << " cell " << i << "," << j;
            }
    }
}

TEST(RotateKernel, TurnsTowardsTheTopOfThePicture)
{
    // A tap right of the centre comes to lie above it (lower row index) at
    // 90 degrees: counter-clockwise on the screen.
    RealPlaneOwner k = kernelOf(3, 3, {0, 0, 0, 0, 0, 0, 0, 1, 0});
    ASSERT_EQ(rotate_kernel(90, 3, 3, k.get()), 0);
    EXPECT_NEAR(k[1][0], 1.0, 1e-6);
    EXPECT_NEAR(k[2][1], 0.0, 1e-6);
    EXPECT_NEAR(k[1][2], 0.0, 1e-6);
}

TEST(RotateKernel, FortyFiveDegreesSpreadsEachTapBilinearly)
{
    RealPlaneOwner k = sharpening5();
    ASSERT_EQ(rotate_kernel(45, 5, 5, k.get()), 0);
    double sum = 0;
    for (double c : cells(k))
        sum += c;
    EXPECT_NEAR(sum, 1.83, 0.01);
    EXPECT_DOUBLE_EQ(k[2][2], 3.0);
    // Cell (3, 1) samples (2 + √2, 2 − ε): the -1 tap at (4, 2) weighted
    // fx·fy with fx = √2 − 1 and fy just below 1.
    EXPECT_NEAR(k[3][1], -(std::sqrt(2.0) - 1), 1e-6);
    EXPECT_NEAR(k[1][3], -(std::sqrt(2.0) - 1), 1e-6);
    // The mirror cells across the smear direction get nothing.
    EXPECT_NEAR(k[1][1], 0.0, 1e-6);
    EXPECT_NEAR(k[3][3], 0.0, 1e-6);
}

TEST(RotateKernel, RefusesAKernelWithoutCells)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(rotate_kernel(45, 0, 5, nullptr), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("rotate error"), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);
}

// --- smooth_below ----------------------------------------------------------

TEST(SmoothBelow, ANarrowGaussianMovesThePictureUpAndLeft)
{
    // The canceller's smoothing kernel at flow 1 with a tiny blur amount is
    // 1 at (2, 2) and 0 elsewhere; the centre taken at (1, 1) makes each
    // sample read its neighbour one column right and one row down.
    RealPlaneOwner k;
    ASSERT_EQ(k.allocate(5, 5), 0);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            k[i][j] = std::exp(-((i - 2.0) * (i - 2.0) + (j - 2.0) * (j - 2.0)) / (0.01 * 0.01));
    PlaneOwner p = planeOf(4, 3, [](int x, int y) { return 10 * x + y + 1; });
    ASSERT_EQ(smooth_below(1000, 5, 5, k.get(), 4, 3, p.get()), 0);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) {
            const int want = (x == 3 || y == 2) ? 0 : 10 * (x + 1) + (y + 1) + 1;
            EXPECT_EQ(p[x][y], want) << x << "," << y;
        }
}

TEST(SmoothBelow, ReadsThePlaneAsItWasBeforeTheStep)
{
    // Cell (0, 0) of a 5 x 5 kernel reads one column left and one row up:
    // computed in place, the first sample would run down the diagonal.
    RealPlaneOwner k;
    ASSERT_EQ(k.allocate(5, 5), 0);
    k[0][0] = 1;
    PlaneOwner p = planeOf(3, 3, [](int x, int y) { return 1 + x + 3 * y; });
    ASSERT_EQ(smooth_below(100, 5, 5, k.get(), 3, 3, p.get()), 0);
    const int want[3][3] = {{0, 0, 0}, {0, 1, 4}, {0, 2, 5}}; // [x][y]
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            EXPECT_EQ(p[x][y], want[x][y]) << x << "," << y;
}

TEST(SmoothBelow, OnlySamplesBelowTheThresholdChange)
{
    // A 3 x 3 kernel of ones has its centre at (0, 0): the mean of the
    // sample and the eight after it; samples of 50 or more keep their value.
    RealPlaneOwner k = kernelOf(3, 3, {1, 1, 1, 1, 1, 1, 1, 1, 1});
    PlaneOwner p = planeOf(3, 3, [](int x, int y) { return x == 0 && y == 0 ? 10 : 90; });
    ASSERT_EQ(smooth_below(50, 3, 3, k.get(), 3, 3, p.get()), 0);
    EXPECT_EQ(p[0][0], 81); // (10 + 8 × 90) / 9 = 81.1, truncated
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            if (x || y) {
                EXPECT_EQ(p[x][y], 90);
            }
    // The kernel was normalised in place.
    EXPECT_DOUBLE_EQ(k[0][0], 1.0 / 9);
}

TEST(SmoothBelow, TruncatesTowardZeroAndNegativeSumsGiveZero)
{
    // A 3 x 3 kernel has its centre at (0, 0): row 0 of the kernel weighs
    // the sample and the two to its right on a plane of one row.
    struct Case {
        const char *name;
        double row0[3];
        int threshold;
        int values[3]; // a 3 x 1 plane
        int want[3];
    } const cases[] = {
        {"sums truncate: 5/3, 10/3, 4/3", {1, 2, 0}, 100, {1, 2, 4}, {1, 3, 1}},
        {"negative sums give 0", {2, -1, 0}, 100, {0, 9, 1}, {0, 17, 2}},
        {"at the threshold the value stays", {1, 2, 0}, 2, {1, 2, 4}, {1, 2, 4}},
        {"a negative sample not below the threshold becomes 0", {1, 2, 0}, -5, {-3, -6, 1}, {0, 0, 1}},
    };
    for (const Case &c : cases) {
        RealPlaneOwner k;
        ASSERT_EQ(k.allocate(3, 3), 0);
        for (int i = 0; i < 3; ++i)
            k[i][0] = c.row0[i];
        PlaneOwner p;
        ASSERT_EQ(p.allocate(3, 1), 0);
        for (int x = 0; x < 3; ++x)
            p[x][0] = c.values[x];
        ASSERT_EQ(smooth_below(c.threshold, 3, 3, k.get(), 3, 1, p.get()), 0);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(p[x][0], c.want[x]) << c.name << " x=" << x;
    }
}

TEST(SmoothBelow, ZeroSumKernelFailsWithPlaneAndKernelUnchanged)
{
    RealPlaneOwner k = kernelOf(3, 1, {0, 1, -1});
    PlaneOwner p = planeOf(3, 1, [](int x, int) { return x; });
    EXPECT_THROW(
        {
            try {
                smooth_below(100, 3, 1, k.get(), 3, 1, p.get());
            } catch (const FloatingPointError &e) {
                EXPECT_EQ(e.kind(), Kind::InvalidOp);
                throw;
            }
        },
        FloatingPointError);
    EXPECT_EQ(cells(k), (std::vector<double>{0, 1, -1}));
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(p[x][0], x);
}

TEST(SmoothBelow, RefusesAKernelWithoutCells)
{
    PlaneOwner p = planeOf(2, 2, [](int, int) { return 5; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(smooth_below(10, 0, 3, nullptr, 2, 2, p.get()), 1);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("smooth error"), std::string::npos);
    EXPECT_EQ(p[1][1], 5);
}

} // namespace
