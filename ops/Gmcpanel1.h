// The guide-miss canceller dialog: smear direction, flow amount, blur amount
// and smoothing threshold.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TGMCPanel : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TGMCPanel(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();

    QGroupBox *GroupBox1;
    QLabel *Label1;
    QLineEdit *Edit2;
    QLabel *Label3;
    QLabel *Label2;
    QLineEdit *Edit1;
    QLabel *Label4;
    QGroupBox *GroupBox2;
    QLabel *Label8;
    QLineEdit *Edit3;
    QLabel *Label5;
    QLabel *Label6;
    QLineEdit *Edit4;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TGMCPanel *GMCPanel;

// The guide-miss canceller's values, stored by OK (the blur amount it
// stores is BlurAmount of Blur1.h).  All 0 until the first OK.
extern int SmearDirection;     // degrees
extern int FlowAmount;         // pixels
extern int SmoothingThreshold; // channel values below it are smoothed
// 1 from the first OK that got through all four fields; never cleared.
extern int GuideMissConfirmed;
