// Doubly linked list of CZKObject pointers. By default the list owns its
// elements and deletes them when they are removed or the list is destroyed;
// SetOwnership(FALSE) makes it a borrowing list.
//
// Positions stay valid while their element is in the list (like the classic
// POSITION iteration):
//   for (POSITION pos = list.GetHeadPosition(); pos;) {
//       CZKObject* item = list.GetNext(pos);
//   }
#pragma once

#include <hollin/ZKObject.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#ifndef ZK_POSITION_DEFINED
#define ZK_POSITION_DEFINED
struct ZKPOSITION__;
typedef ZKPOSITION__* POSITION;
#endif

class HOLLIN_EXPORT CZKObList
{
public:
    explicit CZKObList(BOOL ownsElements = TRUE);
    virtual ~CZKObList();
    CZKObList(const CZKObList&) = delete;
    CZKObList& operator=(const CZKObList&) = delete;

    // Adds object (nullptr is refused and gives nullptr).
    POSITION AddTail(CZKObject* object);
    POSITION AddHead(CZKObject* object);
    // Inserts before/after pos; nullptr pos means head/tail respectively.
    POSITION InsertBefore(POSITION pos, CZKObject* object);
    POSITION InsertAfter(POSITION pos, CZKObject* object);

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Returns the element at pos and moves pos to the next one (nullptr at
    // the end); GetPrev goes backwards.
    CZKObject* GetNext(POSITION& pos) const;
    CZKObject* GetPrev(POSITION& pos) const;
    CZKObject* GetAt(POSITION pos) const;
    // nullptr for an index out of range.
    CZKObject* GetAtIndex(int index) const;
    CZKObject* GetHead() const;
    CZKObject* GetTail() const;
    int GetCount() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0 ? TRUE : FALSE; }
    POSITION Find(const CZKObject* object) const;
    int IndexOf(const CZKObject* object) const;

    // Removal deletes the element when the list owns it.
    void RemoveAt(POSITION pos);
    BOOL Remove(CZKObject* object);
    BOOL RemoveAtIndex(int index);
    void RemoveAll();
    // Unlinks an element without deleting it; the caller takes it.
    CZKObject* Detach(POSITION pos);

    void SetOwnership(BOOL ownsElements) { m_owns = ownsElements; }
    BOOL GetOwnership() const { return m_owns; }

    // Replaces the contents with clones of source's elements; the list then
    // owns its elements. FALSE (and this list left empty) when an element
    // cannot be cloned.
    BOOL CopyFrom(const CZKObList& source);

    // Typed access for lists of one element type: nullptr when out of range
    // or of another type.
    template <class T>
    T* GetAtIndexAs(int index) const
    {
        return dynamic_cast<T*>(GetAtIndex(index));
    }

private:
    struct Node;
    static Node* _Node(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static POSITION _Pos(Node* node) { return reinterpret_cast<POSITION>(node); }
    Node* _NodeAtIndex(int index) const;
    POSITION _Link(Node* prev, Node* next, CZKObject* object);
    void _Unlink(Node* node);
    void _Release(CZKObject* object);

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
    BOOL m_owns;
};
