// The title window: a plain top-level window holding one picture.
#pragma once

#include <QWidget>

namespace forms {
class TImage;
}

class TTitle : public QWidget {
    Q_OBJECT
public:
    explicit TTitle(QWidget *owner = nullptr);

    static constexpr int kLayoutWidth = 758;
    static constexpr int kLayoutHeight = 532;

    forms::TImage *Image1;

public slots:
    // A click on the picture closes the window; it is kept for the next showing.
    void Image1Click();
};

extern TTitle *Title;
