// The main window as the program opens it: the part of its first frame
// first, the other pages once that frame is painted.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "app/startup.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "monitor/ctrl_monitor.h"
#include "support/dialog_recorder.h"
#include "support/sample_show.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QHeaderView>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Everything a user can see of a window: every widget with its class, name,
// place, visibility, state and texts, and what the tables hold.
void describe(const QWidget* root, const QWidget* w, QStringList& out, const QString& indent)
{
    QString line = indent + QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    const QRect g = w->geometry();
    line += QStringLiteral(" %1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    line += w->isVisibleTo(root) ? QStringLiteral(" shown") : QStringLiteral(" hidden");
    line += w->isEnabled() ? QStringLiteral(" enabled") : QStringLiteral(" disabled");
    if (auto* label = qobject_cast<const QLabel*>(w))
        line += QStringLiteral(" [%1]").arg(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(w))
        line += QStringLiteral(" [%1] %2").arg(button->text()).arg(button->isChecked());
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        line += QStringLiteral(" [%1]").arg(edit->text());
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
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
            describe(root, static_cast<const QWidget*>(child), out, indent + QLatin1Char(' '));
}

QStringList describe(const QWidget* window)
{
    QStringList out;
    describe(window, window, out, QString());
    return out;
}

using builder = std::function<void(gui_class*)>;

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
    void aWindowGoneBeforeItsPagesLeavesTheFieldToTheNext();
    void theProgramOpensItsWindowComplete();

private:
    std::unique_ptr<gui_class> window(gui_class::windowBuild build)
    {
        auto w = std::make_unique<gui_class>(controller.get(), nullptr, build);
        theMainWindow = w.get();
        return w;
    }

    std::unique_ptr<dialogRecorder> dialogs;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
};

void tst_window_completion::init()
{
    channelCount = 512;
    controller = std::make_unique<kv310_controller_class>();
    theController = controller.get();
    sampleShow::build(*controller, sampleShow::small);
    project = std::make_unique<v_project>();
    theVisualProject = project.get();
    dialogs = std::make_unique<dialogRecorder>();
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

    w->completeWindow();
    QVERIFY(w->isComplete());
    QVERIFY(w->programEditor && w->monitor && w->activeSceneEditor && w->hideMonitorCheck);
}

void tst_window_completion::aWindowCompletedLaterIsTheWindowBuiltAtOnce_data()
{
    QTest::addColumn<builder>("complete");
    QTest::newRow("after the first frame") << builder([](gui_class* w) { w->completeWindow(); });
    QTest::newRow("by a service of a page") << builder([](gui_class* w) { QVERIFY(w->monitorPanel()); });
    QTest::newRow("by the visible page's refresh") << builder([](gui_class* w) { w->refreshVisiblePage(); });
    QTest::newRow("by a read from a file") << builder([](gui_class* w) { w->fileRead(); });
    QTest::newRow("by the plan's fixture count") << builder([](gui_class* w) { w->showFixtureCount(0); });
}

void tst_window_completion::aWindowCompletedLaterIsTheWindowBuiltAtOnce()
{
    QFETCH(builder, complete);
    QStringList atOnce;
    {
        auto w = window(gui_class::windowBuild::complete);
        // A file read reloads what construction leaves alone; both windows
        // get it, so that they are compared on the same footing.
        if (QTest::currentDataTag() == QByteArray("by a read from a file"))
            w->fileRead();
        atOnce = describe(w.get());
    }
    auto w = window(gui_class::windowBuild::visibleFirst);
    complete(w.get());
    QVERIFY(w->isComplete());
    const QStringList later = describe(w.get());
    QCOMPARE(later.size(), atOnce.size());
    for (int i = 0; i < later.size(); ++i)
        QCOMPARE(later.at(i), atOnce.at(i));
}

void tst_window_completion::aWindowGoneBeforeItsPagesLeavesTheFieldToTheNext()
{
    {
        auto w = window(gui_class::windowBuild::complete);
        w->bkImageEdit->setText(QStringLiteral("stage.png"));
    }
    {
        auto w = window(gui_class::windowBuild::visibleFirst);
    }
    auto w = window(gui_class::windowBuild::complete);
    QCOMPARE(w->bkImageEdit->text(), QStringLiteral("stage.png"));
}

void tst_window_completion::theProgramOpensItsWindowComplete()
{
    std::unique_ptr<gui_class> w(openMainWindow(controller.get()));
    QCOMPARE(theMainWindow, w.get());
    QVERIFY(w->isVisible());
    QVERIFY(!w->isComplete());
    // The event loop completes it once its first frame is painted.
    QTRY_VERIFY_WITH_TIMEOUT(w->isComplete(), 5000);
    QCOMPARE(w->tabWidget_main->currentIndex(), 1);
}

QTEST_MAIN(tst_window_completion)
#include "tst_window_completion.moc"
