// Fonts named by the window layouts, mapped onto fonts installed here.
#pragma once

#include <QFont>
#include <QString>

namespace forms {

// The layouts name "ＭＳ Ｐゴシック", "ＭＳ ゴシック" (Japanese proportional and
// fixed-pitch Gothic) and "MS Sans Serif".  The Gothic faces map to IPAPGothic
// and IPAGothic, which are drawn to the same metrics as the faces the layouts
// were placed for, and fall back to Noto Sans CJK JP (its mono variant for the
// fixed-pitch face) where the IPA fonts are not installed; the sans serif face
// maps to the system sans.  Any other name is used as given.  pixelHeight is
// the character height in pixels (a layout's negative font height).
QFont LayoutFont(const QString &family, int pixelHeight, bool bold = false);

} // namespace forms
