// Files as they come from outside, and files the program leaves behind: every
// reader that takes a whole file into memory refuses one beyond its bound at
// once and changes nothing; every writer writes only a regular file and
// leaves a device, a named pipe or a folder (or a link to one) alone.

#include "app/gui_class.h"
#include "app/startup.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "program_rig.h"
#include "seams/regular_file.h"
#include "settings/asettings_ired_tab.h"
#include "xml/xml_node.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString write(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return QString();
    return path;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file made longer than `size` bytes by a hole: nothing of the length
// is on the disk.
bool growTo(const QString& path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.resize(size);
}

const QByteArray libraryText = "<contents>Fixtures library</contents>\n"
                               "<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n"
                               "<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
                               "<dmx>\n<range>1</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n"
                               "</channel>\n</dmx>\n</item>\n";
const QByteArray projectText = "<contents>visualisation project</contents>\n<devices>\n<device nr=\"1\">\n"
                               "<library>1</library>\n<dmx>1</dmx>\n<geometry>\n<x>10</x>\n<y>10</y>\n"
                               "</geometry>\n</device>\n</devices>\n";

// What a reader may change, as text, to compare before and after.
QString stateOf(programRig& r)
{
    kv310_controller_class& c = *r.controller;
    QStringList s;
    s << r.window->windowTitle() << c.sceneDescriptions[0] << c.projectFileName;
    s << QString::number(img::getU32(c.configImage, img::sunTableOf(0)), 16);
    s << QString::number(c.rcuAddress) << QString::number(c.rcuKeyCodes[3]);
    v_project& vp = *r.project;
    s << vp.libraryFile << QString::number(vp.fixtures.size());
    if (vp.libraryTree)
        s << QString::number(vp.libraryTree->nodes.size());
    for (arecord_settings_widget* page :
         {static_cast<arecord_settings_widget*>(r.window->sceneEditor),
          static_cast<arecord_settings_widget*>(r.window->maskEditor)}) {
        s << QString::number(page->sheetColumns.size());
        if (!page->sheetColumns.empty())
            s << QString::number(page->sheetColumns.front()->number);
    }
    return s.join(QLatin1Char('|'));
}

asettings_ired_tab* rcuTab(programRig& r)
{
    return r.window->findChild<asettings_ired_tab*>();
}

void readSheet(arecord_settings_widget* page, const QString& path)
{
    // A click, even on the checked button, drops the sheet read before.
    if (!page->sheetImportButton->isChecked())
        page->sheetImportButton->click();
    page->sheetFileEdit->setText(path);
    page->chooseFile();
}

// One reader: its bound, a file of its kind to start the big one with, and
// how the user reads it.
struct boundedReader {
    int limitMB;
    std::function<QByteArray(programRig&)> start;
    std::function<void(programSession&, const QString&)> read;
};

QHash<QString, boundedReader> readers()
{
    QHash<QString, boundedReader> table;
    table.insert(QStringLiteral("configuration"),
                 {fileLimit::configurationMB,
                  [](programRig& r) {
                      const QString path = QDir::current().filePath(QStringLiteral("start.31xcfg"));
                      r.controller->write_confDataToFile(path, false);
                      return contentOf(path);
                  },
                  [](programSession& s, const QString& path) { s.rig->controller->read_confDataFromFile(path); }});
    table.insert(QStringLiteral("fixture library"),
                 {fileLimit::fixtureLibraryMB, [](programRig&) { return libraryText; },
                  [](programSession& s, const QString& path) {
                      s.rig->window->libraryFileEdit->setText(path);
                      s.rig->window->readLibrary();
                  }});
    table.insert(QStringLiteral("visual project"),
                 {fileLimit::visualProjectMB, [](programRig&) { return projectText; },
                  [](programSession& s, const QString& path) {
                      s.rig->window->projectFileEdit->setText(path);
                      s.rig->window->readProject();
                  }});
    table.insert(QStringLiteral("remote-control settings"),
                 {fileLimit::rcuFileMB,
                  [](programRig&) {
                      return QByteArray("<sysaddress>9</sysaddress>\n<buttons>\n <button nr=\"3\">\n  <code>4</code>\n"
                                        " </button>\n</buttons>\n");
                  },
                  [](programSession& s, const QString& path) { rcuTab(*s.rig)->readRcuFile(path); }});
    table.insert(QStringLiteral("sun times"),
                 {fileLimit::sunTimesMB, [](programRig&) { return QByteArray("1;5:00;20:00\n2;5:01;20:01\n"); },
                  [](programSession& s, const QString& path) {
                      s.rec.answerFile(path);
                      QMetaObject::invokeMethod(s.rig->window.get(), "getSunEventsTimes");
                  }});
    const QByteArray sheet = "KVO DMX sheet\nscene;5\nC1;200\n";
    table.insert(QStringLiteral("scene sheet"),
                 {fileLimit::dmxSheetMB, [sheet](programRig&) { return sheet; },
                  [](programSession& s, const QString& path) { readSheet(s.rig->window->sceneEditor, path); }});
    table.insert(QStringLiteral("mask sheet"),
                 {fileLimit::dmxSheetMB, [sheet](programRig&) { return QByteArray(sheet).replace("scene", "mask"); },
                  [](programSession& s, const QString& path) { readSheet(s.rig->window->maskEditor, path); }});
    table.insert(QStringLiteral("upgrade"),
                 {fileLimit::upgradeFileMB,
                  [](programRig&) { return contentOf(QStringLiteral(KV_TEST_DATA "/firmware_uniform.upg")); },
                  [](programSession& s, const QString& path) { s.rig->controller->upgradeFirmware(path); }});
    return table;
}

