// Drawing the Creations screen: rounded panels in the interface's colours over the menu's
// dimmed background, each level's map beside its words, the highlighted level large with its
// action buttons, and the dialogs and the new-level form over it all.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "app/assets.h"
#include "app/audio.h"
#include "app/clock.h"
#include "app/draw.h"
#include "menus/creations.h"
#include "menus/widgets.h"

namespace {
// The palette of the interface.
constexpr SDL_Color panel_colour{31, 42, 68, 255}, panel_edge{72, 92, 138, 255};
constexpr SDL_Color row_colour{44, 58, 92, 255}, row_hover{56, 72, 112, 255};
constexpr SDL_Color text_colour{214, 238, 243, 255}, dim_text{150, 170, 190, 255};
constexpr SDL_Color gold{255, 210, 63, 255}, outline{43, 45, 66, 255};
constexpr SDL_Color ready_colour{108, 194, 74, 255}, problem_colour{228, 87, 46, 255};
constexpr SDL_Color restore_colour{58, 134, 255, 255}, box_colour{18, 24, 40, 255};
constexpr int panel_corner = 14;  // pixels of the rounded corner in the panel pictures
constexpr int thumb_cell_largest = 8, detail_cell_largest = 16;
constexpr int background_thumb_w = 320, background_thumb_h = 180;
constexpr int theme_sample_w = 256, theme_sample_h = 128;

enum class Face { title, big, text, small };

TTF_Font* font_of(const CreationsArt& art, Face f) {
    switch (f) {
        case Face::title:
            return art.title_font.get();
        case Face::big:
            return art.big_font.get();
        case Face::text:
            return art.text_font.get();
        case Face::small:
            return art.small_font.get();
    }
    return nullptr;
}

// A label made once and kept: the same words in the same face and colour draw the same texture.
SDL_Texture* label(const CreationsArt& art, Face f, SDL_Color colour, const std::string& text) {
    if (text.empty()) return nullptr;
    std::string key = std::to_string(static_cast<int>(f)) + "|" + std::to_string(colour.r) + "," +
                      std::to_string(colour.g) + "," + std::to_string(colour.b) + "|" + text;
    auto found = art.labels.find(key);
    if (found != art.labels.end()) return found->second.get();
    TexturePtr& tex = art.labels[key];
    tex = make_label(font_of(art, f), text, colour);
    return tex.get();
}

SDL_Point size_of(SDL_Texture* tex) {
    SDL_Point p{0, 0};
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &p.x, &p.y);
    return p;
}

// Text with its top-left corner at (x, y), cut at max_w pixels; returns its drawn width.
int text(const CreationsArt& art, Face f, SDL_Color colour, const std::string& words, int x, int y,
         int max_w = 1 << 20) {
    SDL_Texture* tex = label(art, f, colour, words);
    SDL_Point s = size_of(tex);
    if (!tex || max_w <= 0) return 0;
    int w = std::min(s.x, max_w);
    SDL_Rect src{0, 0, w, s.y}, dst{x, y, w, s.y};
    SDL_RenderCopy(game_renderer, tex, &src, &dst);
    return w;
}

int text_height(const CreationsArt& art, Face f) {
    TTF_Font* font = font_of(art, f);
    return font ? TTF_FontHeight(font) : 0;
}

// Text centred in a rectangle.
void text_centred(const CreationsArt& art, Face f, SDL_Color colour, const std::string& words,
                  const SDL_Rect& r) {
    SDL_Point s = size_of(label(art, f, colour, words));
    int w = std::min(s.x, r.w);
    text(art, f, colour, words, r.x + (r.w - w) / 2, r.y + (r.h - s.y) / 2, r.w);
}

void fill(const SDL_Rect& r, SDL_Color c, Uint8 alpha = 255) {
    // An opaque fill is a plain copy of the colour, far cheaper than blending.
    SDL_SetRenderDrawBlendMode(game_renderer,
                               alpha == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, c.r, c.g, c.b, alpha);
    SDL_RenderFillRect(game_renderer, &r);
    SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
}

