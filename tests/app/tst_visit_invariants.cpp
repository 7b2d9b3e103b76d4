// A visit changes nothing: a show read from a file, then every page and
// sub-page shown, the first and the last row of every list chosen, the
// language switched to Polish and back, and every dialog a page offers opened
// and cancelled, is still the show of the file: the configuration image as a
// save packs it, the descriptions and the visual project are the same to the
// byte. The only changes allowed are the repairs of values the controller
// cannot take, listed below with the reason of each.
//
// What the show is compared with is the file read by a controller without a
// window, so the reading roads (the pages' reactions to a read) count too.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/daytime_limit_editor.h"
#include "editors/events/state_limit_editor.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/events.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "settings/asettings_ired_tab.h"
#include "support/golden_files.h"
#include "visit_rig.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <functional>
#include <memory>
#include <utility>

namespace {

// The show as a save keeps it: the image with the tables packed, and the
// project description (every description, the field and the visual project).
// Columns of the action tables.
constexpr int DAYTIME_COLUMN = 3;
constexpr int STATES_COLUMN = 4;

struct savedShow {
    QByteArray image;
    QString project;
};

savedShow savedFrom(kv310_controller_class& c)
{
    c.events.packEvents(c.configImage);
    c.programs.packPrograms(c.configImage);
    c.packTimers();
    c.packCoupledScenes();
    savedShow s;
    s.image = QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE);
    c.writeProjectXml(s.project);
    return s;
}

// Where two images differ, as ranges of offsets, for the failure report.
QString differences(const QByteArray& expected, const QByteArray& actual)
{
    QStringList out;
    for (int i = 0; i < expected.size() && out.size() < 20; ++i) {
        if (expected.at(i) == actual.at(i))
            continue;
        int end = i;
        while (end + 1 < expected.size() && end + 1 - i < 64 && expected.at(end + 1) != actual.at(end + 1))
            ++end;
        out << QStringLiteral("0x%1..0x%2: %3 -> %4")
                   .arg(i, 0, 16)
                   .arg(end, 0, 16)
                   .arg(QString::fromLatin1(expected.mid(i, qMin(end - i + 1, 8)).toHex()))
                   .arg(QString::fromLatin1(actual.mid(i, qMin(end - i + 1, 8)).toHex()));
        i = end;
    }
    return out.join(QLatin1Char('\n'));
}

// A value a show may hold that the controller cannot take, and what showing
// it makes of it. The show outside the limits holds `stored`; after the
// visit the show holds `repaired`.
struct repair {
    const char* what;
    std::function<void(kv310_controller_class&, int)> set;
    int stored;
    int repaired;
    const char* why;
};

void setU16(kv310_controller_class& c, uint32_t offset, int v)
{
    img::putU16(c.configImage, offset, uint16_t(v));
}

void setSceneTimes(kv310_controller_class& c, int scene, int duration)
{
    fadeTimes t = fadeTimes::read(c.configImage + img::sceneTimesOf(scene));
    t.fadeUp = 0;
    t.fadeDown = 0;
    t.duration = uint16_t(duration);
    t.write(c.configImage + img::sceneTimesOf(scene));
}

// The phase mask bit of input channel `channel` (0-based): set, it cannot set phases.
void setPhaseBit(kv310_controller_class& c, int channel, int bit)
{
    const uint32_t offset = img::dmxInPhaseMaskOf(channel / 32);
    const uint32_t mask = 1u << (channel % 32);
    img::putU32(c.configImage, offset, bit ? img::getU32(c.configImage, offset) | mask
                                           : img::getU32(c.configImage, offset) & ~mask);
}

