#pragma once

#include "seams/dialog_seam.h"

#include <QList>
#include <QVariant>
#include <functional>

// Installs itself as the dialog seam for its lifetime. Answers come from a
// script in the order the dialogs appear; every dialog is recorded.
// A dialog that needs a choice (several buttons, a file, a colour, a modal
// dialog) and finds no scripted answer fails the running test.
// A message with a single button needs no answer: it is acknowledged.
class dialogRecorder final : public dialogSeam {
public:
    struct entry {
        QString kind;  // "message", "open", "save", "color", "exec"
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QWidget* parent = nullptr;
        QString title;
        QString text;
        QStringList buttons;  // custom texts, or the standard button names
        QString filter;
        QString directory;
        QString dialogClass;  // class name of an exec()'d dialog
    };

    dialogRecorder();
    ~dialogRecorder() override;

    // A standard button value, or the index of a custom button.
    dialogRecorder& answer(int button);
    // File name (empty = cancel) and optionally the filter the user picked.
    dialogRecorder& answerFile(const QString& name, const QString& selectedFilter = QString());
    dialogRecorder& answerColor(const QColor& color);
    // Runs against the dialog instead of the user and returns its result code.
    dialogRecorder& answerExec(std::function<int(QDialog*)> handler);

    QList<entry> entries;
    // Texts of every message shown, in order.
    QStringList texts() const;
    QStringList titles() const;
    int pendingAnswers() const { return answers.size(); }
    void clear();

    int message(const messageRequest& request) override;
    QString openFileName(fileRequest& request) override;
    QString saveFileName(fileRequest& request) override;
    QColor color(const QColor& initial, QWidget* parent, const QString& title) override;
    int exec(QDialog* dialog) override;

private:
    struct scripted {
        QString kind;
        int button = 0;
        QString file;
        QString filter;
        QColor colour;
        std::function<int(QDialog*)> handler;
    };
    bool take(const QString& kind, scripted& out, const entry& e);
    QList<scripted> answers;
};
