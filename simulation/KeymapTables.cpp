// The default keymaps of the seven terminal models, entry by entry at their fixed indexes.
#include "simulation/Keymap.h"

namespace
{

constexpr KEYMAP_KEY KEY_EMPTY{0, "", 0};
constexpr KEYMAP_KEY KEY_END{0xFFFF, "", 0};

} // namespace

// Codes: a one-character name is its own ASCII code; the other names have fixed codes.
// Indexes after the last entry written are empty.

// M-13 family: index = layer * 32 + position.
extern constexpr KEYMAP_KEY KEYMAP_M13[KEYMAP_SIZE] = {
    // Layer 0 (indexes 0 ... 31): plain keys
    /*   0 */ {3315, "7", '7'},
    /*   1 */ {3300, "4", '4'},
    /*   2 */ {3285, "1", '1'},
    /*   3 */ {3336, "Clr", 0x08},
    /*   4 */ {3202, "ALP", 0x00},
    /*   5 */ {3250, "F1", 0x86},
    /*   6 */ {3207, "Ent", 0x0D},
    /*   7 */ KEY_EMPTY,
    /*   8 */ {3320, "8", '8'},
    /*   9 */ {3305, "5", '5'},
    /*  10 */ {3290, "2", '2'},
    /*  11 */ {3280, "0", '0'},
    /*  12 */ {3209, "Left", 0x11},
    /*  13 */ {3213, "Up", 0x13},
    /*  14 */ {3251, "F2", 0x87},
    /*  15 */ KEY_EMPTY,
    /*  16 */ {3325, "9", '9'},
    /*  17 */ {3310, "6", '6'},
    /*  18 */ {3295, "3", '3'},
    /*  19 */ {3331, ".", '.'},
    /*  20 */ {3210, "*Rig", 0x10},
    /*  21 */ {3214, "Down", 0x12},
    /*  22 */ {3252, "F3", 0x88},
    /*  23 ... 26 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  27 */ {3216, "Esc", 0x84},
    /*  28 */ {3206, "Spc", 0x20},
    /*  29 */ {3201, "Cmd", 0x80},
    /*  30 */ {3253, "F4", 0x89},
    /*  31 */ KEY_EMPTY,
    // Layer 1 (indexes 32 ... 63): first alpha character (alpha shift with the previous selector)
    /*  32 */ {3316, "S", 'S'},
    /*  33 */ {3301, "J", 'J'},
    /*  34 */ {3286, "A", 'A'},
    /*  35 */ {3336, "Clr", 0x08},
    /*  36 */ KEY_EMPTY,
    /*  37 */ {3250, "F1", 0x86},
    /*  38 */ {3207, "Ent", 0x0D},
    /*  39 */ KEY_EMPTY,
    /*  40 */ {3321, "V", 'V'},
    /*  41 */ {3306, "M", 'M'},
    /*  42 */ {3291, "D", 'D'},
    /*  43 */ {3281, "@", '@'},
    /*  44 */ {3209, "Left", 0x11},
    /*  45 */ {3213, "Up", 0x13},
    /*  46 */ {3251, "F2", 0x87},
    /*  47 */ KEY_EMPTY,
    /*  48 */ {3326, "Y", 'Y'},
    /*  49 */ {3311, "P", 'P'},
    /*  50 */ {3296, "G", 'G'},
    /*  51 */ {3332, ";", ';'},
    /*  52 */ {3210, "*Rig", 0x10},
    /*  53 */ {3214, "Down", 0x12},
    /*  54 */ {3252, "F3", 0x88},
    /*  55 ... 58 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  59 */ {3216, "Esc", 0x84},
    /*  60 */ {3206, "Spc", 0x20},
    /*  61 */ {3201, "Cmd", 0x80},
    /*  62 */ {3253, "F4", 0x89},
    /*  63 */ KEY_EMPTY,
    // Layer 2 (indexes 64 ... 95): second alpha character (alpha shift alone)
    /*  64 */ {3317, "T", 'T'},
    /*  65 */ {3302, "K", 'K'},
    /*  66 */ {3287, "B", 'B'},
    /*  67 */ {3336, "Clr", 0x08},
    /*  68 */ KEY_EMPTY,
    /*  69 */ {3250, "F1", 0x86},
    /*  70 */ {3207, "Ent", 0x0D},
    /*  71 */ KEY_EMPTY,
    /*  72 */ {3322, "W", 'W'},
    /*  73 */ {3307, "N", 'N'},
    /*  74 */ {3292, "E", 'E'},
    /*  75 */ {3282, "?", '?'},
    /*  76 */ {3209, "Left", 0x11},
    /*  77 */ {3213, "Up", 0x13},
    /*  78 */ {3251, "F2", 0x87},
    /*  79 */ KEY_EMPTY,
    /*  80 */ {3327, "Z", 'Z'},
    /*  81 */ {3312, "Q", 'Q'},
    /*  82 */ {3297, "H", 'H'},
    /*  83 */ {3333, ".", '.'},
    /*  84 */ {3210, "*Rig", 0x10},
    /*  85 */ {3214, "Down", 0x12},
    /*  86 */ {3252, "F3", 0x88},
    /*  87 ... 90 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  91 */ {3216, "Esc", 0x84},
    /*  92 */ {3206, "Spc", 0x20},
    /*  93 */ {3201, "Cmd", 0x80},
    /*  94 */ {3253, "F4", 0x89},
    /*  95 */ KEY_EMPTY,
    // Layer 3 (indexes 96 ... 127): third alpha character (alpha shift with the next selector)
    /*  96 */ {3318, "U", 'U'},
    /*  97 */ {3303, "L", 'L'},
    /*  98 */ {3288, "C", 'C'},
    /*  99 */ {3339, "Clr", 0x08},
    /* 100 */ KEY_EMPTY,
    /* 101 */ {3250, "F1", 0x86},
    /* 102 */ {3207, "Ent", 0x0D},
    /* 103 */ KEY_EMPTY,
    /* 104 */ {3323, "X", 'X'},
    /* 105 */ {3308, "O", 'O'},
    /* 106 */ {3293, "F", 'F'},
    /* 107 */ {3283, "&", '&'},
    /* 108 */ {3209, "Left", 0x11},
    /* 109 */ {3213, "Up", 0x13},
    /* 110 */ {3251, "F2", 0x87},
    /* 111 */ KEY_EMPTY,
    /* 112 */ {3328, "_", '_'},
    /* 113 */ {3313, "R", 'R'},
    /* 114 */ {3298, "I", 'I'},
    /* 115 */ {3334, ",", ','},
    /* 116 */ {3210, "*Rig", 0x10},
    /* 117 */ {3214, "Down", 0x12},
    /* 118 */ {3252, "F3", 0x88},
    /* 119 ... 122 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /* 123 */ {3216, "Esc", 0x84},
    /* 124 */ {3206, "Spc", 0x20},
    /* 125 */ {3201, "Cmd", 0x80},
    /* 126 */ {3253, "F4", 0x89},
    /* 127 */ KEY_EMPTY,
    // Layer 4 (indexes 128 ... 159): command shift
    /* 128 */ {3319, "-", '-'},
    /* 129 */ {3304, ":", ':'},
    /* 130 */ {3289, "#", '#'},
    /* 131 */ {3340, "\\", '\\'},
    /* 132 */ {3205, "Esc", 0x84},
    /* 133 */ {3254, "F5", 0x8A},
    /* 134 */ {3207, "Ent", 0x0D},
    /* 135 */ KEY_EMPTY,
    /* 136 */ {3324, "+", '+'},
    /* 137 */ {3309, "=", '='},
    /* 138 */ {3294, "$", '$'},
    /* 139 */ {3284, "'", '\''},
    /* 140 */ {3209, "Left", 0x11},
    /* 141 */ {3211, "PgUp", 0x92},
    /* 142 */ {3255, "F6", 0x8B},
    /* 143 */ KEY_EMPTY,
    /* 144 */ {3329, "*", '*'},
    /* 145 */ {3314, "/", '/'},
    /* 146 */ {3299, "%", '%'},
    /* 147 */ {3335, "!", '!'},
    /* 148 */ {3210, "*Rig", 0x10},
    /* 149 */ {3212, "PgDn", 0x93},
    /* 150 */ {3256, "F7", 0x8C},
    /* 151 ... 154 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /* 155 */ {3216, "Esc", 0x84},
    /* 156 */ {3206, "Spc", 0x20},
    /* 157 */ {3201, "Cmd", 0x80},
    /* 158 */ {3257, "F8", 0x8D},
    /* 159 */ KEY_EMPTY,
    /* 160 */ KEY_END,
    // 161 ... 255: empty
};

