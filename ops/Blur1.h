// The blur dialog: asks for the blur amount.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TBLUR : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TBLUR(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();
    // Shown by OK for an amount outside (0, 10].
    static const QString RefusalText;

    QFrame *Panel1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TBLUR *BLUR;

// The blur amount of the blur command and of the guide-miss canceller
// (whose dialog stores it too): 0 until an OK stores a parsed field.
extern double BlurAmount;
