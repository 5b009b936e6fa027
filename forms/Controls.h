// Building blocks for windows made from stored layouts: controls placed at
// fixed positions, the dialog form, and the tab order of a form.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace forms {

// A label at (left, top) that sizes itself to its caption.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption, int left, int top);
// Sets a label's caption; the label keeps its top-left corner and takes the
// caption's size, as a label that sizes itself to its caption does, and is
// drawn over the controls a longer caption now covers.
void SetCaption(QLabel *label, const QString &caption);
// A one-line edit field with the given text and geometry.
QLineEdit *MakeEdit(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                    int height);
// A push button with the given caption and geometry (Enter does not press it).
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, int left, int top,
                        int width, int height);
// A raised panel.
QFrame *MakePanel(QWidget *parent, const char *name, int left, int top, int width, int height);
// A group box with its caption.
QGroupBox *MakeGroupBox(QWidget *parent, const char *name, const QString &caption, int left, int top,
                        int width, int height);

// The controls of a form in tab order: the widgets reached by Tab from the
// form, each once.
QList<QWidget *> TabOrder(QWidget *form);

// A parameter dialog: fixed size, button-face colour, a close box and no
// other title-bar buttons; Escape does not close it (it has no cancel
// button).  Close() ends a modal showing with mrCancel.
class TDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TDialogForm(QWidget *owner = nullptr);
    void Close();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    // The form sizes itself to its contents: the client area becomes the
    // bounding box of its child controls.
    void SizeToContents();
};

} // namespace forms
