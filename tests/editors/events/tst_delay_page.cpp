#include "editors/events/aevents_conf_widget.h"
#include "editors/events/aevents_dlyd_delegate.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_tableview_widget.h"
#include "editors/events/delay_time_edit.h"
#include "model/sequence_chain.h"
#include "support/page_fixture.h"
#include "widgets/my_time_edit.h"
#include "widgets/page_list.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

enum class colour { base, green, beige, other };

colour cellColour(const pageListView* list, int row, int column)
{
    const QBrush b = list->model()->index(row, column).data(Qt::BackgroundRole).value<QBrush>();
    if (b.color() == pageStyle::usedColour() && b.style() == Qt::SolidPattern)
        return colour::green;
    if (b.color() == pageStyle::lockedColour() && b.style() == Qt::SolidPattern)
        return colour::beige;
    if (b == pageStyle::emptyBrush())
        return colour::base;
    return colour::other;
}

uint32_t word(kv310_controller_class& c, int d)
{
    return img::getU32(c.configImage, img::delaysOf(d));
}

void setWord(kv310_controller_class& c, int d, uint32_t w)
{
    img::putU32(c.configImage, img::delaysOf(d), w);
}

struct delayPageFixture : pageFixture {
    std::unique_ptr<aevents_dlyd_widget> page;

    void build() { page = std::make_unique<aevents_dlyd_widget>(&tab); }
    QModelIndex time(int d) const { return page->eventList->model()->index(d, 1); }
    QString timeText(int d) const { return time(d).data().toString(); }
    // The editor as the list opens it, loaded with the delay's time; null
    // when the delay cannot be edited.
    std::unique_ptr<delayTimeEdit> open(int d)
    {
        QWidget* e = page->delayDelegate->createEditor(page->eventList->viewport(), QStyleOptionViewItem(), time(d));
        auto* edit = qobject_cast<delayTimeEdit*>(e);
        if (edit)
            page->delayDelegate->setEditorData(edit, time(d));
        return std::unique_ptr<delayTimeEdit>(edit);
    }
    void store(delayTimeEdit* edit, int d)
    {
        page->delayDelegate->setModelData(edit, page->eventList->model(), time(d));
    }
};

}  // namespace

Q_DECLARE_METATYPE(colour)

// The delay page: the delays with their times and colours, the end events'
// actions, and the pop-up that sets the time of a delay no sequence owns.
class tst_delay_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeTexts_data();
    void timeTexts();
    void rowsShowStartedAndOwnedDelays();
    void choosingADelayShowsItsEnd();
    void ownedDelaysOpenNoEditor();
    void editorLoadsAndStores_data();
    void editorLoadsAndStores();
    void editorRangeAndButtons();
    void popupOpensOverTheActionRows();
    void panelChangesReloadThePage();
    void closingThePopupElsewhereCancels();
};

void tst_delay_page::timeTexts_data()
{
    QTest::addColumn<uint>("tenths");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << "not set";
    QTest::newRow("not set") << 0xFFFFFu << "not set";
    QTest::newRow("undefined") << 0xFFFFFFFFu << "not set";
    QTest::newRow("tenth") << 1u << "0h 0m 0.1s";
    QTest::newRow("20 min 34.5 s") << 12345u << "0h 20m 34.5s";
    QTest::newRow("an hour") << 36000u << "1h 0m 0.0s";
    QTest::newRow("longest") << 863999u << "23h 59m 59.9s";
    QTest::newRow("a day") << 864000u << "24h 0m 0.0s";
}

void tst_delay_page::timeTexts()
{
    QFETCH(uint, tenths);
    QFETCH(QString, text);
    QCOMPARE(aevents_dlyd_widget::delayTimeText(tenths), text);
}

