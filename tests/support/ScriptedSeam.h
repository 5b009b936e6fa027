// A seam for tests: records every modal request and answers from a script.
// Shared by the test programs of the form library, the shell and the benchmark.
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

    // The texts of the boxes of one kind, in order.
    QStringList texts(const QString &kind) const
    {
        QStringList out;
        for (const Box &b : boxes)
            if (b.kind == kind)
                out << b.text;
        return out;
    }
    QStringList errors() const { return texts(QStringLiteral("error")); }
    QStringList messages() const { return texts(QStringLiteral("message")); }
    int count(const QString &kind) const { return int(texts(kind).size()); }
    // How often the form of that object name was shown modally.
    int shown(const QString &objectName) const { return int(texts(QStringLiteral("modal")).count(objectName)); }
    // The last box of a kind (an empty one when there is none).
    Box last(const QString &kind) const
    {
        for (auto it = boxes.crbegin(); it != boxes.crend(); ++it)
            if (it->kind == kind)
                return *it;
        return {};
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