// A rounded rectangle of one colour: its four corners cut from the rounded picture, tinted, and
// the rest filled plainly.
void rounded(const CreationsArt& art, const SDL_Rect& r, SDL_Color colour) {
    if (r.w <= 0 || r.h <= 0) return;
    int d = std::min({panel_corner, r.w / 2, r.h / 2});
    fill({r.x + d, r.y, r.w - 2 * d, r.h}, colour);
    fill({r.x, r.y + d, d, r.h - 2 * d}, colour);
    fill({r.x + r.w - d, r.y + d, d, r.h - 2 * d}, colour);
    SDL_Texture* tex = art.panel.get();
    if (!tex || d <= 0) return;
    SDL_Point s = size_of(tex);
    SDL_SetTextureColorMod(tex, colour.r, colour.g, colour.b);
    const int k = panel_corner;
    const SDL_Rect corners[4][2] = {
        {{0, 0, k, k}, {r.x, r.y, d, d}},
        {{s.x - k, 0, k, k}, {r.x + r.w - d, r.y, d, d}},
        {{0, s.y - k, k, k}, {r.x, r.y + r.h - d, d, d}},
        {{s.x - k, s.y - k, k, k}, {r.x + r.w - d, r.y + r.h - d, d, d}}};
    for (const auto& [src, dst] : corners) SDL_RenderCopy(game_renderer, tex, &src, &dst);
}

// A panel: its edge colour, and its own colour two pixels inside.
void panel(const CreationsArt& art, const SDL_Rect& r, SDL_Color colour, SDL_Color edge) {
    rounded(art, r, edge);
    rounded(art, {r.x + 2, r.y + 2, r.w - 4, r.h - 4}, colour);
}

// A white rounded square, tinted when drawn, whose corners round every panel.
TexturePtr rounded_picture() {
    const int size = 2 * panel_corner;
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!s) return nullptr;
    for (int y = 0; y < size; ++y) {
        Uint32* row = surface_row(s.get(), y);
        for (int x = 0; x < size; ++x) {
            // How far inside the rounded outline the pixel's centre lies, as coverage.
            double cx = std::clamp(x + 0.5, 1.0 * panel_corner, 1.0 * size - panel_corner);
            double cy = std::clamp(y + 0.5, 1.0 * panel_corner, 1.0 * size - panel_corner);
            double a = std::clamp(panel_corner - std::hypot(x + 0.5 - cx, y + 0.5 - cy), 0.0, 1.0);
            row[x] = static_cast<Uint32>(a * 255) << 24 | 0xFFFFFF;
        }
    }
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, s.get()));
    if (tex) SDL_SetTextureBlendMode(tex.get(), SDL_BLENDMODE_BLEND);
    return tex;
}

// The texture fitted into the box, keeping its shape, centred.
SDL_Rect fitted(SDL_Texture* tex, const SDL_Rect& box) {
    SDL_Point s = size_of(tex);
    if (s.x <= 0 || s.y <= 0) return {box.x, box.y, 0, 0};
    double k = std::min(static_cast<double>(box.w) / s.x, static_cast<double>(box.h) / s.y);
    int w = std::max(1, static_cast<int>(s.x * k)), h = std::max(1, static_cast<int>(s.y * k));
    return {box.x + (box.w - w) / 2, box.y + (box.h - h) / 2, w, h};
}

// Maps are made to fit their box: drawn at their own size, they are a plain copy.
void picture_in_box(SDL_Texture* tex, const SDL_Rect& box) {
    fill(box, box_colour);
    if (!tex) return;
    SDL_Point s = size_of(tex);
    SDL_Rect r = s.x <= box.w && s.y <= box.h
                     ? SDL_Rect{box.x + (box.w - s.x) / 2, box.y + (box.h - s.y) / 2, s.x, s.y}
                     : fitted(tex, box);
    SDL_RenderCopy(game_renderer, tex, nullptr, &r);
}

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string title_of(const LevelReport& l) { return l.titre.empty() ? l.name : l.titre; }

