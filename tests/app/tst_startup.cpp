#include "app/gui_class.h"
#include "app/startup.h"
#include "model/kv310_controller.h"
#include "support/dialog_recorder.h"
#include "support/shown_text.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <sys/stat.h>

class tst_startup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void readingTheLanguageFile_data();
    void readingTheLanguageFile();
    void writingTheLanguageFile_data();
    void writingTheLanguageFile();
    void aFileSpellingLangOtherwiseRecordsTheChange();
    void anUnwritableLanguageFileIsReported();
    void aLanguageNamedByTheFileShowsAsWritten();
    void aLanguageFileThatIsNoRegularFileIsPassedOver_data();
    void aLanguageFileThatIsNoRegularFileIsPassedOver();
    void translationFilesAreFoundByName();
    void translationsBesideTheProgram_data();
    void translationsBesideTheProgram();
    void startLanguage_data();
    void startLanguage();
    void commandLine_data();
    void commandLine();
    void qtTextsFollowTheLanguage_data();
    void qtTextsFollowTheLanguage();
    void choosingTheInstalledLanguageDoesNothing();
    void choosingALanguageRebuildsOneWindow();

private:
    void writeFile(const QString& name, const QByteArray& content);
    QByteArray fileContent(const QString& name) const;
    void resetLanguages();

    std::unique_ptr<QTemporaryDir> dir;
    QString previousDirectory;
};

namespace {

const QByteArray freshFile = "<ini device=\"Kv310+\">\n"
                             " <desc>Kv310+ parameters file</desc>\n"
                             " <lang>de</lang>\n"
                             " <lang_name>Deutsch</lang_name>\n"
                             "</ini>\n";

QString catalogueName(const QString& code)
{
    return QStringLiteral("KvOrbit310_%1.qm").arg(code);
}

}  // namespace

void tst_startup::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    previousDirectory = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));
    resetLanguages();
}

void tst_startup::cleanup()
{
    QDir::setCurrent(previousDirectory);
    resetLanguages();
    dir.reset();
}

void tst_startup::resetLanguages()
{
    installLanguage(-1);
    for (const languageEntry& e : std::as_const(languageList))
        delete e.translator;
    languageList.clear();
    requestedLanguage = -1;
    installedLanguage = -1;
}

