// The main window as the program opens it: the part of its first frame
// first, every other page when it is first shown or first needed; a page
// built late, by any road, is the page of a window built at once.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "app/startup.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/clear_flags.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "settings/asettings_ired_tab.h"
#include "widgets/cell_selection.h"
#include "widgets/guarded_spin_box.h"
#include "monitor/ctrl_monitor.h"
#include "support/dialog_recorder.h"
#include "support/golden_files.h"
#include "support/sample_show.h"
#include "page_walk.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Everything a user can see of a window: every widget with its class, name,
// place, visibility, state and texts, and what the tables hold.
void describe(const QWidget* w, QStringList& out, const QString& indent)
{
    QString line = indent + QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    const QRect g = w->geometry();
    line += QStringLiteral(" %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    // Hidden itself, not only within a hidden tab: what the tab shows once
    // it is chosen.
    line += w->isHidden() ? QStringLiteral(" hidden") : QStringLiteral(" shown");
    line += w->isEnabled() ? QStringLiteral(" enabled") : QStringLiteral(" disabled");
    if (auto* label = qobject_cast<const QLabel*>(w))
        line += QStringLiteral(" [%1]").arg(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        line += QStringLiteral(" [%1] %2").arg(button->text()).arg(button->isChecked());
    // The controller clock's edit shows the time of the moment.
    const auto showsNow = [](const QWidget* edit) {
        auto* clock = qobject_cast<const QDateTimeEdit*>(edit);
        return clock && (clock->displayedSections() & QDateTimeEdit::DateSections_Mask);
    };
    const bool now = showsNow(w) || showsNow(w->parentWidget());
    if (auto* edit = qobject_cast<const QLineEdit*>(w); edit && !now)
        line += QStringLiteral(" [%1]").arg(edit->text());
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w); spin && !now)
        line += QStringLiteral(" [%1]").arg(spin->text());
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        line += QStringLiteral(" [%1] %2").arg(combo->currentText()).arg(combo->count());
    if (auto* tabs = qobject_cast<const QTabWidget*>(w)) {
        line += QStringLiteral(" tab %1").arg(tabs->currentIndex());
        for (int i = 0; i < tabs->count(); ++i)
            line += QStringLiteral(" %1:%2").arg(tabs->tabText(i)).arg(tabs->isTabEnabled(i));
    }
    // Tables and lists through their models, whether they hold items or
    // read the show as they draw.
    const auto* view = qobject_cast<const QAbstractItemView*>(w);
    if (view && view->model() && !qobject_cast<const QHeaderView*>(w)) {
        const QAbstractItemModel* model = view->model();
        const QModelIndex current = view->currentIndex();
        line += QStringLiteral(" %1x%2 at %3,%4").arg(model->rowCount()).arg(model->columnCount())
                    .arg(current.row()).arg(current.column());
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex cell = model->index(r, c);
                line += QLatin1Char('|') + cell.data().toString() + QLatin1Char('/')
                    + qvariant_cast<QBrush>(cell.data(Qt::BackgroundRole)).color().name() + QLatin1Char('/')
                    + QString::number(cell.data(Qt::CheckStateRole).toInt()) + QLatin1Char('/')
                    + QString::number(int(model->flags(cell)));
            }
    }
    out.append(line);
    for (const QObject* child : w->children())
        if (child->isWidgetType())
            describe(static_cast<const QWidget*>(child), out, indent + QLatin1Char(' '));
}

QStringList describe(const QWidget* window)
{
    QStringList out;
    describe(window, out, QString());
    return out;
}

// The class and font of every widget, as the tab draws it.
QStringList fonts(const QWidget* w)
{
    QStringList out{QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->font().toString()};
    for (const QObject* child : w->children())
        if (child->isWidgetType())
            out += fonts(static_cast<const QWidget*>(child));
    return out;
}

using builder = std::function<void(gui_class*)>;

// The show of a test read from a file, or as a read from the controller
// leaves it: the window and its pages hear only that the controller read it.
enum showRead { noRead, readFromFile, readFromController };
void readAsFromTheController(kv310_controller_class& c, const QString& file)
{
    {
        const QSignalBlocker quiet(&c);
        c.read_confDataFromFile(file);
    }
    emit c.readKv310Finished();
    c.takeFingerprint();
}

