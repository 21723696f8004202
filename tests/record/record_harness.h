// Shared by the record dialog tests: a job with data nodes of every kind and a record on them, the
// dialog run modally on the record's array, and its pages reached by clicking their tree entries.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/model/HostRecord.h"
#include "node/CDlgDefineNodeNotes.h"
#include "record/CDlgDefineRecord.h"
#include "record/CDlgDefineRecordEORLink.h"
#include "record/CDlgDefineRecordField.h"
#include "record/CDlgDefineRecordSeparator.h"
#include "support/Seams.h"
#include "tests/host/define_harness.h"

namespace pdt::test
{

class RecordDialogTest : public DefineDialogTest
{
  protected:
    void TearDown() override
    {
        pdt::support::SetFileDialogHandler({});
        DefineDialogTest::TearDown();
    }

    // Adds nodes of the given kinds with the given names, in that order; returns their ids.
    std::vector<int> AddNodes(const std::vector<std::pair<int, const char*>>& nodes)
    {
        std::vector<int> ids;
        for (auto [kind, name] : nodes)
            ids.push_back(m_doc.AddNode(kind, name)->m_nID);
        return ids;
    }
    int IdOf(const char* name)
    {
        return m_doc.FindNodeByName(name)->m_nID;
    }
    std::vector<int> FieldIds(const HostRecord& record)
    {
        std::vector<int> ids;
        for (int i = 0; i < record.m_arrFields.GetSize(); ++i)
            ids.push_back(record.m_arrFields[i]);
        return ids;
    }

    // Opens the dialog on `options` (the record's own array by default), lets `edit` work in it (it must
    // close it) and returns how it ended.
    INT_PTR Run(HostRecord& record, const std::function<void(CDlgDefineRecord&)>& edit, OPTIONITEM* options = nullptr)
    {
        CDlgDefineRecord dlg(options ? options : record.GetOptions());
        ExpectModal([&](CDialog&) { edit(dlg); });
        return dlg.DoModal();
    }

    static CDlgDefineRecordField& Fields(CDlgDefineRecord& dlg)
    {
        return ShowPage<CDlgDefineRecordField>(dlg, "Fields", HostRecord::FIELDS);
    }
    static CDlgDefineRecordSeparator& Separators(CDlgDefineRecord& dlg)
    {
        return ShowPage<CDlgDefineRecordSeparator>(dlg, "Separators", HostRecord::SEPARATORS);
    }
    static CDlgDefineRecordEORLink& Links(CDlgDefineRecord& dlg)
    {
        return ShowPage<CDlgDefineRecordEORLink>(dlg, "EOR Links", HostRecord::EOR_LINKS);
    }
    static CDlgDefineNodeNotes& Comment(CDlgDefineRecord& dlg)
    {
        return ShowPage<CDlgDefineNodeNotes>(dlg, "Comment", HostRecord::COMMENT);
    }

    // A click on each line of a list box that has one of the texts (a click toggles a line).
    static void ClickLines(CListBox& list, const std::vector<CString>& texts)
    {
        std::vector<CString> lines = ItemTexts(list.m_hWnd);
        for (const CString& text : texts)
            for (size_t row = 0; row < lines.size(); ++row)
                if (lines[row] == text)
                    ClickAt(list.m_hWnd, RowCenter(list.m_hWnd, int(row)));
        Pump();
    }
    static std::vector<CString> Lines(const CListBox& list)
    {
        return ItemTexts(list.m_hWnd);
    }
    static std::vector<CString> Lines(const CListCtrl& list)
    {
        std::vector<CString> lines;
        for (int i = 0; i < list.GetItemCount(); ++i)
            lines.push_back(list.GetItemText(i, 0));
        return lines;
    }
};

} // namespace pdt::test
