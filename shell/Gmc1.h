// The main window: MDI frame with the menu bar, the toolbar strip and the
// open and save dialogs.  Every command of the menus and the toolbar is a
// method of TMainForm.
#pragma once

#include "FileDialog.h"
#include "UpDown.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <functional>

class TChild;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Stored outer size of the layout.
    static constexpr int kLayoutWidth = 900;
    static constexpr int kLayoutHeight = 700;
    // Top-left corner on a screen of the given size: each half an integer
    // division, (screen div 2) - (window div 2).
    static QPoint placement(const QSize &screen);
    // The program's icon (32 x 32).
    static QIcon ApplicationIcon();

    // Menu bar, in order.
    QMenuBar *MainMenu1;
    QMenu *File1;
    QAction *Open1, *Save1, *Exit1;
    QMenu *E1;
    QAction *N1, *M1, *R1, *N3, *RGB1, *RGB2;
    QMenu *P2;
    QAction *N2, *P1, *N4, *N5, *N6, *N7, *N8, *N9;
    QAction *V1, *N10, *V2;

    // Toolbar strip and its controls.
    QFrame *SpeedBar;
    QToolButton *OpenButton, *SaveButton;
    QFrame *Bevel1;
    QPushButton *Button1, *Button2;
    QLineEdit *Edit1;
    QPushButton *Button3, *Button4;
    QLabel *Label5;
    QLineEdit *Edit2;
    forms::TUpDown *UpDown1;
    QLabel *Label6;
    QLineEdit *Edit3;
    forms::TUpDown *UpDown2;
    QLabel *Label4, *Label1, *Label2, *Label3;

    forms::TFileDialog *OpenDialog, *SaveDialog;

    // The MDI client area.
    QMdiArea *MdiArea;

    // Commands bound by the benchmark layer: "計測開始" and the version
    // message.  Unset, the menu items do nothing.
    std::function<void()> BenchmarkCommand, VersionCommand;

    // The current image window, or null when the current MDI child is none
    // or not an image window.
    TChild *ActiveMDIChild() const;
    // Makes an image window from its layout as an MDI child, shows and
    // activates it (its FormActivate runs at once) and returns it.
    TChild *NewChild();
    // Image windows in creation order.
    QList<TChild *> MDIChildren() const;
    int MDIChildCount() const;
    // The client area below the menu bar: the toolbar strip and the MDI area.
    int ClientWidth() const;
    int ClientHeight() const;
    // Makes `child` the active image window; its FormActivate runs when it
    // was not the active one.
    void Activate(TChild *child);

    // The viewer: shows and enables what the shipped layout hides (File >
    // Open and Save, the image-edit and image-processing menus, every toolbar
    // control), all but the title command V1.
    void ShowViewer();

    // The open button's readers by filter index: 1 Windows bitmap, 2 FITS,
    // 3 portable pixmap.  Each makes one image window or raises an error
    // with nothing made.
    void OpenBitmap(const QString &path);
    void OpenFits(const QString &path);
    void OpenPixmap(const QString &path);
    // The filter index for a file's extension (.bmp 1; .fit, .fts, .fits 2;
    // .ppm 3; any case), 0 for any other.
    static int FilterIndexFor(const QString &path);
    // Opens as the open button would, the reader chosen by the extension.
    void OpenFile(const QString &path);

public slots:
    virtual void Open1Click();
    virtual void Save1Click();
    virtual void Exit1Click();
    virtual void N1Click();
    virtual void M1Click();
    virtual void R1Click();
    virtual void RGB2Click();
    virtual void N2Click();
    virtual void P1Click();
    virtual void N4Click();
    virtual void N6Click();
    virtual void N7Click();
    virtual void N8Click();
    virtual void N9Click();
    virtual void V1Click();
    virtual void N10Click();
    virtual void V2Click();

    virtual void OpenButtonClick();
    virtual void SaveButtonClick();
    virtual void Button1Click();
    virtual void Button2Click();
    virtual void Button3Click();
    virtual void Button4Click();
    virtual void UpDown1Click();
    virtual void UpDown2Click();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenu();
    // "+" (in) and "-": the zoom steps, limits and the window's new size.
    void zoom(bool in);
    // The reader of a filter index (each test on its own; any other index
    // does nothing).
    void openWithReader(const QString &path, int filterIndex);
    void levels(double step);
    // The save commands' common part: the active window's displayed picture
    // written to the path the save dialog gives; the window, or null when
    // there is none or the dialog was cancelled.
    TChild *savePicture();
    // The toolbar of a new picture: zoom box "100.0%", level boxes "255" and
    // "0", and with moveControls the up-down positions 255 and 0.
    void showFullLevels(bool moveControls);
    void buildSpeedBar();
    void subWindowActivated(QMdiSubWindow *sub);

    QWidget *client_ = nullptr;
    QPointer<TChild> lastActivated_;
};

extern TMainForm *MainForm;