const QList<repair>& repairs()
{
    static const QList<repair> table{
        {"latitude", [](kv310_controller_class& c, int v) { img::putI32(c.configImage, img::latitude, v); }, 70, 50,
         "no latitude of the sun table; the Other page shows and stores its default"},
        {"longitude", [](kv310_controller_class& c, int v) { img::putI32(c.configImage, img::longitude, v); }, -181,
         20, "no longitude; the default"},
        {"time zone", [](kv310_controller_class& c, int v) { img::putI32(c.configImage, img::timeZone, v); }, 13, 1,
         "no time zone; the default"},
        {"active scenes start scene", [](kv310_controller_class& c, int v) { setU16(c, img::asStartScene, v); }, 5000,
         2303, "its 768 scenes would lie past the scene table: the highest start the box offers"},
        // (A start event 0, internal event 1, becomes "not set"; here the
        // numbers are all set, so that the compound scenes page is visited.)
        {"active scenes start event", [](kv310_controller_class& c, int v) { setU16(c, img::asStartEvent, v); },
         2000, 1007, "its 16 internal events would lie past the internal events: the highest start the box offers"},
        {"phase bit of the control channel", [](kv310_controller_class& c, int v) { setPhaseBit(c, 199, v); }, 1,
         0, "the active scenes' control channel can always set phases: its box is locked checked"},
        {"scene 1 times", [](kv310_controller_class& c, int v) { setSceneTimes(c, 0, v); }, 0, 10,
         "all times of a scene 0: the scene page gives it a duration of 1 s"},
        {"program 1 step 1",
         [](kv310_controller_class& c, int v) {
             c.programs.setFadeUp(0, 0, QTime(0, 0));
             c.programs.setDuration(0, 0, fromTenths(unsigned(v)));
         },
         0, 10, "fade-up and duration 0: the step table gives it a duration of 1 s"},
    };
    return table;
}

// The golden show with values that lie outside the limits the user set on
// other pages, or outside what a page offers, each valid for the controller.
void putOutsideTheLimits(kv310_controller_class& c)
{
    // The active scenes' control channel (200) above the DMX input limit.
    setU16(c, img::inputChannelLimit, 100);
    setU16(c, img::asControlChannel, 199);
    // A sector and the DMX output events above the output channel limit (300).
    sectorRange{400, 449}.write(c.configImage + img::asSectorRangesOf(0));
    setU16(c, img::outEventFirstChannel, 349);
    setU16(c, img::outEventLastChannel, 359);
    // Program 1 chains the event of timer 2, a kind the program page does not offer.
    setU16(c, img::programChainEventOf(0), EVENT_TIMER + 1);
}

// Input channels 301..310 may set phases; in the second show they lie
// beyond the DMX input limit.
void allowPhases(kv310_controller_class& c)
{
    for (int ch = 300; ch < 310; ++ch)
        setPhaseBit(c, ch, 0);
}

}  // namespace

class tst_visit_invariants : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void aVisitChangesNothing_data();
    void aVisitChangesNothing();

private:
    QTemporaryDir files;
    QTranslator polish;
    QString golden, phases, outside;
};

