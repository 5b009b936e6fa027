// libFuzzer target: read_ppm on arbitrary file contents.
#include <cstdint>
#include <cstdlib>

#include "fuzz_common.h"
#include "ppm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static FuzzFile file;
    const char *path = file.write(data, size);
    int width = -1, height = -1;
    Plane red = nullptr, green = nullptr, blue = nullptr;
    const int status = read_ppm(path, &width, &height, &red, &green, &blue);
    if (status == 0) {
        if (red == nullptr || green == nullptr || blue == nullptr || width < 1 || height < 1)
            std::abort();
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                if (red[x][y] < 0 || red[x][y] > 255 || blue[x][y] < 0 || blue[x][y] > 255)
                    std::abort();
        free_plane(width, height, red);
        free_plane(width, height, green);
        free_plane(width, height, blue);
    } else if (red != nullptr || green != nullptr || blue != nullptr) {
        std::abort();  // a refusal must not hand out planes
    }
    return 0;
}
