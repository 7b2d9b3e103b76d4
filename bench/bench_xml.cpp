// Reads and writes a project-like document of about 30000 elements and
// prints the times: tree building, writing to a string and to a file,
// reading from both, a deep copy, and the same document on a single line.

#include "xml/xml_node.h"
#include "xml/xml_writer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

void addSection(xml_node* parent, const QString& section, const QString& entry, int count, bool withMode)
{
    xml_node* s = parent->addNode(section);
    for (int i = 0; i < count; ++i) {
        xml_element* e = s->elements.append(std::make_unique<xml_element>(
            entry, escapeText(QStringLiteral("%1 %2 <front> & back").arg(entry).arg(i + 1)), s->level + 1));
        e->setAttr(QStringLiteral("nr"), QString::number(withMode ? i / 2 + 1 : i + 1));
        if (withMode)
            e->setAttr(QStringLiteral("mode"), i % 2 ? QStringLiteral("off") : QStringLiteral("on"));
    }
}

xml_node buildProject(int* elementCount)
{
    xml_node root(-1);
    root.name = QStringLiteral("@root");
    xml_node* project = root.addNode(QStringLiteral("project"));
    project->setElement(QStringLiteral("contents"), QStringLiteral("Light visualisation project description"));
    project->setElement(QStringLiteral("target"), QStringLiteral("Kv310+"));
    xml_node* desc = project->addNode(QStringLiteral("descriptions"));
    addSection(desc, QStringLiteral("scenes"), QStringLiteral("scene"), 10240, false);
    addSection(desc, QStringLiteral("masks"), QStringLiteral("mask"), 256, false);
    addSection(desc, QStringLiteral("programs"), QStringLiteral("program"), 512, false);
    xml_node* events = desc->addNode(QStringLiteral("events"));
    addSection(events, QStringLiteral("dmxin"), QStringLiteral("chnl"), 1024, true);
    addSection(events, QStringLiteral("virtual"), QStringLiteral("event"), 1024, false);
    addSection(events, QStringLiteral("timers"), QStringLiteral("timer"), 1024, false);
    addSection(events, QStringLiteral("dmxout"), QStringLiteral("chnl"), 1024, true);
    xml_node* devices = project->addNode(QStringLiteral("devices"));
    for (int i = 0; i < 1900; ++i) {
        xml_node* d = devices->addNode(QStringLiteral("device"));
        d->setAttr(QStringLiteral("nr"), QString::number(i + 1));
        d->setElement(QStringLiteral("library"), QString::number(i % 40 + 1));
        d->setElement(QStringLiteral("dmx"), QString::number(i % 512 + 1));
        d->setElement(QStringLiteral("label"), QStringLiteral("Fixture %1").arg(i + 1));
        d->setElement(QStringLiteral("comment"), QStringLiteral("first line\r\nsecond line"));
        d->setElement(QStringLiteral("power"), QStringLiteral("100"));
        xml_node* g = d->addNode(QStringLiteral("geometry"));
        g->setElement(QStringLiteral("x"), QString::number(i * 3 % 1000));
        g->setElement(QStringLiteral("y"), QString::number(i * 7 % 1000));
        g->setElement(QStringLiteral("rotate"), QString::number(i % 360));
    }
    int n = 0;
    std::function<void(const xml_node&)> count = [&](const xml_node& node) {
        n += node.elements.size();
        for (const xml_node& c : node.nodes)
            count(c);
    };
    count(root);
    *elementCount = n;
    return root;
}

int readAll(QTextStream& in)
{
    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QString line;
    int entries = 0;
    while (root.read(in, line))
        ++entries;
    return root.isValid() ? entries : -1;
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main()
{
    QElapsedTimer t;
    t.start();
    int elements = 0;
    const xml_node project = buildProject(&elements);
    std::printf("build tree (%d elements):      %8.2f ms\n", elements, ms(t));

    QString text;
    t.restart();
    {
        QTextStream out(&text);
        out << project;
    }
    std::printf("write to string (%lld chars): %8.2f ms\n", static_cast<long long>(text.size()), ms(t));

    t.restart();
    {
        QTextStream in(&text, QIODevice::ReadOnly);
        if (readAll(in) != 1)
            std::printf("unexpected tree\n");
    }
    std::printf("read from string:              %8.2f ms\n", ms(t));

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("project.xml"));
    t.restart();
    {
        QFile f(fileName);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QTextStream out(&f);
        out << project;
    }
    std::printf("write to file:                 %8.2f ms\n", ms(t));

    t.restart();
    {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        QTextStream in(&f);
        if (readAll(in) != 1)
            std::printf("unexpected tree\n");
    }
    std::printf("read from file:                %8.2f ms\n", ms(t));

    t.restart();
    const xml_node copy(project, -1);
    std::printf("deep copy:                     %8.2f ms\n", ms(t));

    // Without line breaks every entry is cut from the front of one long line.
    QString oneLine = text;
    oneLine.remove(QLatin1Char('\n'));
    oneLine.remove(QLatin1Char('\r'));
    t.restart();
    {
        QTextStream in(&oneLine, QIODevice::ReadOnly);
        if (readAll(in) != 1)
            std::printf("unexpected tree\n");
    }
    std::printf("read single line (%lld chars): %8.2f ms\n", static_cast<long long>(oneLine.size()), ms(t));
    return copy.nodes.isEmpty() ? 1 : 0;
}
