// The fixture properties dialog in the running program: a new fixture at the
// pressed point, how the library choice is guided and restored, the first
// channel and its bounds; the relocation dialog it opens; and what "OK"
// makes of it all in the project tree, the fixture and the channel map,
// which a project read again must give back the same.

#include "fixture_rig.h"

#include "fixtures/light_class.h"
#include "model/project_text.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>

namespace {

QVector<int> funcChannels(const lightEffect* f)
{
    return QVector<int>(std::begin(f->funcChannel), std::end(f->funcChannel));
}

// The "channel" elements of a device's "reloc" node as "nr=offset" texts;
// "none" without the node.
QStringList relocElements(const xml_node* device)
{
    const xml_node* reloc = nullptr;
    for (const xml_node& n : device->nodes)
        if (n.name == QLatin1String("reloc"))
            reloc = &n;
    if (!reloc)
        return {QStringLiteral("none")};
    QStringList out;
    for (const xml_element& e : reloc->elements)
        out << e.name + QLatin1Char(':') + *e.attrValue(QStringLiteral("nr")) + QLatin1Char('=') + e.value;
    return out;
}

// Edits the DMX channel of a row of the relocation table as its delegate does.
void setRow(dmxReloc_class& d, int row, int value)
{
    const QModelIndex index = d.twReloc->model()->index(row, 1);
    QAbstractItemDelegate* delegate = d.twReloc->itemDelegate();
    QWidget* editor = delegate->createEditor(d.twReloc->viewport(), QStyleOptionViewItem(), index);
    auto* box = qobject_cast<QSpinBox*>(editor);
    QVERIFY(box);
    delegate->setEditorData(editor, index);
    box->setValue(value);
    delegate->setModelData(editor, d.twReloc->model(), index);
    delete editor;
}

QStringList column(const dmxReloc_class& d, int c)
{
    QStringList out;
    for (int row = 0; row < d.twReloc->rowCount(); ++row)
        out << d.twReloc->item(row, c)->text();
    return out;
}

}  // namespace

class tst_fixture_dialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();

    void newFixtureTakesTheFirstFreeNumber_data();
    void newFixtureTakesTheFirstFreeNumber();
    void newFixtureAtThePressedPoint_data();
    void newFixtureAtThePressedPoint();
    void opensWithTheStoredDefinition();
    void opensInTheFirstField();
    void theChoiceIsGuidedByTheHierarchy();
    void channelCountOfTheChoice_data();
    void channelCountOfTheChoice();
    void storedFirstChannelIsClampedAndSaved();
    void typedTextsNameNoItem();
    void aFirstChannelPullsRelocatedChannelsBack();

    void relocationTableRows_data();
    void relocationTableRows();
    void relocationEdits_data();
    void relocationEdits();
    void relocationDescriptionsInTheUiLanguage();
    void relocationFirstRowIsBounded();
    void okOnAnEmptyRelocationTable();

    void saveWritesTheRelocNode();
    void saveWithoutVariantUndefinesTheFixture();
    void externalItemIsCopiedOnce();
    void onlyTheFirstChannelMoves();
    void codesAndMapOfTheSavedItem_data();
    void codesAndMapOfTheSavedItem();
    void geometryOfTheSavedItem_data();
    void geometryOfTheSavedItem();
    void shorterFixtureTableCountsAsChanged();
    void newFixtureIsChangedByItsFirstOk();
    void savedFixturesComeBackFromTheProjectText();

private:
    std::unique_ptr<fixtureRig> rig;
    std::unique_ptr<QTranslator> translator;
};

void tst_fixture_dialog::cleanup()
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
    rig.reset();
}

// ---- The fixture dialog ----------------------------------------------------------------

void tst_fixture_dialog::newFixtureTakesTheFirstFreeNumber_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("expected");
    QTest::newRow("1, 2, 4") << QList<int>{1, 2, 4} << 3;
    QTest::newRow("empty project") << QList<int>{} << 1;
}

