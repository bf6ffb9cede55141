// The game's script: the lines of every dialogue page and what each page changes
// in the story while it is up.
#include "events/pages.h"

#include <allegro.h>

#include <algorithm>

#include "core/game_state.h"
#include "events/endings.h"
#include "events/page_drawing.h"
#include "events/title_warning.h"
#include "text/text.h"
#include "world/room.h"

namespace {

struct Page {
    EventCode code;
    std::vector<PageLine> lines;
    // Applied on every frame that draws the page, after its lines; repeating them is harmless.
    void (*effects)() = nullptr;
};

constexpr PageLine lone(const char* text) { return {0, 0, text}; }

void become_knight() { game.isKnight = true; }

void companions_join()
{
    game.hasCompanions = true;
    game.playerX = 220.0;
    room_at(50).hasResident = false;
}

void put_on_uniform()
{
    game.inUniform = true;
    // The war is heard in the first room that carries it.
    game.ambienceCountdown = 0;
}

void last_orders() { game.clockHand = 4; }

void beaten_by_loan_sharks()
{
    game.isInjured = true;
    Room& room = room_at(27);
    room.hasResident = true;
    room.residentSprite = 15;
    room.residentX = 210;
    room.followerMode = 1;
    room.followerSprite = 43;
    room.followerX = -20;
    game.playerX = 230.0;
}

void first_drink()
{
    Room& pub = room_at(26);
    pub.hasResident = true;
    pub.residentSprite = 15;
    pub.residentX = 140;
    game.clockHand = 1;
}

void second_drink() { game.clockHand = 2; }
void third_drink() { game.clockHand = 3; }

// Code 2: the girl in room 2, who grows sadder with every ending found.
// Entry n is shown with n endings found; the last one from six on.
const std::vector<PageLine> girlInRoom2[7] = {
    {lone("Good morning. Nice day, isn't it?")},
    {lone("Where are you off to today?")},
    {{1, 3, "Oh, fine, walk on by. Don't pay any"},
     {2, 3, "attention to me. I'm just the same"},
     {3, 3, "girl you ignore every day."}},
    {{1, 2, "I've had to look out for myself."}, {2, 2, "I've had to walk the path alone."}},
    {{1, 4, "Sometimes I feel like it doesn't"}, {2, 4, "really matter what I do."}, {4, 4, "Nothing changes."}},
    {{1, 2, "Life is just a series of questions"}, {2, 2, "with no right answers."}},
    {lone("Please... stay with me, for a while...")},
};

const Page dialoguePages[] = {
    {1, {{1, 1, "I worry when you're away..."}}},
    {3, {{1, 2, "The path ahead is closed. You"}, {2, 2, "should take the path north instead."}}},
    {4, {{1, 2, "Foolish human! Turn back or"}, {2, 2, "I will devour you!"}}},
    {5, {{1, 2, "Welcome! The King wishes to"}, {2, 2, "reward you for your heroism!"}}},
    {6,
     {{1, 4, "Arise, noble hero!"},
      {3, 4, "We need your help. A powerful"},
      {4, 4, "dragon threatens our kingdom."}},
     become_knight},
    {7, {{1, 4, "My son, a great hero!"}, {2, 4, "I knew this day would come!"}, {4, 4, "I'm so proud of you!"}}},
    {8,
     {{1, 3, "No one has ever faced the"},
      {2, 3, "dragon and lived. Turn back"},
      {3, 3, "while you still can."}}},
    {9, {lone("It's... too... powerful...")}},
    {10, {{1, 2, "Mighty hero! We wish to"}, {2, 2, "aid you on your quest!"}}, companions_join},
    {11,
     {{1, 4, "You're home safe! I was so worried..."},
      {3, 4, "I don't know what I'd do if that"},
      {4, 4, "monster had taken you from me too..."}}},
    {12, {{1, 2, "You're late... What"}, {2, 2, "took you so long?"}}},
    {13, {lone("Daddy! Daddy! Look what I drew!")}},
    {14,
     {{1, 3, "I left some dinner for you in"},
      {2, 3, "the fridge. You can heat it up"},
      {3, 3, "if you're hungry."}}},
    {15, {{1, 2, "...You're leaving already?"}, {2, 2, "But you just got back..."}}},
    {16, {{1, 2, "Please... don't be away for"}, {2, 2, "too long this time..."}}},
    {17, {{1, 2, "No... it... can't be..."}, {2, 2, "You wouldn't..."}}},
    {18, {{1, 2, "D...Don't just walk away"}, {2, 2, "from me! How dare you!"}}},
    {19, {{1, 2, "Our marriage is through!"}, {2, 2, "I hope you're happy!"}}},
    {20,
     {{1, 3, "I'm just glad you're finally"},
      {2, 3, "here. I've missed you so much!"},
      {3, 3, "Come over here..."}}},
    {21,
     {{1, 5, "Sorry to have to call you back from"},
      {2, 5, "your family, Soldier, but we need every"},
      {3, 5, "man we can get. The enemy is advancing."},
      {5, 5, "Here's your uniform."}},
     put_on_uniform},
    {22, {{1, 2, "Welcome home honey!"}, {2, 2, "How did things go today?"}}},
    {23,
     {{1, 3, "I know things are hard right now,"},
      {2, 3, "but I'm sure a job will come up"},
      {3, 3, "eventually... Keep looking, we'll be ok!"}}},
    {24, {lone("Last orders.")}, last_orders},
    {25, {{1, 1, "Ah! Look who it is!"}}},
    {26, {{1, 2, "What do you mean you need more time?"}, {2, 2, "You've had enough time already!"}}},
    {27, {{1, 2, "That's it! We warned you what would"}, {2, 2, "happen if you didn't repay us!"}},
     beaten_by_loan_sharks},
    {28, {lone("The usual?")}, first_drink},
    {29, {lone("Another?")}, second_drink},
    {30, {lone("One more for the road?")}, third_drink},
    {31, {{1, 2, "I'm sorry... I don't"}, {2, 2, "know where she is..."}}},
    {32, {lone("Hurry. She worries when you're away.")}},
    {33, {lone("...")}},
    {34, {{1, 2, "Maybe Mum knows where she"}, {2, 2, "is. She can help!"}}},
    {35, {{1, 2, "Foolish human! The mind is everything!"}, {2, 2, "What you think, you become."}}},
    {36, {lone("I haven't seen her. Sorry.")}},
    {37, {lone("She's not here. Keep moving, Soldier.")}},
    {38, {lone("Good luck on your quest, noble hero.")}},
    {39, {lone("I wish you could stay with me instead...")}},
    {41, {{1, 2, "I'm so sorry... I don't"}, {2, 2, "know where she is..."}}},
};

const Page* find_page(EventCode code)
{
    for (const Page& page : dialoguePages)
        if (page.code == code) return &page;
    return nullptr;
}

}  // namespace

