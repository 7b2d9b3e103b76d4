// Every text of the main window, its pages and its dialogs must be readable
// whole, in English and in Polish: a label, button, check box, combo box
// item or tab bar whose text is wider (or taller) than the widget shows, or
// two texts drawn over each other, fail the test. The
// walk takes the window's widget tree as it is, every tab and sub-tab, and
// every window and dialog its menus open, so pages and dialogs added later
// are checked without being named here.
//
// KVORBIT_SHOTS=<directory> saves a picture of every page and dialog walked.

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "app/startup.h"
#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_dlyd_delegate.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "model/kv310_controller.h"
#include "program_rig.h"
#include "seams/dialog_seam.h"
#include "visualisation/kv_vgraph.h"
#include "visualisation/modi_fxt.h"
#include "visualisation/visual_rig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTranslator>

#include <set>
#include <utility>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

// The text as drawn: mnemonic marks gone, "&&" one ampersand.
QString shownText(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            out += text.at(i) == QLatin1Char('&') ? QStringLiteral("&") : QString(text.at(i));
            continue;
        }
        out += text.at(i);
    }
    return out;
}

// Where a widget is, for the report: object names (or class names) from the top.
QString placeOf(const QWidget* w, const QWidget* top)
{
    QStringList parts;
    for (const QWidget* p = w; p && p != top; p = p->parentWidget())
        parts.prepend(p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className()) : p->objectName());
    parts.prepend(top->objectName().isEmpty() ? QString::fromLatin1(top->metaObject()->className()) : top->objectName());
    return parts.join(QLatin1Char('/'));
}

// Width and height the text needs in lines of its own.
QSize textSize(const QFontMetrics& fm, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = qMax(width, fm.horizontalAdvance(line));
    return QSize(width, fm.height() + fm.lineSpacing() * int(lines.size() - 1));
}

class fitChecker {
public:
    explicit fitChecker(const QString& language) : language(language) {}

    // Every widget of the tree under `scope` that the top-level `top` shows.
    void checkTree(QWidget* top, QWidget* scope)
    {
        QList<QWidget*> widgets = scope->findChildren<QWidget*>();
        widgets.prepend(scope);
        for (QWidget* w : std::as_const(widgets)) {
            if (w != top && !w->isVisibleTo(top))
                continue;
            checkOverlaps(top, w);
            if (auto* label = qobject_cast<QLabel*>(w))
                checkLabel(top, label);
            else if (auto* button = qobject_cast<QPushButton*>(w))
                checkButton(top, button, QStyle::SE_PushButtonContents);
            else if (auto* box = qobject_cast<QCheckBox*>(w))
                checkButton(top, box, QStyle::SE_CheckBoxContents);
            else if (auto* radio = qobject_cast<QRadioButton*>(w))
                checkButton(top, radio, QStyle::SE_RadioButtonContents);
            else if (auto* bar = qobject_cast<QTabBar*>(w))
                checkTabBar(top, bar);
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                checkComboBox(top, combo);
        }
    }

    // The tree, then every tab of every tab widget in it, one after the other.
    void walk(QWidget* top, QWidget* scope, const QString& shotName)
    {
        settle();
        checkTree(top, scope);
        shoot(top, shotName);
        const QList<QTabWidget*> tabWidgets = scope->findChildren<QTabWidget*>();
        for (QTabWidget* tw : tabWidgets) {
            if (!tw->isVisibleTo(top) || !directlyIn(tw, scope))
                continue;
            const int was = tw->currentIndex();
            for (int i = 0; i < tw->count(); ++i) {
                tw->setCurrentIndex(i);
                const QString page = tw->widget(i)->objectName();
                walk(top, tw->widget(i),
                     shotName + QLatin1Char('-') + (page.isEmpty() ? QString::number(i) : page));
            }
            tw->setCurrentIndex(was);
            settle();
        }
    }

    void shoot(QWidget* top, const QString& name)
    {
        const QString dir = qEnvironmentVariable("KVORBIT_SHOTS");
        if (dir.isEmpty() || !shotsTaken.insert(name).second)
            return;
        top->grab().save(QDir(dir).filePath(language + QLatin1Char('-') + name + QStringLiteral(".png")));
    }

