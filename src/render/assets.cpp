// PLACEHOLDER: filled by the asset loading work.
#include "render/assets.h"
RenderContext renderContext;
bool load_assets(RenderContext& context) { return true; }
void load_room_images(const char* sceneImage, const char* midLayer, const char* backLayer) {}
void load_scene_image(const char* name) {}
void create_video_pages(RenderContext& context) {}
void destroy_video_pages(RenderContext& context) {}
void report_missing(const char* what) {}
