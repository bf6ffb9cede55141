// Start-up loading of the drawing resources and the per-room scene image.
#pragma once

#include "render/render_context.h"

// Fills the context. Returns false (after reporting the file or bitmap in a
// message box and asking the loop to stop) when something could not be loaded.
bool load_assets(RenderContext& context);
void load_room_images(const char* sceneImage, const char* midLayer, const char* backLayer);
void load_scene_image(const char* name);

// Creates the video pages of the context (after the display is opened or re-opened)
// and destroys them (before it is re-opened).
void create_video_pages(RenderContext& context);
void destroy_video_pages(RenderContext& context);

// A data file or bitmap that cannot be had: a message box naming it, then an
// orderly stop at the top of the next frame, with the profile written as usual.
// The message reads "Cannot load " followed by `what` ("Cannot create " when `what`
// starts with "bitmap "); each name is reported once.
void report_missing(const char* what);
// Whether a data file or bitmap the game cannot run without failed this run:
// the game then ends with status 1.
bool data_failed();
// Lets every name be reported again (a fresh start, for tests).
void forget_missing_reports();