// M-10: the M-13 layout without the separate Esc key (position 27), and with the letters and
// command characters of positions 0/2, 8/10 and 16/18 exchanged so the letters start at the top row.
extern constexpr KEYMAP_KEY KEYMAP_M10[KEYMAP_SIZE] = {
    // Layer 0 (indexes 0 ... 31): plain keys
    /*   0 */ {3315, "7", '7'},
    /*   1 */ {3300, "4", '4'},
    /*   2 */ {3285, "1", '1'},
    /*   3 */ {3336, "Clr", 0x08},
    /*   4 */ {3202, "ALP", 0x00},
    /*   5 */ {3250, "F1", 0x86},
    /*   6 */ {3207, "Ent", 0x0D},
    /*   7 */ KEY_EMPTY,
    /*   8 */ {3320, "8", '8'},
    /*   9 */ {3305, "5", '5'},
    /*  10 */ {3290, "2", '2'},
    /*  11 */ {3280, "0", '0'},
    /*  12 */ {3209, "Left", 0x11},
    /*  13 */ {3213, "Up", 0x13},
    /*  14 */ {3251, "F2", 0x87},
    /*  15 */ KEY_EMPTY,
    /*  16 */ {3325, "9", '9'},
    /*  17 */ {3310, "6", '6'},
    /*  18 */ {3295, "3", '3'},
    /*  19 */ {3331, ".", '.'},
    /*  20 */ {3210, "*Rig", 0x10},
    /*  21 */ {3214, "Down", 0x12},
    /*  22 */ {3252, "F3", 0x88},
    /*  23 ... 27 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  28 */ {3206, "Spc", 0x20},
    /*  29 */ {3201, "Cmd", 0x80},
    /*  30 */ {3253, "F4", 0x89},
    /*  31 */ KEY_EMPTY,
    // Layer 1 (indexes 32 ... 63): first alpha character (alpha shift with the previous selector)
    /*  32 */ {3316, "A", 'A'},
    /*  33 */ {3301, "J", 'J'},
    /*  34 */ {3286, "S", 'S'},
    /*  35 */ {3336, "Clr", 0x08},
    /*  36 */ KEY_EMPTY,
    /*  37 */ {3250, "F1", 0x86},
    /*  38 */ {3207, "Ent", 0x0D},
    /*  39 */ KEY_EMPTY,
    /*  40 */ {3321, "D", 'D'},
    /*  41 */ {3306, "M", 'M'},
    /*  42 */ {3291, "V", 'V'},
    /*  43 */ {3281, "@", '@'},
    /*  44 */ {3209, "Left", 0x11},
    /*  45 */ {3213, "Up", 0x13},
    /*  46 */ {3251, "F2", 0x87},
    /*  47 */ KEY_EMPTY,
    /*  48 */ {3326, "G", 'G'},
    /*  49 */ {3311, "P", 'P'},
    /*  50 */ {3296, "Y", 'Y'},
    /*  51 */ {3332, ";", ';'},
    /*  52 */ {3210, "*Rig", 0x10},
    /*  53 */ {3214, "Down", 0x12},
    /*  54 */ {3252, "F3", 0x88},
    /*  55 ... 59 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  60 */ {3206, "Spc", 0x20},
    /*  61 */ {3201, "Cmd", 0x80},
    /*  62 */ {3253, "F4", 0x89},
    /*  63 */ KEY_EMPTY,
    // Layer 2 (indexes 64 ... 95): second alpha character (alpha shift alone)
    /*  64 */ {3317, "B", 'B'},
    /*  65 */ {3302, "K", 'K'},
    /*  66 */ {3287, "T", 'T'},
    /*  67 */ {3336, "Clr", 0x08},
    /*  68 */ KEY_EMPTY,
    /*  69 */ {3250, "F1", 0x86},
    /*  70 */ {3207, "Ent", 0x0D},
    /*  71 */ KEY_EMPTY,
    /*  72 */ {3322, "E", 'E'},
    /*  73 */ {3307, "N", 'N'},
    /*  74 */ {3292, "W", 'W'},
    /*  75 */ {3282, "?", '?'},
    /*  76 */ {3209, "Left", 0x11},
    /*  77 */ {3213, "Up", 0x13},
    /*  78 */ {3251, "F2", 0x87},
    /*  79 */ KEY_EMPTY,
    /*  80 */ {3327, "H", 'H'},
    /*  81 */ {3312, "Q", 'Q'},
    /*  82 */ {3297, "Z", 'Z'},
    /*  83 */ {3333, ".", '.'},
    /*  84 */ {3210, "*Rig", 0x10},
    /*  85 */ {3214, "Down", 0x12},
    /*  86 */ {3252, "F3", 0x88},
    /*  87 ... 91 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  92 */ {3206, "Spc", 0x20},
    /*  93 */ {3201, "Cmd", 0x80},
    /*  94 */ {3253, "F4", 0x89},
    /*  95 */ KEY_EMPTY,
    // Layer 3 (indexes 96 ... 127): third alpha character (alpha shift with the next selector)
    /*  96 */ {3318, "C", 'C'},
    /*  97 */ {3303, "L", 'L'},
    /*  98 */ {3288, "U", 'U'},
    /*  99 */ {3339, "Clr", 0x08},
    /* 100 */ KEY_EMPTY,
    /* 101 */ {3250, "F1", 0x86},
    /* 102 */ {3207, "Ent", 0x0D},
    /* 103 */ KEY_EMPTY,
    /* 104 */ {3323, "F", 'F'},
    /* 105 */ {3308, "O", 'O'},
    /* 106 */ {3293, "X", 'X'},
    /* 107 */ {3283, "&", '&'},
    /* 108 */ {3209, "Left", 0x11},
    /* 109 */ {3213, "Up", 0x13},
    /* 110 */ {3251, "F2", 0x87},
    /* 111 */ KEY_EMPTY,
    /* 112 */ {3328, "I", 'I'},
    /* 113 */ {3313, "R", 'R'},
    /* 114 */ {3298, "_", '_'},
    /* 115 */ {3334, ",", ','},
    /* 116 */ {3210, "*Rig", 0x10},
    /* 117 */ {3214, "Down", 0x12},
    /* 118 */ {3252, "F3", 0x88},
    /* 119 ... 123 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /* 124 */ {3206, "Spc", 0x20},
    /* 125 */ {3201, "Cmd", 0x80},
    /* 126 */ {3253, "F4", 0x89},
    /* 127 */ KEY_EMPTY,
    // Layer 4 (indexes 128 ... 159): command shift
    /* 128 */ {3319, "#", '#'},
    /* 129 */ {3304, ":", ':'},
    /* 130 */ {3289, "-", '-'},
    /* 131 */ {3340, "\\", '\\'},
    /* 132 */ {3205, "Esc", 0x84},
    /* 133 */ {3254, "F5", 0x8A},
    /* 134 */ {3207, "Ent", 0x0D},
    /* 135 */ KEY_EMPTY,
    /* 136 */ {3324, "$", '$'},
    /* 137 */ {3309, "=", '='},
    /* 138 */ {3294, "+", '+'},
    /* 139 */ {3284, "'", '\''},
    /* 140 */ {3209, "Left", 0x11},
    /* 141 */ {3211, "PgUp", 0x92},
    /* 142 */ {3255, "F6", 0x8B},
    /* 143 */ KEY_EMPTY,
    /* 144 */ {3329, "%", '%'},
    /* 145 */ {3314, "/", '/'},
    /* 146 */ {3299, "*", '*'},
    /* 147 */ {3335, "!", '!'},
    /* 148 */ {3210, "*Rig", 0x10},
    /* 149 */ {3212, "PgDn", 0x93},
    /* 150 */ {3256, "F7", 0x8C},
    /* 151 ... 155 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /* 156 */ {3206, "Spc", 0x20},
    /* 157 */ {3201, "Cmd", 0x80},
    /* 158 */ {3257, "F8", 0x8D},
    /* 159 */ KEY_EMPTY,
    /* 160 */ KEY_END,
    // 161 ... 255: empty
};

