// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <cstddef>
#include <iterator>
#include <list>

// A doubly linked list of item pointers with an iteration cursor.
//
// The list never owns its items: RemoveAll and the destructor free the nodes only. An owner that
// owns the items calls DeleteAll, which deletes every item and then empties the list.
//
// The cursor follows the usual pattern:
//     list.SetToFirst();
//     while (list.Has()) { T* item = list.Get(); ... }
// Add leaves the cursor on the new item. Removing the item under the cursor moves the cursor to the
// following item.
template <class T> class CDataList {
  public:
    using Nodes = std::list<T*>;
    using const_iterator = typename Nodes::const_iterator;

    CDataList() = default;
    CDataList(const CDataList&) = delete;
    CDataList& operator=(const CDataList&) = delete;
    ~CDataList() = default;

    // Appends an item after the tail and sets the cursor on it.
    void Add(T* item) {
        mNodes.push_back(item);
        mCurrent = std::prev(mNodes.end());
    }

    // Inserts an item before the given 0-based position (at the end when the position is past it).
    void InsertAt(long index, T* item) {
        auto it = mNodes.begin();
        for (long i = 0; i < index && it != mNodes.end(); ++i)
            ++it;
        mCurrent = mNodes.insert(it, item);
    }

    void SetToFirst() { mCurrent = mNodes.begin(); }
    bool Has() const { return mCurrent != mNodes.end(); }
    // Returns the item under the cursor and moves the cursor to the next node; null past the tail.
    T* Get() {
        if (mCurrent == mNodes.end()) return nullptr;
        T* item = *mCurrent;
        ++mCurrent;
        return item;
    }

    long Count() const { return static_cast<long>(mNodes.size()); }
    bool IsEmpty() const { return mNodes.empty(); }
    T* First() const { return mNodes.empty() ? nullptr : mNodes.front(); }
    T* Last() const { return mNodes.empty() ? nullptr : mNodes.back(); }
    // The item at a 0-based position, or null.
    T* At(long index) const {
        if (index < 0) return nullptr;
        for (T* item : mNodes) {
            if (index-- == 0) return item;
        }
        return nullptr;
    }
    // The 0-based position of the first node holding the item, or -1.
    long IndexOf(const T* item) const {
        long index = 0;
        for (T* candidate : mNodes) {
            if (candidate == item) return index;
            ++index;
        }
        return -1;
    }
    bool Contains(const T* item) const { return IndexOf(item) >= 0; }

    // Unlinks the first node holding the item; the item itself is left alone.
    bool Remove(const T* item) {
        for (auto it = mNodes.begin(); it != mNodes.end(); ++it) {
            if (*it == item) {
                const bool atCursor = (it == mCurrent);
                auto next = mNodes.erase(it);
                if (atCursor) mCurrent = next;
                return true;
            }
        }
        return false;
    }

    // Frees every node, leaves the items alone, clears the cursor.
    void RemoveAll() {
        mNodes.clear();
        mCurrent = mNodes.end();
    }

    // For owners: deletes every item, then frees the nodes.
    void DeleteAll() {
        Nodes nodes;
        nodes.swap(mNodes);
        mCurrent = mNodes.end();
        for (T* item : nodes)
            delete item;
    }

    // Iteration that leaves the cursor alone.
    const_iterator begin() const { return mNodes.begin(); }
    const_iterator end() const { return mNodes.end(); }

  private:
    Nodes mNodes;
    typename Nodes::iterator mCurrent = mNodes.end();
};