// What the show holds: the image and the compound scenes' pictures.
QByteArray imageOf(const kv310_controller_class& c)
{
    return QByteArray(reinterpret_cast<const char*>(c.configImage), img::SIZE)
           + QByteArray(reinterpret_cast<const char*>(c.compoundScenes), sizeof c.compoundScenes);
}

// How many messages were shown before a main window first appeared.
class firstShowWatch : public QObject {
public:
    explicit firstShowWatch(const dialogRecorder& dialogs) : dialogs(dialogs) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && messagesBefore < 0 && qobject_cast<gui_class*>(watched))
            messagesBefore = int(dialogs.entries.size());
        return false;
    }
    int messagesBefore = -1;

private:
    const dialogRecorder& dialogs;
};

}  // namespace

Q_DECLARE_METATYPE(builder)

class tst_window_completion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theFirstFrameHoldsTheVisiblePartOnly();
    void aWindowCompletedLaterIsTheWindowBuiltAtOnce_data();
    void aWindowCompletedLaterIsTheWindowBuiltAtOnce();
    void aPageReachedByAServiceBeforeItsFirstShowIsBuiltAndRight_data();
    void aPageReachedByAServiceBeforeItsFirstShowIsBuiltAndRight();
    void theSceneToolsMadeLateAreTheToolsMadeAtOnce_data();
    void theSceneToolsMadeLateAreTheToolsMadeAtOnce();
    void theRemoteControlTabMadeLateLooksAsMadeBeforeTheFormTookIt();
    void theCommandLineFilesAreReadBeforeTheWindowAppears();
    void theCommandLineVisualProjectIsReadOnceTheFirstFrameIsThrough();
    void aWindowGoneBeforeItsPagesLeavesTheFieldToTheNext();
    void theProgramBuildsAPageWhenItIsFirstShown();
    void aPageShownLateMakesNoUnchangedShowAsk();
    void theFirstFrameGivesTheThreadPoolBack_data();
    void theFirstFrameGivesTheThreadPoolBack();

private:
    std::unique_ptr<gui_class> window(gui_class::windowBuild build)
    {
        auto w = std::make_unique<gui_class>(controller.get(), nullptr, build);
        theMainWindow = w.get();
        // On the screen, as the program shows it: what a page makes once its
        // tab is shown must show as what it made before.
        w->show();
        return w;
    }
    // The controller and visual project of a start with the sample show.
    void freshShow();
    // The show of init() saved, to be read into windows.
    QString savedShow()
    {
        const QString path = dir.filePath(QStringLiteral("show.31xcfg"));
        controller->write_confDataToFile(path, false);
        return path;
    }

    QTemporaryDir dir;
    std::unique_ptr<dialogRecorder> dialogs;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
};

void tst_window_completion::init()
{
    channelCount = 512;
    freshShow();
    dialogs = std::make_unique<dialogRecorder>();
}

void tst_window_completion::freshShow()
{
    theVisualProject = nullptr;
    project.reset();
    theController = nullptr;
    controller.reset();
    controller = std::make_unique<kv310_controller_class>();
    theController = controller.get();
    sampleShow::build(*controller, sampleShow::small);
    project = std::make_unique<v_project>();
    theVisualProject = project.get();
}

void tst_window_completion::cleanup()
{
    theMainWindow = nullptr;
    theVisualProject = nullptr;
    project.reset();
    theController = nullptr;
    controller.reset();
    dialogs.reset();
}

void tst_window_completion::theFirstFrameHoldsTheVisiblePartOnly()
{
    auto w = window(gui_class::windowBuild::visibleFirst);
    QVERIFY(!w->isComplete());
    QCOMPARE(w->tabWidget_main->currentIndex(), 1);
    QVERIFY(w->sceneEditor);
    QVERIFY(w->rightPanel);
    QCOMPARE(w->menuBar()->actions().size(), 5);
    QVERIFY(!w->programEditor);
    QVERIFY(!w->monitor);
    QVERIFY(!w->activeSceneEditor);
    QVERIFY(!w->hideMonitorCheck);
    // The form's tab pages are there, empty: the remote-control tab too.
    QVERIFY(!w->tab_settings_ired->isBuilt());
    QVERIFY(w->tab_settings_other->children().isEmpty());

    w->completeWindow();
    QVERIFY(w->isComplete());
    QVERIFY(w->programEditor && w->monitor && w->activeSceneEditor && w->hideMonitorCheck);
    QVERIFY(w->tab_settings_ired->isBuilt());
}