// What a name stands for before a write: a named pipe, a folder, or a link
// to one of them. Never a real device: a test must not write to one.
enum class target { pipe, folder, linkToPipe, linkToFolder };

// Makes `name` in the working directory what the row asks for; the pipe or
// folder a link leads to lies beside it.
bool makeTarget(const QString& name, target kind)
{
    const QString real = kind == target::linkToPipe || kind == target::linkToFolder
                             ? name + QStringLiteral(".behind")
                             : name;
    const bool pipe = kind == target::pipe || kind == target::linkToPipe;
    if (pipe ? ::mkfifo(QFile::encodeName(real).constData(), 0600) != 0 : !QDir::current().mkdir(real))
        return false;
    return real == name || QFile::link(real, name);
}

// The type of what the name is itself (a link is not followed), and of what it leads to.
QString nodeTypes(const QString& name)
{
    struct stat own, behind;
    if (::lstat(QFile::encodeName(name).constData(), &own) != 0)
        return QStringLiteral("missing");
    QString types = QString::number(own.st_mode & S_IFMT, 8);
    if (::stat(QFile::encodeName(name).constData(), &behind) == 0)
        types += QLatin1Char('/') + QString::number(behind.st_mode & S_IFMT, 8);
    if (S_ISLNK(own.st_mode))
        types += QLatin1Char('>') + QFileInfo(name).symLinkTarget();
    return types;
}

// A writer: how the user writes to `name`, and the message its failure shows.
struct guardedWriter {
    std::function<void(programSession&, const QString&)> write;
    std::function<QStringList(const QString&)> messages;
};

void exportSheet(arecord_settings_widget* page, const QString& path)
{
    page->sheetExportButton->click();
    page->sheetFromBox->setValue(1);
    page->sheetToBox->setValue(2);
    page->sheetFileEdit->setText(path);
    page->chooseFile();
    page->migrate();
}

