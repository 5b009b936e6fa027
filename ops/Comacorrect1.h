// The coma-correction dialog: optical axis X, Y and the coma amount.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TComaCorrect : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TComaCorrect(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();

    QFrame *Panel1;
    QLabel *Label1;
    QLabel *Label2;
    QLineEdit *Edit1;
    QLabel *Label3;
    QLineEdit *Edit2;
    QLabel *Label4;
    QLineEdit *Edit3;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TComaCorrect *ComaCorrect;
