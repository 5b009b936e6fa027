// Shared by the fuzz targets: the input goes to a scratch file that the
// reader opens by path, and the readers' lines on stdout go to /dev/null.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzFile {
public:
    FuzzFile() {
        const char *tmp = std::getenv("TMPDIR");
        path_ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/telvane-fuzz-XXXXXX";
        int fd = mkstemp(path_.data());
        if (fd < 0)
            std::abort();
        close(fd);
        // Quiet stdout once for the whole run.
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            std::abort();
    }
    ~FuzzFile() { unlink(path_.c_str()); }

    const char *write(const uint8_t *data, size_t size) {
        FILE *f = std::fopen(path_.c_str(), "wb");
        if (f == nullptr)
            std::abort();
        if (size != 0 && std::fwrite(data, 1, size, f) != size)
            std::abort();
        std::fclose(f);
        return path_.c_str();
    }

private:
    std::string path_;
};
