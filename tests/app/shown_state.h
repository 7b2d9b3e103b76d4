#pragma once

// What a window shows a user, read widget by widget without knowing the
// widgets: for every visible widget under a root its state (enabled,
// checked, value, range, current index) and, apart, its texts (captions,
// labels, item texts, the contents of line edits), which a translation
// changes where the program writes them. Item views are read through their models (item texts, check
// states, enabled flags), so the reading holds whether a page shows its
// data in items or in widgets laid into the cells.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

struct shownState {
    // One line per widget (and per item view cell): "path: state".
    QStringList states;
    // One line per widget or cell that shows a text: "path: text".
    QStringList texts;

    // The lines of this reading that another reading lacks, and the other's
    // this one lacks, side by side: what a failure prints.
    static QString difference(const QStringList& a, const QStringList& b, int most = 20)
    {
        QStringList lines;
        const int n = int(qMax(a.size(), b.size()));
        for (int i = 0; i < n && lines.size() < most; ++i) {
            const QString x = i < a.size() ? a.at(i) : QStringLiteral("(none)");
            const QString y = i < b.size() ? b.at(i) : QStringLiteral("(none)");
            if (x != y)
                lines << QStringLiteral("  %1\n  %2").arg(x, y);
        }
        return lines.join(QLatin1Char('\n'));
    }
};

namespace shownStateReader {

// A scroll bar of a scroll area follows the layout (column widths, texts of
// the language), not the show.
inline bool isAreaScrollBar(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p && p != w->window(); p = p->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(p))
            return true;
        if (!p->objectName().startsWith(QLatin1String("qt_scrollarea")))
            break;
    }
    return false;
}

// A path that is the same in every window built the same way: object names
// where the window gives them, otherwise the class and the place among the
// siblings of that class.
inline QString pathOf(const QWidget* w, const QWidget* root)
{
    QStringList parts;
    for (const QWidget* p = w; p && p != root; p = p->parentWidget()) {
        QString part = p->objectName();
        if (part.isEmpty()) {
            int index = 0;
            if (const QObject* parent = p->parent()) {
                for (const QObject* sibling : parent->children()) {
                    if (sibling == p)
                        break;
                    if (sibling->metaObject() == p->metaObject())
                        ++index;
                }
            }
            part = QStringLiteral("%1#%2").arg(QString::fromLatin1(p->metaObject()->className())).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

inline void readView(const QAbstractItemView* view, const QString& path, shownState& out)
{
    const QAbstractItemModel* model = view->model();
    if (!model)
        return;
    const QModelIndex current = view->currentIndex();
    out.states << QStringLiteral("%1: %2 x %3, current %4,%5")
                      .arg(path)
                      .arg(model->rowCount())
                      .arg(model->columnCount())
                      .arg(current.row())
                      .arg(current.column());
    for (int c = 0; c < model->columnCount(); ++c)
        out.texts << QStringLiteral("%1 column %2: %3").arg(path).arg(c).arg(model->headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex i = model->index(r, c);
            const Qt::ItemFlags flags = model->flags(i);
            const QVariant check = model->data(i, Qt::CheckStateRole);
            QString state = flags & Qt::ItemIsEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled");
            if (check.isValid())
                state += QStringLiteral(", check %1").arg(check.toInt());
            out.states << QStringLiteral("%1 [%2,%3]: %4").arg(path).arg(r).arg(c).arg(state);
            const QString text = model->data(i, Qt::DisplayRole).toString();
            if (!text.isEmpty())
                out.texts << QStringLiteral("%1 [%2,%3]: %4").arg(path).arg(r).arg(c).arg(text);
        }
    }
}

inline void readWidget(const QWidget* w, const QString& path, shownState& out)
{
    QStringList s{w->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled")};
    QString text;
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
        if (b->isCheckable())
            s << (b->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
        text = b->text();
    } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
        if (g->isCheckable())
            s << (g->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
        text = g->title();
    } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
        text = l->text();
    } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
        // Descriptions and file names, and also titles the program writes
        // around them.
        text = QStringLiteral("\"%1\"").arg(e->text());
    } else if (const auto* e = qobject_cast<const QTextEdit*>(w)) {
        text = e->toPlainText();
    } else if (const auto* spin = qobject_cast<const QSpinBox*>(w)) {
        s << QStringLiteral("%1 in %2..%3").arg(spin->value()).arg(spin->minimum()).arg(spin->maximum());
        text = spin->text();
    } else if (const auto* time = qobject_cast<const QDateTimeEdit*>(w)) {
        // A date with its time of day is a clock, which runs on.
        const QDateTimeEdit::Sections sections = time->displayedSections();
        if ((sections & QDateTimeEdit::DateSections_Mask) && (sections & QDateTimeEdit::TimeSections_Mask))
            return;
        s << time->dateTime().toString(Qt::ISODateWithMs);
    } else if (const auto* other = qobject_cast<const QAbstractSpinBox*>(w)) {
        text = other->text();
    } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        s << QStringLiteral("item %1 of %2").arg(combo->currentIndex()).arg(combo->count());
        text = combo->currentText();
    } else if (const auto* slider = qobject_cast<const QAbstractSlider*>(w)) {
        if (isAreaScrollBar(w))
            return;
        s << QStringLiteral("%1 in %2..%3").arg(slider->value()).arg(slider->minimum()).arg(slider->maximum());
    } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
        s << QStringLiteral("tab %1").arg(tabs->currentIndex());
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i) {
            s << (tabs->isTabEnabled(i) ? QStringLiteral("on") : QStringLiteral("off"));
            captions << tabs->tabText(i);
        }
        text = captions.join(QLatin1Char('|'));
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(w)) {
        readView(view, path, out);
    }
    out.states << QStringLiteral("%1: %2").arg(path, s.join(QStringLiteral(", ")));
    if (!text.isEmpty())
        out.texts << QStringLiteral("%1: %2").arg(path, text);
}

inline void walk(const QWidget* w, const QWidget* root, shownState& out)
{
    if (!w->isVisible())
        return;
    // The header views of item views are read with their models.
    if (qobject_cast<const QHeaderView*>(w))
        return;
    // Nor is what a clock's edit shows.
    if (qobject_cast<const QDateTimeEdit*>(w->parentWidget()))
        return;
    readWidget(w, pathOf(w, root), out);
    for (const QObject* child : w->children())
        if (const auto* cw = qobject_cast<const QWidget*>(child); cw && !cw->isWindow())
            walk(cw, root, out);
}

}  // namespace shownStateReader

// Everything the user sees of the widget and what lies on it.
inline shownState readShownState(const QWidget* root)
{
    shownState out;
    shownStateReader::walk(root, root, out);
    return out;
}
