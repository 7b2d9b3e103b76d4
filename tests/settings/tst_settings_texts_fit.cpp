#include "settings/asettings_dmx_in_widget.h"
#include "settings/asettings_dmx_set_widget.h"
#include "settings/asettings_dmx_widget.h"
#include "model/config_image.h"

#include "support/page_fixture.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <memory>

// The texts of the DMX settings pages fit their widgets, in English and in
// Polish, on a tab page with the main window's bold tab font.
class tst_settings_texts_fit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsFit_data();
    void textsFit();

private:
    static QStringList clipped(const QWidget& root);
};

QStringList tst_settings_texts_fit::clipped(const QWidget& root)
{
    QStringList out;
    const auto check = [&](const QWidget* w, const QString& text, int needed) {
        if (!w->isHidden() && needed > w->width())
            out << QStringLiteral("%1 \"%2\": %3 > %4").arg(w->objectName(), text).arg(needed).arg(w->width());
    };
    for (const QLabel* l : root.findChildren<QLabel*>())
        check(l, l->text(), l->sizeHint().width());
    for (const QCheckBox* b : root.findChildren<QCheckBox*>())
        if (!b->text().isEmpty())
            check(b, b->text(), b->sizeHint().width());
    for (const QRadioButton* b : root.findChildren<QRadioButton*>())
        check(b, b->text(), b->sizeHint().width());
    for (const QPushButton* b : root.findChildren<QPushButton*>())
        check(b, b->text(), b->fontMetrics().horizontalAdvance(b->text()) + 8);
    for (QGroupBox* g : root.findChildren<QGroupBox*>()) {
        // Where the style draws the title (after the check box of a checkable group).
        QStyleOptionGroupBox option;
        option.initFrom(g);
        option.text = g->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (g->isCheckable())
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
        check(g, g->title(), label.x() + g->fontMetrics().horizontalAdvance(g->title()) + 1);
    }
    for (const QAbstractSpinBox* s : root.findChildren<QAbstractSpinBox*>())
        if (!s->specialValueText().trimmed().isEmpty())
            check(s, s->specialValueText(), s->sizeHint().width());
    return out;
}

void tst_settings_texts_fit::textsFit_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << QString();
    QTest::newRow("Polish") << QStringLiteral(KV_PL_CATALOGUE);
}

void tst_settings_texts_fit::textsFit()
{
    QFETCH(QString, catalogue);
    QTranslator translator;
    if (!catalogue.isEmpty()) {
        QVERIFY2(translator.load(catalogue), qPrintable(catalogue));
        QApplication::installTranslator(&translator);
    }
    {
        pageFixture world;
        QWidget outputTab;
        QWidget inputTab;
        for (QWidget* tab : {&outputTab, &inputTab}) {
            tab->setFont(QFont(QStringLiteral("MS Shell Dlg"), 10, QFont::Bold));
            tab->resize(845, 650);
        }
        // The widest summary there is: a triggered channel at the top of its range.
        const uint8_t widest[4] = {254, 255, 253, 254};
        std::copy(widest, widest + 4, world.controller().configImage + img::outputChannelsOf(511));
        asettings_dmx_widget output(&outputTab);
        asettings_dmx_in_widget input(&inputTab);
        outputTab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&outputTab));
        QStringList cells;
        for (int column = 0; column < 2; ++column) {
            const QString text = output.channelModel->item(511, column)->text();
            const int needed = output.channelView->fontMetrics().horizontalAdvance(text) + 8;
            if (needed > output.channelView->columnWidth(column))
                cells << QStringLiteral("column %1 \"%2\": %3 > %4")
                             .arg(column)
                             .arg(text)
                             .arg(needed)
                             .arg(output.channelView->columnWidth(column));
        }
        QVERIFY2(cells.isEmpty(), qPrintable(cells.join(QLatin1Char('\n'))));
        if (!catalogue.isEmpty())
            QVERIFY(output.settingsPanel->limitLabel->text() != QLatin1String("Output Channels Limit "));
        const QStringList bad = clipped(outputTab) + clipped(inputTab);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QLatin1Char('\n'))));
    }
    QApplication::removeTranslator(&translator);
}

QTEST_MAIN(tst_settings_texts_fit)
#include "tst_settings_texts_fit.moc"
