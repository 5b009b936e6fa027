#include "FormFont.h"

#include <QStringList>

namespace forms {

QFont LayoutFont(const QString &family, int pixelHeight, bool bold)
{
    QStringList families;
    QFont::StyleHint hint = QFont::SansSerif;
    if (family == QStringLiteral("ＭＳ Ｐゴシック")) {
        families = {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("Noto Sans JP"), QStringLiteral("DejaVu Sans")};
    } else if (family == QStringLiteral("ＭＳ ゴシック")) {
        families = {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans Mono")};
        hint = QFont::Monospace;
    } else if (family == QStringLiteral("MS Sans Serif")) {
        // Japanese captions drawn in this face fall back to the CJK face.
        families = {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK JP")};
    } else {
        families = {family, QStringLiteral("Noto Sans CJK JP")};
    }
    QFont f;
    f.setFamilies(families);
    f.setStyleHint(hint);
    if (pixelHeight > 0)
        f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

} // namespace forms
