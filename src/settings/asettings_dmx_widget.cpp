#include "settings/asettings_dmx_widget.h"

#include "seams/gui_base.h"
#include "settings/asettings_dmx_set_widget.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "widgets/page_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>

namespace {

constexpr int MIN_OUTPUT_CHANNELS = 24;

void setCellText(QStandardItemModel* model, int row, int column, const QString& text)
{
    if (QStandardItem* item = model->item(row, column))
        item->setText(text);
    else
        model->setItem(row, column, new QStandardItem(text));
}

}  // namespace

asettings_dmx_widget::asettings_dmx_widget(QWidget* parent) : QWidget(parent)
{
    setGeometry(0, 0, 840, 650);
    setFont(pageStyle::listFont());

    settingsPanel = new asettings_dmx_set_widget(parent);
    settingsPanel->move(350, 100);
    connect(settingsPanel, &asettings_dmx_set_widget::changed, this, &asettings_dmx_widget::refreshRow);

    channelModel = new QStandardItemModel(img::CHANNELS, 2, this);
    channelModel->setHorizontalHeaderLabels({tr("DMX Channel", "column title"), tr("Channel Settings", "column title")});

    channelView = new QTableView(this);
    channelView->setGeometry(10, 20, 300, 570);
    channelView->setModel(channelModel);
    channelView->setColumnWidth(0, 115);
    channelView->setColumnWidth(1, 140);
    // The summary column takes what the view has left, so that the longest
    // summary of a triggered channel shows whole.
    channelView->horizontalHeader()->setStretchLastSection(true);
    channelView->verticalHeader()->setDefaultSectionSize(22);
    channelView->setSelectionMode(QAbstractItemView::SingleSelection);
    channelView->setSelectionBehavior(QAbstractItemView::SelectRows);
    channelView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    channelView->verticalHeader()->hide();
    channelView->selectRow(0);
    connect(channelView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &asettings_dmx_widget::dmxChannelChange);

    channelCaption = new QLabel(tr("DMX Channel: %1").arg(1), this);
    channelCaption->setGeometry(500, 40, 150, 20);

    currentChannel = 0;
    settingsPanel->setChannel(0);
    connect(settingsPanel->spinChnlMax, &QSpinBox::valueChanged, this, &asettings_dmx_widget::limitChnls);
    refresh();
}

QString asettings_dmx_widget::channelSummary(unsigned channel)
{
    if (channel >= unsigned(img::CHANNELS) || !theController)
        return QStringLiteral("???");
    const outputChannel r = outputChannel::read(theController->configImage + img::outputChannelsOf(int(channel)));
    QString text = QStringLiteral("(%1,%2) ").arg(r.min).arg(r.max);
    if (r.hystDown == 255)
        text += r.hystUp != 0 ? QStringLiteral("[--,--] L") : QStringLiteral("[--,--] N");
    else
        text += QStringLiteral("[%1,%2] H").arg(r.hystDown).arg(r.hystUp);
    return text;
}

void asettings_dmx_widget::refresh()
{
    ++refreshCount;
    channelCaption->setText(tr("DMX Channel: %1").arg(currentChannel + 1));
    settingsPanel->loadChannel();
    const int rows = qMin(channelModel->rowCount(), int(img::CHANNELS));
    for (int r = 0; r < rows; ++r) {
        setCellText(channelModel, r, 0, tr("DMX Ch. %1").arg(r + 1));
        setCellText(channelModel, r, 1, channelSummary(unsigned(r)));
    }
}

void asettings_dmx_widget::refreshRow()
{
    if (currentChannel < channelModel->rowCount())
        setCellText(channelModel, currentChannel, 1, channelSummary(unsigned(currentChannel)));
}

void asettings_dmx_widget::dmxChannelChange(const QModelIndex& current, const QModelIndex&)
{
    if (!current.isValid())
        return;
    currentChannel = current.row();
    channelCaption->setText(tr("DMX Channel: %1").arg(currentChannel + 1));
    settingsPanel->setChannel(unsigned(currentChannel));
}

void asettings_dmx_widget::limitChnls(int n)
{
    n = qBound(MIN_OUTPUT_CHANNELS, n, int(img::CHANNELS));
    const int rows = channelModel->rowCount();
    if (rows < n)
        channelModel->insertRows(rows, n - rows);
    else if (rows > n)
        channelModel->removeRows(n, rows - n);
    if (theController)
        img::putU16(theController->configImage, img::outputChannelCount, uint16_t(n));
    if (theMainWindow)
        theMainWindow->limitChannelRangeBoxes(n);
    refresh();
}
