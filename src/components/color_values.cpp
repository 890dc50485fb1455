// The table of standard colour identifiers and its case-insensitive lookup.
#include "components/color_values.h"

#include <array>

#include "platform/ascii.h"

namespace kelvo {

namespace {

struct ColorIdent {
  std::u16string_view name;
  ColorValue value;
};

constexpr std::array<ColorIdent, 52> kColorIdents = {{
    {u"clBlack", clBlack},
    {u"clMaroon", clMaroon},
    {u"clGreen", clGreen},
    {u"clOlive", clOlive},
    {u"clNavy", clNavy},
    {u"clPurple", clPurple},
    {u"clTeal", clTeal},
    {u"clGray", clGray},
    {u"clSilver", clSilver},
    {u"clRed", clRed},
    {u"clLime", clLime},
    {u"clYellow", clYellow},
    {u"clBlue", clBlue},
    {u"clFuchsia", clFuchsia},
    {u"clAqua", clAqua},
    {u"clWhite", clWhite},
    {u"clMoneyGreen", clMoneyGreen},
    {u"clSkyBlue", clSkyBlue},
    {u"clCream", clCream},
    {u"clMedGray", clMedGray},
    {u"clActiveBorder", clActiveBorder},
    {u"clActiveCaption", clActiveCaption},
    {u"clAppWorkSpace", clAppWorkSpace},
    {u"clBackground", clBackground},
    {u"clBtnFace", clBtnFace},
    {u"clBtnHighlight", clBtnHighlight},
    {u"clBtnShadow", clBtnShadow},
    {u"clBtnText", clBtnText},
    {u"clCaptionText", clCaptionText},
    {u"clDefault", clDefault},
    {u"clGradientActiveCaption", clGradientActiveCaption},
    {u"clGradientInactiveCaption", clGradientInactiveCaption},
    {u"clGrayText", clGrayText},
    {u"clHighlight", clHighlight},
    {u"clHighlightText", clHighlightText},
    {u"clHotLight", clHotLight},
    {u"clInactiveBorder", clInactiveBorder},
    {u"clInactiveCaption", clInactiveCaption},
    {u"clInactiveCaptionText", clInactiveCaptionText},
    {u"clInfoBk", clInfoBk},
    {u"clInfoText", clInfoText},
    {u"clMenu", clMenu},
    {u"clMenuBar", clMenuBar},
    {u"clMenuHighlight", clMenuHighlight},
    {u"clMenuText", clMenuText},
    {u"clNone", clNone},
    {u"clScrollBar", clScrollBar},
    {u"cl3DDkShadow", cl3DDkShadow},
    {u"cl3DLight", cl3DLight},
    {u"clWindow", clWindow},
    {u"clWindowFrame", clWindowFrame},
    {u"clWindowText", clWindowText},
}};

}  // namespace

std::optional<ColorValue> colorFromIdent(std::u16string_view name) {
  for (const auto& ident : kColorIdents) {
    if (equalsNoCase(ident.name, name)) return ident.value;
  }
  return std::nullopt;
}

}  // namespace kelvo
