// The image window: one image inside the main window, with the displayed
// picture, the base picture and hidden text fields holding its state.
#pragma once

#include "Image.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QWidget>

class QScrollArea;
class TMainForm;

class TChild : public QWidget {
    Q_OBJECT
public:
    // Made by TMainForm::NewChild; owner is the main window whose toolbar
    // the window writes.
    explicit TChild(TMainForm *owner);

    // Stored outer size of the layout.
    static constexpr int kLayoutWidth = 513;
    static constexpr int kLayoutHeight = 449;
    // Stored size of the picture control Image.
    static constexpr int kImageLayoutWidth = 217;
    static constexpr int kImageLayoutHeight = 161;

    forms::TImage *Image;
    forms::TImage *ImageZm;
    QLineEdit *DemX, *DemY, *ColN, *ZomN, *UndoFlg;
    forms::TImage *Image1;
    QLineEdit *Contrast, *Average, *Minimum, *FilterI, *MAX, *MIN;

    // The window has become the active image window: writes its zoom into
    // the main window's zoom box.  A zoom text that is not a number raises
    // the conversion error and leaves the zoom box unchanged.
    void FormActivate();
    // The window is being closed: it is freed once the close completes.
    void FormClose();
    void ImageMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // Automatic sizing: on, the client area takes the displayed picture's
    // size.  Scroll bars appear whenever the client area is smaller than
    // the picture.
    void SetAutoSize(bool on);
    bool AutoSize() const { return autoSize_; }
    // Sizes the MDI child so that its client area is width x height.
    void SetClientSize(int width, int height);
    // Sizes the picture control Image; with automatic sizing on, the window
    // follows it.
    void SetImageSize(int width, int height);
    // Sizes the MDI child itself, frame included.
    void SetOuterSize(int width, int height);
    int OuterWidth() const;
    int OuterHeight() const;
    // Shows the window and brings it to the front of the image windows.
    void BringToFront();
    int ClientWidth() const { return width(); }
    int ClientHeight() const { return height(); }
    void SetCaption(const QString &caption);
    // The fields every window-making command writes, in their order: DemX,
    // DemY, ColN, ZomN "1.00" and UndoFlg "0".
    void WriteImageFields(int width, int height, int colN);
    QString Caption() const;
    QMdiSubWindow *SubWindow() const;
    TMainForm *Owner() const { return owner_; }
    void Close();

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    TMainForm *owner_;
    QScrollArea *scroll_;
    bool autoSize_ = true;
};
