// libFuzzer target: read_fits on arbitrary file contents.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fits.h"
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static FuzzFile file;
    const char *path = file.write(data, size);
    std::vector<char> header(kFitsHeaderBytes);
    int width = -1, height = -1, cards = -1;
    double offset = 0.0;
    Plane plane = nullptr;
    const int status = read_fits(path, header.data(), &width, &height, &cards, &offset, &plane);
    if (status == 0) {
        if (plane == nullptr || width < 1 || height < 1 || cards < 36 || cards % 36 != 0)
            std::abort();
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (plane[x][y] < 0 || plane[x][y] > 65535)
                    std::abort();
        free_plane(width, height, plane);
    } else if (plane != nullptr) {
        std::abort();  // a refusal must not hand out a plane
    }
    return 0;
}
