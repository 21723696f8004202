// Shared by the job dialog tests: the dialog run modally on the reference host's document in one of its
// modes, its pages reached by clicking their tree entries (ShowPage), and the spinners' arrows clicked.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/model/JobOptions.h"
#include "job/CDlgDefineJob.h"
#include "tests/host/define_harness.h"

namespace pdt::test
{

class JobDialogTest : public DefineDialogTest
{
  protected:
    // Opens the dialog in a mode on the host's array (or the given one), lets `edit` work in it (it must
    // close it) and returns how it ended.
    INT_PTR Run(JOBSETTINGMODE mode, const std::function<void(CDlgDefineJob&)>& edit, OPTIONITEM* options = nullptr)
    {
        CDlgDefineJob dlg(&m_doc, mode, options ? options : m_doc.GetJobOptions(mode));
        ExpectModal([&](CDialog&) { edit(dlg); });
        return dlg.DoModal();
    }
};

// A click on the upper (line up) or lower (line down) arrow of a scroll bar.
void ClickArrow(const CWnd& page, int bar, bool up);

} // namespace pdt::test
