#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QTranslator;
class gui_class;
class kv310_controller_class;

// One user-interface language.
struct languageEntry {
    QString name;                        // shown in the Language menu
    QString code;                        // two characters; "en" for English
    QTranslator* translator = nullptr;   // null for English; kept for the whole run
    QPointer<QAction> action;            // owned by the current main window; null between windows
};

// English first, then one entry per translation file in listing order.
extern QList<languageEntry> languageList;
// Indexes into languageList; -1 for none. 0 is English, which has no translator.
extern int requestedLanguage;
extern int installedLanguage;

// The language file in the current directory.
QString languageFileName();

// What the language file asks for; both empty when it is missing, too big,
// does not parse, has no "ini" node or is not a "Kv310+" file.
struct languageRequest {
    QString code;
    QString name;
};
languageRequest readLanguageFile(const QString& directory);

// Records the language in the language file of the directory, keeping the
// rest of a valid file. False when the file could not be written, or its
// name leads to no regular file; an earlier file then stays as it was.
bool writeLanguageFile(const QString& directory, const QString& code, const QString& name);

// Names of the translation files "KvOrbit310_*.qm" of the directory, plain
// readable files only, in the order the directory listing gives them.
QStringList findTranslationFiles(const QString& directory);

// Paths of the translation files the program offers: those of the current
// directory, then those beside the executable that the current directory
// has no file of that name for, so that a program started from elsewhere
// (the repository root, say) still finds the catalogues built with it.
QStringList findProgramTranslationFiles(const QString& currentDirectory, const QString& executableDirectory);

struct languageChoice {
    QList<languageEntry> languages;
    int requested = -1;
};

// The language list for the translation files (loaded from the directory
// unless a path is absolute, in the given order) and the index of the requested code; a later file with the
// same code wins. Only the requested name names a code that has no built-in name.
languageChoice buildLanguageList(const QString& directory, const QStringList& files,
                                 const languageRequest& request);

// The start-up choice: the language file's code ("pl" when it names none);
// when no file has it, the last listed translation; English when there is none.
languageChoice chooseStartLanguage(const QString& directory, const QStringList& files);

// Loads Qt's own catalogue of the language (the texts of file dialogs,
// standard buttons and other widgets Qt makes) from Qt's translations into
// the translator. False for English, which is Qt's own language, and for a
// language Qt has no catalogue of.
bool loadQtCatalogue(QTranslator& translator, const QString& code);

// Makes entry `index` of languageList the installed language: the
// translators of the installed one go, and the program's catalogue of the
// new one comes with Qt's own catalogue of the same language, so that the
// dialogs Qt makes speak it too, and with its locale for the names of days
// and months. English (0), or -1, installs no catalogue and goes back to
// the locale the program started with.
void installLanguage(int index);

// Where the command line's file names go, in the order they are given.
struct commandLineSink {
    std::function<void(const QString&)> configFile;
    std::function<void(const QString&)> libraryFile;
    std::function<void(const QString&)> projectFile;
};

// Scans the arguments after the program name (arguments[0]): -c, -l and -p
// (either case; only the first two characters count) take the next argument;
// other options only write "Bad parameter : <argument>" to the debug output;
// arguments not starting with "-" are skipped. A value option standing last
// ends the scan.
void scanCommandLine(const QStringList& arguments, const commandLineSink& sink);

// A new main window as the program opens it, shown and published as
// theMainWindow: built with the part its first frame shows; every other page
// is built when it is first shown or first needed. The configuration files
// named on the command line are read as the first window is built, the
// first one's image unpacked on a thread of its own while the widgets that
// read nothing of the show are made, the rest as files read, all before the
// window appears and before anything reads the image. Once its first frame
// is through, the window finishes its start (gui_class::finishStart).
gui_class* openMainWindow(kv310_controller_class* controller, const QStringList& configFiles = {});

// Lets a main window go, as the loop does before it builds the next one and
// at its end: what the window shows live on the controller (the monitor
// windows, DMX transparency) ends while the window and its pages still
// exist, so the controller is told; then the window is hidden and deleted,
// and theMainWindow is null.
void retireMainWindow(gui_class* window);

// Builds a main window for the requested language and runs the event loop,
// again for every change of language, until the user closes the program.
// The first window reads the configuration files.
// The last window is deleted before it returns, so the controller and the
// visual project outlive every page. Returns the last event loop's result.
int runRebuildLoop(kv310_controller_class* controller, const QStringList& configFiles = {});
