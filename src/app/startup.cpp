#include "app/startup.h"

#include "app/gui_class.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "widgets/window_place.h"
#include "xml/xml_node.h"
#include "xml/xml_writer.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QTextStream>
#include <QThreadPool>
#include <QTimer>
#include <QTranslator>
#include <memory>
#include <utility>

QList<languageEntry> languageList;
int requestedLanguage = -1;
int installedLanguage = -1;

namespace {

// Has the event loop finish a window's start as soon as its first frame is
// through: the first paint event reaches the window before its children are
// painted, so the work is queued behind the rest of that frame.
//
// Until then the toolkit's global thread pool keeps one thread: the raster
// engine hands every fill taller than a few dozen rows to that pool in
// slices, one-pixel frame lines included, and starting a thread for each
// core and waiting on them for every line costs the first frame more than
// the slices save. The pool has its own size back once the watch is gone.
class firstFrameWatch : public QObject {
public:
    explicit firstFrameWatch(gui_class* window)
        : QObject(window), window(window), poolSize(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool::globalInstance()->setMaxThreadCount(1);
        window->installEventFilter(this);
    }
    ~firstFrameWatch() override { QThreadPool::globalInstance()->setMaxThreadCount(poolSize); }
    firstFrameWatch(const firstFrameWatch&) = delete;
    firstFrameWatch& operator=(const firstFrameWatch&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == window) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(window, &gui_class::finishStart, Qt::QueuedConnection);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    gui_class* window;
    int poolSize;
};

const QString deviceName = QStringLiteral("Kv310+");

// Qt's own texts in the installed language; made for the first language
// that needs them and kept for the whole run, like the program's catalogues.
QTranslator* qtTexts = nullptr;

// The locale the program found at its start: English keeps its formats.
const QLocale& startLocale()
{
    static const QLocale locale;
    return locale;
}

QString languageFilePath(const QString& directory)
{
    return QDir(directory).filePath(languageFileName());
}

// The whole language file as a tree, and its "ini" node when the file is a
// valid "Kv310+" language file; otherwise null for both.
struct languageTree {
    std::unique_ptr<xml_parse_node> root;
    xml_node* ini = nullptr;
};

languageTree loadLanguageTree(const QString& directory)
{
    languageTree tree;
    // A file too big for a language choice is ignored like one that does
    // not open, without a word.
    QFile file(languageFilePath(directory));
    if (openBoundedFile(file, fileLimit::languageFileMB, QIODevice::ReadOnly | QIODevice::Text)
        != boundedOpen::opened)
        return tree;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::System);
    auto root = std::make_unique<xml_parse_node>(-1);
    root->name = QStringLiteral("@root");
    QString line;
    while (root->read(in, line)) {
    }
    if (!root->isValid())
        return tree;
    xml_node* ini = root->findNode(QStringLiteral("ini"));
    if (!ini)
        return tree;
    const QString* device = ini->attrValue(QStringLiteral("device"));
    if (!device || *device != deviceName)
        return tree;
    tree.root = std::move(root);
    tree.ini = ini;
    return tree;
}

// Sets the first element read under that name (any letter case), so that
// what the next start reads is what was written; appends one when none exists.
void setReadElement(xml_node& node, const QString& name, const QString& value)
{
    if (xml_element* e = node.findElement(name))
        e->value = value;
    else
        node.setElement(name, value);
}

QString builtInLanguageName(const QString& code)
{
    static const struct {
        const char16_t* code;
        const char16_t* name;
    } names[] = {
        {u"pl", u"Polski"},   {u"de", u"Deutsch"}, {u"fr", u"Français"},
        {u"it", u"Italiano"}, {u"es", u"Español"}, {u"ru", u"Русский"},
    };
    for (const auto& n : names)
        if (code == QStringView(n.code))
            return QString::fromUtf16(n.name);
    return QString();
}

}  // namespace

QString languageFileName()
{
    return QStringLiteral("KvOrbit310+.lngi");
}

