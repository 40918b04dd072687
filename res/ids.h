// Every id the resources and the code share, and the names of the stored
// values. The picture files of res/pictures carry the icon and picture ids
// in their names (icon-<id>-<size>.png, back-<id>.png).
#pragma once

#include "platform/platform.h"

// Strings.
constexpr UINT IDS_TITLE = 1;       // the program's name, the main window's title
constexpr UINT IDS_RULES_LINK = 2;  // the help viewer's argument, given the topic
constexpr UINT IDS_CLASS = 3;       // the main window's class name
constexpr UINT IDS_ABOUT = 4;       // the About box's caption
// The game-type names, in the order of the types (game/types.h).
constexpr UINT IDS_THROWN_UP = 300;
constexpr UINT IDS_THROWN_UP_TRANSFER = 301;
constexpr UINT IDS_BULK = 302;
constexpr UINT IDS_BULK_TRANSFER = 303;
constexpr UINT IDS_JAPANESE = 304;
constexpr UINT IDS_JAPANESE_TRANSFER = 305;
// Status lines and boxes.
constexpr UINT IDS_YOU_WIN = 306;
constexpr UINT IDS_TRANSFERRED = 307;  // the computer passed the attack on
constexpr UINT IDS_EXTRA_CARDS = 308;  // how many extra cards the human may give
constexpr UINT IDS_YOUR_MOVE = 309;
constexpr UINT IDS_TABLE_FULL = 310;    // six cards thrown in: no more
constexpr UINT IDS_COMPUTER_OUT = 311;  // the defending computer holds no card: no more
constexpr UINT IDS_ASK_TRANSFER = 312;
constexpr UINT IDS_SELECT_COUNT = 313;
constexpr UINT IDS_BAD_SELECTION = 314;
constexpr UINT IDS_SELECT_A_CARD = 315;
constexpr UINT IDS_TAKEN_WITH_EXTRAS = 316;
constexpr UINT IDS_TAKEN = 317;
constexpr UINT IDS_OK_YOUR_MOVE = 318;
// The card-back names, by back index; then the table colours, by background.
constexpr UINT IDS_BACK_PLAITING = 319;
constexpr UINT IDS_BACK_FISH = 320;
constexpr UINT IDS_BACK_JOCONDA = 321;
constexpr UINT IDS_BACK_GRADIENT = 322;
constexpr UINT IDS_BACK_PATTERN = 323;
constexpr UINT IDS_COLOUR_GREEN = 324;
constexpr UINT IDS_COLOUR_BLACK = 325;
constexpr UINT IDS_COLOUR_DARK_RED = 326;
constexpr UINT IDS_COLOUR_BLUE = 327;
constexpr UINT IDS_COLOUR_GRAY = 328;
// The account of play, beside the status line; each names the cards itself.
constexpr UINT IDS_LOG_NEW_GAME_SHOWN = 400;  // type, trump card, trump suit, who leads
constexpr UINT IDS_LOG_NEW_GAME = 401;        // type, trump suit, who leads
constexpr UINT IDS_LOG_HUMAN_LEADS_GAME = 402;
constexpr UINT IDS_LOG_COMPUTER_LEADS_GAME = 403;
constexpr UINT IDS_LOG_SUIT_DIAMONDS = 404;  // the suits by name, in suit order
constexpr UINT IDS_LOG_SUIT_HEARTS = 405;
constexpr UINT IDS_LOG_SUIT_CLUBS = 406;
constexpr UINT IDS_LOG_SUIT_SPADES = 407;
// Each event twice, the human's then the computer's.
constexpr UINT IDS_LOG_HUMAN_LEADS = 410;
constexpr UINT IDS_LOG_COMPUTER_LEADS = 411;
constexpr UINT IDS_LOG_HUMAN_THROWS_IN = 412;
constexpr UINT IDS_LOG_COMPUTER_THROWS_IN = 413;
constexpr UINT IDS_LOG_HUMAN_COVERS = 414;  // the covered card, the cover
constexpr UINT IDS_LOG_COMPUTER_COVERS = 415;
constexpr UINT IDS_LOG_HUMAN_COVERS_TRUMP = 416;  // a trump on a plain card
constexpr UINT IDS_LOG_COMPUTER_COVERS_TRUMP = 417;
constexpr UINT IDS_LOG_HUMAN_TRANSFERS = 418;
constexpr UINT IDS_LOG_COMPUTER_TRANSFERS = 419;
constexpr UINT IDS_LOG_HUMAN_GIVES_EXTRA = 420;
constexpr UINT IDS_LOG_COMPUTER_GIVES_EXTRA = 421;
constexpr UINT IDS_LOG_HUMAN_TAKES = 422;  // how many cards
constexpr UINT IDS_LOG_COMPUTER_TAKES = 423;
constexpr UINT IDS_LOG_HUMAN_TAKES_ONE = 424;
constexpr UINT IDS_LOG_COMPUTER_TAKES_ONE = 425;
constexpr UINT IDS_LOG_HUMAN_DRAWS = 426;     // the cards drawn, named
constexpr UINT IDS_LOG_COMPUTER_DRAWS = 427;  // how many
constexpr UINT IDS_LOG_COMPUTER_DRAWS_ONE = 429;
constexpr UINT IDS_LOG_HUMAN_WINS = 430;  // the score: the human's, the computer's
constexpr UINT IDS_LOG_COMPUTER_WINS = 431;
constexpr UINT IDS_LOG_BEATEN = 432;     // how many cards go to the discard
constexpr UINT IDS_LOG_LIST_JOIN = 433;  // between two cards of a list
// Refused plays, each naming its cards; the order of enum Refusal.
constexpr UINT IDS_LOG_REFUSED_NO_CARD = 440;
constexpr UINT IDS_LOG_REFUSED_TABLE_FULL = 441;  // how many cards
constexpr UINT IDS_LOG_REFUSED_COMPUTER_OUT = 442;
constexpr UINT IDS_LOG_REFUSED_RANK = 443;          // the ranks that may be added
constexpr UINT IDS_LOG_REFUSED_SELECT_COUNT = 444;  // how many cards
constexpr UINT IDS_LOG_REFUSED_COVER_ALL = 445;     // the card none of them beats
constexpr UINT IDS_LOG_REFUSED_CANNOT_BEAT = 446;   // the card, what it cannot beat
constexpr UINT IDS_LOG_REFUSED_SPADE_ONLY = 447;    // the spade
constexpr UINT IDS_LOG_REFUSED_NO_EXTRA_CARD = 448;
constexpr UINT IDS_LOG_REFUSED_EXTRA_RANK = 449;  // the ranks that may be given
constexpr UINT IDS_LOG_REFUSED_SELECT_ONE = 450;
constexpr UINT IDS_LOG_REFUSED_COVER_TOGETHER = 451;  // how many attack cards
constexpr UINT IDS_LOG_RANK_A = 452;                  // a rank with its article
constexpr UINT IDS_LOG_RANK_AN = 453;                 // before a vowel sound: 8, A
constexpr UINT IDS_LOG_RANK_OR = 454;                 // before the last rank of a list
// What the page says aloud for a screen reader, beside the picture.
constexpr UINT IDS_SAY_FOCUS = 460;           // the framed card, its place, the hand's size
constexpr UINT IDS_SAY_FOCUS_SELECTED = 461;  // the same, for a selected card
constexpr UINT IDS_SAY_HAND_EMPTY = 462;
constexpr UINT IDS_SAY_HAND = 463;           // how many cards, the cards
constexpr UINT IDS_SAY_HAND_ONE = 464;       // the card
constexpr UINT IDS_SAY_CARD_SELECTED = 465;  // a card of the hand read out
constexpr UINT IDS_SAY_TABLE_EMPTY = 466;
constexpr UINT IDS_SAY_TABLE = 467;  // the attack cards, each with its cover
constexpr UINT IDS_SAY_TABLE_JOIN = 468;
constexpr UINT IDS_SAY_MY_CARD_BEATEN = 469;  // the computer's attack card, the human's cover
constexpr UINT IDS_SAY_MY_CARD_OPEN = 470;
constexpr UINT IDS_SAY_YOUR_CARD_BEATEN = 471;  // the human's attack card, the computer's cover
constexpr UINT IDS_SAY_YOUR_CARD_OPEN = 472;
constexpr UINT IDS_SAY_TRUMP_CARD = 473;  // the turned-up card, the trump suit
constexpr UINT IDS_SAY_TRUMP_SUIT = 474;
constexpr UINT IDS_SAY_STOCK = 475;  // cards left to draw, a turned-up trump among them
constexpr UINT IDS_SAY_STOCK_ONE = 476;
constexpr UINT IDS_SAY_STOCK_EMPTY = 477;
constexpr UINT IDS_SAY_COMPUTER_HOLDS = 478;  // how many cards
constexpr UINT IDS_SAY_COMPUTER_HOLDS_ONE = 479;
constexpr UINT IDS_SAY_COMPUTER_EMPTY = 480;
constexpr UINT IDS_SAY_COMPUTER_STACKED = 481;  // the count hidden by the option
constexpr UINT IDS_SAY_COMPUTER_SHOWN = 482;    // the open view: the cards
constexpr UINT IDS_SAY_BUTTONS = 483;           // the lower button's move, the upper's
constexpr UINT IDS_SAY_LOWER_TAKE = 484;
constexpr UINT IDS_SAY_LOWER_DONE = 485;
constexpr UINT IDS_SAY_LOWER_LET_TAKE = 486;  // while the human may give extra cards
constexpr UINT IDS_SAY_UPPER_BY_SUIT = 487;
constexpr UINT IDS_SAY_UPPER_BY_RANK = 488;
constexpr UINT IDS_LOG_RESUMED = 510;            // a kept game taken up: its type, the trump suit
constexpr UINT IDS_LOG_RULES_UNAVAILABLE = 511;  // the Rules command found no page or viewer
// Hints: the move the Expert would make in the human's place.
constexpr UINT IDS_HINT_LEAD = 512;        // the card
constexpr UINT IDS_HINT_THROW_IN = 513;    // the card
constexpr UINT IDS_HINT_COVER = 514;       // the attack card, the cover
constexpr UINT IDS_HINT_COVER_MORE = 515;  // each further pair of a cover of several
constexpr UINT IDS_HINT_TRANSFER = 516;    // the card
constexpr UINT IDS_HINT_TAKE = 517;
constexpr UINT IDS_HINT_END_BOUT = 518;
constexpr UINT IDS_HINT_EXTRA = 519;  // the card
constexpr UINT IDS_HINT_STOP = 520;
constexpr UINT IDS_HINT_NONE = 521;  // no move of the human's is awaited
// The Records dialog: its caption, column heads and buttons, the Clear
// question, the cells of a row.
constexpr UINT IDS_RECORDS = 490;
constexpr UINT IDS_RECORDS_TYPE = 491;
constexpr UINT IDS_RECORDS_FINISHED = 492;
constexpr UINT IDS_RECORDS_WON = 493;
constexpr UINT IDS_RECORDS_LOST = 494;
constexpr UINT IDS_RECORDS_RATE = 495;
constexpr UINT IDS_RECORDS_STREAK = 496;
constexpr UINT IDS_RECORDS_BEST = 497;
constexpr UINT IDS_RECORDS_ABANDONED = 498;
constexpr UINT IDS_RECORDS_CLEAR = 499;
constexpr UINT IDS_RECORDS_CLOSE = 500;
constexpr UINT IDS_RECORDS_ASK_CLEAR = 501;
constexpr UINT IDS_RECORDS_PERCENT = 502;      // a win rate in whole percent
constexpr UINT IDS_RECORDS_NO_RATE = 503;      // no game finished yet
constexpr UINT IDS_RECORDS_WON_STREAK = 504;   // how many won in a row
constexpr UINT IDS_RECORDS_LOST_STREAK = 505;  // how many lost in a row
constexpr UINT IDS_RECORDS_NO_STREAK = 506;
constexpr UINT IDS_RECORDS_EXPERT = 507;  // the title of the records against the Expert

