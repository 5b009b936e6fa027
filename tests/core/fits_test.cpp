#include "fits.h"
#include "diagnostic.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

constexpr int kBlock = 2880;

// Owns a plane filled by a function of (x, y).
struct Frame {
    int width, height;
    Plane p = nullptr;
    template <typename F>
    Frame(int w, int h, F value) : width(w), height(h) {
        EXPECT_EQ(alloc_plane(w, h, &p), 0);
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                p[x][y] = value(x, y);
    }
    ~Frame() { free_plane(width, height, p); }
    Frame(const Frame &) = delete;
    Frame &operator=(const Frame &) = delete;
};

// The result of one read_fits call, with the plane released afterwards.
struct ReadResult {
    int status = -1;
    std::string out;
    std::vector<char> header = std::vector<char>(kFitsHeaderBytes, '\0');
    int width = -1, height = -1, cards = -1;
    double offset = -1.0;
    Plane sentinel = reinterpret_cast<Plane>(0x10);
    Plane plane = sentinel;

    explicit ReadResult(const std::string &path) {
        testing::internal::CaptureStdout();
        status = read_fits(path.c_str(), header.data(), &width, &height, &cards, &offset, &plane);
        out = testing::internal::GetCapturedStdout();
    }
    ~ReadResult() {
        if (status == 0)
            free_plane(width, height, plane);
    }
    ReadResult(const ReadResult &) = delete;
    ReadResult &operator=(const ReadResult &) = delete;
    std::string card(int n) const { return std::string(header.data() + n * 80, 80); }
};

int write_quiet(const std::string &path, int w, int h, Plane p, std::string *out = nullptr) {
    testing::internal::CaptureStdout();
    int status = write_fits(path.c_str(), w, h, p);
    std::string text = testing::internal::GetCapturedStdout();
    if (out != nullptr)
        *out = text;
    return status;
}

std::string card(const std::string &text) {
    std::string c = text;
    c.resize(80, ' ');
    return c;
}

// A header of the given cards padded with blank cards to whole blocks.
std::string header_of(const std::vector<std::string> &cards) {
    std::string h;
    for (const auto &c : cards)
        h += card(c);
    while (h.size() % kBlock != 0)
        h += std::string(80, ' ');
    return h;
}

std::string big_endian_data(int w, int h, int (*value)(int, int)) {
    std::string d;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int v = value(x, y);
            d.push_back(static_cast<char>(v >> 8));
            d.push_back(static_cast<char>(v & 0xFF));
        }
    return d;
}

int pattern(int x, int y) { return (x * 7919 + y * 104729) % 65536; }

const std::vector<std::string> kStandardCards = {
    "SIMPLE  =                    T", "BITPIX  =                   16", "NAXIS   =                    2",
    "NAXIS1  =                    3", "NAXIS2  =                    2", "END"};

class FitsFiles : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(FitsFiles, WriterHeaderAndSizeFor1000) {
    Frame f(1000, 1000, [](int, int) { return 0; });
    const std::string path = dir.file("0.fit");
    ASSERT_EQ(write_quiet(path, 1000, 1000, f.p), 0);
    const std::string bytes = read_bytes(path);
    ASSERT_EQ(bytes.size(), 2008192u);
    const char *expected[] = {"SIMPLE  =                    T", "BITPIX  =                   16",
                              "NAXIS   =                    2", "NAXIS1  =                 1000",
                              "NAXIS2  =                 1000", "BZERO   =           0.00000000",
                              "BSCALE  =           1.00000000", "COMMENT = 'Arranged by QUORAL'",
                              "",                               "END"};
    for (int n = 0; n < 36; ++n)
        EXPECT_EQ(bytes.substr(n * 80, 80), card(n < 10 ? expected[n] : "")) << "card " << n + 1;
    EXPECT_EQ(bytes[800], ' ');
    EXPECT_EQ(bytes.substr(2880 + 2000000), std::string(5312, '\0'));
}

struct SideCase {
    const char *name;
    int width, height;
    const char *naxis1, *naxis2;  // columns 1 to 30
};
// Test names show the case name, not its bytes.
void PrintTo(const SideCase &c, std::ostream *os) { *os << c.name; }