// M-20X: index = layer * 24 + position.
extern constexpr KEYMAP_KEY KEYMAP_M20X[KEYMAP_SIZE] = {
    // Layer 0 (indexes 0 ... 23): plain keys
    /*   0 */ {3201, "Cmd", 0x80},
    /*   1 */ {3250, "F1", 0x86},
    /*   2 */ {3202, "ALP", 0x00},
    /*   3 */ {3315, "7", '7'},
    /*   4 */ {3300, "4", '4'},
    /*   5 */ {3285, "1", '1'},
    /*   6 */ {3336, "Clr", 0x08},
    /*   7 */ KEY_EMPTY,
    /*   8 */ {3253, "F4", 0x89},
    /*   9 */ {3251, "F2", 0x87},
    /*  10 */ {3209, "Left", 0x11},
    /*  11 */ {3320, "8", '8'},
    /*  12 */ {3305, "5", '5'},
    /*  13 */ {3290, "2", '2'},
    /*  14 */ {3280, "0", '0'},
    /*  15 */ KEY_EMPTY,
    /*  16 */ {3331, ".", '.'},
    /*  17 */ {3252, "F3", 0x88},
    /*  18 */ {3210, "*Rig", 0x10},
    /*  19 */ {3325, "9", '9'},
    /*  20 */ {3310, "6", '6'},
    /*  21 */ {3295, "3", '3'},
    /*  22 */ {3207, "Ent", 0x0D},
    /*  23 */ KEY_EMPTY,
    // Layer 1 (indexes 24 ... 47): first alpha character (alpha shift with the previous selector)
    /*  24 */ {3201, "Cmd", 0x80},
    /*  25 */ {3250, "F1", 0x86},
    /*  26 */ {3202, "ALP", 0x00},
    /*  27 */ {3316, "A", 'A'},
    /*  28 */ {3301, "J", 'J'},
    /*  29 */ {3286, "S", 'S'},
    /*  30 */ {3336, "Clr", 0x08},
    /*  31 */ KEY_EMPTY,
    /*  32 */ {3253, "F4", 0x89},
    /*  33 */ {3251, "F2", 0x87},
    /*  34 */ {3209, "Left", 0x11},
    /*  35 */ {3321, "D", 'D'},
    /*  36 */ {3306, "M", 'M'},
    /*  37 */ {3291, "V", 'V'},
    /*  38 */ {3281, "[", '['},
    /*  39 */ KEY_EMPTY,
    /*  40 */ {3331, ".", '.'},
    /*  41 */ {3252, "F3", 0x88},
    /*  42 */ {3210, "*Rig", 0x10},
    /*  43 */ {3326, "G", 'G'},
    /*  44 */ {3311, "P", 'P'},
    /*  45 */ {3296, "Y", 'Y'},
    /*  46 */ {3207, "Ent", 0x0D},
    /*  47 */ KEY_EMPTY,
    // Layer 2 (indexes 48 ... 71): second alpha character (alpha shift alone)
    /*  48 */ {3201, "Cmd", 0x80},
    /*  49 */ {3250, "F1", 0x86},
    /*  50 */ {3202, "ALP", 0x00},
    /*  51 */ {3317, "B", 'B'},
    /*  52 */ {3302, "K", 'K'},
    /*  53 */ {3287, "T", 'T'},
    /*  54 */ {3336, "Clr", 0x08},
    /*  55 */ KEY_EMPTY,
    /*  56 */ {3253, "F4", 0x89},
    /*  57 */ {3251, "F2", 0x87},
    /*  58 */ {3209, "Left", 0x11},
    /*  59 */ {3322, "E", 'E'},
    /*  60 */ {3307, "N", 'N'},
    /*  61 */ {3292, "W", 'W'},
    /*  62 */ {3282, "\\", '\\'},
    /*  63 */ KEY_EMPTY,
    /*  64 */ {3331, ".", '.'},
    /*  65 */ {3252, "F3", 0x88},
    /*  66 */ {3210, "*Rig", 0x10},
    /*  67 */ {3327, "H", 'H'},
    /*  68 */ {3312, "Q", 'Q'},
    /*  69 */ {3297, "Z", 'Z'},
    /*  70 */ {3207, "Ent", 0x0D},
    /*  71 */ KEY_EMPTY,
    // Layer 3 (indexes 72 ... 95): third alpha character (alpha shift with the next selector)
    /*  72 */ {3201, "Cmd", 0x80},
    /*  73 */ {3250, "F1", 0x86},
    /*  74 */ {3202, "ALP", 0x00},
    /*  75 */ {3318, "C", 'C'},
    /*  76 */ {3303, "L", 'L'},
    /*  77 */ {3288, "U", 'U'},
    /*  78 */ {3336, "Clr", 0x08},
    /*  79 */ KEY_EMPTY,
    /*  80 */ {3253, "F4", 0x89},
    /*  81 */ {3251, "F2", 0x87},
    /*  82 */ {3209, "Left", 0x11},
    /*  83 */ {3323, "F", 'F'},
    /*  84 */ {3308, "O", 'O'},
    /*  85 */ {3293, "X", 'X'},
    /*  86 */ {3283, "]", ']'},
    /*  87 */ KEY_EMPTY,
    /*  88 */ {3331, ".", '.'},
    /*  89 */ {3252, "F3", 0x88},
    /*  90 */ {3210, "*Rig", 0x10},
    /*  91 */ {3328, "I", 'I'},
    /*  92 */ {3313, "R", 'R'},
    /*  93 */ {3298, "#", '#'},
    /*  94 */ {3207, "Ent", 0x0D},
    /*  95 */ KEY_EMPTY,
    // Layer 4 (indexes 96 ... 119): command shift
    /*  96 */ {3201, "Cmd", 0x80},
    /*  97 */ {3254, "F5", 0x8A},
    /*  98 */ {3202, "ALP", 0x00},
    /*  99 */ {3319, "BkLt", 0x00},
    /* 100 */ {3304, ":", ':'},
    /* 101 */ {3289, "-", '-'},
    /* 102 */ {3336, "Clr", 0x08},
    /* 103 */ KEY_EMPTY,
    /* 104 */ {3257, "F8", 0x8D},
    /* 105 */ {3255, "F6", 0x8B},
    /* 106 */ {3213, "Up", 0x13},
    /* 107 */ {3324, "Cntr", 0x00},
    /* 108 */ {3309, "=", '='},
    /* 109 */ {3294, "+", '+'},
    /* 110 */ {3284, "Spc", 0x20},
    /* 111 */ KEY_EMPTY,
    /* 112 */ {3205, "Exit", 0x84},
    /* 113 */ {3256, "F7", 0x8C},
    /* 114 */ {3214, "Down", 0x12},
    /* 115 */ {3329, "Beep", 0x00},
    /* 116 */ {3314, "/", '/'},
    /* 117 */ {3299, "*", '*'},
    /* 118 */ {3207, "Ent", 0x0D},
    /* 119 */ KEY_EMPTY,
    /* 120 */ KEY_END,
    // 121 ... 255: empty
};

