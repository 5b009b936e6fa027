// The gamma dialog: asks for the exponent γ.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TGMM : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TGMM(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();
    // Shown by OK for an exponent of 0 or less.
    static const QString RefusalText;

    QFrame *Panel1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TGMM *GMM;
