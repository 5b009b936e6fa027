// The one place modal interaction goes through: message boxes, the Yes/No
// confirmation, modal forms, file dialogs and the standard error box.
// Tests and the headless runner install their own Seam to script answers.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <exception>
#include <stdexcept>
#include <type_traits>
#include <utility>

class QDialog;

namespace forms {

// Modal results.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

// Button sets of a message box.
enum class Buttons { Ok, YesNo };

// What a file dialog shows and what it returns.
struct FileDialogRequest {
    enum Kind { Open, Save } kind = Open;
    QString title;
    QStringList nameFilters; // Qt name filters, one per description
    int filterIndex = 1;     // 1-based, in and out
    QString fileName;        // in: initial name; out: the chosen path
};

class Seam {
public:
    virtual ~Seam();
    // A message box with the given buttons; YesNo shows a question icon and
    // the buttons "はい(&Y)" and "いいえ(&N)".  Returns mrYes, mrNo or mrOk
    // (mrNo / mrCancel when closed otherwise).
    virtual int MessageDlg(const QString &text, const QString &caption, Buttons buttons);
    // A plain message box captioned with the application's title and an OK button.
    virtual void ShowMessage(const QString &text);
    // Shows the form modally and returns its modal result.
    virtual int ShowModal(QDialog *form);
    // The standard error box: error icon, the title over the text, OK.
    virtual void ShowException(const QString &title, const QString &text);
    // Runs a file dialog; true when a file was chosen (request updated).
    virtual bool ExecuteFileDialog(FileDialogRequest &request);
};

// The seam in force (the default implementation unless one was installed).
Seam &seam();
// Installs s (not owned); nullptr restores the default.
void setSeam(Seam *s);

// The application's title, shown over the standard error box and message
// boxes ("TELVANE").
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

int MessageDlgYesNo(const QString &text, const QString &caption);
void ShowMessage(const QString &text);
int ShowModal(QDialog *form);
// Shows e.what() (UTF-8) in the standard error box.
void ShowException(const std::exception &e);

// Closes a form shown modally: it is hidden and its modal result becomes
// mrCancel, as closing a modal form does.
void CloseForm(QDialog *form);

// Runs a handler; an exception escaping it goes to the standard error box
// and the program goes on with the next event.  Qt never sees an exception.
template <class F>
void Guarded(F &&f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception &e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("unknown error"));
    }
}

// Connects a signal to a handler run through Guarded.  A handler that takes
// the signal's arguments (a mouse position, a button) gets them; one that
// takes none is called without them.
template <class Sender, class Signal, class F>
auto Bind(Sender *sender, Signal signal, QObject *context, F handler)
{
    return QObject::connect(sender, signal, context, [handler](auto &&...args) {
        if constexpr (std::is_invocable_v<const F &, decltype(args)...>)
            Guarded([&] { handler(args...); });
        else
            Guarded(handler);
    });
}

} // namespace forms
