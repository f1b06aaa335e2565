// The Creations screen's rules: the rows and their actions, the dialogs, the new-level form,
// where everything stands for the mouse, and the screen's loop.
#include "menus/creations.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "app/audio.h"
#include "app/draw.h"
#include "app/paths.h"
#include "app/screen.h"

std::string creations_last_level;

namespace {
constexpr int fade_in_step = 20, fade_out_step = 26;
constexpr int notice_shown_frames = 240;
constexpr size_t longest_typed = 64;  // bytes kept of what is typed in a box
constexpr int buttons_per_line = 3;
constexpr int creations_done = 1;

// Where each choice of the form starts: the first level of the game on the tutorial's look.
constexpr const char* preferred_background = "1";
constexpr const char* preferred_music = "prairie.ogg";
constexpr const char* preferred_theme = "base";
constexpr const char* default_title = "Nouveau niveau";
constexpr const char* menu_music = "vesk.ogg";

int index_of(const std::vector<std::string>& list, const std::string& want) {
    auto found = std::find(list.begin(), list.end(), want);
    return found == list.end() ? 0 : static_cast<int>(found - list.begin());
}

// The first name of the form "<base>", "<base>_2", "<base>_3" … that no level has taken (a base
// the names do not allow is offered all the same, for the author to mend).
std::string free_name(const std::string& base) {
    std::string name = base.substr(0, longest_level_name());
    for (int n = 2; level_name_problem(name) == NameProblem::taken; ++n) {
        std::string suffix = std::to_string(n);
        suffix.insert(suffix.begin(), '_');
        name = base.substr(0, longest_level_name() - suffix.size());
        name += suffix;
    }
    return name;
}

void play(const ChunkPtr* sound) {
    if (sound) play_sound(sound->get(), true);
}

void say(Creations& c, const std::string& words, bool bad) {
    c.notice = words;
    c.notice_bad = bad;
    c.notice_frames = notice_shown_frames;
}

int level_row(const Creations& c, const std::string& name) {
    for (size_t i = 0; i < c.levels.size(); ++i)
        if (c.levels[i].name == name) return static_cast<int>(i) + 1;
    return -1;
}

// Reads the folders again (after an operation) and highlights `name` when it is listed.
void reload(Creations& c, const std::string& name) {
    int old_row = c.row;
    c.levels.clear();
    for (const std::string& folder : level_folders())
        c.levels.push_back(check_level(level_folder(folder), game_folders().resources));
    c.trash = trashed_levels();
    int row = level_row(c, name);
    c.row = row >= 0 ? row : std::clamp(old_row, 0, creations_row_count(c) - 1);
    if (c.row == creations_trash_heading(c)) c.row += 1;
    c.action = 0;
}

void leave(Creations& c, CreationsExit exit, const std::string& level, bool to_picture) {
    c.choice = {};
    c.choice.exit = exit;
    c.choice.level = level;
    c.leaving = true;
    c.veil_is_picture = to_picture;
    if (!level.empty()) creations_last_level = level;
}

void open_form(Creations& c) {
    NewLevelForm& f = c.form;
    f = NewLevelForm{};
    f.name = free_name("new_level");
    f.title = default_title;
    f.author = read_author();
    f.theme = index_of(c.themes, preferred_theme);
    f.background = index_of(c.backgrounds, preferred_background);
    f.music = index_of(c.musics, preferred_music);
    c.view = CreationsView::new_level;
}

void do_action(Creations& c, CreationsAction a, const ChunkPtr* click) {
    const LevelReport* level = creations_level_at(c, c.row);
    play(click);
    switch (a) {
        case CreationsAction::new_level:
            open_form(c);
            break;
        case CreationsAction::play:
            leave(c, CreationsExit::play, level->name, false);
            break;
        case CreationsAction::edit:
            leave(c, CreationsExit::edit, level->name, false);
            break;
        case CreationsAction::check:
            c.view = CreationsView::findings;
            c.finding = 0;
            break;
        case CreationsAction::duplicate:
            c.view = CreationsView::name_entry;
            c.renaming = false;
            c.typed = free_name(level->name + "_copy");
            break;
        case CreationsAction::rename:
            c.view = CreationsView::name_entry;
            c.renaming = true;
            c.typed = level->name;
            break;
        case CreationsAction::remove:
            c.view = CreationsView::confirm_delete;
            c.confirm = 0;
            break;
        case CreationsAction::restore: {
            const TrashedLevel* t = creations_trashed_at(c, c.row);
            std::string restored, problem;
            if (restore_level(t->folder, &restored, &problem)) {
                reload(c, restored);
                say(c, "Restored as " + restored, false);
            } else {
                say(c, problem, true);
            }
            break;
        }
    }
}

void move_row(Creations& c, int by, const ChunkPtr* swipe) {
    int row = std::clamp(c.row + by, 0, creations_row_count(c) - 1);
    // The heading of the deleted levels is passed over, or not gone to when it is the end.
    if (row == creations_trash_heading(c)) row = by > 0 ? row + 1 : row - 1;
    if (row == c.row) return;
    size_t before = creations_actions(c, c.row).size();
    c.row = row;
    if (creations_actions(c, c.row).size() != before) c.action = 0;
    play(swipe);
}

void move_action(Creations& c, int by, const ChunkPtr* swipe) {
    int count = static_cast<int>(creations_actions(c, c.row).size());
    int action = std::clamp(c.action + by, 0, count - 1);
    if (action == c.action) return;
    c.action = action;
    play(swipe);
}

// The keys, pad buttons and clicks a view answers, reduced to a few intents.
enum class Intent { none, up, down, left, right, accept, cancel, erase, next };

// The left stick pushed past half way acts as the pad, once per push.
constexpr int stick_push = 16384;

Intent stick_intent(Creations& c, const SDL_Event& e) {
    if (e.type != SDL_CONTROLLERAXISMOTION) return Intent::none;
    bool across = e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!across && e.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY) return Intent::none;
    int pushed = e.caxis.value > stick_push ? 1 : (e.caxis.value < -stick_push ? -1 : 0);
    int& was = across ? c.stick_x : c.stick_y;
    if (pushed == was) return Intent::none;
    was = pushed;
    if (pushed == 0) return Intent::none;
    if (across) return pushed > 0 ? Intent::right : Intent::left;
    return pushed > 0 ? Intent::down : Intent::up;
}

