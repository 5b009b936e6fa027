// Closes a C stream when the reader leaves, whichever way it leaves.
#pragma once

#include <cstdio>
#include <sys/stat.h>

// Opens a file for binary reading; a folder counts as a file that cannot be
// opened (reading one would fail later with a misleading reason).
inline FILE *open_for_reading(const char *path)
{
    FILE *f = std::fopen(path, "rb");
    struct stat st;
    if (f != nullptr && fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(f);
        f = nullptr;
    }
    return f;
}

class FileCloser {
public:
    explicit FileCloser(FILE *f) : f_(f) {}
    ~FileCloser() {
        if (f_ != nullptr)
            std::fclose(f_);
    }
    FileCloser(const FileCloser &) = delete;
    FileCloser &operator=(const FileCloser &) = delete;

private:
    FILE *f_;
};