void tst_fixture_dialog::newFixtureTakesTheFirstFreeNumber()
{
    QFETCH(QList<int>, numbers);
    QFETCH(int, expected);
    rig = std::make_unique<fixtureRig>(numbers);
    kvVGraph_class* g = rig->g;
    g->clipboardFixture = numbers.isEmpty() ? nullptr : rig->fixture(1);
    g->pressX = 50;
    g->pressY = 50 + g->menubar->height();
    rig->r.vp->modified = false;

    // Cancel: the fixture stays as it was made, undefined.
    QString title;
    rig->r.s.rec.answerExec([&title](QDialog* d) {
        title = d->windowTitle();
        return int(QDialog::Rejected);
    });
    g->newFixture();

    QCOMPARE(title, QStringLiteral("Fixture No. %1").arg(expected));
    lightEffect* f = rig->fixture(expected);
    QVERIFY(f);
    QCOMPARE(rig->r.vp->fixtures.size(), numbers.size() + 1);
    QCOMPARE(rig->r.w->fixtureCountLabel->text(), QString::number(numbers.size() + 1));
    QVERIFY(rig->r.vp->modified);
    QVERIFY(!f->defined);
    QVERIFY(!g->clipboardFixture);
    QCOMPARE(g->pointedFixture, f);
    QCOMPARE(f->dmxStart, -1);
    QCOMPARE(f->parentWidget(), g->imageLabel);
    QCOMPARE(f->beam->parentWidget(), g->imageLabel);
    QVERIFY(f->cross);
    // The device node holds its number and place, nothing of a definition.
    const xml_node* device = f->deviceNode;
    QCOMPARE(*device->attrValue(QStringLiteral("nr")), QString::number(expected));
    QVERIFY(device->elements.isEmpty());
    QCOMPARE(device->nodes.size(), 1);
    QCOMPARE(device->nodes.at(0).name, QStringLiteral("geometry"));
    QCOMPARE(*device->nodes.at(0).elementValue(QStringLiteral("x")), QString::number(f->posX));
    // The project still has undefined fixtures: the window says so.
    QVERIFY(rig->r.s.rec.titles().contains(QStringLiteral("Incomplete fixture(s) found!")));
}

void tst_fixture_dialog::newFixtureAtThePressedPoint_data()
{
    QTest::addColumn<QPoint>("press");  // below the menu bar
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("field");
    QTest::addColumn<QPoint>("icon");
    QTest::newRow("not scrolled") << QPoint(300, 220) << QPoint(0, 0) << QPoint(600, 440) << QPoint(290, 210);
    QTest::newRow("scrolled") << QPoint(300, 220) << QPoint(100, 50) << QPoint(800, 540) << QPoint(390, 260);
}

void tst_fixture_dialog::newFixtureAtThePressedPoint()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, scroll);
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    g->zoom = 1;
    g->scale = 2;
    g->hScroll = scroll.x();
    g->vScroll = scroll.y();
    g->pressX = press.x();
    g->pressY = press.y() + g->menubar->height();
    rig->r.s.rec.answerExec([](QDialog*) { return int(QDialog::Rejected); });
    g->newFixture();
    rig->r.settle();

    const lightEffect* f = rig->fixture(3);
    QTEST(QPoint(f->posX, f->posY), "field");
    QTEST(f->pos(), "icon");
    // The plan shows the whole icon there, over the fixture's beam.
    QVERIFY(f->isVisible());
    const QImage icon = f->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), f->size());
    const QImage shown = g->imageLabel->grab(f->geometry()).toImage().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            if (qAlpha(icon.pixel(x, y)) < 255)
                continue;
            ++opaque;
            QCOMPARE(QColor(shown.pixel(x, y)), QColor(icon.pixel(x, y)));
        }
    }
    QVERIFY(opaque > icon.width() * icon.height() / 2);
    const xml_node* geometry = f->deviceNode->findNode(QStringLiteral("geometry"));
    QTEST(QPoint(geometry->elementValue(QStringLiteral("x"))->toInt(), geometry->elementValue(QStringLiteral("y"))->toInt()),
          "field");
}

void tst_fixture_dialog::opensWithTheStoredDefinition()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(2);
    f->deviceNode->setElement(QStringLiteral("label"), QStringLiteral("Front &lt;left&gt; &&"));
    f->deviceNode->setElement(QStringLiteral("power"), QStringLiteral("half"));
    f->rotation = -45;
    rig->r.vp->modified = false;
    const int result = rig->editFixture(f, [](ModiFxt_class& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("Fixture No. 2"));
        QCOMPARE(d.sbXPos->value(), 300);
        QCOMPARE(d.sbYPos->value(), 200);
        QCOMPARE(d.sbXPos->maximum(), 1000);
        QCOMPARE(d.leLabel->text(), QStringLiteral("Front <left> &"));
        QCOMPARE(d.sbPower->value(), 0);
        QCOMPARE(d.dial->value(), -45);
        QCOMPARE(d.lbValue->text(), QStringLiteral("-45"));
        QCOMPARE(d.cbProvider->currentText(), QStringLiteral("Maker"));
        QCOMPARE(d.cbModel->currentText(), QStringLiteral("Wash"));
        // The model's one variant is chosen by itself.
        QCOMPARE(d.cbVariant->currentText(), QStringLiteral("basic"));
        QCOMPARE(d.lbNumberOfCh->text(), QStringLiteral("3"));
        QVERIFY(d.pbReloc->isEnabled());
        QCOMPARE(d.pbReloc->text(), QStringLiteral("Relocation table (empty)"));
        QCOMPARE(d.sbDmx->value(), 4);
        QCOMPARE(d.sbDmx->maximum(), 510);
        d.dial->setValue(30);
        QCOMPARE(d.lbValue->text(), QStringLiteral("30"));
        d.cancelButton->click();
    });
    QCOMPARE(result, int(QDialog::Rejected));
    // Cancel changes nothing.
    QVERIFY(!rig->r.vp->modified);
    QCOMPARE(f->rotation, -45);
    QCOMPARE(*f->deviceNode->elementValue(QStringLiteral("dmx")), QStringLiteral("4"));
}

