// Binary portable pixmaps (P6), one byte per sample.
//
// The header is read as netpbm defines it: the magic "P6", then width,
// height and maximum value separated by white space, where a "#" anywhere
// starts a comment that runs to the end of its line, and exactly one
// whitespace byte after the maximum value.  The reader traces its progress
// on standard output: "declared", the token after the magic with the magic,
// each comment's text followed by "if", then the raster allocation, the
// same header trace again, the sizes, "opened head", "extended" and
// "reading ...".
#include "ppm.h"
#include "diagnostic.h"
#include "file_closer.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/types.h>
#include <vector>

namespace {

// Longest token and comment text kept for the trace, as in the fixed
// buffers of the trace's format (20-byte tokens, 200-byte lines).
constexpr std::size_t kTokenShown = 19;
constexpr std::size_t kCommentShown = 199;

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Reads the header after the magic and records what the trace shows.
class HeaderParser {
public:
    explicit HeaderParser(FILE *f) : f_(f) {}

    // Reads an unsigned decimal number after white space and comments.  The
    // number must end in white space or a comment (the byte ending it is
    // consumed, except for a comment's "#").  Values above 10^9 stay above
    // 10^9.
    bool number(long long *out, bool last) {
        int c = skip_space_and_comments();
        if (c < '0' || c > '9') {
            record_token_start(c);
            return false;
        }
        record_token_start(c);
        long long n = 0;
        while (c >= '0' && c <= '9') {
            if (n <= 1000000000LL)
                n = n * 10 + (c - '0');
            c = get();
        }
        *out = n;
        if (last)
            return is_space(c);  // the single byte before the raster
        if (c == '#') {
            pending_hash_ = true;
            return true;
        }
        return is_space(c);
    }

    // The trace lines gathered so far.
    const std::string &trace() const { return trace_; }
    // The first token after the magic, as far as it was read.
    const std::string &first_token() const { return first_token_; }

private:
    int get() {
        int c = getc_unlocked(f_);
        if (collecting_ && c != EOF) {
            if (is_space(c))
                collecting_ = false;
            else if (first_token_.size() < kTokenShown)
                first_token_.push_back(static_cast<char>(c));
        }
        return c;
    }

    // Starts the first token with c unless it has been started already.
    void record_token_start(int c) {
        if (token_started_ || c == EOF)
            return;
        token_started_ = true;
        collecting_ = true;
        first_token_.push_back(static_cast<char>(c));
    }

    void comment() {
        std::string text;
        for (;;) {
            int c = get();
            if (c == EOF)
                break;
            if (text.size() < kCommentShown)
                text.push_back(static_cast<char>(c));
            if (c == '\n' || c == '\r')
                break;
        }
        trace_ += text;
        trace_ += "\nif\n";
    }

    int skip_space_and_comments() {
        if (pending_hash_) {
            pending_hash_ = false;
            comment();
        }
        for (;;) {
            int c = get();
            if (is_space(c))
                continue;
            if (c == '#') {
                record_token_start(c);
                comment();
                continue;
            }
            return c;
        }
    }

    FILE *f_;
    std::string trace_;
    std::string first_token_;
    bool token_started_ = false;
    bool collecting_ = false;
    bool pending_hash_ = false;
};

void print(const std::string &s) { std::fwrite(s.data(), 1, s.size(), stdout); }

// The header trace: the token after the magic with the magic, then the
// comment lines.
std::string header_trace(const HeaderParser &parser) { return parser.first_token() + " P6\n" + parser.trace(); }

void refuse(const char *path, const char *reason) {
    std::printf("ppm format error    %s    %s\n", path, reason);
    set_last_read_error(reason);
}

}  // namespace