void tst_startup::writeFile(const QString& name, const QByteArray& content)
{
    QFile f(dir->filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray tst_startup::fileContent(const QString& name) const
{
    QFile f(dir->filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void tst_startup::readingTheLanguageFile_data()
{
    QTest::addColumn<QByteArray>("content");  // null: no file at all
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("no file") << QByteArray() << "" << "";
    QTest::newRow("as written") << freshFile << "de" << "Deutsch";
    QTest::newRow("names in other letter cases")
        << QByteArray("<ini device=\"Kv310+\">\n <LANG>it</LANG>\n <Lang_Name>Italiano</Lang_Name>\n</ini>\n") << "it"
        << "Italiano";
    QTest::newRow("first of two lang elements")
        << QByteArray("<ini device=\"Kv310+\">\n <Lang>fr</Lang>\n <lang>de</lang>\n</ini>\n") << "fr" << "";
    QTest::newRow("without lang") << QByteArray("<ini device=\"Kv310+\">\n <lang_name>X</lang_name>\n</ini>\n") << ""
                                  << "X";
    QTest::newRow("device with a trailing blank")
        << QByteArray("<ini device=\"Kv310+ \">\n <lang>de</lang>\n</ini>\n") << "" << "";
    QTest::newRow("device in another case") << QByteArray("<ini device=\"KV310+\">\n <lang>de</lang>\n</ini>\n") << ""
                                            << "";
    QTest::newRow("no device") << QByteArray("<ini>\n <lang>de</lang>\n</ini>\n") << "" << "";
    QTest::newRow("node named INI") << QByteArray("<INI device=\"Kv310+\">\n <lang>de</lang>\n</INI>\n") << "" << "";
    QTest::newRow("does not parse") << QByteArray("<ini device=\"Kv310+\">\n <lang>de</lang>\n</inx>\n") << "" << "";
    QTest::newRow("empty file") << QByteArray("") << "" << "";
    QTest::newRow("binary garbage") << QByteArray("\x00\xff<<<\x01>\n</", 9) << "" << "";
}

void tst_startup::readingTheLanguageFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, code);
    QFETCH(QString, name);
    if (!content.isNull())
        writeFile(languageFileName(), content);
    const languageRequest r = readLanguageFile(dir->path());
    QCOMPARE(r.code, code);
    QCOMPARE(r.name, name);
    QVERIFY(!QFile::exists(dir->filePath(QStringLiteral("xml_report.log"))));
}

void tst_startup::writingTheLanguageFile_data()
{
    QTest::addColumn<QByteArray>("before");  // null: no file
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("from scratch") << QByteArray() << freshFile;
    QTest::newRow("rewritten") << QByteArray("<ini device=\"Kv310+\">\n <desc>old</desc>\n <lang>pl</lang>\n"
                                             " <lang_name>Polski</lang_name>\n</ini>\n")
                               << freshFile;
    QTest::newRow("other content kept")
        << QByteArray("<?xml version=\"1.0\"?>\n<ini device=\"Kv310+\" extra=\"1\">\n <!-- mine -->\n <lang>pl</lang>\n"
                      " <other>x</other>\n <sub>\n  <a>1</a>\n </sub>\n</ini>\n<after>y</after>\n")
        << QByteArray("<ini device=\"Kv310+\" extra=\"1\">\n <!-- mine -->\n <lang>de</lang>\n <other>x</other>\n"
                      " <desc>Kv310+ parameters file</desc>\n <lang_name>Deutsch</lang_name>\n <sub>\n  <a>1</a>\n"
                      " </sub>\n</ini>\n");
    QTest::newRow("other device starts afresh")
        << QByteArray("<ini device=\"Kv300\">\n <lang>pl</lang>\n <keep>no</keep>\n</ini>\n") << freshFile;
    QTest::newRow("broken file starts afresh") << QByteArray("<ini device=\"Kv310+\">\n <lang>pl\n") << freshFile;
}

void tst_startup::writingTheLanguageFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    if (!before.isNull())
        writeFile(languageFileName(), before);
    QVERIFY(writeLanguageFile(dir->path(), QStringLiteral("de"), QStringLiteral("Deutsch")));
    QCOMPARE(fileContent(languageFileName()), after);
    const languageRequest r = readLanguageFile(dir->path());
    QCOMPARE(r.code, QStringLiteral("de"));
    QCOMPARE(r.name, QStringLiteral("Deutsch"));
}

void tst_startup::aFileSpellingLangOtherwiseRecordsTheChange()
{
    writeFile(languageFileName(),
              "<ini device=\"Kv310+\">\n <Lang>pl</Lang>\n <LANG_NAME>Polski</LANG_NAME>\n</ini>\n");
    QVERIFY(writeLanguageFile(dir->path(), QStringLiteral("de"), QStringLiteral("Deutsch")));
    QCOMPARE(fileContent(languageFileName()),
             QByteArray("<ini device=\"Kv310+\">\n <Lang>de</Lang>\n <LANG_NAME>Deutsch</LANG_NAME>\n"
                        " <desc>Kv310+ parameters file</desc>\n</ini>\n"));
    QCOMPARE(readLanguageFile(dir->path()).code, QStringLiteral("de"));
}

void tst_startup::anUnwritableLanguageFileIsReported()
{
    // A directory in the file's place cannot be replaced by a file.
    QVERIFY(QDir(dir->path()).mkdir(languageFileName()));
    QVERIFY(!writeLanguageFile(dir->path(), QStringLiteral("de"), QStringLiteral("Deutsch")));

    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    languageList.append(languageEntry{QStringLiteral("Deutsch"), QStringLiteral("de"), nullptr, nullptr});
    installedLanguage = 0;
    dialogRecorder rec;
    gui_class window(nullptr);
    QVERIFY(languageList.at(1).action);
    languageList.at(1).action->trigger();
    QCOMPARE(rec.titles(), QStringList{QStringLiteral("Warning!")});
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Cannot write new language!")});
    QCOMPARE(rec.entries.at(0).parent, &window);
    QCOMPARE(rec.entries.at(0).icon, QMessageBox::Warning);
    // The change goes on for this run all the same.
    QCOMPARE(requestedLanguage, 1);
}

// A language the program has no name for is named in the menu as the
// language file names it, "&" and all, and takes no shortcut key from it.
void tst_startup::aLanguageNamedByTheFileShowsAsWritten()
{
    const QString name = QStringLiteral("Drum & bass && co");
    QVERIFY(writeLanguageFile(dir->path(), QStringLiteral("xx"), name));
    const languageChoice choice =
        buildLanguageList(dir->path(), {QStringLiteral("KvOrbit310_xx.qm")}, readLanguageFile(dir->path()));
    languageList = choice.languages;
    QCOMPARE(languageList.size(), 2);
    QCOMPARE(languageList.at(1).name, name);
    installedLanguage = 0;
    dialogRecorder rec;
    gui_class window(nullptr);
    const QAction* action = languageList.at(1).action;
    QVERIFY(action);
    QCOMPARE(shownText(action->text()), name);
    QVERIFY(QKeySequence::mnemonic(action->text()).isEmpty());
}

void tst_startup::aLanguageFileThatIsNoRegularFileIsPassedOver_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("named pipe") << true;
    QTest::newRow("directory") << false;
}