void tst_window_completion::aWindowCompletedLaterIsTheWindowBuiltAtOnce_data()
{
    QTest::addColumn<builder>("complete");
    QTest::addColumn<int>("read");  // another show, read by both windows once they are there
    const builder atOnce = [](gui_class* w) { w->completeWindow(); };
    QTest::newRow("all at once later") << atOnce << int(noRead);
    QTest::newRow("page by page, as shown") << builder(showEveryPage) << int(noRead);
    QTest::newRow("by a service of a page") << builder([](gui_class* w) { QVERIFY(w->monitorPanel()); })
                                            << int(noRead);
    QTest::newRow("by a menu entry") << builder([](gui_class* w) { w->viewInputsAction->trigger(); }) << int(noRead);
    QTest::newRow("by the visible page's refresh") << builder([](gui_class* w) { w->refreshVisiblePage(); })
                                                   << int(noRead);
    QTest::newRow("by the plan's fixture count") << builder([](gui_class* w) { w->showFixtureCount(0); })
                                                 << int(noRead);
    QTest::newRow("after a file read, page by page") << builder(showEveryPage) << int(readFromFile);
    QTest::newRow("after a file read, all at once") << atOnce << int(readFromFile);
    QTest::newRow("after a controller read, page by page") << builder(showEveryPage) << int(readFromController);
    QTest::newRow("after a controller read, all at once") << atOnce << int(readFromController);
}

void tst_window_completion::aWindowCompletedLaterIsTheWindowBuiltAtOnce()
{
    QFETCH(builder, complete);
    QFETCH(int, read);
    const QString show = goldenCopy(dir, QStringLiteral("show.31xcfg"));
    QVERIFY(!show.isEmpty());
    const auto readShow = [&] {
        if (read == readFromFile)
            controller->read_confDataFromFile(show);
        if (read == readFromController)
            readAsFromTheController(*controller, show);
    };
    // After a read both windows show every page, as a page of a window built
    // at once shows what was read only once it is shown: what the user sees.
    const bool visit = read != noRead || QByteArray(QTest::currentDataTag()).contains("page by page");
    const auto road = [&](gui_class* w) {
        readShow();
        // The same menu entry on both windows, whose dialog says the same;
        // the same tabs clicked, which raises their pages.
        if (QTest::currentDataTag() == QByteArray("by a menu entry"))
            w->viewInputsAction->trigger();
        if (visit)
            showEveryPage(w);
    };
    // Pictures an earlier window composed (before a change of language):
    // the read composes them anew.
    const auto composedBefore = [&] {
        if (read != noRead)
            controller->compoundScenes[2][0][5] = 7;
    };
    QStringList atOnce;
    QByteArray imageAtOnce;
    composedBefore();
    {
        auto w = window(gui_class::windowBuild::complete);
        road(w.get());
        atOnce = describe(w.get());
        imageAtOnce = imageOf(*controller);
    }
    // A window over the show of the start again, unless there is no read.
    if (read != noRead)
        freshShow();
    composedBefore();
    auto w = window(gui_class::windowBuild::visibleFirst);
    w->finishStart();
    readShow();
    complete(w.get());
    w->completeWindow();
    QVERIFY(w->isComplete());
    if (visit)
        showEveryPage(w.get());
    const QStringList later = describe(w.get());
    QCOMPARE(later.size(), atOnce.size());
    for (int i = 0; i < later.size(); ++i)
        QCOMPARE(later.at(i), atOnce.at(i));
    // What the pages built late wrote to the show, they wrote at once too.
    QVERIFY(imageOf(*controller) == imageAtOnce);
}

