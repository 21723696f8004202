#include "host/model/HostTerminal.h"

#include "simulation/Keymap.h"

#include "host/model/JobDocument.h"

namespace
{

struct ScreenGeometry
{
    const char* pszModel;
    int nColumns;
    int nRows;
};

// The character screens of the models, compared exactly as the library compares model names.
const ScreenGeometry kScreens[] = {
    {"M-10", 16, 4}, {"M-13", 16, 6}, {"N-13", 16, 6}, {"M-20", 21, 8},
    {"M-20X", 21, 8}, {"R-50", 20, 8}, {"R-50G", 20, 8},
};

} // namespace

// A new terminal is an M-20 with that model's own keys.
HostTerminal::HostTerminal(JobDocument* doc) : m_pDoc(doc)
{
    m_strModel = "M-20";
    ResetKeymap(m_strModel, m_keymap);
}

// InitialDlgData and SaveDlgData, the portable dialog's pages: HostTerminalPages.cpp.

CVTR5Doc* HostTerminal::GetDocument() { return m_pDoc; }

CSize HostTerminal::ScreenSizeOf(const CString& model)
{
    for (const ScreenGeometry& s : kScreens)
        if (model == s.pszModel)
            return CSize(s.nColumns, s.nRows);
    return CSize(21, 8);
}
