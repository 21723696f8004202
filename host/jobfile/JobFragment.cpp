#include "host/jobfile/JobFragment.h"

#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "host/jobfile/JobFile.h"
#include "host/jobfile/JobFileFields.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/JobDocument.h"

namespace
{

// An object's fields go from one job to the other through the file's own JSON, which also converts their text
// from the code page of one job to that of the other.
template <class T, class F> Json Store(T& from, F&& serialize, int codePage)
{
    Json obj = Json::object();
    JobArchive out(obj, true, codePage, "fragment");
    serialize(out, from);
    return obj;
}

template <class T, class F> void Load(Json& obj, T& to, F&& serialize, int codePage)
{
    JobArchive in(obj, false, codePage, "fragment");
    serialize(in, to);
    in.Finish();
}

void NodeFields(JobArchive& ar, HostNode& node)
{
    ar.Text("name", node.m_strName);
    SerializeNode(ar, node);
}

int Mapped(const std::unordered_map<int, int>& ids, int id)
{
    auto it = ids.find(id);
    return it == ids.end() ? 0 : it->second;
}

} // namespace

std::string FormatJobFragment(const JobDocument& doc, const std::vector<int>& nodeIds)
{
    std::unordered_set<int> nodes(nodeIds.begin(), nodeIds.end());
    return FormatJobPart(doc, &nodes);
}

bool PasteJobFragment(JobDocument& doc, std::string_view text, std::vector<int>& added, std::string* error)
{
    added.clear();
    std::string why;
    std::unique_ptr<JobDocument> part = ParseJobText(text, &why);
    if (!part)
    {
        if (error)
            *error = why;
        return false;
    }
    const int from = JobCodePage(*part), to = JobCodePage(doc);
    std::unordered_map<int, int> records, nodes;
    std::vector<int> newRecords;
    try
    {
        for (int i = 0; i < part->GetRecordCount(); ++i)
        {
            HostRecord& record = *part->GetRecordAt(i);
            Json fields = Store(record, SerializeRecord, from);
            HostRecord* made = doc.AddRecord("", "", 0);
            if (!made)
                throw JobFileError("the job has as many records as it can hold");
            newRecords.push_back(made->m_nID);
            Load(fields, *made, SerializeRecord, to);
            made->m_strExtra = record.m_strExtra;
            // A record the job already has by that name is the one the pasted nodes write.
            for (int k = 0; k < doc.GetRecordCount(); ++k)
                if (HostRecord* same = doc.GetRecordAt(k); same != made && same->m_strName == made->m_strName)
                {
                    doc.RemoveRecord(made->m_nID);
                    newRecords.pop_back();
                    made = same;
                    break;
                }
            records[record.m_nID] = made->m_nID;
        }
        for (int i = 0; i < part->GetNodeCount(); ++i)
        {
            HostNode& node = *part->GetNodeAt(i);
            Json fields = Store(node, NodeFields, from);
            HostNode* made = doc.AddNode(node.m_nKind, "", 0);
            if (!made)
                throw JobFileError("the job has as many nodes as it can hold");
            added.push_back(made->m_nID);
            Load(fields, *made, NodeFields, to);
            made->m_ptPosition = node.m_ptPosition;
            made->m_strExtra = node.m_strExtra;
            made->m_bStartNode = FALSE;
            nodes[node.m_nID] = made->m_nID;
        }
        for (int id : added)
        {
            HostNode* made = doc.FindNode(id);
            made->m_nReferenceNode = Mapped(nodes, made->m_nReferenceNode);
            made->m_nRecordID = Mapped(records, made->m_nRecordID);
        }
        for (int i = 0; i < part->GetLinkCount(); ++i)
        {
            HostLink& link = *part->GetLinkAt(i);
            HostLink* made = doc.AddLink(Mapped(nodes, link.m_nFromNodeID), Mapped(nodes, link.m_nToNodeID), 0);
            if (!made)
                throw JobFileError("the job has as many links as it can hold");
            Json fields = Store(link, SerializeLink, from);
            Load(fields, *made, SerializeLink, to);
            made->m_strExtra = link.m_strExtra;
            made->m_nRecordID = Mapped(records, made->m_nRecordID);
        }
    }
    catch (const std::exception& e)
    {
        // Nothing of a paste that failed stays in the job.
        for (int id : added)
            doc.RemoveNode(id);
        for (int id : newRecords)
            doc.RemoveRecord(id);
        added.clear();
        if (error)
            *error = e.what();
        return false;
    }
    return true;
}
