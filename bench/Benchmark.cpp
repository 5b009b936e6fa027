#include "Benchmark.h"

#include "Panel1.h"
#include "Report.h"
#include "Workload.h"
#include "Frame.h"

#include "Gmc1.h"
#include "Child1.h"
#include "forms.h"

#include "fits.h"
#include "plane.h"
#include "vector_unit.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace bench {

namespace {

constexpr int kPlanes = 9;

bool g_verify = false;
RunResult g_lastRun;

// Everything a run creates, released in any case.  The ordinary path
// releases each piece where the run gives it up (inside the timed total); what
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

// Makes the private scratch folder in the working directory.
QString makeScratchFolder()
{
    QByteArray pattern = QByteArrayLiteral("telvane-run-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        const int err = errno;
        QString where = QDir::currentPath();
        if (where.isEmpty()) // the working directory itself was removed
            where = QStringLiteral("(存在しない作業フォルダ)");
        fail(QStringLiteral("作業フォルダ %1 に一時フォルダを作成できません (%2)。計測を中止しました。")
                 .arg(where, QString::fromLocal8Bit(std::strerror(err))));
    }
    return QDir::current().absoluteFilePath(QFile::decodeName(pattern));
}

QString frameName(int f)
{
    return QString::asprintf("%d.fit", f);
}

// The start of a timed interval.  The window code that ran before it may
// have left the vector unit in a state that slows the loops down; that is
// settled first, outside the interval.
inline uint32_t startInterval()
{
    settle_vector_unit();
    return forms::GetTickCount();
}

inline uint32_t elapsed(uint32_t start)
{
    return forms::GetTickCount() - start; // 32-bit difference
}

// Makes the image window of a frame: the grey rendering in Image, the raw
// samples in ImageZm, through one display bitmap released on return.
TChild *showFrame(TMainForm &main, Plane frame, Plane display, int width, int height, const QString &name,
                  QList<QPointer<TChild>> &windows)
{
    forms::Bitmap bitmap(width, height);
    const pixels::Rows24 rows = bitmap.Rows();
    settle_vector_unit(); // after the bitmap's making, as after every piece of window code
    pixels::FillGrey(display, rows);

    TChild *child = main.NewChild();
    windows << child;
    child->FilterI->setText(QStringLiteral("2"));
    child->SetAutoSize(false);
    child->Image->SetSize(width, height);
    child->SetClientSize(main.ClientWidth() - 50, main.ClientHeight() - 100);
    child->Image->Draw(0, 0, bitmap);
    child->Image->setVisible(true);

    settle_vector_unit();
    pixels::FillRaw(frame, rows);
    child->ImageZm->SetSize(width, height);
    child->ImageZm->Draw(0, 0, bitmap);
    child->SetCaption(name);
    return child;
}

} // namespace

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
        const uint32_t t = startInterval();
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
        SynthesizeFrame(res.frame);
        const QByteArray name = QFile::encodeName(path(f));
        res.files << path(f);
        const uint32_t t = startInterval();
        const int status = write_fits(name.constData(), kSide, kSide, res.frame);
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

        const uint32_t t = startInterval();
        const pixels::FrameStatistics st = pixels::GridStatistics(frame, width, height);
        const double mean = st.mean;
        const int minimum = st.minimum;
        const double variance = pixels::GridVariance(frame, width, height, mean);
        pixels::Render(frame, display, width, height, minimum, mean);
        TChild *child = showFrame(main, frame, display, width, height, frameName(f), res.windows);

        main.Edit1->setText(QStringLiteral("100.0%"));
        main.Edit2->setText(forms::IntToStr(static_cast<int>(mean)));
        main.Edit3->setText(forms::IntToStr(minimum));

        child->Average->setText(forms::FloatToStr(mean));
        child->Minimum->setText(forms::IntToStr(minimum));
        child->WriteImageFields(width, height, 1);
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
        uint32_t t = startInterval();
        const int status = read_fits(name.constData(), header, &width, &height, &cards, &offset, &res.frame);
        fileMs += elapsed(t);
        if (status != 0)
            fail(QStringLiteral("FITS ファイル %1 を読み込めません。計測を中止しました。").arg(path(f)));
        t = startInterval();
        AddFrame(res.accumulator, res.frame, width, height);
        compMs += elapsed(t);
        RunResources::release(res.frame);
    }
    result.seconds.fileAccess = fileMs * 0.001;
    result.seconds.composite = compMs * 0.001;

    // The 7 × 7 kernel: one weight 1.0 at [2][2], four negative zeros.
    if (alloc_real_plane(7, 7, &res.kernel) != 0)
        fail(QStringLiteral("メモリを確保できません (畳み込みカーネル)。計測を中止しました。"));
    SetKernel(res.kernel);

    // Convolution stage.
    {
        const uint32_t t = startInterval();
        const int status = convolve_plane(7, 7, res.kernel, kSide, kSide, res.accumulator);
        convMs = elapsed(t);
        if (status != 0)
            fail(QStringLiteral("メモリを確保できません (畳み込みの作業領域)。計測を中止しました。"));
    }

    if (g_verify) {
        result.hasChecksum = true;
        result.checksum = Checksum(res.accumulator, kSide, kSide);
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
    result.windows = res.windows;
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

    // Close the four frame windows of this run, and no picture of the
    // user's that was open beside them.
    for (const QPointer<TChild> &w : result.windows)
        if (w)
            w->Close();
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