Intent intent_of(const SDL_Event& e) {
    if (e.type == SDL_KEYDOWN) {
        switch (e.key.keysym.sym) {
            case SDLK_UP:
                return Intent::up;
            case SDLK_DOWN:
                return Intent::down;
            case SDLK_LEFT:
                return Intent::left;
            case SDLK_RIGHT:
                return Intent::right;
            case SDLK_RETURN:
            case SDLK_KP_ENTER:
                return e.key.repeat ? Intent::none : Intent::accept;
            case SDLK_ESCAPE:
                return e.key.repeat ? Intent::none : Intent::cancel;
            case SDLK_BACKSPACE:
                return Intent::erase;
            case SDLK_TAB:
                return Intent::next;
            default:
                return Intent::none;
        }
    }
    if (e.type == SDL_CONTROLLERBUTTONDOWN) {
        switch (e.cbutton.button) {
            case SDL_CONTROLLER_BUTTON_DPAD_UP:
                return Intent::up;
            case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
                return Intent::down;
            case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
                return Intent::left;
            case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
                return Intent::right;
            case SDL_CONTROLLER_BUTTON_A:
                return Intent::accept;
            case SDL_CONTROLLER_BUTTON_B:
                return Intent::cancel;
            default:
                return Intent::none;
        }
    }
    return Intent::none;
}

