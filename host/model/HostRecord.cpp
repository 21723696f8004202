#include "host/model/HostRecord.h"

#include "host/model/HostLink.h"
#include "host/model/JobDocument.h"

HostRecord::HostRecord(JobDocument* doc) : m_pDoc(doc)
{
    // A new record ends its lines the way a PC reads them, with commas between the fields.
    m_nFieldSeparator = ',';
    m_nRecordTerminator = 13;
}

int HostRecord::GetFieldCount()
{
    return m_arrFields.GetSize();
}

// A field keeps its node id after the node is deleted; such a field has no node.
CNodeBase* HostRecord::GetField(int index)
{
    if (index < 0 || index >= m_arrFields.GetSize() || !m_pDoc)
        return nullptr;
    return m_pDoc->FindNode(m_arrFields[index]);
}

// The links that write this record are the ones with the EOR option naming it, in the job's order.
int HostRecord::GetEORLinks(CWordArray& ids)
{
    ids.RemoveAll();
    for (int i = 0; m_pDoc && i < m_pDoc->GetLinkCount(); ++i)
    {
        HostLink* link = m_pDoc->GetLinkAt(i);
        if (link->m_bEOR && link->m_nRecordID == m_nID)
            ids.Add(WORD(link->m_nID));
    }
    return ids.GetSize();
}

BOOL HostRecord::HasField(CNodeBase* node)
{
    if (!node)
        return FALSE;
    for (int i = 0; i < m_arrFields.GetSize(); ++i)
        if (int(m_arrFields[i]) == node->m_nID)
            return TRUE;
    return FALSE;
}

CVTR5Doc* HostRecord::GetDocument()
{
    return m_pDoc;
}

OPTIONITEM* HostRecord::GetOptions()
{
    if (m_options.empty())
    {
        const std::pair<int, const char*> entries[] = {
            {FIELDS, "Fields"}, {SEPARATORS, "Separators"}, {EOR_LINKS, "EOR Links"}, {COMMENT, "Comment"}};
        for (auto [id, title] : entries)
            // The library reads pObject as a CRecord.
            m_options.push_back(
                OPTIONITEM{id, -1, title, nullptr, nullptr, nullptr, 0, 0, static_cast<CRecord*>(this)});
        m_options.push_back(OPTIONITEM{0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr});
    }
    return m_options.data();
}