// A pill with a word: green "ready", orange problems, blue "Restore".
void badge(const CreationsArt& art, const std::string& words, SDL_Color colour, int right, int y) {
    SDL_Point s = size_of(label(art, Face::small, outline, words));
    int pad = s.y / 2;
    SDL_Rect r{right - s.x - 2 * pad, y, s.x + 2 * pad, s.y + 4};
    rounded(art, r, colour);
    text(art, Face::small, outline, words, r.x + pad, r.y + 2);
}

void draw_plus(const SDL_Rect& box, SDL_Color colour) {
    int arm = std::min(box.w, box.h) / 2, thick = std::max(3, arm / 5);
    int cx = box.x + box.w / 2, cy = box.y + box.h / 2;
    fill({cx - arm / 2, cy - thick / 2, arm, thick}, colour);
    fill({cx - thick / 2, cy - arm / 2, thick, arm}, colour);
}

SDL_Rect thumb_box(const SDL_Rect& row) {
    int h = row.h - 12;
    return {row.x + 6, row.y + 6, 2 * h, h};
}

SDL_Rect row_rect(const Creations& c, const CreationsLayout& l, int i) {
    int y = static_cast<int>(l.list.y + 6 + (i - c.scroll) * l.row_height);
    return {l.list.x + 8, y, l.list.w - 16, l.row_height - 6};
}

void draw_row(const Creations& c, const CreationsArt& art, const CreationsLayout& l, int i) {
    SDL_Rect r = row_rect(c, l, i);
    if (i == creations_trash_heading(c)) {
        int h = text_height(art, Face::big);
        int y = r.y + r.h - h - 4;
        int w = text(art, Face::big, dim_text, "Recently deleted", r.x + 6, y);
        fill({r.x + w + 18, y + h / 2, r.w - w - 24, 2}, dim_text);
        return;
    }
    bool selected = i == c.row, hovered = i == c.hover_row;
    SDL_Color colour = hovered && !selected ? row_hover : row_colour;
    if (selected) {
        rounded(art, r, gold);
        rounded(art, {r.x + 3, r.y + 3, r.w - 6, r.h - 6}, colour);
    } else {
        panel(art, r, colour, panel_edge);
    }
    SDL_Rect thumb = thumb_box(r);
    int tx = thumb.x + thumb.w + 12, line = text_height(art, Face::text);
    int words_w = r.x + r.w - tx - 8;
    int top = r.y + (r.h - line - text_height(art, Face::small)) / 2;
    if (i == 0) {
        picture_in_box(nullptr, thumb);
        draw_plus(thumb, gold);
        text(art, Face::text, gold, "New level", tx, top, words_w);
        text(art, Face::small, dim_text, "name, theme, background, music, size", tx, top + line,
             words_w);
        return;
    }
    if (const TrashedLevel* t = creations_trashed_at(c, i)) {
        picture_in_box(nullptr, thumb);
        text_centred(art, Face::small, dim_text, "deleted", thumb);
        text(art, Face::text, dim_text, t->name, tx, top, words_w - 90);
        text(art, Face::small, dim_text, "deleted " + t->when, tx, top + line, words_w);
        badge(art, "Restore", restore_colour, r.x + r.w - 10, top);
        return;
    }
    const LevelReport& level = *creations_level_at(c, i);
    auto thumb_tex = art.thumbs.find(level.name);
    picture_in_box(thumb_tex == art.thumbs.end() ? nullptr : thumb_tex->second.get(), thumb);
    std::string verdict = report_verdict(level);
    SDL_Point badge_size = size_of(label(art, Face::small, outline, verdict));
    text(art, Face::text, text_colour, title_of(level), tx, top,
         words_w - badge_size.x - badge_size.y - 8);
    std::string who = level.createur.empty() ? "" : "by " + level.createur + "  ·  ";
    text(art, Face::small, dim_text, who + level.name + "  ·  " + level.theme, tx, top + line,
         words_w);
    badge(art, verdict, level.ready() ? ready_colour : problem_colour, r.x + r.w - 10, top);
}

