#pragma once

#include "seams/dialog_seam.h"

#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

// What every harness shares: an offscreen application (the model builds
// widgets), debug output switched off (it would only slow the fuzzer), a
// private directory for the files the harness writes, and a dialog seam
// that answers every dialog without a user. The readers write their error
// report ("xml_report.log") into the current directory, as in the program.

// Call from LLVMFuzzerInitialize. `name` names the private directory.
void fuzzInitialize(const char* name);

// The private directory of this process.
QString fuzzDirectory();

// Delivers the events the input posted (deferred deletions included). The
// harnesses run no event loop; without this the events would pile up from
// input to input and every object deleted would search through all of them.
void fuzzSettle();

// Writes the bytes to the named file of the private directory, replacing
// what it held, and returns its path.
QString fuzzWriteFile(const QString& name, const uint8_t* data, size_t size);

// Answers dialogs with scripted answers while it has some, then as a user
// who takes the default (or the escape button, when asked to): messages
// with the default or first button, file dialogs cancelled, modal dialogs
// rejected. Questions with buttons of their own may instead take their
// answers from `choices`. Counts what it was shown.
class fuzzDialogs final : public dialogSeam {
public:
    fuzzDialogs();
    ~fuzzDialogs() override;

    // The answers to the next dialogs: a standard button value, or the index
    // of a custom button.
    QList<int> answers;
    // Take the escape button where there is one, instead of the default.
    bool escape = false;
    // Answers to questions with buttons of their own, drawn as digits in the
    // base of each question's button count; the default once it is 0.
    uint64_t choices = 0;
    int shown = 0;
    QString lastText;  // of the last message

    int message(const messageRequest& request) override;
    QString openFileName(fileRequest& request) override;
    QString saveFileName(fileRequest& request) override;
    QColor color(const QColor& initial, QWidget* parent, const QString& title) override;
    int exec(QDialog* dialog) override;
};
