// Writes the seed inputs of every harness, made by the program's own writers
// and by sessions with the simulated controller, so that the seeds follow
// the formats as they are written today.
//
//   kv_fuzz_seeds <directory>    writes <directory>/<harness>/<seed>

#include "app/startup.h"
#include "common/fuzz_input.h"
#include "common/fuzz_support.h"
#include "common/fuzz_usb_bus.h"
#include "common/reply_session.h"
#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "device/upgrade_file_builder.h"
#include "editors/scenes/dmx_sheet.h"
#include "model/config_file.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "support/sample_show.h"
#include "settings/asettings_ired_tab.h"
#include "support/virtual_clock.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

QString root;

void put(const char* harness, const char* name, const QByteArray& bytes)
{
    const QString dir = QDir(root).filePath(QLatin1String(harness));
    QDir().mkpath(dir);
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The visual project part of a project description: a library item and
// three fixtures using it, one of them relocated.
const char visualProject[] = "<library>\n<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n"
                             "<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
                             "<dmx>\n<range>2</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n"
                             "<channel nr=\"2\">\n<function>brightness</function>\n<color>red</color>\n</channel>\n"
                             "</dmx>\n</item>\n</library>\n<devices>\n"
                             "<device nr=\"1\">\n<library>1</library>\n<dmx>1</dmx>\n"
                             "<geometry>\n<x>10</x>\n<y>10</y>\n<rotate>0</rotate>\n</geometry>\n</device>\n"
                             "<device nr=\"2\">\n<library>1</library>\n<dmx>3</dmx>\n"
                             "<geometry>\n<x>40</x>\n<y>10</y>\n<rotate>90</rotate>\n</geometry>\n"
                             "<reloc>\n<channel nr=\"2\">3</channel>\n</reloc>\n</device>\n"
                             "<device nr=\"3\">\n<library>1</library>\n<dmx>510</dmx>\n</device>\n"
                             "</devices>\n<groups>\n<group name=\"default\">\n<dev nr=\"1\"></dev>\n</group>\n"
                             "<group name=\"Front\">\n<dev nr=\"2\"></dev>\n<dev nr=\"3\"></dev>\n</group>\n</groups>\n";

// A visual project whose channel numbers lie at the ends of an int.
const char extremeChannels[] =
    "<library>\n<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n"
    "<geometry shape=\"fountain\">\n<diameter>20</diameter>\n</geometry>\n"
    "<dmx>\n<range>2147483647</range>\n<channel nr=\"-2147483648\">\n<function>spring</function>\n</channel>\n"
    "<channel nr=\"2147483647\">\n<function>dimmer</function>\n<double>2147483647</double>\n</channel>\n"
    "<channel nr=\"1\">\n<function>brightness</function>\n<color>255,0,0</color>\n<double>2</double>\n</channel>\n"
    "<channel nr=\"2\">\n<function>spring-switch</function>\n</channel>\n"
    "</dmx>\n</item>\n<item nr=\"2\">\n<provider>P</provider>\n<model>N</model>\n"
    "<geometry>\n<width>-2147483648</width>\n<height>2147483647</height>\n</geometry>\n"
    "<dmx>\n<range>-2147483648</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n"
    "</dmx>\n</item>\n</library>\n<devices>\n"
    "<device nr=\"2147483647\">\n<library>1</library>\n<dmx>2147483647</dmx>\n"
    "<geometry>\n<x>2147483647</x>\n<y>2147483647</y>\n<rotate>2147483647</rotate>\n</geometry>\n"
    "<reloc>\n<channel nr=\"-2147483648\">2147483647</channel>\n<channel nr=\"1\">2147483647</channel>\n"
    "<channel nr=\"2\">-2147483648</channel>\n</reloc>\n</device>\n"
    "<device nr=\"-2147483648\">\n<library>1</library>\n<dmx>-2147483648</dmx>\n"
    "<geometry>\n<x>0</x>\n<y>0</y>\n<rotate>-2147483648</rotate>\n</geometry>\n"
    "<reloc>\n<channel nr=\"1\">-2147483648</channel>\n<channel nr=\"2\">2147483647</channel>\n</reloc>\n"
    "</device>\n<device nr=\"3\">\n<library>2</library>\n<dmx>0</dmx>\n"
    "<geometry>\n<x>5</x>\n<y>5</y>\n</geometry>\n</device>\n</devices>\n"
    "<groups>\n<group name=\"default\">\n<dev nr=\"2147483647\"></dev>\n<dev nr=\"-2147483648\"></dev>\n"
    "</group>\n</groups>\n";

// The run's controller and visual project with a show and a visual project.
struct published {
    published()
    {
        theController = &controller;
        theVisualProject = &project;
        QString text = QStringLiteral("\n<project>\n") + QLatin1String(visualProject) + QStringLiteral("</project>\n");
        QTextStream in(&text, QIODevice::ReadOnly);
        controller.readProjectXml(in, 0);
        sampleShow::build(controller, sampleShow::small);
    }
    ~published()
    {
        theVisualProject = nullptr;
        theController = nullptr;
    }
    kv310_controller_class controller;
    v_project project;
};

void xmlSeeds(published& run)
{
    QString xml;
    run.controller.writeProjectXml(xml);
    put("xml_reader", "project", xml.toUtf8());
    put("project_xml", "project", xml.toUtf8());
    put("project_xml", "visual_project",
        QByteArray("<?xml version=\"1.0\"?>\n<project>\n<!-- visual part only -->\n") + visualProject + "</project>\n");

    const struct {
        const char* name;
        const char* text;
    } documents[] = {
        {"one_line", "<dev nr=\"1\"><a>1</a><b>2</b></dev>"},
        {"text_lines", "<a>\nfirst\nsecond</a>\n<b/>\n<c x=\"1\" y=\"2\" />\n"},
        {"marks", "<n>\nstray\n<a>1</a>\n</m>\n<open>\ntext\n"},
        {"comments", "<!-- top -->\n<n>\n<!-- inner -->\n<a>1</a>\n</n>\n<!DOCTYPE x>\n<?pi?>\n"},
        {"library", "<contents>Fixtures library</contents>\n<item nr=\"7\">\n<provider>A</provider>\n"
                    "<geometry shape=\"fountain\">\n<width>5</width>\n<height>8</height>\n"
                    "<anchor>left_up</anchor>\n</geometry>\n</item>\n"},
    };
    for (const auto& d : documents)
        put("xml_reader", d.name, d.text);
    // Numbers at the ends of an int wherever a channel is named: the first
    // channel, the range, channel numbers, relocations and second channels.
    put("project_xml", "extreme_channels", QByteArray("\n<project>\n") + extremeChannels + "</project>\n");
    put("project_xml", "descriptions",
        "\n<project>\n<file>a.31xcfg</file>\n<descriptions>\n<scenes>\n<scene nr=\"1\">One &amp; &lt;</scene>\n"
        "</scenes>\n<events>\n<dmxin>\n<chnl nr=\"3\" mode=\"off\">Fader</chnl>\n</dmxin>\n<RCU>\n"
        "<key nr=\"2\" mode=\"rlsd\">Key</key>\n</RCU>\n</events>\n</descriptions>\n<field>\n"
        "<width>800</width>\n<height>600</height>\n</field>\n</project>\n");
}

void configFileSeeds(published& run)
{
    fuzzDialogs dialogs;
    const QString current = QDir(fuzzDirectory()).filePath(QStringLiteral("show.31xcfg"));
    run.controller.write_confDataToFile(current, false);
    const QByteArray file = contentOf(current);
    put("config_file", "current", file);
    QByteArray sv = file;
    std::memcpy(sv.data(), cfgfile::MAGIC_CURRENT_SV, std::strlen(cfgfile::MAGIC_CURRENT_SV));
    put("config_file", "current_sv", sv);

    dialogs.answers = {int(QMessageBox::Yes)};
    const QString old = QDir(fuzzDirectory()).filePath(QStringLiteral("show.cfg310"));
    run.controller.write_confDataToFile(old, true);
    put("config_file", "old_style", contentOf(old));

    // v2: a text header, the compressed old-style image with the scene and
    // program description blocks, the checksum.
    QByteArray data(cfgfile::V2_SIZE_SCENES_PROGRAMS, char(0xFF));
    cfgfile::buildOldStyleImage(run.controller.configImage, reinterpret_cast<uint8_t*>(data.data()));
    char* texts = data.data() + cfgfile::OLD_IMAGE_SIZE;
    std::memset(texts, 0, size_t(data.size()) - cfgfile::OLD_IMAGE_SIZE);
    std::strcpy(texts, "First scene");
    std::strcpy(texts + cfgfile::V2_TEXT_BLOCK * cfgfile::V2_SCENE_TEXTS, "First program");
    QByteArray v2 = QByteArrayLiteral("Kv310v2CFG\r\nKv310 configuration\r\n");
    v2 += '\0';
    v2 += qCompress(data, 9);
    const uint16_t crc = cfgfile::checksum(v2);
    v2 += char(crc & 0xFF);
    v2 += char(crc >> 8);
    put("config_file", "v2", v2);
    put("config_file", "v1", QByteArray("Kv310CFG\r\nOld file\r\n\0", 22));
}

void imageSeeds()
{
    fuzzOutput cleared;
    cleared.u8(0);
    cleared.u32(0);
    put("config_image", "cleared", cleared.out);
    for (int action = 0; action < 4; ++action) {
        fuzzOutput show;
        show.u8(unsigned(1 | (action << 1)));
        show.u32(CLEAR_PROGRAMS | CLEAR_DELAYS);
        put("config_image", qPrintable(QStringLiteral("show_%1").arg(action)), show.out);
    }
    // A program whose step count and start address point past its steps.
    fuzzOutput patched;
    patched.u8(1);
    patched.u32(0);
    patched.u8(2);
    patched.u32(0);
    patched.u8(1);
    patched.u16(999);
    patched.u8(6);
    patched.u32(0x800);
    patched.u8(3);
    patched.u32(0x6803FFF8);
    put("config_image", "patched", patched.out);
}

// Programs of the small show copied as from another configuration: as they
// are, reversed, and with a step that names no scene.
void programCopySeeds()
{
    const auto choice = [](uint32_t first, uint32_t count, uint32_t destination, uint32_t pool, bool reverse) {
        return first | count << 9 | destination << 15 | pool << 24 | uint32_t(reverse) << 31;
    };
    fuzzOutput plain;
    plain.u8(1);
    plain.u32(choice(0, 6, 20, 2, false));
    put("config_image", "copy", plain.out);
    fuzzOutput reversed;
    reversed.u8(1);
    reversed.u32(choice(1, 3, 0, 127, true));
    put("config_image", "copy_reversed", reversed.out);
    fuzzOutput damaged;
    damaged.u8(1);
    damaged.u32(choice(0, 2, 400, 1, false));
    damaged.u8(10);   // the step records
    damaged.u32(8);
    damaged.u8(1);
    damaged.u16(10240);
    put("config_image", "copy_damaged", damaged.out);
}

void storedProjectSeeds(published& run)
{
    fuzzDialogs dialogs;
    const char* area = reinterpret_cast<const char*>(run.controller.configImage + img::projectArea);
    run.controller.storeProjectDescription();
    put("stored_project", "plain", QByteArray(area, qsizetype(std::strlen(area))));
    // UTF-8, and an area of an earlier release in Latin-1.
    const QString first = run.controller.sceneDescriptions[0];
    run.controller.sceneDescriptions[0] = QStringLiteral("zażółć gęślą – Café");
    run.controller.storeProjectDescription();
    const QByteArray utf8(area, qsizetype(std::strlen(area)));
    put("stored_project", "utf8", utf8);
    put("stored_project", "latin1", QString::fromUtf8(utf8).toLatin1());
    run.controller.sceneDescriptions[0] = first;

    // Longer than the area, but not compressed.
    for (int s = 0; s < img::SCENES; ++s)
        run.controller.sceneDescriptions[size_t(s)] = QStringLiteral("Scene %1 ").arg(s).repeated(40);
    run.controller.storeProjectDescription();
    const QByteArray compressed(area, img::PROJECT_AREA_SIZE);
    put("stored_project", "compressed", compressed.left(compressed.indexOf("</compressed>\n") + 14));

    // Too long even compressed: only the beginning is stored.
    quint32 x = 12345;
    const auto noise = [&x] {
        QString text(250, Qt::Uninitialized);
        for (QChar& ch : text) {
            x = x * 1664525u + 1013904223u;
            ch = QLatin1Char(char('0' + (x >> 26)));
        }
        return text;
    };
    for (QString& s : run.controller.sceneDescriptions)
        s = noise();
    for (QString& s : run.controller.eventDescriptions)
        s = noise();
    run.controller.storeProjectDescription();
    put("stored_project", "partial", QByteArray(area, 4096));
    for (QString& s : run.controller.sceneDescriptions)
        s = QString(0, QChar());
    for (QString& s : run.controller.eventDescriptions)
        s = QString(0, QChar());
}

void sunSeeds()
{
    kv310_controller_class c;
    const QString path = QDir(fuzzDirectory()).filePath(QStringLiteral("sun.csv"));
    c.calculateSunEventsFor(2024, 50, 60);
    c.exportSunTimes(path);
    put("sun_times", "leap_year", contentOf(path));
    c.calculateSunEventsFor(2023, 70, -120);
    c.exportSunTimes(path);
    put("sun_times", "polar_common_year", contentOf(path));
    put("sun_times", "short", "KV310 sunrise- and sunsettimes\r\nDay of year;sunrise;sunset\r\n1;7:45;15:40\r\n"
                              "2;7:44;invalid\r\n366;8:00;16:00;extra\r\n");
}

// The internal-states block as the simulated controller lays it out, behind
// the byte of description switches.
void stateTextSeeds()
{
    const auto seed = [](const char* name, uint8_t switches, const simInternalStates& states) {
        simController sim(QStringLiteral("1"), TYPE_WORD_CURRENT);
        sim.internalStates = states;
        put("state_texts", name, QByteArray(1, char(switches)) + sim.statesBlock());
    };
    seed("idle", 0x1F, simInternalStates());
    simInternalStates show;
    show.setState(1, true);
    show.setState(68, true);
    show.scenes = {0, 4, 999, 1000, 9999, 10239};
    show.programs = {{4, 2}, {4, 9}, {511, 998}};
    show.masks = {6, 255};
    show.delays = {0, 511};
    seed("show", 0x00, show);
    seed("show_described", 0x1E, show);
    simInternalStates full;
    for (int n = 0; n < 1200; ++n)
        full.scenes.append(uint16_t(n * 9));
    full.masks = {1, 2};
    seed("lists_cut_at_the_end", 0x0A, full);
}

// Sheets as the pages write them, from the fuzz show, and a few by hand.
void sheetSeeds(published& run)
{
    const auto sheet = [&run](const dmxSheetKind& kind, int first, int last) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const QString* texts = &kind == &dmxSheetKind::masks() ? run.controller.maskDescriptions.data()
                                                               : run.controller.sceneDescriptions.data();
        dmxSheet::write(out, kind, run.controller.configImage, texts, first, last);
        return out.data();
    };
    run.controller.sceneDescriptions[1] = QStringLiteral("Front; wash\nłuk");
    put("dmx_sheet", "scenes", sheet(dmxSheetKind::scenes(), 0, 3));
    put("dmx_sheet", "last_scenes", sheet(dmxSheetKind::scenes(), 10238, 10239));
    put("dmx_sheet", "masks", sheet(dmxSheetKind::masks(), 190, 193));
    QByteArray crlf = sheet(dmxSheetKind::scenes(), 20, 21);
    crlf.replace("\n", "\r\n");
    put("dmx_sheet", "crlf", crlf);
    put("dmx_sheet", "by_hand",
        "Kvotera DMX sheet\nmask;;3;256\n\nRiseTime;-5;70000;x\nLastTime;-1\nFallTime; 7 ;+2\nC0;1\nC513;1\n"
        "Cx;1\nc5;1\nC512;300;-1;9\ndesc;a;;c;\nnotes;1;2\nscene;4\ndesc");
    put("dmx_sheet", "bare_header", "Kvotera DMX sheet");
    run.controller.sceneDescriptions[2] = QStringLiteral("\"Cytat\" na początku");
    put("dmx_sheet", "leading_quote", sheet(dmxSheetKind::scenes(), 1, 3));
    put("dmx_sheet", "quoted_by_hand",
        "\"KVO DMX sheet\";;;\r\n\"scene\";\"4\";;\"\"\r\n\"desc\";\"a;\"\"b\"\"\";\"x\"y;\"\r\n"
        "RiseTime;\"1;2\r\n\"C3;4\nFallTime;\"5\"\r;\"6\"\"\"\r\nLastTime;1.5;12:30:00;\" \"");
    // Descriptions as they are, quotes and all, beside cells that open a
    // quote inside a cell read as it stands.
    put("dmx_sheet", "quotes_as_they_are",
        "KVO DMX sheet\nscene;1;2;3;4;5;6\nRiseTime;1;2;3;4;5;6\nC1;\"7\" ;8\n"
        "desc;\"A\" b;C;the \"end\";\"a;\"\";b\" x;\"\"x;\"Front\"\n"
        "\"RiseTime\" x;1\nscene;7;7;8\ndesc;\"" + QByteArray(1100, 'w') + "\";x\n");
    // Sheets saved by spreadsheets, as the tests read them.
    const QDir saved(QStringLiteral(KV_SHEET_DATA));
    for (const QString& name : saved.entryList(QDir::Files)) {
        QFile file(saved.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            put("dmx_sheet", qPrintable(QStringLiteral("saved_") + name), file.readAll());
    }
}

void languageSeeds()
{
    QTemporaryDir dir;
    writeLanguageFile(dir.path(), QStringLiteral("pl"), QStringLiteral("Polski"));
    const QByteArray written = contentOf(QDir(dir.path()).filePath(languageFileName()));
    put("language_file", "written", written);
    put("xml_reader", "language", written);
    put("language_file", "other_layout",
        "<?xml version=\"1.0\"?>\n<ini device=\"Kv310+\" version=\"2\">\n  <desc>Kv310+ parameters file</desc>\n"
        "  <LANG>de</LANG>\n  <lang_name>Deutsch</lang_name>\n  <extra a=\"1\">kept</extra>\n</ini>\n");
    put("language_file", "other_device", "<ini device=\"Kv310\">\n<lang>fr</lang>\n</ini>\n");
}

void upgradeSeeds()
{
    upgradeFileBuilder old(UPGRADE_ROW_SECTORS);
    old.withBlock(0, 48).withBlock(4, 32);
    put("upgrade_file", "old_hardware", old.build());
    upgradeFileBuilder current(UPGRADE_ROW_UNIFORM);
    current.text = "\nv_4.2.1 fuzz firmware";
    current.withBlock(1, 256).withBlock(5, 512);
    put("upgrade_file", "current_newer", current.build());
    upgradeFileBuilder older(UPGRADE_ROW_UNIFORM);
    older.text = "\nrelease v_3.9.12";
    older.withBlock(0, 256);
    put("upgrade_file", "current_older", older.build());
    upgradeFileBuilder empty(UPGRADE_ROW_UNIFORM);
    empty.markerRun = 40;
    put("upgrade_file", "no_blocks", empty.build());
}

// One session with a simulated controller, recorded as the reply harness reads it.
struct recordedSession {
    recordedSession(int typeWord, const replyFiles& f)
        : files(f)
    {
        sim = &bus.addController(QStringLiteral("01D30001-0001"), typeWord);
        recorder = std::make_unique<usbReplyRecorder>(bus, out);
        installUsbBackend(recorder.get());
        controller = std::make_unique<kv310_controller_class>();
        installUsbBackend(nullptr);
    }
    void op(int code, uint8_t a = 0, uint16_t b = 0)
    {
        writeReplyOp(out, code, a, b);
        runReplyOp(*controller, code, a, b, files);
    }

    replyFiles files;
    simBus bus;
    simController* sim = nullptr;
    fuzzOutput out;
    std::unique_ptr<usbReplyRecorder> recorder;
    std::unique_ptr<kv310_controller_class> controller;
};

void replySeeds()
{
    virtualClock clock;
    fuzzDialogs dialogs;
    const replyFiles files = writeReplyFiles(fuzzDirectory());

    for (int type : {TYPE_WORD_CURRENT, TYPE_WORD_OLD}) {
        recordedSession s(type, files);
        s.op(REPLY_CONNECT);
        s.op(REPLY_CLOCK_TEXT, 10);
        s.op(REPLY_SET_CLOCK, 1, 600);
        s.op(REPLY_CALIBRATION, 5);
        s.op(REPLY_SERIAL);
        s.op(REPLY_STATE);
        s.op(REPLY_FREEZE, 0);
        s.op(REPLY_FREEZE, 1);
        s.op(REPLY_TRANSPARENCY, 1);
        s.op(REPLY_LIVE_SCENE, 0, 3);
        s.op(REPLY_LIVE_VALUE, 7, 3);
        s.op(REPLY_UI_MODE, 1);
        s.op(REPLY_SET_MODE, 3);
        s.op(REPLY_STATUS_WAIT, 0x11, STATUS_BUSY >> 8);
        s.op(REPLY_DISCONNECT);
        put("usb_replies", type == TYPE_WORD_OLD ? "session_old" : "session_current", s.out.out);
    }
    {
        recordedSession s(TYPE_WORD_CURRENT, files);
        s.op(REPLY_CONNECT);
        s.op(REPLY_RESTART);
        put("usb_replies", "restart", s.out.out);
    }
    for (int type : {TYPE_WORD_CURRENT, TYPE_WORD_OLD}) {
        recordedSession s(type, files);
        s.sim->firmwareMajor = 4;
        s.sim->firmwareMinor = 1;
        s.op(REPLY_CONNECT);
        s.op(REPLY_UPGRADE, 0);
        s.op(REPLY_CONNECT);
        s.op(REPLY_UPGRADE, 1);
        put("usb_replies", type == TYPE_WORD_OLD ? "upgrade_old" : "upgrade_current", s.out.out);
    }
    {
        recordedSession s(TYPE_WORD_CURRENT, files);
        sampleShow::build(*s.controller, sampleShow::small);
        s.op(REPLY_CONNECT);
        s.op(REPLY_SEND_CONFIG);
        put("usb_replies", "send_config", s.out.out);
    }
    {
        // The configuration of a controller that holds none yet: its
        // blocks are all erased, so that the seed stays small.
        recordedSession s(TYPE_WORD_CURRENT, files);
        s.op(REPLY_CONNECT);
        s.op(REPLY_READ_CONFIG);
        put("usb_replies", "read_config", s.out.out);
    }
    {
        recordedSession s(TYPE_WORD_CURRENT, files);
        // The remote is pressed after a while; every transfer takes a
        // millisecond, so that the learning waits see time pass.
        s.sim->transferMs = 1;
        simRcuOutcome pressed;
        pressed.afterMs = 20;
        pressed.code = 17;
        s.sim->rcuOutcomes = {pressed};
        s.sim->inputLevels = 0x810203;
        s.op(REPLY_CONNECT);
        s.op(REPLY_LEARN_RCU, 1, 5);
        s.op(REPLY_LEARN_RCU, 2, 9);
        s.op(REPLY_WRITE_RCU);
        s.op(REPLY_READ_RCU);
        s.op(REPLY_MONITOR, 0);
        s.op(REPLY_MONITOR, 1, 1);
        s.op(REPLY_MONITOR, 2);
        put("usb_replies", "remote_and_monitor", s.out.out);
    }
    {
        // A frame waiting to be read, as after a read request.
        recordedSession s(TYPE_WORD_CURRENT, files);
        s.op(REPLY_CONNECT);
        s.sim->sendFrame(CONFIG_READ, 0, img::DEVICE_BASE, QByteArray(0x10000, char(0x5A)));
        s.op(REPLY_READ_BLOCK);
        put("usb_replies", "read_block", s.out.out);
    }
}

// A fixture library and a visual project that uses it, as the visual
// project page reads them.
void visualFileSeeds()
{
    const QByteArray library = "<?xml version=\"1.0\"?>\n<contents>Fixtures library</contents>\n"
                               "<item nr=\"1\">\n<provider>P</provider>\n<model>M</model>\n<variant>V</variant>\n"
                               "<geometry shape=\"circle\">\n<diameter>20</diameter>\n</geometry>\n"
                               "<dmx>\n<range>3</range>\n<channel nr=\"1\">\n<function>dimmer</function>\n</channel>\n"
                               "<channel nr=\"2\">\n<function>brightness</function>\n<color>green</color>\n"
                               "</channel>\n<channel nr=\"3\">\n<function>spring</function>\n</channel>\n</dmx>\n"
                               "</item>\n<item nr=\"2\">\n<provider>P</provider>\n<model>N</model>\n"
                               "<geometry shape=\"fountain\">\n<width>8</width>\n<height>30</height>\n"
                               "<anchor>right_down</anchor>\n</geometry>\n<dmx>\n<range>1</range>\n"
                               "<channel nr=\"1\">\n<function>filter</function>\n<color>#ff8000</color>\n"
                               "</channel>\n</dmx>\n</item>\n";
    const QByteArray project = "<?xml version=\"1.0\"?>\n<contents>KvOrbit310+ visualisation project</contents>\n"
                               "<field>\n<width>640</width>\n<height>480</height>\n"
                               "<image dark=\"2\">back.png</image>\n</field>\n<devices>\n"
                               "<device nr=\"1\">\n<library>1</library>\n<dmx>1</dmx>\n"
                               "<geometry>\n<x>10</x>\n<y>20</y>\n<rotate>45</rotate>\n</geometry>\n"
                               "<reloc>\n<channel nr=\"3\">2</channel>\n</reloc>\n</device>\n"
                               "<device nr=\"2\">\n<library>2</library>\n<dmx>300</dmx>\n"
                               "<geometry>\n<x>100</x>\n<y>20</y>\n</geometry>\n</device>\n</devices>\n"
                               "<groups>\n<group name=\"default\">\n<dev nr=\"2\"></dev>\n</group>\n"
                               "<group name=\"Both\">\n<dev nr=\"1\"></dev>\n<dev nr=\"2\"></dev>\n</group>\n</groups>\n";
    QByteArray values(512, 0);
    for (int i = 0; i < 512; ++i)
        values[i] = char(i * 37);
    fuzzOutput out;
    out.u16(unsigned(library.size()));
    out.bytes(library);
    out.u8(15);  // zoom 1
    out.bytes(values);
    out.bytes(project);
    put("visual_files", "library_and_project", out.out);
    put("xml_reader", "fixture_library", library);

    // Fixtures that light: mixed emitters, filters and dimmers, a relocated
    // channel, a fountain with its switch, beams turned and anchored.
    const QByteArray lit =
        "<contents>Fixtures library</contents>\n"
        "<item nr=\"3\">\n<provider>P</provider>\n<model>RGB</model>\n"
        "<geometry shape=\"line\">\n<width>60</width>\n<height>20</height>\n<anchor>left_up</anchor>\n</geometry>\n"
        "<dmx>\n<range>5</range>\n"
        "<channel nr=\"1\">\n<function>brightness</function>\n<color name=\"R\">255,0,0</color>\n</channel>\n"
        "<channel nr=\"2\">\n<function>brightness</function>\n<color>0, 255, 0</color>\n</channel>\n"
        "<channel nr=\"3\">\n<function>filter</function>\n<color>255,128,0</color>\n</channel>\n"
        "<channel nr=\"4\">\n<function>dimmer</function>\n</channel>\n"
        "<channel nr=\"5\">\n<function>dimmer</function>\n</channel>\n</dmx>\n</item>\n"
        "<item nr=\"4\">\n<provider>P</provider>\n<model>Jet</model>\n"
        "<geometry shape=\"fountain\">\n<width>30</width>\n<height>120</height>\n</geometry>\n"
        "<dmx>\n<range>3</range>\n"
        "<channel nr=\"1\">\n<function>spring</function>\n</channel>\n"
        "<channel nr=\"2\">\n<function>spring-switch</function>\n<mode lvllo=\"300\" lvlhi=\"200\"></mode>\n"
        "</channel>\n<channel nr=\"3\">\n<function>brightness</function>\n<color>0,0,255</color>\n</channel>\n"
        "</dmx>\n</item>\n"
        "<item nr=\"5\">\n<provider>P</provider>\n<model>Par</model>\n"
        "<geometry shape=\"ellipse\">\n<width>40</width>\n<height>25</height>\n<anchor>right_down</anchor>\n"
        "</geometry>\n<dmx>\n<range>1</range>\n"
        "<channel nr=\"1\">\n<function>filter</function>\n<color>0,0,255</color>\n</channel>\n</dmx>\n</item>\n";
    const QByteArray litProject =
        "<contents>visualisation project</contents>\n<devices>\n"
        "<device nr=\"1\">\n<library>3</library>\n<dmx>1</dmx>\n"
        "<geometry>\n<x>40</x>\n<y>40</y>\n<rotate>30</rotate>\n</geometry>\n"
        "<reloc>\n<channel nr=\"5\">-4</channel>\n</reloc>\n</device>\n"
        "<device nr=\"2\">\n<library>4</library>\n<dmx>10</dmx>\n"
        "<geometry>\n<x>150</x>\n<y>200</y>\n</geometry>\n</device>\n"
        "<device nr=\"3\">\n<library>5</library>\n<dmx>510</dmx>\n"
        "<geometry>\n<x>250</x>\n<y>100</y>\n<rotate>90</rotate>\n</geometry>\n</device>\n"
        "</devices>\n<groups>\n<group name=\"default\">\n<dev nr=\"1\"></dev>\n</group>\n</groups>\n";
    fuzzOutput litOut;
    litOut.u16(unsigned(lit.size()));
    litOut.bytes(lit);
    litOut.u8(31);  // zoom 2
    litOut.bytes(values);
    litOut.bytes(litProject);
    put("visual_files", "lit_fixtures", litOut.out);

    // The same at the ends of an int, as a library and a project file.
    const QByteArray extreme(extremeChannels);
    const qsizetype devicesAt = extreme.indexOf("<devices>");
    const QByteArray extremeLibrary = "<contents>Fixtures library</contents>\n"
                                      + extreme.mid(10, extreme.indexOf("</library>") - 10);
    const QByteArray extremeProject = "<contents>visualisation project</contents>\n" + extreme.mid(devicesAt);
    fuzzOutput extremeOut;
    extremeOut.u16(unsigned(extremeLibrary.size()));
    extremeOut.bytes(extremeLibrary);
    extremeOut.u8(15);
    extremeOut.bytes(values);
    extremeOut.bytes(extremeProject);
    put("visual_files", "extreme_channels", extremeOut.out);
}

// A TCP session: the operations of fuzz_tcp_replies and the peer's answers.
void tcpSeeds()
{
    fuzzOutput out;
    const int ops[][3] = {
        {0, 0, 0},          // connect
        {1, 0, 0},          // type word
        {6, 0, 0},          // serial
        {2, 7, 0},          // control read of 8 bytes
        {3, 10, 2},         // control write of 2 bytes
        {4, 0, 0},          // bulk read of a configuration frame
        {5, 1, 300},        // bulk write
    };
    out.u8(std::size(ops) - 1);
    for (const auto& op : ops) {
        out.u8(unsigned(op[0]));
        out.u8(unsigned(op[1]));
        out.u16(unsigned(op[2]));
    }
    // Handshake: accepted, old hardware.
    out.u8(6);
    out.u8(1);
    out.u8(0xD3);
    out.u8(0);
    // Type word.
    out.u8(0);
    out.u32(2);
    out.bytes(QByteArray::fromHex("d300"));
    out.u8(0);
    // Serial: a word, then the text.
    const QByteArray serial = QByteArray::fromHex("0100") + "01D30001-0001";
    out.u8(unsigned(serial.size() + 2));
    out.u32(uint32_t(serial.size()));
    out.bytes(serial);
    out.u8(0);
    // Control read: eight bytes and status 0.
    out.u8(0);
    out.u32(8);
    out.bytes(QByteArray::fromHex("0000080000000000"));
    out.u8(0);
    // Control write: status 0.
    out.u8(0);
    out.u32(0);
    out.u8(0);
    // Bulk read: a frame of the configuration.
    out.u8(1);
    out.u8(CONFIG_READ);
    out.u8(0);
    out.u32(img::DEVICE_BASE);
    out.u8(0);
    out.u32(4);
    out.bytes(QByteArray::fromHex("01020304"));
    out.u8(0xFF);
    out.u8(0);
    put("tcp_replies", "session", out.out);

    fuzzOutput refused;
    refused.u8(0);
    refused.u8(0);
    refused.u8(0);
    refused.u16(0);
    refused.u8(6);
    refused.u8(0);
    refused.u8(0xD3);
    refused.u8(1);
    put("tcp_replies", "refused", refused.out);
}

} // namespace

