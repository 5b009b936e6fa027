#include "ppm.h"
#include "diagnostic.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

// The result of one read_ppm call, with the planes released afterwards.
struct PpmResult {
    int status = -1;
    std::string out;
    int width = -1, height = -1;
    Plane sentinel = reinterpret_cast<Plane>(0x10);
    Plane red = sentinel, green = sentinel, blue = sentinel;

    explicit PpmResult(const std::string &path) {
        testing::internal::CaptureStdout();
        status = read_ppm(path.c_str(), &width, &height, &red, &green, &blue);
        out = testing::internal::GetCapturedStdout();
    }
    ~PpmResult() {
        if (status == 0) {
            free_plane(width, height, red);
            free_plane(width, height, green);
            free_plane(width, height, blue);
        }
    }
    PpmResult(const PpmResult &) = delete;
    PpmResult &operator=(const PpmResult &) = delete;
};

std::string raster(int w, int h) {
    std::string r;
    for (int n = 0; n < 3 * w * h; ++n)
        r.push_back(static_cast<char>(n * 7 + 1));
    return r;
}

class PpmFiles : public testing::Test {
protected:
    TempDir dir;
    PpmResult *read(const std::string &bytes, const std::string &name = "p.ppm") {
        const std::string path = dir.file(name);
        write_bytes(path, bytes);
        result_ = std::make_unique<PpmResult>(path);
        return result_.get();
    }

private:
    std::unique_ptr<PpmResult> result_;
};

TEST_F(PpmFiles, PlainHeaderTraceAndPlanes) {
    const std::string r = raster(4, 3);
    PpmResult *p = read("P6\n4 3\n255\n" + r);
    ASSERT_EQ(p->status, 0) << p->out;
    EXPECT_EQ(p->out,
              "declared\n4 P6\nextended  unsigned char 1D \n4 P6\n4 3 36\n3 4\nopened head\nextended\nreading ...\n");
    EXPECT_EQ(p->width, 4);
    EXPECT_EQ(p->height, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const int pos = y * 4 + x;
            EXPECT_EQ(p->red[x][y], static_cast<unsigned char>(r[3 * pos]));
            EXPECT_EQ(p->green[x][y], static_cast<unsigned char>(r[3 * pos + 1]));
            EXPECT_EQ(p->blue[x][y], static_cast<unsigned char>(r[3 * pos + 2]));
        }
}

TEST_F(PpmFiles, CommentAfterMagic) {
    PpmResult *p = read("P6\n# made by hand\n2 1\n255\n" + std::string("\x0a\x14\x1e\x28\x32\x3c"));
    ASSERT_EQ(p->status, 0) << p->out;
    EXPECT_EQ(p->out,
              "declared\n# P6\n made by hand\n\nif\nextended  unsigned char 1D \n# P6\n made by hand\n\nif\n"
              "2 1 6\n1 2\nopened head\nextended\nreading ...\n");
    EXPECT_EQ(p->red[0][0], 10);
    EXPECT_EQ(p->green[0][0], 20);
    EXPECT_EQ(p->blue[0][0], 30);
    EXPECT_EQ(p->red[1][0], 40);
    EXPECT_EQ(p->green[1][0], 50);
    EXPECT_EQ(p->blue[1][0], 60);
}

struct FormCase {
    const char *name;
    std::string header;
    int width, height;
    std::string trace;  // header trace lines, printed twice
};
// Test names show the case name, not its bytes.
void PrintTo(const FormCase &c, std::ostream *os) { *os << c.name; }

class PpmForms : public testing::TestWithParam<FormCase> {
protected:
    TempDir dir;
};

