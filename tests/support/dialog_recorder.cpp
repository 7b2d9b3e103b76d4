#include "dialog_recorder.h"

#include <QDialog>
#include <QMetaEnum>
#include <QTest>

dialogRecorder::dialogRecorder()
{
    installDialogSeam(this);
}

dialogRecorder::~dialogRecorder()
{
    installDialogSeam(nullptr);
}

dialogRecorder& dialogRecorder::answer(int button)
{
    scripted s;
    s.kind = QStringLiteral("message");
    s.button = button;
    answers.append(s);
    return *this;
}

dialogRecorder& dialogRecorder::answerFile(const QString& name, const QString& selectedFilter)
{
    scripted s;
    s.kind = QStringLiteral("file");
    s.file = name;
    s.filter = selectedFilter;
    answers.append(s);
    return *this;
}

dialogRecorder& dialogRecorder::answerColor(const QColor& color)
{
    scripted s;
    s.kind = QStringLiteral("color");
    s.colour = color;
    answers.append(s);
    return *this;
}

dialogRecorder& dialogRecorder::answerExec(std::function<int(QDialog*)> handler)
{
    scripted s;
    s.kind = QStringLiteral("exec");
    s.handler = std::move(handler);
    answers.append(s);
    return *this;
}

QStringList dialogRecorder::texts() const
{
    QStringList out;
    for (const entry& e : entries)
        if (e.kind == QLatin1String("message"))
            out.append(e.text);
    return out;
}

QStringList dialogRecorder::titles() const
{
    QStringList out;
    for (const entry& e : entries)
        if (e.kind == QLatin1String("message"))
            out.append(e.title);
    return out;
}

void dialogRecorder::clear()
{
    entries.clear();
    answers.clear();
}

bool dialogRecorder::take(const QString& kind, scripted& out, const entry& e)
{
    if (answers.isEmpty() || answers.first().kind != kind) {
        const QString what = QStringLiteral("unexpected %1 dialog \"%2\": %3")
                                 .arg(e.kind, e.title, e.text.isEmpty() ? e.dialogClass : e.text);
        QTest::qFail(qPrintable(what), __FILE__, __LINE__);
        return false;
    }
    out = answers.takeFirst();
    return true;
}

int dialogRecorder::message(const messageRequest& r)
{
    entry e;
    e.kind = QStringLiteral("message");
    e.icon = r.icon;
    e.parent = r.parent;
    e.title = r.title;
    e.text = r.text;
    int standardCount = 0;
    if (r.buttonTexts.isEmpty()) {
        const QMetaObject& mo = QMessageBox::staticMetaObject;
        int index = mo.indexOfEnumerator("StandardButtons");
        if (index < 0)
            index = mo.indexOfEnumerator("StandardButton");
        const QMetaEnum names = mo.enumerator(index);
        for (int bit = 0; bit < 31; ++bit) {
            const int v = 1 << bit;
            if (!(int(r.buttons) & v))
                continue;
            const char* key = names.isValid() ? names.valueToKey(v) : nullptr;
            e.buttons.append(key ? QString::fromLatin1(key) : QString::number(v));
            ++standardCount;
        }
    } else {
        e.buttons = r.buttonTexts;
    }
    entries.append(e);

    const bool single = r.buttonTexts.isEmpty() ? standardCount <= 1 : r.buttonTexts.size() == 1;
    if (single && (answers.isEmpty() || answers.first().kind != QLatin1String("message")))
        return r.buttonTexts.isEmpty() ? int(r.buttons ? QMessageBox::StandardButton(int(r.buttons)) : QMessageBox::Ok) : 0;
    scripted s;
    if (!take(QStringLiteral("message"), s, e))
        return r.buttonTexts.isEmpty() ? int(r.escapeButton) : r.escapeIndex;
    return s.button;
}

QString dialogRecorder::openFileName(fileRequest& r)
{
    entry e;
    e.kind = QStringLiteral("open");
    e.parent = r.parent;
    e.title = r.caption;
    e.filter = r.filter;
    e.directory = r.directory;
    entries.append(e);
    scripted s;
    if (!take(QStringLiteral("file"), s, e))
        return QString();
    if (!s.filter.isNull())
        r.selectedFilter = s.filter;
    return s.file;
}

QString dialogRecorder::saveFileName(fileRequest& r)
{
    entry e;
    e.kind = QStringLiteral("save");
    e.parent = r.parent;
    e.title = r.caption;
    e.filter = r.filter;
    e.directory = r.directory;
    entries.append(e);
    scripted s;
    if (!take(QStringLiteral("file"), s, e))
        return QString();
    if (!s.filter.isNull())
        r.selectedFilter = s.filter;
    return s.file;
}

QColor dialogRecorder::color(const QColor&, QWidget* parent, const QString& title)
{
    entry e;
    e.kind = QStringLiteral("color");
    e.parent = parent;
    e.title = title;
    entries.append(e);
    scripted s;
    if (!take(QStringLiteral("color"), s, e))
        return QColor();
    return s.colour;
}

int dialogRecorder::exec(QDialog* dialog)
{
    entry e;
    e.kind = QStringLiteral("exec");
    e.parent = dialog->parentWidget();
    e.title = dialog->windowTitle();
    e.dialogClass = QString::fromLatin1(dialog->metaObject()->className());
    entries.append(e);
    scripted s;
    if (!take(QStringLiteral("exec"), s, e))
        return QDialog::Rejected;
    return s.handler(dialog);
}
