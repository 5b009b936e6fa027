// Image windows for tests of the main window's commands: a shown main window
// with the viewer's controls, a scripted seam, a fresh folder, and small
// helpers that write frames and bitmaps and read pictures back.
#pragma once

#include "Child1.h"
#include "Gmc1.h"
#include "ScriptedSeam.h"
#include "forms.h"

#include "fits.h"
#include "plane_owner.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>


// A frame to write: the value shown after the fold of every opening.
using SampleAt = std::function<int(int x, int y)>;

// Writes the samples so that the opening's fold of 32768 gives back `shown`.
inline void writeFrame(const QString &path, int w, int h, const SampleAt &shown)
{
    PlaneOwner p;
    ASSERT_EQ(p.allocate(w, h), 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            const int v = shown(x, y);
            p[x][y] = v < 32768 ? v + 32768 : v - 32768;
        }
    testing::internal::CaptureStdout();
    const int status = write_fits(QFile::encodeName(path).constData(), w, h, p.get());
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A 24-bit bitmap file through Qt's writer.
inline void writeBitmap(const QString &path, const QImage &img)
{
    ASSERT_TRUE(img.convertToFormat(QImage::Format_RGB888).save(path, "BMP"));
}

inline QImage uniform(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(c);
    return img;
}

// Bytes blue, green, red of a picture's pixel.
struct Bgr {
    int b, g, r;
    bool operator==(const Bgr &o) const { return b == o.b && g == o.g && r == o.r; }
};
inline Bgr pixelOf(const forms::TImage &image, int x, int y)
{
    const uint8_t *p = image.Picture().ScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

class ImageWindows : public testing::Test {
protected:
    SeamScope scope;
    TMainForm main;
    QTemporaryDir dir;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        main.show();
        main.ShowViewer();
    }
    void TearDown() override
    {
        for (TChild *c : main.MDIChildren())
            c->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    ScriptedSeam &seam() { return scope.seam; }

    // The open button with the dialog answered.
    TChild *open(const QString &file, int filterIndex)
    {
        seam().onFile = [=](forms::FileDialogRequest &r) {
            r.fileName = file;
            r.filterIndex = filterIndex;
            return true;
        };
        const int before = main.MDIChildCount();
        main.OpenButton->click();
        return main.MDIChildCount() > before ? main.ActiveMDIChild() : nullptr;
    }
    void save(TChild *c, const QString &file, bool button)
    {
        main.Activate(c);
        seam().onFile = [=](forms::FileDialogRequest &r) {
            r.fileName = file;
            return true;
        };
        if (button)
            main.SaveButton->click();
        else
            main.Save1->trigger();
    }
    void move(TChild *c, int x, int y) { emit c->Image->MouseMove(Qt::NoModifier, x, y); }
    void press(TChild *c, int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        emit c->Image->MouseDown(b, Qt::NoModifier, x, y);
    }
    QStringList errors() const { return scope.seam.errors(); }
};
