#include "Seam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <stdexcept>

namespace forms {

namespace {

Seam defaultSeam;
Seam *current = nullptr;
QString appTitle = QStringLiteral("TELVANE");

QWidget *activeParent()
{
    return QApplication::activeWindow();
}

} // namespace

Seam::~Seam() = default;

int Seam::MessageDlg(const QString &text, const QString &caption, Buttons buttons)
{
    QMessageBox box(activeParent());
    box.setWindowTitle(caption);
    box.setText(text);
    if (buttons == Buttons::YesNo) {
        box.setIcon(QMessageBox::Question);
        QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? mrYes : mrNo;
    }
    box.setIcon(QMessageBox::NoIcon);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return mrOk;
}

void Seam::ShowMessage(const QString &text)
{
    QMessageBox box(activeParent());
    box.setWindowTitle(ApplicationTitle());
    box.setText(text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

int Seam::ShowModal(QDialog *form)
{
    if (!form)
        return mrNone;
    form->setResult(mrNone);
    form->exec();
    return form->result();
}

void Seam::ShowException(const QString &title, const QString &text)
{
    QMessageBox box(activeParent());
    box.setWindowTitle(title);
    box.setIcon(QMessageBox::Critical);
    box.setText(text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool Seam::ExecuteFileDialog(FileDialogRequest &request)
{
    QFileDialog dlg(activeParent(), request.title);
    dlg.setAcceptMode(request.kind == FileDialogRequest::Save ? QFileDialog::AcceptSave
                                                              : QFileDialog::AcceptOpen);
    dlg.setFileMode(request.kind == FileDialogRequest::Save ? QFileDialog::AnyFile
                                                            : QFileDialog::ExistingFile);
    dlg.setNameFilters(request.nameFilters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.nameFilters.size())
        dlg.selectNameFilter(request.nameFilters.at(request.filterIndex - 1));
    if (!request.fileName.isEmpty())
        dlg.selectFile(request.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    request.fileName = dlg.selectedFiles().constFirst();
    const qsizetype idx = request.nameFilters.indexOf(dlg.selectedNameFilter());
    if (idx >= 0)
        request.filterIndex = int(idx) + 1;
    return true;
}

Seam &seam()
{
    return current ? *current : defaultSeam;
}

void setSeam(Seam *s)
{
    current = s;
}

QString ApplicationTitle()
{
    return appTitle;
}

void SetApplicationTitle(const QString &title)
{
    appTitle = title;
}

int MessageDlgYesNo(const QString &text, const QString &caption)
{
    return seam().MessageDlg(text, caption, Buttons::YesNo);
}

void ShowMessage(const QString &text)
{
    seam().ShowMessage(text);
}

int ShowModal(QDialog *form)
{
    return seam().ShowModal(form);
}

void ShowException(const std::exception &e)
{
    // The box itself must not let anything escape into the event loop.
    try {
        seam().ShowException(ApplicationTitle(), QString::fromUtf8(e.what()));
    } catch (...) {
    }
}

void CloseForm(QDialog *form)
{
    if (form)
        form->done(mrCancel);
}

} // namespace forms
