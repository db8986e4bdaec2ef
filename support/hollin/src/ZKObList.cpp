#include <hollin/ZKObList.h>

#include <new>

struct CZKObList::Node
{
    CZKObject* object;
    Node* prev;
    Node* next;
};

CZKObList::CZKObList(BOOL ownsElements) : m_owns(ownsElements) {}

CZKObList::~CZKObList() { RemoveAll(); }

POSITION CZKObList::_Link(Node* prev, Node* next, CZKObject* object)
{
    if (!object)
        return nullptr;
    Node* node = new (std::nothrow) Node{object, prev, next};
    if (!node)
        return nullptr;
    (prev ? prev->next : m_head) = node;
    (next ? next->prev : m_tail) = node;
    ++m_count;
    return _Pos(node);
}

POSITION CZKObList::AddTail(CZKObject* object) { return _Link(m_tail, nullptr, object); }

POSITION CZKObList::AddHead(CZKObject* object) { return _Link(nullptr, m_head, object); }

POSITION CZKObList::InsertBefore(POSITION pos, CZKObject* object)
{
    Node* next = pos ? _Node(pos) : m_head;
    return _Link(next ? next->prev : nullptr, next, object);
}

POSITION CZKObList::InsertAfter(POSITION pos, CZKObject* object)
{
    Node* prev = pos ? _Node(pos) : m_tail;
    return _Link(prev, prev ? prev->next : nullptr, object);
}

POSITION CZKObList::GetHeadPosition() const { return _Pos(m_head); }

POSITION CZKObList::GetTailPosition() const { return _Pos(m_tail); }

CZKObject* CZKObList::GetNext(POSITION& pos) const
{
    Node* node = _Node(pos);
    if (!node)
        return nullptr;
    pos = _Pos(node->next);
    return node->object;
}

CZKObject* CZKObList::GetPrev(POSITION& pos) const
{
    Node* node = _Node(pos);
    if (!node)
        return nullptr;
    pos = _Pos(node->prev);
    return node->object;
}

CZKObject* CZKObList::GetAt(POSITION pos) const { return pos ? _Node(pos)->object : nullptr; }

CZKObList::Node* CZKObList::_NodeAtIndex(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    Node* node = m_head;
    while (index-- > 0)
        node = node->next;
    return node;
}

CZKObject* CZKObList::GetAtIndex(int index) const
{
    Node* node = _NodeAtIndex(index);
    return node ? node->object : nullptr;
}

CZKObject* CZKObList::GetHead() const { return m_head ? m_head->object : nullptr; }

CZKObject* CZKObList::GetTail() const { return m_tail ? m_tail->object : nullptr; }

POSITION CZKObList::Find(const CZKObject* object) const
{
    for (Node* node = m_head; node; node = node->next)
        if (node->object == object)
            return _Pos(node);
    return nullptr;
}

int CZKObList::IndexOf(const CZKObject* object) const
{
    int index = 0;
    for (Node* node = m_head; node; node = node->next, ++index)
        if (node->object == object)
            return index;
    return -1;
}

void CZKObList::_Unlink(Node* node)
{
    (node->prev ? node->prev->next : m_head) = node->next;
    (node->next ? node->next->prev : m_tail) = node->prev;
    --m_count;
    delete node;
}

void CZKObList::_Release(CZKObject* object)
{
    if (m_owns)
        delete object;
}

CZKObject* CZKObList::Detach(POSITION pos)
{
    Node* node = _Node(pos);
    if (!node)
        return nullptr;
    CZKObject* object = node->object;
    _Unlink(node);
    return object;
}

void CZKObList::RemoveAt(POSITION pos) { _Release(Detach(pos)); }

BOOL CZKObList::Remove(CZKObject* object)
{
    POSITION pos = Find(object);
    if (!pos)
        return FALSE;
    RemoveAt(pos);
    return TRUE;
}

BOOL CZKObList::RemoveAtIndex(int index)
{
    Node* node = _NodeAtIndex(index);
    if (!node)
        return FALSE;
    RemoveAt(_Pos(node));
    return TRUE;
}

void CZKObList::RemoveAll()
{
    while (m_head)
        RemoveAt(_Pos(m_head));
}

BOOL CZKObList::CopyFrom(const CZKObList& source)
{
    if (&source == this)
        return TRUE;
    RemoveAll();
    m_owns = TRUE;
    for (Node* node = source.m_head; node; node = node->next) {
        CZKObject* copy = node->object->Clone();
        if (!copy || !AddTail(copy)) {
            delete copy;
            RemoveAll();
            return FALSE;
        }
    }
    return TRUE;
}