// The form is filled from its first field on: the label, then the comment,
// which Tab leaves as it leaves any field; Enter in a field is "OK".
void tst_fixture_dialog::opensInTheFirstField()
{
    rig = std::make_unique<fixtureRig>();
    const int result = rig->editFixture(rig->fixture(2), [](ModiFxt_class& d) {
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(QApplication::focusWidget(), d.leLabel);
        QTest::keyClick(d.leLabel, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), d.teComment);
        QTest::keyClick(d.teComment, Qt::Key_Tab);
        QVERIFY(d.teComment->toPlainText().isEmpty());
        QCOMPARE(QApplication::focusWidget(), d.sbXPos);
        QTest::keyClick(d.sbXPos, Qt::Key_Backtab);
        QTest::keyClick(d.teComment, Qt::Key_Backtab);
        QTest::keyClicks(d.leLabel, QStringLiteral("Front"));
        QTest::keyClick(d.leLabel, Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(*rig->fixture(2)->deviceNode->elementValue(QStringLiteral("label")), QStringLiteral("Front"));
}

void tst_fixture_dialog::theChoiceIsGuidedByTheHierarchy()
{
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [](ModiFxt_class& d) {
        // Providers in character-code order: capitals first.
        QCOMPARE(fixtureRig::entries(d.cbProvider),
                 QStringList({"<choose one>", "A", "Gen", "Maker", "a", "b"}));
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QString());
        QCOMPARE(fixtureRig::entries(d.cbModel), QStringList({"<choose one>", "Par", "Wash"}));
        // Variants in the library's order; "_basic_" is "basic"; two of them
        // leave the choice to the user.
        QCOMPARE(fixtureRig::entries(d.cbVariant), QStringList({"<choose one>", "RGB", "basic"}));
        QCOMPARE(d.cbVariant->currentIndex(), 0);
        QCOMPARE(d.lbNumberOfCh->text(), QStringLiteral("?"));
        QVERIFY(!d.pbReloc->isEnabled());

        d.cbVariant->setCurrentIndex(1);
        QCOMPARE(d.lbNumberOfCh->text(), QStringLiteral("8"));
        QVERIFY(d.pbReloc->isEnabled());

        // "<choose one>" as provider empties what depends on it.
        d.cbProvider->setCurrentIndex(0);
        QCOMPARE(fixtureRig::entries(d.cbModel), QStringList({"<choose one>"}));
        QCOMPARE(fixtureRig::entries(d.cbVariant), QStringList({"<choose one>"}));
        QCOMPARE(d.lbNumberOfCh->text(), QStringLiteral("?"));
        QVERIFY(!d.pbReloc->isEnabled());
        QCOMPARE(d.pbReloc->text(), QStringLiteral("Relocation table (empty)"));
        QCOMPARE(d.sbDmx->maximum(), 512);
    });
}

void tst_fixture_dialog::channelCountOfTheChoice_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("relocation");
    QTest::addColumn<int>("maximum");
    QTest::newRow("range 8") << "Maker" << "Par" << "RGB" << "8" << true << 505;
    QTest::newRow("range 1") << "Maker" << "Par" << "basic" << "1" << false << 512;
    QTest::newRow("an item without range") << "b" << "Spot" << "" << "?" << false << 512;
    // The variant's own item, not the first of its model that has no variant.
    QTest::newRow("a variant beside a basic item") << "Gen" << "Can" << "Wide" << "5" << true << 508;
    QTest::newRow("the basic item beside a variant") << "Gen" << "Can" << "basic" << "2" << true << 511;
}

