#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "app/startup.h"
#include "editors/scenes/as_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "fixtures/light_effect.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "program_rig.h"
#include "shown_state.h"

#include "support/golden_files.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QMap>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QtDebug>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// One stop of a walk through the window and what its page showed there.
struct stop {
    QString where;
    shownState shown;
};

// The main tab's page as it shows now, under a name for the stop.
void look(gui_class* w, const QString& where, QList<stop>& stops)
{
    stops.append({where, readShownState(w->tabWidget_main->currentWidget())});
}

// The first tab widget on the page, not inside another one there.
QTabWidget* firstTabs(QWidget* page)
{
    for (QTabWidget* tabs : page->findChildren<QTabWidget*>()) {
        if (!tabs->isVisible())
            continue;
        bool nested = false;
        for (QWidget* p = tabs->parentWidget(); p && p != page; p = p->parentWidget())
            nested = nested || qobject_cast<QTabWidget*>(p);
        if (!nested)
            return tabs;
    }
    return nullptr;
}

// At a page without further tabs: a later row chosen in each list and table
// that lets the user choose one, the page looked at after each.
void chooseRows(gui_class* w, const QString& where, QList<stop>& stops)
{
    QWidget* page = w->tabWidget_main->currentWidget();
    const QList<QAbstractItemView*> views = page->findChildren<QAbstractItemView*>();
    for (QAbstractItemView* view : views) {
        if (!view->isVisible() || view->selectionMode() == QAbstractItemView::NoSelection
            || qobject_cast<QHeaderView*>(view) || !view->model() || view->model()->rowCount() < 2)
            continue;
        const int row = qMin(view->model()->rowCount() - 1, 2);
        view->setCurrentIndex(view->model()->index(row, 0));
        look(w, QStringLiteral("%1, row %2 of %3").arg(where).arg(row).arg(shownStateReader::pathOf(view, page)),
             stops);
    }
}

// Each enabled tab of the page's tab widgets, down to the pages without
// tabs, where `atLeaf` looks.
void visitTabs(QWidget* page, const QString& where, const std::function<void(const QString&)>& atLeaf)
{
    QTabWidget* tabs = firstTabs(page);
    if (!tabs) {
        atLeaf(where);
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        if (!tabs->isTabEnabled(i))
            continue;
        tabs->setCurrentIndex(i);
        visitTabs(tabs->currentWidget(), QStringLiteral("%1/%2").arg(where).arg(i), atLeaf);
    }
}

void visitAll(gui_class* w, const std::function<void(const QString&)>& atLeaf)
{
    QTabWidget* main = w->tabWidget_main;
    for (int t = 0; t < main->count(); ++t) {
        if (!main->isTabEnabled(t))
            continue;
        main->setCurrentIndex(t);
        visitTabs(main->currentWidget(), QString::number(t), atLeaf);
    }
}

// Every enabled tab and sub-tab of the window as it comes, then again with
// rows chosen in its lists.
QList<stop> tour(gui_class* w)
{
    QList<stop> stops;
    visitAll(w, [&](const QString& where) { look(w, where, stops); });
    visitAll(w, [&](const QString& where) { chooseRows(w, where, stops); });
    return stops;
}

QStringList placesOf(const QList<stop>& stops)
{
    QStringList places;
    for (const stop& s : stops)
        places << s.where;
    return places;
}

// What a walk showed otherwise than the walk it repeats, stop by stop: the
// states always, the texts when both walks ran in one language.
void compareWalks(const QList<stop>& first, const QList<stop>& again, const QString& how, bool texts,
                  QStringList& problems)
{
    if (placesOf(again) != placesOf(first)) {
        problems << how + QStringLiteral(": other stops\n") + shownState::difference(placesOf(first), placesOf(again));
        return;
    }
    for (int i = 0; i < first.size(); ++i) {
        const shownState& before = first.at(i).shown;
        const shownState& after = again.at(i).shown;
        if (after.states != before.states)
            problems << QStringLiteral("%1 %2:\n").arg(first.at(i).where, how)
                            + shownState::difference(before.states, after.states);
        if (texts && after.texts != before.texts)
            problems << QStringLiteral("%1 %2, texts:\n").arg(first.at(i).where, how)
                            + shownState::difference(before.texts, after.texts);
    }
}

// Every difference is told at once: a fault of one page does not hide
// another's.
void reportProblems(const QStringList& problems)
{
    for (const QString& problem : problems)
        qWarning().noquote() << problem;
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 differences").arg(problems.size())));
}

