// Which page class an option id creates. Each page class registers itself when the library loads,
// so the container needs to know none of them.
#pragma once

#include "framework/Export.h"
#include "framework/OptionItem.h"

class CDlgDefineBase;
class CVTR5Doc;

using OptionPageFactory = CDlgDefineBase* (*)(CVTR5Doc* doc);

struct OptionPageClass
{
    int nOptionID;
    UINT nTemplateID; // the option id, except where pages share a template
    OptionPageFactory create;
};

PDTDLG_API void RegisterOptionPage(int optionId, UINT templateId, OptionPageFactory create);
PDTDLG_API const OptionPageClass* FindOptionPage(int optionId); // null for an id without a page class

// Registers Page for an option id at load time: `static const OptionPageRegistration<CDlgX> reg(2115);`
template <class Page> struct OptionPageRegistration
{
    explicit OptionPageRegistration(int optionId, UINT templateId = 0)
    {
        RegisterOptionPage(optionId, templateId ? templateId : UINT(optionId),
                           [](CVTR5Doc*) -> CDlgDefineBase* { return new Page(); });
    }
};