class FitsSides : public testing::TestWithParam<SideCase> {
protected:
    TempDir dir;
};

TEST_P(FitsSides, RightJustifiedAndReadBack) {
    const SideCase &c = GetParam();
    Frame f(c.width, c.height, [](int x, int y) { return (x * 3 + y) % 65536; });
    const std::string path = dir.file("side.fit");
    ASSERT_EQ(write_quiet(path, c.width, c.height, f.p), 0);
    const std::string bytes = read_bytes(path);
    EXPECT_EQ(bytes.size(), 2880u + 2u * c.width * c.height + 5312u);
    EXPECT_EQ(bytes.substr(3 * 80, 80), card(c.naxis1));
    EXPECT_EQ(bytes.substr(4 * 80, 80), card(c.naxis2));
    ReadResult r(path);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.width, c.width);
    EXPECT_EQ(r.height, c.height);
    EXPECT_EQ(r.cards, 36);
    EXPECT_EQ(r.plane[c.width - 1][c.height - 1], f.p[c.width - 1][c.height - 1]);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, FitsSides,
    testing::Values(SideCase{"s640x480", 640, 480, "NAXIS1  =                  640", "NAXIS2  =                  480"},
                    SideCase{"s1200x800", 1200, 800, "NAXIS1  =                 1200", "NAXIS2  =                  800"},
                    SideCase{"s100x9999", 100, 9999, "NAXIS1  =                  100", "NAXIS2  =                 9999"},
                    SideCase{"s1x7", 1, 7, "NAXIS1  =                    1", "NAXIS2  =                    7"},
                    SideCase{"s12345x2", 12345, 2, "NAXIS1  =                12345", "NAXIS2  =                    2"}),
    [](const auto &info) { return std::string(info.param.name); });

struct SampleCase {
    int32_t value;
    unsigned char high, low;
};

TEST_F(FitsFiles, SampleBytesHighFirstWithoutClipping) {
    const SampleCase cases[] = {{1048, 0x04, 0x18}, {65535, 0xFF, 0xFF}, {256, 0x01, 0x00}, {0, 0, 0},
                                {65536, 0x00, 0x00}, {-1, 0x00, 0xFF}, {-256, 0xFF, 0x00}, {-257, 0xFF, 0xFF},
                                {INT32_MIN, 0x00, 0x00}, {INT32_MAX, 0xFF, 0xFF}};
    const int n = static_cast<int>(std::size(cases));
    Frame f(n, 1, [&](int x, int) { return cases[x].value; });
    const std::string path = dir.file("samples.fit");
    ASSERT_EQ(write_quiet(path, n, 1, f.p), 0);
    const std::string bytes = read_bytes(path);
    for (int x = 0; x < n; ++x) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[2880 + 2 * x]), cases[x].high) << cases[x].value;
        EXPECT_EQ(static_cast<unsigned char>(bytes[2880 + 2 * x + 1]), cases[x].low) << cases[x].value;
    }
}

TEST_F(FitsFiles, RoundTripOfAllSixteenBitValuesThenFold) {
    // 256 x 256 holds every value 0..65535 once; rows and columns differ.
    Frame f(256, 256, [](int x, int y) { return y * 256 + x; });
    const std::string path = dir.file("all.fit");
    ASSERT_EQ(write_quiet(path, 256, 256, f.p), 0);
    ReadResult r(path);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.offset, 0.0);
    EXPECT_EQ(r.card(3), card("NAXIS1  =                  256"));
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y)
            ASSERT_EQ(r.plane[x][y], y * 256 + x);
    fold_plane(32768, 256, 256, r.plane);
    EXPECT_EQ(r.plane[1048 % 256][1048 / 256], 33816);
    EXPECT_EQ(r.plane[0][0], 32768);
    EXPECT_EQ(r.plane[255][255], 32767);
}

TEST_F(FitsFiles, PathsWithBlanksBracketsAndJapanese) {
    const std::filesystem::path sub = dir.path() / "観測 (M42) [夜]+";
    std::filesystem::create_directory(sub);
    const std::string path = (sub / "星 [M42] (test)+.fit").string();
    Frame f(5, 3, [](int x, int y) { return x * 1000 + y; });
    ASSERT_EQ(write_quiet(path, 5, 3, f.p), 0);
    ReadResult r(path);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.plane[4][2], 4002);
}

