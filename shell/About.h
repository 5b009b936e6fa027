// The About box: icon, product name, version and an OK button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *owner = nullptr);

    QFrame *Panel1;
    QLabel *ProgramIcon, *ProductName, *Version;
    QPushButton *OKButton;
};

extern TAboutBox *AboutBox;