languageRequest readLanguageFile(const QString& directory)
{
    languageRequest request;
    const languageTree tree = loadLanguageTree(directory);
    if (!tree.ini)
        return request;
    if (const QString* code = tree.ini->elementValue(QStringLiteral("lang")))
        request.code = *code;
    if (const QString* name = tree.ini->elementValue(QStringLiteral("lang_name")))
        request.name = *name;
    return request;
}

bool writeLanguageFile(const QString& directory, const QString& code, const QString& name)
{
    languageTree tree = loadLanguageTree(directory);
    if (!tree.ini) {
        tree.root = std::make_unique<xml_parse_node>(-1);
        tree.root->name = QStringLiteral("@root");
        tree.ini = tree.root->addNode(QStringLiteral("ini"));
        tree.ini->setAttr(QStringLiteral("device"), deviceName);
    }
    tree.ini->setElement(QStringLiteral("desc"), QStringLiteral("Kv310+ parameters file"));
    setReadElement(*tree.ini, QStringLiteral("lang"), code);
    setReadElement(*tree.ini, QStringLiteral("lang_name"), name);

    // Written aside and renamed over the old file, so a failed write never
    // leaves a truncated language file behind. A name that leads to a
    // device, a pipe or a folder is not written at all: renaming over it
    // would replace the node.
    QSaveFile file(languageFilePath(directory));
    file.setDirectWriteFallback(true);
    if (!openRegularSaveFile(file, QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::System);
    out << xml_node(*tree.ini);
    out.flush();
    return file.commit();
}

QStringList findTranslationFiles(const QString& directory)
{
    return QDir(directory).entryList(QStringList{QStringLiteral("KvOrbit310_*.qm")},
                                     QDir::Files | QDir::Readable, QDir::Unsorted);
}

QStringList findProgramTranslationFiles(const QString& currentDirectory, const QString& executableDirectory)
{
    const QDir current(currentDirectory);
    const QStringList here = findTranslationFiles(currentDirectory);
    QStringList paths;
    for (const QString& name : here)
        paths.append(current.absoluteFilePath(name));
    const QDir beside(executableDirectory);
    if (executableDirectory.isEmpty() || beside.canonicalPath() == current.canonicalPath())
        return paths;
    for (const QString& name : findTranslationFiles(executableDirectory)) {
        if (!here.contains(name))
            paths.append(beside.absoluteFilePath(name));
    }
    return paths;
}

languageChoice buildLanguageList(const QString& directory, const QStringList& files,
                                 const languageRequest& request)
{
    languageChoice choice;
    choice.languages.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    if (request.code == QLatin1String("en"))
        choice.requested = 0;

    for (const QString& file : files) {
        languageEntry entry;
        entry.code = file.right(5).left(2);
        entry.translator = new QTranslator();
        // A catalogue that does not load still gets its entry; it shows the English texts.
        (void)entry.translator->load(file, directory);
        if (entry.code == request.code)
            choice.requested = choice.languages.size();
        entry.name = builtInLanguageName(entry.code);
        if (entry.name.isEmpty())
            entry.name = entry.code == request.code ? request.name
                                                    : QCoreApplication::translate("startup", "unknown");
        choice.languages.append(entry);
    }
    return choice;
}

languageChoice chooseStartLanguage(const QString& directory, const QStringList& files)
{
    languageRequest request = readLanguageFile(directory);
    if (request.code.isEmpty())
        request.code = QStringLiteral("pl");
    languageChoice choice = buildLanguageList(directory, files, request);
    if (choice.languages.size() > 1 && choice.requested < 0)
        choice.requested = choice.languages.size() - 1;
    if (choice.requested < 0)
        choice.requested = 0;
    return choice;
}

void scanCommandLine(const QStringList& arguments, const commandLineSink& sink)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (!arg.startsWith(QLatin1Char('-')))
            continue;
        const QChar option = arg.size() > 1 ? arg.at(1).toLower() : QChar();
        const std::function<void(const QString&)>* target = nullptr;
        if (option == u'c')
            target = &sink.configFile;
        else if (option == u'l')
            target = &sink.libraryFile;
        else if (option == u'p')
            target = &sink.projectFile;
        if (!target) {
            qDebug().noquote() << "Bad parameter :" << arg;
            continue;
        }
        if (i + 1 >= arguments.size())
            return;
        ++i;
        if (*target)
            (*target)(arguments.at(i));
    }
}

