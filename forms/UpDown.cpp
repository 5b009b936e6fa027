#include "UpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace forms {

TUpDown::TUpDown(QWidget *parent)
    : QWidget(parent)
{
}

void TUpDown::setMin(int v)
{
    min_ = v;
    position_ = std::clamp(position_, min_, std::max(min_, max_));
}

void TUpDown::setMax(int v)
{
    max_ = v;
    position_ = std::clamp(position_, std::min(min_, max_), max_);
}

void TUpDown::setPosition(int v)
{
    position_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    update();
}

void TUpDown::Step(UDBtnType button)
{
    const long long step = button == UDBtnType::btNext ? increment_ : -(long long)increment_;
    long long next = (long long)position_ + step;
    if (next > max_)
        next = wrap_ ? min_ : max_;
    else if (next < min_)
        next = wrap_ ? max_ : min_;
    position_ = int(next);
    update();
    emit Click(button);
}

void TUpDown::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int half = height() / 2;
    const QRect rects[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    const QStyle::PrimitiveElement arrows[2] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown};
    for (int k = 0; k < 2; ++k) {
        QStyleOptionButton b;
        b.initFrom(this);
        b.rect = rects[k];
        style()->drawControl(QStyle::CE_PushButtonBevel, &b, &p, this);
        QStyleOption a;
        a.initFrom(this);
        a.rect = rects[k].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(arrows[k], &a, &p, this);
    }
}

void TUpDown::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    Step(e->position().y() < height() / 2 ? UDBtnType::btNext : UDBtnType::btPrev);
}

} // namespace forms
