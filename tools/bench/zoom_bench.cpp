// Painting a zoomed picture: the picture control holding a 4096 x 4096
// bitmap, stretched to zoom 1 and 16, paints the 1000 x 1000 part a window
// shows (in the middle of the picture) into an image of that size.  The
// cost of a paint follows the visible area, so both zooms take about the
// same time; compare BM_PaintVisibleArea/16 with BM_PaintVisibleArea/1.
#include "Bitmap.h"
#include "Image.h"

#include <QApplication>
#include <QImage>
#include <QRegion>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 4096;
constexpr int kVisible = 1000;

forms::Bitmap &frame()
{
    static forms::Bitmap b = [] {
        forms::Bitmap b(kSide, kSide);
        for (int y = 0; y < kSide; ++y) {
            uint8_t *row = b.ScanLine(y);
            for (int x = 0; x < kSide; ++x)
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = uint8_t(x ^ y);
        }
        return b;
    }();
    return b;
}

// With change on, every paint follows a write to the canvas (as after a
// level change or a pixel write): a picture control that prepares the whole
// bitmap for painting after each change pays for the whole bitmap here.
void paintVisibleArea(benchmark::State &state, bool change)
{
    const int zoom = int(state.range(0));
    forms::TImage image;
    image.SetSize(kSide, kSide);
    image.Draw(0, 0, frame());
    image.setStretch(true);
    image.SetSize(kSide * zoom, kSide * zoom);
    const int centre = kSide * zoom / 2;
    const QRect visible(centre - kVisible / 2, centre - kVisible / 2, kVisible, kVisible);
    QImage out(kVisible, kVisible, QImage::Format_RGB32);
    int v = 0;
    for (auto _ : state) {
        if (change)
            image.SetPixel(0, 0, ++v & 0xff);
        image.render(&out, QPoint(), QRegion(visible), QWidget::DrawChildren);
        benchmark::DoNotOptimize(out.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kVisible * kVisible);
}
void BM_PaintVisibleArea(benchmark::State &state)
{
    paintVisibleArea(state, false);
}
BENCHMARK(BM_PaintVisibleArea)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_PaintVisibleAreaAfterChange(benchmark::State &state)
{
    paintVisibleArea(state, true);
}
BENCHMARK(BM_PaintVisibleAreaAfterChange)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