void draw_list(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    panel(art, l.list, panel_colour, panel_edge);
    SDL_Rect clip{l.list.x + 2, l.list.y + 2, l.list.w - 4, l.list.h - 4};
    SDL_RenderSetClipRect(game_renderer, &clip);
    int first = std::max(0, static_cast<int>(std::floor(c.scroll)));
    int last = std::min(creations_row_count(c) - 1, first + l.rows_shown + 1);
    for (int i = first; i <= last; ++i) draw_row(c, art, l, i);
    SDL_RenderSetClipRect(game_renderer, nullptr);
    int rows = creations_row_count(c);
    if (rows > l.rows_shown) {  // where the rows in sight stand among all
        int h = l.list.h - 16, bar = std::max(20, h * l.rows_shown / rows);
        int y = l.list.y + 8 + static_cast<int>((h - bar) * c.scroll / (rows - l.rows_shown));
        fill({l.list.x + l.list.w - 6, y, 3, bar}, dim_text);
    }
}

const char* action_words(CreationsAction a) {
    switch (a) {
        case CreationsAction::new_level:
            return "New level";
        case CreationsAction::play:
            return "Play";
        case CreationsAction::edit:
            return "Edit";
        case CreationsAction::check:
            return "Check";
        case CreationsAction::duplicate:
            return "Duplicate";
        case CreationsAction::rename:
            return "Rename";
        case CreationsAction::remove:
            return "Delete";
        case CreationsAction::restore:
            return "Restore";
    }
    return "";
}

void button(const CreationsArt& art, const SDL_Rect& r, const std::string& words, bool focused,
            bool enabled = true) {
    SDL_Color fill_colour = focused ? gold : row_colour;
    panel(art, r, enabled ? fill_colour : box_colour, focused ? outline : panel_edge);
    text_centred(art, Face::text, focused ? outline : (enabled ? text_colour : dim_text), words, r);
}

void draw_notice(const Creations& c, const CreationsArt& art, int x, int y, int w) {
    if (c.notice_frames <= 0 || c.notice.empty()) return;
    text(art, Face::small, c.notice_bad ? problem_colour : ready_colour, c.notice, x, y, w);
}

void draw_detail(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    panel(art, l.detail, panel_colour, panel_edge);
    const SDL_Rect& map = l.detail_map;
    int x = map.x, y = map.y + map.h + l.margin / 2, w = map.w;
    int big = text_height(art, Face::big), line = text_height(art, Face::text),
        small = text_height(art, Face::small);
    std::vector<CreationsAction> actions = creations_actions(c, c.row);
    if (c.row == 0) {
        picture_in_box(nullptr, map);
        draw_plus(map, gold);
        text(art, Face::big, text_colour, "Make a new level", x, y, w);
        text(art, Face::small, dim_text, "Choose its name, theme, background, music and size.", x,
             y + big, w);
        text(art, Face::small, dim_text,
             "It opens in the editor with a floor, a start and an exit.", x, y + big + small, w);
    } else if (const TrashedLevel* t = creations_trashed_at(c, c.row)) {
        picture_in_box(nullptr, map);
        text_centred(art, Face::big, dim_text, "Recently deleted", map);
        text(art, Face::big, text_colour, t->name, x, y, w);
        text(art, Face::small, dim_text,
             "Deleted " + t->when + ", kept in levels/.trash/" + t->folder, x, y + big, w);
        text(art, Face::small, dim_text, "Restore puts it back among the levels.", x,
             y + big + small, w);
    } else if (const LevelReport* level = creations_level_at(c, c.row)) {
        picture_in_box(art.detail_level == level->name ? art.detail_map.get() : nullptr, map);
        text(art, Face::big, text_colour, title_of(*level), x, y, w);
        int yy = y + big;
        if (!level->createur.empty()) {
            text(art, Face::text, dim_text, "by " + level->createur, x, yy, w);
            yy += line;
        }
        text(art, Face::small, dim_text,
             "Theme " + level->theme + "  ·  background " + level->fond + "  ·  music " +
                 level->musique,
             x, yy, w);
        yy += small;
        text(art, Face::small, dim_text,
             std::to_string(level->layers.width) + " × " + std::to_string(level->layers.height) +
                 " cells  ·  " + level->folder,
             x, yy, w);
        yy += small + 4;
        if (level->ready())
            text(art, Face::text, ready_colour, "Ready: the checker finds nothing to mend", x, yy,
                 w);
        else
            text(art, Face::text, problem_colour,
                 plural(level->findings.size(), "problem", "problems") + ": Check lists them", x,
                 yy, w);
    }
    if (!l.buttons.empty()) draw_notice(c, art, x, l.buttons.front().y - small - 6, w);
    for (size_t i = 0; i < actions.size() && i < l.buttons.size(); ++i)
        button(art, l.buttons[i], action_words(actions[i]),
               c.view == CreationsView::list && static_cast<int>(i) == c.action);
}

