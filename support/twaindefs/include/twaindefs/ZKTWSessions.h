// For data sources: one session per application that opened the source,
// keyed by the application's Id (DS_Entry carries no source identity, so the
// origin is what tells sessions apart), and the refusals made before an
// application has a session (CZKTWSourceConditions). Session needs
// GetSource(), the identity the application opened.
#pragma once

#include <map>
#include <memory>

#include <twaindefs/ZKTWSourceConditions.h>
#include <twaindefs/ZKTwainDefs.h>

template <class Session> class CZKTWSessions
{
public:
    bool IsEmpty() const { return m_sessions.empty(); }

    // Remembers condition for origin's next DAT_STATUS; always TWRC_FAILURE.
    TW_UINT16 Fail(const TW_IDENTITY* origin, TW_UINT16 condition)
    {
        return m_conditions.Fail(origin, condition);
    }

    // DAT_IDENTITY/MSG_GET, from an application or from the manager (origin
    // may be null): an application with a session gets the identity it
    // opened; anyone else describe()'s, where nullptr means no device
    // (TWCC_NODS).
    template <class Describe>
    TW_UINT16 Identify(const TW_IDENTITY* origin, TW_IDENTITY* identity, Describe describe)
    {
        if (!identity)
            return Fail(origin, TWCC_BADVALUE);
        if (origin)
        {
            auto found = m_sessions.find(CZKTWSourceConditions::IdOf(origin));
            if (found != m_sessions.end())
            {
                *identity = found->second->GetSource();
                return TWRC_SUCCESS;
            }
        }
        const TW_IDENTITY* described = describe();
        if (!described)
            return Fail(origin, TWCC_NODS);
        *identity = *described;
        return TWRC_SUCCESS;
    }

    // DAT_IDENTITY/MSG_OPENDS from origin (not null): at most one session per
    // application. open(requested, condition) makes the session, or returns
    // null with the condition of its refusal; on success identity receives
    // the session's identity.
    template <class MakeSession>
    TW_UINT16 Open(const TW_IDENTITY* origin, TW_IDENTITY* identity, MakeSession open)
    {
        if (!identity)
            return Fail(origin, TWCC_BADVALUE);
        const TW_UINT32 id = CZKTWSourceConditions::IdOf(origin);
        if (m_sessions.count(id))
            return Fail(origin, TWCC_MAXCONNECTIONS);
        TW_UINT16 condition = TWCC_BUMMER;
        std::unique_ptr<Session> session = open(*identity, condition);
        if (!session)
            return Fail(origin, condition);
        *identity = session->GetSource();
        m_sessions[id] = std::move(session);
        m_conditions.Forget(origin);
        return TWRC_SUCCESS;
    }

    // Any other operation from origin (not null). A refusal of the source's
    // own (no session, one too many) is answered by DAT_STATUS before the
    // session's code; without a session the operation is out of sequence.
    // call(session) runs the operation; a successful MSG_CLOSEDS ends the
    // session.
    template <class Call>
    TW_UINT16 Route(const TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data, Call call)
    {
        auto found = m_sessions.find(CZKTWSourceConditions::IdOf(origin));
        if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET &&
            (found == m_sessions.end() || m_conditions.Has(origin)))
            return m_conditions.Answer(origin, static_cast<TW_STATUS*>(data));
        if (found == m_sessions.end())
            return Fail(origin, TWCC_SEQERROR);
        const TW_UINT16 rc = call(*found->second);
        if (Closes(dg, dat, msg, rc))
            m_sessions.erase(found);
        return rc;
    }

    // Whether an operation with this result ended its session.
    static bool Closes(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_UINT16 rc)
    {
        return dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_CLOSEDS && rc == TWRC_SUCCESS;
    }

private:
    std::map<TW_UINT32, std::unique_ptr<Session>> m_sessions;
    CZKTWSourceConditions m_conditions;
};
