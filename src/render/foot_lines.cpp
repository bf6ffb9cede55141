#include "render/foot_lines.h"

#include <allegro.h>

#include "render/blend.h"
#include "text/text.h"

namespace {

std::string notice;
int noticeFrames = 0;

void draw_banded_text(RenderContext& context, const std::string& text, int bandTop)
{
    FontFace* font = context.dialogueFont;
    BITMAP* back = context.backBuffer;
    if (!font || !back || text.empty()) return;
    const int width = face_text_width(font, text.c_str());
    const int x = 320 - width / 2;
    blend_rect(back, x - FOOT_PADDING, bandTop, x + width + FOOT_PADDING - 1, bandTop + FOOT_BAND_HEIGHT - 1,
               makecol(0, 0, 0), FOOT_BAND_OPACITY);
    const int y = bandTop + (FOOT_BAND_HEIGHT - face_height(font)) / 2;
    face_draw_text(back, font, text.c_str(), x, y, makecol(FOOT_TEXT_GREY, FOOT_TEXT_GREY, FOOT_TEXT_GREY));
}

}  // namespace

void show_notice(const std::string& text)
{
    notice = text;
    noticeFrames = NOTICE_FRAMES;
}

const std::string& current_notice()
{
    static const std::string none;
    return noticeFrames > 0 ? notice : none;
}

void notice_tick()
{
    if (noticeFrames > 0) --noticeFrames;
}

void reset_notice()
{
    notice.clear();
    noticeFrames = 0;
}

void draw_foot_lines(RenderContext& context, const std::vector<std::string>& lines)
{
    int bandTop = 480 - FOOT_MARGIN - FOOT_BAND_HEIGHT;
    for (const std::string& text : lines) {
        if (text.empty()) continue;
        draw_banded_text(context, text, bandTop);
        bandTop -= FOOT_BAND_HEIGHT;
    }
}

void draw_paused(RenderContext& context)
{
    BITMAP* back = context.backBuffer;
    if (!back) return;
    blend_rect(back, 0, 0, 639, 479, makecol(0, 0, 0), PAUSE_DIM_OPACITY);
    // The word on a band of its own, in the middle of the screen.
    draw_banded_text(context, "Paused", 240 - FOOT_BAND_HEIGHT / 2);
}
