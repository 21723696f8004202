// Shared by the portable dialog tests: the dialog run modally on the reference host's terminal, its
// pages reached by clicking their tree entries (ShowPage).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/model/HostTerminal.h"
#include "host/model/JobOptions.h"
#include "portable/CDlgDefinePortable.h"
#include "portable/CDlgDefinePortableKeymap.h"
#include "portable/CDlgDefinePortableModel.h"
#include "portable/CDlgDefinePortableSetting.h"
#include "simulation/Keymap.h"
#include "tests/host/define_harness.h"

namespace pdt::test
{

class PortableDialogTest : public DefineDialogTest
{
  protected:
    HostTerminal& Terminal() { return m_doc.Terminal(); }

    void UseModel(const char* model)
    {
        Terminal().m_strModel = model;
        ResetKeymap(Terminal().m_strModel, Terminal().m_keymap);
    }

    // Opens the dialog on the host's array, lets `edit` work in it (it must close it) and returns how it ended.
    INT_PTR Run(const std::function<void(CDlgDefinePortable&)>& edit)
    {
        CDlgDefinePortable dlg(&Terminal(), m_doc.GetPortableOptions());
        ExpectModal([&](CDialog&) { edit(dlg); });
        return dlg.DoModal();
    }

    static CDlgDefinePortableKeymap& KeymapPage(CDlgDefinePortable& dlg)
    {
        return ShowPage<CDlgDefinePortableKeymap>(dlg, "Keymap", JobOptions::PORTABLE_KEYMAP);
    }

    static unsigned CodeOf(const KEYMAP_KEY* keymap, int keyId) { return GetKeyCodeWKM(keyId, keymap); }
};

} // namespace pdt::test
