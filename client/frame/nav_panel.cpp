#include "nav_panel.h"

#include "artwork.h"
#include "look.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace rw::client {

NavPanel::NavPanel(Kind kind, const QString& name, const QString& caption, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    const bool header = kind == Header;
    setFixedHeight(header ? 30 : 18);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, header ? look::kGroupHeader : look::kEntryNormal);
    colours.setColor(QPalette::WindowText, header ? Qt::white : look::kEntryText);
    setPalette(colours);
    setProperty("navColour", (header ? look::kGroupHeader : look::kEntryNormal).name().toUpper());
    m_border = header ? look::kTopBar : look::kEntryText;

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(header ? 10 : 18, 0, 4, 0);
    layout->setSpacing(0);
    auto* icon = new QLabel(this);
    icon->setFixedSize(16, 16);
    icon->setPixmap(artwork::icon(header ? QStringLiteral("group") : QStringLiteral("entry"),
                                  header ? QColor(Qt::white) : look::kEntryText));
    icon->setStyleSheet(QStringLiteral("border: none;"));
    m_caption = new QLabel((header ? QStringLiteral("      ") : QStringLiteral("       ")) + caption, this);
    m_caption->setFont(look::songti(12, header));
    m_caption->setStyleSheet(QStringLiteral("border: none; color: %1;")
                                 .arg(header ? QStringLiteral("white") : look::kEntryText.name()));
    layout->addWidget(icon);
    layout->addWidget(m_caption, 1);
}

QString NavPanel::caption() const
{
    return m_caption->text().trimmed();
}

void NavPanel::paintEvent(QPaintEvent*)
{
    // Flat: the colour the navigation gives it, and a one-pixel border.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(m_border);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void NavPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

} // namespace rw::client
