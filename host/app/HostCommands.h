// The commands of jobhost's main window, and the one that other parts of the host fill in: running the job.
#pragma once

#include "platform/afxwin.h"

class JobDocument;

// Command ids of the main window's menus, numbered as the framework numbers its standard commands.
enum : UINT
{
    ID_FILE_NEW = 0xE100,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_SAVE = 0xE103,
    ID_FILE_SAVE_AS = 0xE104,
    ID_FILE_PAGE_SETUP = 0xE105,
    ID_FILE_PRINT = 0xE107,
    ID_FILE_PRINT_PREVIEW = 0xE109,
    ID_FILE_MRU_FILE1 = 0xE110, // up to ID_FILE_MRU_FILE1 + 3
    ID_APP_EXIT = 0xE141,
    ID_EDIT_CLEAR = 0xE120, // deletes the selected node or link
    ID_EDIT_FIND = 0xE124,
    ID_EDIT_REPEAT = 0xE128, // Find Next
    ID_EDIT_UNDO = 0xE12B,
    ID_EDIT_REDO = 0xE12C,
    ID_EDIT_CUT = 0xE123,
    ID_EDIT_COPY = 0xE122,
    ID_EDIT_PASTE = 0xE125,
    ID_EDIT_SELECT_ALL = 0xE12A,
    ID_EDIT_DUPLICATE = 0x8124,
    ID_ALIGN_LEFT = 0x81B0, // the Arrange submenu, in FlowchartView::Align's order
    ID_ALIGN_RIGHT = 0x81B1,
    ID_ALIGN_TOP = 0x81B2,
    ID_ALIGN_BOTTOM = 0x81B3,
    ID_ALIGN_CENTRE = 0x81B4,
    ID_ALIGN_MIDDLE = 0x81B5,
    ID_DISTRIBUTE_ACROSS = 0x81B6,
    ID_DISTRIBUTE_DOWN = 0x81B7,
    ID_VIEW_ZOOM_IN = 0x81D0,
    ID_VIEW_ZOOM_OUT = 0x81D1,
    ID_VIEW_ZOOM_100 = 0x81D2,
    ID_VIEW_ZOOM_FIT = 0x81D3,
    ID_NODE_NEW_FIRST = 0x8100, // + the node kind (1 to 8, 20)
    ID_NODE_NEW_LAST = 0x8100 + 20,
    ID_NODE_LINK = 0x8120, // the link tool: press on one node, release on another
    ID_DEFINE_NODE = 0x8130,
    ID_DEFINE_RECORD_FIRST = 0x8140, // + the record's index, up to 63
    ID_DEFINE_RECORD_NEW = 0x817F,
    ID_DEFINE_PORTABLE = 0x8180,
    ID_DEFINE_GLOBAL = 0x8181,
    ID_DEFINE_JOB = 0x8182,
    ID_DEFINE_LANGUAGE = 0x8183,
    ID_SIMULATE_RUN = 0x8190,
    ID_HELP_KEYBOARD = 0x81A0,
    ID_FILE_EXPORT = 0x81C0, // the flowchart as PNG, SVG or PDF
    ID_VIEW_TOOLBAR = 0xE800,
    ID_VIEW_STATUS_BAR = 0xE801,
    ID_APP_ABOUT = 0xE140,
};
constexpr int MAX_RECENT_FILES = 4;

// The main window's shortcut for a command, as the menus and Help show it ("Ctrl+F"); null for none.
const char* ShortcutKeys(UINT command);
constexpr int MAX_RECORD_COMMANDS = ID_DEFINE_RECORD_NEW - ID_DEFINE_RECORD_FIRST;

// Runs the job of the document from the main window; registered by the simulation code. Returns the window it
// opened on the job (null: none), which the main window closes before that job goes: it holds the job's nodes.
using SimulateHandler = CWnd* (*)(CWnd* frame, JobDocument& doc);
void SetSimulateHandler(SimulateHandler handler); // null: the item is greyed
SimulateHandler GetSimulateHandler();
