#include "host/jobfile/JobSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/jobfile/JobFileFields.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/HostRecord.h"
#include "host/model/HostTerminal.h"
#include "host/model/JobDocument.h"

// Layout: the magic, then the job's own part as one piece, then the records, nodes and links, each a count and
// then per object its identity (id; a node's kind; a link's ends) and its piece. A piece is a length and the bytes
// a JobArchive stores.
namespace
{

constexpr char kMagic[4] = {'P', 'D', 'T', 'S'};

// A piece whose length is written once its bytes are.
template <class F> void Piece(JobArchive& ar, F&& visit)
{
    size_t at = ar.Tell();
    ar.AppendValue(uint32_t(0));
    visit(ar);
    ar.PatchValue(at, uint32_t(ar.Tell() - at - sizeof(uint32_t)));
}

void Extra(JobArchive& ar, std::string& extra)
{
    CString text(extra);
    ar.Text("extra", text);
    if (ar.IsLoading())
        extra = text.str();
}

void VisitJob(JobArchive& ar, JobDocument& doc)
{
    {
        DialogMemoryAside aside(doc);
        SerializeJob(ar, doc);
    }
    ar.Object("terminal", [&](JobArchive& sub) { SerializeTerminal(sub, doc.Terminal()); });
    int start = doc.GetStartNodeId();
    ar.Int("startNode", start, 0, 0); // loading: the caller sets it once the nodes are back
    ar.Int("defaultRecord", doc.m_nDefaultRecord, 0, 0);
    Extra(ar, doc.m_strExtra);
}

void VisitRecord(JobArchive& ar, HostRecord& record)
{
    SerializeRecord(ar, record);
    Extra(ar, record.m_strExtra);
}

void VisitNode(JobArchive& ar, HostNode& node)
{
    ar.Text("name", node.m_strName);
    SerializeNode(ar, node);
    Extra(ar, node.m_strExtra);
}

void VisitLink(JobArchive& ar, HostLink& link)
{
    SerializeLink(ar, link);
    Extra(ar, link.m_strExtra);
}

struct Entry
{
    int id = 0, a = 0, b = 0; // a node's kind; a link's ends
    std::string_view bytes;
    bool operator==(const Entry& o) const { return id == o.id && a == o.a && b == o.b && bytes == o.bytes; }
};

struct Parsed
{
    std::string_view job;
    std::vector<Entry> records, nodes, links;
};

class Reader
{
  public:
    explicit Reader(std::string_view in) : m_in(in) {}
    template <class T> bool Get(T& v)
    {
        if (m_in.size() < sizeof v)
            return false;
        std::memcpy(&v, m_in.data(), sizeof v);
        m_in.remove_prefix(sizeof v);
        return true;
    }
    bool Piece(std::string_view& piece)
    {
        uint32_t size = 0;
        if (!Get(size) || m_in.size() < size)
            return false;
        piece = m_in.substr(0, size);
        m_in.remove_prefix(size);
        return true;
    }
    bool List(std::vector<Entry>& list, int ids)
    {
        uint32_t count = 0;
        if (!Get(count) || count > m_in.size())
            return false;
        list.resize(count);
        for (Entry& e : list)
            if (!Get(e.id) || (ids > 1 && !Get(e.a)) || (ids > 2 && !Get(e.b)) || !Piece(e.bytes))
                return false;
        return true;
    }
    bool AtEnd() const { return m_in.empty(); }
    std::string_view m_in;
};

bool Parse(std::string_view text, Parsed& p)
{
    if (text.size() < sizeof kMagic || std::memcmp(text.data(), kMagic, sizeof kMagic))
        return false;
    Reader r(text.substr(sizeof kMagic));
    return r.Piece(p.job) && r.List(p.records, 1) && r.List(p.nodes, 2) && r.List(p.links, 3) && r.AtEnd();
}

template <class T, class F> void Load(std::string_view bytes, T& object, F&& visit)
{
    JobArchive ar(bytes);
    visit(ar, object);
    if (!ar.AtEnd())
        ar.Fail("", "bytes left over");
}

// The job's own part, last: its start node is one of the nodes now there.
void PutJob(JobDocument& doc, std::string_view from, std::string_view to)
{
    if (from == to)
        return;
    JobArchive ar(to);
    {
        DialogMemoryAside aside(doc);
        SerializeJob(ar, doc);
    }
    ar.Object("terminal", [&](JobArchive& sub) { SerializeTerminal(sub, doc.Terminal()); });
    int start = 0;
    ar.Int("startNode", start, 0, 0);
    doc.SetStartNode(doc.FindNode(start));
    ar.Int("defaultRecord", doc.m_nDefaultRecord, 0, 0);
    doc.m_nDefaultRecordEdit = doc.m_nDefaultRecord;
    Extra(ar, doc.m_strExtra);
}

// What each id of `now` is, to find what `then` changed.
std::unordered_map<int, const Entry*> ById(const std::vector<Entry>& list)
{
    std::unordered_map<int, const Entry*> map;
    map.reserve(list.size());
    for (const Entry& e : list)
        map.emplace(e.id, &e);
    return map;
}

// Whether the job's objects are in the order of `list` already (taken out and put back, an object comes last).
template <class Get> bool InOrder(int count, Get at, const std::vector<Entry>& list)
{
    if (size_t(count) != list.size())
        return false;
    for (int i = 0; i < count; ++i)
        if (at(i)->m_nID != list[size_t(i)].id)
            return false;
    return true;
}

std::vector<int> Ids(const std::vector<Entry>& list)
{
    std::vector<int> ids;
    ids.reserve(list.size());
    for (const Entry& e : list)
        ids.push_back(e.id);
    return ids;
}

} // namespace