bool inside(const SDL_Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

int hit(const std::vector<SDL_Rect>& rects, int x, int y) {
    for (size_t i = 0; i < rects.size(); ++i)
        if (inside(rects[i], x, y)) return static_cast<int>(i);
    return -1;
}

// Text typed into a box: printable characters only (`ascii`: the ones of folder names), and a
// whole UTF-8 character removed by Backspace.
void type_into(std::string& box, const char* text, bool ascii) {
    for (const char* p = text; *p; ++p) {
        unsigned char ch = static_cast<unsigned char>(*p);
        if (ch < 32 || ch == 127 || (ascii && ch > 126)) continue;
        if (box.size() < longest_typed) box += static_cast<char>(ch);
    }
}

void erase_last(std::string& box) {
    while (!box.empty()) {
        unsigned char ch = static_cast<unsigned char>(box.back());
        box.pop_back();
        if ((ch & 0xC0) != 0x80) break;  // not the middle of a UTF-8 character
    }
}

// --- the list ---

void list_event(Creations& c, const CreationsLayout& l, const SDL_Event& e, Intent intent,
                const ChunkPtr* swipe, const ChunkPtr* click) {
    std::vector<CreationsAction> actions = creations_actions(c, c.row);
    switch (intent) {
        case Intent::up:
            return move_row(c, -1, swipe);
        case Intent::down:
            return move_row(c, 1, swipe);
        case Intent::left:
            return move_action(c, -1, swipe);
        case Intent::right:
            return move_action(c, 1, swipe);
        case Intent::accept:
            if (c.action < static_cast<int>(actions.size())) do_action(c, actions[c.action], click);
            return;
        case Intent::cancel:
            play(click);
            return leave(c, CreationsExit::back, "", true);
        default:
            break;
    }
    if (is_press(e) && e.key.keysym.sym == SDLK_DELETE && creations_level_at(c, c.row))
        return do_action(c, CreationsAction::remove, click);
    if (e.type == SDL_MOUSEWHEEL) {
        if (e.wheel.y < 0) move_row(c, 1, swipe);
        if (e.wheel.y > 0) move_row(c, -1, swipe);
    }
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button.button != SDL_BUTTON_LEFT) return;
    int x = e.button.x, y = e.button.y;
    if (inside(l.back, x, y)) {
        play(click);
        return leave(c, CreationsExit::back, "", true);
    }
    int button = hit(l.buttons, x, y);
    if (button >= 0 && button < static_cast<int>(actions.size())) {
        c.action = button;
        return do_action(c, actions[button], click);
    }
    int row = creations_row_at(c, l, {x, y});
    if (row >= 0 && row != c.row && row != creations_trash_heading(c))
        move_row(c, row - c.row, swipe);
}

// --- the findings ---

void open_finding(Creations& c, const LevelReport& level, const Finding& f, const ChunkPtr* click) {
    play(click);
    bool layer = f.file == "0.lvl" || f.file == "1.lvl";
    if (!f.has_cell() && !layer) {
        say(c, "Mend it in " + level.folder + "/" + (f.file.empty() ? "" : f.file), true);
        return;
    }
    leave(c, CreationsExit::edit, level.name, false);
    if (f.has_cell()) {
        c.choice.focus = true;
        c.choice.column = f.column;
        c.choice.row = f.row;
        c.choice.note = f.words;
    }
}

void findings_event(Creations& c, const CreationsLayout& l, const SDL_Event& e, Intent intent,
                    const ChunkPtr* swipe, const ChunkPtr* click) {
    const LevelReport* level = creations_level_at(c, c.row);
    int count = level ? static_cast<int>(level->findings.size()) : 0;
    auto move = [&](int by) {
        int f = std::clamp(c.finding + by, 0, std::max(count - 1, 0));
        if (f != c.finding) play(swipe);
        c.finding = f;
    };
    switch (intent) {
        case Intent::up:
            return move(-1);
        case Intent::down:
            return move(1);
        case Intent::accept:
            if (c.finding < count) open_finding(c, *level, level->findings[c.finding], click);
            return;
        case Intent::cancel:
            play(click);
            c.view = CreationsView::list;
            return;
        default:
            break;
    }
    if (e.type == SDL_MOUSEWHEEL) move(e.wheel.y < 0 ? 1 : -1);
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button.button != SDL_BUTTON_LEFT) return;
    int x = e.button.x, y = e.button.y;
    if (hit(l.dialog_buttons, x, y) == 0 || inside(l.back, x, y)) {
        play(click);
        c.view = CreationsView::list;
        return;
    }
    if (!inside(l.findings, x, y) || l.finding_height <= 0) return;
    int first = std::max(0, c.finding - l.findings_shown + 1);
    int f = first + (y - l.findings.y) / l.finding_height;
    if (f < count) {
        c.finding = f;
        open_finding(c, *level, level->findings[f], click);
    }
}

// --- the name entry and the delete confirmation ---

void finish_name_entry(Creations& c, const ChunkPtr* click) {
    const LevelReport* level = creations_level_at(c, c.row);
    if (!creations_name_problem(c).empty() || !level) return;
    play(click);
    std::string from = level->name, problem;
    bool done = c.renaming ? rename_level(from, c.typed, &problem)
                           : duplicate_level(from, c.typed, &problem);
    c.view = CreationsView::list;
    if (!done) return say(c, problem, true);
    std::string to = c.typed;
    reload(c, to);
    say(c, (c.renaming ? "Renamed " : "Duplicated ") + from + " as " + to, false);
}