void tst_fixture_dialog::channelCountOfTheChoice()
{
    QFETCH(QString, provider);
    QFETCH(QString, model);
    QFETCH(QString, variant);
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        fixtureRig::choose(d, provider, model, variant);
        QTEST(d.lbNumberOfCh->text(), "shown");
        QTEST(d.pbReloc->isEnabled(), "relocation");
        QTEST(d.sbDmx->maximum(), "maximum");
        if (d.pbReloc->isEnabled())
            QCOMPARE(d.chnlCount, d.lbNumberOfCh->text().toInt());
    });
}

void tst_fixture_dialog::storedFirstChannelIsClampedAndSaved()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    rig->editFixture(f, [](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QStringLiteral("RGB"));
        d.okButton->click();
    });
    f->deviceNode->findElement(QStringLiteral("dmx"))->value = QStringLiteral("510");

    const int result = rig->editFixture(f, [](ModiFxt_class& d) {
        QCOMPARE(d.sbDmx->value(), 505);
        d.okButton->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(*f->deviceNode->elementValue(QStringLiteral("dmx")), QStringLiteral("505"));
    QCOMPARE(f->dmxStart, 504);
}

void tst_fixture_dialog::typedTextsNameNoItem()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    rig->editFixture(f, [](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QStringLiteral("RGB"));
        // A model typed in: an entry without variants.
        d.cbModel->lineEdit()->setText(QStringLiteral("Typed"));
        QTest::keyClick(d.cbModel->lineEdit(), Qt::Key_Return);
        QCOMPARE(d.cbModel->currentText(), QStringLiteral("Typed"));
        QCOMPARE(fixtureRig::entries(d.cbVariant), QStringList({"<choose one>"}));

        // A variant typed in names no item: "OK" stores none.
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Wash"), QString());
        d.cbVariant->lineEdit()->setText(QStringLiteral("Mine"));
        QTest::keyClick(d.cbVariant->lineEdit(), Qt::Key_Return);
        QCOMPARE(d.cbVariant->currentText(), QStringLiteral("Mine"));
        QCOMPARE(d.lbNumberOfCh->text(), QStringLiteral("?"));
        d.okButton->click();
    });
    QVERIFY(!f->itemNode);
    QVERIFY(!f->defined);
    QVERIFY(!f->deviceNode->elementValue(QStringLiteral("library")));
}

void tst_fixture_dialog::aFirstChannelPullsRelocatedChannelsBack()
{
    rig = std::make_unique<fixtureRig>();
    int shownFirst = 0;
    QStringList shownRows;
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        d.reloc = {0, 5, 0};
        rig->r.s.rec.answerExec([&](QDialog* r) {
            auto* relocator = qobject_cast<dmxReloc_class*>(r);
            shownFirst = relocator->owner->sbDmx->value();
            shownRows = column(*relocator, 1);
            return int(QDialog::Rejected);
        });
        d.sbDmx->setValue(508);
        // Channel 2 would land on 514: it stays on 512.
        QCOMPARE(d.reloc, QVector<int>({0, 3, 0}));
    });
    QCOMPARE(shownFirst, 508);
    QCOMPARE(shownRows, QStringList({"508", "512", "510"}));
}

// ---- The relocation dialog -------------------------------------------------------------

void tst_fixture_dialog::relocationTableRows_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QVector<int>>("reloc");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("width");
    QTest::newRow("three channels") << "Maker" << "Wash" << "" << QVector<int>{0, 5, 0}
                                    << QStringList{"10", "16", "12"} << 115;
    QTest::newRow("four channels") << "A" << "Bar" << "Long" << QVector<int>{0, 5, 0, -3}
                                   << QStringList{"10", "16", "12", "10"} << 100;
    QTest::newRow("a table of another size") << "A" << "Bar" << "Long" << QVector<int>{0, 5, 0}
                                             << QStringList{"10", "11", "12", "13"} << 100;
}

