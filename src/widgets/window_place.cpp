#include "widgets/window_place.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPointer>
#include <QStackedWidget>
#include <QStringList>
#include <QTabWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A widget's path from the window, one step a generation: its object name
// where it has one, its place in a stack of pages (showing a page raises
// it above its siblings, which reorders them), else its class and rank
// among the siblings of that class. The same code builds the same tree, so
// a window made anew finds its own widget there, whatever the language.
QString stepOf(const QObject* o)
{
    if (!o->objectName().isEmpty())
        return QLatin1Char('@') + o->objectName();
    if (const auto* stack = qobject_cast<const QStackedWidget*>(o->parent()))
        return QStringLiteral("page %1").arg(stack->indexOf(static_cast<const QWidget*>(o)));
    int rank = 0;
    if (const QObject* parent = o->parent()) {
        for (const QObject* sibling : parent->children()) {
            if (sibling == o)
                break;
            if (sibling->metaObject() == o->metaObject())
                ++rank;
        }
    }
    return QLatin1String(o->metaObject()->className()) + QLatin1Char('#') + QString::number(rank);
}

QString pathOf(const QWidget* widget, const QWidget* window)
{
    QStringList steps;
    for (const QObject* o = widget; o && o != window; o = o->parent())
        steps.prepend(stepOf(o));
    return steps.join(QLatin1Char('/'));
}

QObject* childAt(QObject* parent, const QString& step)
{
    if (step.startsWith(QLatin1Char('@')))
        return parent->findChild<QObject*>(step.mid(1), Qt::FindDirectChildrenOnly);
    if (step.startsWith(QLatin1String("page "))) {
        auto* stack = qobject_cast<QStackedWidget*>(parent);
        return stack ? stack->widget(step.mid(5).toInt()) : nullptr;
    }
    const qsizetype hash = step.lastIndexOf(QLatin1Char('#'));
    const QString className = step.left(hash);
    int rank = step.mid(hash + 1).toInt();
    for (QObject* child : parent->children()) {
        if (child->objectName().isEmpty() && QLatin1String(child->metaObject()->className()) == className
            && rank-- == 0)
            return child;
    }
    return nullptr;
}

QWidget* widgetAt(QWidget* window, const QString& path)
{
    QObject* here = window;
    for (const QString& step : path.split(QLatin1Char('/'))) {
        here = childAt(here, step);
        if (!here)
            return nullptr;
    }
    return qobject_cast<QWidget*>(here);
}

// Lists and tables of the window's own pages: not a header, not the list
// inside a combo box or a calendar (their current entry is a value of the
// show), nothing of a popup.
bool placeOfUser(const QAbstractItemView* view, const QWidget* window)
{
    if (qobject_cast<const QHeaderView*>(view) || view->window() != window
        || view->selectionMode() == QAbstractItemView::NoSelection || !view->model()
        || view->objectName().startsWith(QLatin1String("qt_")))
        return false;
    for (const QWidget* w = view->parentWidget(); w && w != window; w = w->parentWidget()) {
        if (w->inherits("QComboBox") || w->inherits("QCalendarWidget") || w->inherits("QAbstractSpinBox"))
            return false;
    }
    return true;
}

int depthOf(const QString& path)
{
    return int(path.count(QLatin1Char('/')));
}

}  // namespace

windowPlace windowPlace::of(const QWidget* window)
{
    windowPlace place;
    if (!window)
        return place;
    for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->window() == window && tabs->currentIndex() >= 0)
            place.tabs.insert(pathOf(tabs, window), tabs->currentIndex());
    }
    for (const QAbstractItemView* view : window->findChildren<QAbstractItemView*>()) {
        const QModelIndex current = view->currentIndex();
        if (current.isValid() && placeOfUser(view, window))
            place.cells.insert(pathOf(view, window), cell{current.row(), current.column()});
    }
    return place;
}

void windowPlace::restoreInto(QWidget* window)
{
    // Taken out before any is chosen: choosing a tab may build a page,
    // which takes back its own part of the place at once.
    struct tabsAt {
        QString path;
        QPointer<QTabWidget> widget;
        int index;
    };
    std::vector<tabsAt> tabsFound;
    for (auto it = tabs.begin(); it != tabs.end();) {
        if (auto* found = qobject_cast<QTabWidget*>(widgetAt(window, it.key()))) {
            tabsFound.push_back({it.key(), found, it.value()});
            it = tabs.erase(it);
        } else {
            ++it;
        }
    }
    std::vector<std::pair<QPointer<QAbstractItemView>, cell>> cellsFound;
    for (auto it = cells.begin(); it != cells.end();) {
        if (auto* view = qobject_cast<QAbstractItemView*>(widgetAt(window, it.key()))) {
            cellsFound.emplace_back(view, it.value());
            it = cells.erase(it);
        } else {
            ++it;
        }
    }
    // Outer tabs first, as the user reached the inner ones.
    std::sort(tabsFound.begin(), tabsFound.end(),
              [](const tabsAt& a, const tabsAt& b) { return depthOf(a.path) < depthOf(b.path); });
    for (const tabsAt& t : tabsFound) {
        if (!t.widget)
            continue;
        // A page adds some of its tabs when they are first needed.
        if (t.index >= t.widget->count())
            tabs.insert(t.path, t.index);
        else if (t.widget->isTabEnabled(t.index))
            t.widget->setCurrentIndex(t.index);
    }
    for (const auto& [view, at] : cellsFound) {
        if (!view || !view->model() || at.row >= view->model()->rowCount() || at.column >= view->model()->columnCount())
            continue;
        const QModelIndex index = view->model()->index(at.row, at.column);
        view->setCurrentIndex(index);
        view->scrollTo(index);
    }
}