void name_entry_event(Creations& c, const CreationsLayout& l, const SDL_Event& e, Intent intent,
                      const ChunkPtr* click) {
    if (e.type == SDL_TEXTINPUT) return type_into(c.typed, e.text.text, true);
    switch (intent) {
        case Intent::erase:
            return erase_last(c.typed);
        case Intent::accept:
            return finish_name_entry(c, click);
        case Intent::cancel:
            play(click);
            c.view = CreationsView::list;
            return;
        default:
            break;
    }
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button.button != SDL_BUTTON_LEFT) return;
    int button = hit(l.dialog_buttons, e.button.x, e.button.y);
    if (button == 0) finish_name_entry(c, click);
    if (button == 1) {
        play(click);
        c.view = CreationsView::list;
    }
}

void finish_delete(Creations& c, const ChunkPtr* click) {
    play(click);
    c.view = CreationsView::list;
    if (c.confirm == 0) return;
    const LevelReport* level = creations_level_at(c, c.row);
    if (!level) return;
    std::string name = level->name, problem;
    if (!trash_level(name, std::time(nullptr), &problem)) return say(c, problem, true);
    reload(c, "");
    say(c, name + " is in Recently deleted: Restore brings it back", false);
}

void confirm_event(Creations& c, const CreationsLayout& l, const SDL_Event& e, Intent intent,
                   const ChunkPtr* swipe, const ChunkPtr* click) {
    switch (intent) {
        case Intent::left:
        case Intent::right:
        case Intent::next:
            c.confirm = 1 - c.confirm;
            return play(swipe);
        case Intent::accept:
            return finish_delete(c, click);
        case Intent::cancel:
            c.confirm = 0;
            return finish_delete(c, click);
        default:
            break;
    }
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button.button != SDL_BUTTON_LEFT) return;
    int button = hit(l.dialog_buttons, e.button.x, e.button.y);
    if (button < 0) return;
    c.confirm = button;
    finish_delete(c, click);
}

// --- the new-level form ---

bool text_row(int row) {
    return row == static_cast<int>(FormRow::name) || row == static_cast<int>(FormRow::title) ||
           row == static_cast<int>(FormRow::author);
}

std::string* form_text(NewLevelForm& f, int row) {
    switch (static_cast<FormRow>(row)) {
        case FormRow::name:
            return &f.name;
        case FormRow::title:
            return &f.title;
        case FormRow::author:
            return &f.author;
        default:
            return nullptr;
    }
}

void cycle(int& value, int count, int by) {
    if (count > 0) value = ((value + by) % count + count) % count;
}

void change_choice(Creations& c, int row, int by, const ChunkPtr* swipe) {
    NewLevelForm& f = c.form;
    switch (static_cast<FormRow>(row)) {
        case FormRow::theme:
            cycle(f.theme, static_cast<int>(c.themes.size()), by);
            break;
        case FormRow::background:
            cycle(f.background, static_cast<int>(c.backgrounds.size()), by);
            break;
        case FormRow::music:
            cycle(f.music, static_cast<int>(c.musics.size()), by);
            // The author hears the track as it is chosen; the menu's music comes back with the
            // list.
            if (f.music < static_cast<int>(c.musics.size())) play_music(c.musics[f.music]);
            break;
        case FormRow::size:
            cycle(f.size, static_cast<int>(level_sizes().size()), by);
            break;
        case FormRow::buttons:
            f.button = 1 - f.button;
            break;
        default:
            return;
    }
    play(swipe);
}

std::string chosen(const std::vector<std::string>& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size()) ? list[i] : "";
}

void create_from_form(Creations& c, const ChunkPtr* click) {
    NewLevelForm& f = c.form;
    play(click);
    NameProblem name = level_name_problem(f.name);
    std::string title = config_value_problem("titre", f.title);
    std::string author = config_value_problem("createur", f.author);
    if (name != NameProblem::none) {
        f.row = static_cast<int>(FormRow::name);
        return say(c, "Name: " + name_problem_words(name), true);
    }
    if (!title.empty()) {
        f.row = static_cast<int>(FormRow::title);
        return say(c, "Title: " + title, true);
    }
    if (!author.empty()) {
        f.row = static_cast<int>(FormRow::author);
        return say(c, "Author: " + author, true);
    }
    NewLevel n;
    n.name = f.name;
    n.titre = f.title;
    n.createur = f.author;
    n.theme = chosen(c.themes, f.theme);
    n.fond = chosen(c.backgrounds, f.background);
    n.musique = chosen(c.musics, f.music);
    const LevelSize& size = level_sizes()[f.size];
    n.width = size.width;
    n.height = size.height;
    std::string problem;
    if (!create_level(n, &problem)) return say(c, problem, true);
    write_author(f.author);
    reload(c, n.name);
    leave(c, CreationsExit::edit, n.name, false);
}