void tst_startup::aLanguageFileThatIsNoRegularFileIsPassedOver()
{
    QFETCH(bool, pipe);
    const QByteArray name = QFile::encodeName(dir->filePath(languageFileName()));
    if (pipe)
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else
        QVERIFY(QDir(dir->path()).mkdir(languageFileName()));
    // Read at once, without waiting for a writer on the pipe.
    const languageRequest r = readLanguageFile(dir->path());
    QVERIFY(r.code.isEmpty());
    QVERIFY(r.name.isEmpty());
    // Nor is it written: the pipe or the folder stays.
    QVERIFY(!writeLanguageFile(dir->path(), QStringLiteral("de"), QStringLiteral("Deutsch")));
    struct stat st;
    QCOMPARE(::lstat(name.constData(), &st), 0);
    QVERIFY(pipe ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
}

void tst_startup::translationFilesAreFoundByName()
{
    for (const char* name : {"KvOrbit310_de.qm", "KvOrbit310_pl.qm", "KvOrbit310_xx.qm", "other_de.qm",
                             "KvOrbit310_fr.txt", "KvOrbit310.qm"})
        writeFile(QString::fromLatin1(name), "x");
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("KvOrbit310_it.qm")));
    QStringList found = findTranslationFiles(dir->path());
    found.sort();
    QCOMPARE(found, (QStringList{"KvOrbit310_de.qm", "KvOrbit310_pl.qm", "KvOrbit310_xx.qm"}));
}

void tst_startup::translationsBesideTheProgram_data()
{
    QTest::addColumn<QStringList>("here");     // codes in the current directory
    QTest::addColumn<QStringList>("beside");   // codes beside the executable
    QTest::addColumn<bool>("sameDirectory");
    QTest::addColumn<QStringList>("found");    // "here:de", "beside:pl", in order

    QTest::newRow("started from elsewhere") << QStringList() << QStringList{"de"} << false
                                            << QStringList{"beside:de"};
    QTest::newRow("the current directory's file first and kept")
        << QStringList{"de"} << QStringList{"de", "pl"} << false << QStringList{"here:de", "beside:pl"};
    QTest::newRow("started beside the program") << QStringList{"de"} << QStringList() << true
                                                << QStringList{"here:de"};
}

// Started with tools/run.sh from the repository root, the program still
// offers the catalogues built beside it.
void tst_startup::translationsBesideTheProgram()
{
    QFETCH(QStringList, here);
    QFETCH(QStringList, beside);
    QFETCH(bool, sameDirectory);
    QFETCH(QStringList, found);
    QTemporaryDir programDir;
    const QString besideDir = sameDirectory ? dir->path() : programDir.path();
    for (const QString& code : std::as_const(here))
        QVERIFY(QFile::copy(QStringLiteral(KV_TEST_CATALOGUE), dir->filePath(catalogueName(code))));
    for (const QString& code : std::as_const(beside))
        QVERIFY(QFile::copy(QStringLiteral(KV_TEST_CATALOGUE), QDir(besideDir).filePath(catalogueName(code))));

    const QStringList files = findProgramTranslationFiles(dir->path(), besideDir);
    QStringList got;
    for (const QString& path : files) {
        const QFileInfo info(path);
        QVERIFY(info.isAbsolute());
        const bool isHere = info.absoluteDir() == QDir(dir->path());
        got.append((isHere ? QStringLiteral("here:") : QStringLiteral("beside:")) + path.right(5).left(2));
    }
    QCOMPARE(got, found);

    // And each of them loads.
    const languageChoice choice = chooseStartLanguage(dir->path(), files);
    QCOMPARE(choice.languages.size(), files.size() + 1);
    for (int i = 1; i < choice.languages.size(); ++i) {
        QVERIFY(!choice.languages.at(i).translator->isEmpty());
        delete choice.languages.at(i).translator;
    }
}

