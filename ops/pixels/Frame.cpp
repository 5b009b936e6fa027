#include "Frame.h"

#include <cmath>

namespace pixels {

FrameStatistics GridStatistics(Plane frame, int width, int height)
{
    FrameStatistics st;
    for (int x = 10; x < width - 10; x += 4) {
        const int32_t *column = frame[x];
        for (int y = 10; y < height - 10; y += 4) {
            const int s = column[y];
            st.sum += s;
            st.count += 1;
            if (s < st.minimum)
                st.minimum = s;
        }
    }
    st.mean = st.count != 0 ? st.sum / st.count : std::nan("");
    return st;
}

double GridVariance(Plane frame, int width, int height, double mean)
{
    double squares = 0, count = 0;
    for (int x = 10; x < width - 10; x += 4) {
        const int32_t *column = frame[x];
        for (int y = 10; y < height - 10; y += 4) {
            const double d = column[y] - mean;
            squares += d * d;
            count += 1;
        }
    }
    return squares / (count - 1);
}

void RaiseDivision(double a)
{
    throw FloatingPointError(a == 0 || std::isnan(a) ? FloatingPointError::Kind::InvalidOp
                                                     : FloatingPointError::Kind::ZeroDivide);
}

void CheckMean(const FrameStatistics &st)
{
    if (st.count == 0)
        RaiseDivision(st.sum);
}

void Render(Plane frame, Plane display, int width, int height, int minimum, double mean)
{
    const double range = mean - minimum;
    if (range == 0 && width > 0 && height > 0)
        RaiseDivision((frame[0][0] - minimum) * 50);
    for (int x = 0; x < width; ++x) {
        const int32_t *in = frame[x];
        int32_t *out = display[x];
        for (int y = 0; y < height; ++y) {
            const double q = ((in[y] - minimum) * 50) / range;
            // Limited before the conversion, so that no quotient outside the
            // integer range is ever converted.
            out[y] = q > 255 ? 255 : q < 0 ? 0 : static_cast<int>(q);
        }
    }
}

void FillGrey(Plane display, const Rows24 &out)
{
    for (int y = 0; y < out.height; ++y) {
        uint8_t *row = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            const uint8_t g = static_cast<uint8_t>(display[x][y]);
            row[3 * x] = g;
            row[3 * x + 1] = g;
            row[3 * x + 2] = g;
        }
    }
}

void FillRaw(Plane frame, const Rows24 &out)
{
    for (int y = 0; y < out.height; ++y) {
        uint8_t *row = out.row(y);
        for (int x = 0; x < out.width; ++x)
            EncodeRawSample(row + 3 * x, frame[x][y]);
    }
}

void FillColor(Plane red, Plane green, Plane blue, const Rows24 &out)
{
    for (int y = 0; y < out.height; ++y) {
        uint8_t *row = out.row(y);
        for (int x = 0; x < out.width; ++x) {
            row[3 * x] = static_cast<uint8_t>(blue[x][y]);
            row[3 * x + 1] = static_cast<uint8_t>(green[x][y]);
            row[3 * x + 2] = static_cast<uint8_t>(red[x][y]);
        }
    }
}

} // namespace pixels