TEST_F(FitsFiles, WriterRefusesSidesOutsideRange) {
    Frame f(2, 2, [](int, int) { return 1; });
    const int sides[][2] = {{0, 2}, {2, 0}, {-1, 2}, {2, -5}, {100000, 1}, {1, 100000}};
    for (const auto &s : sides) {
        const std::string path = dir.file("refused.fit");
        std::string out;
        EXPECT_EQ(write_quiet(path, s[0], s[1], f.p, &out), 1);
        EXPECT_NE(out.find(path), std::string::npos) << out;
        EXPECT_EQ(out.back(), '\n');
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

TEST_F(FitsFiles, OpenErrorsPrintTheLineAndReturn) {
    const std::string path = dir.file("no such folder/x.fit");
    Frame f(2, 2, [](int, int) { return 1; });
    std::string out;
    EXPECT_EQ(write_quiet(path, 2, 2, f.p, &out), 1);
    EXPECT_EQ(out, "file open error    " + path + "\n");
    ReadResult r(path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "file open error    " + path + "\n");
    EXPECT_EQ(r.plane, r.sentinel);
}

TEST_F(FitsFiles, WriteErrorRemovesThePartialFile) {
    // A file size limit makes the writes fail part way through the data.
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit small = old_limit;
    small.rlim_cur = 10000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    Frame f(100, 100, [](int x, int y) { return x + y; });
    const std::string path = dir.file("partial.fit");
    std::string out;
    const int status = write_quiet(path, 100, 100, f.p, &out);

    setrlimit(RLIMIT_FSIZE, &old_limit);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, "file write error    " + path + "\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

struct HeaderCase {
    const char *name;
    std::vector<std::string> cards;  // before blank fill to whole blocks
    int width, height, cards_read;
    double offset;
};
// Test names show the case name, not its bytes.
void PrintTo(const HeaderCase &c, std::ostream *os) { *os << c.name; }

class FitsHeaders : public testing::TestWithParam<HeaderCase> {
protected:
    TempDir dir;
};

// Files of other writers: the data start at the block after END.
TEST_P(FitsHeaders, Accepted) {
    const HeaderCase &c = GetParam();
    const std::string header = header_of(c.cards);
    const std::string path = dir.file("h.fits");
    write_bytes(path, header + big_endian_data(c.width, c.height, pattern));
    ReadResult r(path);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.width, c.width);
    EXPECT_EQ(r.height, c.height);
    EXPECT_EQ(r.cards, c.cards_read);
    EXPECT_EQ(r.offset, c.offset);
    const int copied = std::min(c.cards_read, kFitsHeaderCards);
    EXPECT_EQ(std::string(r.header.data(), copied * 80), header.substr(0, copied * 80));
    for (int x = 0; x < c.width; ++x)
        for (int y = 0; y < c.height; ++y)
            ASSERT_EQ(r.plane[x][y], pattern(x, y)) << x << "," << y;
}

std::vector<std::string> with(std::vector<std::string> cards, std::size_t at, const std::vector<std::string> &more) {
    cards.insert(cards.begin() + static_cast<std::ptrdiff_t>(at), more.begin(), more.end());
    return cards;
}

std::vector<std::string> history(int n) { return std::vector<std::string>(n, "HISTORY a long header"); }

const std::vector<std::string> kBzero32768 = with(kStandardCards, 5, {"BZERO   =                32768"});

INSTANTIATE_TEST_SUITE_P(
    Files, FitsHeaders,
    testing::Values(
        HeaderCase{"Standard", kStandardCards, 3, 2, 36, 0.0},
        HeaderCase{"WriterBzero", with(kStandardCards, 5, {"BZERO   =           0.00000000"}), 3, 2, 36, 0.0},
        HeaderCase{"Bzero32768", kBzero32768, 3, 2, 36, 32768.0},
        HeaderCase{"BzeroExponentE", with(kStandardCards, 5, {"BZERO   =             3.2768E4 / offset"}), 3, 2, 36, 32768.0},
        HeaderCase{"BzeroExponentD", with(kStandardCards, 5, {"BZERO   = 3.2768D+4"}), 3, 2, 36, 32768.0},
        HeaderCase{"BzeroNegative", with(kStandardCards, 5, {"BZERO   =                 -1.5"}), 3, 2, 36, -1.5},
        HeaderCase{"LeftJustifiedSides",
                   {"SIMPLE  = T", "BITPIX  = 16", "NAXIS   = 2", "NAXIS1  = 1000", "NAXIS2  = 2 / rows", "END"},
                   1000, 2, 36, 0.0},
        HeaderCase{"SignedAndCommentedSides",
                   {"SIMPLE  = T", "BITPIX  = +16", "NAXIS   = 2", "NAXIS1  =                   +4 / width",
                    "NAXIS2  =                    3/rows", "END"},
                   4, 3, 36, 0.0},
        HeaderCase{"EndAsFortiethCard", with(kStandardCards, 5, history(34)), 3, 2, 72, 0.0},
        HeaderCase{"EndAsThirtySixthCard", with(kStandardCards, 5, history(30)), 3, 2, 36, 0.0},
        HeaderCase{"HeaderOfFourBlocks", with(kStandardCards, 5, history(120)), 3, 2, 144, 0.0},
        HeaderCase{"EndLookalikesDoNotEnd",
                   with(kStandardCards, 5, {"ENDTIME = '12:00:00'", "HISTORY END", "COMMENT END", "END1    = 3",
                                            "ENDX"}),
                   3, 2, 36, 0.0},
        HeaderCase{"BscaleOne", with(kStandardCards, 5, {"BSCALE  =           1.00000000"}), 3, 2, 36, 0.0},
        HeaderCase{"FirstOccurrenceWins", with(kStandardCards, 5, {"NAXIS1  =                   99"}), 3, 2, 36, 0.0},
        HeaderCase{"CardsAfterEndAreIgnored",
                   with(kStandardCards, 6, {"NAXIS1  =                   99", "BZERO   =                   12"}), 3, 2,
                   36, 0.0}),
    [](const auto &info) { return std::string(info.param.name); });

class FitsRefusals : public testing::TestWithParam<HeaderCase> {
protected:
    TempDir dir;
};

// Refused files: status 1, one line naming the file, nothing allocated.
TEST_P(FitsRefusals, Refused) {
    const HeaderCase &c = GetParam();
    const std::string path = dir.file("bad.fits");
    std::string bytes = header_of(c.cards);
    // width/height give the data written after the header; -1 cuts one byte.
    if (c.width > 0)
        bytes += big_endian_data(c.width, c.height, pattern);
    if (c.cards_read < 0)
        bytes.resize(bytes.size() - 1);
    write_bytes(path, bytes);
    ReadResult r(path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.plane, r.sentinel);
    EXPECT_EQ(r.width, -1);
    EXPECT_NE(r.out.find(path), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
}

std::vector<std::string> replaced(std::size_t at, const std::string &text) {
    std::vector<std::string> cards = kStandardCards;
    if (text.empty())
        cards.erase(cards.begin() + static_cast<std::ptrdiff_t>(at));
    else
        cards[at] = text;
    return cards;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FitsRefusals,
    testing::Values(HeaderCase{"Bitpix8", replaced(1, "BITPIX  =                    8"), 3, 2, 0, 0},
                    HeaderCase{"BitpixMinus32", replaced(1, "BITPIX  =                  -32"), 3, 2, 0, 0},
                    HeaderCase{"BitpixMissing", replaced(1, ""), 3, 2, 0, 0},
                    HeaderCase{"Naxis3", replaced(2, "NAXIS   =                    3"), 3, 2, 0, 0},
                    HeaderCase{"NaxisMissing", replaced(2, ""), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Missing", replaced(3, ""), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Zero", replaced(3, "NAXIS1  =                    0"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Negative", replaced(3, "NAXIS1  =                   -3"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1TooLarge", replaced(3, "NAXIS1  =               100000"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Huge", replaced(3, "NAXIS1  = 99999999999999999999999"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Text", replaced(3, "NAXIS1  = 'three'"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Real", replaced(3, "NAXIS1  =                  3.0"), 3, 2, 0, 0},
                    HeaderCase{"Naxis1Empty", replaced(3, "NAXIS1  =           / nothing"), 3, 2, 0, 0},
                    HeaderCase{"Naxis2Missing", replaced(4, ""), 3, 2, 0, 0},
                    HeaderCase{"Naxis2Garbage", replaced(4, "NAXIS2  =                   2x"), 3, 2, 0, 0},
                    HeaderCase{"BzeroText", with(kStandardCards, 5, {"BZERO   = 'none'"}), 3, 2, 0, 0},
                    HeaderCase{"BzeroOutOfRange", with(kStandardCards, 5, {"BZERO   = 1E999"}), 3, 2, 0, 0},
                    HeaderCase{"Bscale2", with(kStandardCards, 5, {"BSCALE  =                  2.0"}), 3, 2, 0, 0},
                    HeaderCase{"BscaleText", with(kStandardCards, 5, {"BSCALE  = 'one'"}), 3, 2, 0, 0},
                    HeaderCase{"NoEnd", replaced(5, "COMMENT no end here"), 3, 2, 0, 0},
                    HeaderCase{"EmptyFile", {}, 0, 0, 0, 0},
                    HeaderCase{"DataOneByteShort", kStandardCards, 3, 2, -1, 0},
                    HeaderCase{"NoData", kStandardCards, 0, 0, 0, 0},
                    HeaderCase{"HugeSidesTinyFile",
                               {"SIMPLE  = T", "BITPIX  = 16", "NAXIS   = 2", "NAXIS1  = 99999", "NAXIS2  = 99999", "END"},
                               0, 0, 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FitsFiles, HeaderEndingPartWayThroughACardIsRefused) {
    const std::string path = dir.file("cut.fits");
    write_bytes(path, card("SIMPLE  = T") + "BITPIX  = 16");
    ReadResult r(path);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.plane, r.sentinel);
}

TEST_F(FitsFiles, HeaderBoundIsOneThousandBlocks) {
    std::vector<std::string> cards = kStandardCards;
    cards.pop_back();
    std::string head = header_of(cards);
    head.resize(999 * kBlock, ' ');
    const std::string data = big_endian_data(3, 2, pattern);
    {
        // END in block 1000: read.
        const std::string path = dir.file("long.fits");
        write_bytes(path, head + header_of({"END"}) + data);
        ReadResult r(path);
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.cards, 36000);
        EXPECT_EQ(r.card(0), card("SIMPLE  =                    T"));
    }
    {
        // END in block 1001: refused.
        const std::string path = dir.file("toolong.fits");
        write_bytes(path, head + std::string(kBlock, ' ') + header_of({"END"}) + data);
        ReadResult r(path);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.plane, r.sentinel);
    }
}

TEST_F(FitsFiles, FolderIsNotAFitsFile) {
    ReadResult r(dir.path().string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.plane, r.sentinel);
    EXPECT_EQ(r.out, "file open error    " + dir.path().string() + "\n");
    EXPECT_EQ(last_read_error(), "the file cannot be opened");
}

TEST_F(FitsFiles, RefusalReasonIsKeptForTheCaller) {
    const std::string path = dir.file("scaled.fits");
    write_bytes(path, header_of(with(kStandardCards, 5, {"BSCALE  =                  0.5"})) +
                          big_endian_data(3, 2, pattern));
    ReadResult r(path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("BSCALE"), std::string::npos) << r.out;
    EXPECT_NE(last_read_error().find("BSCALE is not 1"), std::string::npos);
    const std::string good = dir.file("good.fits");
    write_bytes(good, header_of(kStandardCards) + big_endian_data(3, 2, pattern));
    ReadResult ok(good);
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(last_read_error(), "");
}

TEST_F(FitsFiles, PathLongerThanAHundredBytesIsRead) {
    std::string name(180, 'a');
    name += "-長い名前.fits";
    const std::string path = dir.file(name);
    write_bytes(path, header_of(kStandardCards) + big_endian_data(3, 2, pattern));
    ReadResult r(path);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.width, 3);
}

}  // namespace
