// Finding a node or link by its id without walking the job: a map from id to object, built again from the owner's
// list after anything left it. Ids are given once, when the object is made; as they are public fields, a hit is
// still checked against the object's own id and a stale map is built again.
#pragma once

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

template <class T> class IdIndex
{
  public:
    using List = std::vector<std::unique_ptr<T>>;

    T* Find(const List& list, int id) const
    {
        for (int pass = 0; pass < 2; ++pass)
        {
            if (!m_bValid)
                Build(list);
            auto it = m_map.find(id);
            if (it == m_map.end())
                return nullptr;
            if (it->second->m_nID == id)
                return it->second;
            m_bValid = false; // an id was changed in place
        }
        return nullptr;
    }
    // The highest id in the list, 0 when it is empty.
    int Top(const List& list) const
    {
        if (!m_bValid)
            Build(list);
        return m_nTop;
    }
    void Added(T* item) const
    {
        if (m_bValid)
        {
            m_map.emplace(item->m_nID, item);
            m_nTop = std::max(m_nTop, item->m_nID);
        }
    }
    void Invalidate() const { m_bValid = false; }

  private:
    void Build(const List& list) const
    {
        m_map.clear();
        m_map.reserve(list.size());
        m_nTop = 0;
        for (const auto& item : list)
        {
            m_map.emplace(item->m_nID, item.get()); // the first of equal ids wins, as a walk would find it
            m_nTop = std::max(m_nTop, item->m_nID);
        }
        m_bValid = true;
    }

    mutable std::unordered_map<int, T*> m_map;
    mutable int m_nTop = 0;
    mutable bool m_bValid = false;
};
