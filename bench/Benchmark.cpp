#include "Benchmark.h"

#include "Panel1.h"
#include "Report.h"

#include "Gmc1.h"
#include "Child1.h"
#include "forms.h"

#include "fits.h"
#include "plane.h"

#include <QDir>
#include <QFile>
#include <QPointer>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace bench {

namespace {

constexpr int kFrames = 4;
constexpr int kSide = 1000;
constexpr int kPlanes = 9;
constexpr int kFoldOffset = 32768;

bool g_verify = false;
RunResult g_lastRun;

// Everything a run creates, released in any case.  The ordinary path
// releases each piece at its specified place (inside the timed total); what
// is still held when a run fails is released by the destructor.
class RunResources {
public:
    Plane frame = nullptr;
    Plane accumulator = nullptr;
    Plane display = nullptr;
    Plane spare[kPlanes - 3] = {};
    RealPlane kernel = nullptr;
    QList<QPointer<TChild>> windows;
    QString folder;      // private scratch folder in the working directory
    QStringList files;   // scratch files created in it

    ~RunResources()
    {
        for (auto &p : spare)
            release(p);
        release(frame);
        release(accumulator);
        release(display);
        if (kernel)
            free_plane(7, 7, kernel);
        removeScratch();
        for (auto &w : windows)
            if (w)
                w->Close();
    }

    static void release(Plane &p)
    {
        if (p)
            free_plane(kSide, kSide, p);
        p = nullptr;
    }

    void removeScratch()
    {
        for (const QString &f : std::as_const(files))
            forms::DeleteFile(f); // a failed deletion is ignored
        files.clear();
        if (!folder.isEmpty())
            QDir().rmdir(folder);
        folder.clear();
    }
};

[[noreturn]] void fail(const QString &text)
{
    throw forms::Exception(text);
}

void allocate(Plane *plane)
{
    if (alloc_plane(kSide, kSide, plane) != 0)
        fail(QStringLiteral("メモリを確保できません (%1 × %1 の画像領域)。計測を中止しました。").arg(kSide));
}

// Makes the private scratch folder in the working directory.
QString makeScratchFolder()
{
    QByteArray pattern = QByteArrayLiteral("telvane-run-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        const int err = errno;
        fail(QStringLiteral("作業フォルダ %1 に一時フォルダを作成できません (%2)。計測を中止しました。")
                 .arg(QDir::currentPath(), QString::fromLocal8Bit(std::strerror(err))));
    }
    return QString::fromLocal8Bit(pattern);
}

QString frameName(int f)
{
    return QString::asprintf("%d.fit", f);
}

inline uint32_t elapsed(uint32_t start)
{
    return forms::GetTickCount() - start; // 32-bit difference
}

} // namespace

uint32_t &GeneratorState()
{
    static uint32_t state = 1;
    return state;
}

int Random()
{
    uint32_t &s = GeneratorState();
    s = s * 22695477u + 1u;
    return static_cast<int>((s >> 16) & 32767u);
}

void SetVerify(bool on)
{
    g_verify = on;
}

const RunResult &LastRun()
{
    return g_lastRun;
}

