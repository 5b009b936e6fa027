// The result window of the benchmark.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QFrame;

class Tpanel : public QDialog {
    Q_OBJECT
public:
    explicit Tpanel(QWidget *owner = nullptr);

    // Stored outer size of the layout; the centring formula uses it.
    static constexpr int kLayoutWidth = 329;
    static constexpr int kLayoutHeight = 515;
    // Top-left corner for a screen of the given size (each half an integer division).
    static QPoint centredOn(const QSize &screen);

    // Today's memory figures have more digits than the layout leaves room
    // for: the separator, the installed figure and the unit move right just
    // as far as needed to stay clear of the text before them, and go back to
    // their stored places for short figures.
    void ArrangeMemoryFigures();

    QFrame *Panel1;
    QLabel *Label1, *Label3, *Label4, *Label5, *Label6, *Label2;
    QLabel *Label7, *Label8, *Label9, *Label10, *Label11, *Label12, *Label13, *Label14,
        *Label15, *Label16, *Label17, *Label18, *Label19, *Label20, *Label21, *Label22,
        *Label23, *Label24, *Label25, *Label26, *Label27, *Label28;
    QPushButton *Button1;
    QLabel *Label29, *Label30, *Label31;

public slots:
    void Button1Click();
};

extern Tpanel *panel;
