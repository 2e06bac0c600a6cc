// The pictures of the frame, drawn rather than shipped: login background,
// buttons, logo, banner and the small navigation icons.
#pragma once

#include <QPixmap>
#include <QString>

namespace rw::client::artwork {

QPixmap loginBackground(const QSize& size);
QPixmap button(const QSize& size, const QString& caption, bool primary);
QPixmap logo(const QSize& size);
QPixmap banner(const QSize& size);
QPixmap icon(const QString& name, const QColor& colour); // 16 x 16

} // namespace rw::client::artwork
