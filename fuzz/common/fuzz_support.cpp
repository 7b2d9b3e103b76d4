#include "fuzz_support.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QString workDirectory;

void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

void fuzzInitialize(const char* name)
{
    static int argc = 1;
    static char programName[] = "kvfuzz";
    static char* argv[] = {programName, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*=false");
    qInstallMessageHandler(quietMessages);
    // Lives until the process ends; libFuzzer exits without unwinding.
    static QApplication* app = new QApplication(argc, argv);
    Q_UNUSED(app);

    static std::unique_ptr<QTemporaryDir> dir;
    dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kvfuzz-%1-XXXXXX").arg(QLatin1String(name)));
    workDirectory = dir->path();
    std::atexit([] { dir.reset(); });
}

QString fuzzDirectory()
{
    return workDirectory;
}

void fuzzSettle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString fuzzWriteFile(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = QDir(workDirectory).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

fuzzDialogs::fuzzDialogs()
{
    installDialogSeam(this);
}

fuzzDialogs::~fuzzDialogs()
{
    installDialogSeam(nullptr);
}

int fuzzDialogs::message(const messageRequest& r)
{
    ++shown;
    lastText = r.text;
    if (!answers.isEmpty())
        return answers.takeFirst();
    if (r.buttonTexts.isEmpty()) {
        if (escape && r.escapeButton != QMessageBox::NoButton)
            return int(r.escapeButton);
        if (r.defaultButton != QMessageBox::NoButton)
            return int(r.defaultButton);
        // The first standard button the box has, in QMessageBox's order.
        for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
            if (r.buttons & QMessageBox::StandardButton(b))
                return b;
        return int(QMessageBox::Ok);
    }
    if (choices != 0) {
        const int count = int(r.buttonTexts.size());
        const int index = int(choices % uint64_t(count));
        choices /= uint64_t(count);
        return index;
    }
    if (escape && r.escapeIndex >= 0)
        return r.escapeIndex;
    return r.defaultIndex >= 0 ? r.defaultIndex : 0;
}

QString fuzzDialogs::openFileName(fileRequest&)
{
    ++shown;
    return QString();
}

QString fuzzDialogs::saveFileName(fileRequest&)
{
    ++shown;
    return QString();
}

QColor fuzzDialogs::color(const QColor&, QWidget*, const QString&)
{
    ++shown;
    return QColor();
}

int fuzzDialogs::exec(QDialog*)
{
    ++shown;
    return QDialog::Rejected;
}
