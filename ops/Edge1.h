// The edge-enhancement dialog: asks for the edge strength.
#pragma once

#include "Controls.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TEDG : public forms::TDialogForm {
    Q_OBJECT
public:
    explicit TEDG(QWidget *owner = nullptr);

    // Where the layout places the window on the screen.
    static QPoint LayoutPosition();
    // Shown by OK for a strength outside 1.0 .. 5.0.
    static const QString RefusalText;

    QFrame *Panel1;
    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;

public slots:
    void Button1Click();
};

extern TEDG *EDG;

// The edge strength the edge-enhancement command uses: 0 until an OK
// stores the parsed field (also a value it then refuses).
extern double EdgeStrength;
