// The step dialog of the Sabattier effect: asks for the step width.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TSabachie : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TSabachie(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();

    QFrame *Sabachie;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TSabachie *Sabachie;
