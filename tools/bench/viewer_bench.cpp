// The viewer on real frames: each command through its window beside the
// same pixel work without windows, measured in the same run.
//   viewer_bench [--side N] [Google Benchmark flags]
// Ratios to read: OpenFits/Window over OpenFits/Pure, Levels*/Window over
// Levels*/Loop.
#include "Child1.h"
#include "Frame.h"
#include "Gmc1.h"
#include "Viewer.h"
#include "forms.h"

#include "fits.h"
#include "plane.h"
#include "plane_owner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

int g_side = 4096;

struct Files {
    QTemporaryDir dir;
    QString fits, bmp;
    Files()
    {
        fits = dir.filePath(QStringLiteral("frame.fits"));
        bmp = dir.filePath(QStringLiteral("picture.bmp"));
        PlaneOwner p;
        p.allocate(g_side, g_side);
        for (int x = 0; x < g_side; ++x)
            for (int y = 0; y < g_side; ++y)
                p[x][y] = 1000 + (x * 7 + y * 13) % 500 + ((x % 64 == 32 && y % 64 == 32) ? 20000 : 0);
        write_fits(QFile::encodeName(fits).constData(), g_side, g_side, p.get());
        QImage img(g_side, g_side, QImage::Format_RGB888);
        for (int y = 0; y < g_side; ++y) {
            uchar *row = img.scanLine(y);
            for (int k = 0; k < 3 * g_side; ++k)
                row[k] = uchar((k * 31 + y * 17) & 255);
        }
        img.save(bmp, "BMP");
    }
};

Files &files()
{
    static Files f;
    return f;
}

TMainForm &mainForm()
{
    static TMainForm *m = [] {
        auto *f = new TMainForm;
        f->show();
        return f;
    }();
    return *m;
}

void closeAll()
{
    for (TChild *c : mainForm().MDIChildren())
        c->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Opening the FITS frame into its window: read, fold, statistics,
// rendering, raw encoding and the two pictures, then the window's first
// paint.
void BM_OpenFits_Window(benchmark::State &state)
{
    const QString path = files().fits;
    for (auto _ : state) {
        mainForm().OpenFits(path);
        QCoreApplication::processEvents();
        state.PauseTiming();
        closeAll();
        state.ResumeTiming();
    }
}

// The same pixel work with no window: rows written into plain buffers.
void BM_OpenFits_Pure(benchmark::State &state)
{
    const QByteArray name = QFile::encodeName(files().fits);
    std::vector<uint8_t> grey(size_t(3) * g_side * g_side), raw(grey.size());
    static char header[kFitsHeaderBytes];
    for (auto _ : state) {
        int w = 0, h = 0, cards = 0;
        double offset = 0;
        Plane p = nullptr;
        read_fits(name.constData(), header, &w, &h, &cards, &offset, &p);
        PlaneOwner frame;
        frame.adopt(w, h, p);
        fold_plane(32768, w, h, frame.get());
        PlaneOwner display;
        display.allocate(w, h);
        const pixels::FrameStatistics st = pixels::GridStatistics(frame.get(), w, h);
        pixels::Render(frame.get(), display.get(), w, h, st.minimum, st.mean);
        pixels::FillGrey(display.get(), {grey.data(), 3 * w, w, h});
        pixels::FillRaw(frame.get(), {raw.data(), 3 * w, w, h});
        benchmark::DoNotOptimize(grey.data());
        benchmark::DoNotOptimize(raw.data());
    }
}

// "H" on the frame window, with the repaint it causes.
void BM_LevelsFrame_Window(benchmark::State &state)
{
    closeAll();
    mainForm().OpenFits(files().fits);
    for (auto _ : state) {
        mainForm().Button3Click();
        QCoreApplication::processEvents();
    }
    closeAll();
}

// The stretch as a plain loop over the raw rows, as the arithmetic reads.
void BM_LevelsFrame_Loop(benchmark::State &state)
{
    std::vector<uint8_t> in(size_t(3) * g_side * g_side), out(in.size());
    for (size_t k = 0; k < in.size(); k += 3) {
        in[k + 1] = uint8_t(4 + k % 3);
        in[k + 2] = uint8_t(k * 7);
    }
    const double a = 1250.5;
    const int m = 1000;
    for (auto _ : state) {
        for (int y = 0; y < g_side; ++y) {
            const uint8_t *src = in.data() + size_t(3) * g_side * y;
            uint8_t *dst = out.data() + size_t(3) * g_side * y;
            for (int x = 0; x < g_side; ++x) {
                const int s = src[3 * x + 1] * 256 + src[3 * x + 2];
                const int d = (s - m) * 100;
                const double q = d / (a - m);
                const int level = q > 255 ? 255 : q < 0 ? 0 : int(q);
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = uint8_t(level);
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
}

// "H" on a bitmap window.
void BM_LevelsBitmap_Window(benchmark::State &state)
{
    closeAll();
    mainForm().OpenBitmap(files().bmp);
    TChild *c = mainForm().ActiveMDIChild();
    for (auto _ : state) {
        c->Contrast->setText(QStringLiteral("1.0"));
        mainForm().Button3Click();
        QCoreApplication::processEvents();
    }
    closeAll();
}

void BM_LevelsBitmap_Loop(benchmark::State &state)
{
    std::vector<uint8_t> in(size_t(3) * g_side * g_side), out(in.size());
    for (size_t k = 0; k < in.size(); ++k)
        in[k] = uint8_t(k * 31);
    const long double g = 1.1L;
    for (auto _ : state) {
        for (size_t k = 0; k < in.size(); ++k) {
            const long double p = in[k] * g;
            out[k] = p > 255 ? 255 : uint8_t(static_cast<int>(p));
        }
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(BM_OpenFits_Window)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenFits_Pure)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LevelsFrame_Window)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LevelsFrame_Loop)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LevelsBitmap_Window)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LevelsBitmap_Loop)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--side") == 0) {
            g_side = std::atoi(argv[i + 1]);
            for (int k = i; k + 2 <= argc; ++k)
                argv[k] = argv[k + 2];
            argc -= 2;
            break;
        }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    files();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
