#include "widgets.h"

#include "look.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolButton>
#include <QPainterPath>
#include <QWindow>

namespace rw::client {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void roundCorners(QWidget* window, int ellipse)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(window->rect()), ellipse / 2.0, ellipse / 2.0);
    window->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

RoundedDialog::RoundedDialog(QWidget* parent, bool mainWindow) : QDialog(parent)
{
    setWindowFlags((mainWindow ? Qt::Window : Qt::Dialog) | Qt::FramelessWindowHint);
}

void RoundedDialog::useDialogLook()
{
    setModal(true);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, look::kDialogBackground);
    setPalette(colours);
    setFont(look::songti(12));
}

QHBoxLayout* RoundedDialog::buttonRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    return row;
}

QToolButton* RoundedDialog::addButton(QHBoxLayout* row, const char* name, const QString& caption)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(72, 26);
    row->addWidget(button);
    return button;
}

void RoundedDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    roundCorners(this);
}

void RoundedDialog::mousePressEvent(QMouseEvent* event)
{
    // The window system moves the window, as a caption drag would.
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}

} // namespace rw::client
