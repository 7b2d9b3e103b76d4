#pragma once

#include "ui_fixture_dialog.h"

#include <QDialog>
#include <QString>
#include <QVector>

class lightEffect;
class xml_node;

// The fixture properties dialog: label and comment, place and rotation on
// the field, the fixture model chosen from the library (provider, model,
// variant), a power reduction, the first DMX channel and the relocation of
// the fixture's channels. It edits working copies; "OK" (modiSave) makes
// them the fixture's definition in its "device" node, in the fixture item
// and in the visual project's channel map. It edits the pointed fixture of
// the visualisation window.
class ModiFxt_class : public QDialog, public Ui::dlgFixture {
    Q_OBJECT
public:
    explicit ModiFxt_class(QWidget* parent);
    ~ModiFxt_class() override;

    lightEffect* fixture = nullptr;  // not owned
    // The channel count of the chosen model, and the relocation offset of
    // every fixture channel (index = channel - 1): what the relocation
    // dialog shows and changes, and what "OK" stores.
    int chnlCount = 0;
    QVector<int> reloc;

public slots:
    void modiSave();
    void rotateValue(int value);
    void providerChanged(const QString& provider);
    void modelChanged(int index);
    // Whether the choice names a library item of several channels, which
    // enables the relocation table; n is not used.
    void relocPossibility(int n);
    void relocPossibility();
    void changeReloc();
    // The first channel changed: relocated channels are kept within the
    // universe, and the user is shown the relocation when one had to move.
    void fstChnl(int first);

private:
    // The item of the active library the chosen variant names; null when none.
    const xml_node* chosenItem() const;
    void labelRelocButton(int entries);
};