void tst_window_completion::aPageReachedByAServiceBeforeItsFirstShowIsBuiltAndRight_data()
{
    QTest::addColumn<builder>("service");
    QTest::addColumn<QString>("tabPage");
    QTest::newRow("monitor panel") << builder([](gui_class* w) { QVERIFY(w->monitorPanel()); })
                                   << QStringLiteral("tab_settings_other");
    QTest::newRow("compound faders followed")
        << builder([](gui_class* w) { w->followFaderBank(gui_base_class::COMPOUND_FADERS, w, [](int, int) {}); })
        << QStringLiteral("tab_as_edit");
    QTest::newRow("compound picture shown") << builder([](gui_class* w) { w->showCompoundPicture(2, 0); })
                                            << QStringLiteral("tab_as_edit");
    QTest::newRow("extra entries switched") << builder([](gui_class* w) {
        QMetaObject::invokeMethod(w, "entriesEnable", Q_ARG(int, int(Qt::Checked)));
    }) << QStringLiteral("tab_programs");
}

void tst_window_completion::aPageReachedByAServiceBeforeItsFirstShowIsBuiltAndRight()
{
    QFETCH(builder, service);
    QFETCH(QString, tabPage);
    // Both windows read the show after they were built, and the service
    // reaches the page before anything showed it.
    const QString show = savedShow();
    QStringList atOnce;
    {
        auto w = window(gui_class::windowBuild::complete);
        controller->read_confDataFromFile(show);
        service(w.get());
        atOnce = describe(w->findChild<QWidget*>(tabPage));
    }
    auto w = window(gui_class::windowBuild::visibleFirst);
    w->finishStart();
    controller->read_confDataFromFile(show);
    QVERIFY(w->findChild<QWidget*>(tabPage)->children().isEmpty());
    service(w.get());
    QVERIFY(!w->findChild<QWidget*>(tabPage)->children().isEmpty());
    QCOMPARE(describe(w->findChild<QWidget*>(tabPage)), atOnce);
}

void tst_window_completion::theSceneToolsMadeLateAreTheToolsMadeAtOnce_data()
{
    QTest::addColumn<builder>("reach");
    QTest::newRow("groupped channels shown")
        << builder([](gui_class* w) { w->sceneEditor->toolTabs->setCurrentIndex(1); });
    QTest::newRow("copying shown") << builder([](gui_class* w) { w->sceneEditor->toolTabs->setCurrentIndex(2); });
    QTest::newRow("the window completed") << builder([](gui_class* w) { w->completeWindow(); });
    QTest::newRow("transparency switched") << builder([](gui_class* w) { w->setSceneTransparency(false); });
}

void tst_window_completion::theSceneToolsMadeLateAreTheToolsMadeAtOnce()
{
    QFETCH(builder, reach);
    // A show whose output stops at channel 100, read after the range boxes
    // were limited elsewhere and before a scene is chosen: every step must
    // reach the tools whenever they are made.
    img::putU16(controller->configImage, img::outputChannelCount, 100);
    const QString show = savedShow();
    freshShow();
    const auto history = [&](gui_class* w) {
        w->limitChannelRangeBoxes(300);
        controller->read_confDataFromFile(show);
        w->sceneEditor->sceneList->setCurrentCell(4, 0);
    };
    const auto tools = [](gui_class* w) {
        return describe(w->sceneEditor->groupPage) + describe(w->sceneEditor->copyPage)
            + QStringList{QString::number(w->sceneEditor->selectionGroup->fromBox->maximum()),
                          QString::number(w->sceneEditor->selectionGroup->toBox->maximum())};
    };
    QStringList atOnce;
    {
        auto w = window(gui_class::windowBuild::complete);
        history(w.get());
        reach(w.get());
        w->sceneEditor->toolTabs->setCurrentIndex(1);
        w->sceneEditor->toolTabs->setCurrentIndex(2);
        atOnce = tools(w.get());
    }
    freshShow();
    channelCount = 512;
    auto w = window(gui_class::windowBuild::visibleFirst);
    w->finishStart();
    history(w.get());
    QVERIFY(!w->sceneEditor->toolsBuilt());
    reach(w.get());
    QVERIFY(w->sceneEditor->toolsBuilt());
    w->sceneEditor->toolTabs->setCurrentIndex(1);
    w->sceneEditor->toolTabs->setCurrentIndex(2);
    const QStringList later = tools(w.get());
    QCOMPARE(later.size(), atOnce.size());
    for (int i = 0; i < later.size(); ++i)
        QCOMPARE(later.at(i), atOnce.at(i));
}

