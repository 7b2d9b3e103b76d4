#pragma once

#include <QCoreApplication>
#include <QString>

class kv310_controller_class;

// Another show, read from a file so that a page can copy records from it.
// The program holds one at a time (8 MB each): a page that reads one first
// has the main window drop what the other pages hold.
class otherConfiguration {
    Q_DECLARE_TR_FUNCTIONS(otherConfiguration)
public:
    // Asks for the file to read, starting from `current`; `filter` names the
    // configuration files offered (translated), all files come after it.
    // Empty when the user chooses none.
    static QString chooseFile(const QString& current, const QString& filter);
    // Reads `fileName` into `show`, made first when there is none. The reader
    // tells the user how it went; whatever it left may be copied.
    static void read(kv310_controller_class*& show, const QString& fileName);
};