void tst_startup::startLanguage_data()
{
    QTest::addColumn<QByteArray>("languageFile");  // null: none
    QTest::addColumn<QStringList>("files");         // in listing order
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("requested");

    const auto file = [](const char* code, const char* name) {
        return QByteArray("<ini device=\"Kv310+\">\n <lang>") + code + "</lang>\n <lang_name>" + name
               + "</lang_name>\n</ini>\n";
    };
    const QString de = catalogueName("de"), pl = catalogueName("pl"), fr = catalogueName("fr");

    QTest::newRow("no file, pl present") << QByteArray() << QStringList{de, pl}
                                         << QStringList{"English", "Deutsch", "Polski"}
                                         << QStringList{"en", "de", "pl"} << 2;
    QTest::newRow("no file, pl listed first") << QByteArray() << QStringList{pl, de}
                                              << QStringList{"English", "Polski", "Deutsch"}
                                              << QStringList{"en", "pl", "de"} << 1;
    QTest::newRow("no file, only de") << QByteArray() << QStringList{de} << QStringList{"English", "Deutsch"}
                                      << QStringList{"en", "de"} << 1;
    QTest::newRow("no file, no pl: the last listed") << QByteArray() << QStringList{de, fr}
                                                     << QStringList{"English", "Deutsch", "Français"}
                                                     << QStringList{"en", "de", "fr"} << 2;
    QTest::newRow("no file, no pl, other order") << QByteArray() << QStringList{fr, de}
                                                 << QStringList{"English", "Français", "Deutsch"}
                                                 << QStringList{"en", "fr", "de"} << 2;
    QTest::newRow("asks for en") << file("en", "English") << QStringList{de, pl}
                                 << QStringList{"English", "Deutsch", "Polski"} << QStringList{"en", "de", "pl"} << 0;
    QTest::newRow("asks for de") << file("de", "Deutsch") << QStringList{de, pl}
                                 << QStringList{"English", "Deutsch", "Polski"} << QStringList{"en", "de", "pl"} << 1;
    QTest::newRow("no translation at all") << file("de", "Deutsch") << QStringList{} << QStringList{"English"}
                                           << QStringList{"en"} << 0;
    QTest::newRow("no file, no translation") << QByteArray() << QStringList{} << QStringList{"English"}
                                             << QStringList{"en"} << 0;
    QTest::newRow("code in another case does not match")
        << file("PL", "Polski") << QStringList{pl, de} << QStringList{"English", "Polski", "Deutsch"}
        << QStringList{"en", "pl", "de"} << 2;
    QTest::newRow("unknown codes: the file names the asked one")
        << file("cs", "Čeština") << QStringList{catalogueName("cs"), catalogueName("nl")}
        << QStringList{"English", "Čeština", "unknown"} << QStringList{"en", "cs", "nl"} << 1;
    QTest::newRow("unknown code not asked for") << QByteArray() << QStringList{catalogueName("nl"), pl}
                                                << QStringList{"English", "unknown", "Polski"}
                                                << QStringList{"en", "nl", "pl"} << 2;
    QTest::newRow("duplicates: the later one wins")
        << file("de", "Deutsch") << QStringList{de, pl, QStringLiteral("KvOrbit310_old_de.qm")}
        << QStringList{"English", "Deutsch", "Polski", "Deutsch"} << QStringList{"en", "de", "pl", "de"} << 3;
    QTest::newRow("every built-in name")
        << file("es", "") << QStringList{catalogueName("ru"), catalogueName("it"), catalogueName("es")}
        << QStringList{"English", "Русский", "Italiano", "Español"} << QStringList{"en", "ru", "it", "es"} << 3;
    QTest::newRow("ignored file: as without one")
        << QByteArray("<ini device=\"Kv310+ \">\n <lang>de</lang>\n</ini>\n") << QStringList{pl, de}
        << QStringList{"English", "Polski", "Deutsch"} << QStringList{"en", "pl", "de"} << 1;
}