// A widget's path as the shown-state reader makes it, with the pages of a
// stack by their index: showing a page raises it among its siblings.
QString stablePathOf(const QWidget* widget, const QWidget* root)
{
    QStringList parts;
    for (const QWidget* p = widget; p && p != root; p = p->parentWidget()) {
        const auto* stack = qobject_cast<const QStackedWidget*>(p->parentWidget());
        parts.prepend(stack && p->objectName().isEmpty() ? QStringLiteral("page %1").arg(stack->indexOf(p))
                                                         : shownStateReader::pathOf(p, p->parentWidget()));
    }
    return parts.join(QLatin1Char('/'));
}

// Where the user is in the window: the tab of each tab widget and the
// current cell of each list and table that lets the user choose one.
QMap<QString, QString> placeOf(gui_class* w)
{
    QMap<QString, QString> place;
    for (const QTabWidget* tabs : w->findChildren<QTabWidget*>()) {
        if (tabs->window() == w)
            place.insert(stablePathOf(tabs, w), QStringLiteral("tab %1").arg(tabs->currentIndex()));
    }
    for (const QAbstractItemView* view : w->findChildren<QAbstractItemView*>()) {
        if (qobject_cast<const QHeaderView*>(view) || view->window() != w
            || view->selectionMode() == QAbstractItemView::NoSelection || !view->model())
            continue;
        const QModelIndex current = view->currentIndex();
        place.insert(stablePathOf(view, w),
                     current.isValid() ? QStringLiteral("cell %1, %2").arg(current.row()).arg(current.column())
                                       : QStringLiteral("no cell"));
    }
    return place;
}

// Brings the window back to a place read with placeOf: the rows first, then
// the tabs, inner ones before the outer ones that show them.
void returnTo(gui_class* w, const QMap<QString, QString>& place)
{
    for (QAbstractItemView* view : w->findChildren<QAbstractItemView*>()) {
        const QString want = place.value(stablePathOf(view, w));
        if (want == QLatin1String("no cell")) {
            view->selectionModel()->clearCurrentIndex();
        } else if (want.startsWith(QLatin1String("cell "))) {
            const QStringList at = want.mid(5).split(QStringLiteral(", "));
            view->setCurrentIndex(view->model()->index(at.at(0).toInt(), at.at(1).toInt()));
        }
    }
    QList<QTabWidget*> tabs = w->findChildren<QTabWidget*>();
    std::sort(tabs.begin(), tabs.end(), [w](const QTabWidget* a, const QTabWidget* b) {
        return stablePathOf(a, w).count(QLatin1Char('/')) > stablePathOf(b, w).count(QLatin1Char('/'));
    });
    for (QTabWidget* t : std::as_const(tabs)) {
        const QString want = place.value(stablePathOf(t, w));
        if (want.startsWith(QLatin1String("tab ")))
            t->setCurrentIndex(want.mid(4).toInt());
    }
}

gui_class* currentWindow()
{
    return qobject_cast<gui_class*>(theMainWindow);
}

// What the controller does and what the window says of it.
struct controllerView {
    bool transparencyOn = false;     // the controller passes its DMX input through
    bool transparencyShown = false;  // the scene page's group says so
    int workingMode = -1;
    QList<bool> modeButtons;         // Normal, Live, Freeze
    QString status;
};

controllerView viewOf(gui_class* w, const simController& sim)
{
    controllerView v;
    v.transparencyOn = sim.dmxTransparency;
    v.transparencyShown = w->sceneEditor->transparencyGroup->isChecked();
    v.workingMode = sim.workingMode();
    v.modeButtons = {w->rightPanel->normalButton->isChecked(), w->rightPanel->liveButton->isChecked(),
                     w->rightPanel->freezeButton->isChecked()};
    v.status = w->rightPanel->statusLabel->text();
    return v;
}

// Fixtures whose caption is not the one the language now installed makes.
QStringList staleCaptions()
{
    QStringList stale;
    for (lightEffect* f : std::as_const(theVisualProject->fixtures)) {
        const QString shown = f->caption;
        f->updateCaption();
        if (f->caption != shown)
            stale << shown;
    }
    return stale;
}

// A language entry's menu action of the current window, as the user picks it.
void pickLanguage(int index)
{
    // Without the entry the walk ends here, and the windows it did not reach are missing.
    if (QAction* action = languageList.at(index).action)
        action->trigger();
    else
        QCoreApplication::exit(0);
}

