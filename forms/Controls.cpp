#include "Controls.h"

#include "Seam.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace forms {

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->move(left, top);
    l->adjustSize();
    return l;
}

void SetCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->adjustSize();
    // A caption grown over its neighbours stays readable on top of them.
    label->setAutoFillBackground(true);
    label->raise();
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(left, top, width, height);
    return e;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, int left, int top,
                        int width, int height)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setGeometry(left, top, width, height);
    return b;
}

QFrame *MakePanel(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    p->setLineWidth(1);
    p->setGeometry(left, top, width, height);
    return p;
}

QGroupBox *MakeGroupBox(QWidget *parent, const char *name, const QString &caption, int left, int top,
                        int width, int height)
{
    auto *g = new QGroupBox(caption, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(left, top, width, height);
    return g;
}

QList<QWidget *> TabOrder(QWidget *form)
{
    QList<QWidget *> out;
    for (QWidget *w = form->nextInFocusChain(); w && w != form; w = w->nextInFocusChain()) {
        if (out.contains(w))
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && form->isAncestorOf(w))
            out << w;
    }
    return out;
}

TDialogForm::TDialogForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setModal(true);
    setAutoFillBackground(true);
}

void TDialogForm::Close()
{
    CloseForm(this);
}

void TDialogForm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TDialogForm::SizeToContents()
{
    QRect box;
    for (QObject *o : children())
        if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow())
            box |= w->geometry();
    setFixedSize(box.right() + 1, box.bottom() + 1);
}

} // namespace forms
