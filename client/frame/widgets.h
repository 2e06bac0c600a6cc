// Small widgets of the frame: clickable pictures and panels, and the
// borderless rounded window that dialogs are made of.
#pragma once

#include <QDialog>
#include <QLabel>

class QHBoxLayout;
class QToolButton;

namespace rw::client {

// A picture or caption that acts on a click (hand cursor).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Borderless, with corners rounded by 20 x 20 ellipses; pressing the mouse
// anywhere on it (outside its controls) moves it.
class RoundedDialog : public QDialog {
    Q_OBJECT
public:
    explicit RoundedDialog(QWidget* parent = nullptr, bool mainWindow = false);

protected:
    // The look the dialogs share: light grey, "宋体" at 12 pixels.
    void useDialogLook();
    // A row for the text buttons at the bottom right, and one button in it.
    QHBoxLayout* buttonRow();
    QToolButton* addButton(QHBoxLayout* row, const char* name, const QString& caption);

    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Sets a rounded window region on any window.
void roundCorners(QWidget* window, int ellipse = 20);

} // namespace rw::client
