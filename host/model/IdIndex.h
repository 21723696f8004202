// Finding a node or link by its id without walking the job: a table from id to object, built again from the owner's
// list after anything left it. Ids are given once, when the object is made; as they are public fields, a hit is
// still checked against the object's own id and a stale table is built again. Ids are mostly small and close (1 to
// the count, a few gaps): then the table is an array indexed by id, which a paint that looks up both ends of
// 20,000 links reads far faster than a hash map; otherwise it is a hash map.
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
            T* hit = nullptr;
            if (m_bDense)
                hit = id > 0 && size_t(id) < m_dense.size() ? m_dense[size_t(id)] : nullptr;
            else if (auto it = m_map.find(id); it != m_map.end())
                hit = it->second;
            if (!hit)
                return nullptr;
            if (hit->m_nID == id)
                return hit;
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
        if (!m_bValid)
            return;
        const int id = item->m_nID;
        m_nTop = std::max(m_nTop, id);
        ++m_nCount;
        if (!m_bDense)
            m_map.emplace(id, item);
        else if (id > 0 && size_t(id) <= DenseLimit(m_nCount))
        {
            if (size_t(id) >= m_dense.size())
                m_dense.resize(std::max(size_t(id) + 1, m_dense.size() * 2), nullptr);
            if (!m_dense[size_t(id)])
                m_dense[size_t(id)] = item;
        }
        else
            m_bValid = false; // far from the others: built again as a map
    }
    void Invalidate() const { m_bValid = false; }

  private:
    static size_t DenseLimit(size_t count) { return 4 * count + 1024; }

    void Build(const List& list) const
    {
        m_map.clear();
        m_dense.clear();
        m_nTop = 0;
        m_nCount = list.size();
        int low = 1;
        for (const auto& item : list)
        {
            m_nTop = std::max(m_nTop, item->m_nID);
            low = std::min(low, item->m_nID);
        }
        m_bDense = low > 0 && size_t(m_nTop) <= DenseLimit(list.size());
        if (m_bDense)
            m_dense.assign(size_t(m_nTop) + 1, nullptr);
        else
            m_map.reserve(list.size());
        for (const auto& item : list) // the first of equal ids wins, as a walk would find it
            if (m_bDense)
            {
                T*& slot = m_dense[size_t(item->m_nID)];
                if (!slot)
                    slot = item.get();
            }
            else
                m_map.emplace(item->m_nID, item.get());
        m_bValid = true;
    }

    mutable std::unordered_map<int, T*> m_map;
    mutable std::vector<T*> m_dense; // by id, when m_bDense
    mutable bool m_bDense = false;
    mutable size_t m_nCount = 0;
    mutable int m_nTop = 0;
    mutable bool m_bValid = false;
};