void tst_fixture_dialog::relocationTableRows()
{
    QFETCH(QString, provider);
    QFETCH(QString, model);
    QFETCH(QString, variant);
    QFETCH(QVector<int>, reloc);
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        fixtureRig::choose(d, provider, model, variant);
        d.sbDmx->setValue(10);
        d.reloc = reloc;
        rig->r.s.rec.answerExec([&](QDialog* r) {
            auto* relocator = qobject_cast<dmxReloc_class*>(r);
            [&] {
            QCOMPARE(relocator->windowTitle(), QStringLiteral("DMX channels relocation"));
            QTEST(column(*relocator, 1), "rows");
            QTEST(relocator->twReloc->columnWidth(1), "width");
            QCOMPARE(relocator->twReloc->columnWidth(0), 250);
            QVERIFY(!relocator->twReloc->verticalHeader()->isVisibleTo(relocator));
            QCOMPARE(relocator->twReloc->horizontalHeaderItem(0)->text(), QStringLiteral("Fixture channel"));
            QCOMPARE(relocator->twReloc->horizontalHeaderItem(1)->text(), QStringLiteral("DMX channel"));
            // Only the DMX channels are edited, within the universe.
            QAbstractItemDelegate* delegate = relocator->twReloc->itemDelegate();
            const QModelIndex name = relocator->twReloc->model()->index(1, 0);
            QVERIFY(!delegate->createEditor(relocator->twReloc->viewport(), QStyleOptionViewItem(), name));
            QVERIFY(!(relocator->twReloc->item(1, 0)->flags() & Qt::ItemIsEditable));
            const QModelIndex channel = relocator->twReloc->model()->index(1, 1);
            std::unique_ptr<QWidget> editor(
                delegate->createEditor(relocator->twReloc->viewport(), QStyleOptionViewItem(), channel));
            auto* box = qobject_cast<QSpinBox*>(editor.get());
            QVERIFY(box);
            QCOMPARE(box->minimum(), 1);
            QCOMPARE(box->maximum(), 512);
            }();
            return int(QDialog::Rejected);
        });
        d.changeReloc();
    });
}

void tst_fixture_dialog::relocationEdits_data()
{
    QTest::addColumn<QStringList>("script");  // "row value", "clear", then "ok" or "cancel"
    QTest::addColumn<QVector<int>>("reloc");
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("button");
    QTest::newRow("row 3 to 40") << QStringList{"2 40", "ok"} << QVector<int>{0, 5, 28} << 10 << "Relocation table";
    // Channels 2 and 3 stay where they were.
    QTest::newRow("row 1 to 20") << QStringList{"0 20", "ok"} << QVector<int>{0, -5, -10} << 20
                                 << "Relocation table";
    QTest::newRow("clear, then OK") << QStringList{"clear", "ok"} << QVector<int>{0, 0, 0} << 10
                                    << "Relocation table (empty)";
    QTest::newRow("clear, then cancel") << QStringList{"clear", "cancel"} << QVector<int>{0, 5, 0} << 10
                                        << "Relocation table (empty)";
}

void tst_fixture_dialog::relocationEdits()
{
    QFETCH(QStringList, script);
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        d.sbDmx->setValue(10);
        d.reloc = {0, 5, 0};
        rig->r.s.rec.answerExec([&](QDialog* r) {
            auto* relocator = qobject_cast<dmxReloc_class*>(r);
            [&] {
            for (const QString& step : std::as_const(script)) {
                if (step == QLatin1String("clear")) {
                    relocator->pbClear->click();
                    QCOMPARE(column(*relocator, 1), QStringList({"10", "11", "12"}));
                } else if (step == QLatin1String("ok")) {
                    relocator->pbOk->click();
                } else if (step == QLatin1String("cancel")) {
                    relocator->pbCancel->click();
                } else {
                    setRow(*relocator, step.section(QLatin1Char(' '), 0, 0).toInt(),
                           step.section(QLatin1Char(' '), 1, 1).toInt());
                }
            }
            }();
            return relocator->result();
        });
        d.changeReloc();
        QTEST(d.reloc, "reloc");
        QTEST(d.sbDmx->value(), "first");
        QTEST(d.pbReloc->text(), "button");
    });
}

void tst_fixture_dialog::relocationDescriptionsInTheUiLanguage()
{
    rig = std::make_unique<fixtureRig>();
    const auto names = [this] {
        QStringList out;
        rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
            rig->r.s.rec.answerExec([&](QDialog* r) {
                out = column(*qobject_cast<dmxReloc_class*>(r), 0);
                return int(QDialog::Rejected);
            });
            d.changeReloc();
        });
        return out;
    };
    QCOMPARE(names(), QStringList({"( 1 ) Red", "( 2 ) ", "( 3 ) "}));

    translator = std::make_unique<QTranslator>();
    QVERIFY(translator->load(QStringLiteral(KV_CATALOGUE_DIR "/KvOrbit310_pl.qm")));
    QCoreApplication::installTranslator(translator.get());
    QCOMPARE(names().value(0), QStringLiteral("( 1 ) Czerwony"));
}