void tst_startup::startLanguage()
{
    QFETCH(QByteArray, languageFile);
    QFETCH(QStringList, files);
    QFETCH(QStringList, names);
    QFETCH(QStringList, codes);
    QFETCH(int, requested);
    if (!languageFile.isNull())
        writeFile(languageFileName(), languageFile);

    const languageChoice choice = chooseStartLanguage(dir->path(), files);
    QStringList gotNames, gotCodes;
    for (const languageEntry& e : choice.languages) {
        gotNames << e.name;
        gotCodes << e.code;
        QVERIFY(!e.action);
    }
    QCOMPARE(gotNames, names);
    QCOMPARE(gotCodes, codes);
    QCOMPARE(choice.requested, requested);
    QVERIFY(!choice.languages.at(0).translator);
    for (int i = 1; i < choice.languages.size(); ++i) {
        QVERIFY(choice.languages.at(i).translator);
        QVERIFY(!choice.languages.at(i).translator->parent());
    }
    for (const languageEntry& e : choice.languages)
        delete e.translator;
}

void tst_startup::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("debug");

    const QStringList none;
    QTest::newRow("nothing") << QStringList{"prog"} << none << none;
    QTest::newRow("c") << QStringList{"prog", "-c", "a.31xcfg"} << QStringList{"c a.31xcfg"} << none;
    QTest::newRow("C") << QStringList{"prog", "-C", "a.31xcfg"} << QStringList{"c a.31xcfg"} << none;
    QTest::newRow("only two characters count")
        << QStringList{"prog", "-config", "a", "-Library", "b", "-px", "c"} << QStringList{"c a", "l b", "p c"}
        << none;
    QTest::newRow("l and p") << QStringList{"prog", "-l", "lib.fxl", "-P", "show.kvp"}
                             << QStringList{"l lib.fxl", "p show.kvp"} << none;
    QTest::newRow("in the order given, repeated")
        << QStringList{"prog", "-c", "a", "-L", "x", "-c", "b", "-l", "y"} << QStringList{"c a", "l x", "c b", "l y"}
        << none;
    QTest::newRow("value option last is ignored") << QStringList{"prog", "-c"} << none << none;
    QTest::newRow("value option last ends the scan") << QStringList{"prog", "-c", "a", "-p"} << QStringList{"c a"}
                                                     << none;
    QTest::newRow("the value is taken whatever it is") << QStringList{"prog", "-c", "-p", "x"}
                                                       << QStringList{"c -p"} << none;
    QTest::newRow("names without an option are skipped") << QStringList{"prog", "a.31xcfg", "b"} << none << none;
    QTest::newRow("other letter") << QStringList{"prog", "-x", "a.31xcfg"} << none
                                  << QStringList{"Bad parameter : -x"};
    QTest::newRow("dash alone") << QStringList{"prog", "-", "-c", "a"} << QStringList{"c a"}
                                << QStringList{"Bad parameter : -"};
    QTest::newRow("double dash") << QStringList{"prog", "--c", "a"} << none << QStringList{"Bad parameter : --c"};
    QTest::newRow("program name is not scanned") << QStringList{"-c", "a"} << none << none;
}

void tst_startup::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, debug);
    QStringList got;
    commandLineSink sink;
    sink.configFile = [&got](const QString& n) { got << QStringLiteral("c ") + n; };
    sink.libraryFile = [&got](const QString& n) { got << QStringLiteral("l ") + n; };
    sink.projectFile = [&got](const QString& n) { got << QStringLiteral("p ") + n; };
    for (const QString& line : debug)
        QTest::ignoreMessage(QtDebugMsg, qPrintable(line));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    scanCommandLine(arguments, sink);
    QCOMPARE(got, calls);
}

void tst_startup::qtTextsFollowTheLanguage_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("yes");       // a standard button's text as Qt gives it
    QTest::addColumn<QString>("cancel");    // a button box's Cancel button
    QTest::addColumn<QString>("language");  // the program's own text
    QTest::addColumn<QString>("friday");    // a day's name in dates; empty: as at start

    // English, Polish, German (with a program catalogue), a language Qt has no catalogue of.
    QTest::newRow("English at start") << -1 << 0 << "&Yes" << "Cancel" << "&Language" << "";
    QTest::newRow("Polish at start") << -1 << 1 << "&Tak" << "Anuluj" << "&Language" << "piątek";
    QTest::newRow("Polish to English") << 1 << 0 << "&Yes" << "Cancel" << "&Language" << "";
    QTest::newRow("Polish to German") << 1 << 2 << "&Ja" << "Abbrechen" << "&Sprache" << "Freitag";
    QTest::newRow("German to one Qt has none of") << 2 << 3 << "&Yes" << "Cancel" << "&Language" << "";
}

