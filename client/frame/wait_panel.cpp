#include "wait_panel.h"

#include "look.h"

#include <QEvent>

namespace rw::client {

WaitPanel::WaitPanel(QWidget* parent) : QLabel(QStringLiteral("请稍等。。。"), parent)
{
    setObjectName(QStringLiteral("ls_p"));
    setFixedSize(233, 49);
    setAlignment(Qt::AlignCenter);
    setFont(look::songti(14));
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("QLabel#ls_p { background: #D9D9D9; border: 1px solid #A0A0A0; color: black; }"));
    hide();
    parent->installEventFilter(this);
    centre();
}

bool WaitPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        centre();
    return QLabel::eventFilter(watched, event);
}

void WaitPanel::centre()
{
    const QWidget* host = parentWidget();
    move((host->width() - width()) / 2, (host->height() - height()) / 2);
}

} // namespace rw::client
