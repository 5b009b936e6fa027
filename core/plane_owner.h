// Owns one sample plane or real plane and releases it with free_plane when
// it goes, whichever way the owner's scope is left.
#pragma once

#include "plane.h"

#include <utility>

template <typename T>
class BasicPlaneOwner {
public:
    BasicPlaneOwner() = default;
    ~BasicPlaneOwner() { reset(); }
    BasicPlaneOwner(const BasicPlaneOwner &) = delete;
    BasicPlaneOwner &operator=(const BasicPlaneOwner &) = delete;
    BasicPlaneOwner(BasicPlaneOwner &&o) noexcept { *this = std::move(o); }
    BasicPlaneOwner &operator=(BasicPlaneOwner &&o) noexcept
    {
        if (this != &o) {
            reset();
            std::swap(plane_, o.plane_);
            std::swap(width_, o.width_);
            std::swap(height_, o.height_);
        }
        return *this;
    }

    // Releases what is held and allocates width x height, all zero, with
    // the free function's status (0, or 1 with nothing held).
    int allocate(int width, int height)
    {
        reset();
        T **p = nullptr;
        const int status = allocateFree(width, height, &p);
        if (status == 0)
            adopt(width, height, p);
        return status;
    }
    // Takes over a plane allocated elsewhere (read_fits, read_ppm).
    void adopt(int width, int height, T **plane)
    {
        reset();
        plane_ = plane;
        width_ = width;
        height_ = height;
    }
    void reset()
    {
        if (plane_ != nullptr)
            free_plane(width_, height_, plane_);
        plane_ = nullptr;
        width_ = height_ = 0;
    }
    T **get() const { return plane_; }
    T *operator[](int x) const { return plane_[x]; }
    explicit operator bool() const { return plane_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    static int allocateFree(int w, int h, int32_t ***p) { return alloc_plane(w, h, p); }
    static int allocateFree(int w, int h, double ***p) { return alloc_real_plane(w, h, p); }

    T **plane_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

using PlaneOwner = BasicPlaneOwner<int32_t>;
using RealPlaneOwner = BasicPlaneOwner<double>;