// The form makes the remote-control tab and puts it into its bold settings
// tabs; the tab makes its widgets when it is first shown. They must look as
// when the tab made them before the form took it.
void tst_window_completion::theRemoteControlTabMadeLateLooksAsMadeBeforeTheFormTookIt()
{
    auto w = window(gui_class::windowBuild::visibleFirst);
    QTabWidget* settings = w->tabWidget_settings;
    auto* before = new asettings_ired_tab;
    before->build();
    settings->addTab(before, QStringLiteral("before"));
    w->tabWidget_main->setCurrentIndex(7);
    settings->setCurrentWidget(w->tab_settings_ired);
    QVERIFY(w->tab_settings_ired->isBuilt());
    // Both shown, as shown widgets take their style's fonts.
    settings->setCurrentWidget(before);
    QCOMPARE(fonts(w->tab_settings_ired), fonts(before));
}

// The first file is unpacked while the window is made; the files are taken
// in their order, with their messages, before the window appears, and the
// window shows the last one as a window built once they were read.
void tst_window_completion::theCommandLineFilesAreReadBeforeTheWindowAppears()
{
    const QString show = savedShow();
    const QString missing = dir.filePath(QStringLiteral("missing.31xcfg"));
    controller->ClearConfig(CLEAR_ALL);
    dialogs->clear();
    controller->readFirstConfiguration(missing);
    controller->read_confDataFromFile(show);
    const QStringList said = dialogs->texts();
    QCOMPARE(said.size(), 2);
    QStringList atOnce;
    {
        auto w = window(gui_class::windowBuild::complete);
        atOnce = describe(w.get());
    }

    controller->ClearConfig(CLEAR_ALL);
    dialogs->clear();
    const firstShowWatch watch(*dialogs);
    std::unique_ptr<gui_class> w(openMainWindow(controller.get(), {missing, show}));
    QCOMPARE(dialogs->texts(), said);
    QCOMPARE(watch.messagesBefore, said.size());
    for (const dialogRecorder::entry& e : std::as_const(dialogs->entries))
        QVERIFY(!e.parent);
    w->completeWindow();
    QCOMPARE(describe(w.get()), atOnce);
}

// The library and project files named on the command line are read by the
// visual-project page, as its buttons read them, once the first frame is
// through; an incomplete fixture is told of once.
void tst_window_completion::theCommandLineVisualProjectIsReadOnceTheFirstFrameIsThrough()
{
    const auto write = [this](const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return file.fileName();
    };
    project->libraryFile = write(QStringLiteral("lib.fxl"), "<contents>Fixtures library</contents>\n"
                                                              "<item nr=\"7\">\n<provider>Maker</provider>\n"
                                                              "<model>Spot</model>\n</item>\n");
    project->projectFile = write(QStringLiteral("show.kvp"), "<contents>visualisation project</contents>\n"
                                                               "<devices>\n<device nr=\"1\">\n<library>7</library>\n"
                                                               "</device>\n</devices>\n"
                                                               "<field>\n<width>2000</width>\n</field>\n");
    std::unique_ptr<gui_class> w(openMainWindow(controller.get()));
    QVERIFY(!project->libraryTree);
    QTRY_VERIFY_WITH_TIMEOUT(w->hasStarted(), 5000);
    QVERIFY(project->libraryTree);
    QCOMPARE(project->fixtures.size(), 1);
    QCOMPARE(dialogs->titles(), QStringList{QStringLiteral("Incomplete fixture(s) found!")});
    QVERIFY(w->isBuilt(gui_class::lazyPage::visualProject));
    QCOMPARE(w->libraryStatusLabel->text(), QStringLiteral("read"));
    QCOMPARE(w->projectStatusLabel->text(), QStringLiteral("read"));
    QCOMPARE(w->fieldWidthSpin->value(), 2000);
    // Shown, the page reads nothing again.
    w->tabWidget_main->setCurrentIndex(5);
    QCOMPARE(dialogs->titles().size(), 1);
}

