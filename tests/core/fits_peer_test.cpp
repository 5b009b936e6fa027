// Peer check: astropy reads what write_fits writes, and read_fits reads
// what astropy writes.  Skipped where /usr/bin/python3 has no astropy.
#include "fits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <ostream>
#include <string>

#include "temp_dir.h"

namespace {

const char *kPython = "/usr/bin/python3";

// Runs the peer script in a child process and returns its standard output.
bool run_peer(const std::string &args, std::string *out) {
    const std::string command = std::string(kPython) + " '" TELVANE_PEER_SCRIPT "' " + args + " 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return false;
    char buffer[4096];
    std::size_t n;
    out->clear();
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out->append(buffer, n);
    return pclose(pipe) == 0;
}

bool astropy_available() {
    const std::string command = std::string(kPython) + " -c 'import astropy.io.fits, numpy' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::string quoted(const std::string &path) { return "'" + path + "'"; }

// The same patterns are computed by the script.
int signed_pattern(int x, int y) { return (x * 31 + y * 1009) % 32768; }
int unsigned_pattern(int x, int y) {
    if (x == 0 && y == 0)
        return 0;
    if (x == 1 && y == 0)
        return 65535;
    return (x * 7919 + y * 104729) % 65536;
}

class FitsPeer : public testing::Test {
protected:
    void SetUp() override {
        if (!astropy_available())
            GTEST_SKIP() << kPython << " with astropy is not available";
    }
    TempDir dir;
};

TEST_F(FitsPeer, AstropyReadsOurFile) {
    const int w = 37, h = 23;  // distinct sides catch a transposition
    Plane p = nullptr;
    ASSERT_EQ(alloc_plane(w, h, &p), 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            p[x][y] = signed_pattern(x, y);
    const std::string path = dir.file("星 [M42] (test)+.fit");
    ASSERT_EQ(write_fits(path.c_str(), w, h, p), 0);
    free_plane(w, h, p);
    std::string out;
    ASSERT_TRUE(run_peer("check " + quoted(path) + " 37 23", &out)) << out;
    EXPECT_EQ(out, "ok\n");
}

struct PeerCase {
    const char *name;
    const char *mode;
    int expected_cards;
};
// Test names show the case name, not its bytes.
void PrintTo(const PeerCase &c, std::ostream *os) { *os << c.name; }

class FitsPeerFiles : public FitsPeer, public testing::WithParamInterface<PeerCase> {};

TEST_P(FitsPeerFiles, WeReadAstropyUnsignedFiles) {
    const PeerCase &c = GetParam();
    const int w = 41, h = 19;
    const std::string path = dir.file(std::string(c.name) + ".fits");
    std::string out;
    ASSERT_TRUE(run_peer(std::string(c.mode) + " " + quoted(path) + " 41 19", &out)) << out;

    std::string header(kFitsHeaderBytes, '\0');
    int width = 0, height = 0, cards = 0;
    double offset = 0.0;
    Plane p = nullptr;
    testing::internal::CaptureStdout();
    const int status = read_fits(path.c_str(), header.data(), &width, &height, &cards, &offset, &p);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0) << printed;
    EXPECT_EQ(width, w);
    EXPECT_EQ(height, h);
    EXPECT_EQ(cards, c.expected_cards);
    EXPECT_EQ(offset, 32768.0);
    fold_plane(32768, w, h, p);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            EXPECT_EQ(p[x][y], unsigned_pattern(x, y)) << x << "," << y;
    free_plane(w, h, p);
}

INSTANTIATE_TEST_SUITE_P(Astropy, FitsPeerFiles,
                         testing::Values(PeerCase{"Plain", "write", 36}, PeerCase{"LongHeader", "write-long", 108}),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