void tst_fixture_dialog::relocationFirstRowIsBounded()
{
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QStringLiteral("RGB"));
        d.sbDmx->setValue(300);
        rig->r.s.rec.answerExec([&](QDialog* r) {
            auto* relocator = qobject_cast<dmxReloc_class*>(r);
            [&] {
            // Row 1 at 510 would be stored 5 lower than shown: it cannot be entered.
            setRow(*relocator, 1, 302);
            setRow(*relocator, 0, 510);
            QCOMPARE(column(*relocator, 1).mid(0, 2), QStringList({"505", "302"}));
            relocator->pbOk->click();
            }();
            return relocator->result();
        });
        d.changeReloc();
        QCOMPARE(d.sbDmx->value(), 505);
        // Channel 2 lands on the DMX channel the table showed.
        QCOMPARE(d.sbDmx->value() + 1 + d.reloc[1], 302);
    });
}

void tst_fixture_dialog::okOnAnEmptyRelocationTable()
{
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [&](ModiFxt_class& d) {
        d.sbDmx->setValue(10);
        d.chnlCount = 0;
        d.reloc = {0, 5, 0};
        const QString button = d.pbReloc->text();
        int rows = -1;
        rig->r.s.rec.answerExec([&](QDialog* r) {
            auto* relocator = qobject_cast<dmxReloc_class*>(r);
            rows = relocator->twReloc->rowCount();
            relocator->pbOk->click();
            return relocator->result();
        });
        d.changeReloc();
        QCOMPARE(rows, 0);
        QCOMPARE(d.reloc, QVector<int>({0, 5, 0}));
        QCOMPARE(d.sbDmx->value(), 10);
        QCOMPARE(d.pbReloc->text(), button);
    });
}

// ---- Saving ----------------------------------------------------------------------------

void tst_fixture_dialog::saveWritesTheRelocNode()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    rig->editFixture(f, [](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("A"), QStringLiteral("Bar"), QStringLiteral("Long"));
        d.sbDmx->setValue(20);
        d.reloc = {0, 2, 0, -1};
        d.leLabel->setText(QStringLiteral("Front"));
        d.teComment->setPlainText(QStringLiteral("note"));
        d.sbPower->setValue(80);
        d.sbXPos->setValue(250);
        d.dial->setValue(90);
        d.okButton->click();
    });
    QCOMPARE(relocElements(f->deviceNode), QStringList({"channel:2=2", "channel:4=-1"}));
    const xml_node* device = f->deviceNode;
    QCOMPARE(*device->elementValue(QStringLiteral("library")), QStringLiteral("5"));
    QCOMPARE(*device->elementValue(QStringLiteral("dmx")), QStringLiteral("20"));
    QCOMPARE(*device->elementValue(QStringLiteral("label")), QStringLiteral("Front"));
    QCOMPARE(*device->elementValue(QStringLiteral("comment")), QStringLiteral("note"));
    QCOMPARE(*device->elementValue(QStringLiteral("power")), QStringLiteral("80"));
    const xml_node* geometry = f->deviceNode->findNode(QStringLiteral("geometry"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("x")), QStringLiteral("250"));
    QCOMPARE(*geometry->elementValue(QStringLiteral("rotate")), QStringLiteral("90"));
    QCOMPARE(f->reloc, QVector<int>({0, 2, 0, -1}));
    QCOMPARE(f->chnlCount, 4);
    QCOMPARE(f->dmxStart, 19);
    QVERIFY(f->defined);
    QVERIFY(rig->r.vp->modified);
    // D R G B at 20, 23, 22, 22: channel 3 and 4 share a DMX channel.
    QCOMPARE(f->chnlCodes, QStringLiteral("RGB-D-------"));
    QCOMPARE(funcChannels(f), QVector<int>({4, 3, 3, -1, 1, -1, -1, -1, -1, -1, -1, -1}));
    QVERIFY(f->caption.contains(QStringLiteral("Bar: Long: A ( 20 - 23 )")));
}

void tst_fixture_dialog::saveWithoutVariantUndefinesTheFixture()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    QVERIFY(rig->map().contains({1, 1}));
    rig->editFixture(f, [](ModiFxt_class& d) {
        d.cbVariant->setCurrentIndex(0);
        d.okButton->click();
    });
    QVERIFY(!f->deviceNode->elementValue(QStringLiteral("library")));
    QVERIFY(!f->itemNode);
    QVERIFY(!f->defined);
    QCOMPARE(f->chnlCount, 0);
    QCOMPARE(f->chnlCodes, QString(12, QLatin1Char('-')));
    QCOMPARE(funcChannels(f), QVector<int>(12, -1));
    for (const auto& e : rig->map())
        QVERIFY(e.second != 1);
    QCOMPARE(rig->map().size(), 6);
}