// The topic of the rules page the Rules command opens (its anchor).
constexpr int IDH_RULES = 99;

// Menu commands.
constexpr UINT IDM_EXIT = 40002;
constexpr UINT IDM_ABOUT = 40003;
constexpr UINT IDM_NEW = 40012;
constexpr UINT IDM_RULES = 40013;
constexpr UINT IDM_OPTIONS = 40014;
constexpr UINT IDM_STATISTICS = 40015;
// The Pace menu, beside the handheld's two: how long moves stay in view.
constexpr UINT IDM_PACE_OFF = 40020;
constexpr UINT IDM_PACE_NORMAL = 40021;
constexpr UINT IDM_PACE_SLOW = 40022;
constexpr UINT IDM_ACCOUNT_PANEL = 40023;  // the account of play beside the table
constexpr UINT IDM_RECORDS = 40024;        // each game type's record
// The Play menu: which computer player plays, and a hint for the human.
constexpr UINT IDM_HINT = 40025;
constexpr UINT IDM_OPPONENT_CLASSIC = 40026;
constexpr UINT IDM_OPPONENT_EXPERT = 40027;

// Menus: the main window's bar and the Options page's.
constexpr UINT IDR_MAIN_MENU = 102;
constexpr UINT IDR_OPTIONS_MENU = 145;
// The main window's accelerator table.
constexpr UINT IDR_ACCELERATORS = 3;

