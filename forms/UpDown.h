// The up-down control: two arrow buttons stepping a position in a range.
#pragma once

#include <QWidget>

namespace forms {

enum class UDBtnType { btNext, btPrev };

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget *parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    bool Wrap() const { return wrap_; }

    void setMin(int v);
    void setMax(int v);
    void setIncrement(int v) { increment_ = v; }
    // Clamped to Min .. Max.
    void setPosition(int v);
    void setWrap(bool on) { wrap_ = on; }

    // What a click on the upper (btNext) or lower (btPrev) arrow does:
    // moves the position by the increment (wrapping or stopping at the
    // ends), then emits Click.
    void Step(UDBtnType button);

signals:
    void Click(forms::UDBtnType button);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;

private:
    int min_ = 0, max_ = 100, increment_ = 1, position_ = 0;
    bool wrap_ = false;
};

} // namespace forms
