// The window's eight fonts (ui/layout.h) as FLTK faces and pixel sizes.
// "Microsoft YaHei UI" becomes Noto Sans CJK SC (bold for weight 700) and
// "Consolas" Noto Sans Mono CJK SC, which cover the Chinese texts; when
// fontconfig does not know them FLTK's own sans and mono faces stand in.
#pragma once

#include <FL/Enumerations.H>

#include <cstdint>

namespace tarn::fltk {

inline constexpr char kSansFamily[] = "Noto Sans CJK SC";
inline constexpr char kMonoFamily[] = "Noto Sans Mono CJK SC";

// The three faces, registered in FLTK's free font slots.
inline constexpr Fl_Font kSansFace = FL_FREE_FONT;
inline constexpr Fl_Font kSansBoldFace = FL_FREE_FONT + 1;
inline constexpr Fl_Font kMonoFace = FL_FREE_FONT + 2;

// Registers the faces; call once before the first drawing.
void RegisterFonts();

// True when fontconfig knows both CJK families (they are then the faces).
bool CjkFontsInstalled();
bool FontFamilyInstalled(const char* family);

// The scale the window is drawn at; font sizes follow it (1 until set).
void SetFontScale(double scale);

// Font `number` 1..8 of the layout table.
Fl_Font FontFace(int32_t number);
int FontSize(int32_t number);  // character height in pixels at the scale
void SelectFont(int32_t number);

}  // namespace tarn::fltk
