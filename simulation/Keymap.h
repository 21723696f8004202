// Terminal keymaps: the seven default tables and the lookups by key id, name and code.
#pragma once

#include "framework/Export.h"
#include "framework/KeymapKey.h"
#include "platform/afxstr.h"

// Default keymaps, one per terminal model. Nothing writes to them: owners copy them whole.
PDTDLG_API extern const KEYMAP_KEY KEYMAP_M10[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_M13[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_N13[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_M20[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_M20X[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_R50[KEYMAP_SIZE];
PDTDLG_API extern const KEYMAP_KEY KEYMAP_R50G[KEYMAP_SIZE];

// Every keymap argument points at the first of KEYMAP_SIZE entries; a null keymap finds nothing.
// All lookups scan the whole keymap and take the first entry that matches. Empty and end entries
// never match, so 0 ("not found") is never mistaken for a key.

// Name of the key; "Right" for the stored "*Rig". Null when the keymap has no such key.
// The result may point into the keymap, so it lives as long as the keymap is unchanged.
PDTDLG_API const char* GetKeyNameWKM(int nKeyID, const KEYMAP_KEY* pKeymap);

// Names compare without regard to case, except that only "Right" itself stands for "*Rig".
PDTDLG_API int GetKeyIDWKM(const char* pszName, const KEYMAP_KEY* pKeymap);
PDTDLG_API int GetKeyIDWKM(unsigned char byCode, const KEYMAP_KEY* pKeymap);
PDTDLG_API unsigned char GetKeyCodeWKM(const char* pszName, const KEYMAP_KEY* pKeymap);
PDTDLG_API unsigned char GetKeyCodeWKM(int nKeyID, const KEYMAP_KEY* pKeymap);

// Changes the code of the first entry with nKeyID only; the key's other layers keep theirs.
PDTDLG_API void SetKeyCodeWKM(int nKeyID, unsigned char byCode, KEYMAP_KEY* pKeymap);

PDTDLG_API void CopyKeymap(KEYMAP_KEY* pDest, const KEYMAP_KEY* pSrc);

// Loads the default keymap of a model display name ("M-10", "M-20X", ...), matched exactly;
// any name it does not know gets the M-13 keymap.
PDTDLG_API void ResetKeymap(CString& strModel, KEYMAP_KEY* pKeymap);
