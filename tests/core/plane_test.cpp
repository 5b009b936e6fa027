#include "plane.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

// Owns a sample plane for the length of a test.
struct OwnedPlane {
    int width, height;
    Plane p = nullptr;
    OwnedPlane(int w, int h) : width(w), height(h) { EXPECT_EQ(alloc_plane(w, h, &p), 0); }
    ~OwnedPlane() { free_plane(width, height, p); }
    OwnedPlane(const OwnedPlane &) = delete;
    OwnedPlane &operator=(const OwnedPlane &) = delete;
    std::vector<int32_t> values() const {
        std::vector<int32_t> v;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                v.push_back(p[x][y]);
        return v;
    }
};

struct OwnedKernel {
    int width, height;
    RealPlane k = nullptr;
    OwnedKernel(int w, int h, std::vector<double> values_i_outer) : width(w), height(h) {
        EXPECT_EQ(alloc_real_plane(w, h, &k), 0);
        std::size_t n = 0;
        for (int i = 0; i < w; ++i)
            for (int j = 0; j < h; ++j)
                k[i][j] = values_i_outer.at(n++);
    }
    ~OwnedKernel() { free_plane(width, height, k); }
    OwnedKernel(const OwnedKernel &) = delete;
    OwnedKernel &operator=(const OwnedKernel &) = delete;
    std::vector<double> values() const {
        std::vector<double> v;
        for (int i = 0; i < width; ++i)
            for (int j = 0; j < height; ++j)
                v.push_back(k[i][j]);
        return v;
    }
};

TEST(Allocation, PlanesStartAtZero) {
    Plane p = nullptr;
    ASSERT_EQ(alloc_plane(3, 2, &p), 0);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(p[x][y], 0) << x << "," << y;
    // Columns are separate arrays: writing one leaves the others alone.
    p[0][1] = 7;
    EXPECT_EQ(p[1][0], 0);
    EXPECT_EQ(free_plane(3, 2, p), 0);

    RealPlane r = nullptr;
    ASSERT_EQ(alloc_real_plane(3, 2, &r), 0);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(r[x][y], 0.0);
    EXPECT_EQ(free_plane(3, 2, r), 0);
}

TEST(Allocation, EmptySidesAreAllowed) {
    Plane p = nullptr;
    ASSERT_EQ(alloc_plane(0, 5, &p), 0);
    EXPECT_NE(p, nullptr);
    free_plane(0, 5, p);
    ASSERT_EQ(alloc_plane(4, 0, &p), 0);
    free_plane(4, 0, p);
}

TEST(Allocation, NegativeSizesFailAndLeaveTheOutputAlone) {
    const int sizes[][2] = {{-1, 3}, {3, -1}, {INT_MIN, INT_MIN}};
    for (const auto &s : sizes) {
        Plane sentinel = reinterpret_cast<Plane>(0x1);
        Plane p = sentinel;
        RealPlane sentinel_r = reinterpret_cast<RealPlane>(0x1);
        RealPlane r = sentinel_r;
        testing::internal::CaptureStdout();
        EXPECT_EQ(alloc_plane(s[0], s[1], &p), 1);
        EXPECT_EQ(alloc_real_plane(s[0], s[1], &r), 1);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(p, sentinel);
        EXPECT_EQ(r, sentinel_r);
    }
    unsigned char *b = nullptr;
    EXPECT_EQ(alloc_bytes(-1, &b), 1);
    EXPECT_EQ(b, nullptr);
}

TEST(Allocation, FreeOfNullIsHarmless) {
    EXPECT_EQ(free_plane(10, 10, Plane{nullptr}), 0);
    EXPECT_EQ(free_plane(10, 10, RealPlane{nullptr}), 0);
    free_bytes(nullptr);
}

TEST(Allocation, BytesAreZeroAndAnnounced) {
    unsigned char *b = nullptr;
    testing::internal::CaptureStdout();
    ASSERT_EQ(alloc_bytes(36, &b), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "extended  unsigned char 1D \n");
    for (int k = 0; k < 36; ++k)
        EXPECT_EQ(b[k], 0);
    free_bytes(b);
}

struct PointCase {
    const char *name;
    int32_t in;
    int32_t out;
};
// Test names show the case name, not its bytes.
void PrintTo(const PointCase &c, std::ostream *os) { *os << c.name; }