    QStringList problems;

private:
    // No other tab widget lies between the tab widget and the scope.
    static bool directlyIn(const QWidget* tw, const QWidget* scope)
    {
        for (const QWidget* p = tw->parentWidget(); p && p != scope; p = p->parentWidget()) {
            if (qobject_cast<const QTabWidget*>(p))
                return false;
        }
        return true;
    }

    void report(const QWidget* top, const QWidget* w, const QString& text, const QSize& needed, const QSize& shown)
    {
        if (!reported.insert(w).second)
            return;
        problems.append(QStringLiteral("%1: %2 \"%3\" needs %4x%5, shows %6x%7")
                            .arg(language, placeOf(w, top), text)
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(shown.width())
                            .arg(shown.height()));
    }

    // Where a text is drawn in its parent: a label's text as aligned in it,
    // a button or check box whole. Empty for anything else.
    static QRect inkRect(QWidget* w)
    {
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->wordWrap())
                return QRect();
            const QSize size = textSize(QFontMetrics(label->font()), label->text());
            const QRect inside = label->contentsRect();
            QRect rect = QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, inside);
            return rect.intersected(inside).translated(label->pos());
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (qobject_cast<QToolButton*>(w))
                return QRect();
            return button->geometry();
        }
        return QRect();
    }

    // Texts of the widget's children drawn over each other ("Status:" and
    // "Disconnected" run together, say).
    void checkOverlaps(const QWidget* top, QWidget* parent)
    {
        QList<QPair<QWidget*, QRect>> inks;
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w->isWindow() || !w->isVisibleTo(top))
                continue;
            const QRect rect = inkRect(w);
            if (!rect.isEmpty())
                inks.append({w, rect});
        }
        for (int i = 0; i < inks.size(); ++i) {
            for (int j = i + 1; j < inks.size(); ++j) {
                if (!inks[i].second.intersects(inks[j].second))
                    continue;
                const auto text = [](QWidget* w) {
                    if (auto* l = qobject_cast<QLabel*>(w))
                        return l->text();
                    return static_cast<QAbstractButton*>(w)->text();
                };
                if (!overlapsReported.insert({inks[i].first, inks[j].first}).second)
                    continue;
                problems.append(QStringLiteral("%1: %2 \"%3\" and \"%4\" overlap")
                                    .arg(language, placeOf(parent, top), text(inks[i].first),
                                         text(inks[j].first)));
            }
        }
    }

    void checkLabel(const QWidget* top, QLabel* label)
    {
        if (label->text().isEmpty())
            return;
        QRect area = label->contentsRect();
        const int margin = label->margin();
        area.adjust(margin, margin, -margin, -margin);
        const QFontMetrics fm(label->font());
        const bool rich = label->textFormat() == Qt::RichText
                          || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
        QString text = label->text();
        if (rich) {
            QTextDocument document;
            document.setDefaultFont(label->font());
            document.setHtml(text);
            text = document.toPlainText();
        } else if (label->buddy()) {
            text = shownText(text);
        }
        // A trailing blank needs no room of its own (overlaps are checked apart).
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        QSize needed = textSize(fm, text);
        if (label->wordWrap()) {
            const QRect bound = fm.boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap, text);
            needed = bound.size();
        }
        if (needed.width() > area.width() || needed.height() > area.height())
            report(top, label, text, needed, area.size());
    }

    void checkButton(const QWidget* top, QAbstractButton* button, QStyle::SubElement contents)
    {
        if (button->text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            if (push->isFlat())
                option.features |= QStyleOptionButton::Flat;
            if (push->isDefault())
                option.features |= QStyleOptionButton::DefaultButton;
        }
        QRect area = button->style()->subElementRect(contents, &option, button);
        if (!option.icon.isNull() && qobject_cast<QPushButton*>(button))
            area.setWidth(area.width() - option.iconSize.width() - 4);
        const QString text = shownText(button->text());
        const QSize needed = textSize(QFontMetrics(button->font()), text);
        if (needed.width() > area.width() || needed.height() > area.height())
            report(top, button, text, needed, area.size());
    }

    // Every item a combo box may show, not only the current one.
    void checkComboBox(const QWidget* top, QComboBox* combo)
    {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        option.iconSize = combo->iconSize();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        const QFontMetrics fm(combo->font());
        for (int i = 0; i < combo->count(); ++i) {
            int needed = fm.horizontalAdvance(combo->itemText(i));
            if (!combo->itemIcon(i).isNull())
                needed += combo->iconSize().width() + 4;
            if (needed > field.width()) {
                report(top, combo, combo->itemText(i), QSize(needed, fm.height()), field.size());
                return;
            }
        }
    }

    void checkTabBar(const QWidget* top, QTabBar* bar)
    {
        // Tabs that do not fit are elided or hidden behind scroll arrows.
        bool scrolled = false;
        for (const QToolButton* arrow : bar->findChildren<QToolButton*>())
            scrolled = scrolled || arrow->isVisibleTo(bar);
        if (scrolled || bar->sizeHint().width() > bar->width()) {
            QStringList texts;
            for (int i = 0; i < bar->count(); ++i)
                texts.append(shownText(bar->tabText(i)));
            report(top, bar, texts.join(QStringLiteral(" | ")), bar->sizeHint(), bar->size());
        }
    }

    QString language;
    std::set<const QWidget*> reported;
    std::set<std::pair<const QWidget*, const QWidget*>> overlapsReported;
    std::set<QString> shotsTaken;
};

