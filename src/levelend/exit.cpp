// Capture by the exit, the pull into it, and the veil's alpha.
#include "levelend/exit.h"

#include <algorithm>
#include <cmath>

#include "app/audio.h"

namespace {
constexpr double capture_radius = 100;  // 3⅓ cells, in thirtieths
constexpr double arrival = 1;           // 1/30 cell
constexpr double pull_share = 20;       // a twentieth of the remaining way per frame
constexpr int veil_closed = 245;
constexpr double music_full = 400;  // 13⅓ cells, in thirtieths
constexpr int session_won_code = 1;

double target_x(const Player& p, const World& w) { return w.exit_x + 5 - p.w / 2; }
double target_y(const Player& p, const World& w) { return w.exit_y + 5 - p.h / 2; }
}  // namespace

double exit_proximity(const Player& p, const World& w) {
    double dx = std::fabs(p.x - target_x(p, w)), dy = std::fabs(p.y - target_y(p, w));
    return std::sqrt(dx * dx + dy * dy) * 30;
}

void transition_update(LevelTransition& t, int& session_result, Player& p, const World& w,
                       Mix_Chunk* end_sound) {
    t.proximity = t.music_proximity = exit_proximity(p, w);
    if (t.proximity < capture_radius || t.captured) {
        p.x -= (p.x - target_x(p, w)) / pull_share;
        p.y -= (p.y - target_y(p, w)) / pull_share;
        t.captured = true;
        play_music("");  // the level's music fades out
    }
    if (session_result == 0) {
        transition_open(t);
    } else {
        t.intro_alpha += (255 - t.intro_alpha) / 7;
    }
    if (t.proximity < arrival && session_result != session_won_code) {
        play_sound(end_sound, false);
        session_result = session_won_code;
    }
    if (t.proximity > 255) t.proximity = 255;
    if (t.proximity < 0) t.proximity = 0;
}

void transition_open(LevelTransition& t) { t.intro_alpha -= t.intro_alpha / 10; }

bool transition_running(const LevelTransition& t) { return t.intro_alpha < veil_closed; }

void transition_music(LevelTransition& t) {
    t.music_proximity = std::clamp(t.music_proximity, 0.0, music_full);
    set_music_level(t.music_proximity / music_full);
}
