// Every text of the main window, its pages and its dialogs must be readable
// whole, in English and in Polish: a label, button, check box, combo box
// item, tab bar, column header or table cell whose text is wider (or taller)
// than the widget shows, or two texts drawn over each other, fail the test.
// Cells a page cuts with an ellipsis of its own are cut on purpose. The
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
#include "editors/events/aevents_inputs_widget.h"
#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_source_page.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/programs/aprogram_conf_widget.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_groups_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/kv310_controller.h"
#include "monitor/ctrl_monitor.h"
#include "program_rig.h"
#include "visit_rig.h"
#include "support/sample_show.h"
#include "support/shown_text.h"
#include "widgets/page_list.h"
#include "seams/dialog_seam.h"
#include "visualisation/kv_vgraph.h"
#include "visualisation/modi_fxt.h"
#include "visualisation/visual_rig.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDateTimeEdit>
#include <QDir>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QStyleOptionHeader>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTranslator>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

using visit::settle;

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
            checkInsideParent(top, w);
            checkFieldSpacing(top, w);
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
            else if (auto* menuBar = qobject_cast<QMenuBar*>(w))
                checkMenuBar(top, menuBar);
            else if (auto* combo = qobject_cast<QComboBox*>(w))
                checkComboBox(top, combo);
            else if (auto* header = qobject_cast<QHeaderView*>(w))
                checkHeader(top, header);
            else if (auto* view = qobject_cast<QAbstractItemView*>(w))
                checkCells(top, view);
            else if (auto* edit = qobject_cast<QDateTimeEdit*>(w))
                checkDateTimeEdit(top, edit);
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

    // The show's descriptions, free texts the lists and tables may cut.
    void describedBy(const kv310_controller_class& c)
    {
        const auto take = [this](const auto& texts) {
            for (const QString& text : texts)
                if (!text.isEmpty())
                    freeTexts.insert(text);
        };
        take(c.sceneDescriptions);
        take(c.maskDescriptions);
        take(c.programDescriptions);
        take(c.eventDescriptions);
        take(c.stateDescriptions);
        take(c.inputDescriptions);
        take(c.rcuKeyDescriptions);
        take(c.panelDescriptions);
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

    // Each cut text of a view once.
    void reportItem(const QWidget* top, const QWidget* view, const QString& text, const QSize& needed,
                    const QSize& shown)
    {
        if (!itemsReported.insert({view, text}).second)
            return;
        problems.append(QStringLiteral("%1: %2 \"%3\" needs %4x%5, shows %6x%7")
                            .arg(language, placeOf(view, top), text)
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

    // Where the text of a check box or radio button is drawn in its parent:
    // right of the indicator. Empty for anything else.
    static QRect indicatorTextRect(QWidget* w)
    {
        auto* button = qobject_cast<QAbstractButton*>(w);
        const bool box = qobject_cast<QCheckBox*>(w) != nullptr;
        if (!button || (!box && !qobject_cast<QRadioButton*>(w)) || button->text().isEmpty())
            return QRect();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(
            box ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button);
        const QSize size = textSize(QFontMetrics(button->font()), shownText(button->text()));
        const QRect text = QStyle::alignedRect(button->layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter, size, contents);
        return text.intersected(contents).translated(button->pos());
    }

    // Texts and buttons lie inside their parent, and a text keeps clear of
    // a frame the parent draws round them ("Odwróć" against the edge of its
    // group, say). Scrolled contents are left alone.
    void checkInsideParent(const QWidget* top, QWidget* w)
    {
        QWidget* parent = w->parentWidget();
        if (!parent || w == top || w->isWindow() || qobject_cast<QAbstractScrollArea*>(parent->parentWidget()))
            return;
        QRect ink = indicatorTextRect(w);
        QString text;
        bool isText = true;
        if (!ink.isEmpty()) {
            text = static_cast<QAbstractButton*>(w)->text();
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            ink = inkRect(label);
            text = label->text();
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            ink = button->geometry();
            text = button->text();
            isText = false;
        }
        if (ink.isEmpty())
            return;
        QRect inside = parent->rect();
        bool framed = false;
        if (auto* group = qobject_cast<QGroupBox*>(parent))
            framed = !group->isFlat();
        else if (auto* frame = qobject_cast<QFrame*>(parent))
            framed = frame->frameShape() != QFrame::NoFrame && !qobject_cast<QLabel*>(parent);
        if (framed && isText)
            inside.adjust(FRAME_CLEARANCE + 1, 0, -(FRAME_CLEARANCE + 1), 0);
        if (inside.contains(ink) || !reported.insert(w).second)
            return;
        problems.append(QStringLiteral("%1: %2 \"%3\" at %4..%5 runs into the edge of its parent (%6..%7)")
                            .arg(language, placeOf(w, top), shownText(text))
                            .arg(ink.left())
                            .arg(ink.right())
                            .arg(inside.left())
                            .arg(inside.right()));
    }

    // A caption beside an input field (a label's text, or a check box or
    // radio button from its indicator to the end of its text) keeps clear
    // of the field on the same row ("Fade Down Time:" against its time edit).
    void checkFieldSpacing(const QWidget* top, QWidget* parent)
    {
        QList<QPair<QWidget*, QRect>> captions;
        QList<QWidget*> fields;
        for (QObject* child : parent->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w->isWindow() || !w->isVisibleTo(top))
                continue;
            if (qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
                fields.append(w);
            } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                auto* button = static_cast<QAbstractButton*>(w);
                QStyleOptionButton option;
                option.initFrom(button);
                const bool box = qobject_cast<QCheckBox*>(w) != nullptr;
                QRect ink = button->style()
                                ->subElementRect(box ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator,
                                                 &option, button)
                                .translated(button->pos());
                ink |= indicatorTextRect(w);
                captions.append({w, ink});
            } else if (qobject_cast<QLabel*>(w)) {
                const QRect ink = inkRect(w);
                if (!ink.isEmpty())
                    captions.append({w, ink});
            }
        }
        for (const auto& [caption, ink] : std::as_const(captions)) {
            for (const QWidget* field : std::as_const(fields)) {
                const QRect rect = field->geometry();
                if (ink.bottom() < rect.top() || ink.top() > rect.bottom())
                    continue;
                const int gap = ink.right() < rect.left() ? rect.left() - ink.right() - 1
                                : rect.right() < ink.left() ? ink.left() - rect.right() - 1
                                                             : -1;
                if (gap >= FIELD_CLEARANCE || !reported.insert(caption).second)
                    continue;
                const QString text = qobject_cast<QLabel*>(caption) ? static_cast<QLabel*>(caption)->text()
                                                                    : static_cast<QAbstractButton*>(caption)->text();
                problems.append(QStringLiteral("%1: %2 \"%3\" is %4 px from the field beside it")
                                    .arg(language, placeOf(caption, top), shownText(text))
                                    .arg(gap));
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
        QSize needed = textSize(QFontMetrics(button->font()), text);
        // A push button's text keeps clear of its bevel, as the style's own
        // size for it does.
        if (qobject_cast<QPushButton*>(button))
            needed.rwidth() += 2 * BEVEL_CLEARANCE;
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

    // A date edit shows the names of days and months in the locale of the
    // language: the longest of them fits its field.
    void checkDateTimeEdit(const QWidget* top, QDateTimeEdit* edit)
    {
        QStyleOptionSpinBox option;
        option.initFrom(edit);
        option.frame = edit->hasFrame();
        option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp
                             | QStyle::SC_SpinBoxDown;
        option.buttonSymbols = edit->buttonSymbols();
        const QRect field = edit->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, edit);
        const QFontMetrics fm(edit->font());
        // Every day of the week and every month, at a time of two-digit fields.
        QString widest;
        for (int day = 0; day < 7; ++day) {
            for (int month = 1; month <= 12; ++month) {
                const QDateTime at(QDate(2024, month, 1).addDays(day), QTime(23, 58, 58));
                const QString text = edit->locale().toString(at, edit->displayFormat());
                if (fm.horizontalAdvance(text) > fm.horizontalAdvance(widest))
                    widest = text;
            }
        }
        // The line edit inside keeps a margin of its own on either side.
        const int needed = fm.horizontalAdvance(widest) + 4;
        if (needed > field.width())
            report(top, edit, widest, QSize(needed, fm.height()), field.size());
    }

    // Whether text laid out in `area` shows whole: in lines of its own, or
    // wrapped at blanks where the widget wraps. A view lays a cell's text
    // out in fractions of a pixel (`exact`), and wraps or cuts a line a
    // fraction too wide.
    static bool fitsIn(const QFont& font, const QString& text, const QRect& area, bool wraps, QSize* needed,
                       bool exact = false)
    {
        const QFontMetrics fm(font);
        *needed = textSize(fm, text);
        if (exact) {
            const QFontMetricsF metrics(font);
            for (const QString& line : text.split(QLatin1Char('\n')))
                needed->setWidth(qMax(needed->width(), int(std::ceil(metrics.horizontalAdvance(line)))));
        }
        if (wraps && needed->width() > area.width()) {
            const QRect bound = fm.boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap, text);
            *needed = QSize(bound.width(), bound.height());
        }
        return needed->width() <= area.width() && needed->height() <= area.height();
    }

    // Every shown section of a table's or tree's column header, as the
    // header draws it: bold once a row is selected, beside a sort arrow
    // where the view sorts.
    void checkHeader(const QWidget* top, QHeaderView* header)
    {
        if (header->orientation() != Qt::Horizontal || !header->model()
            || !qobject_cast<QAbstractItemView*>(header->parentWidget()))
            return;
        QAbstractItemModel* model = header->model();
        for (int logical = 0; logical < header->count(); ++logical) {
            if (header->isSectionHidden(logical) || header->sectionSize(logical) <= 0)
                continue;
            const QString text = model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            QFont font = header->font();
            const QVariant sectionFont = model->headerData(logical, Qt::Horizontal, Qt::FontRole);
            if (sectionFont.canConvert<QFont>())
                font = qvariant_cast<QFont>(sectionFont);
            if (header->sectionsClickable() && header->highlightSections())
                font.setBold(true);
            QStyleOptionHeader option;
            option.initFrom(header);
            option.state |= QStyle::State_Horizontal;
            option.orientation = Qt::Horizontal;
            option.rect = QRect(0, 0, header->sectionSize(logical), header->height());
            option.section = logical;
            option.text = text;
            option.fontMetrics = QFontMetrics(font);
            if (header->isSortIndicatorShown())
                option.sortIndicator = QStyleOptionHeader::SortDown;
            QRect area = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
            const QVariant icon = model->headerData(logical, Qt::Horizontal, Qt::DecorationRole);
            if (icon.isValid() && !icon.isNull()) {
                const int side = header->style()->pixelMetric(QStyle::PM_SmallIconSize, &option, header);
                area.setLeft(area.left() + side + 2);
            }
            const QVariant alignment = model->headerData(logical, Qt::Horizontal, Qt::TextAlignmentRole);
            const int flags = alignment.isValid() ? alignment.toInt() : int(header->defaultAlignment());
            QSize needed;
            if (!fitsIn(font, text, area, (flags & Qt::TextWordWrap) != 0, &needed)) {
                reportItem(top, header, text, needed, area.size());
            }
        }
    }

    // Cells of the pages' long lists whose texts are cut on purpose where
    // they are drawn (descriptions of any length): the list cuts them again
    // to the cell.
    static bool cutWhereDrawn(const QAbstractItemView* view, const QModelIndex& index)
    {
        return qobject_cast<const elidingDelegate*>(view->itemDelegateForIndex(index)) != nullptr;
    }

    // The cells a table or list shows now, but those cut where drawn.
    void checkCells(const QWidget* top, QAbstractItemView* view)
    {
        QAbstractItemModel* model = view->model();
        if (!model || qobject_cast<QHeaderView*>(view))
            return;
        auto* table = qobject_cast<QTableView*>(view);
        const QRect shown = view->viewport()->rect();
        const QChar ellipsis(0x2026);
        // Long lists only where they show now; shorter ones whole, as
        // scrolling brings every row into the same columns.
        const bool whole = model->rowCount() <= 1024;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (table && table->isRowHidden(row))
                continue;
            for (int column = 0; column < model->columnCount(); ++column) {
                if (table && table->isColumnHidden(column))
                    continue;
                const QModelIndex index = model->index(row, column);
                const QRect rect = view->visualRect(index);
                if (rect.isEmpty() || (!whole && !shown.intersects(rect)) || cutWhereDrawn(view, index))
                    continue;
                const QVariant value = index.data(Qt::DisplayRole);
                auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegateForIndex(index));
                const QString text = delegate ? delegate->displayText(value, view->locale()) : value.toString();
                if (text.isEmpty() || text.contains(ellipsis) || freeTexts.count(text))
                    continue;
                if (table && (table->rowSpan(row, column) > 1 || table->columnSpan(row, column) > 1))
                    continue;
                // The text takes the cell beside its check box and icon, less
                // the item's text margins.
                QFont font = view->font();
                const QVariant cellFont = index.data(Qt::FontRole);
                if (cellFont.canConvert<QFont>())
                    font = qvariant_cast<QFont>(cellFont).resolve(font);
                QRect area = rect;
                QStyle* style = view->style();
                if (index.data(Qt::CheckStateRole).isValid())
                    area.setLeft(area.left() + style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, view)
                                 + 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1));
                const QVariant decoration = index.data(Qt::DecorationRole);
                if (decoration.isValid() && !decoration.isNull()) {
                    const int side = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
                    const int width = view->iconSize().isValid() ? view->iconSize().width() : side;
                    area.setLeft(area.left() + width
                                 + 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1));
                }
                const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
                area.adjust(margin, 0, -margin, 0);
                const bool wraps = table && table->wordWrap();
                QSize needed;
                if (!fitsIn(font, text, area, wraps, &needed, true)) {
                    reportItem(top, view, text, needed, area.size());
                }
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

    // Every title of a menu bar in the bar itself: what does not fit goes
    // behind the bar's extension button, where nobody looks for it.
    void checkMenuBar(const QWidget* top, QMenuBar* bar)
    {
        bool extended = false;
        for (const QToolButton* extension : bar->findChildren<QToolButton*>())
            extended = extended || extension->isVisibleTo(bar);
        QStringList hidden;
        for (QAction* action : bar->actions()) {
            if (!action->isVisible() || action->isSeparator())
                continue;
            const QRect rect = bar->actionGeometry(action);
            if (rect.isEmpty() || !bar->rect().contains(rect))
                hidden.append(shownText(action->text()));
        }
        if (extended || !hidden.isEmpty()) {
            QStringList texts;
            for (QAction* action : bar->actions())
                if (action->isVisible() && !action->isSeparator())
                    texts.append(shownText(action->text()));
            report(top, bar, texts.join(QStringLiteral(" | ")), bar->sizeHint(), bar->size());
        }
    }

    // Pixels a text keeps clear of a push button's bevel on either side, and
    // of the frame line of a group or panel.
    static constexpr int BEVEL_CLEARANCE = 3;
    static constexpr int FRAME_CLEARANCE = 6;
    // Pixels between a caption and the input field beside it (as much as
    // the time edit with its switch keeps between its two parts).
    static constexpr int FIELD_CLEARANCE = 3;

    QString language;
    std::set<const QWidget*> reported;
    std::set<std::pair<const QWidget*, const QWidget*>> overlapsReported;
    std::set<std::pair<const QWidget*, QString>> itemsReported;
    std::set<QString> shotsTaken;
    std::set<QString> freeTexts;
};