void tst_visit_invariants::initTestCase()
{
    QVERIFY(polish.load(QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_pl.qm")));
    golden = goldenCopy(files, QStringLiteral("show.31xcfg"));
    QVERIFY(!golden.isEmpty());

    // The shows outside the limits are the golden one as another program
    // (or an older one) wrote them.
    programSession session;
    kv310_controller_class* c = session.rig->controller.get();
    c->read_confDataFromFile(golden);
    allowPhases(*c);
    phases = files.filePath(QStringLiteral("phases.31xcfg"));
    c->write_confDataToFile(phases, false);
    putOutsideTheLimits(*c);
    for (const repair& r : repairs())
        r.set(*c, r.stored);
    outside = files.filePath(QStringLiteral("outside.31xcfg"));
    c->write_confDataToFile(outside, false);
    QVERIFY(QFile::exists(phases) && QFile::exists(outside));
}

void tst_visit_invariants::aVisitChangesNothing_data()
{
    QTest::addColumn<QStringList>("shows");  // read and visited in turn; the last is compared
    QTest::addColumn<bool>("repaired");

    QTest::newRow("golden show") << QStringList{golden} << false;
    QTest::newRow("show outside the limits") << QStringList{phases, outside} << true;
}

void tst_visit_invariants::aVisitChangesNothing()
{
    QFETCH(QStringList, shows);
    QFETCH(bool, repaired);

    programSession session;
    visit::cancellingSeam seam;
    programRig& rig = *session.rig;
    QTranslator* installed = nullptr;
    rig.window->show();

    savedShow expected;
    for (const QString& show : shows) {
        // The road of a user: "Read config from file".
        seam.answerFile(show);
        rig.panel()->readFileButton->click();
        visit::settle();

        // The file as a controller without a window reads it, with the
        // listed repairs made.
        kv310_controller_class plain;
        plain.read_confDataFromFile(show);
        expected = savedFrom(plain);
        if (repaired && show == shows.last()) {
            for (const repair& r : repairs()) {
                r.set(plain, r.repaired);
                const savedShow before = std::exchange(expected, savedFrom(plain));
                QVERIFY2(expected.image != before.image, r.what);  // the show holds what needs the repair
            }
        }

        visit::walk(rig.window.get());
        visit::rebuildWindow(rig, installed, &polish);
        visit::walk(rig.window.get());
        visit::rebuildWindow(rig, installed, nullptr);
        visit::walk(rig.window.get());
    }

    gui_class* w = rig.window.get();
    // All three numbers set: the compound scenes page was visited too.
    QCOMPARE(w->tabWidget_actives->isTabEnabled(1), repaired);

    // Every dialog a page offers, opened and cancelled.
    QSet<QAbstractButton*> clicked;
    QSet<QAbstractItemView*> limited;
    const auto onPage = [w, &clicked, &limited](QWidget* page) {
        // The daytime and state limits of an action, opened and cancelled.
        for (aevents_tableview_widget* table : page->findChildren<aevents_tableview_widget*>()) {
            if (!table->isVisible() || table->model()->rowCount() == 0 || limited.contains(table))
                continue;
            limited.insert(table);
            for (const int column : {DAYTIME_COLUMN, STATES_COLUMN}) {
                const QModelIndex index = table->model()->index(0, column);
                table->setCurrentIndex(index);
                table->edit(index);
                visit::settle();
                for (StL_widget* states : table->window()->findChildren<StL_widget*>()) {
                    if (states->isVisible())
                        states->pbCancel->click();
                }
                for (DTL_widget* daytime : table->viewport()->findChildren<DTL_widget*>())
                    QTest::keyClick(daytime, Qt::Key_Escape);
                visit::settle();
            }
        }

        QList<QAbstractButton*> buttons;
        for (auto* editor : {static_cast<arecord_settings_widget*>(w->sceneEditor),
                             static_cast<arecord_settings_widget*>(w->maskEditor)}) {
            buttons << editor->browseFileButton << editor->sheetBrowseButton;
        }
        buttons << w->programEditor->browseButton << w->tab_settings_ired->readFileButton
                << w->tab_settings_ired->saveFileButton << w->readSunTimesButton << w->saveSunTimesButton
                << w->backgroundBrowseButton << w->sketchBrowseButton << w->browseLibraryButton
                << w->browseProjectButton;
        for (QAbstractButton* b : std::as_const(buttons)) {
            if (b->isVisible() && b->isEnabled() && page->isAncestorOf(b) && !clicked.contains(b)) {
                clicked.insert(b);
                b->click();
            }
        }
    };
    visit::walk(w, onPage);
    for (auto* editor : {static_cast<arecord_settings_widget*>(w->sceneEditor),
                         static_cast<arecord_settings_widget*>(w->maskEditor)}) {
        // The sheet dialog of the other direction.
        (editor->sheetImportButton->isChecked() ? editor->sheetExportButton : editor->sheetImportButton)->click();
        clicked.remove(editor->sheetBrowseButton);
    }
    visit::walk(w, onPage);
    for (QAbstractButton* b : {rig.panel()->saveFileButton, rig.panel()->readFileButton, rig.panel()->clearButton})
        b->click();
    for (QAction* a : {w->openAction, w->saveAction, w->clearAction, w->upgradeAction, w->verifyAction,
                       w->helpAction, w->aboutAction, w->aboutProjectAction})
        a->trigger();
    visit::settle();

    const savedShow actual = savedFrom(*rig.controller);
    QVERIFY2(actual.image == expected.image, qPrintable(differences(expected.image, actual.image)));
    QCOMPARE(actual.project, expected.project);
    if (installed)
        QCoreApplication::removeTranslator(installed);
}

QTEST_MAIN(tst_visit_invariants)
#include "tst_visit_invariants.moc"
