#pragma once

#include <QMainWindow>

// The visualisation window: the plan of the visual project in design or in
// show kind. At most one exists; the visual project keeps it in graphWindow.
class kvVGraph_class : public QMainWindow {
    Q_OBJECT
public:
    kvVGraph_class(bool designMode, QWidget* parent);
    ~kvVGraph_class() override;

    // Takes the field of the visual project.
    void setupView();
    void setZoom(double z);
    void relayoutFixtures();

    double zoom = 1.0;
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