int read_ppm(const char *path, int *width, int *height, Plane *red, Plane *green, Plane *blue) {
    if (path == nullptr)
        path = "";
    std::fputs("declared\n", stdout);
    if (width == nullptr || height == nullptr || red == nullptr || green == nullptr || blue == nullptr) {
        refuse(path, "no place for the results");
        return 1;
    }
    set_last_read_error("");
    FILE *f = open_for_reading(path);
    if (f == nullptr) {
        std::printf("Couldn't find %s\n", path);
        set_last_read_error("the file cannot be opened");
        return 1;
    }
    FileCloser closer(f);

    int m0 = getc_unlocked(f);
    int m1 = getc_unlocked(f);
    // The magic ends in white space or a comment.
    int m2 = getc_unlocked(f);
    if (m0 != 'P' || m1 != '6' || !(is_space(m2) || m2 == '#')) {
        refuse(path, "not a binary pixmap (magic P6)");
        return 1;
    }
    ungetc(m2, f);

    HeaderParser parser(f);
    long long w = 0, h = 0, maxval = 0;
    const char *error = nullptr;
    if (!parser.number(&w, false) || !parser.number(&h, false))
        error = "width and height are not numbers";
    else if (w < 1 || h < 1)
        error = "width or height below 1";
    else if (!parser.number(&maxval, true))
        error = "maximum value is not a number followed by one white space";
    else if (maxval < 1 || maxval > 255)
        error = "maximum value is not 1 to 255";
    else if (w > INT_MAX / 3 / h)  // 3 * w * h bytes must fit an int
        error = "image too large";
    std::string trace = header_trace(parser);
    print(trace);
    if (error != nullptr) {
        refuse(path, error);
        return 1;
    }
    const int raster_bytes = static_cast<int>(3 * w * h);

    // The raster must all be there before anything is allocated.
    off_t start = ftello(f);
    off_t size = -1;
    if (start >= 0 && fseeko(f, 0, SEEK_END) == 0)
        size = ftello(f);
    if (size < 0 || fseeko(f, start, SEEK_SET) != 0) {
        refuse(path, "the file size cannot be determined");
        return 1;
    }
    if (size - start < raster_bytes) {
        refuse(path, "the raster is shorter than announced");
        return 1;
    }

    unsigned char *raster = nullptr;
    if (alloc_bytes(raster_bytes, &raster) != 0) {
        refuse(path, "no memory for the raster");
        return 1;
    }
    print(trace);
    std::printf("%d %d %d\n", static_cast<int>(w), static_cast<int>(h), raster_bytes);
    if (std::fread(raster, 1, static_cast<std::size_t>(raster_bytes), f) != static_cast<std::size_t>(raster_bytes)) {
        free_bytes(raster);
        refuse(path, "the raster is shorter than announced");
        return 1;
    }
    std::printf("%d %d\n", static_cast<int>(h), static_cast<int>(w));
    std::fputs("opened head\n", stdout);

    const int iw = static_cast<int>(w);
    const int ih = static_cast<int>(h);
    Plane r = nullptr, g = nullptr, b = nullptr;
    if (alloc_plane(iw, ih, &r) != 0 || alloc_plane(iw, ih, &g) != 0 || alloc_plane(iw, ih, &b) != 0) {
        free_plane(iw, ih, r);
        free_plane(iw, ih, g);
        free_plane(iw, ih, b);
        free_bytes(raster);
        set_last_read_error("no memory for the planes");
        return 1;
    }
    // A sample above the maximum value is no sample of this file.
    const std::size_t samples = static_cast<std::size_t>(raster_bytes);
    for (std::size_t k = 0; k < samples; ++k) {
        if (raster[k] > maxval) {
            free_plane(iw, ih, r);
            free_plane(iw, ih, g);
            free_plane(iw, ih, b);
            free_bytes(raster);
            refuse(path, "a sample is above the maximum value");
            return 1;
        }
    }
    // Samples of a smaller range are scaled to 0..255, rounded to nearest:
    // (v * 255 + maxval div 2) div maxval.  A maximum of 255 reads as is.
    unsigned char scale[256];
    for (int v = 0; v < 256; ++v)
        scale[v] = static_cast<unsigned char>(maxval == 255 || v > maxval ? v : (v * 255 + maxval / 2) / maxval);
    std::fputs("extended\n", stdout);
    std::fputs("reading ...\n", stdout);
    for (int y = 0; y < ih; ++y) {
        for (int x = 0; x < iw; ++x) {
            const std::size_t p = static_cast<std::size_t>(y) * static_cast<std::size_t>(iw) + static_cast<std::size_t>(x);
            r[x][y] = scale[raster[3 * p]];
            g[x][y] = scale[raster[3 * p + 1]];
            b[x][y] = scale[raster[3 * p + 2]];
        }
    }
    free_bytes(raster);

    *width = iw;
    *height = ih;
    *red = r;
    *green = g;
    *blue = b;
    return 0;
}