void tst_window_completion::aWindowGoneBeforeItsPagesLeavesTheFieldToTheNext()
{
    {
        auto w = window(gui_class::windowBuild::complete);
        w->bkImageEdit->setText(QStringLiteral("stage.png"));
    }
    {
        // Closed, or replaced by a language change, before its first frame.
        auto w = window(gui_class::windowBuild::visibleFirst);
        QCOMPARE(w->projectField().image, QStringLiteral("stage.png"));
    }
    auto w = window(gui_class::windowBuild::complete);
    QCOMPARE(w->bkImageEdit->text(), QStringLiteral("stage.png"));
}

void tst_window_completion::theProgramBuildsAPageWhenItIsFirstShown()
{
    std::unique_ptr<gui_class> w(openMainWindow(controller.get()));
    QCOMPARE(theMainWindow, w.get());
    QVERIFY(w->isVisible());
    // Once its first frame is through the window takes input, with no
    // page built beyond the one it shows.
    QTRY_VERIFY_WITH_TIMEOUT(w->hasStarted(), 5000);
    QCOMPARE(w->tabWidget_main->currentIndex(), 1);
    QVERIFY(!w->programEditor);
    QVERIFY(!w->isComplete());
    const int before = w->sceneEditor->refreshCount;
    w->tabWidget_main->setCurrentIndex(2);
    QVERIFY(w->programEditor);
    QVERIFY(!w->maskEditor);
    QCOMPARE(w->sceneEditor->refreshCount, before);
}

// A page first built after the show was read repairs what it cannot show
// (here a location out of range) without making the show count as changed.
void tst_window_completion::aPageShownLateMakesNoUnchangedShowAsk()
{
    img::putI32(controller->configImage, img::latitude, 70);
    const QString show = savedShow();
    std::unique_ptr<gui_class> w(openMainWindow(controller.get(), {show}));
    QTRY_VERIFY_WITH_TIMEOUT(w->hasStarted(), 5000);
    QVERIFY(!w->isBuilt(gui_class::lazyPage::otherSettings));
    w->tabWidget_main->setCurrentIndex(7);
    w->tabWidget_settings->setCurrentIndex(5);
    QCOMPARE(img::getI32(controller->configImage, img::latitude), 50);
    dialogs->clear();
    QVERIFY(w->close());
    QVERIFY(!dialogs->texts().contains(QStringLiteral("Save changes?")));
}

// The first frame paints with one thread of the toolkit's pool; the pool has
// its own size back once the window has started, however it starts or goes.
void tst_window_completion::theFirstFrameGivesTheThreadPoolBack_data()
{
    QTest::addColumn<QString>("road");
    QTest::newRow("painted") << QStringLiteral("painted");
    QTest::newRow("never painted") << QStringLiteral("hidden");
    QTest::newRow("gone before its first frame") << QStringLiteral("gone");
}

void tst_window_completion::theFirstFrameGivesTheThreadPoolBack()
{
    QFETCH(QString, road);
    QThreadPool* pool = QThreadPool::globalInstance();
    const int machine = pool->maxThreadCount();
    const auto restore = qScopeGuard([pool, machine] { pool->setMaxThreadCount(machine); });
    const int size = 5;
    pool->setMaxThreadCount(size);
    std::unique_ptr<gui_class> w(openMainWindow(controller.get()));
    QCOMPARE(pool->maxThreadCount(), 1);
    if (road == QLatin1String("gone")) {
        w.reset();
        theMainWindow = nullptr;
    } else {
        if (road == QLatin1String("hidden"))
            w->hide();
        QTRY_VERIFY_WITH_TIMEOUT(w->hasStarted(), 5000);
    }
    QTRY_COMPARE(pool->maxThreadCount(), size);
    // The next window's first frame lends the same pool again.
    std::unique_ptr<gui_class> next(openMainWindow(controller.get()));
    QTRY_VERIFY_WITH_TIMEOUT(next->hasStarted(), 5000);
    QTRY_COMPARE(pool->maxThreadCount(), size);
}

QTEST_MAIN(tst_window_completion)
#include "tst_window_completion.moc"