const std::vector<PageLine>* page_lines(EventCode code, int endingsCount)
{
    if (code == 2) return &girlInRoom2[std::clamp(endingsCount, 0, 6)];
    const Page* page = find_page(code);
    return page ? &page->lines : nullptr;
}

void draw_event_text(RenderContext& context, EventCode code)
{
    switch (code) {
    case TITLE_PAGE: draw_title_page(context); return;
    case CONTINUE_PROMPT: draw_continue_prompt(context); return;
    case END_PAGE: draw_end_page(context); return;
    default: break;
    }

    // Code 2 first brings the count up to date, then speaks by it.
    if (code == 2) count_endings();
    const std::vector<PageLine>* lines = page_lines(code, game.endingsCount);
    if (!lines) {
        draw_error_page(context);
        return;
    }

    draw_page_lines(context, code, game.endingsCount);
    apply_page_effects(code);
}

void draw_page_lines(RenderContext& context, EventCode code, int endingsCount)
{
    const std::vector<PageLine>* lines = page_lines(code, endingsCount);
    if (!lines) return;
    const int grey = dialogue_grey();
    for (const PageLine& line : *lines)
        draw_text_line(context, 5, 5, line.text, grey, grey, grey, true, line.index, line.count);
}

void apply_page_effects(EventCode code)
{
    const Page* page = find_page(code);
    if (page && page->effects) page->effects();
}

void draw_title_page(RenderContext& context)
{
    FontFace* titleFont = context.titleFont;
    if (context.backBuffer && titleFont) {
        const int x = 320 - face_text_width(titleFont, TITLE_NAME) / 2;
        // Four black copies around the name give it a 2-pixel outline.
        const int black = makecol(0, 0, 0);
        face_draw_text(context.backBuffer, titleFont, TITLE_NAME, x - 2, 150, black);
        face_draw_text(context.backBuffer, titleFont, TITLE_NAME, x + 2, 150, black);
        face_draw_text(context.backBuffer, titleFont, TITLE_NAME, x, 148, black);
        face_draw_text(context.backBuffer, titleFont, TITLE_NAME, x, 152, black);
        const int tint = makecol(255 - game.pulse100, 255 - 2 * game.pulse50, 255 - game.pulse100 / 2);
        face_draw_text(context.backBuffer, titleFont, TITLE_NAME, x, 150, tint);
    }

    const int grey = dialogue_grey();
    draw_text_line(context, -1, 415, "[Press Space to Begin]", grey, grey, grey, false, 0, 0);
    count_step(context, 3);
    draw_small_centred(context, TITLE_CREDIT, 445, title_small_grey());
    draw_small_centred(context, title_warning_line().c_str(), TITLE_WARNING_Y, title_small_grey());
}

void draw_error_page(RenderContext& context)
{
    const int red = 255 - game.pulse100;
    draw_text_line(context, 5, 5, "ERROR: oops a daisy", red, 196, 196, true, 1, 2);
    draw_text_line(context, 5, 5, "you shouldn't be seeing this", red, 196, 196, true, 2, 2);
}
