// 16-bit, two-axis FITS image files.
//
// The writer produces one header block of fixed cards, the samples high byte
// first and a fixed zero trailer.  The reader reads any header of 80-byte
// cards in 2880-byte blocks up to its END card and refuses, with a line on
// standard output, every file that is not a 16-bit two-axis image or is
// shorter than its data.  Neither ends the process.
#include "fits.h"
#include "diagnostic.h"
#include "file_closer.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/types.h>

namespace {

constexpr int kCardBytes = 80;
constexpr int kBlockCards = 36;
constexpr int kBlockBytes = kCardBytes * kBlockCards;  // 2880
constexpr int kTrailerBytes = 5312;
// A header longer than this many blocks is not read.
constexpr int kMaxHeaderBlocks = 1000;

bool side_ok(long long side) { return side >= 1 && side <= kFitsMaxSide; }

void put_card(char *block, int card, const char *text) {
    std::size_t n = std::strlen(text);
    std::memcpy(block + card * kCardBytes, text, n < kCardBytes ? n : kCardBytes);
}

// Builds the writer's 36 cards.  The sides are right-justified to end in
// column 30, as the fixed format wants of the mandatory keywords.
void build_header(char *block, int width, int height) {
    std::memset(block, ' ', kBlockBytes);
    char card[kCardBytes + 1];
    put_card(block, 0, "SIMPLE  =                    T");
    put_card(block, 1, "BITPIX  =                   16");
    put_card(block, 2, "NAXIS   =                    2");
    std::snprintf(card, sizeof card, "NAXIS1  =%21d", width);
    put_card(block, 3, card);
    std::snprintf(card, sizeof card, "NAXIS2  =%21d", height);
    put_card(block, 4, card);
    put_card(block, 5, "BZERO   =           0.00000000");
    put_card(block, 6, "BSCALE  =           1.00000000");
    put_card(block, 7, "COMMENT = 'Arranged by QUORAL'");
    put_card(block, 9, "END");
}

// The value field of a card: columns 11 to 80, up to a "/" comment, with
// leading and trailing blanks removed.
std::string value_field(const char *card) {
    std::string v(card + 10, card + kCardBytes);
    std::size_t slash = v.find('/');
    if (slash != std::string::npos)
        v.erase(slash);
    std::size_t b = v.find_first_not_of(' ');
    if (b == std::string::npos)
        return std::string();
    std::size_t e = v.find_last_not_of(' ');
    return v.substr(b, e - b + 1);
}

// A FITS integer: optional sign and decimal digits.
bool parse_integer(const char *card, long long *out) {
    std::string v = value_field(card);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < v.size() && (v[pos] == '+' || v[pos] == '-'))
        negative = v[pos++] == '-';
    if (pos == v.size())
        return false;
    long long n = 0;
    for (; pos < v.size(); ++pos) {
        if (v[pos] < '0' || v[pos] > '9')
            return false;
        if (n < 1000000000000LL)  // saturates far above any accepted value
            n = n * 10 + (v[pos] - '0');
    }
    *out = negative ? -n : n;
    return true;
}

// A FITS real: optional sign, digits with an optional point, optional
// exponent introduced by E or D.  Read independently of the C locale.
bool parse_real(const char *card, double *out) {
    std::string v = value_field(card);
    std::size_t pos = 0;
    if (pos < v.size() && (v[pos] == '+' || v[pos] == '-'))
        ++pos;
    std::size_t digits = 0;
    while (pos < v.size() && v[pos] >= '0' && v[pos] <= '9')
        ++pos, ++digits;
    if (pos < v.size() && v[pos] == '.') {
        ++pos;
        while (pos < v.size() && v[pos] >= '0' && v[pos] <= '9')
            ++pos, ++digits;
    }
    if (digits == 0)
        return false;
    if (pos < v.size() && (v[pos] == 'E' || v[pos] == 'e' || v[pos] == 'D' || v[pos] == 'd')) {
        v[pos++] = 'e';
        if (pos < v.size() && (v[pos] == '+' || v[pos] == '-'))
            ++pos;
        std::size_t exp_digits = 0;
        while (pos < v.size() && v[pos] >= '0' && v[pos] <= '9')
            ++pos, ++exp_digits;
        if (exp_digits == 0)
            return false;
    }
    if (pos != v.size())
        return false;
    const char *first = v.data();
    if (*first == '+')
        ++first;
    double d = 0.0;
    auto [end, ec] = std::from_chars(first, v.data() + v.size(), d);
    if (ec != std::errc() || end != v.data() + v.size())
        return false;
    *out = d;
    return true;
}

bool keyword_is(const char *card, const char *keyword8) { return std::memcmp(card, keyword8, 8) == 0; }

struct Keyword {
    explicit Keyword(const char *keyword8) : name(keyword8) {}
    const char *name;
    bool seen = false;
    char card[kCardBytes] = {};
};

void refuse(const char *path, const char *reason) {
    std::printf("fits format error    %s    %s\n", path, reason);
    set_last_read_error(reason);
}


}  // namespace