// Header forms netpbm allows: every one yields the same planes.
TEST_P(PpmForms, Read) {
    const FormCase &c = GetParam();
    const std::string r = raster(c.width, c.height);
    const std::string path = dir.file("f.ppm");
    write_bytes(path, c.header + r + "trailing bytes are ignored");
    PpmResult p(path);
    ASSERT_EQ(p.status, 0) << p.out;
    const std::string sizes = std::to_string(c.width) + " " + std::to_string(c.height) + " " +
                              std::to_string(3 * c.width * c.height) + "\n" + std::to_string(c.height) + " " +
                              std::to_string(c.width) + "\n";
    EXPECT_EQ(p.out, "declared\n" + c.trace + "extended  unsigned char 1D \n" + c.trace + sizes +
                         "opened head\nextended\nreading ...\n");
    ASSERT_EQ(p.width, c.width);
    ASSERT_EQ(p.height, c.height);
    const int last = c.width * c.height - 1;
    EXPECT_EQ(p.blue[c.width - 1][c.height - 1], static_cast<unsigned char>(r[3 * last + 2]));
    EXPECT_EQ(p.red[0][0], static_cast<unsigned char>(r[0]));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PpmForms,
    testing::Values(
        FormCase{"CommentWithoutBlank", "P6\n#word\n2 2\n255\n", 2, 2, "#word P6\nword\n\nif\n"},
        FormCase{"CommentBetweenSides", "P6 3\n# rows next\n2 255\n", 3, 2, "3 P6\n rows next\n\nif\n"},
        FormCase{"TwoComments", "P6\n# one\n# two\n1 1\n255\n", 1, 1, "# P6\n one\n\nif\n two\n\nif\n"},
        FormCase{"CommentRightAfterMagic", "P6#x\n1 2 255\n", 1, 2, "#x P6\nx\n\nif\n"},
        FormCase{"CommentRightAfterNumber", "P6 2#c\n2\t255\r", 2, 2, "2#c P6\nc\n\nif\n"},
        FormCase{"TabsAndBlanks", "P6\t 5  \t1\n\n 255 ", 5, 1, "5 P6\n"},
        // 251 scales the raster bytes 1, 8 and 15 to themselves.
        FormCase{"MaxvalBelow255", "P6\n1 1\n251\n", 1, 1, "1 P6\n"},
        FormCase{"CommentEndedByCarriageReturn", "P6\n# cr\r1 1\n255\n", 1, 1, "# P6\n cr\r\nif\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PpmFiles, CarriageReturnAfterMaxvalShiftsTheRaster) {
    // Only one byte follows the maximum value: the LF becomes the first
    // raster byte and every colour is taken one byte late.
    PpmResult *p = read("P6\r\n1 2\r\n255\r\n" + std::string("\x01\x02\x03\x04\x05\x06"));
    ASSERT_EQ(p->status, 0) << p->out;
    EXPECT_EQ(p->red[0][0], '\n');
    EXPECT_EQ(p->green[0][0], 1);
    EXPECT_EQ(p->blue[0][1], 5);
}

TEST_F(PpmFiles, MissingFile) {
    const std::string path = dir.file("星 [M42] (test)+.ppm");
    PpmResult p(path);
    EXPECT_EQ(p.status, 1);
    EXPECT_EQ(p.out, "declared\nCouldn't find " + path + "\n");
    EXPECT_EQ(p.red, p.sentinel);
}

TEST_F(PpmFiles, JapaneseBracketedPath) {
    PpmResult *p = read("P6 1 1 255\n\x07\x08\x09", "星 [M42] (test)+.ppm");
    ASSERT_EQ(p->status, 0) << p->out;
    EXPECT_EQ(p->blue[0][0], 9);
}

struct BadCase {
    const char *name;
    std::string bytes;
};
// Test names show the case name, not its bytes.
void PrintTo(const BadCase &c, std::ostream *os) { *os << c.name; }

class PpmRefusals : public testing::TestWithParam<BadCase> {
protected:
    TempDir dir;
};

// Refused files: status 1, a last line naming the file, nothing allocated
// (the leak checker of the sanitizer build sees any plane left behind).
TEST_P(PpmRefusals, Refused) {
    const std::string path = dir.file("bad.ppm");
    write_bytes(path, GetParam().bytes);
    PpmResult p(path);
    EXPECT_EQ(p.status, 1);
    EXPECT_EQ(p.red, p.sentinel);
    EXPECT_EQ(p.green, p.sentinel);
    EXPECT_EQ(p.blue, p.sentinel);
    EXPECT_EQ(p.width, -1);
    EXPECT_EQ(p.out.rfind("declared\n", 0), 0u) << p.out;
    const std::string last = p.out.substr(p.out.rfind('\n', p.out.size() - 2) + 1);
    EXPECT_NE(last.find(path), std::string::npos) << p.out;
    EXPECT_EQ(p.out.find("extended  unsigned char"), std::string::npos) << p.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PpmRefusals,
    testing::Values(BadCase{"TextPixmapP3", "P3\n1 1\n255\n1 2 3\n"}, BadCase{"OtherMagic", "XX\n1 1\n255\nabc"},
                    BadCase{"GreyP5", "P5\n1 1\n255\nabc"}, BadCase{"LowerCaseMagic", "p6\n1 1\n255\nabc"},
                    BadCase{"EmptyFile", ""}, BadCase{"MagicOnly", "P6"}, BadCase{"MagicRunsOn", "P61 1 255\nabc"}, BadCase{"MagicP6Long", "P6x 1 1 255\nabc"},
                    BadCase{"MaxvalZero", "P6\n1 1\n0\nabc"}, BadCase{"Maxval256", "P6\n1 1\n256\nabcabc"},
                    BadCase{"Maxval65535", "P6\n1 1\n65535\nabcabc"}, BadCase{"MaxvalMissing", "P6\n1 1\n"},
                    BadCase{"MaxvalNotFollowedBySpace", "P6\n1 1\n255"},
                    BadCase{"CommentRightAfterMaxval", "P6\n1 1\n255#c\nabc"},
                    BadCase{"WidthText", "P6\nabc 1\n255\nabc"}, BadCase{"WidthNegative", "P6\n-3 1\n255\nabc"},
                    BadCase{"WidthZero", "P6\n0 1\n255\n"}, BadCase{"HeightZero", "P6\n1 0\n255\n"},
                    BadCase{"HeightMissing", "P6\n1\n"}, BadCase{"SizeWithLetters", "P6\n1x 1\n255\nabc"},
                    BadCase{"CommentOnly", "P6\n# nothing else"},
                    BadCase{"ByteCountOverflows", "P6\n100000 100000\n255\nabc"},
                    BadCase{"BothSidesHuge", "P6\n99999999999 99999999999\n255\nabc"},
                    BadCase{"ByteCountJustOverflows", "P6\n715827883 1\n255\nabc"},
                    BadCase{"HugeNumber", "P6\n99999999999999999999999 1\n255\nabc"},
                    BadCase{"LargeSizeTinyFile", "P6\n20000 20000\n255\nabc"},
                    BadCase{"RasterShort", "P6\n2 2\n255\n" + std::string(11, 'a')}),
    [](const auto &info) { return std::string(info.param.name); });

// Samples of a maximum below 255 are scaled to the full range, rounded to
// nearest; a maximum of 255 reads the bytes as they are.
TEST_F(PpmFiles, SmallerMaximumIsScaledToTheFullRange) {
    struct Case {
        const char *name;
        int maxval;
        unsigned char sample;
        int expected;
    } const cases[] = {
        {"one-bit white", 1, 1, 255},    {"one-bit black", 1, 0, 0},      {"15 of 15", 15, 15, 255},
        {"7 of 15 rounds down", 15, 7, 119}, {"8 of 15 rounds up", 15, 8, 136}, {"100 of 127", 127, 100, 201},
        {"254 of 254", 254, 254, 255},   {"200 of 255 unchanged", 255, 200, 200},
    };
    for (const Case &c : cases) {
        std::string bytes = "P6\n1 1\n" + std::to_string(c.maxval) + "\n";
        bytes += std::string(3, static_cast<char>(c.sample));
        PpmResult *p = read(bytes);
        ASSERT_EQ(p->status, 0) << c.name << p->out;
        EXPECT_EQ(p->red[0][0], c.expected) << c.name;
        EXPECT_EQ(p->green[0][0], c.expected) << c.name;
        EXPECT_EQ(p->blue[0][0], c.expected) << c.name;
    }
}

TEST_F(PpmFiles, SampleAboveTheMaximumIsRefused) {
    PpmResult *p = read(std::string("P6\n2 1\n15\n") + std::string("\x01\x02\x03\x04\x10\x05", 6));
    EXPECT_EQ(p->status, 1);
    EXPECT_EQ(p->red, p->sentinel);
    EXPECT_NE(p->out.find("above the maximum"), std::string::npos) << p->out;
    EXPECT_EQ(last_read_error(), "a sample is above the maximum value");
}

TEST_F(PpmFiles, FolderCannotBeFound) {
    PpmResult p(dir.path().string());
    EXPECT_EQ(p.status, 1);
    EXPECT_EQ(p.out, "declared\nCouldn't find " + dir.path().string() + "\n");
}

}  // namespace
