#include "look.h"

#include <QFontDatabase>

namespace rw::client::look {

namespace {
const QString kSongti = QStringLiteral("宋体");
}

QFont songti(int pixelSize, bool bold)
{
    QFont font(kSongti);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void installFontSubstitutes()
{
    const QStringList candidates = {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"),
                                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC"),
                                    QStringLiteral("AR PL UMing CN"), QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(kSongti, candidates);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), candidates);
}

} // namespace rw::client::look