// Declines every dialog, and checks every modal dialog before it does.
class checkingSeam final : public dialogSeam {
public:
    checkingSeam() : previous(&dialogs()) { installDialogSeam(this); }
    ~checkingSeam() override { installDialogSeam(previous == this ? nullptr : previous); }

    int message(const messageRequest& request) override
    {
        if (!request.buttonTexts.isEmpty())
            return request.escapeIndex >= 0 ? request.escapeIndex : int(request.buttonTexts.size() - 1);
        if (request.buttons & QMessageBox::Cancel)
            return QMessageBox::Cancel;
        if (request.buttons & QMessageBox::No)
            return QMessageBox::No;
        return QMessageBox::Ok;
    }
    QString openFileName(fileRequest&) override { return QString(); }
    QString saveFileName(fileRequest&) override { return QString(); }
    QColor color(const QColor&, QWidget*, const QString&) override { return QColor(); }
    int exec(QDialog* dialog) override
    {
        ++dialogsSeen;
        dialog->show();
        if (checker)
            checker->walk(dialog, dialog, QString::fromLatin1(dialog->metaObject()->className()));
        dialog->hide();
        return QDialog::Rejected;
    }

    fitChecker* checker = nullptr;
    int dialogsSeen = 0;

private:
    dialogSeam* previous;
};

QList<QAction*> menuActions(QMenuBar* bar)
{
    QList<QAction*> out;
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu()) {
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator() && !a->menu())
                    out.append(a);
            }
        }
    }
    return out;
}

// The top-level windows other than the main window that are open now.
QList<QWidget*> otherWindows(const QWidget* window)
{
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != window && w->isVisible() && !qobject_cast<QMenu*>(w))
            out.append(w);
    }
    return out;
}

} // namespace

class tst_label_fit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTextIsShownWhole_data();
    void everyTextIsShownWhole();
};

void tst_label_fit::everyTextIsShownWhole_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("Polish") << "pl";
}