void cancel_form(Creations& c, const ChunkPtr* click) {
    play(click);
    c.view = CreationsView::list;
    play_music(menu_music);
}

void form_event(Creations& c, const CreationsLayout& l, const SDL_Event& e, Intent intent,
                const ChunkPtr* swipe, const ChunkPtr* click) {
    NewLevelForm& f = c.form;
    const int buttons = static_cast<int>(FormRow::buttons);
    if (e.type == SDL_TEXTINPUT) {
        if (std::string* box = form_text(f, f.row))
            type_into(*box, e.text.text, f.row == static_cast<int>(FormRow::name));
        return;
    }
    switch (intent) {
        case Intent::up:
            f.row = std::max(f.row - 1, 0);
            return play(swipe);
        case Intent::down:
        case Intent::next:
            f.row = std::min(f.row + 1, buttons);
            return play(swipe);
        case Intent::left:
            return change_choice(c, f.row, -1, swipe);
        case Intent::right:
            return change_choice(c, f.row, 1, swipe);
        case Intent::erase:
            if (std::string* box = form_text(f, f.row)) erase_last(*box);
            return;
        case Intent::accept:
            if (f.row < buttons) {
                f.row += 1;
                return play(swipe);
            }
            if (f.button == 0) return create_from_form(c, click);
            return cancel_form(c, click);
        case Intent::cancel:
            return cancel_form(c, click);
        default:
            break;
    }
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button.button != SDL_BUTTON_LEFT) return;
    int x = e.button.x, y = e.button.y;
    int button = hit(l.form_buttons, x, y);
    if (button == 0) return create_from_form(c, click);
    if (button == 1) return cancel_form(c, click);
    int less = hit(l.form_less, x, y), more = hit(l.form_more, x, y);
    if (less >= 0) {
        f.row = less;
        return change_choice(c, less, -1, swipe);
    }
    if (more >= 0) {
        f.row = more;
        return change_choice(c, more, 1, swipe);
    }
    int row = hit(l.form_rows, x, y);
    if (row >= 0) f.row = row;
}
}  // namespace

std::string creations_choice_words(const CreationsChoice& c) {
    switch (c.exit) {
        case CreationsExit::back:
            return "back";
        case CreationsExit::quit:
            return "quit";
        case CreationsExit::play:
            return "play " + c.level;
        case CreationsExit::edit:
            return "edit " + c.level +
                   (c.focus ? " at " + std::to_string(c.column) + "," + std::to_string(c.row) : "");
    }
    return "";
}

Creations creations_open(const std::string& highlight, bool from_menu) {
    Creations c;
    c.themes = theme_names(game_folders().resources);
    c.backgrounds = background_names(game_folders().resources);
    c.musics = music_names(game_folders().resources);
    reload(c, highlight);
    if (level_row(c, highlight) < 0) c.row = 0;
    c.veil_is_picture = from_menu;
    return c;
}

int creations_row_count(const Creations& c) {
    int trash = static_cast<int>(c.trash.size());
    return 1 + static_cast<int>(c.levels.size()) + (trash > 0 ? 1 + trash : 0);
}

int creations_trash_heading(const Creations& c) {
    return c.trash.empty() ? -1 : 1 + static_cast<int>(c.levels.size());
}

const LevelReport* creations_level_at(const Creations& c, int row) {
    if (row < 1 || row > static_cast<int>(c.levels.size())) return nullptr;
    return &c.levels[row - 1];
}

const TrashedLevel* creations_trashed_at(const Creations& c, int row) {
    int i = row - 2 - static_cast<int>(c.levels.size());
    if (i < 0 || i >= static_cast<int>(c.trash.size())) return nullptr;
    return &c.trash[i];
}