bool loadQtCatalogue(QTranslator& translator, const QString& code)
{
    if (code.isEmpty() || code == QLatin1String("en"))
        return false;
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase holds the texts of every widget the program uses; a language
    // Qt translated long ago may only have the catalogue of all its modules.
    return translator.load(QStringLiteral("qtbase_") + code, directory)
           || translator.load(QStringLiteral("qt_") + code, directory);
}

void installLanguage(int index)
{
    if (installedLanguage > 0 && installedLanguage < languageList.size()) {
        if (QTranslator* program = languageList.at(installedLanguage).translator)
            QCoreApplication::removeTranslator(program);
    }
    if (qtTexts)
        QCoreApplication::removeTranslator(qtTexts);
    (void)startLocale();
    installedLanguage = index;
    if (index <= 0 || index >= languageList.size()) {
        QLocale::setDefault(startLocale());
        return;
    }
    // Dates (the names of days in the date edits and the controller's
    // clock) in the language too; one Qt does not know keeps the start's.
    const QLocale locale(languageList.at(index).code);
    QLocale::setDefault(locale.language() == QLocale::C ? startLocale() : locale);
    if (!qtTexts)
        qtTexts = new QTranslator();
    // Installed first, so that the program's own texts win over Qt's.
    if (loadQtCatalogue(*qtTexts, languageList.at(index).code))
        QCoreApplication::installTranslator(qtTexts);
    if (QTranslator* program = languageList.at(index).translator)
        QCoreApplication::installTranslator(program);
}

gui_class* openMainWindow(kv310_controller_class* controller, const QStringList& configFiles)
{
    // The first file is unpacked while the window's form, panel and menus
    // are made; the window takes it before anything reads the image, as the
    // program without a window yet: its messages have no parent and come
    // before the window appears, the field of its project waits in the
    // project's tree for the page that shows it.
    if (controller && !configFiles.isEmpty())
        controller->startFirstConfiguration(configFiles.first());
    const auto takeFiles = [&] {
        if (!controller || configFiles.isEmpty())
            return;
        const QScopedValueRollback<gui_base_class*> noWindowYet(theMainWindow, nullptr);
        controller->finishFirstConfiguration();
        for (qsizetype i = 1; i < configFiles.size(); ++i)
            controller->read_confDataFromFile(configFiles.at(i));
    };
    auto* window = new gui_class(controller, nullptr, gui_class::windowBuild::visibleFirst, takeFiles);
    theMainWindow = window;
    const QPointer<firstFrameWatch> watch = new firstFrameWatch(window);
    // A window the platform never paints (started minimised, say) finishes
    // its start all the same.
    QTimer::singleShot(1000, window, [window, watch] {
        delete watch.data();
        window->finishStart();
    });
    window->show();
    return window;
}

void retireMainWindow(gui_class* window)
{
    // Pages not built yet show nothing live and have nothing open.
    window->closeLiveViews();
    window->vCloseAll();
    window->hide();
    delete window;
    theMainWindow = nullptr;
}

int runRebuildLoop(kv310_controller_class* controller, const QStringList& configFiles)
{
    int result = 0;
    gui_class* window = nullptr;
    QStringList filesToRead = configFiles;
    while (requestedLanguage >= 0) {
        // The user finds the new window where they left the old one.
        windowPlace place;
        if (window && requestedLanguage != installedLanguage) {
            place = windowPlace::of(window);
            retireMainWindow(window);
            window = nullptr;
        }
        if (!window) {
            installLanguage(requestedLanguage);
            // The command line's configuration files are the first window's.
            window = openMainWindow(controller, std::exchange(filesToRead, QStringList()));
            if (!place.isEmpty())
                window->takePlace(std::move(place));
        }
        requestedLanguage = -1;
        result = QApplication::exec();
    }
    // The pages of the last window point into the controller and the visual
    // project: the window goes before them.
    if (window)
        retireMainWindow(window);
    return result;
}