// Dialogs and their controls.
constexpr UINT IDD_OPTIONS = 130;
constexpr UINT IDD_STATISTICS = 131;
constexpr UINT IDD_RECORDS = 132;
constexpr WORD IDC_CARD_BACKS = 1003;
constexpr WORD IDC_COUNTS = 1005;  // Statistics: the two scores
constexpr WORD IDC_BACKGROUNDS = 1006;
constexpr WORD IDC_DOUBLE_TAP = 1008;
constexpr WORD IDC_CARDS_LEFT = 1011;
constexpr WORD IDC_CLEAR = 1012;  // Statistics: clear the scores
constexpr WORD IDC_HIDE_COUNT = 1014;
constexpr WORD IDC_GAME_TYPES = 1015;
// Records: the column of type names, then one column a field; each
// column's heads are the control ten above it.
constexpr WORD IDC_RECORD_TYPES = 1020;
constexpr WORD IDC_RECORD_FINISHED = 1021;
constexpr WORD IDC_RECORD_WON = 1022;
constexpr WORD IDC_RECORD_LOST = 1023;
constexpr WORD IDC_RECORD_RATE = 1024;
constexpr WORD IDC_RECORD_STREAK = 1025;
constexpr WORD IDC_RECORD_BEST = 1026;
constexpr WORD IDC_RECORD_ABANDONED = 1027;
constexpr WORD IDC_RECORD_CLEAR = 1028;
constexpr WORD IDC_RECORD_HEADS = 10;  // from a column to its heads

