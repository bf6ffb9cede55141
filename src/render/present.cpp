#include "render/present.h"

#include <allegro.h>

#include "core/frame_stats.h"
#include "core/game_state.h"
#include "platform/clock.h"
#include "render/blend.h"
#include "render/scaling.h"
#include "text/text.h"

void (*frameOverlay)(RenderContext& context) = nullptr;

void show_frame(RenderContext& context)
{
    if (!context.backBuffer) return;
    if (frameOverlay) frameOverlay(context);
    frame_stats_showing(monotonic_now_ns());
    if (context.pageIndex < 0 || context.pageIndex >= VIDEO_PAGE_COUNT) context.pageIndex = 0;
    if (displayLayout.factor != 1 || displayLayout.x != 0 || displayLayout.y != 0) {
        // A larger window or a whole screen: the frame is enlarged straight onto it.
        if (screen) enlarge_frame(context.backBuffer, screen, displayLayout.factor, displayLayout.x, displayLayout.y);
        context.pageIndex = (context.pageIndex + 1) % VIDEO_PAGE_COUNT;
        return;
    }
    BITMAP* page = context.pages[context.pageIndex];
    if (page) {
        blit(context.backBuffer, page, 0, 0, 0, 0, 640, 480);
        show_video_bitmap(page);
    } else if (screen) {
        // The display gave no video pages (X11): the finished frame goes straight on.
        blit(context.backBuffer, screen, 0, 0, 0, 0, 640, 480);
    }
    context.pageIndex = (context.pageIndex + 1) % VIDEO_PAGE_COUNT;
}

void draw_fade_overlay(BITMAP* target, int width, int height)
{
    if (!target || game.fadeState == Idle) return;
    blend_rect(target, 0, 0, width, height, makecol(0, 0, 0), game.fadeLevel);
}

void draw_diagnostic_line(RenderContext& context)
{
    if (!game.switchCallbackFailed) return;
    face_draw_text(context.backBuffer, context.dialogueFont, game.debugMessage.c_str(), 5, 5,
                   makecol(255, 128, 128));
}