QHash<QString, guardedWriter> writers()
{
    QHash<QString, guardedWriter> table;
    table.insert(QStringLiteral("configuration"),
                 {[](programSession& s, const QString& name) { s.rig->controller->write_confDataToFile(name, false); },
                  [](const QString& name) {
                      return QStringList{QStringLiteral("Data write to file %1\nfailed!").arg(name)};
                  }});
    table.insert(QStringLiteral("sun times"),
                 {[](programSession& s, const QString& name) {
                      s.rec.answerFile(name, QStringLiteral("All files (*)"));
                      QMetaObject::invokeMethod(s.rig->window.get(), "saveSunEventsTimes");
                  },
                  [](const QString& name) {
                      return QStringList{QStringLiteral("Cannot open file \"%1\" to write!").arg(name)};
                  }});
    table.insert(QStringLiteral("scene sheet"),
                 {[](programSession& s, const QString& name) { exportSheet(s.rig->window->sceneEditor, name); },
                  [](const QString& name) { return QStringList{QStringLiteral("Cannot open file %1 to write!").arg(name)}; }});
    table.insert(QStringLiteral("mask sheet"),
                 {[](programSession& s, const QString& name) { exportSheet(s.rig->window->maskEditor, name); },
                  [](const QString& name) { return QStringList{QStringLiteral("Cannot open file %1 to write!").arg(name)}; }});
    table.insert(QStringLiteral("remote-control settings"),
                 {[](programSession& s, const QString& name) { rcuTab(*s.rig)->writeRcuFile(name); },
                  [](const QString& name) {
                      return QStringList{QStringLiteral("Cannot open file \"%1\" to write!").arg(name)};
                  }});
    table.insert(QStringLiteral("language file"),
                 {[](programSession& s, const QString&) {
                      languageList.append(languageEntry{QStringLiteral("English"), QStringLiteral("en"), nullptr, nullptr});
                      languageList.append(languageEntry{QStringLiteral("Deutsch"), QStringLiteral("de"), nullptr, nullptr});
                      installedLanguage = 0;
                      QMetaObject::invokeMethod(s.rig->window.get(), "changeUiLanguage", Q_ARG(int, 1));
                  },
                  [](const QString&) { return QStringList{QStringLiteral("Cannot write new language!")}; }});
    // The parse-error report has no failure message of its own.
    table.insert(QStringLiteral("parse-error report"),
                 {[](programSession& s, const QString&) {
                      s.rig->window->libraryFileEdit->setText(
                          write(QDir::current().filePath(QStringLiteral("broken.fxl")),
                                libraryText + "<item nr=\"2\">\n<provider>P</provider>\n<model>N</model> stray\n</item>\n"));
                      s.rig->window->readLibrary();
                  },
                  [](const QString& name) {
                      return QStringList{QStringLiteral("Not a regular file:\n%1").arg(QDir::current().filePath(name)),
                                         QStringLiteral("Errors parsing file\n\"%1\" occured!\nRefer to "
                                                        "\"xml_report.log\".")
                                             .arg(QDir::current().filePath(QStringLiteral("broken.fxl")))};
                  }});
    return table;
}

QString writerFileName(const QString& writer)
{
    if (writer == QLatin1String("language file"))
        return languageFileName();
    if (writer == QLatin1String("parse-error report"))
        return QStringLiteral("xml_report.log");
    return QStringLiteral("target");
}

}  // namespace

class tst_file_safety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void aFileBeyondItsBoundIsRefusedAtOnce_data();
    void aFileBeyondItsBoundIsRefusedAtOnce();
    void aFileWithinItsBoundIsRead();
    void aLanguageFileBeyondItsBoundIsIgnored();
    void writersLeaveWhatIsNoRegularFile_data();
    void writersLeaveWhatIsNoRegularFile();
};

void tst_file_safety::cleanup()
{
    languageList.clear();
    installedLanguage = -1;
    requestedLanguage = -1;
}

void tst_file_safety::aFileBeyondItsBoundIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("reader");
    for (const QString& name : readers().keys())
        QTest::newRow(qPrintable(name)) << name;
}

// A file one byte beyond the bound, beginning as an honest file of its kind
// does: one warning, and the show, the visual project, the settings and the
// page's loaded sheet stay as they were.
void tst_file_safety::aFileBeyondItsBoundIsRefusedAtOnce()
{
    QFETCH(QString, reader);
    const boundedReader r = readers().value(reader);

    programSession s;
    programRig& rig = *s.rig;
    QVERIFY(rig.connect());
    // Something of every kind already there.
    rig.controller->sceneDescriptions[0] = QStringLiteral("kept");
    readers().value(QStringLiteral("fixture library")).read(s, write(s.dir.filePath(QStringLiteral("in.fxl")), libraryText));
    readers().value(QStringLiteral("visual project")).read(s, write(s.dir.filePath(QStringLiteral("in.kvp")), projectText));
    readSheet(rig.window->sceneEditor, write(s.dir.filePath(QStringLiteral("in.csv")), "x\nscene;7\n"));
    rig.controller->rcuAddress = 2;
    QCOMPARE(rig.project->fixtures.size(), 1);
    QCOMPARE(rig.window->sceneEditor->sheetColumns.size(), size_t(1));

    const QString path = write(s.dir.filePath(QStringLiteral("big")), r.start(rig));
    QVERIFY(!path.isEmpty());
    QVERIFY(growTo(path, fileLimit::bytes(r.limitMB) + 1));
    const QString before = stateOf(rig);
    const qsizetype transfers = rig.sim->log.size();
    QSignalSpy fileRead(rig.controller.get(), &kv310_controller_class::readFileFinished);
    s.rec.clear();

    r.read(s, path);

    QCOMPARE(s.rec.texts(), QStringList{QStringLiteral("File too big!\n%1\nThe limit is %2 MB.").arg(path).arg(r.limitMB)});
    QCOMPARE(s.rec.titles(), QStringList{QStringLiteral("Invalid file!")});
    QCOMPARE(s.rec.entries.last().icon, QMessageBox::Warning);
    QCOMPARE(stateOf(rig), before);
    QCOMPARE(fileRead.count(), 0);
    QCOMPARE(rig.sim->log.size(), transfers);
    QVERIFY(!QFile::exists(s.dir.filePath(QStringLiteral("xml_report.log"))));
}