std::string where(const Finding& f) {
    std::string at = f.file.empty() ? "the folder" : f.file;
    if (f.has_cell())
        at += "  ·  column " + std::to_string(f.column) + ", row " + std::to_string(f.row);
    return at;
}

void draw_findings(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    panel(art, l.detail, panel_colour, gold);
    const LevelReport* level = creations_level_at(c, c.row);
    if (!level) return;
    int pad = l.margin / 2 + 4;
    text(art, Face::text, text_colour, "What the checker finds in " + title_of(*level),
         l.detail.x + pad, l.detail.y + pad, l.detail.w - 2 * pad);
    if (level->findings.empty())
        text(art, Face::text, ready_colour, "Nothing to mend: the level is ready.", l.findings.x,
             l.findings.y, l.findings.w);
    int first = std::max(0, c.finding - l.findings_shown + 1);
    int small = text_height(art, Face::small);
    for (int i = first;
         i < static_cast<int>(level->findings.size()) && i < first + l.findings_shown; ++i) {
        const Finding& f = level->findings[i];
        SDL_Rect r{l.findings.x, l.findings.y + (i - first) * l.finding_height, l.findings.w,
                   l.finding_height - 4};
        bool on = i == c.finding;
        panel(art, r, on ? row_hover : row_colour, on ? gold : panel_edge);
        int ty = r.y + (r.h - 2 * small) / 2;
        int open_w =
            f.has_cell() ? size_of(label(art, Face::small, gold, "open in the editor")).x : 0;
        text(art, Face::small, dim_text, where(f), r.x + 10, ty, r.w - open_w - 30);
        if (f.has_cell())
            text(art, Face::small, gold, "open in the editor", r.x + r.w - open_w - 10, ty);
        text(art, Face::small, text_colour, f.words, r.x + 10, ty + small, r.w - 20);
    }
    button(art, l.dialog_buttons[0], "Close", true);
}

// What stands under a dialog or the form is darkened, with the game's black veil.
void darken(const CreationsArt& art) {
    if (!art.veil) return;
    SDL_SetTextureAlphaMod(art.veil.get(), 130);
    draw_fullscreen(art.veil.get());
}

void dialog_frame(const CreationsArt& art, const CreationsLayout& l) {
    darken(art);
    panel(art, l.dialog, panel_colour, gold);
}

void draw_name_entry(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    const LevelReport* level = creations_level_at(c, c.row);
    if (!level) return;
    dialog_frame(art, l);
    int pad = l.margin, x = l.dialog.x + pad, w = l.dialog.w - 2 * pad, y = l.dialog.y + pad;
    text(art, Face::text, text_colour,
         (c.renaming ? "Rename " : "Duplicate ") + level->name + (c.renaming ? " to" : " as"), x, y,
         w);
    y += text_height(art, Face::text) + 8;
    SDL_Rect box{x, y, w, text_height(art, Face::big) + 12};
    panel(art, box, box_colour, gold);
    int tw = text(art, Face::big, text_colour, c.typed, box.x + 10, box.y + 6, box.w - 24);
    if ((now_ms() / 500) % 2 == 0) fill({box.x + 12 + tw, box.y + 8, 3, box.h - 16}, gold);
    y += box.h + 8;
    std::string problem = creations_name_problem(c);
    if (problem.empty())
        text(art, Face::small, ready_colour, "a free name", x, y, w);
    else
        text(art, Face::small, problem_colour, problem, x, y, w);
    y += text_height(art, Face::small);
    text(art, Face::small, dim_text,
         "letters, digits, _ and -, at most " + std::to_string(longest_level_name()), x, y, w);
    button(art, l.dialog_buttons[0], c.renaming ? "Rename" : "Duplicate", problem.empty(),
           problem.empty());
    button(art, l.dialog_buttons[1], "Cancel", false);
}