std::vector<CreationsAction> creations_actions(const Creations& c, int row) {
    if (row == 0) return {CreationsAction::new_level};
    if (creations_trashed_at(c, row)) return {CreationsAction::restore};
    if (!creations_level_at(c, row)) return {};
    return {CreationsAction::play,      CreationsAction::edit,   CreationsAction::check,
            CreationsAction::duplicate, CreationsAction::rename, CreationsAction::remove};
}

std::string creations_name_problem(const Creations& c) {
    const LevelReport* level = creations_level_at(c, c.row);
    return name_problem_words(level_name_problem(c.typed, c.renaming && level ? level->name : ""));
}

CreationsLayout creations_layout(const Creations& c) {
    CreationsLayout l;
    const int w = window_width, h = window_height;
    l.margin = std::max(12, h / 36);
    const int m = l.margin;
    l.top = m + h / 9;
    l.bottom = h - m - h / 20;
    l.back = {m, m + (h / 9 - h / 13) / 2, h / 13 * 2, h / 13};
    int list_w = static_cast<int>(w * 0.43);
    l.list = {m, l.top, list_w, l.bottom - l.top};
    l.detail = {2 * m + list_w, l.top, w - 3 * m - list_w, l.bottom - l.top};
    // Rows of about a ninth of the window's height, as many as fill the list exactly.
    l.rows_shown = std::max(1, (l.list.h - 12) / std::max(48, h / 9));
    l.row_height = (l.list.h - 12) / l.rows_shown;
    const int pad = m / 2 + 4;
    // The detail panel: the map on top, the words under it, the action buttons at the bottom.
    int button_h = std::max(34, h / 14);
    int map_h = static_cast<int>(l.detail.h * 0.42);
    l.detail_map = {l.detail.x + pad, l.detail.y + pad, l.detail.w - 2 * pad, map_h};
    size_t actions = creations_actions(c, c.row).size();
    int lines = static_cast<int>((actions + buttons_per_line - 1) / buttons_per_line);
    int button_w = (l.detail.w - 2 * pad - (buttons_per_line - 1) * pad) / buttons_per_line;
    for (size_t i = 0; i < actions; ++i) {
        int line = static_cast<int>(i) / buttons_per_line,
            col = static_cast<int>(i) % buttons_per_line;
        int y = l.detail.y + l.detail.h - pad - (lines - line) * (button_h + pad) + pad;
        l.buttons.push_back({l.detail.x + pad + col * (button_w + pad), y, button_w, button_h});
    }
    // Dialogs stand in the middle of the window, over everything.
    int dialog_w = std::min(w - 2 * m, std::max(460, w / 2));
    int dialog_h = std::max(220, h * 2 / 5);
    l.dialog = {(w - dialog_w) / 2, (h - dialog_h) / 2, dialog_w, dialog_h};
    int dialog_button_w = (dialog_w - 3 * pad) / 2;
    if (c.view == CreationsView::findings) {
        // The findings take the detail panel's place, a "Close" button at its foot.
        l.finding_height = std::max(30, h / 15);
        l.findings = {l.detail.x + pad, l.detail.y + pad + h / 14, l.detail.w - 2 * pad,
                      l.detail.h - 3 * pad - h / 14 - button_h};
        l.findings_shown = std::max(1, l.findings.h / l.finding_height);
        l.dialog_buttons.push_back({l.detail.x + l.detail.w - pad - button_w,
                                    l.detail.y + l.detail.h - pad - button_h, button_w, button_h});
    } else {
        for (int i = 0; i < 2; ++i)
            l.dialog_buttons.push_back({l.dialog.x + pad + i * (dialog_button_w + pad),
                                        l.dialog.y + dialog_h - pad - button_h, dialog_button_w,
                                        button_h});
    }
    // The form: a panel over both, one row per field and the buttons' row.
    int form_w = std::min(w - 2 * m, std::max(600, w * 7 / 10));
    l.form = {(w - form_w) / 2, l.top - h / 40, form_w, l.bottom - l.top + h / 20};
    int row_h = (l.form.h - 2 * pad) / (form_rows + 1);
    int label_w = form_w / 4;
    int arrow_w = std::max(30, row_h);
    for (int r = 0; r < form_rows; ++r) {
        int y = l.form.y + pad + row_h / 2 + r * row_h + (r == form_rows - 1 ? row_h / 3 : 0);
        SDL_Rect row{l.form.x + pad, y, form_w - 2 * pad, row_h - 4};
        l.form_rows.push_back(row);
        SDL_Rect value{row.x + label_w, y + 2, row.w - label_w, row.h - 4};
        bool choice = !text_row(r) && r != form_rows - 1;
        if (choice) {
            l.form_less.push_back({value.x, value.y, arrow_w, value.h});
            l.form_more.push_back({value.x + value.w - arrow_w, value.y, arrow_w, value.h});
            value = {value.x + arrow_w + 4, value.y, value.w - 2 * arrow_w - 8, value.h};
        } else {
            l.form_less.push_back({0, 0, 0, 0});
            l.form_more.push_back({0, 0, 0, 0});
        }
        l.form_value.push_back(value);
    }
    const SDL_Rect& last = l.form_rows.back();
    int form_button_w = std::min(button_w + pad, (last.w - pad) / 2);
    l.form_buttons = {{last.x + last.w - 2 * form_button_w - pad, last.y, form_button_w, button_h},
                      {last.x + last.w - form_button_w, last.y, form_button_w, button_h}};
    return l;
}