void tst_delay_page::rowsShowStartedAndOwnedDelays()
{
    delayPageFixture f;
    kv310_controller_class& c = f.controller();
    sequenceChain(c, 3).setLength(1);  // delay 0, started and owned
    const int i = c.events.appendAction(EVENT_POWER_ON);  // delay 4, started
    c.events.setActionType(EVENT_POWER_ON, i, ACTION_DELAY);
    c.events.setSubAction(EVENT_POWER_ON, i, SUB_ON);
    c.events.setNumber(EVENT_POWER_ON, i, 4);
    c.startedDelays.append(4);
    setWord(c, 4, delayWord::make(12345, delayWord::SEQUENCE_FREE));
    f.build();

    pageListView* list = f.page->eventList;
    QCOMPARE(list->rowCount(), 512);
    QVERIFY(list->editTriggers() & QAbstractItemView::DoubleClicked);  // opens the time editor
    // The longest time is shown whole, without a sideways scroll.
    QVERIFY(list->columnWidth(1) >= list->fontMetrics().horizontalAdvance(QStringLiteral("23h 59m 59.9s")));
    QVERIFY(list->x() + list->width() <= f.page->actionPanel->x());
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("Delay 1"));
    QCOMPARE(list->model()->index(511, 0).data().toString(), QStringLiteral("Delay 512"));
    QCOMPARE(f.timeText(0), QStringLiteral("0h 0m 0.1s"));
    QCOMPARE(f.timeText(4), QStringLiteral("0h 20m 34.5s"));
    QCOMPARE(f.timeText(5), QStringLiteral("not set"));
    QCOMPARE(cellColour(list, 0, 0), colour::green);
    QCOMPARE(cellColour(list, 0, 1), colour::beige);
    QCOMPARE(cellColour(list, 4, 0), colour::green);
    QCOMPARE(cellColour(list, 4, 1), colour::green);
    QCOMPARE(cellColour(list, 5, 0), colour::base);
    QCOMPARE(cellColour(list, 5, 1), colour::base);

    // The sequence lets its delay go and the action goes: plain at the next refresh.
    sequenceChain(c, 3).setLength(0);
    c.events.removeAction(EVENT_POWER_ON, i);
    c.startedDelays.removeOne(4);
    f.page->refresh();
    QCOMPARE(cellColour(list, 0, 0), colour::base);
    QCOMPARE(cellColour(list, 0, 1), colour::base);
    QCOMPARE(cellColour(list, 4, 0), colour::base);
    QCOMPARE(f.timeText(0), QStringLiteral("not set"));
}

void tst_delay_page::choosingADelayShowsItsEnd()
{
    delayPageFixture f;
    f.controller().eventDescriptions[EVENT_DELAY_END + 7] = QStringLiteral("Lights out");
    f.build();
    QCOMPARE(f.page->titleLabel->text(), QStringLiteral("Delay 1"));
    QCOMPARE(f.page->actionPanel->pageKind, 4);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END);

    f.page->eventList->setCurrentCell(7, 0);
    QCOMPARE(f.page->currentEvent, EVENT_DELAY_END + 7);
    QCOMPARE(f.page->actionPanel->panelEvent, EVENT_DELAY_END + 7);
    QCOMPARE(f.page->titleLabel->text(), QStringLiteral("Delay 8"));
    QCOMPARE(f.page->descriptionEdit->text(), QStringLiteral("Lights out"));

    f.page->descriptionEdit->setText(QStringLiteral(" Curtain "));
    emit f.page->descriptionEdit->editingFinished();
    QCOMPARE(f.controller().eventDescriptions[EVENT_DELAY_END + 7], QStringLiteral("Curtain"));
}

void tst_delay_page::ownedDelaysOpenNoEditor()
{
    delayPageFixture f;
    kv310_controller_class& c = f.controller();
    sequenceChain(c, 3).setLength(1);
    f.build();
    QVERIFY(!f.open(0));
    // Nor does the number column of a free delay.
    QVERIFY(!f.page->delayDelegate->createEditor(f.page->eventList->viewport(), QStyleOptionViewItem(),
                                                 f.page->eventList->model()->index(1, 0)));

    sequenceChain(c, 3).setLength(0);
    f.page->refresh();
    QVERIFY(f.open(0));
}