// M-20: not layered; the plain keys, then the alpha characters. It has no command characters.
extern constexpr KEYMAP_KEY KEYMAP_M20[KEYMAP_SIZE] = {
    // Plain keys (indexes 0 ... 23)
    /*   0 */ {3201, "Cmd", 0x80},
    /*   1 */ {3250, "F1", 0x86},
    /*   2 */ {3202, "ALP", 0x00},
    /*   3 */ {3315, "7", '7'},
    /*   4 */ {3300, "4", '4'},
    /*   5 */ {3285, "1", '1'},
    /*   6 */ {3336, "Clr", 0x08},
    /*   7 */ KEY_EMPTY,
    /*   8 */ {3253, "F4", 0x89},
    /*   9 */ {3251, "F2", 0x87},
    /*  10 */ {3209, "Left", 0x11},
    /*  11 */ {3320, "8", '8'},
    /*  12 */ {3305, "5", '5'},
    /*  13 */ {3290, "2", '2'},
    /*  14 */ {3280, "0", '0'},
    /*  15 */ KEY_EMPTY,
    /*  16 */ {3331, ".", '.'},
    /*  17 */ {3252, "F3", 0x88},
    /*  18 */ {3210, "*Rig", 0x10},
    /*  19 */ {3325, "9", '9'},
    /*  20 */ {3310, "6", '6'},
    /*  21 */ {3295, "3", '3'},
    /*  22 */ {3207, "Ent", 0x0D},
    /*  23 */ {3205, "Exit", 0x84},
    /*  24 */ KEY_END,
    // Alpha characters
    /*  25 */ {3316, "Q", 'Q'},
    /*  26 */ {3301, "G", 'G'},
    /*  27 */ {3286, "P", 'P'},
    /*  28 ... 32 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  33 */ {3321, "A", 'A'},
    /*  34 */ {3306, "J", 'J'},
    /*  35 */ {3291, "T", 'T'},
    /*  36 */ {3281, "-", '-'},
    /*  37 */ KEY_EMPTY,
    /*  38 */ {3332, ":", ':'},
    /*  39 ... 40 */ KEY_EMPTY, KEY_EMPTY,
    /*  41 */ {3326, "D", 'D'},
    /*  42 */ {3311, "M", 'M'},
    /*  43 */ {3296, "W", 'W'},
    /*  44 */ KEY_EMPTY,
    /*  45 */ {3317, "Z", 'Z'},
    /*  46 */ {3302, "H", 'H'},
    /*  47 */ {3287, "R", 'R'},
    /*  48 ... 52 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  53 */ {3322, "B", 'B'},
    /*  54 */ {3307, "K", 'K'},
    /*  55 */ {3292, "U", 'U'},
    /*  56 */ {3282, "Spc", 0x20},
    /*  57 */ KEY_EMPTY,
    /*  58 */ {3333, "=", '='},
    /*  59 ... 60 */ KEY_EMPTY, KEY_EMPTY,
    /*  61 */ {3327, "E", 'E'},
    /*  62 */ {3312, "N", 'N'},
    /*  63 */ {3297, "X", 'X'},
    /*  64 */ KEY_EMPTY,
    /*  65 */ {3318, "*", '*'},
    /*  66 */ {3303, "I", 'I'},
    /*  67 */ {3288, "S", 'S'},
    /*  68 ... 72 */ KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY, KEY_EMPTY,
    /*  73 */ {3323, "C", 'C'},
    /*  74 */ {3308, "L", 'L'},
    /*  75 */ {3293, "V", 'V'},
    /*  76 */ {3283, "+", '+'},
    /*  77 */ KEY_EMPTY,
    /*  78 */ {3334, "/", '/'},
    /*  79 ... 80 */ KEY_EMPTY, KEY_EMPTY,
    /*  81 */ {3328, "F", 'F'},
    /*  82 */ {3313, "O", 'O'},
    /*  83 */ {3298, "Y", 'Y'},
    /*  84 */ KEY_EMPTY,
    /*  85 */ KEY_END,
    // 86 ... 255: empty
};

