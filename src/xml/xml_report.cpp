#include "xml/xml_report.h"

#include "seams/dialog_seam.h"
#include "seams/regular_file.h"
#include "xml/xml_node.h"
#include "xml/xml_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

bool reportXmlErrors(const xml_node& root, const QString& fileName, QWidget* parent)
{
    if (root.isValid())
        return true;

    // The report replaces an earlier one, but never a device, a pipe or a
    // folder of that name, nor one that a link of that name leads to.
    QFile report(QStringLiteral("xml_report.log"));
    if (!writesRegularFile(report.fileName())) {
        showNotRegularFile(parent, QFileInfo(report).absoluteFilePath());
    } else if (createRegularFile(report)) {
        QTextStream out(&report);
        out << xml_node(root, -1);
        out.flush();
        report.close();
    }

    showMessage(QMessageBox::Warning, parent, QCoreApplication::translate("xml_report", "Errors occured!"),
                QCoreApplication::translate("xml_report",
                                            "Errors parsing file\n\"%1\" occured!\nRefer to \"xml_report.log\".")
                    .arg(fileName));
    return false;
}

void reportTooMany(const QString& fileName, const QString& limit, QWidget* parent)
{
    showMessage(QMessageBox::Warning, parent, QCoreApplication::translate("xml_report", "Invalid file!"),
                QCoreApplication::translate("xml_report", "File too big!\n%1\nThe limit is %2.")
                    .arg(fileName, limit));
}

QString entriesLimit()
{
    return QCoreApplication::translate("xml_report", "%1 entries (tags and attributes)").arg(xmlEntryLimit());
}