// Runs f once the event loop running next has served what was posted before
// it started (the new translator's LanguageChange events among them).
void whenLoopRuns(std::function<void()> f)
{
    QTimer::singleShot(0, qApp, [f = std::move(f)] { QTimer::singleShot(0, qApp, f); });
}

}  // namespace

// A change of the interface language rebuilds the main window; the new
// window shows the same show as the old one, and the controller does what
// the window says. The program's own start-up loop does the rebuilding; the
// window of each language is walked tab by tab, row by row.
class tst_language_change : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void theRebuiltWindowShowsTheSameShow();
    void theRebuiltWindowOpensWhereTheUserLeftTheOldOne();
    void aWindowBuiltOverAShowShowsItAsOneThatReadIt();

private:
    std::unique_ptr<programSession> session;
    QString show;  // the golden show, to read
};

void tst_language_change::init()
{
    // The program's objects as main makes them; the windows come from the
    // start-up loop or from the test.
    session = std::make_unique<programSession>(false);
    show = goldenCopy(session->dir, QStringLiteral("show.31xcfg"));
    // English and the program's Polish catalogue, as the build makes it.
    languageRequest english{QStringLiteral("en"), QString()};
    const languageChoice choice =
        buildLanguageList(QString(), {QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_pl.qm")}, english);
    languageList = choice.languages;
    QCOMPARE(languageList.size(), 2);
    QVERIFY(!languageList.at(1).translator->isEmpty());
    requestedLanguage = choice.requested;
    installedLanguage = -1;
}

void tst_language_change::cleanup()
{
    session.reset();
    for (const languageEntry& entry : std::as_const(languageList))
        delete entry.translator;
    languageList.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_language_change::theRebuiltWindowShowsTheSameShow()
{
    programSession& s = *session;
    programRig& rig = *s.rig;
    QList<stop> english, polish, englishAgain;
    QStringList titles;
    QList<controllerView> views;  // after the show was read, then in each rebuilt window
    QStringList stalePolish;

    // In the first window: the show read from a file, the controller
    // connected, every page seen; then DMX transparency on, and Polish.
    whenLoopRuns([&] {
        gui_class* w = currentWindow();
        // What the loop does once the window's first frame is through.
        w->completeWindow();
        rig.controller->read_confDataFromFile(show);
        w->rightPanel->connectButton->click();
        // Each window is left where a new one starts, so that the next one,
        // which opens where the user left this one, is walked from where
        // this one was.
        const QMap<QString, QString> start = placeOf(w);
        // Active scenes set up, so that their compound pictures can be edited.
        w->tabWidget_main->setCurrentIndex(6);
        w->activeScenes->setChecked(true);
        w->activeScenes->startSceneBox->setValue(101);
        w->activeScenes->startEventBox->setValue(5);
        w->activeScenes->controlChannelBox->setValue(3);
        english = tour(w);
        titles << w->windowTitle();
        returnTo(w, start);
        w->tabWidget_main->setCurrentIndex(1);
        w->sceneEditor->transparencyGroup->setChecked(true);
        views << viewOf(w, *rig.sim);
        whenLoopRuns([&, start] {
            gui_class* w = currentWindow();
            w->completeWindow();
            polish = tour(w);
            titles << w->windowTitle();
            views << viewOf(w, *rig.sim);
            stalePolish = staleCaptions();
            returnTo(w, start);
            whenLoopRuns([&] {
                gui_class* w = currentWindow();
                w->completeWindow();
                englishAgain = tour(w);
                titles << w->windowTitle();
                views << viewOf(w, *rig.sim);
                QCoreApplication::exit(0);
            });
            pickLanguage(0);
        });
        pickLanguage(1);
    });
    runRebuildLoop(rig.controller.get());

    QCOMPARE(s.rec.texts(), QStringList{"Data read from file\n    successful!"});
    QCOMPARE(titles.size(), 3);

    QStringList problems;
    const auto expect = [&problems](bool holds, const QString& what) {
        if (!holds)
            problems << what;
    };
    for (const QString& title : std::as_const(titles))
        expect(title == QLatin1String("KvOrbit310+ - show.31xcfg"), QStringLiteral("title ") + title);
    expect(stalePolish.isEmpty(),
           QStringLiteral("fixture captions in the old language: ") + stalePolish.join(QLatin1Char(';')));

    // The controller does what each window shows: transparency ends with the
    // window that switched it on, the link and the mode stay.
    expect(views.at(0).transparencyOn && views.at(0).transparencyShown, QStringLiteral("transparency not on"));
    for (int i = 1; i < views.size(); ++i) {
        expect(!views.at(i).transparencyOn && !views.at(i).transparencyShown,
               QStringLiteral("window %1: the controller's transparency %2, shown %3")
                   .arg(i)
                   .arg(views.at(i).transparencyOn)
                   .arg(views.at(i).transparencyShown));
        expect(views.at(i).workingMode == views.at(0).workingMode, QStringLiteral("window %1: mode").arg(i));
        expect(views.at(i).modeButtons == views.at(0).modeButtons, QStringLiteral("window %1: mode buttons").arg(i));
    }
    // (The Polish window says it in Polish.)
    expect(views.at(2).status == views.at(0).status, QStringLiteral("link ") + views.at(2).status);

    compareWalks(english, polish, QStringLiteral("in Polish"), false, problems);
    compareWalks(english, englishAgain, QStringLiteral("in English again"), true, problems);
    reportProblems(problems);
}

// A window built over a configuration read before it (a file named on the
// command line) shows it as a window that read the file shows it.
void tst_language_change::aWindowBuiltOverAShowShowsItAsOneThatReadIt()
{
    programRig& rig = *session->rig;
    // A window of its own for each walk, its title the first stop.
    const auto walk = [&](bool readInTheWindow) {
        gui_class w(rig.controller.get());
        theMainWindow = &w;
        w.show();
        if (readInTheWindow)
            rig.controller->read_confDataFromFile(show);
        QList<stop> stops = tour(&w);
        stops.prepend({QStringLiteral("title"), shownState{{w.windowTitle()}, {}}});
        theMainWindow = nullptr;
        return stops;
    };
    rig.controller->readFirstConfiguration(show);
    const QList<stop> builtOver = walk(false);
    rig.controller->ClearConfig(CLEAR_ALL);
    const QList<stop> reading = walk(true);

    QStringList problems;
    compareWalks(reading, builtOver, QStringLiteral("built over the show"), true, problems);
    reportProblems(problems);
}


// After a change of language the user finds the window where they left it:
// the page, every page's tabs and the row of every list they chose there,
// also on pages the new window builds later.
void tst_language_change::theRebuiltWindowOpensWhereTheUserLeftTheOldOne()
{
    programSession& s = *session;
    programRig& rig = *s.rig;
    QMap<QString, QString> left, found;
    QByteArray imageBefore, imageAfter;
    whenLoopRuns([&] {
        gui_class* w = currentWindow();
        w->completeWindow();
        rig.controller->read_confDataFromFile(show);
        // A later row in every list of every page, each page left on its
        // last tabs; the user ends on the programs' "Groupped Steps".
        visitAll(w, [&](const QString&) {
            for (QAbstractItemView* view : w->tabWidget_main->currentWidget()->findChildren<QAbstractItemView*>()) {
                if (view->isVisible() && view->selectionMode() != QAbstractItemView::NoSelection
                    && !qobject_cast<QHeaderView*>(view) && view->model() && view->model()->rowCount() > 5)
                    view->setCurrentIndex(view->model()->index(5, 0));
            }
        });
        w->tabWidget_main->setCurrentIndex(2);
        w->programEditor->toolTabs->setCurrentIndex(1);
        left = placeOf(w);
        imageBefore = QByteArray(reinterpret_cast<const char*>(rig.controller->configImage), img::SIZE);
        whenLoopRuns([&] {
            gui_class* w = currentWindow();
            // As the user first sees it, then with every page built.
            QCOMPARE(w->tabWidget_main->currentIndex(), 2);
            QCOMPARE(w->programEditor->toolTabs->currentIndex(), 1);
            w->completeWindow();
            found = placeOf(w);
            imageAfter = QByteArray(reinterpret_cast<const char*>(rig.controller->configImage), img::SIZE);
            QCoreApplication::exit(0);
        });
        pickLanguage(1);
    });
    runRebuildLoop(rig.controller.get());

    QVERIFY(left.size() > 30);
    QVERIFY(std::count_if(left.cbegin(), left.cend(), [](const QString& v) { return v == QLatin1String("cell 5, 0"); }) > 10);
    if (found != left) {
        QStringList a, b;
        for (auto it = left.cbegin(); it != left.cend(); ++it)
            a << it.key() + QStringLiteral(": ") + it.value();
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            b << it.key() + QStringLiteral(": ") + it.value();
        qWarning().noquote() << shownState::difference(a, b);
    }
    QCOMPARE(found, left);
    // Finding the place back is a visit: the show stays as it was.
    QVERIFY(imageAfter == imageBefore);
}

QTEST_MAIN(tst_language_change)
#include "tst_language_change.moc"