void tst_fixture_dialog::externalItemIsCopiedOnce()
{
    rig = std::make_unique<fixtureRig>();
    const auto copies = [this] {
        int n = 0;
        for (const xml_node& item : rig->projectNode("library")->nodes)
            n += *item.attrValue(QStringLiteral("nr")) == QLatin1String("2");
        return n;
    };
    QCOMPARE(copies(), 0);
    lightEffect* f = rig->fixture(1);
    for (int round = 0; round < 2; ++round) {
        rig->editFixture(f, [](ModiFxt_class& d) {
            fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QStringLiteral("RGB"));
            d.okButton->click();
        });
        QCOMPARE(copies(), 1);
    }
    // The fixture uses the project's copy.
    QCOMPARE(f->itemNode->level, rig->projectNode("library")->level + 1);
    QVERIFY(rig->projectNode("library")->findNodeByAttr(QStringLiteral("item"), QStringLiteral("nr"), QStringLiteral("2"))
            == f->itemNode);
}

void tst_fixture_dialog::onlyTheFirstChannelMoves()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(2);
    const QList<QPair<int, int>> before = rig->map();
    QCOMPARE(before.size(), 9);
    const QString codes = f->chnlCodes;
    rig->editFixture(f, [](ModiFxt_class& d) {
        d.sbDmx->setValue(40);
        d.okButton->click();
    });
    QList<QPair<int, int>> expected;
    for (const auto& e : before)
        expected.append({e.second == 2 ? e.first + 36 : e.first, e.second});
    std::sort(expected.begin(), expected.end());
    QCOMPARE(rig->map(), expected);
    QCOMPARE(f->chnlCodes, codes);
    QCOMPARE(relocElements(f->deviceNode), QStringList({"none"}));
}

void tst_fixture_dialog::codesAndMapOfTheSavedItem_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<int>("first");
    QTest::addColumn<QVector<int>>("reloc");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QVector<int>>("channels");  // per code
    QTest::addColumn<QList<int>>("mapped");      // this fixture's map channels

    // "pan" and a "brightness" without colour have no code; the colour
    // named "g" is green.
    QTest::newRow("functions and colours") << "Maker" << "Par" << "RGB" << 1 << QVector<int>(8, 0)
                                           << "RGB-D---m-W-"
                                           << QVector<int>{2, 3, 4, -1, 1, -1, -1, -1, 6, -1, 8, -1}
                                           << QList<int>{1, 2, 3, 4, 6, 8};
    QTest::newRow("a relocated dimmer") << "a" << "Bar" << "X" << 10 << QVector<int>{0, 5} << "R---D-------"
                                        << QVector<int>{1, -1, -1, -1, 7, -1, -1, -1, -1, -1, -1, -1}
                                        << QList<int>{10, 16};
}

void tst_fixture_dialog::codesAndMapOfTheSavedItem()
{
    QFETCH(QString, provider);
    QFETCH(QString, model);
    QFETCH(QString, variant);
    QFETCH(int, first);
    QFETCH(QVector<int>, reloc);
    QFETCH(QList<int>, mapped);
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(4);
    rig->editFixture(f, [&](ModiFxt_class& d) {
        fixtureRig::choose(d, provider, model, variant);
        d.sbDmx->setValue(first);
        d.reloc = reloc;
        d.okButton->click();
    });
    QTEST(f->chnlCodes, "codes");
    QTEST(funcChannels(f), "channels");
    const QList<QPair<int, int>> map = rig->map();
    QList<int> own;
    for (const auto& e : map)
        if (e.second == 4)
            own << e.first;
    QCOMPARE(own, mapped);
    QVERIFY(std::is_sorted(map.cbegin(), map.cend()));
}

void tst_fixture_dialog::geometryOfTheSavedItem_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QList<int>>("geometry");  // width, height, anchor, shape
    // "diameter" wins over width and height; "Circle" is no shape name.
    QTest::newRow("diameter and Circle") << "Par" << "basic" << QList<int>{30, 30, 0, 0};
    QTest::newRow("sizes, anchor, ellipse") << "Par" << "RGB" << QList<int>{20, 30, 3, 1};
}

void tst_fixture_dialog::geometryOfTheSavedItem()
{
    QFETCH(QString, model);
    QFETCH(QString, variant);
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    rig->editFixture(f, [&](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("Maker"), model, variant);
        d.okButton->click();
    });
    QTEST((QList<int>{f->width, f->height, f->anchor, f->shape}), "geometry");
}

