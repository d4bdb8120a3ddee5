// AcArray<T>: the host's growable array (indexes are int; "not found" is -1).
#pragma once

#include <algorithm>
#include <vector>

template <typename T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength, int growLength = 8) : m_grow(growLength) {
        m_v.reserve(physicalLength > 0 ? static_cast<size_t>(physicalLength) : 0);
    }

    int length() const { return static_cast<int>(m_v.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(m_v.capacity()); }
    bool isEmpty() const { return m_v.empty(); }
    int growLength() const { return m_grow; }
    AcArray& setGrowLength(int n) { m_grow = n > 0 ? n : 1; return *this; }
    AcArray& setLogicalLength(int n) { m_v.resize(n > 0 ? static_cast<size_t>(n) : 0); return *this; }
    AcArray& setPhysicalLength(int n) { if (n > length()) m_v.reserve(static_cast<size_t>(n)); return *this; }

    T& operator[](int i) { return m_v[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return m_v[static_cast<size_t>(i)]; }
    T& at(int i) { return m_v.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return m_v.at(static_cast<size_t>(i)); }
    T& first() { return m_v.front(); }
    const T& first() const { return m_v.front(); }
    T& last() { return m_v.back(); }
    const T& last() const { return m_v.back(); }

    // Index of the new element.
    int append(const T& value) { m_v.push_back(value); return length() - 1; }
    AcArray& append(const AcArray& other) { m_v.insert(m_v.end(), other.m_v.begin(), other.m_v.end()); return *this; }
    AcArray& insertAt(int i, const T& value) { m_v.insert(m_v.begin() + i, value); return *this; }
    AcArray& removeAt(int i) { m_v.erase(m_v.begin() + i); return *this; }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { m_v.pop_back(); return *this; }
    bool remove(const T& value, int start = 0) {
        int i = indexFrom(value, start);
        if (i < 0) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeAll() { m_v.clear(); return *this; }
    AcArray& setAt(int i, const T& value) { m_v[static_cast<size_t>(i)] = value; return *this; }
    AcArray& reverse() { std::reverse(m_v.begin(), m_v.end()); return *this; }
    AcArray& swap(int i, int j) { std::swap(m_v[static_cast<size_t>(i)], m_v[static_cast<size_t>(j)]); return *this; }

    int find(const T& value) const { return indexFrom(value, 0); }
    bool find(const T& value, int& index, int start = 0) const {
        int i = indexFrom(value, start);
        if (i < 0) return false;
        index = i;
        return true;
    }
    bool contains(const T& value, int start = 0) const { return indexFrom(value, start) >= 0; }

    T* asArrayPtr() { return m_v.data(); }
    const T* asArrayPtr() const { return m_v.data(); }
    bool operator==(const AcArray& o) const { return m_v == o.m_v; }

    typename std::vector<T>::iterator begin() { return m_v.begin(); }
    typename std::vector<T>::iterator end() { return m_v.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_v.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_v.end(); }

private:
    int indexFrom(const T& value, int start) const {
        for (int i = start < 0 ? 0 : start; i < length(); ++i)
            if (m_v[static_cast<size_t>(i)] == value) return i;
        return -1;
    }
    std::vector<T> m_v;
    int m_grow = 8;
};