class ClampTest : public testing::TestWithParam<PointCase> {};
TEST_P(ClampTest, ToByteRange) {
    OwnedPlane p(2, 1);
    p.p[0][0] = GetParam().in;
    p.p[1][0] = GetParam().in;
    EXPECT_EQ(clamp_plane(0, 255, 2, 1, p.p), 0);
    EXPECT_EQ(p.p[0][0], GetParam().out);
    EXPECT_EQ(p.p[1][0], GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Samples, ClampTest,
                         testing::Values(PointCase{"minus5", -5, 0}, PointCase{"zero", 0, 0},
                                         PointCase{"mid", 128, 128}, PointCase{"top", 255, 255},
                                         PointCase{"over", 300, 255}, PointCase{"intmin", INT32_MIN, 0},
                                         PointCase{"intmax", INT32_MAX, 255}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Clamp, LowAppliesBeforeHigh) {
    // With low above high every sample ends at high: low first, then high.
    OwnedPlane p(1, 3);
    p.p[0][0] = -10;
    p.p[0][1] = 50;
    p.p[0][2] = 500;
    clamp_plane(100, 20, 1, 3, p.p);
    EXPECT_EQ(p.values(), (std::vector<int32_t>{20, 20, 20}));
}

class FoldTest : public testing::TestWithParam<PointCase> {};
TEST_P(FoldTest, Offset32768) {
    OwnedPlane p(1, 1);
    p.p[0][0] = GetParam().in;
    EXPECT_EQ(fold_plane(32768, 1, 1, p.p), 0);
    EXPECT_EQ(p.p[0][0], GetParam().out);
}
INSTANTIATE_TEST_SUITE_P(Samples, FoldTest,
                         testing::Values(PointCase{"zero", 0, 32768}, PointCase{"lowtop", 32767, 65535},
                                         PointCase{"highbottom", 32768, 0}, PointCase{"top", 65535, 32767},
                                         PointCase{"s1048", 1048, 33816},
                                         // Far outside 16 bits the fold wraps like 32-bit integers.
                                         PointCase{"intmax", INT32_MAX, INT32_MAX - 32768},
                                         PointCase{"intmin", INT32_MIN, INT32_MIN + 32768}),
                         [](const auto &info) { return std::string(info.param.name); });

// The plainest reading of the convolution: accumulator plane in memory,
// every term stored, all tests per term.
void naive_convolve(int kw, int kh, const std::vector<double> &kernel_in, int w, int h,
                    std::vector<int32_t> &samples /* x outer */) {
    std::vector<double> k = kernel_in;
    double sum = 0.0;
    for (double v : k)
        sum += v;
    for (double &v : k)
        v = v / sum;
    std::vector<double> acc(static_cast<std::size_t>(w) * h, 0.0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            for (int i = 0; i < kw; ++i)
                for (int j = 0; j < kh; ++j) {
                    int sx = x + i - kw / 2, sy = y + j - kh / 2;
                    if (sx < 0 || sx >= w || sy < 0 || sy >= h)
                        continue;
                    double kv = k[static_cast<std::size_t>(i) * kh + j];
                    if (kv == 0.0)
                        continue;
                    volatile double stored =
                        samples[static_cast<std::size_t>(sx) * h + sy] * kv + acc[static_cast<std::size_t>(x) * h + y];
                    acc[static_cast<std::size_t>(x) * h + y] = stored;
                }
    for (std::size_t n = 0; n < acc.size(); ++n) {
        double a = acc[n];
        samples[n] = !(a > 0.0) ? 0 : a >= 2147483648.0 ? INT32_MAX : static_cast<int32_t>(a);
    }
}

struct ConvolveCase {
    const char *name;
    int kw, kh;
    std::vector<double> kernel;  // i outer, j inner
    int w, h;
    std::vector<int32_t> in;        // x outer, y inner
    std::vector<int32_t> expected;  // x outer, y inner
    std::vector<double> kernel_after;
};
// Test names show the case name, not its bytes.
void PrintTo(const ConvolveCase &c, std::ostream *os) { *os << c.name; }

class ConvolveTest : public testing::TestWithParam<ConvolveCase> {};

TEST_P(ConvolveTest, Result) {
    const ConvolveCase &c = GetParam();
    OwnedKernel k(c.kw, c.kh, c.kernel);
    OwnedPlane p(c.w, c.h);
    std::size_t n = 0;
    for (int x = 0; x < c.w; ++x)
        for (int y = 0; y < c.h; ++y)
            p.p[x][y] = c.in.at(n++);
    ASSERT_EQ(convolve_plane(c.kw, c.kh, k.k, c.w, c.h, p.p), 0);
    EXPECT_EQ(p.values(), c.expected);
    if (!c.kernel_after.empty()) {
        EXPECT_EQ(k.values(), c.kernel_after);
    }
}

std::vector<int32_t> filled(int n, int32_t v) { return std::vector<int32_t>(static_cast<std::size_t>(n), v); }

std::vector<double> single(int kw, int kh, int i, int j) {
    std::vector<double> k(static_cast<std::size_t>(kw) * kh, 0.0);
    k[static_cast<std::size_t>(i) * kh + j] = 1.0;
    return k;
}

// 4 x 3 plane with sample 10x + y + 1, x outer.
const std::vector<int32_t> kRamp = {1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 32, 33};

INSTANTIATE_TEST_SUITE_P(
    Kernels, ConvolveTest,
    testing::Values(
        ConvolveCase{"OneByOneKeepsNonNegativeClearsNegative", 1, 1, {2.5}, 2, 2, {5, -3, 0, 70000}, {5, 0, 0, 70000}, {1.0}},
        ConvolveCase{"BoxOnNinesLosesWeightAtBorders", 3, 3, std::vector<double>(9, 1.0), 4, 3, filled(12, 9),
                     {4, 6, 4, 6, 9, 6, 6, 9, 6, 4, 6, 4}, std::vector<double>(9, 1.0 / 9.0)},
        ConvolveCase{"SevenBySevenShiftsTowardHigherIndices", 7, 7, single(7, 7, 2, 2), 4, 3, kRamp,
                     {0, 0, 0, 0, 1, 2, 0, 11, 12, 0, 21, 22}, {}},
        ConvolveCase{"EvenKernelReachesFurtherDown", 4, 1, single(4, 1, 0, 0), 4, 3, kRamp,
                     {0, 0, 0, 0, 0, 0, 1, 2, 3, 11, 12, 13}, {}},
        ConvolveCase{"EvenKernelUpperEntry", 2, 2, single(2, 2, 1, 1), 4, 3, kRamp, kRamp, {}},
        ConvolveCase{"KernelIsNormalisedInPlace", 1, 3, {2.0, 2.0, 4.0}, 1, 3, {8, 8, 8}, {6, 8, 4},
                     {0.25, 0.25, 0.5}},
        ConvolveCase{"TruncatesTowardZero", 1, 2, {1.0, 1.0}, 1, 2, {3, 4}, {1, 3}, {0.5, 0.5}},
        ConvolveCase{"NoUpperLimit", 1, 1, {1.0}, 1, 1, {INT32_MAX}, {INT32_MAX}, {1.0}},
        // Accumulators of 2^31 or more saturate instead of an undefined conversion.
        ConvolveCase{"HugeSaturates", 2, 1, {1099511627776.0, 1.0 - 1099511627776.0}, 2, 1, {INT32_MAX, 0},
                     {0, INT32_MAX}, {1099511627776.0, 1.0 - 1099511627776.0}},
        // inf + -inf: the accumulator is NaN and the sample becomes 0.
        ConvolveCase{"NaNBecomesZero", 3, 1, {1e300, -1e300, 1.0}, 3, 1, {INT32_MAX, INT32_MAX, INT32_MAX},
                     {0, 0, 0}, {1e300, -1e300, 1.0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Convolve, SecondCallDividesByTheNewSumAgain) {
    OwnedKernel k(1, 3, {1.0, 1.0, 1.0});
    OwnedPlane p(1, 1);
    convolve_plane(1, 3, k.k, 1, 1, p.p);
    const double third = 1.0 / 3.0;
    const double sum = third + third + third;
    EXPECT_EQ(k.values(), std::vector<double>(3, third));
    convolve_plane(1, 3, k.k, 1, 1, p.p);
    EXPECT_EQ(k.values(), std::vector<double>(3, third / sum));
}

struct ZeroSumCase {
    const char *name;
    std::vector<double> kernel;  // 3 x 1
    FloatingPointError::Kind kind;
    const char *text;
};
// Test names show the case name, not its bytes.
void PrintTo(const ZeroSumCase &c, std::ostream *os) { *os << c.name; }

class ConvolveRefusal : public testing::TestWithParam<ZeroSumCase> {};

TEST_P(ConvolveRefusal, LeavesPlaneAndKernelUnchanged) {
    const ZeroSumCase &c = GetParam();
    OwnedKernel k(3, 1, c.kernel);
    OwnedPlane p(2, 2);
    p.p[0][0] = 5;
    p.p[1][1] = -7;
    const auto before_plane = p.values();
    const auto before_kernel = k.values();
    try {
        convolve_plane(3, 1, k.k, 2, 2, p.p);
        ADD_FAILURE() << "no error raised";
    } catch (const FloatingPointError &e) {
        EXPECT_EQ(e.kind(), c.kind);
        EXPECT_STREQ(e.what(), c.text);
        EXPECT_STREQ(FloatingPointError::text(c.kind), c.text);
    }
    EXPECT_EQ(p.values(), before_plane);
    const auto after_kernel = k.values();
    for (std::size_t n = 0; n < before_kernel.size(); ++n)  // NaN-aware comparison
        EXPECT_TRUE(std::memcmp(&after_kernel[n], &before_kernel[n], sizeof(double)) == 0) << n;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Kernels, ConvolveRefusal,
    testing::Values(
        ZeroSumCase{"FirstEntryNonZero", {1.0, -2.0, 1.0}, FloatingPointError::Kind::ZeroDivide,
                    "0 による浮動小数点数除算"},
        ZeroSumCase{"AllZero", {0.0, 0.0, 0.0}, FloatingPointError::Kind::InvalidOp, "不正な浮動小数点数演算命令"},
        ZeroSumCase{"FirstEntryNegativeZero", {-0.0, 3.0, -3.0}, FloatingPointError::Kind::InvalidOp,
                    "不正な浮動小数点数演算命令"},
        ZeroSumCase{"SumOverflows", {1e308, 1e308, 0.0}, FloatingPointError::Kind::Overflow,
                    "浮動小数点数のオーバーフロー"},
        ZeroSumCase{"QuotientOverflows", {1e300, -1e300, 1e-10}, FloatingPointError::Kind::Overflow,
                    "浮動小数点数のオーバーフロー"},
        ZeroSumCase{"InfinityMinusInfinity", {kInf, -kInf, 1.0}, FloatingPointError::Kind::InvalidOp,
                    "不正な浮動小数点数演算命令"},
        ZeroSumCase{"InfiniteEntry", {kInf, 1.0, 1.0}, FloatingPointError::Kind::InvalidOp,
                    "不正な浮動小数点数演算命令"},
        ZeroSumCase{"NaNEntry", {1.0, kNaN, 1.0}, FloatingPointError::Kind::InvalidOp,
                    "不正な浮動小数点数演算命令"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Convolve, EmptyKernelIsRefused) {
    OwnedPlane p(2, 2);
    p.p[1][1] = 3;
    RealPlane k = nullptr;
    testing::internal::CaptureStdout();
    EXPECT_EQ(convolve_plane(0, 3, k, 2, 2, p.p), 1);
    EXPECT_EQ(convolve_plane(3, -1, k, 2, 2, p.p), 1);
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(p.p[1][1], 3);
}

TEST(Convolve, MissingAccumulatorLeavesPlaneAndKernel) {
    // A negative plane side cannot be allocated as an accumulator.
    OwnedKernel k(1, 1, {2.0});
    EXPECT_EQ(convolve_plane(1, 1, k.k, -1, 4, nullptr), 1);
    EXPECT_EQ(k.k[0][0], 2.0);
}

// Random kernels (with zeros and negative zeros) and planes against the
// naive loop: bit-for-bit equal results and kernels.
TEST(Convolve, MatchesNaiveLoopOnRandomInput) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> side(1, 13);
    std::uniform_int_distribution<int> ksize(1, 8);
    std::uniform_int_distribution<int32_t> sample(-70000, 140000);
    std::uniform_real_distribution<double> weight(-1.0, 3.0);
    std::uniform_int_distribution<int> pick(0, 5);
    for (int round = 0; round < 300; ++round) {
        const int w = side(rng), h = side(rng), kw = ksize(rng), kh = ksize(rng);
        std::vector<double> kv;
        for (int n = 0; n < kw * kh; ++n) {
            int what = pick(rng);
            kv.push_back(what == 0 ? 0.0 : what == 1 ? -0.0 : weight(rng));
        }
        double sum = 0.0;
        for (double v : kv)
            sum += v;
        if (sum == 0.0)
            continue;
        OwnedKernel k(kw, kh, kv);
        OwnedPlane p(w, h);
        std::vector<int32_t> ref;
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) {
                p.p[x][y] = sample(rng);
                ref.push_back(p.p[x][y]);
            }
        naive_convolve(kw, kh, kv, w, h, ref);
        ASSERT_EQ(convolve_plane(kw, kh, k.k, w, h, p.p), 0);
        ASSERT_EQ(p.values(), ref) << "round " << round << " " << kw << "x" << kh << " on " << w << "x" << h;
        std::vector<double> knorm = kv;
        for (double &v : knorm)
            v = v / sum;
        ASSERT_EQ(k.values(), knorm);
    }
}

}  // namespace