void tst_label_fit::everyTextIsShownWhole()
{
    QFETCH(QString, language);
    QTranslator translator;
    if (language != QLatin1String("en")) {
        QVERIFY(translator.load(QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
    }
    fitChecker checker(language);
    {
        programSession session;
        checkingSeam seam;
        seam.checker = &checker;
        gui_class* window = session.rig->window.get();
        window->show();

        // Every page and sub-page of the window, the right-hand panel with them.
        checker.walk(window, window, QStringLiteral("main"));

        // What shows only for some rows: the timer form of the clock page,
        // and the pop-up that sets a delay's time.
        window->tabWidget_main->setCurrentIndex(0);
        window->tabWidget_events->setCurrentIndex(2);
        window->clockEvents->eventList->setCurrentCell(2, 0);
        checker.walk(window, window->clockEvents, QStringLiteral("timer"));
        window->clockEvents->eventList->setCurrentCell(0, 0);
        {
            QTableWidget* delays = window->delayEvents->eventList;
            const QModelIndex time = delays->model()->index(0, 1);
            std::unique_ptr<QWidget> popup(window->delayEvents->delayDelegate->createEditor(
                delays->viewport(), QStyleOptionViewItem(), time));
            QVERIFY(popup);
            window->delayEvents->delayDelegate->setEditorData(popup.get(), time);
            popup->show();
            checker.walk(popup.get(), popup.get(), QStringLiteral("delayTimeEdit"));
        }

        // Connected, so that the views open their windows.
        QVERIFY(session.rig->connect());
        window->rightPanel->freezeButton->click();
        settle();
        checker.checkTree(window, window->rightPanel);

        // Every window and dialog the menus open (the language entries
        // rebuild the window, and Exit closes it).
        QSet<QAction*> skipped{window->exitAction};
        for (const languageEntry& entry : std::as_const(languageList))
            skipped.insert(entry.action);
        for (QAction* action : menuActions(window->menuBar())) {
            if (skipped.contains(action) || !action->isEnabled())
                continue;
            action->trigger();
            settle();
            for (QWidget* other : otherWindows(window)) {
                checker.walk(other, other, QString::fromLatin1(other->metaObject()->className()));
                other->close();
            }
            if (action->isCheckable() && action->isChecked())
                action->trigger();
            settle();
        }
        // The visualisation window of each kind over a small show, and its
        // scene chooser for scenes and for compound pictures.
        const auto file = [&session](const QString& name, const QByteArray& content) {
            QFile f(session.dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? f.fileName() : QString();
        };
        window->libraryFileEdit->setText(file(QStringLiteral("lib.fxl"), visualRig::libraryText()));
        window->readLibrary();
        window->projectFileEdit->setText(file(QStringLiteral("show.kvp"), visualRig::projectText()));
        window->readProject();
        window->startPrjMode();
        auto* graph = qobject_cast<kvVGraph_class*>(session.rig->project->graphWindow);
        QVERIFY(graph);
        checker.walk(graph, graph, QStringLiteral("visualisation-design"));
        graph->actGroupManagement->trigger();
        // The fixture properties of a defined fixture, and its relocation table.
        graph->pointedFixture = session.rig->project->fixtures.first();
        graph->modiFixture();
        {
            ModiFxt_class properties(graph);
            properties.changeReloc();
        }
        graph->actionSwitch_mode->trigger();
        checker.walk(graph, graph, QStringLiteral("visualisation-show"));
        graph->actOffline->trigger();
        graph->actChooseScene->trigger();
        // The light control of a fixture, a dialog of its own.
        graph->designFxt(session.rig->project->fixtures.first());
        for (QDialog* lightControl : std::as_const(session.rig->project->controlDialogs))
            checker.walk(lightControl, lightControl, QStringLiteral("ctrlEffects"));
        session.rig->project->sceneNumber = 10240;
        graph->actCompound->trigger();
        graph->actChooseScene->trigger();
        graph->close();
        settle();

        // The dialogs the window opens from elsewhere: the time scale (its
        // group is never shown) and the choice of another controller.
        window->prjTimeRescale();
        window->rightPanel->disconnectButton->click();
        session.rig->bus.addController(QStringLiteral("01D30310-0099"));
        session.rig->sim->plugged = false;
        window->rightPanel->connectButton->click();
        QVERIFY2(seam.dialogsSeen >= 7, qPrintable(QString::number(seam.dialogsSeen)));
        window->close();
    }
    if (language != QLatin1String("en"))
        QCoreApplication::removeTranslator(&translator);
    if (!checker.problems.isEmpty())
        QFAIL(qPrintable(QStringLiteral("Texts cut off:\n") + checker.problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_label_fit)
#include "tst_label_fit.moc"