DialogMemoryAside::DialogMemoryAside(CVTR5Doc& doc) : m_doc(doc) { Exchange(); }

DialogMemoryAside::~DialogMemoryAside() { Exchange(); }

void DialogMemoryAside::Exchange()
{
    std::swap(m_doc.m_nLastOptionID, m_option);
    std::swap(m_doc.m_nLastOptionSub, m_sub);
    std::swap(m_doc.m_nLastGlobalJobOption, m_globalJob);
    std::swap(m_doc.m_nLastJobOption, m_job);
    std::swap(m_doc.m_nLastPortableOption, m_portable);
    std::swap(m_doc.m_nLastNodeOption, m_node);
    BYTE* expand[] = {&m_doc.m_bExpandScreen,       &m_doc.m_bExpandInput,    &m_doc.m_bExpandVerify,
                      &m_doc.m_bExpandCountInitial, &m_doc.m_bExpandCountOp1, &m_doc.m_bExpandCountOp2,
                      &m_doc.m_bExpandLinkIn,       &m_doc.m_bExpandLinkOut};
    for (size_t i = 0; i < std::size(expand); ++i)
        std::swap(*expand[i], m_expand[i]);
    if (auto* job = dynamic_cast<JobDocument*>(&m_doc))
        std::swap(job->m_nZoom, m_zoom);
}

std::string TakeJobSnapshot(const JobDocument& doc)
{
    std::string out;
    TakeJobSnapshot(doc, out);
    return out;
}

void TakeJobSnapshot(const JobDocument& constDoc, std::string& out)
{
    // The archive visits fields through references both ways; storing changes nothing.
    JobDocument& doc = const_cast<JobDocument&>(constDoc);
    out.resize(std::max(out.size(), size_t(doc.GetNodeCount()) * 700 + size_t(doc.GetLinkCount()) * 120 + 4096));
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    JobArchive ar(out, sizeof kMagic);
    Piece(ar, [&](JobArchive& a) { VisitJob(a, doc); });
    ar.AppendValue(uint32_t(doc.GetRecordCount()));
    for (int i = 0; i < doc.GetRecordCount(); ++i)
    {
        HostRecord& record = *doc.GetRecordAt(i);
        ar.AppendValue(int32_t(record.m_nID));
        Piece(ar, [&](JobArchive& a) { VisitRecord(a, record); });
    }
    ar.AppendValue(uint32_t(doc.GetNodeCount()));
    for (int i = 0; i < doc.GetNodeCount(); ++i)
    {
        HostNode& node = *doc.GetNodeAt(i);
        ar.AppendValue(int32_t(node.m_nID));
        ar.AppendValue(int32_t(node.m_nKind));
        Piece(ar, [&](JobArchive& a) { VisitNode(a, node); });
    }
    ar.AppendValue(uint32_t(doc.GetLinkCount()));
    for (int i = 0; i < doc.GetLinkCount(); ++i)
    {
        HostLink& link = *doc.GetLinkAt(i);
        ar.AppendValue(int32_t(link.m_nID));
        ar.AppendValue(int32_t(link.m_nFromNodeID));
        ar.AppendValue(int32_t(link.m_nToNodeID));
        Piece(ar, [&](JobArchive& a) { VisitLink(a, link); });
    }
    ar.Finish();
}