// Remote-control settings files as the remote-control tab writes them, and
// two it must cope with: one from an older installation in Latin-1 and one
// with broken lines. Each seed starts with the byte choosing the answers.
void rcuSeeds()
{
    kv310_controller_class controller;
    theController = &controller;
    fuzzDialogs dialogs;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seed.rcu"));
    asettings_ired_tab tab;
    const auto written = [&](const char* name) {
        if (!tab.writeRcuFile(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        put("rcu_file", name, QByteArray(1, '\0') + contentOf(path));
        put("xml_reader", (QByteArray("rcu_") + name).constData(), contentOf(path));
    };

    controller.rcuAddress = 0xFF;
    controller.rcuKeyCodes.fill(0xFF);
    written("empty");
    controller.rcuAddress = 21;
    for (int b = 0; b < 64; ++b) {
        controller.rcuKeyCodes[size_t(b)] = b % 5 == 4 ? 0xFF : uint8_t((b * 7) % 64);
        if (b % 3 == 0)
            controller.rcuKeyDescriptions[size_t(b)] = QStringLiteral("Przycisk %1 – światło & dym").arg(b + 1);
    }
    written("full");
    // Markup, escapes typed as text and line breaks, written escaped.
    const QString marked[] = {QStringLiteral("R&D <main>"), QStringLiteral("x</button>"), QStringLiteral("&lt; &&#10;"),
                              QStringLiteral("two\nlines"), QStringLiteral("\r\nbreaks\r")};
    for (int b = 0; b < 5; ++b)
        controller.rcuKeyDescriptions[size_t(b)] = marked[b];
    written("escaped");

    put("rcu_file", "latin1",
        QByteArray(1, '\1') + "<contents>Settings for Kv310+ RCU control</contents>\n<sysaddress>0x1F</sysaddress>\n"
                               "<buttons>\n <button nr=\"3\">\n  <code>017</code>\n  <description>Caf\xe9</description>\n"
                               " </button>\n <button nr=\"64\">\n  <code>99</code>\n </button>\n</buttons>\n");
    // Files that are no remote-control settings: refused, nothing changed.
    put("rcu_file", "fixture_library",
        QByteArray(1, '\0') + "<contents>Fixtures library</contents>\n<item nr=\"1\">\n<model>M</model>\n</item>\n");
    put("rcu_file", "plain_text", QByteArray(1, '\0') + "sysaddress 7\n<sysaddress>7</sysaddress>\n");
    put("rcu_file", "broken",
        QByteArray(1, '\2') + "<sysaddress>not used</sysaddress>\n<buttons>\n <button nr=\"1\">\n  <code>5\n"
                               " <button>\n</buttons>\n<sysaddress>-1</sysaddress>\n");
    theController = nullptr;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed directory>\n", argv[0]);
        return 2;
    }
    root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    fuzzInitialize("seeds");
    {
        published run;
        xmlSeeds(run);
        configFileSeeds(run);
        storedProjectSeeds(run);
        sheetSeeds(run);
    }
    imageSeeds();
    programCopySeeds();
    sunSeeds();
    stateTextSeeds();
    languageSeeds();
    upgradeSeeds();
    replySeeds();
    tcpSeeds();
    visualFileSeeds();
    rcuSeeds();
    return 0;
}
