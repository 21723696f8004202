// The option arrays of the node dialog, one per node kind. The container writes the tree items and
// pages into an array while a dialog is open, so each document keeps its own arrays.
#pragma once

#include <map>
#include <vector>

#include "framework/OptionItem.h"

class NodeOptions
{
  public:
    // The kind's array, ending with an entry of id 0; null for an unknown kind. Stable for the
    // object's lifetime.
    OPTIONITEM* Get(int kind);

    // Option ids of the node dialog's pages that this host fills and reads.
    static constexpr int BASIC = 2115;
    static constexpr int NOTES = 2124;
    static constexpr int COMMENT_FONT = 2150;
    static constexpr int LINKS_IN = 2112;
    static constexpr int LINKS_OUT = 2113;
    static constexpr int LINK = 2111;
    static constexpr int SCREEN = 2127;
    static constexpr int SCREEN_POSITION = 2128;
    static constexpr int INPUT = 2119;
    static constexpr int INPUT_BARCODE = 2120;
    static constexpr int INPUT_DEVICE = 2121;
    static constexpr int INPUT_FORMULA = 2122;
    static constexpr int INPUT_LOOKUPFILE = 2123;
    static constexpr int VERIFY = 2133;
    static constexpr int VERIFY_LOOKUPFILE = 2134;
    static constexpr int VERIFY_QUALIFIER = 2136;
    static constexpr int COUNT_INITIAL = 2145;
    static constexpr int COUNT_OPERATION1 = 2147;
    static constexpr int COUNT_OPERATION2 = 2148;
    static constexpr int EDIT = 2116;
    static constexpr int ERASE = 2117;
    static constexpr int HOTKEY = 2118;
    static constexpr int PROGRAM = 2125;
    static constexpr int RUNJOB = 2126;
    static constexpr int UPLOAD = 2129;

  private:
    std::map<int, std::vector<OPTIONITEM>> m_arrays;
};