void draw_confirm(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    const LevelReport* level = creations_level_at(c, c.row);
    if (!level) return;
    dialog_frame(art, l);
    int pad = l.margin, x = l.dialog.x + pad, w = l.dialog.w - 2 * pad, y = l.dialog.y + pad;
    text(art, Face::big, text_colour, "Delete " + title_of(*level) + "?", x, y, w);
    y += text_height(art, Face::big) + 8;
    text(art, Face::text, dim_text, "It moves to Recently deleted (levels/.trash):", x, y, w);
    y += text_height(art, Face::text);
    text(art, Face::text, dim_text, "Restore brings it back as it was.", x, y, w);
    button(art, l.dialog_buttons[0], "Keep it", c.confirm == 0);
    button(art, l.dialog_buttons[1], "Delete", c.confirm == 1);
}

std::string choice_of(const std::vector<std::string>& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size()) ? list[i] : "";
}

void draw_form(const Creations& c, const CreationsArt& art, const CreationsLayout& l) {
    darken(art);
    panel(art, l.form, panel_colour, gold);
    const NewLevelForm& f = c.form;
    const char* names[form_rows] = {"Name",       "Title", "Author", "Theme",
                                    "Background", "Music", "Size",   ""};
    int pad = l.margin / 2 + 4;
    text(art, Face::big, gold, "New level", l.form.x + pad + 6, l.form.y + pad / 2,
         l.form.w - 2 * pad);
    for (int r = 0; r < form_rows; ++r) {
        const SDL_Rect& row = l.form_rows[r];
        const SDL_Rect& value = l.form_value[r];
        bool on = r == f.row;
        if (r == form_rows - 1) {
            button(art, l.form_buttons[0], "Create", on && f.button == 0);
            button(art, l.form_buttons[1], "Cancel", on && f.button == 1);
            draw_notice(c, art, row.x + 6, row.y + (row.h - text_height(art, Face::small)) / 2,
                        l.form_buttons[0].x - row.x - 12);
            continue;
        }
        if (on) panel(art, row, row_hover, gold);
        text(art, Face::text, on ? gold : dim_text, names[r], row.x + 10,
             row.y + (row.h - text_height(art, Face::text)) / 2);
        auto middle = [&](Face face) { return value.y + (value.h - text_height(art, face)) / 2; };
        if (const std::string* typed = r == 0   ? &f.name
                                       : r == 1 ? &f.title
                                       : r == 2 ? &f.author
                                                : nullptr) {
            panel(art, value, box_colour, on ? gold : panel_edge);
            int tw = text(art, Face::text, text_colour, *typed, value.x + 8, middle(Face::text),
                          value.w / 2);
            if (on && (now_ms() / 500) % 2 == 0)
                fill({value.x + 10 + tw, value.y + 5, 2, value.h - 10}, gold);
            std::string problem = r == 0   ? name_problem_words(level_name_problem(f.name))
                                  : r == 1 ? config_value_problem("titre", f.title)
                                           : config_value_problem("createur", f.author);
            std::string note = problem.empty() ? (r == 0 ? "a free name" : "") : problem;
            SDL_Point s = size_of(label(art, Face::small, ready_colour, note));
            text(art, Face::small, problem.empty() ? ready_colour : problem_colour, note,
                 value.x + value.w - s.x - 10, middle(Face::small));
            continue;
        }
        text_centred(art, Face::big, on ? gold : text_colour, "‹", l.form_less[r]);
        text_centred(art, Face::big, on ? gold : text_colour, "›", l.form_more[r]);
        std::string words;
        SDL_Texture* picture = nullptr;
        switch (static_cast<FormRow>(r)) {
            case FormRow::theme:
                words = choice_of(c.themes, f.theme);
                if (f.theme < static_cast<int>(art.theme_samples.size()))
                    picture = art.theme_samples[f.theme].get();
                break;
            case FormRow::background:
                words = choice_of(c.backgrounds, f.background);
                if (f.background < static_cast<int>(art.background_thumbs.size()))
                    picture = art.background_thumbs[f.background].get();
                break;
            case FormRow::music:
                words = choice_of(c.musics, f.music);
                break;
            case FormRow::size: {
                const LevelSize& s = level_sizes()[f.size];
                words = std::to_string(s.width) + " × " + std::to_string(s.height) + " cells, " +
                        s.words;
                break;
            }
            default:
                break;
        }
        int tx = value.x + 8;
        if (r == static_cast<int>(FormRow::theme) || r == static_cast<int>(FormRow::background)) {
            SDL_Rect box{value.x + 4, value.y + 2, (value.h - 4) * 16 / 9, value.h - 4};
            picture_in_box(picture, box);
            if (!picture) text_centred(art, Face::small, dim_text, "…", box);
            tx = box.x + box.w + 12;
        }
        text(art, Face::text, text_colour, words, tx, middle(Face::text), value.x + value.w - tx);
        std::string count = std::to_string(1 + (r == 3   ? f.theme
                                                : r == 4 ? f.background
                                                : r == 5 ? f.music
                                                         : f.size)) +
                            " / " +
                            std::to_string(r == 3   ? c.themes.size()
                                           : r == 4 ? c.backgrounds.size()
                                           : r == 5 ? c.musics.size()
                                                    : level_sizes().size());
        SDL_Point s = size_of(label(art, Face::small, dim_text, count));
        text(art, Face::small, dim_text, count, value.x + value.w - s.x - 6, middle(Face::small));
    }
}

