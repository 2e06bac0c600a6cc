// Small widgets of the frame: clickable pictures and panels, and the
// borderless rounded window that dialogs are made of.
#pragma once

#include <QDialog>
#include <QLabel>

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
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// Sets a rounded window region on any window.
void roundCorners(QWidget* window, int ellipse = 20);

} // namespace rw::client