bool PutJobSnapshot(JobDocument& doc, const std::string& now, const std::string& then)
{
    Parsed from, to;
    if (!Parse(now, from) || !Parse(then, to))
        return false;
    // Mostly the same objects in the same order, only some fields differ (a move, a dialog's OK): pair by place.
    auto sameObjects = [](const std::vector<Entry>& a, const std::vector<Entry>& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].id != b[i].id || a[i].a != b[i].a || a[i].b != b[i].b)
                return false;
        return true;
    };
    if (sameObjects(from.records, to.records) && sameObjects(from.nodes, to.nodes) && sameObjects(from.links, to.links))
    {
        for (size_t i = 0; i < to.records.size(); ++i)
            if (from.records[i].bytes != to.records[i].bytes)
                if (HostRecord* record = doc.FindRecord(to.records[i].id))
                    Load(to.records[i].bytes, *record, VisitRecord);
        for (size_t i = 0; i < to.nodes.size(); ++i)
            if (from.nodes[i].bytes != to.nodes[i].bytes)
                if (HostNode* node = doc.FindNode(to.nodes[i].id))
                    Load(to.nodes[i].bytes, *node, VisitNode);
        for (size_t i = 0; i < to.links.size(); ++i)
            if (from.links[i].bytes != to.links[i].bytes)
                if (HostLink* link = doc.FindLink(to.links[i].id))
                    Load(to.links[i].bytes, *link, VisitLink);
        PutJob(doc, from.job, to.job);
        return true;
    }
    auto fromRecords = ById(from.records), fromNodes = ById(from.nodes), fromLinks = ById(from.links);
    auto gone = [](const std::unordered_map<int, const Entry*>& was, const std::vector<Entry>& list, bool sameEnds) {
        std::unordered_set<int> kept;
        for (const Entry& e : list)
            if (auto it = was.find(e.id);
                it != was.end() && (!sameEnds || (it->second->a == e.a && it->second->b == e.b)))
                kept.insert(e.id);
        std::vector<int> ids;
        for (const auto& [id, e] : was)
            if (!kept.count(id))
                ids.push_back(id);
        return ids;
    };

    // Out first, links before the nodes they join; a node that goes may change the nodes that referred to it.
    std::unordered_set<int> touched;
    for (int id : gone(fromLinks, to.links, true))
        doc.RemoveLink(id);
    for (int id : gone(fromRecords, to.records, false))
        doc.RemoveRecord(id);
    for (int id : gone(fromNodes, to.nodes, true))
    {
        for (int i = 0; i < doc.GetNodeCount(); ++i)
            if (doc.GetNodeAt(i)->m_nReferenceNode == id)
                touched.insert(doc.GetNodeAt(i)->m_nID);
        doc.RemoveNode(id);
    }

    // Then in and read again: whatever is new or differs.
    auto differs = [](const std::unordered_map<int, const Entry*>& was, const Entry& e) {
        auto it = was.find(e.id);
        return it == was.end() || !(*it->second == e);
    };
    for (const Entry& e : to.records)
        if (differs(fromRecords, e))
        {
            HostRecord* record = doc.FindRecord(e.id);
            if (!record)
                record = doc.AddRecord("", "", e.id);
            if (record)
                Load(e.bytes, *record, VisitRecord);
        }
    for (const Entry& e : to.nodes)
        if (differs(fromNodes, e) || touched.count(e.id))
        {
            HostNode* node = doc.FindNode(e.id);
            if (!node)
                node = doc.AddNode(e.a, "", e.id);
            if (node)
                Load(e.bytes, *node, VisitNode);
        }
    for (const Entry& e : to.links)
        if (differs(fromLinks, e))
        {
            HostLink* link = doc.FindLink(e.id);
            if (!link)
                link = doc.AddLink(e.a, e.b, e.id);
            if (link)
                Load(e.bytes, *link, VisitLink);
        }
    if (!InOrder(
            doc.GetRecordCount(), [&](int i) { return doc.GetRecordAt(i); }, to.records))
        doc.ArrangeRecords(Ids(to.records));
    if (!InOrder(
            doc.GetNodeCount(), [&](int i) { return doc.GetNodeAt(i); }, to.nodes))
        doc.ArrangeNodes(Ids(to.nodes));
    if (!InOrder(
            doc.GetLinkCount(), [&](int i) { return doc.GetLinkAt(i); }, to.links))
        doc.ArrangeLinks(Ids(to.links));

    PutJob(doc, from.job, to.job);
    return true;
}