const char* hint_of(CreationsView v) {
    switch (v) {
        case CreationsView::list:
            return "↑ ↓  level     ← →  action     Return  do it     Delete  delete     Escape  "
                   "back to the menu";
        case CreationsView::findings:
            return "↑ ↓  finding     Return  open it in the editor     Escape  back";
        case CreationsView::name_entry:
            return "type the name     Backspace  erase     Return  confirm     Escape  cancel";
        case CreationsView::confirm_delete:
            return "← →  choose     Return  confirm     Escape  keep it";
        case CreationsView::new_level:
            return "↑ ↓  field     ← →  change     type in the boxes     Return  next, then create "
                   "    Escape  cancel";
    }
    return "";
}
}  // namespace

CreationsArt creations_art() {
    CreationsArt art;
    art.background = load_texture_dimmed("ide/bgg.png", 130);
    art.back = load_texture("ide/back.png");
    art.tile_picture = load_texture("ide/2.png");
    if (art.tile_picture) SDL_SetTextureBlendMode(art.tile_picture.get(), SDL_BLENDMODE_BLEND);
    art.veil = make_black_texture();
    if (art.veil) SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    art.panel = rounded_picture();
    return art;
}

void creations_prepare(CreationsArt& art, const Creations& c) {
    if (art.made_for_height != window_height) {
        // Words and maps are made for the window's size: a new size makes them anew.
        art.made_for_height = window_height;
        art.title_font = open_font("intensa.ttf", std::max(24, window_height / 12));
        art.big_font = open_font("intensa.ttf", std::max(18, window_height / 24));
        art.text_font = open_font("calibri.ttf", std::max(16, window_height / 30));
        art.small_font = open_font("calibri.ttf", std::max(13, window_height / 40));
        art.labels.clear();
        art.thumbs.clear();
        art.detail_level.clear();
    }
    if (art.labels.size() > 600) art.labels.clear();
    CreationsLayout l = creations_layout(c);
    // The maps of the rows in sight (and the next ones), then the highlighted level's.
    int first = std::max(0, static_cast<int>(std::floor(c.scroll)) - 1);
    for (int i = first; i <= first + l.rows_shown + 2; ++i) {
        const LevelReport* level = creations_level_at(c, i);
        if (!level || art.thumbs.count(level->name)) continue;
        SDL_Rect box = thumb_box(row_rect(c, l, i));
        SurfacePtr map = level_map_fitted(*level, box.w, box.h, thumb_cell_largest, art.pictures);
        art.thumbs[level->name] =
            TexturePtr(map ? SDL_CreateTextureFromSurface(game_renderer, map.get()) : nullptr);
    }
    const LevelReport* level = creations_level_at(c, c.row);
    if (level && art.detail_level != level->name) {
        art.detail_level = level->name;
        SurfacePtr map = level_map_fitted(*level, l.detail_map.w, l.detail_map.h,
                                          detail_cell_largest, art.pictures);
        art.detail_map.reset(map ? SDL_CreateTextureFromSurface(game_renderer, map.get())
                                 : nullptr);
    }
    if (c.view != CreationsView::new_level) return;
    if (art.theme_samples.empty())
        for (const std::string& theme : c.themes) {
            SurfacePtr s =
                theme_sample_surface(theme, theme_sample_w, theme_sample_h, art.pictures);
            art.theme_samples.push_back(
                TexturePtr(s ? SDL_CreateTextureFromSurface(game_renderer, s.get()) : nullptr));
        }
    // The backgrounds' pictures are large: they are read and shrunk on a worker thread, and show
    // once they are ready.
    if (!art.backgrounds_asked) {
        art.backgrounds_asked = true;
        art.background_work = std::async(
            std::launch::async, [resources = art.pictures.resources, names = c.backgrounds] {
                std::vector<SurfacePtr> thumbs;
                for (const std::string& fond : names)
                    thumbs.push_back(background_thumbnail(resources, fond, background_thumb_w,
                                                          background_thumb_h));
                return thumbs;
            });
    }
    if (art.background_work.valid() &&
        art.background_work.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        for (SurfacePtr& s : art.background_work.get())
            art.background_thumbs.push_back(
                TexturePtr(s ? SDL_CreateTextureFromSurface(game_renderer, s.get()) : nullptr));
    }
}

