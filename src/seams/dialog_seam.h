#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// Every message box, question, file or colour dialog and modal exec() of the
// program goes through the installed dialogSeam. Production shows the real Qt
// dialogs; tests install a recorder that answers from a script, so no test can
// block on a modal dialog.

struct messageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    QString title;
    QString text;
    // Standard buttons, used when buttonTexts is empty.
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
    // Custom buttons in the order they are shown ("Yes!", "Repair", ...).
    QStringList buttonTexts;
    int defaultIndex = -1;
    int escapeIndex = -1;
};

struct fileRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString directory;
    QString filter;          // filter text as translated, e.g. "Config (*.a;*.b)"
    QString selectedFilter;  // in: preselected filter; out: the filter chosen
};

class dialogSeam {
public:
    virtual ~dialogSeam();

    // Standard buttons: returns the QMessageBox::StandardButton clicked.
    // Custom buttons: returns the index of the clicked text in buttonTexts.
    virtual int message(const messageRequest& request) = 0;
    // Both return an empty string when the user cancels.
    virtual QString openFileName(fileRequest& request) = 0;
    virtual QString saveFileName(fileRequest& request) = 0;
    // Returns an invalid colour when the user cancels.
    virtual QColor color(const QColor& initial, QWidget* parent, const QString& title) = 0;
    // Runs a modal dialog; returns its result code.
    virtual int exec(QDialog* dialog) = 0;
};

// The seam in force; the production one unless a test installed another.
dialogSeam& dialogs();
// Installs a seam (not owned); null restores the production seam.
void installDialogSeam(dialogSeam* seam);

// Qt's own file dialog shows nothing for "(*.a;*.b)": patterns must be
// separated by blanks. Returns the filter text with that repaired.
QString nativeFileFilter(const QString& filter);

// Shortcuts for the common shapes.
int showMessage(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
int askQuestion(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
                const QStringList& buttonTexts, int defaultIndex = 0, int escapeIndex = -1);
int execDialog(QDialog* dialog);
