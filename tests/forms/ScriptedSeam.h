// A seam for tests: records every modal request and answers from a script.
#pragma once

#include "Seam.h"

#include <QDialog>
#include <QStringList>

#include <functional>

struct ScriptedSeam : forms::Seam {
    struct Box {
        QString kind; // "message", "confirm", "error", "modal", "file"
        QString caption;
        QString text;
    };
    QList<Box> boxes;
    int answer = forms::mrYes;                // for confirmations
    std::function<void(QDialog *)> onModal;   // plays the user's part in a modal form
    std::function<bool(forms::FileDialogRequest &)> onFile;

    int MessageDlg(const QString &text, const QString &caption, forms::Buttons b) override
    {
        boxes.append({b == forms::Buttons::YesNo ? QStringLiteral("confirm") : QStringLiteral("message"), caption, text});
        return b == forms::Buttons::YesNo ? answer : forms::mrOk;
    }
    void ShowMessage(const QString &text) override { boxes.append({QStringLiteral("message"), QString(), text}); }
    int ShowModal(QDialog *form) override
    {
        boxes.append({QStringLiteral("modal"), form->windowTitle(), form->objectName()});
        form->setResult(forms::mrNone);
        if (onModal)
            onModal(form);
        return form->result();
    }
    void ShowException(const QString &title, const QString &text) override
    {
        boxes.append({QStringLiteral("error"), title, text});
    }
    bool ExecuteFileDialog(forms::FileDialogRequest &r) override
    {
        boxes.append({QStringLiteral("file"), r.title, r.nameFilters.join(QLatin1Char('\n'))});
        return onFile ? onFile(r) : false;
    }

    QStringList errors() const
    {
        QStringList out;
        for (const Box &b : boxes)
            if (b.kind == QStringLiteral("error"))
                out << b.text;
        return out;
    }
};

// Installs a ScriptedSeam for the lifetime of the object.
struct SeamScope {
    ScriptedSeam seam;
    SeamScope() { forms::setSeam(&seam); }
    ~SeamScope() { forms::setSeam(nullptr); }
    SeamScope(const SeamScope &) = delete;
    SeamScope &operator=(const SeamScope &) = delete;
};