void tst_fixture_dialog::shorterFixtureTableCountsAsChanged()
{
    rig = std::make_unique<fixtureRig>();
    lightEffect* f = rig->fixture(1);
    f->reloc = {0, 0};
    rig->editFixture(f, [](ModiFxt_class& d) { d.okButton->click(); });
    // Taken as a new definition: the relocation is written afresh.
    QCOMPARE(relocElements(f->deviceNode), QStringList());
    QCOMPARE(f->reloc, QVector<int>({0, 0, 0}));

    // The same table again is no change.
    lightEffect* g = rig->fixture(2);
    rig->editFixture(g, [](ModiFxt_class& d) { d.okButton->click(); });
    QCOMPARE(relocElements(g->deviceNode), QStringList({"none"}));
}

void tst_fixture_dialog::newFixtureIsChangedByItsFirstOk()
{
    rig = std::make_unique<fixtureRig>();
    kvVGraph_class* g = rig->g;
    g->pressX = 40;
    g->pressY = 40 + g->menubar->height();
    rig->r.s.rec.answerExec([](QDialog* d) {
        auto* dialog = qobject_cast<ModiFxt_class*>(d);
        fixtureRig::choose(*dialog, QStringLiteral("A"), QStringLiteral("Bar"), QStringLiteral("Long"));
        dialog->sbDmx->setValue(30);
        dialog->okButton->click();
        return dialog->result();
    });
    g->newFixture();
    lightEffect* f = rig->fixture(3);
    QVERIFY(f->defined);
    QCOMPARE(relocElements(f->deviceNode), QStringList());
    QCOMPARE(f->chnlCodes, QStringLiteral("RGB-D-------"));
    QCOMPARE(f->width, 20);
    QList<int> own;
    for (const auto& e : rig->map())
        if (e.second == 3)
            own << e.first;
    QCOMPARE(own, QList<int>({30, 31, 32, 33}));
    QVERIFY(!rig->r.s.rec.titles().contains(QStringLiteral("Incomplete fixture(s) found!")));
}

void tst_fixture_dialog::savedFixturesComeBackFromTheProjectText()
{
    rig = std::make_unique<fixtureRig>();
    rig->editFixture(rig->fixture(1), [](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("Maker"), QStringLiteral("Par"), QStringLiteral("RGB"));
        d.sbDmx->setValue(500);
        d.reloc = {0, 4, 0, 0, 0, 0, -9, 0};
        // Free texts that would break the project's XML as they are.
        d.leLabel->setText(QStringLiteral("Stage <left> & </devices>"));
        d.teComment->setPlainText(QStringLiteral("first line\n<second> & line"));
        d.okButton->click();
    });
    rig->editFixture(rig->fixture(2), [](ModiFxt_class& d) {
        fixtureRig::choose(d, QStringLiteral("a"), QStringLiteral("Bar"), QStringLiteral("X"));
        d.sbDmx->setValue(60);
        d.reloc = {0, -20};
        d.okButton->click();
    });
    rig->editFixture(rig->fixture(4), [](ModiFxt_class& d) {
        d.sbDmx->setValue(200);
        d.okButton->click();
    });

    struct shape {
        QString codes;
        QVector<int> channels;
        QVector<int> reloc;
        int start;
        bool operator==(const shape& o) const
        {
            return codes == o.codes && channels == o.channels && reloc == o.reloc && start == o.start;
        }
    };
    const auto shapes = [this] {
        QMap<int, shape> out;
        for (const lightEffect* f : std::as_const(rig->r.vp->fixtures))
            out.insert(f->number, shape{f->chnlCodes, funcChannels(f), f->reloc, f->dmxStart});
        return out;
    };
    const QList<QPair<int, int>> map = rig->map();
    const QMap<int, shape> saved = shapes();

    kv310_controller_class* c = rig->r.c;
    QString text;
    c->writeProjectXml(text);
    parsedProject parsed = parseProjectText(text);
    QVERIFY(parsed.valid);
    c->takeProjectText(parsed, false);

    QCOMPARE(rig->map(), map);
    QVERIFY(shapes() == saved);
    rig->editFixture(rig->fixture(1), [](ModiFxt_class& d) {
        QCOMPARE(d.leLabel->text(), QStringLiteral("Stage <left> & </devices>"));
        QCOMPARE(d.teComment->toPlainText(), QStringLiteral("first line\n<second> & line"));
        QCOMPARE(d.cbVariant->currentText(), QStringLiteral("RGB"));
    });
}

QTEST_MAIN(tst_fixture_dialog)
#include "tst_fixture_dialog.moc"