// N-13, R-50 and R-50G share the M-13 keypad; they are separate tables so each model has its own.
#define PDT_KEYS4(t, i) t[i], t[i + 1], t[i + 2], t[i + 3]
#define PDT_KEYS16(t, i) PDT_KEYS4(t, i), PDT_KEYS4(t, i + 4), PDT_KEYS4(t, i + 8), PDT_KEYS4(t, i + 12)
#define PDT_KEYS64(t, i) PDT_KEYS16(t, i), PDT_KEYS16(t, i + 16), PDT_KEYS16(t, i + 32), PDT_KEYS16(t, i + 48)
#define PDT_KEYS256(t) PDT_KEYS64(t, 0), PDT_KEYS64(t, 64), PDT_KEYS64(t, 128), PDT_KEYS64(t, 192)

extern constexpr KEYMAP_KEY KEYMAP_N13[KEYMAP_SIZE] = {PDT_KEYS256(KEYMAP_M13)};
extern constexpr KEYMAP_KEY KEYMAP_R50[KEYMAP_SIZE] = {PDT_KEYS256(KEYMAP_M13)};
extern constexpr KEYMAP_KEY KEYMAP_R50G[KEYMAP_SIZE] = {PDT_KEYS256(KEYMAP_M13)};

#undef PDT_KEYS256
#undef PDT_KEYS64
#undef PDT_KEYS16
#undef PDT_KEYS4

