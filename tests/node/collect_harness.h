// Opens the node dialog of the reference host on one of its pages, as the flowchart does, and closes it again
// with OK, Apply or Cancel, so that a test can check what reached the node and what it shows next time.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "../host/define_harness.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNode.h"
#include "platform/testing/pdttest.h"
#include "resources/resource.h"

namespace pdt::test
{

class NodeDialogTest : public DefineDialogTest
{
  protected:
    void TearDown() override
    {
        Close();
        DefineDialogTest::TearDown();
    }

    // Opens the node's dialog on the entry `id` and returns that entry's page, shown.
    template <class Page> Page &Open(HostNode *node, int id)
    {
        Close();
        OPTIONITEM *options = m_doc.BeginDefineNode(node);
        return OpenOn<Page>(node, options, id);
    }

    // The same with an array of the test's own.
    template <class Page> Page &OpenOn(HostNode *node, OPTIONITEM *options, int id)
    {
        Close();
        m_doc.m_nLastOptionID = id;
        m_dlg = std::make_unique<CDlgDefineNode>();
        if (!m_dlg->CreateDefineNode(node, options))
            throw std::runtime_error("the node dialog did not open");
        m_dlg->ShowWindow(SW_SHOW);
        Pump();
        return PageOf<Page>(id);
    }

    template <class Page> Page &PageOf(int id)
    {
        Page *page = DialogPage<Page>(m_dlg.get(), id);
        if (!page)
            throw std::runtime_error("no page " + std::to_string(id)); // the test fails, nothing crashes
        return *page;
    }

    // The dialog's buttons, clicked.
    void Ok()
    {
        Press(IDOK);
    }
    void Apply()
    {
        Press(ID_APPLY_NOW);
    }
    void Cancel()
    {
        Press(IDCANCEL);
    }

    void Close()
    {
        if (m_dlg && IsWindow(m_dlg->m_hWnd))
            m_dlg->DestroyWindow();
        m_dlg.reset();
        Pump();
    }

    std::unique_ptr<CDlgDefineNode> m_dlg;

  private:
    void Press(int id)
    {
        ASSERT_TRUE(m_dlg);
        Click(*m_dlg, id);
        Pump();
    }
};

} // namespace pdt::test
