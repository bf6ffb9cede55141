// PLACEHOLDER: filled by the text layer work.
#include "text/text.h"
int text_init() { return 0; }
int text_set_background(int colour) { return 0; }
FontFace* face_open_file(const char* path) { return nullptr; }
int face_set_height(FontFace* face, int height) { return -1; }
int face_height(const FontFace* face) { return face ? face->height : 0; }
int face_text_width(FontFace* face, const char* text) { return 0; }
void face_draw_text(BITMAP* bitmap, FontFace* face, const char* text, int x, int y, int colour) {}