void tst_delay_page::editorLoadsAndStores_data()
{
    QTest::addColumn<uint>("before");   // the delay word
    QTest::addColumn<bool>("defined");  // "Defined" as loaded
    QTest::addColumn<bool>("define");   // "Defined" as the user leaves it
    QTest::addColumn<QTime>("time");    // the time the user sets, when defined
    QTest::addColumn<uint>("after");
    QTest::addColumn<QString>("cell");

    const uint free = 0xFFF00000u;
    QTest::newRow("not set, O.K.") << 0xFFFFFFFFu << false << false << QTime() << 0xFFFFFFFFu << "not set";
    QTest::newRow("a tenth") << 0xFFFFFFFFu << false << true << QTime(0, 0, 0, 100) << (free | 1u) << "0h 0m 0.1s";
    QTest::newRow("longest") << (free | 5u) << true << true << QTime(23, 59, 59, 900) << (free | 863999u)
                             << "23h 59m 59.9s";
    QTest::newRow("milliseconds snap") << (free | 5u) << true << true << QTime(0, 20, 34, 450) << (free | 12345u)
                                       << "0h 20m 34.5s";
    // Owner bits of a delay that is no sequence's stay as they are.
    QTest::newRow("undefined, owner kept") << ((200u << 20) | 77u) << true << false << QTime() << ((200u << 20) | 0xFFFFFu)
                                           << "not set";
}

void tst_delay_page::editorLoadsAndStores()
{
    QFETCH(uint, before);
    QFETCH(bool, defined);
    QFETCH(bool, define);
    QFETCH(QTime, time);
    QFETCH(uint, after);
    QFETCH(QString, cell);

    delayPageFixture f;
    setWord(f.controller(), 9, before);
    f.build();
    std::unique_ptr<delayTimeEdit> edit = f.open(9);
    QVERIFY(edit);
    QCOMPARE(edit->definedBox->isChecked(), defined);
    QCOMPARE(edit->timeEdit->isEnabled(), defined);

    edit->definedBox->setChecked(define);
    QCOMPARE(edit->timeEdit->isEnabled(), define);
    if (time.isValid())
        edit->timeEdit->setTime(time);
    f.store(edit.get(), 9);
    QCOMPARE(word(f.controller(), 9), after);
    QCOMPARE(f.timeText(9), cell);
}

void tst_delay_page::editorRangeAndButtons()
{
    delayPageFixture f;
    setWord(f.controller(), 2, 0xFFF00000u | 25u);
    f.build();
    std::unique_ptr<delayTimeEdit> edit = f.open(2);
    QCOMPARE(edit->timeEdit->time(), QTime(0, 0, 2, 500));
    QCOMPARE(edit->timeEdit->minimumTime(), QTime(0, 0, 0, 100));
    edit->timeEdit->setTime(QTime(0, 0, 0, 0));
    QCOMPARE(edit->value(), 1u);
    QCOMPARE(edit->cancelButton->text(), QStringLiteral("Cancel"));
    QCOMPARE(edit->okButton->text(), QStringLiteral("O.K."));

    // O.K. stores, then closes; Cancel only closes. (No view holds these
    // editors: only their signals are watched.)
    QObject::disconnect(edit.get(), nullptr, f.page->delayDelegate, nullptr);
    QSignalSpy saves(edit.get(), &delayTimeEdit::save);
    QSignalSpy aborts(edit.get(), &delayTimeEdit::abort);
    edit->cancelButton->click();
    QCOMPARE(saves.count(), 0);
    QCOMPARE(aborts.count(), 1);
    edit = f.open(2);
    QObject::disconnect(edit.get(), nullptr, f.page->delayDelegate, nullptr);
    QSignalSpy saved(edit.get(), &delayTimeEdit::save);
    QSignalSpy aborted(edit.get(), &delayTimeEdit::abort);
    edit->okButton->click();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(aborted.count(), 1);
    QCOMPARE(word(f.controller(), 2), 0xFFF00000u | 25u);  // storing is the delegate's part
}

