// The designed look: fonts and colours shared by every window.
#pragma once

#include <QColor>
#include <QFont>

namespace rw::client::look {

// "宋体" at a pixel size; the font is mapped to an installed CJK face.
QFont songti(int pixelSize, bool bold = false);

// Maps "宋体" to the CJK fonts this machine has, before any window exists.
void installFontSubstitutes();

inline const QColor kTopBar{0x05, 0x39, 0x4B};
inline const QColor kGroupHeader{0x02, 0x57, 0x7B};
inline const QColor kEntryNormal{0xFA, 0xCA, 0xA3};
inline const QColor kEntrySelected{0xFE, 0xF4, 0xED};
inline const QColor kEntryText{0x8C, 0x0E, 0x00};
inline const QColor kDialogBackground{0xE6, 0xE6, 0xE6};

} // namespace rw::client::look
