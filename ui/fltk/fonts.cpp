#include "ui/fltk/fonts.h"

#include <FL/Fl.H>
#include "ui/fltk/xlib_safe.h"
#include <fontconfig/fontconfig.h>

#include "ui/layout.h"
#include "ui/scale.h"

namespace tarn::fltk {
namespace {

// FLTK's Xft names: the first character is the style (' ' plain, 'B' bold).
constexpr char kSansName[] = " Noto Sans CJK SC";
constexpr char kSansBoldName[] = "BNoto Sans CJK SC";
constexpr char kMonoName[] = " Noto Sans Mono CJK SC";

bool gCjkInstalled = false;
double gScale = 1.0;

bool IsMonospaceFace(const char16_t* face) {
    const char16_t* consolas = u"Consolas";
    while (*face != 0 && *face == *consolas) {
        ++face;
        ++consolas;
    }
    return *face == *consolas;
}

}  // namespace

bool FontFamilyInstalled(const char* family) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    if (objects) FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

void RegisterFonts() {
    const bool sans = FontFamilyInstalled(kSansFamily);
    const bool mono = FontFamilyInstalled(kMonoFamily);
    gCjkInstalled = sans && mono;
    Fl::set_font(kSansFace, sans ? kSansName : Fl::get_font(FL_HELVETICA));
    Fl::set_font(kSansBoldFace, sans ? kSansBoldName : Fl::get_font(FL_HELVETICA_BOLD));
    // Without the CJK mono face the CJK sans still shows the Chinese report.
    if (mono) {
        Fl::set_font(kMonoFace, kMonoName);
    } else {
        Fl::set_font(kMonoFace, sans ? kSansName : Fl::get_font(FL_COURIER));
    }
    // FLTK's own widgets (the message boxes' buttons) draw in its default
    // face, which has no Chinese glyphs.
    if (sans) {
        Fl::set_font(FL_HELVETICA, kSansName);
        Fl::set_font(FL_HELVETICA_BOLD, kSansBoldName);
    }
}

bool CjkFontsInstalled() { return gCjkInstalled; }

Fl_Font FontFace(int32_t number) {
    const ui::FontStyle& style = ui::kFonts[number - 1];
    if (IsMonospaceFace(style.face)) return kMonoFace;
    return style.weight >= 700 ? kSansBoldFace : kSansFace;
}

void SetFontScale(double scale) { gScale = scale; }

int FontSize(int32_t number) { return ui::FontHeight(number, gScale); }

void SelectFont(int32_t number) { fl_font(FontFace(number), FontSize(number)); }

}  // namespace tarn::fltk
