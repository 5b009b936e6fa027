// Closes a C stream when the reader leaves, whichever way it leaves.
#pragma once

#include <cstdio>

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
