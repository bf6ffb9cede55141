// The painted rooms: one small description per scene, by name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "art/canvas.h"

struct SceneRecipe {
    std::string name;
    std::function<void(Canvas&)> paint;
};

constexpr int SCENE_WIDTH = 80;
constexpr int SCENE_HEIGHT = 60;

const std::vector<SceneRecipe>& scene_recipes();
