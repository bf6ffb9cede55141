#include "render/ending_shadow.h"

EndingShadow ending_shadow(int room, const bool* e)
{
    switch (room) {
    case 3: {
        const bool late = e[6] && e[7];
        const bool early = e[1] && e[2] && e[3] && e[4] && e[5];
        if (late && !early) return EndingShadow::FarRight;
        if (early && !late) return EndingShadow::TopBand;
        break;
    }
    case 8:
        if (e[7] && !e[6]) return EndingShadow::WideRight;
        if (e[6] && !e[7]) return EndingShadow::TopBand;
        break;
    case 13: {
        const bool first = e[1] && e[2] && e[3];
        const bool second = e[4] && e[5];
        if (first && !second) return EndingShadow::RightStrip;
        if (second && !first) return EndingShadow::BottomBand;
        break;
    }
    case 16:
        if (e[4] && !e[5]) return EndingShadow::TopBand;
        if (e[5] && !e[4]) return EndingShadow::RightStrip;
        break;
    case 25:
        if (e[1] && e[2] && !e[3]) return EndingShadow::TopBand;
        if (e[3] && !(e[1] && e[2])) return EndingShadow::RightStrip;
        break;
    case 26:
        if (e[1] && !e[2]) return EndingShadow::TopBand;
        if (e[2] && !e[1]) return EndingShadow::RightStrip;
        break;
    case 61: return EndingShadow::Home;
    default: break;
    }
    return EndingShadow::None;
}
