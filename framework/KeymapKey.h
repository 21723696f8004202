// One entry of a terminal keymap; a keymap is exactly 256 entries.
#pragma once

#include "platform/afxtypes.h"

#pragma pack(push, 1)
struct KEYMAP_KEY
{
    WORD wKeyID;       // key identifier (= the control id of its keypad button); 0xFFFF ends a table, 0 is empty
    char szKeyName[5]; // at most 4 characters and the terminating zero
    BYTE byKeyCode;    // the code the terminal reports for the key
};
#pragma pack(pop)
static_assert(sizeof(KEYMAP_KEY) == 8, "KEYMAP_KEY is 8 bytes");

constexpr int KEYMAP_SIZE = 256;
