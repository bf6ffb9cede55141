#include "events/page_history.h"

#include <vector>

namespace {

std::vector<ReadPage> walkPages;
int back = 0;

}  // namespace

void clear_page_history()
{
    walkPages.clear();
    back = 0;
}

void note_page_turned(EventCode code, int endingsCount)
{
    walkPages.push_back({code, endingsCount});
    back = 0;
}

bool look_back()
{
    if (back >= int(walkPages.size())) return false;
    ++back;
    return true;
}

void stop_looking_back()
{
    back = 0;
}

int pages_looked_back()
{
    return back;
}

ReadPage page_looked_at()
{
    if (back <= 0 || back > int(walkPages.size())) return {0, 0};
    return walkPages[walkPages.size() - size_t(back)];
}
