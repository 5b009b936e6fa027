// The picture control: a widget showing a bitmap, with a canvas.
#pragma once

#include "Bitmap.h"

#include <QWidget>

namespace forms {

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    // The control's width and height.  An empty picture gets a bitmap of
    // the control's size (white) the first time its canvas is used; a
    // picture that already holds a bitmap keeps its size, so a stretched
    // picture can be shown larger or smaller than its bitmap.
    void SetSize(int width, int height);
    int Width() const { return width(); }
    int Height() const { return height(); }

    // Stretch: draw the bitmap scaled to the control's size; otherwise 1:1
    // from the top-left corner.  Painting scales only the part of the
    // bitmap under the exposed area, so the cost of a paint follows the
    // visible area and not the control's (possibly huge) zoomed size.
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    // AutoSize: the control takes the size of its bitmap whenever it changes.
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    // The bitmap object itself.  Taking it for writing schedules one repaint;
    // a caller that changes the bitmap later (after the current event)
    // calls Changed().
    Bitmap &Picture();
    const Bitmap &Picture() const { return bmp_; }
    // Tells the control its bitmap changed: applies AutoSize and schedules
    // one repaint.  Cheap to call after many writes.
    void Changed();

    // Canvas.  Pixel returns 0x00BBGGRR, or -1 for a point outside the
    // bitmap; SetPixel outside the bitmap is lost.  Neither repaints per
    // pixel: the first write after a paint schedules one repaint, which
    // shows every write made before it.
    int Pixel(int x, int y);
    void SetPixel(int x, int y, int color);
    // Copies the whole of b with its top-left corner at (x, y), clipped to
    // the bitmap: one copy of the covered pixels.  On an empty picture the
    // new bitmap (the control's size) is made from b directly; only the part
    // b does not cover is whitened.
    void Draw(int x, int y, const Bitmap &b);

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    void ensureCanvas();
    void scheduleRepaint();

    Bitmap bmp_;
    bool repaintPending_ = false;
    bool stretch_ = false;
    bool autoSize_ = false;
    bool pressed_ = false;
};

} // namespace forms