// A short initializer would zero-fill silently and shift nothing into place, so the layout is checked here.
namespace
{

constexpr bool IsEmpty(const KEYMAP_KEY& k)
{
    for (char c : k.szKeyName)
        if (c != 0)
            return false;
    return k.wKeyID == 0 && k.byKeyCode == 0;
}

constexpr bool IsEnd(const KEYMAP_KEY& k) { return k.wKeyID == 0xFFFF; }

constexpr bool IsKey(const KEYMAP_KEY& k) { return k.wKeyID != 0 && !IsEnd(k) && k.szKeyName[0] != 0; }

constexpr bool EmptyFrom(const KEYMAP_KEY* t, int first)
{
    for (int i = first; i < KEYMAP_SIZE; ++i)
        if (!IsEmpty(t[i]))
            return false;
    return true;
}

// Five layers of `stride` entries, the end entry right after them, empty beyond.
template <class EmptyCell> constexpr bool LayeredLayout(const KEYMAP_KEY* t, int stride, EmptyCell isEmptyCell)
{
    for (int layer = 0; layer < 5; ++layer)
        for (int pos = 0; pos < stride; ++pos)
        {
            const KEYMAP_KEY& k = t[layer * stride + pos];
            if (isEmptyCell(layer, pos) ? !IsEmpty(k) : !IsKey(k))
                return false;
        }
    return IsEnd(t[5 * stride]) && EmptyFrom(t, 5 * stride + 1);
}

constexpr bool SameTable(const KEYMAP_KEY* a, const KEYMAP_KEY* b)
{
    for (int i = 0; i < KEYMAP_SIZE; ++i)
    {
        if (a[i].wKeyID != b[i].wKeyID || a[i].byKeyCode != b[i].byKeyCode)
            return false;
        for (int c = 0; c < 5; ++c)
            if (a[i].szKeyName[c] != b[i].szKeyName[c])
                return false;
    }
    return true;
}

constexpr bool M13EmptyCell(int layer, int pos)
{
    const bool alphaLayer = layer >= 1 && layer <= 3;
    return pos == 7 || pos == 15 || (pos >= 23 && pos <= 26) || pos == 31 || (pos == 4 && alphaLayer);
}

static_assert(LayeredLayout(KEYMAP_M13, 32, M13EmptyCell));
static_assert(LayeredLayout(KEYMAP_M10, 32, [](int layer, int pos) { return M13EmptyCell(layer, pos) || pos == 27; }));
static_assert(LayeredLayout(KEYMAP_M20X, 24, [](int, int pos) { return pos == 7 || pos == 15 || pos == 23; }));

constexpr bool M20Layout()
{
    int keys = 0;
    for (int i = 0; i < 85; ++i)
        keys += IsKey(KEYMAP_M20[i]);
    const bool plainRow = IsEmpty(KEYMAP_M20[7]) && IsEmpty(KEYMAP_M20[15]) && IsKey(KEYMAP_M20[23]);
    return plainRow && IsEnd(KEYMAP_M20[24]) && IsEnd(KEYMAP_M20[85]) && EmptyFrom(KEYMAP_M20, 86) && keys == 22 + 33;
}
static_assert(M20Layout());

static_assert(SameTable(KEYMAP_N13, KEYMAP_M13) && SameTable(KEYMAP_R50, KEYMAP_M13) &&
              SameTable(KEYMAP_R50G, KEYMAP_M13));

} // namespace
