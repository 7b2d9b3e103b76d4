#include "dialog_seam.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QPushButton>
#include <QRegularExpression>

dialogSeam::~dialogSeam() = default;

namespace {

class qtDialogs final : public dialogSeam {
public:
    int message(const messageRequest& r) override
    {
        QMessageBox box(r.icon, r.title, r.text, QMessageBox::NoButton, r.parent);
        if (r.buttonTexts.isEmpty()) {
            box.setStandardButtons(r.buttons);
            if (r.defaultButton != QMessageBox::NoButton)
                box.setDefaultButton(r.defaultButton);
            if (r.escapeButton != QMessageBox::NoButton)
                box.setEscapeButton(r.escapeButton);
            box.exec();
            QAbstractButton* clicked = box.clickedButton();
            if (!clicked)
                return r.escapeButton != QMessageBox::NoButton ? int(r.escapeButton) : int(QMessageBox::NoButton);
            return int(box.standardButton(clicked));
        }
        QList<QPushButton*> added;
        for (const QString& text : r.buttonTexts)
            added.append(box.addButton(text, QMessageBox::AcceptRole));
        if (r.defaultIndex >= 0 && r.defaultIndex < added.size())
            box.setDefaultButton(added.at(r.defaultIndex));
        // Closing the box counts as the escape button.
        if (r.escapeIndex >= 0 && r.escapeIndex < added.size())
            box.setEscapeButton(added.at(r.escapeIndex));
        box.exec();
        const int index = added.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
        return index >= 0 ? index : r.escapeIndex;
    }

    QString openFileName(fileRequest& r) override
    {
        QString selected = nativeFileFilter(r.selectedFilter);
        const QString name = QFileDialog::getOpenFileName(r.parent, r.caption, r.directory,
                                                          nativeFileFilter(r.filter), &selected);
        r.selectedFilter = originalFilter(r.filter, selected);
        return name;
    }

    QString saveFileName(fileRequest& r) override
    {
        QString selected = nativeFileFilter(r.selectedFilter);
        const QString name = QFileDialog::getSaveFileName(r.parent, r.caption, r.directory,
                                                          nativeFileFilter(r.filter), &selected);
        r.selectedFilter = originalFilter(r.filter, selected);
        return name;
    }

    QColor color(const QColor& initial, QWidget* parent, const QString& title) override
    {
        return QColorDialog::getColor(initial, parent, title);
    }

    int exec(QDialog* dialog) override { return dialog->exec(); }

private:
    // Callers compare the selected filter with their own (untranslated-form) texts.
    static QString originalFilter(const QString& filters, const QString& selected)
    {
        for (const QString& f : filters.split(QStringLiteral(";;")))
            if (nativeFileFilter(f) == selected)
                return f;
        return selected;
    }
};

qtDialogs productionSeam;
dialogSeam* current = nullptr;

} // namespace

dialogSeam& dialogs()
{
    return current ? *current : static_cast<dialogSeam&>(productionSeam);
}

void installDialogSeam(dialogSeam* seam)
{
    current = seam;
}

QString nativeFileFilter(const QString& filter)
{
    static const QRegularExpression patterns(QStringLiteral("\\(([^()]*)\\)"));
    QString out;
    qsizetype last = 0;
    auto it = patterns.globalMatch(filter);
    while (it.hasNext()) {
        const auto m = it.next();
        out += filter.mid(last, m.capturedStart(1) - last);
        QStringList parts = m.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : parts)
            p = p.trimmed();
        out += parts.join(QLatin1Char(' '));
        last = m.capturedEnd(1);
    }
    out += filter.mid(last);
    return out;
}

int showMessage(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    messageRequest r;
    r.icon = icon;
    r.parent = parent;
    r.title = title;
    r.text = text;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return dialogs().message(r);
}

int askQuestion(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
                const QStringList& buttonTexts, int defaultIndex, int escapeIndex)
{
    messageRequest r;
    r.icon = icon;
    r.parent = parent;
    r.title = title;
    r.text = text;
    r.buttonTexts = buttonTexts;
    r.defaultIndex = defaultIndex;
    r.escapeIndex = escapeIndex;
    return dialogs().message(r);
}

int execDialog(QDialog* dialog)
{
    return dialogs().exec(dialog);
}