// Icons.
constexpr UINT IDI_PROGRAM = 101;
constexpr UINT IDI_DIAMONDS = 105;
constexpr UINT IDI_HEARTS = 106;
constexpr UINT IDI_SPADES = 107;
constexpr UINT IDI_CLUBS = 108;
constexpr UINT IDI_TAKE = 117;  // the lower button while the computer attacks
constexpr UINT IDI_OK = 119;    // the lower button otherwise
constexpr UINT IDI_SORT = 124;  // the upper button
constexpr UINT IDI_BLANK = 142;

// Pictures: the card backs, of resource type "GIF".
constexpr UINT IDB_BACK_PLAITING = 116;
constexpr UINT IDB_BACK_FISH = 127;
constexpr UINT IDB_BACK_JOCONDA = 128;
constexpr UINT IDB_BACK_GRADIENT = 129;
constexpr UINT IDB_BACK_PATTERN = 135;

// Names of the values in the store.
inline constexpr wchar_t kValueGameType[] = L"type";
inline constexpr wchar_t kValueHideCount[] = L"hidev";  // 5 hides the opponent's cards
inline constexpr wchar_t kValueCardsLeft[] = L"cidc";
inline constexpr wchar_t kValueDoubleTap[] = L"wc";
inline constexpr wchar_t kValueBackground[] = L"blackbg";
inline constexpr wchar_t kValueCardBack[] = L"back";
inline constexpr wchar_t kValueComputerWins[] = L"statc";
inline constexpr wchar_t kValueHumanWins[] = L"statu";
// In the window's own section (kWindowKey): how the last run left it.
inline constexpr wchar_t kValueWindowWidth[] = L"width";  // in the display's points
inline constexpr wchar_t kValueWindowHeight[] = L"height";
inline constexpr wchar_t kValueFullScreen[] = L"fullscreen";  // 1: filled the display
inline constexpr wchar_t kValuePace[] = L"pace";  // 1 off, 2 normal, 3 slow; absent: normal
inline constexpr wchar_t kValueAccountPanel[] = L"account";  // 1 shown, 2 hidden; absent: shown
inline constexpr wchar_t kValueOpponent[] = L"opponent";     // 1 Classic, 2 Expert; absent: Classic
// In the Records section (kRecordsKey): t<type>.<opponent>.<field>, e.g.
// t0.classic.won; the streak is an int32's bits, wins above 0.
inline constexpr wchar_t kOpponentClassic[] = L"classic";  // the rules' own computer player
inline constexpr wchar_t kOpponentExpert[] = L"expert";    // the one that searches
inline constexpr wchar_t kValueRecordWon[] = L"won";
inline constexpr wchar_t kValueRecordLost[] = L"lost";
inline constexpr wchar_t kValueRecordAbandoned[] = L"abandoned";
inline constexpr wchar_t kValueRecordStreak[] = L"streak";
inline constexpr wchar_t kValueRecordBest[] = L"best";