// The pop-up opens at one place whichever row is edited: over the rows of
// the action table, clear of its header and of the page's title.
void tst_delay_page::popupOpensOverTheActionRows()
{
    delayPageFixture f;
    f.tab.resize(851, 655);
    f.build();
    f.tab.show();
    const auto globalRect = [](const QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
    const QTableWidget* table = f.page->actionPanel->actionTable;
    QPoint first;
    for (int d : {0, 300}) {
        std::unique_ptr<delayTimeEdit> edit = f.open(d);
        QVERIFY(edit->windowFlags() & Qt::Popup);
        QVERIFY(edit->width() >= 230 && edit->height() == 72);
        if (d == 0)
            first = edit->pos();
        QCOMPARE(edit->pos(), first);
        const QRect popup(edit->pos(), edit->size());
        QVERIFY(globalRect(table->viewport()).contains(popup));
        QVERIFY(!popup.intersects(globalRect(table->horizontalHeader())));
        QVERIFY(!popup.intersects(globalRect(f.page->titleLabel)));
    }
}

void tst_delay_page::panelChangesReloadThePage()
{
    delayPageFixture f;
    f.build();
    // A Delay action pasted on the end of delay 1 starts delay 6.
    eventAction start;
    start.setType(ACTION_DELAY);
    start.setSubAction(SUB_ON);
    start.number = 5;
    f.controller().events.actionClipboard.append(std::make_shared<eventAction>(start));
    f.page->actionPanel->refresh();
    const int reloads = f.page->refreshCount;
    f.page->actionPanel->pasteActionsButton->click();
    QVERIFY(f.page->refreshCount > reloads);
    QCOMPARE(cellColour(f.page->eventList, 5, 0), colour::green);

    // Closing the editor, stored or not, reloads as well. The list never
    // opened this one: it is kept out of it.
    QObject::disconnect(f.page->delayDelegate, &QAbstractItemDelegate::closeEditor, f.page->eventList, nullptr);
    QObject::disconnect(f.page->delayDelegate, &QAbstractItemDelegate::commitData, f.page->eventList, nullptr);
    const int before = f.page->refreshCount;
    std::unique_ptr<delayTimeEdit> edit = f.open(3);
    edit->definedBox->setChecked(true);
    edit->cancelButton->click();
    QCOMPARE(f.page->refreshCount, before + 1);
    QCOMPARE(word(f.controller(), 3), 0xFFFFFFFFu);
    edit = f.open(3);
    edit->definedBox->setChecked(true);
    edit->okButton->click();
    QCOMPARE(f.page->refreshCount, before + 2);
}

void tst_delay_page::closingThePopupElsewhereCancels()
{
    delayPageFixture f;
    f.build();
    aevents_dlyd_delegate* delegate = f.page->delayDelegate;
    QObject::disconnect(delegate, &QAbstractItemDelegate::closeEditor, f.page->eventList, nullptr);
    QObject::disconnect(delegate, &QAbstractItemDelegate::commitData, f.page->eventList, nullptr);
    std::unique_ptr<delayTimeEdit> edit = f.open(3);
    edit->definedBox->setChecked(true);
    QSignalSpy commits(delegate, &QAbstractItemDelegate::commitData);
    QSignalSpy closes(delegate, &QAbstractItemDelegate::closeEditor);

    // A pop-up hides itself when the user clicks outside it.
    QHideEvent hide;
    QCoreApplication::sendEvent(edit.get(), &hide);
    QCOMPARE(commits.count(), 0);
    QCOMPARE(closes.count(), 1);
    QCOMPARE(word(f.controller(), 3), 0xFFFFFFFFu);
    // Closed once: a late click on a button does nothing more.
    edit->okButton->click();
    QCOMPARE(commits.count(), 0);
    QCOMPARE(closes.count(), 1);
}

QTEST_MAIN(tst_delay_page)
#include "tst_delay_page.moc"