void creations_draw(const Creations& c, const CreationsArt& art) {
    if (art.background) draw_fullscreen(art.background.get());
    CreationsLayout l = creations_layout(c);
    if (art.back) draw_rect(art.back.get(), l.back.x, l.back.y, l.back.w, l.back.h);
    int title_h = text_height(art, Face::title);
    text(art, Face::title, gold, "Creations", l.back.x + l.back.w + l.margin,
         l.margin + (l.top - l.margin - title_h) / 2);
    std::string count = plural(c.levels.size(), "level", "levels");
    if (!c.trash.empty()) count += ", " + std::to_string(c.trash.size()) + " recently deleted";
    SDL_Point cs = size_of(label(art, Face::text, text_colour, count));
    text(art, Face::text, text_colour, count, window_width - l.margin - cs.x,
         l.margin + (l.top - l.margin - cs.y) / 2);
    // The form covers the panels: they are not drawn under it.
    if (c.view != CreationsView::new_level) {
        draw_list(c, art, l);
        if (c.view == CreationsView::findings)
            draw_findings(c, art, l);
        else
            draw_detail(c, art, l);
    }
    int small = text_height(art, Face::small);
    text(art, Face::small, dim_text, hint_of(c.view), l.margin,
         l.bottom + (window_height - l.bottom - small) / 2, window_width - 2 * l.margin);
    if (c.view == CreationsView::name_entry) draw_name_entry(c, art, l);
    if (c.view == CreationsView::confirm_delete) draw_confirm(c, art, l);
    if (c.view == CreationsView::new_level) draw_form(c, art, l);
    if (c.fade > 0) {
        SDL_Texture* veil = c.veil_is_picture ? art.tile_picture.get() : art.veil.get();
        if (veil) {
            set_alpha(veil, 0, 255, c.fade, 0);
            draw_fullscreen(veil);
        }
    }
}
