#pragma once

#include "fixtures/fixture_view.h"

#include <QMainWindow>

// The visualisation window: the plan of the visual project in design or in
// show kind. At most one exists; the visual project keeps it in graphWindow.
// It is the view its fixture items are shown on.
class kvVGraph_class : public QMainWindow, public fixtureView {
    Q_OBJECT
public:
    kvVGraph_class(bool designMode, QWidget* parent);
    ~kvVGraph_class() override;

    // Takes the field of the visual project.
    void setupView();
    void setZoom(double z);
    void relayoutFixtures();

    // The view of the fixture items.
    double viewZoom() const override { return zoom; }
    double viewScale() const override { return scale; }
    QPoint fieldToView(int x, int y) const override;
    const uint8_t* shownValues() const override;
    void showStatusText(const QString& text, int ms) override;

    double zoom = 1.0;
    double scale = 1.0;  // field units per pixel of the background image
    bool designMode;
    int lightMode = -1;
    int fieldWidth;
    int fieldHeight;

public slots:
    // Closes the window with its light-control dialogs and leaves the live
    // show; the window deletes itself. Hides QWidget::close on purpose: every
    // way of closing the window ends here.
    virtual bool close();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void releaseItems();
};
