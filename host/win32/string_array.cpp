// CStringArray: MFC's growth rules for InsertAt and SetAtGrow, clamped removal.
#include <cassert>

#include "afx.h"

const CString& CStringArray::GetAt(INT_PTR i) const {
    assert(i >= 0 && i < GetSize());
    if (i < 0 || i >= GetSize()) return m_outOfRange;
    return m_items[static_cast<size_t>(i)];
}

CString& CStringArray::ElementAt(INT_PTR i) {
    assert(i >= 0 && i < GetSize());
    if (i < 0 || i >= GetSize()) {
        m_outOfRange.Empty();
        return m_outOfRange;
    }
    return m_items[static_cast<size_t>(i)];
}

void CStringArray::SetAt(INT_PTR i, const CString& s) {
    assert(i >= 0 && i < GetSize());
    if (i >= 0 && i < GetSize()) m_items[static_cast<size_t>(i)] = s;
}

void CStringArray::SetAtGrow(INT_PTR i, const CString& s) {
    if (i < 0) return;
    if (i >= GetSize()) SetSize(i + 1);
    m_items[static_cast<size_t>(i)] = s;
}

INT_PTR CStringArray::Append(const CStringArray& o) {
    INT_PTR first = GetSize();
    m_items.insert(m_items.end(), o.m_items.begin(), o.m_items.end());
    return first;
}

void CStringArray::InsertAt(INT_PTR index, const CString& s, INT_PTR count) {
    if (index < 0 || count <= 0) return;
    if (index > GetSize()) SetSize(index);
    m_items.insert(m_items.begin() + index, static_cast<size_t>(count), s);
}

void CStringArray::RemoveAt(INT_PTR index, INT_PTR count) {
    if (index < 0 || count <= 0 || index >= GetSize()) return;
    INT_PTR end = index + count > GetSize() ? GetSize() : index + count;
    m_items.erase(m_items.begin() + index, m_items.begin() + end);
}
