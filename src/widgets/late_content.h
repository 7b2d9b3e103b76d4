#pragma once

class QWidget;

// Qt shows a widget's children along with it only when they were made
// before it was shown; one made on a page already on the screen stays
// hidden until it is shown itself. A page that makes its content when it is
// first shown or needed calls this once it has: every widget it made and
// did not hide on purpose appears, as on a page made before it was shown.
// Windows made on the page are left alone.
void showLateContent(QWidget* page);