int creations_row_at(const Creations& c, const CreationsLayout& l, SDL_Point p) {
    if (!inside(l.list, p.x, p.y) || l.row_height <= 0) return -1;
    int row = static_cast<int>(std::lround(c.scroll)) + (p.y - l.list.y) / l.row_height;
    return row < creations_row_count(c) ? row : -1;
}

int creations_update(Creations& c, const Controls& in, const ChunkPtr* swipe,
                     const ChunkPtr* click) {
    if (in.quit) {
        c.choice = {};
        c.choice.exit = CreationsExit::quit;
        return creations_done;
    }
    if (c.leaving) {
        c.fade = std::min(255, c.fade + fade_out_step);
        return c.fade >= 255 ? creations_done : screen_running;
    }
    c.fade = std::max(0, c.fade - fade_in_step);
    for (const SDL_Event& e : in.events) {
        CreationsLayout l = creations_layout(c);
        if (e.type == SDL_MOUSEMOTION) c.pointer = {e.motion.x, e.motion.y};
        if (e.type == SDL_MOUSEBUTTONDOWN) c.pointer = {e.button.x, e.button.y};
        Intent intent = e.type == SDL_CONTROLLERAXISMOTION ? stick_intent(c, e) : intent_of(e);
        switch (c.view) {
            case CreationsView::list:
                list_event(c, l, e, intent, swipe, click);
                break;
            case CreationsView::findings:
                findings_event(c, l, e, intent, swipe, click);
                break;
            case CreationsView::name_entry:
                name_entry_event(c, l, e, intent, click);
                break;
            case CreationsView::confirm_delete:
                confirm_event(c, l, e, intent, swipe, click);
                break;
            case CreationsView::new_level:
                form_event(c, l, e, intent, swipe, click);
                break;
        }
        if (c.leaving) break;
    }
    c.row = std::clamp(c.row, 0, creations_row_count(c) - 1);
    c.action = std::clamp(c.action, 0,
                          std::max(0, static_cast<int>(creations_actions(c, c.row).size()) - 1));
    CreationsLayout l = creations_layout(c);
    c.hover_row = c.view == CreationsView::list ? creations_row_at(c, l, c.pointer) : -1;
    // The list glides so that the highlighted row shows.
    int first = static_cast<int>(std::lround(c.scroll));
    if (c.row < first) first = c.row;
    if (c.row >= first + l.rows_shown) first = c.row - l.rows_shown + 1;
    first = std::clamp(first, 0, std::max(0, creations_row_count(c) - l.rows_shown));
    c.scroll += (first - c.scroll) / 3;
    if (std::fabs(first - c.scroll) < 0.01) c.scroll = first;
    if (const LevelReport* level = creations_level_at(c, c.row)) creations_last_level = level->name;
    if (c.notice_frames > 0) c.notice_frames -= 1;
    return screen_running;
}

CreationsChoice creations_screen(bool from_menu) {
    Creations c = creations_open(creations_last_level, from_menu);
    CreationsArt art = creations_art();
    ChunkPtr swipe = load_sound("swipe.wav"), click = load_sound("click.wav");
    play_music(menu_music);
    SDL_StartTextInput();
    // What was pressed before the screen opened does not act on it; a close of the window does.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONUP);
    run_screen(
        [&](const Controls& in) {
            int result = creations_update(c, in, &swipe, &click);
            creations_prepare(art, c);
            return result;
        },
        [&] { creations_draw(c, art); });
    return c.choice;
}