// Declines every dialog, and checks every modal dialog before it does.
class checkingSeam final : public dialogSeam {
public:
    checkingSeam() : previous(&dialogs()) { installDialogSeam(this); }
    ~checkingSeam() override { installDialogSeam(previous == this ? nullptr : previous); }

    int message(const messageRequest& request) override { return visit::cancellingAnswer(request); }
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
    // Qt's own texts (standard buttons) in the language, as the program installs them.
    QTranslator qtTexts;
    if (loadQtCatalogue(qtTexts, language))
        QCoreApplication::installTranslator(&qtTexts);
    QTranslator translator;
    if (language != QLatin1String("en")) {
        QVERIFY(translator.load(QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_%1.qm").arg(language)));
        QCoreApplication::installTranslator(&translator);
    }
    // Dates in the language's locale, as the program shows them.
    const QLocale startLocale;
    QLocale::setDefault(QLocale(language));
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
            QAbstractItemView* delays = window->delayEvents->eventList;
            const QModelIndex time = delays->model()->index(0, 1);
            std::unique_ptr<QWidget> popup(window->delayEvents->delayDelegate->createEditor(
                delays->viewport(), QStyleOptionViewItem(), time));
            QVERIFY(popup);
            window->delayEvents->delayDelegate->setEditorData(popup.get(), time);
            popup->show();
            checker.walk(popup.get(), popup.get(), QStringLiteral("delayTimeEdit"));
        }

        // With a show: actions of every kind, limited in every way, on the
        // first event of a page of each layout, and steps and sequences.
        sampleShow::build(*session.rig->controller, sampleShow::small);
        window->refresh();
        for (aevents_source_page* page : {static_cast<aevents_source_page*>(window->inputsEvents),
                                          static_cast<aevents_source_page*>(window->clockEvents)}) {
            eventTable& events = session.rig->controller->events;
            const int id = page->currentEvent;
            const uint8_t daytimes[][2] = {{DAYTIME_NONE, DAYTIME_NONE}, {DAYTIME_DAYNIGHT, DAYTIME_NONE},
                                           {DAYTIME_DAYNIGHT, 0},        {DAYTIME_SUNSET, DAYTIME_SUNRISE},
                                           {DAYTIME_SUNRISE, 75},        {143, DAYTIME_SUNSET}};
            const uint32_t words[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
            int n = 0;
            for (int type = ACTION_SCENE; type <= ACTION_SELF_PROGRAMMING; ++type) {
                for (int sub = SUB_ON; sub <= SUB_PREV_STEP; ++sub, ++n) {
                    const int pos = events.appendAction(id);
                    events.setActionType(id, pos, type);
                    events.setSubAction(id, pos, sub);
                    if (type == ACTION_MSG_FOR_PANEL)
                        events.setNumber(id, pos, (sub + 4) << 8 | n);
                    else
                        events.setNumber(id, pos, n % 3 ? 1000 + n : ACTION_NUMBER_ALL);
                    events.setDaytimeLimit(id, pos, daytimes[n % 6][0], daytimes[n % 6][1]);
                    events.setStateLimits(id, pos, n % 2 ? 0xFE : 0xFF, words);
                }
            }
            page->actionPanel->actionTable->setEvent(id);
        }
        window->tabWidget_main->setCurrentIndex(0);
        checker.walk(window, window->tabWidget_main, QStringLiteral("show"));
        // Rows past the table's height and two-digit row numbers never make
        // the action tables scroll sideways.
        settle();
        for (aevents_source_page* page : {static_cast<aevents_source_page*>(window->inputsEvents),
                                          static_cast<aevents_source_page*>(window->clockEvents)}) {
            const QTableWidget* table = page->actionPanel->actionTable;
            QVERIFY(table->rowCount() >= 10);
            QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(),
                     qPrintable(page->objectName()));
        }

        // The largest numbers a show holds, where the pages show them: the
        // last program, scene and mask current, a coupled-scene group of
        // five-digit scenes, one with a description as long as may be, and
        // the last program's steps of such scenes.
        {
            kv310_controller_class& c = *session.rig->controller;
            constexpr int members = 40;
            const int lastProgram = img::PROGRAM_SLOTS - 1;
            c.programs.setStepCount(lastProgram, members);
            for (int k = 0; k < members; ++k) {
                const int scene = img::SCENES - members + k;
                c.coupledSceneGroups[0].append(uint16_t(scene));
                c.programs.step(lastProgram, k)->scene = uint16_t(scene);
            }
            c.sceneDescriptions[img::SCENES - 1] = QString(100, QLatin1Char('W'));
            checker.describedBy(c);
            // Extra entries would take the last program slots from the list.
            c.extraEntries.clear();
            window->programEditor->refresh();
            window->tabWidget_main->setCurrentIndex(0);
            window->sceneEditor->recordList->setCurrentCell(img::SCENES - 1, 0);
            window->maskEditor->recordList->setCurrentCell(img::MASKS - 1, 0);
            window->programEditor->programList->setCurrentCell(lastProgram, 0);
            checker.walk(window, window, QStringLiteral("largest"));
            const auto translated = [](const char* context, const char* text, int n) {
                return QCoreApplication::translate(context, text).arg(n);
            };
            QCOMPARE(window->sceneEditor->groupLabel->text(),
                     translated("arecord_settings_widget", "Scene %1", img::SCENES));
            QCOMPARE(window->maskEditor->groupLabel->text(), translated("arecord_settings_widget", "Mask %1", img::MASKS));
            QCOMPARE(window->programEditor->copyProgramLabel->text(),
                     translated("aprogram_settings_widget", "Program: %1", img::PROGRAM_SLOTS));
            // Labels widened for their numbers stay centred where they were.
            const std::pair<QLabel*, int> centres[] = {{window->sceneEditor->groupLabel, 2 * 408 + 91},
                                                       {window->maskEditor->groupLabel, 2 * 408 + 91},
                                                       {window->programEditor->groupProgramLabel, 2 * 408 + 91},
                                                       {window->programEditor->copyProgramLabel, 2 * 200 + 91}};
            for (const auto& [label, doubleCentre] : centres)
                QCOMPARE(2 * label->x() + label->width(), doubleCentre);
            // Columns widened for their numbers never make a table scroll sideways.
            const QTableView* wider[] = {window->sceneEditor->coupledPage->membersTable,
                                         window->programEditor->stepTable};
            for (const QTableView* table : wider) {
                QVERIFY(table->model()->rowCount() >= members);
                QVERIFY2(table->horizontalHeader()->length() <= table->viewport()->width(),
                         qPrintable(placeOf(table, window)));
            }
        }

        // Connected, so that the views open their windows.
        QVERIFY(session.rig->connect());
        window->rightPanel->freezeButton->click();
        // The controller's clock on a Sunday, the longest day's name in Polish.
        session.rig->sim->setClock(QDateTime(QDate(2024, 1, 7), QTime(23, 58, 58)), false);
        QVERIFY(QMetaObject::invokeMethod(window, "timerTimeUpdate"));
        QVERIFY(window->rightPanel->clockLabel->text().contains(QLatin1String("2024")));
        settle();
        checker.checkTree(window, window->rightPanel);
        checker.shoot(window, QStringLiteral("connected"));

        // Every window and dialog the menus open (the language entries
        // rebuild the window, and Exit closes it).
        QSet<QAction*> skipped{window->exitAction};
        for (const languageEntry& entry : std::as_const(languageList))
            skipped.insert(entry.action);
        for (QAction* action : menuActions(window->menuBar())) {
            if (skipped.contains(action) || !action->isEnabled())
                continue;
            action->trigger();
            // A monitor window shows with its first reading, as the pacing
            // thread asks for it.
            window->monitor->pollTimer.busy = true;
            window->monitor->reload();
            settle();
            for (QWidget* other : otherWindows(window)) {
                checker.walk(other, other,
                             QString::fromLatin1(other->metaObject()->className()) + QLatin1Char('-')
                                 + other->windowTitle());
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
        // At the size the window's form gives it: every menu title must be
        // in the menu bar on the smallest screen too.
        {
            QMainWindow form;
            Ui::GraphWindow().setupUi(&form);
            graph->showNormal();
            graph->resize(form.size());
        }
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
        // The menu bar with the widest choices named in it, beside the light
        // control by groups: the last scene, the last range of compound
        // pictures in either mode.
        const std::pair<QAction*, int> choices[] = {{graph->actOffline, img::SCENES - 1},
                                                    {graph->actCompound, LAST_COMPOUND_SCENE - 1},
                                                    {graph->actCompound, LAST_COMPOUND_SCENE}};
        for (const auto& [mode, scene] : choices) {
            session.rig->project->sceneNumber = scene;
            mode->trigger();
            settle();
            QVERIFY(graph->actChooseScene->isVisible());
            QVERIFY(graph->ctrlGroupMenu->menuAction()->isVisible());
            checker.checkTree(graph, graph->menubar);
            checker.shoot(graph, QStringLiteral("visualisation-scene-%1").arg(scene));
        }
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
    QCoreApplication::removeTranslator(&qtTexts);
    QLocale::setDefault(startLocale);
    if (!checker.problems.isEmpty())
        QFAIL(qPrintable(QStringLiteral("Texts cut off:\n") + checker.problems.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_label_fit)
#include "tst_label_fit.moc"