RunResult Run(TMainForm &main)
{
    RunResult result;
    RunResources res;
    uint32_t memMs = 0, fileMs = 0, dispMs = 0, compMs = 0, convMs = 0;

    // Total clock: from just after the confirmation.
    const uint32_t total0 = forms::GetTickCount();

    res.folder = makeScratchFolder();
    auto path = [&](int f) { return res.folder + QLatin1Char('/') + frameName(f); };

    // Memory allocation stage: the nine planes.
    {
        const uint32_t t = forms::GetTickCount();
        int status = alloc_plane(kSide, kSide, &res.frame);
        status |= alloc_plane(kSide, kSide, &res.accumulator);
        status |= alloc_plane(kSide, kSide, &res.display);
        for (auto &p : res.spare)
            status |= alloc_plane(kSide, kSide, &p);
        memMs = elapsed(t);
        if (status != 0)
            fail(QStringLiteral("メモリを確保できません (%1 × %1 の画像領域)。計測を中止しました。").arg(kSide));
        for (auto &p : res.spare)
            RunResources::release(p);
    }

    // Frame synthesis and writing.
    for (int f = 0; f < kFrames; ++f) {
        Plane frame = res.frame;
        for (int x = 0; x < kSide; ++x)
            for (int y = 0; y < kSide; ++y) {
                const int r = Random();
                frame[x][y] = static_cast<int>((r + 32768) * 0.001 + 1000);
            }
        for (int cx = 100; cx <= 900; cx += 100)
            for (int cy = 100; cy <= 900; cy += 100)
                for (int dx = -10; dx <= 9; ++dx)
                    for (int dy = -10; dy <= 9; ++dy) {
                        const int s = frame[cx + dx][cy + dy];
                        const double v = std::exp(-0.1 * (dx * dx + dy * dy)) * 15000 + s;
                        const int r = Random();
                        frame[cx + dx][cy + dy] = static_cast<int>(v + 90.0 * r / 32768 - 45);
                    }
        const QByteArray name = QFile::encodeName(path(f));
        res.files << path(f);
        const uint32_t t = forms::GetTickCount();
        const int status = write_fits(name.constData(), kSide, kSide, frame);
        fileMs += elapsed(t);
        if (status != 0)
            fail(QStringLiteral("FITS ファイル %1 を書き込めません。計測を中止しました。").arg(path(f)));
    }
    RunResources::release(res.frame);

    // Image display stage.
    char header[kFitsHeaderBytes];
    for (int f = 0; f < kFrames; ++f) {
        const QByteArray name = QFile::encodeName(path(f));
        int width = 0, height = 0, cards = 0;
        double offset = 0;
        if (read_fits(name.constData(), header, &width, &height, &cards, &offset, &res.frame) != 0)
            fail(QStringLiteral("FITS ファイル %1 を読み込めません。計測を中止しました。").arg(path(f)));
        fold_plane(kFoldOffset, width, height, res.frame);
        Plane frame = res.frame;
        Plane display = res.display;

        const uint32_t t = forms::GetTickCount();
        // Statistics on the sampling grid.
        double sum = 0, count = 0;
        int minimum = 65536;
        for (int x = 10; x < width - 10; x += 4)
            for (int y = 10; y < height - 10; y += 4) {
                const int s = frame[x][y];
                sum += s;
                count += 1;
                if (s < minimum)
                    minimum = s;
            }
        const double mean = sum / count;
        double variance = 0;
        for (int x = 10; x < width - 10; x += 4)
            for (int y = 10; y < height - 10; y += 4) {
                const double d = frame[x][y] - mean;
                variance += d * d;
            }
        variance /= (count - 1);

        // 8-bit rendering: minimum → 0, mean → 50.
        const double range = mean - minimum;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) {
                int v = static_cast<int>(((frame[x][y] - minimum) * 50) / range);
                if (v > 255)
                    v = 255;
                if (v < 0)
                    v = 0;
                display[x][y] = v;
            }
        forms::Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y) {
            uint8_t *row = bitmap.ScanLine(y);
            for (int x = 0; x < width; ++x) {
                const uint8_t g = static_cast<uint8_t>(display[x][y]);
                row[3 * x] = g;
                row[3 * x + 1] = g;
                row[3 * x + 2] = g;
            }
        }

        TChild *child = main.NewChild();
        res.windows << child;
        child->FilterI->setText(QStringLiteral("2"));
        child->SetAutoSize(false);
        child->Image->SetSize(width, height);
        child->SetClientSize(main.ClientWidth() - 50, main.ClientHeight() - 100);
        child->Image->Draw(0, 0, bitmap);
        child->Image->setVisible(true);

        for (int y = 0; y < height; ++y) {
            uint8_t *row = bitmap.ScanLine(y);
            for (int x = 0; x < width; ++x) {
                const int v = frame[x][y];
                row[3 * x] = 0;
                row[3 * x + 1] = static_cast<uint8_t>(v / 256);
                row[3 * x + 2] = static_cast<uint8_t>(v - 256 * (v / 256));
            }
        }
        child->ImageZm->SetSize(width, height);
        child->ImageZm->Draw(0, 0, bitmap);
        child->SetCaption(frameName(f));

        main.Edit1->setText(QStringLiteral("100.0%"));
        main.Edit2->setText(forms::IntToStr(static_cast<int>(mean)));
        main.Edit3->setText(forms::IntToStr(minimum));

        child->Average->setText(forms::FloatToStr(mean));
        child->Minimum->setText(forms::IntToStr(minimum));
        child->DemX->setText(forms::IntToStr(width));
        child->DemY->setText(forms::IntToStr(height));
        child->ColN->setText(QStringLiteral("1"));
        child->ZomN->setText(forms::FormatFloat(QStringLiteral("0.00"), 1.0));
        child->UndoFlg->setText(QStringLiteral("0"));
        child->setVisible(true);
        dispMs += elapsed(t);

        result.frames.append({frameName(f), child->Average->text(), minimum, variance});
        RunResources::release(res.frame);
    }

    // Composite stage.
    for (int f = 0; f < kFrames; ++f) {
        const QByteArray name = QFile::encodeName(path(f));
        int width = 0, height = 0, cards = 0;
        double offset = 0;
        uint32_t t = forms::GetTickCount();
        const int status = read_fits(name.constData(), header, &width, &height, &cards, &offset, &res.frame);
        fileMs += elapsed(t);
        if (status != 0)
            fail(QStringLiteral("FITS ファイル %1 を読み込めません。計測を中止しました。").arg(path(f)));
        Plane frame = res.frame;
        Plane acc = res.accumulator;
        t = forms::GetTickCount();
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                acc[x][y] += frame[x][y];
        compMs += elapsed(t);
        RunResources::release(res.frame);
    }
    result.seconds.fileAccess = fileMs * 0.001;
    result.seconds.composite = compMs * 0.001;

    // The 7 × 7 kernel: one weight 1.0 at [2][2], four negative zeros.
    if (alloc_real_plane(7, 7, &res.kernel) != 0)
        fail(QStringLiteral("メモリを確保できません (畳み込みカーネル)。計測を中止しました。"));
    res.kernel[2][2] = 1.0;
    res.kernel[2][1] = -0.0;
    res.kernel[2][3] = -0.0;
    res.kernel[1][2] = -0.0;
    res.kernel[3][2] = -0.0;

    // Convolution stage.
    {
        const uint32_t t = forms::GetTickCount();
        const int status = convolve_plane(7, 7, res.kernel, kSide, kSide, res.accumulator);
        convMs = elapsed(t);
        if (status != 0)
            fail(QStringLiteral("メモリを確保できません (畳み込みの作業領域)。計測を中止しました。"));
    }

    if (g_verify) {
        uint64_t checksum = 0;
        for (int x = 0; x < kSide; ++x)
            for (int y = 0; y < kSide; ++y)
                checksum += (1u + static_cast<uint64_t>(x) + 1000u * static_cast<uint64_t>(y)) *
                            static_cast<uint64_t>(static_cast<int64_t>(res.accumulator[x][y]));
        result.hasChecksum = true;
        result.checksum = checksum;
    }

    res.removeScratch();
    RunResources::release(res.accumulator);
    RunResources::release(res.display);
    const uint32_t totalMs = elapsed(total0);

    free_plane(7, 7, res.kernel);
    res.kernel = nullptr;

    result.seconds.memoryAllocation = memMs * 0.001;
    result.seconds.imageDisplay = dispMs * 0.001;
    result.seconds.convolution = convMs * 0.001;
    result.seconds.total = totalMs * 0.001;
    res.windows.clear(); // the frame windows stay open for the report
    return result;
}

void N10Click(TMainForm &main)
{
    if (forms::MessageDlgYesNo(QStringLiteral("計測を開始します。"), QStringLiteral("確認")) != forms::mrYes)
        return;
    const RunResult result = Run(main);
    g_lastRun = result;

    FillReport(*panel, result.seconds, QueryMachine());
    forms::ShowModal(panel);

    // Close the first four image windows (the frame windows of the run).
    const QList<TChild *> children = main.MDIChildren();
    for (int i = 0; i < 4 && i < children.size(); ++i)
        children[i]->Close();
}

void V2Click()
{
    forms::ShowMessage(QStringLiteral("TELVANE Version 1.0\n"
                                      "Copyright (C) 2002 The TELVANE Project. All rights reserved."));
}

void InstallBenchmark(TMainForm &main)
{
    main.BenchmarkCommand = [&main] { N10Click(main); };
    main.VersionCommand = [] { V2Click(); };
}

} // namespace bench
