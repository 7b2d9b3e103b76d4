#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLineEdit;
class QPushButton;
class kv310_controller_class;

// The open-file filter (translated) of every configuration file the reader
// takes, the files this program saves first, and all files after them:
// what "Read config from file" and "Another Configuration" both offer.
QString configReadFilter();

// Another show, read from a file so that a page can copy from it, and the
// page's "Another Configuration" controls that open and release it. The
// program holds one at a time (8 MB each): before a page makes one, the main
// window releases those of the other pages.
class otherConfiguration : public QObject {
    Q_OBJECT
public:
    // The page's controls; they stay its children.
    struct controls {
        QLineEdit* fileName;
        QPushButton* browse;
        QPushButton* open;
        QPushButton* release;
        QPushButton* copy;   // offered from a read on until a release or clear
    };
    otherConfiguration(const controls& parts, QObject* parent);
    ~otherConfiguration() override;

    // What there is to copy from; null while none is held.
    kv310_controller_class* show() const { return held.get(); }

    // Asks for the file to read, starting from the one named, and reads the
    // one chosen.
    void browse();
    // Reads the file named into the show, made first when there is none.
    // The reader tells the user how it went; whatever it left may be copied.
    void read();
    // Lets the show go.
    void release();
    // Empties the show, which stays held.
    void clear();

signals:
    // After every read, for the page to show what the file holds.
    void opened();
    // The show held was emptied.
    void cleared();

private:
    controls parts;
    std::unique_ptr<kv310_controller_class> held;
};