// The dialogs Qt makes (file dialogs, standard buttons) speak the language
// of the interface, and only that one.
void tst_startup::qtTextsFollowTheLanguage()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, yes);
    QFETCH(QString, cancel);
    QFETCH(QString, language);
    QFETCH(QString, friday);
    if (friday.isEmpty())
        friday = QLocale::system().dayName(5);
    auto* german = new QTranslator();
    QVERIFY(german->load(QStringLiteral(KV_TEST_CATALOGUE)));
    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    languageList.append(languageEntry{QStringLiteral("Polski"), QStringLiteral("pl"), nullptr, nullptr});
    languageList.append(languageEntry{QStringLiteral("Deutsch"), QStringLiteral("de"), german, nullptr});
    languageList.append(languageEntry{QStringLiteral("xx"), QStringLiteral("xx"), new QTranslator(), nullptr});

    installLanguage(from);
    installLanguage(to);
    QCOMPARE(installedLanguage, to);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), yes);
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), cancel);
    QCOMPARE(QCoreApplication::translate("gui_class", "&Language"), language);
    QCOMPARE(QLocale().dayName(5), friday);
}

void tst_startup::choosingTheInstalledLanguageDoesNothing()
{
    languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
    languageList.append(languageEntry{QStringLiteral("Deutsch"), QStringLiteral("de"), nullptr, nullptr});
    installedLanguage = 1;
    dialogRecorder rec;
    gui_class window(nullptr);
    languageList.at(1).action->trigger();
    QCOMPARE(requestedLanguage, -1);
    QVERIFY(!QFile::exists(dir->filePath(languageFileName())));
    QVERIFY(rec.entries.isEmpty());
}

void tst_startup::choosingALanguageRebuildsOneWindow()
{
    QVERIFY(QFile::copy(QStringLiteral(KV_TEST_CATALOGUE), dir->filePath(catalogueName("de"))));
    writeFile(languageFileName(), "<ini device=\"Kv310+\">\n <lang>en</lang>\n <lang_name>English</lang_name>\n</ini>\n");
    const languageChoice choice = chooseStartLanguage(dir->path(), findTranslationFiles(dir->path()));
    languageList = choice.languages;
    requestedLanguage = choice.requested;
    QCOMPARE(requestedLanguage, 0);

    kv310_controller_class controller;
    dialogRecorder rec;
    QPointer<gui_base_class> first, second;
    QString firstTitle, secondTitle, firstYes, secondYes;
    int windowsInSecondTurn = 0;
    bool firstActionGone = false;

    // The first turn asks for German; the second turn, once its window is
    // there, closes it as the user would.
    QTimer::singleShot(0, [&] {
        first = theMainWindow;
        firstTitle = static_cast<gui_class*>(theMainWindow)->languageMenu->title();
        firstYes = QCoreApplication::translate("QPlatformTheme", "&Yes");
        languageList.at(1).action->trigger();
    });
    QTimer secondTurn;
    QObject::connect(&secondTurn, &QTimer::timeout, [&] {
        if (!theMainWindow || theMainWindow == first)
            return;
        secondTurn.stop();
        second = theMainWindow;
        firstActionGone = first.isNull();
        secondTitle = static_cast<gui_class*>(theMainWindow)->languageMenu->title();
        secondYes = QCoreApplication::translate("QPlatformTheme", "&Yes");
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<gui_class*>(w))
                ++windowsInSecondTurn;
        theMainWindow->close();
    });
    secondTurn.start(0);
    const int result = runRebuildLoop(&controller);

    QCOMPARE(result, 0);
    QCOMPARE(firstTitle, QStringLiteral("&Language"));
    QVERIFY(firstActionGone);
    QCOMPARE(secondTitle, QStringLiteral("&Sprache"));  // also shows a second window was seen
    // Qt's own texts changed language with the program's.
    QCOMPARE(firstYes, QStringLiteral("&Yes"));
    QCOMPARE(secondYes, QStringLiteral("&Ja"));
    QCOMPARE(windowsInSecondTurn, 1);
    QCOMPARE(installedLanguage, 1);
    QCOMPARE(requestedLanguage, -1);
    QVERIFY(rec.entries.isEmpty());
    QCOMPARE(fileContent(languageFileName()),
             QByteArray("<ini device=\"Kv310+\">\n <lang>de</lang>\n <lang_name>Deutsch</lang_name>\n"
                        " <desc>Kv310+ parameters file</desc>\n</ini>\n"));
    // The last window is gone before the controller is, and nothing points at its actions.
    QVERIFY(!second);
    QVERIFY(!theMainWindow);
    QVERIFY(!languageList.at(0).action);
    QVERIFY(!languageList.at(1).action);
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