int write_fits(const char *path, int width, int height, Plane plane) {
    if (path == nullptr)
        path = "";
    if (!side_ok(width) || !side_ok(height)) {
        std::printf("fits size error    %s    %d x %d is outside 1 to %d\n", path, width, height,
                    kFitsMaxSide);
        return 1;
    }
    if (plane == nullptr) {
        std::printf("fits size error    %s    no plane to write\n", path);
        return 1;
    }
    FILE *f = std::fopen(path, "wb");
    if (f == nullptr) {
        std::printf("file open error    %s\n", path);
        return 1;
    }

    char block[kBlockBytes];
    build_header(block, width, height);
    for (int k = 0; k < kBlockBytes; ++k)
        putc_unlocked(block[k], f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int32_t v = plane[x][y];
            // Quotient truncated toward zero, then the low eight bits; no
            // clipping: 65536 gives 00 00, -1 gives 00 FF.
            putc_unlocked(static_cast<unsigned char>(static_cast<uint32_t>(v / 256) & 0xFFu), f);
            putc_unlocked(static_cast<unsigned char>(static_cast<uint32_t>(v) & 0xFFu), f);
        }
        if (ferror(f))
            break;
    }
    for (int k = 0; k < kTrailerBytes; ++k)
        putc_unlocked(0, f);

    bool failed = ferror(f) != 0;
    failed = (std::fflush(f) != 0) || failed;
    failed = (std::fclose(f) != 0) || failed;
    if (failed) {
        std::printf("file write error    %s\n", path);
        std::remove(path);
        return 1;
    }
    return 0;
}

int read_fits(const char *path, char *header, int *width, int *height, int *cards, double *offset,
              Plane *plane) {
    if (path == nullptr)
        path = "";
    if (width == nullptr || height == nullptr || cards == nullptr || offset == nullptr || plane == nullptr) {
        refuse(path, "no place for the results");
        return 1;
    }
    set_last_read_error("");
    FILE *f = open_for_reading(path);
    if (f == nullptr) {
        std::printf("file open error    %s\n", path);
        set_last_read_error("the file cannot be opened");
        return 1;
    }
    FileCloser closer(f);

    Keyword bitpix("BITPIX  "), naxis("NAXIS   "), naxis1("NAXIS1  "), naxis2("NAXIS2  "), bzero("BZERO   "),
        bscale("BSCALE  ");
    Keyword *keywords[] = {&bitpix, &naxis, &naxis1, &naxis2, &bzero, &bscale};

    // Header: whole blocks up to and including the one holding END.
    bool ended = false;
    int count = 0;
    for (int block = 0; block < kMaxHeaderBlocks && !ended; ++block) {
        for (int c = 0; c < kBlockCards; ++c) {
            char card[kCardBytes];
            for (int k = 0; k < kCardBytes; ++k) {
                int b = getc_unlocked(f);
                if (b == EOF) {
                    refuse(path, "the header has no END card");
                    return 1;
                }
                card[k] = static_cast<char>(b);
            }
            if (header != nullptr && count < kFitsHeaderCards)
                std::memcpy(header + count * kCardBytes, card, kCardBytes);
            ++count;
            if (ended)
                continue;
            if (std::memcmp(card, "END     ", 8) == 0) {
                ended = true;
                continue;
            }
            for (Keyword *kw : keywords) {
                if (!kw->seen && keyword_is(card, kw->name)) {
                    kw->seen = true;
                    std::memcpy(kw->card, card, kCardBytes);
                }
            }
        }
    }
    if (!ended) {
        refuse(path, "the header has no END card");
        return 1;
    }

    long long n = 0;
    if (!bitpix.seen || !parse_integer(bitpix.card, &n) || n != 16) {
        refuse(path, "BITPIX is not 16");
        return 1;
    }
    if (!naxis.seen || !parse_integer(naxis.card, &n) || n != 2) {
        refuse(path, "NAXIS is not 2");
        return 1;
    }
    long long w = 0, h = 0;
    if (!naxis1.seen || !parse_integer(naxis1.card, &w) || !side_ok(w)) {
        refuse(path, "NAXIS1 is missing or not 1 to 99999");
        return 1;
    }
    if (!naxis2.seen || !parse_integer(naxis2.card, &h) || !side_ok(h)) {
        refuse(path, "NAXIS2 is missing or not 1 to 99999");
        return 1;
    }
    double zero = 0.0;
    if (bzero.seen && !parse_real(bzero.card, &zero)) {
        refuse(path, "BZERO is not a number");
        return 1;
    }
    // Scaled samples cannot be shown as they are: refuse rather than show
    // wrong values.
    double scale = 1.0;
    if (bscale.seen && (!parse_real(bscale.card, &scale) || scale != 1.0)) {
        refuse(path, "BSCALE is not 1 (scaled samples are not supported)");
        return 1;
    }

    // The data must all be there before the plane is allocated.
    const off_t data_start = static_cast<off_t>(count) * kCardBytes;
    const off_t data_bytes = static_cast<off_t>(2) * w * h;
    off_t size = -1;
    if (fseeko(f, 0, SEEK_END) == 0)
        size = ftello(f);
    if (size < 0 || fseeko(f, data_start, SEEK_SET) != 0) {
        refuse(path, "the file size cannot be determined");
        return 1;
    }
    if (size - data_start < data_bytes) {
        refuse(path, "the file is shorter than its data");
        return 1;
    }

    Plane p = nullptr;
    if (alloc_plane(static_cast<int>(w), static_cast<int>(h), &p) != 0) {
        set_last_read_error("no memory for the samples");
        return 1;
    }
    for (long long y = 0; y < h; ++y) {
        for (long long x = 0; x < w; ++x) {
            int hi = getc_unlocked(f);
            int lo = getc_unlocked(f);
            if (hi == EOF || lo == EOF) {
                free_plane(static_cast<int>(w), static_cast<int>(h), p);
                refuse(path, "the file is shorter than its data");
                return 1;
            }
            p[x][y] = hi * 256 + lo;
        }
    }

    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    *cards = count;
    *offset = zero;
    *plane = p;
    return 0;
}