// The bound is the size itself: a file of exactly that many bytes is read.
void tst_file_safety::aFileWithinItsBoundIsRead()
{
    programSession s;
    const QByteArray settings = "<sysaddress>9</sysaddress>\n<buttons>\n</buttons>\n";
    const QString path = write(s.dir.filePath(QStringLiteral("rcu")),
                               settings + QByteArray(int(fileLimit::bytes(fileLimit::rcuFileMB)) - settings.size(), '\n'));
    QCOMPARE(QFileInfo(path).size(), fileLimit::bytes(fileLimit::rcuFileMB));
    QVERIFY(rcuTab(*s.rig)->readRcuFile(path));
    QCOMPARE(int(s.rig->controller->rcuAddress), 9);
    QVERIFY(s.rec.entries.isEmpty());
}

// The language file is the exception: one too big is passed over without a
// word, as one that does not open.
void tst_file_safety::aLanguageFileBeyondItsBoundIsIgnored()
{
    QTemporaryDir dir;
    const QByteArray chosen = "<ini device=\"Kv310+\">\n <lang>de</lang>\n <lang_name>Deutsch</lang_name>\n</ini>\n";
    const QString path = dir.filePath(languageFileName());
    QVERIFY(!write(path, chosen).isEmpty());
    QCOMPARE(readLanguageFile(dir.path()).code, QStringLiteral("de"));

    // Blank lines would not keep a reader from it.
    dialogRecorder rec;
    QVERIFY(!write(path, chosen + QByteArray(int(fileLimit::bytes(fileLimit::languageFileMB)) - chosen.size() + 1, '\n'))
                 .isEmpty());
    const languageRequest request = readLanguageFile(dir.path());
    QVERIFY(request.code.isEmpty());
    QVERIFY(request.name.isEmpty());
    QVERIFY(rec.entries.isEmpty());
}

void tst_file_safety::writersLeaveWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("kind");
    const struct {
        const char* name;
        target kind;
    } kinds[] = {{"named pipe", target::pipe},
                 {"folder", target::folder},
                 {"link to a named pipe", target::linkToPipe},
                 {"link to a folder", target::linkToFolder}};
    for (const QString& w : writers().keys())
        for (const auto& k : kinds)
            QTest::newRow(qPrintable(w + QStringLiteral(", ") + QLatin1String(k.name))) << w << int(k.kind);
}

// Nothing is written: the pipe gets no byte and stays a pipe, the folder and
// the links stay as they were, and the user is told as when the write fails.
void tst_file_safety::writersLeaveWhatIsNoRegularFile()
{
    QFETCH(QString, writer);
    QFETCH(int, kind);
    const guardedWriter w = writers().value(writer);

    programSession s;
    const QString name = writerFileName(writer);
    const QString path = s.dir.filePath(name);
    QVERIFY(makeTarget(path, target(kind)));
    const QString types = nodeTypes(path);
    // A reader on the pipe, so that a writer would not wait for one.
    int reader = -1;
    if (target(kind) == target::pipe || target(kind) == target::linkToPipe) {
        reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
    }

    w.write(s, name == QLatin1String("target") ? path : name);

    QCOMPARE(nodeTypes(path), types);
    if (reader >= 0) {
        char byte;
        const ssize_t got = ::read(reader, &byte, 1);
        ::close(reader);
        QCOMPARE(got, ssize_t(0));
    }
    QStringList texts;
    for (const dialogRecorder::entry& e : std::as_const(s.rec.entries))
        if (e.kind == QLatin1String("message"))
            texts << e.text;
    QCOMPARE(texts, w.messages(name == QLatin1String("target") ? path : name));
}

QTEST_MAIN(tst_file_safety)
#include "tst_file_safety.moc"
